#include "uparser/host/MBString.h"

#include <cstring>
#include <string>
#include <string_view>

#include "refhost/NoInline.h"
#include "refhost/UnicodeText.h"

// The reference host's code page is UTF-8 with Unicode's case rules (refhost/UnicodeText.h
// says what happens where an upper-case form is longer than its text). ASCII text, which is
// nearly all the library ever hands over, takes a path of its own without allocation.
namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length of text, but no more than n.
std::size_t boundedLength(const char* text, std::size_t n) {
    const void* end = std::memchr(text, '\0', n);
    return end == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(end) - text);
}

// The whole text once it has turned out to reach beyond ASCII; the letters already
// upper-cased change nothing of the result. Out of line, so that the ASCII loop saves no
// registers.
REFHOST_NOINLINE char* upperCaseBeyondAscii(char* text) {
    const std::string_view original(text);
    std::string upper = refhost::UpperCase(original);
    if (upper.size() > original.size()) {
        upper = refhost::UpperCaseInPlaceForm(original);
    }
    std::memcpy(text, upper.data(), upper.size());
    text[upper.size()] = '\0';
    return text;
}

}  // namespace

char* TAVOMBstrupr_A(char* text) {
    if (text == nullptr) {
        return text;
    }
    for (char* p = text; *p != '\0'; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80) {
            return upperCaseBeyondAscii(text);
        }
        *p = upperAscii(*p);
    }
    return text;
}

char* TAVOMBstrtrim_A(char* text) {
    if (text == nullptr) {
        return text;
    }
    const std::string_view whole(text);
    std::size_t begin = 0;
    std::size_t end = 0;  // past the last character that is not blank
    bool leading = true;
    for (std::size_t at = 0; at < whole.size();) {
        const refhost::Utf8Char c = refhost::ReadUtf8(whole, at);
        const bool blank = c.valid && refhost::IsBlank(c.code);
        if (leading && blank) {
            begin = at + c.length;
        } else if (!blank) {
            leading = false;
            end = at + c.length;
        }
        at += c.length;
    }
    char* trimmed = text + begin;
    trimmed[end > begin ? end - begin : 0] = '\0';
    return trimmed;
}

int TAVOMBstrnccmp_A(char const* left, char const* right, std::size_t n) {
    if (n == 0 || left == right) {
        return 0;
    }
    if (left == nullptr || right == nullptr) {
        return left == nullptr ? -1 : 1;
    }
    const std::size_t leftLength = boundedLength(left, n);
    const std::size_t rightLength = boundedLength(right, n);
    if (refhost::IsAscii(std::string_view(left, leftLength)) &&
        refhost::IsAscii(std::string_view(right, rightLength))) {
        for (std::size_t i = 0;; ++i) {
            const auto l = static_cast<unsigned char>(i < leftLength ? upperAscii(left[i]) : 0);
            const auto r = static_cast<unsigned char>(i < rightLength ? upperAscii(right[i]) : 0);
            if (l != r) {
                return l < r ? -1 : 1;
            }
            if (l == 0) {
                return 0;
            }
        }
    }
    const int order = refhost::UpperCase(std::string_view(left, leftLength))
                          .compare(refhost::UpperCase(std::string_view(right, rightLength)));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
