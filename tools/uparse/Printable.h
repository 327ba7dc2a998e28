#ifndef TOOLS_UPARSE_PRINTABLE_H
#define TOOLS_UPARSE_PRINTABLE_H

#include <string>
#include <string_view>

// Text taken from a syntax file, made fit for a terminal. Whatever bytes a file holds, the
// text output shows no control character, nothing that reorders or breaks lines, and no token
// longer than a line or two; the JSON output keeps every text whole.
namespace uparse {

// Control characters (C0, DEL, C1), bidirectional controls, the line and paragraph separators
// and bytes that are not UTF-8 written as escapes: \t \n \r, \xHH for other bytes below 0x80
// and for invalid bytes, \uHHHH for characters.
std::string Escaped(std::string_view text);

// Escaped, appended to out.
void AppendEscapedText(std::string& out, std::string_view text);

// Escaped, with every run of more than 100 characters without a blank cut to its first 80
// characters and "...[N bytes]", N being the length of the whole run: for a message that
// quotes tokens.
std::string Printable(std::string_view text);

// Escaped, with a text of more than 100 characters cut as a whole in the same way, appended
// to out: for one token, blanks and all, in output built in one buffer.
void AppendPrintableToken(std::string& out, std::string_view text);

// A literal of a few characters (separators, brackets, indents), appended a character at a
// time: the string's inline push_back costs less than a call of its append, and a tree has
// several such pieces on every line.
template <std::size_t N>
void AppendShort(std::string& out, const char (&text)[N]) {
    static_assert(N >= 2 && N <= 5, "for texts of one to four characters");
    for (std::size_t i = 0; i + 1 < N; ++i) {
        out.push_back(text[i]);
    }
}

}  // namespace uparse

#endif
