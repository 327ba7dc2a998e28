#ifndef REFHOST_COMMANDSPLITTER_H
#define REFHOST_COMMANDSPLITTER_H

#include <string>
#include <string_view>

namespace refhost {

// One command of a syntax text and the line (counted from 1) on which it starts.
struct CommandText {
    std::string text;
    long firstLine;
};

// Cuts a syntax text into commands as its lines arrive, so that a program can check a file of
// any size command by command. A command starts at its first non-blank line and ends at a line
// whose last non-blank byte is ".", before a blank line, or at the end of the text. The text
// keeps the command's lines as written, joined by LF without their CR, the final "." included
// (TextTokenSequence drops it). The cut is made by lines alone: a literal cannot run past the
// end of its line, so a "." ending a line inside an unterminated literal ends the command too.
// A command of nothing but its "." is left out.
class CommandSplitter {
  public:
    // Takes the next line of the text, without its LF. True when the line completed a command,
    // which is then moved into command.
    bool addLine(std::string_view line, CommandText& command);
    // The end of the text: true when a command was still open, which is then moved into
    // command. The splitter starts a new text afterwards.
    bool finish(CommandText& command);

  private:
    // Hands over the open command unless it is empty or only its ".".
    bool close(CommandText& command);

    CommandText mOpen{std::string(), 0};
    long mLine = 0;
};

}  // namespace refhost

#endif
