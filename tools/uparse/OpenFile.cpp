#include "tools/uparse/OpenFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace uparse {

int OpenFile(const std::string& path, std::string& reason) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        reason = std::strerror(S_ISDIR(status.st_mode) ? EISDIR : errno);
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace uparse
