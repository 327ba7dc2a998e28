#include "uparser/host/FileServices.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "refhost/FileStatusMemo.h"
#include "refhost/WorkingDirectory.h"
#include "refhost/host/PathStatus.h"

namespace {

constexpr std::size_t kMessageBytes = 264;
constexpr std::size_t kMaxComponentBytes = 255;

// The directory set by FixWorkingDirectory, with its trailing "/"; empty while the system is
// asked every time.
std::string& fixedDirectory() {
    static std::string directory;
    return directory;
}

// The current directory with a trailing "/"; empty when the system cannot tell it.
std::string workingDirectory() {
    if (!fixedDirectory().empty()) {
        return fixedDirectory();
    }
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) {
        return std::string();
    }
    std::string base(buffer);
    if (base.empty() || base.back() != '/') {
        base.push_back('/');
    }
    return base;
}

// "~" alone or "~/..." from HOME; a relative path against the current directory. Nothing is
// normalised: the file system judges "." and ".." when the path is used.
std::string resolvePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::string resolved = path;
    if (path[0] == '~' && (path.size() == 1 || path[1] == '/')) {
        const char* home = std::getenv("HOME");
        if (home != nullptr && home[0] != '\0') {
            resolved = std::string(home) + path.substr(1);
        }
    }
    if (resolved[0] != '/') {
        const std::string base = workingDirectory();
        if (!base.empty()) {
            resolved = base + resolved;
        }
    }
    return resolved;
}

bool isDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The directory that would hold the path's last component.
std::string parentOf(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool componentsFit(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end - start > kMaxComponentBytes) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

// The message, cut to fit the caller's 264 bytes with its NUL; a copy, without the cost of a
// formatted print, as a memo's answer is copied out on every call.
void say(char* out, const char* text) {
    if (out != nullptr) {
        const std::size_t length = std::min(std::strlen(text), kMessageBytes - 1);
        std::memcpy(out, text, length);
        out[length] = '\0';
    }
}

// A path of no bytes, one too long for the system, one with a NUL byte or with a name longer
// than a file system allows names no file; out says which.
bool formedPath(char const* path, std::size_t length, char* out) {
    if (path == nullptr || length == 0 || length >= PATH_MAX ||
        std::memchr(path, '\0', length) != nullptr) {
        say(out, "The path is not valid.");
        return false;
    }
    if (!componentsFit(std::string_view(path, length))) {
        say(out, "A name in the path is too long.");
        return false;
    }
    return true;
}

// The memo of the calling thread, if it has one.
refhost::FileStatusMemo*& threadMemo() {
    thread_local refhost::FileStatusMemo* memo = nullptr;
    return memo;
}

refhost::PathStatus statFormed(const std::string& path) {
    refhost::PathStatus result;
    result.formed = true;
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) {
        result.exists = true;
        result.directory = S_ISDIR(status.st_mode);
    }
    return result;
}

}  // namespace

namespace refhost {

PathStatus StatPath(const std::string& path) {
    return formedPath(path.data(), path.size(), nullptr) ? statFormed(path) : PathStatus{};
}

bool ParentIsDirectory(const std::string& path) {
    return isDirectory(parentOf(path));
}

bool CannotWrite(const std::string& path) {
    return access(path.c_str(), W_OK) != 0;
}

FileStatusMemo::FileStatusMemo() : mOuter(threadMemo()) {
    threadMemo() = this;
}

FileStatusMemo::~FileStatusMemo() {
    threadMemo() = mOuter;
}

FileStatusMemo* FileStatusMemo::current() {
    return threadMemo();
}

const FileStatusMemo::Answer* FileStatusMemo::find(const char* path, std::size_t length) const {
    for (const Answer& answer : mAnswers) {
        if (answer.path.size() == length && answer.path.compare(0, length, path, length) == 0) {
            return &answer;
        }
    }
    return nullptr;
}

void FileStatusMemo::keep(Answer answer) {
    mAnswers.push_back(std::move(answer));
}

bool FixWorkingDirectory() {
    FollowWorkingDirectory();
    fixedDirectory() = workingDirectory();
    return !fixedDirectory().empty();
}

void FollowWorkingDirectory() {
    fixedDirectory().clear();
}

}  // namespace refhost

// The word flag changes nothing here: a word and a literal name a file the same way.
CheckFileRef::CheckFileRef(std::string const& path, bool /*isWord*/)
    : mResolved(resolvePath(path)) {}

CheckFileRef::~CheckFileRef() = default;

const std::string& CheckFileRef::GetResolvedPath() const {
    return mResolved;
}

namespace {

// The status words and message, as the file system answers now.
void askFileSystem(char const* path, std::size_t length, char* out, int32_t& exists,
                   int32_t& wellFormed, int32_t& readOnly, int32_t& directory) {
    if (!formedPath(path, length, out)) {
        return;
    }
    const std::string text(path, length);
    const refhost::PathStatus status = statFormed(text);
    if (status.exists) {
        exists = 1;
        directory = status.directory ? 1 : 0;
        readOnly = refhost::CannotWrite(text) ? 1 : 0;
    }
    // A path the system found has its directory: the lookup went through it.
    wellFormed = status.exists || refhost::ParentIsDirectory(text) ? 1 : 0;
    if (wellFormed == 0) {
        say(out, "The directory of the file does not exist.");
    } else if (directory != 0) {
        say(out, "The path names a directory.");
    } else if (exists == 0) {
        say(out, "The file does not exist.");
    } else if (readOnly != 0) {
        say(out, "The file cannot be written.");
    } else {
        say(out, "");
    }
}

}  // namespace

// validate does not change the status words; the caller decides what it needs of them.
void ValidateFileSpecification(char const* path, std::size_t length, int /*validate*/, char* out,
                               int32_t& exists, int32_t& wellFormed, int32_t& readOnly,
                               int32_t& directory) {
    exists = 0;
    wellFormed = 0;
    readOnly = 0;
    directory = 0;
    refhost::FileStatusMemo* memo = refhost::FileStatusMemo::current();
    const refhost::FileStatusMemo::Answer* known =
        memo != nullptr && path != nullptr ? memo->find(path, length) : nullptr;
    if (known != nullptr) {
        exists = known->exists;
        wellFormed = known->wellFormed;
        readOnly = known->readOnly;
        directory = known->directory;
        say(out, known->message.c_str());
        return;
    }
    char message[kMessageBytes] = {};
    askFileSystem(path, length, message, exists, wellFormed, readOnly, directory);
    say(out, message);
    if (memo != nullptr && path != nullptr) {
        memo->keep({std::string(path, length), message, exists, wellFormed, readOnly, directory});
    }
}
