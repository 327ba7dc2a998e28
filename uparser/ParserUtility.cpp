#include "uparser/ParserUtility.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>

#include "uparser/detail/Assert.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/FileServices.h"
#include "uparser/host/MBString.h"
#include "uparser/host/TokenSequence.h"

static_assert(SystemMissingValue == -std::numeric_limits<double>::max(),
              "system-missing is the most negative finite double");

namespace {

// The host functions work in place on a NUL-terminated copy; a text with an embedded NUL is
// cut there, as the host would see it. Names and keywords, nearly all that comes here, are
// copied to the stack: the result is the only string made.
template <typename HostFunction>
std::string ApplyHostFunction(std::string const& text, HostFunction function) {
    constexpr std::size_t kLocalBytes = 64;
    const std::size_t length = std::strlen(text.c_str());
    char local[kLocalBytes];
    std::unique_ptr<char[]> large;
    char* buffer = local;
    if (length >= kLocalBytes) {
        large.reset(new char[length + 1]);
        buffer = large.get();
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    char const* result = function(buffer);
    return result == nullptr ? std::string() : std::string(result);
}

// The width field of a format is 16 bits; no text beyond that can be handed to the host.
constexpr std::size_t kMaxFormatWidth = std::numeric_limits<uint16_t>::max();
constexpr std::size_t kNumberFieldWidth = 40;

}  // namespace

std::string GetUpperString(std::string const& text) {
    return ApplyHostFunction(text, TAVOMBstrupr_A);
}

bool AreStringsEqualCase(std::string const& left, std::string const& right) {
    return GetUpperString(left) == GetUpperString(right);
}

TavoVarName GetUpperVarName(TavoVarName const& name) {
    return TavoVarName(GetUpperString(name.str()));
}

bool AreVarNamesEqualCase(TavoVarName const& left, TavoVarName const& right) {
    return GetUpperVarName(left) == GetUpperVarName(right);
}

std::string TrimString(std::string const& text) {
    return ApplyHostFunction(text, TAVOMBstrtrim_A);
}

bool IsValidInteger(double value) {
    return value >= -2147483648.0 && value <= 2147483647.0 && std::floor(value) == value;
}

// Six significant digits in the shortest of fixed and scientific form, as a stream writes a
// double by default; to_chars writes it in the "C" locale whatever the host process has set,
// without the stream's construction on every message that shows a number.
std::string NumberToString(double value) {
    char text[32];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, written.ptr);
}

std::string IntegerToString(int value) {
    return std::to_string(value);
}

std::string AppendIndexToString(std::string const& text, int index) {
    return text + std::to_string(index);
}

// The character the host writes between the two digits of 1.1. A conversion that fails, or
// writes anything but a "1", one visible separator and a "1" (a field of stars, say), tells
// nothing about the separator: numbers are then written with ".".
char GetLocaleCharacter() {
    OBS value;
    value.f = 1.1;
    const TAVO_Format format{3, 5, 1};
    char text[16] = {};
    ToString(&value, format, text);
    const char separator = text[1];
    const bool visible = separator > ' ' && separator < '\x7f';
    const bool digit = separator >= '0' && separator <= '9';
    if (text[0] == '1' && text[2] == '1' && visible && !digit) {
        return separator;
    }
    return '.';
}

double StringToNumber(std::string const& text, int varIndex, TAVO_DataSource const* source,
                      char decimalChar) {
    double result = SystemMissingValue;
    if (varIndex < 0 || source == nullptr ||
        static_cast<unsigned int>(varIndex) >= source->ColumnCount()) {
        return result;
    }
    const TAVO_Variable& variable = source->GetVariable(varIndex);
    if (variable.GetType() != 0) {
        return result;
    }
    TAVO_Format format = variable.GetFormat();

    std::string buffer = text;
    // Without a "." the host would read the digits with implied decimals ("12" as 0.12).
    if (format.decimals > 0 && buffer.find('.') == std::string::npos) {
        buffer += '.';
    }
    if (buffer.size() > kMaxFormatWidth) {
        return result;
    }
    if (decimalChar != '.') {
        const std::size_t point = buffer.find('.');
        if (point != std::string::npos) {
            buffer[point] = decimalChar;
        }
    }
    // The host reads exactly width characters; longer texts get a wider field.
    const std::size_t width = std::max(kNumberFieldWidth, buffer.size());
    buffer.resize(width, ' ');
    format.width = static_cast<uint16_t>(width);

    OBS value;
    value.f = SystemMissingValue;
    if (FromString(buffer.c_str(), format, &value) == 0) {
        result = value.f;
    }
    return result;
}

