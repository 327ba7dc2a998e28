#include "refhost/ReservedWords.h"

#include <cstddef>

namespace refhost {

namespace {

struct ReservedWord {
    template <std::size_t N>
    constexpr ReservedWord(const char (&text)[N], int32_t wordCode)
        : upper(text), length(N - 1), code(wordCode) {}

    const char* upper;
    std::size_t length;
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

// The word's length is known, so most words are told apart without reading their text; every
// word the tokenizer reads and every name the host validates comes through here.
bool equalsIgnoringAsciiCase(const char* text, std::size_t length, const ReservedWord& word) {
    if (word.length != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != word.upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

int32_t ReservedWordCode(char const* text, std::size_t length) {
    if (text == nullptr || length == 0 || length > kLongestReservedWord) {
        return 0;
    }
    for (const ReservedWord& word : kReservedWords) {
        if (equalsIgnoringAsciiCase(text, length, word)) {
            return word.code;
        }
    }
    return 0;
}

}  // namespace refhost
