#ifndef REFHOST_SPLITCOMMANDS_H
#define REFHOST_SPLITCOMMANDS_H

#include <string>
#include <vector>

namespace refhost {

// One command of a syntax text and the line (counted from 1) on which it starts.
struct CommandText {
    std::string text;
    long firstLine;
};

// Cuts a syntax text into commands. A command starts at its first non-blank line and ends at
// a line whose last non-blank byte is ".", before a blank line, or at the end of the text.
// The text keeps the command's lines as written, joined by LF without their CR, the final "."
// included (TextTokenSequence drops it). The cut is made by lines alone: a literal cannot run
// past the end of its line, so a "." ending a line inside an unterminated literal ends the
// command too. A command of nothing but its "." is left out.
std::vector<CommandText> SplitCommands(const std::string& text);

}  // namespace refhost

#endif
