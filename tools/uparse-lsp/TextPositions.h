#ifndef TOOLS_UPARSE_LSP_TEXTPOSITIONS_H
#define TOOLS_UPARSE_LSP_TEXTPOSITIONS_H

#include <cstddef>
#include <string_view>

namespace uparselsp {

// How the client counts the characters of a position: UTF-16 code units unless it offered
// UTF-8 at initialization.
enum class Encoding { Utf16, Utf8 };

// Bytes of the UTF-8 sequence that starts at text[at]; a byte that starts no valid sequence
// counts as one character of its own, as the tokenizer reads it.
std::size_t SequenceLength(std::string_view text, std::size_t at);

// The byte of line at which the position's character count ends. A count past the line's end
// means its end; one that falls inside a character moves back to that character's start.
std::size_t ByteOfUnits(std::string_view line, long units, Encoding encoding);
// The units of the encoding that the first bytes of line take.
long UnitsOfBytes(std::string_view line, std::size_t bytes, Encoding encoding);
// The byte of line at which the column-th character starts (columns count code points from 1,
// as the tokenizer's do); the line's length for a column past its end.
std::size_t ByteOfColumn(std::string_view line, long column);

}  // namespace uparselsp

#endif