bool CheckCommandName(std::string const& name, TAVO_TokenSequence& stream) {
    const std::size_t length = name.size();
    std::string upperName = GetUpperString(name);
    // The host compares length characters of both sides; keep the name side that long.
    if (upperName.size() < length) {
        upperName.resize(length, '\0');
    }
    bool matches = false;
    if (stream.next()) {
        char const* token = nullptr;
        unsigned tokenLength = 0;
        stream.getUpperString(&token, &tokenLength);
        if (token == nullptr) {
            token = "";
            tokenLength = 0;
        }
        matches = tokenLength >= length && TAVOMBstrnccmp_A(upperName.c_str(), token, length) == 0;
    }
    stream.setPosition(0);
    return matches;
}

std::string GetExtendFilePath(std::string const& path, bool validatorFlag, bool wordFlag,
                              bool strictFlag) {
    if (path.empty()) {
        return std::string();
    }
    const CheckFileRef reference(path, wordFlag);
    const std::string& resolved = reference.GetResolvedPath();

    char message[264] = {};
    int32_t exists = 0;
    int32_t wellFormed = 0;
    int32_t readOnly = 0;
    int32_t directory = 0;
    ValidateFileSpecification(resolved.c_str(), resolved.size(), validatorFlag ? 1 : 0, message,
                              exists, wellFormed, readOnly, directory);

    bool accepted = false;
    if (validatorFlag) {
        accepted = wellFormed == 1 && directory == 0 && readOnly == 0;
    } else if (strictFlag) {
        accepted = exists == 1 && wellFormed == 1 && directory == 0;
    } else {
        accepted = exists == 1 && wellFormed == 1;
    }
    return accepted ? resolved : std::string();
}

bool IsCatVar(int index, TAVO_DataSource const& source) {
    UP_ASSERT("ParserUtility", index >= 0);
    UP_ASSERT("ParserUtility", static_cast<unsigned int>(index) < source.ColumnCount());
    const TAVO_Variable& variable = source.GetVariable(index);
    switch (variable.GetMeasurementLevel()) {
        case TAVO_Variable_Enumerations::Nominal:
        case TAVO_Variable_Enumerations::Ordinal:
            return true;
        case TAVO_Variable_Enumerations::Scale:
            return false;
        default:
            return variable.GetType() > 0;
    }
}

bool ValidateVarList(std::vector<TavoVarName> const& names, std::vector<int>& indices,
                     TAVO_DataSource const* source) {
    std::vector<int>().swap(indices);
    if (source == nullptr) {
        return false;
    }
    indices.reserve(names.size());
    bool allFound = true;
    for (const TavoVarName& name : names) {
        const int index = source->FindVarIndex(name.c_str());
        indices.push_back(index);
        if (index < 0) {
            allFound = false;
        }
    }
    return allFound;
}

