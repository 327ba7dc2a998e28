#include "refhost/Dictionary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "refhost/FileText.h"
#include "refhost/MessageLog.h"
#include "refhost/NoInline.h"
#include "refhost/UnicodeText.h"
#include "refhost/ValueConversion.h"
#include "uparser/host/CaseFile.h"
#include "uparser/host/VarName.h"

namespace refhost {

namespace {

constexpr int kMaxStringWidth = 32767;
constexpr std::size_t kMaxNominalValues = 10;

unsigned char upperAscii(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return static_cast<unsigned char>(byte - 'a') < 26 ? static_cast<unsigned char>(byte - 32)
                                                        : byte;
}

// FNV-1a over the upper-cased bytes, then mixed so that the low bits, which pick the slot,
// depend on every byte. An ASCII name and its key hash alike.
uint32_t hashIgnoringCase(const char* name, bool& beyondAscii) {
    uint64_t hash = 14695981039346656037ULL;
    unsigned char bytes = 0;  // every byte or-ed: its high bit tells of a byte beyond ASCII
    for (; *name != '\0'; ++name) {
        bytes |= static_cast<unsigned char>(*name);
        hash = (hash ^ upperAscii(*name)) * 1099511628211ULL;
    }
    beyondAscii = bytes >= 0x80;
    hash ^= hash >> 32;
    hash *= 0xd6e8feb86659fd93ULL;
    hash ^= hash >> 32;
    return static_cast<uint32_t>(hash);
}

uint32_t hashIgnoringCase(const char* name) {
    bool beyondAscii = false;
    return hashIgnoringCase(name, beyondAscii);
}

// Keys compare ignoring ASCII case: an ASCII name is its own key, in the case it was written.
bool equalIgnoringCase(const char* key, const char* name) {
    for (;; ++key, ++name) {
        if (*key != *name) {
            // Bytes that differ only in ASCII case are never NUL.
            if (upperAscii(*key) != upperAscii(*name)) {
                return false;
            }
        } else if (*key == '\0') {
            return true;
        }
    }
}

// Splits CSV text into records. Lenient where the format is loose: text after a closing quote
// is kept, and an unterminated quote runs to the end of the data.
class CsvReader {
  public:
    explicit CsvReader(const std::string& data) : mData(data) {
        if (mData.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            mPos = 3;
        }
    }

    // Where the next record begins.
    std::size_t position() const { return mPos; }

    // The next record, or false at the end of the data.
    bool next(std::vector<std::string>& fields) {
        fields.clear();
        if (mPos >= mData.size()) {
            return false;
        }
        std::string field;
        for (;;) {
            if (mPos >= mData.size()) {
                fields.push_back(std::move(field));
                return true;
            }
            const char c = mData[mPos++];
            if (c == '"' && field.empty() && !mInQuotedTail) {
                readQuoted(field);
                mInQuotedTail = true;
            } else if (c == ',') {
                fields.push_back(std::move(field));
                field.clear();
                mInQuotedTail = false;
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && mPos < mData.size() && mData[mPos] == '\n') {
                    ++mPos;
                }
                fields.push_back(std::move(field));
                mInQuotedTail = false;
                return true;
            } else {
                field.push_back(c);
            }
        }
    }

  private:
    void readQuoted(std::string& field) {
        while (mPos < mData.size()) {
            const char c = mData[mPos++];
            if (c == '"') {
                if (mPos < mData.size() && mData[mPos] == '"') {
                    field.push_back('"');
                    ++mPos;
                } else {
                    return;
                }
            } else {
                field.push_back(c);
            }
        }
    }

    const std::string& mData;
    std::size_t mPos = 0;
    bool mInQuotedTail = false;  // after a closing quote, a further quote is plain text
};

std::string trimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

struct ColumnSummary {
    bool numeric = true;
    std::size_t width = 1;
    std::vector<double> distinct;  // kept only up to one past the nominal limit

    void add(const std::string& cell) {
        if (cell.size() > width) {
            width = cell.size();
        }
        if (!numeric) {
            return;
        }
        double value = 0.0;
        if (!ReadNumber(cell, '.', value)) {
            if (cell.find_first_not_of(" \t") != std::string::npos) {
                numeric = false;
            }
            return;
        }
        if (distinct.size() <= kMaxNominalValues) {
            for (double seen : distinct) {
                if (seen == value) {
                    return;
                }
            }
            distinct.push_back(value);
        }
    }
};

// Names must be UTF-8, so a header that is not fails; string values are bytes to the host,
// so elsewhere the first bad byte is only pointed out.
void checkUtf8(const std::string& path, const std::string& data, std::size_t headerEnd) {
    const std::size_t bad = FindInvalidUtf8(data);
    if (bad == std::string::npos) {
        return;
    }
    const std::size_t bom = data.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const TextPosition at = PositionOf(std::string_view(data).substr(bom), bad - bom);
    const std::string where = "The data file " + path + " has an " +
                              DescribeInvalidUtf8(data, bad) + " at line " +
                              std::to_string(at.line) + ", column " + std::to_string(at.column);
    if (bad < headerEnd) {
        throw ErrorText(where + " in its header");
    }
    EmitMessage(2, 2, where + "; string values keep such bytes as they are");
}

}  // namespace

const char* Dictionary::keyAt(std::size_t index) const {
    return mKeys[index].empty() ? mVariables[index].GetName() : mKeys[index].c_str();
}

std::size_t Dictionary::probe(const char* key, uint32_t hash) const {
    const std::size_t mask = mSlots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = mSlots[at];
        if (slot.index < 0 ||
            (slot.hash == hash &&
             equalIgnoringCase(keyAt(static_cast<std::size_t>(slot.index)), key))) {
            return at;
        }
    }
}

