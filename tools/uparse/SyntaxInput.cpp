#include "tools/uparse/SyntaxInput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "tools/uparse/OpenFile.h"

namespace uparse {

namespace {

constexpr std::size_t kKeptBuffer = std::size_t{1} << 20;
// A named file is read in large blocks rather than the C library's 4 KB: the thread that
// reads holds up the others less often.
constexpr std::size_t kReadBuffer = std::size_t{256} << 10;

}  // namespace

SyntaxInput::SyntaxInput(const std::string& path)
    : mPath(path), mName(path == "-" ? "<stdin>" : path) {}

SyntaxInput::~SyntaxInput() {
    std::free(mLine);
    if (mOwnsFile) {
        std::fclose(mFile);
    }
}

bool SyntaxInput::fail(int error) {
    mError = std::strerror(error);
    mEnded = true;
    return false;
}

bool SyntaxInput::open() {
    if (mPath == "-") {
        mFile = stdin;
        return true;
    }
    const int fd = OpenFile(mPath, mError);
    if (fd < 0) {
        mEnded = true;
        return false;
    }
    mFile = fdopen(fd, "rb");
    if (mFile == nullptr) {
        const int error = errno;
        close(fd);
        return fail(error);
    }
    mOwnsFile = true;
    // The C library sizes a buffer it allocates itself by the device, whatever size is asked:
    // the larger one is ours, and lives until the file is closed.
    mReadBuffer.resize(kReadBuffer);
    std::setvbuf(mFile, mReadBuffer.data(), _IOFBF, mReadBuffer.size());
    return true;
}

bool SyntaxInput::regularFile() const {
    struct stat status {};
    return mFile != nullptr && fstat(fileno(mFile), &status) == 0 && S_ISREG(status.st_mode);
}

bool SyntaxInput::next(refhost::CommandText& command) {
    while (!mEnded && mFile != nullptr) {
        errno = 0;
        const ssize_t length = getline(&mLine, &mCapacity, mFile);
        if (length < 0) {
            if (std::ferror(mFile)) {
                return fail(errno != 0 ? errno : EIO);
            }
            mEnded = true;
            return mSplitter.finish(command);
        }
        std::string_view line(mLine, static_cast<std::size_t>(length));
        if (!line.empty() && line.back() == '\n') {
            line.remove_suffix(1);
        }
        const bool complete = mSplitter.addLine(line, command);
        // One huge line must not stay reserved for the rest of the file.
        if (mCapacity > kKeptBuffer) {
            std::free(mLine);
            mLine = nullptr;
            mCapacity = 0;
        }
        if (complete) {
            return true;
        }
    }
    return false;
}

}  // namespace uparse