namespace {

// Ordinary numbers first, by value; a NaN (never produced by the host, but a caller's number
// row may hold one) next, so that the order stays strict; system-missing last. The last two
// groups are ordered by their texts.
int EntryRank(double number) {
    if (number == SystemMissingValue) {
        return 2;
    }
    return std::isnan(number) ? 1 : 0;
}

int CompareEntries(std::string const& leftText, double leftNumber, std::string const& rightText,
                   double rightNumber) {
    const int leftRank = EntryRank(leftNumber);
    const int rightRank = EntryRank(rightNumber);
    if (leftRank != rightRank) {
        return leftRank < rightRank ? -1 : 1;
    }
    if (leftRank == 0) {
        if (leftNumber < rightNumber) {
            return -1;
        }
        return rightNumber < leftNumber ? 1 : 0;
    }
    const int order = leftText.compare(rightText);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// Rows whose texts do not give one value per variable, or a number table of another height,
// cannot be sorted.
bool RowsFit(std::size_t nVars, const std::vector<std::vector<std::string>>& textRows,
             const std::vector<std::vector<double>>& numberRows) {
    if (!numberRows.empty() && numberRows.size() != textRows.size()) {
        return false;
    }
    return std::all_of(textRows.begin(), textRows.end(),
                       [&](const std::vector<std::string>& row) { return row.size() == nVars; });
}

// Rows compare entry by entry: their texts' values, then their numbers; a row that is a prefix
// of the other comes first.
class RowOrder {
  public:
    RowOrder(const std::vector<std::vector<std::string>>& texts,
             const std::vector<std::vector<double>>& numbers, const std::vector<double>& values,
             std::size_t nVars)
        : mTexts(texts), mNumbers(numbers), mValues(values), mVars(nVars) {}

    bool operator()(std::size_t a, std::size_t b) const {
        const std::size_t lengthA = mVars + (mNumbers.empty() ? 0 : mNumbers[a].size());
        const std::size_t lengthB = mVars + (mNumbers.empty() ? 0 : mNumbers[b].size());
        const std::size_t common = std::min(lengthA, lengthB);
        for (std::size_t k = 0; k < common; ++k) {
            const int order = k < mVars ? CompareEntries(mTexts[a][k], mValues[a * mVars + k],
                                                         mTexts[b][k], mValues[b * mVars + k])
                                        : CompareEntries(std::string(), mNumbers[a][k - mVars],
                                                         std::string(), mNumbers[b][k - mVars]);
            if (order != 0) {
                return order < 0;
            }
        }
        return lengthA < lengthB;
    }

  private:
    const std::vector<std::vector<std::string>>& mTexts;
    const std::vector<std::vector<double>>& mNumbers;
    const std::vector<double>& mValues;
    std::size_t mVars;
};

// Each row carries exactly its own entries, so sorting moves whole rows.
template <typename Row>
void MoveRows(const std::vector<std::size_t>& order, std::vector<Row>& rows) {
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (std::size_t r : order) {
        sorted.push_back(std::move(rows[r]));
    }
    rows.swap(sorted);
}

}  // namespace

// sorted := rows in the order of their values, then of their numbers
bool SortValueLists(std::vector<int> const& varIndices,
                    std::vector<std::vector<std::string>>& textRows,
                    std::vector<std::vector<double>>& numberRows, TAVO_DataSource const* source) {
    const char decimalChar = GetLocaleCharacter();
    const std::size_t nVars = varIndices.size();
    const std::size_t nRows = textRows.size();
    if (!RowsFit(nVars, textRows, numberRows)) {
        return false;
    }
    // The value of every cell, read once: row r's values are values[r * nVars ...].
    std::vector<double> values(nRows * nVars);
    for (std::size_t r = 0; r < nRows; ++r) {
        for (std::size_t i = 0; i < nVars; ++i) {
            values[r * nVars + i] =
                StringToNumber(textRows[r][i], varIndices[i], source, decimalChar);
        }
    }
    std::vector<std::size_t> order(nRows);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), RowOrder(textRows, numberRows, values, nVars));
    MoveRows(order, textRows);
    if (!numberRows.empty()) {
        MoveRows(order, numberRows);
    }
    return true;
}

int HasBpCompArg(char const* text) {
    const std::size_t length = text == nullptr ? 0 : std::strlen(text);
    bool hasFirst = false;
    bool hasOther = false;
    for (std::size_t i = 0; i + 1 < length; ++i) {
        if (text[i] == '^') {
            if (text[i + 1] == '1') {
                hasFirst = true;
            } else {
                hasOther = true;
            }
        }
    }
    if (hasOther) {
        return -1;
    }
    return hasFirst ? 1 : 0;
}
