#ifndef REFHOST_UNICODETEXT_H
#define REFHOST_UNICODETEXT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The reference host's code page is UTF-8. These are the few things it needs of Unicode: reading
// characters, their classes for names, and the case rules under which names are one name.
//
// Invalid UTF-8 is never an error here: an ill-formed sequence is read as far as it could still
// have become a character (Unicode's "maximal subpart", at least one byte) and counts as one
// character that belongs to no class and has no case. Those who must report it (the tokenizer,
// the CSV reader, the name check) find it with FindInvalidUtf8.
//
// Case: two texts are the same name when their NFC-normalised, full case-folded forms are equal
// (Unicode's default folding, so "größe", "GRÖSSE" and "Größe" are one name, and so are a letter
// with a combining accent and its precomposed form; the Turkish dotless "ı" folds to itself and
// stays apart from "i" and "I"). UpperCase is the host's upper-case text: the folded form with
// every character that has a capital replaced by it, then NFC again. It is equal for two texts
// exactly when their folded forms are, so the library, which compares upper-cased names, and
// the dictionary, which compares folded names, agree. A character whose capital does not fold
// back to it keeps its own form ("ı" stays "ı", since "I" folds to "i").
//
// TAVOMBstrupr_A works in place, and an upper-case form can be longer in bytes than its text
// ("ɐ", two bytes, has the capital "Ɐ", three; "և" folds to two letters). When UpperCase of a
// text does not fit the text's own bytes, TAVOMBstrupr_A maps the text character by character
// instead: each character whose capital needs no more bytes than it does becomes that capital
// (by the one-to-one mapping, without folding or normalisation), the others stay as they are,
// so "ɐb" becomes "ɐB". TAVOMBstrnccmp_A counts n in bytes, as the library's lengths are, and
// compares the UpperCase forms of the first n bytes of each side.
namespace refhost {

// One character of UTF-8 text.
struct Utf8Char {
    char32_t code;       // the code point; U+FFFD when the bytes are not valid
    std::size_t length;  // bytes taken, at least 1
    bool valid;
};

// True when every byte is below 0x80: such text needs none of what follows. Inline, with the
// ASCII name classes, because the library asks about names on every token.
inline bool IsAscii(std::string_view text) {
    // Eight bytes at a time: a whole command text is asked about before it is tokenized.
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) {
            return false;
        }
    }
    for (; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) {
            return false;
        }
    }
    return true;
}

constexpr bool IsAsciiNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '@' || c == '#' || c == '$';
}

constexpr bool IsAsciiNameContinuation(unsigned char c) {
    return IsAsciiNameStart(c) || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

// Reads the character that begins at text[at]; at must lie inside text.
Utf8Char ReadUtf8(std::string_view text, std::size_t at);

// The offset of the first byte of the first ill-formed sequence, or npos.
std::size_t FindInvalidUtf8(std::string_view text);

// Characters in text, an ill-formed sequence counting as one.
std::size_t CountCharacters(std::string_view text);

// Where byte offset at of text lies: line from 1 (lines end at LF), column from 1 in
// characters (a tab is one).
struct TextPosition {
    long line;
    long column;
};
TextPosition PositionOf(std::string_view text, std::size_t at);

// "invalid UTF-8 byte 0xE9": what an ill-formed sequence starting at text[at] holds.
std::string DescribeInvalidUtf8(std::string_view text, std::size_t at);

// Name characters: a word or a variable name begins with a letter of any script, "@", "#" or
// "$", and continues with those, combining marks, decimal digits of any script, "_" and ".".
bool IsNameStart(char32_t code);
bool IsNameContinuation(char32_t code);

// Blanks, tabs, line ends and the Unicode space separators.
bool IsBlank(char32_t code);

// The host's upper-case form of text (see above); ill-formed bytes are kept as they are.
std::string UpperCase(std::string_view text);

// The NFC-normalised, case-folded form of text; ill-formed bytes are kept as they are.
std::string FoldCase(std::string_view text);

// The characters of text; an ill-formed sequence reads as one U+FFFD.
std::u32string Characters(std::string_view text);

// TAVOMBstrupr_A's rule where the full form does not fit: character by character, a capital
// replacing its letter only when it needs no more bytes. Never longer than text.
std::string UpperCaseInPlaceForm(std::string_view text);

}  // namespace refhost

#endif
