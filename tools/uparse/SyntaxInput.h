#ifndef TOOLS_UPARSE_SYNTAXINPUT_H
#define TOOLS_UPARSE_SYNTAXINPUT_H

#include <cstdio>
#include <string>
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

    std::string mPath;
    std::string mName;
    std::vector<char> mReadBuffer;  // a named file's stdio buffer, freed after the file is closed
    std::FILE* mFile = nullptr;
    bool mOwnsFile = false;
    bool mEnded = false;
    char* mLine = nullptr;  // getline's buffer
    std::size_t mCapacity = 0;
    refhost::CommandSplitter mSplitter;
    std::string mError;
};

}  // namespace uparse

#endif
