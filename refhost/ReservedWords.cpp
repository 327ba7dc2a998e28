#include "refhost/ReservedWords.h"

#include <cstring>

namespace refhost {

namespace {

struct ReservedWord {
    const char* upper;
    int32_t code;
};

constexpr ReservedWord kReservedWords[] = {
    {"TO", TokenSequenceBase::ToWord}, {"WITH", TokenSequenceBase::WithWord},
    {"BY", TokenSequenceBase::ByWord}, {"ALL", TokenSequenceBase::AllWord},
    {"AND", AndWord},                  {"OR", OrWord},
    {"NOT", NotWord},                  {"EQ", EqWord},
    {"NE", NeWord},                    {"LT", LtWord},
    {"LE", LeWord},                    {"GT", GtWord},
    {"GE", GeWord},
};

bool equalsIgnoringAsciiCase(const char* text, std::size_t length, const char* upper) {
    if (std::strlen(upper) != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

int32_t ReservedWordCode(char const* text, std::size_t length) {
    if (text == nullptr || length == 0 || length > 4) {
        return 0;
    }
    for (const ReservedWord& word : kReservedWords) {
        if (equalsIgnoringAsciiCase(text, length, word.upper)) {
            return word.code;
        }
    }
    return 0;
}

}  // namespace refhost
