#include "uparser/host/MBString.h"

#include <cstring>

// The reference host's code page is bytes: ASCII letters change case, every byte of 0x80 and
// above is left as it is, and blanks are spaces, tabs and line ends.
namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

char* TAVOMBstrupr_A(char* text) {
    if (text == nullptr) {
        return text;
    }
    for (char* p = text; *p != '\0'; ++p) {
        *p = upperAscii(*p);
    }
    return text;
}

char* TAVOMBstrtrim_A(char* text) {
    if (text == nullptr) {
        return text;
    }
    char* begin = text;
    while (isBlank(*begin)) {
        ++begin;
    }
    std::size_t length = std::strlen(begin);
    while (length > 0 && isBlank(begin[length - 1])) {
        --length;
    }
    begin[length] = '\0';
    return begin;
}

int TAVOMBstrnccmp_A(char const* left, char const* right, std::size_t n) {
    if (n == 0 || left == right) {
        return 0;
    }
    if (left == nullptr || right == nullptr) {
        return left == nullptr ? -1 : 1;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char l = static_cast<unsigned char>(upperAscii(left[i]));
        const unsigned char r = static_cast<unsigned char>(upperAscii(right[i]));
        if (l != r) {
            return l < r ? -1 : 1;
        }
        if (l == '\0') {
            return 0;
        }
    }
    return 0;
}
