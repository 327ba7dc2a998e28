#ifndef TOOLS_UPARSE_SYNTAXINPUT_H
#define TOOLS_UPARSE_SYNTAXINPUT_H

#include <string>
#include <string_view>
#include <vector>

#include "refhost/CommandSplitter.h"

namespace uparse {

// A syntax file, or standard input for "-", read command by command: only the command at
// hand is held in memory, whatever the size of the file.
class SyntaxInput {
  public:
    explicit SyntaxInput(const std::string& path);
    ~SyntaxInput();
    SyntaxInput(const SyntaxInput&) = delete;
    SyntaxInput& operator=(const SyntaxInput&) = delete;

    // The path, or "<stdin>".
    const std::string& name() const { return mName; }
    // Opens the file; false, with the system's reason in error(), when it cannot be read (a
    // directory cannot).
    bool open();
    // The next command; false at the end of the input, or after a read error, which error()
    // then tells. A command cut short by a read error is not handed out.
    bool next(refhost::CommandText& command);
    const std::string& error() const { return mError; }
    // Whether the open input is a regular file, which is read to its end without waiting (a
    // terminal or a pipe may wait for its writer).
    bool regularFile() const;

  private:
    bool fail(int error);
    // The next line, without its LF, viewed in the buffer until the next call; false at the
    // end of the input or after a read error.
    bool nextLine(std::string_view& line);
    // Reads more of the input behind what is buffered; false at its end or on an error.
    bool fill();

    std::string mPath;
    std::string mName;
    int mFd = -1;
    bool mOwnsFile = false;
    bool mEnded = false;
    // The input is read in large blocks and cut into lines here: [mBegin, mEnd) is read and not
    // yet handed out. A line longer than the buffer makes it grow.
    std::vector<char> mBuffer;
    std::size_t mBegin = 0;
    std::size_t mEnd = 0;
    refhost::CommandSplitter mSplitter;
    std::string mError;
};

}  // namespace uparse

#endif