void Dictionary::growIndex() {
    std::vector<Slot> slots(mSlots.empty() ? 16 : mSlots.size() * 2, Slot{0, -1});
    const std::size_t mask = slots.size() - 1;
    for (const Slot& slot : mSlots) {
        if (slot.index >= 0) {
            std::size_t at = slot.hash & mask;
            while (slots[at].index >= 0) {
                at = (at + 1) & mask;
            }
            slots[at] = slot;
        }
    }
    mSlots.swap(slots);
}

int Dictionary::addVariable(const TAVO_Variable& variable) {
    if (mVariables.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return -1;
    }
    const char* name = variable.GetName();
    std::string key = IsAscii(name) ? std::string() : UpperCase(name);
    const char* probeKey = key.empty() ? name : key.c_str();
    const uint32_t hash = hashIgnoringCase(probeKey);
    if (!mSlots.empty() && mSlots[probe(probeKey, hash)].index >= 0) {
        return -1;
    }
    // Room first, so that a failed allocation leaves the dictionary as it was.
    if ((mVariables.size() + 1) * 2 > mSlots.size()) {
        growIndex();
    }
    // Growing by one would copy the whole dictionary on every addition.
    if (mVariables.size() == mVariables.capacity()) {
        mVariables.reserve(std::max<std::size_t>(16, mVariables.size() * 2));
    }
    if (mKeys.size() == mKeys.capacity()) {
        mKeys.reserve(std::max<std::size_t>(16, mKeys.size() * 2));
    }
    const int index = static_cast<int>(mVariables.size());
    mVariables.push_back(variable);
    mKeys.push_back(std::move(key));
    mSlots[probe(keyAt(static_cast<std::size_t>(index)), hash)] = Slot{hash, index};
    return index;
}

int Dictionary::addNumeric(const std::string& name, Level level, int decimals) {
    if (decimals < 0 || decimals > 255) {
        return -1;
    }
    return addVariable(TAVO_Variable(name, 0, level, {8, 5, static_cast<uint8_t>(decimals)}));
}

int Dictionary::addString(const std::string& name, int width, Level level) {
    if (width < 1 || width > kMaxStringWidth) {
        return -1;
    }
    return addVariable(TAVO_Variable(name, width, level, {static_cast<uint16_t>(width), 1, 0}));
}

int Dictionary::FindVarIndex(char const* name) const {
    if (name == nullptr || mSlots.empty()) {
        return -1;
    }
    // The name is read once for its hash and whether it is ASCII, which is its own key.
    bool beyondAscii = false;
    const uint32_t hash = hashIgnoringCase(name, beyondAscii);
    if (!beyondAscii) {
        return mSlots[probe(name, hash)].index;
    }
    return findByKey(name);
}

// Out of line, so that the look-up of an ASCII name keeps no string on its stack.
REFHOST_NOINLINE int Dictionary::findByKey(const char* name) const {
    const std::string key = UpperCase(name);
    return mSlots[probe(key.c_str(), hashIgnoringCase(key.c_str()))].index;
}

unsigned int Dictionary::ColumnCount() const {
    return static_cast<unsigned int>(mVariables.size());
}

const TAVO_Variable& Dictionary::GetVariable(int index) const {
    // An index outside the dictionary is a broken precondition of the caller: stop, naming it.
    if (index < 0 || static_cast<std::size_t>(index) >= mVariables.size()) {
        std::fprintf(stderr, "Dictionary: variable index %d outside 0..%zu\n", index,
                     mVariables.size());
        std::abort();
    }
    return mVariables[static_cast<std::size_t>(index)];
}

Dictionary Dictionary::fromCsv(const std::string& path) {
    std::string data;
    if (!ReadFile(path, data)) {
        throw ErrorText("Cannot read the data file " + path);
    }
    CsvReader reader(data);
    std::vector<std::string> fields;
    if (!reader.next(fields) || (fields.size() == 1 && trimBlanks(fields[0]).empty())) {
        throw ErrorText("The data file " + path + " has no header line");
    }
    checkUtf8(path, data, reader.position());
    std::vector<std::string> names;
    names.reserve(fields.size());
    for (const std::string& field : fields) {
        std::string name = trimBlanks(field);
        if (name.find('\0') != std::string::npos || ValidateTAVOName(name.c_str()) != 0) {
            throw ErrorText("The data file " + path + " has an invalid variable name: " + name);
        }
        names.push_back(std::move(name));
    }

    std::vector<ColumnSummary> columns(names.size());
    while (reader.next(fields)) {
        if (fields.size() == 1 && fields[0].empty()) {
            continue;
        }
        const std::size_t count = fields.size() < columns.size() ? fields.size() : columns.size();
        for (std::size_t i = 0; i < count; ++i) {
            columns[i].add(fields[i]);
        }
    }

    Dictionary dictionary;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const ColumnSummary& column = columns[i];
        int index = 0;
        if (column.numeric) {
            index = dictionary.addNumeric(names[i], column.distinct.size() <= kMaxNominalValues
                                                        ? TAVO_Variable_Enumerations::Nominal
                                                        : TAVO_Variable_Enumerations::Scale);
        } else {
            const std::size_t width = column.width < static_cast<std::size_t>(kMaxStringWidth)
                                          ? column.width
                                          : kMaxStringWidth;
            index = dictionary.addString(names[i], static_cast<int>(width));
        }
        if (index < 0) {
            const std::string first = dictionary.GetVariable(dictionary.FindVarIndex(names[i].c_str())).GetName();
            throw ErrorText("The data file " + path + " names the variable " + names[i] + " twice" +
                            (first == names[i] ? "" : " (as " + first + " and " + names[i] + ")"));
        }
    }
    return dictionary;
}

}  // namespace refhost
