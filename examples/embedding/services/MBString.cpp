// Text functions: this host's texts are ASCII, upper-cased and compared byte by byte.
#include "uparser/host/MBString.h"

#include <strings.h>
#include <cctype>
#include <cstring>

char* TAVOMBstrupr_A(char* text) {
    for (char* c = text; c != nullptr && *c != '\0'; ++c) {
        *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return text;
}

char* TAVOMBstrtrim_A(char* text) {
    if (text == nullptr) {
        return text;
    }
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    std::size_t end = std::strlen(text);
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) {
        text[--end] = '\0';
    }
    return text;
}

int TAVOMBstrnccmp_A(char const* left, char const* right, std::size_t n) {
    return strncasecmp(left, right, n);
}
