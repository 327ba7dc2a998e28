#include "uparser/host/FileServices.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "refhost/WorkingDirectory.h"

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

bool componentsFit(const std::string& path) {
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

void say(char* out, const char* text) {
    if (out != nullptr) {
        std::snprintf(out, kMessageBytes, "%s", text);
    }
}

}  // namespace

namespace refhost {

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

// validate does not change the status words; the caller decides what it needs of them.
void ValidateFileSpecification(char const* path, std::size_t length, int /*validate*/, char* out,
                               int32_t& exists, int32_t& wellFormed, int32_t& readOnly,
                               int32_t& directory) {
    exists = 0;
    wellFormed = 0;
    readOnly = 0;
    directory = 0;
    if (path == nullptr || length == 0 || length >= PATH_MAX ||
        std::memchr(path, '\0', length) != nullptr) {
        say(out, "The path is not valid.");
        return;
    }
    const std::string text(path, length);
    if (!componentsFit(text)) {
        say(out, "A name in the path is too long.");
        return;
    }
    struct stat status {};
    if (stat(text.c_str(), &status) == 0) {
        exists = 1;
        directory = S_ISDIR(status.st_mode) ? 1 : 0;
        readOnly = access(text.c_str(), W_OK) != 0 ? 1 : 0;
    }
    wellFormed = isDirectory(parentOf(text)) ? 1 : 0;
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
