#include "tools/uparse/SyntaxInput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "tools/uparse/OpenFile.h"

namespace uparse {

namespace {

// Blocks as large as this are read at a time: the thread that reads holds up the others less
// often, and a line is found in them without a library call per line.
constexpr std::size_t kReadBuffer = std::size_t{256} << 10;
// A buffer grown for a huge line is given back after it, so that one line does not keep it
// for the rest of the input.
constexpr std::size_t kKeptBuffer = std::size_t{1} << 20;

}  // namespace

SyntaxInput::SyntaxInput(const std::string& path)
    : mPath(path), mName(path == "-" ? "<stdin>" : path) {}

SyntaxInput::~SyntaxInput() {
    if (mOwnsFile) {
        close(mFd);
    }
}

bool SyntaxInput::fail(int error) {
    mError = std::strerror(error);
    mEnded = true;
    return false;
}

bool SyntaxInput::open() {
    if (mPath == "-") {
        mFd = STDIN_FILENO;
    } else {
        mFd = OpenFile(mPath, mError);
        if (mFd < 0) {
            mEnded = true;
            return false;
        }
        mOwnsFile = true;
    }
    mBuffer.resize(kReadBuffer);
    return true;
}

bool SyntaxInput::regularFile() const {
    struct stat status {};
    return mFd >= 0 && fstat(mFd, &status) == 0 && S_ISREG(status.st_mode);
}

bool SyntaxInput::fill() {
    if (mBegin > 0) {
        std::memmove(mBuffer.data(), mBuffer.data() + mBegin, mEnd - mBegin);
        mEnd -= mBegin;
        mBegin = 0;
    }
    if (mBuffer.size() > kKeptBuffer && mEnd < kReadBuffer) {
        mBuffer.resize(kReadBuffer);
        mBuffer.shrink_to_fit();
    }
    if (mEnd == mBuffer.size()) {
        mBuffer.resize(mBuffer.size() * 2);
    }
    for (;;) {
        // A terminal or a pipe hands over what it has: a complete line is not waited beyond.
        const ssize_t got = read(mFd, mBuffer.data() + mEnd, mBuffer.size() - mEnd);
        if (got > 0) {
            mEnd += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            return false;
        }
        if (errno != EINTR) {
            return fail(errno);
        }
    }
}

bool SyntaxInput::nextLine(std::string_view& line) {
    std::size_t searched = mBegin;
    for (;;) {
        const void* newline = std::memchr(mBuffer.data() + searched, '\n', mEnd - searched);
        if (newline != nullptr) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(newline) -
                                                            mBuffer.data());
            line = std::string_view(mBuffer.data() + mBegin, at - mBegin);
            mBegin = at + 1;
            return true;
        }
        searched = mEnd - mBegin;
        if (!fill()) {
            if (mEnded || mBegin == mEnd) {
                return false;
            }
            // The last line, without its LF.
            line = std::string_view(mBuffer.data() + mBegin, mEnd - mBegin);
            mBegin = mEnd;
            return true;
        }
    }
}

bool SyntaxInput::next(refhost::CommandText& command) {
    while (!mEnded && mFd >= 0) {
        std::string_view line;
        if (!nextLine(line)) {
            if (mEnded) {
                return false;  // a read error: the open command is not handed out
            }
            mEnded = true;
            return mSplitter.finish(command);
        }
        const bool complete = mSplitter.addLine(line, command);
        if (mBuffer.size() > kKeptBuffer && mBegin == mEnd) {
            std::vector<char>(kReadBuffer).swap(mBuffer);
            mBegin = mEnd = 0;
        }
        if (complete) {
            return true;
        }
    }
    return false;
}

}  // namespace uparse
