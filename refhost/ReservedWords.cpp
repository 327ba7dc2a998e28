#include "refhost/ReservedWords.h"

#include <cstddef>
#include <cstdint>

namespace refhost {

namespace {

// A short text as one number: its length above its bytes, ASCII letters upper-cased, so that
// a word is told apart in one switch rather than by a comparison with each reserved word.
// Every word the tokenizer reads and every name the host validates comes through here.
constexpr uint64_t Key(const char* text, std::size_t length) {
    uint64_t key = length;
    for (std::size_t i = 0; i < length; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (static_cast<unsigned char>(c - 'a') < 26) {
            c = static_cast<unsigned char>(c - 0x20);
        }
        key = key << 8 | c;
    }
    return key;
}

template <std::size_t N>
constexpr uint64_t Key(const char (&word)[N]) {
    return Key(word, N - 1);
}

}  // namespace

int32_t ReservedWordCode(char const* text, std::size_t length) {
    if (text == nullptr || length < 2 || length > kLongestReservedWord) {
        return 0;
    }
    switch (Key(text, length)) {
        case Key("TO"):
            return TokenSequenceBase::ToWord;
        case Key("WITH"):
            return TokenSequenceBase::WithWord;
        case Key("BY"):
            return TokenSequenceBase::ByWord;
        case Key("ALL"):
            return TokenSequenceBase::AllWord;
        case Key("AND"):
            return AndWord;
        case Key("OR"):
            return OrWord;
        case Key("NOT"):
            return NotWord;
        case Key("EQ"):
            return EqWord;
        case Key("NE"):
            return NeWord;
        case Key("LT"):
            return LtWord;
        case Key("LE"):
            return LeWord;
        case Key("GT"):
            return GtWord;
        case Key("GE"):
            return GeWord;
        default:
            return 0;
    }
}

}  // namespace refhost
