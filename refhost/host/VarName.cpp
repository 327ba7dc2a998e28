#include "uparser/host/VarName.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "refhost/NoInline.h"
#include "refhost/ReservedWords.h"
#include "refhost/UnicodeText.h"

TavoVarName::TavoVarName() = default;

TavoVarName::TavoVarName(char const* text) : mText(text != nullptr ? text : "") {}

TavoVarName::TavoVarName(std::string text) : mText(std::move(text)) {}

const std::string& TavoVarName::str() const { return mText; }

TavoVarName::operator const std::string&() const { return mText; }

char const* TavoVarName::c_str() const { return mText.c_str(); }

bool TavoVarName::empty() const { return mText.empty(); }

bool TavoVarName::operator==(const TavoVarName& other) const { return mText == other.mText; }

bool TavoVarName::operator!=(const TavoVarName& other) const { return mText != other.mText; }

bool TavoVarName::operator<(const TavoVarName& other) const { return mText < other.mText; }

namespace {

constexpr std::size_t kMaxNameBytes = 64;

// The ASCII name classes as a table, and where a fast scan must stop (the end, or a byte
// beyond ASCII): the library asks about names on every token, and most are ASCII throughout.
constexpr unsigned char kStart = 1;
constexpr unsigned char kContinuation = 2;
constexpr unsigned char kStop = 4;

struct NameByteClasses {
    unsigned char of[256] = {};
    constexpr NameByteClasses() {
        for (unsigned c = 0; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == 0 || c >= 0x80) {
                of[c] = kStop;
                continue;
            }
            of[c] = static_cast<unsigned char>(
                (refhost::IsAsciiNameStart(byte) ? kStart : 0) |
                (refhost::IsAsciiNameContinuation(byte) ? kContinuation : 0));
        }
    }
};

constexpr NameByteClasses kNameBytes;

// The characters of a name from `at` on, where it leaves ASCII: 0, or the verdict (2, 3, 6).
// Out of line, so that judging an ASCII name saves no registers.
REFHOST_NOINLINE int JudgeBeyondAscii(std::string_view text, std::size_t at) {
    while (at < text.size()) {
        const auto c = static_cast<unsigned char>(text[at]);
        bool accepted = false;
        std::size_t length = 1;
        if (c < 0x80) {
            accepted = at == 0 ? refhost::IsAsciiNameStart(c) : refhost::IsAsciiNameContinuation(c);
        } else {
            const refhost::Utf8Char character = refhost::ReadUtf8(text, at);
            if (!character.valid) {
                return 6;
            }
            accepted = at == 0 ? refhost::IsNameStart(character.code)
                               : refhost::IsNameContinuation(character.code);
            length = character.length;
        }
        if (!accepted) {
            return at == 0 ? 2 : 3;
        }
        at += length;
    }
    return 0;
}

}  // namespace

// 1: empty or too long; 2: a bad first character; 3: a bad later character; 4: ends in ".";
// 5: a reserved word; 6: not valid UTF-8; the first finding in that order of reading wins.
int ValidateTAVOName(char const* name) {
    if (name == nullptr) {
        return 1;
    }
    // The ASCII run at the start is measured and judged in one pass: whether its first byte
    // may start a name, and whether all later ones may continue it.
    const auto* bytes = reinterpret_cast<const unsigned char*>(name);
    const unsigned char first = kNameBytes.of[bytes[0]];
    unsigned char later = kContinuation;
    std::size_t size = first & kStop ? 0 : 1;
    for (; (kNameBytes.of[bytes[size]] & kStop) == 0; ++size) {
        later &= kNameBytes.of[bytes[size]];
    }
    const std::string_view text(name, bytes[size] == 0 ? size : std::strlen(name));
    if (text.empty() || text.size() > kMaxNameBytes) {
        return 1;
    }
    if (size > 0 && (first & kStart) == 0) {
        return 2;
    }
    if (later == 0) {
        return 3;
    }
    if (size < text.size()) {
        const int verdict = JudgeBeyondAscii(text, size);
        if (verdict != 0) {
            return verdict;
        }
    }
    if (text.back() == '.') {
        return 4;
    }
    // Reserved words are all short: most names need no look.
    if (text.size() <= refhost::kLongestReservedWord &&
        refhost::ReservedWordCode(name, text.size()) != 0) {
        return 5;
    }
    return 0;
}
