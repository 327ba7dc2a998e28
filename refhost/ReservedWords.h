#ifndef REFHOST_RESERVEDWORDS_H
#define REFHOST_RESERVEDWORDS_H

#include <cstddef>

#include "uparser/host/TokenSequence.h"

namespace refhost {

// Operator codes of the reference tokenizer beyond those the library tests. They lie apart
// from every fixed code so that no library rule ever mistakes one of them.
enum ExtraOperatorCode : int32_t {
    AndWord = 40,
    OrWord = 41,
    NotWord = 42,
    EqWord = 43,
    NeWord = 44,
    LtWord = 45,
    LeWord = 46,
    GtWord = 47,
    GeWord = 48,
    Comma = 60,
    Plus = 61,
    Minus = 62,
    Less = 63,
    Greater = 64,
    LessEqual = 65,
    GreaterEqual = 66,
    NotEqual = 67,       // <>
    TildeEqual = 68,     // ~=
    Ampersand = 69,
    Bar = 70,
    Colon = 71,
    OtherOperator = 99   // any other byte
};

// The operator code of a reserved word (TO, WITH, BY, ALL, AND, OR, NOT, EQ, NE, LT, LE,
// GT, GE) written in any case, or 0 for every other text.
int32_t ReservedWordCode(char const* text, std::size_t length);

// Bytes of the longest reserved word: a longer text is none.
constexpr std::size_t kLongestReservedWord = 4;

}  // namespace refhost

#endif
