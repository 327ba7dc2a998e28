#include "tools/uparse/Data.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "refhost/refhost.h"
#include "tools/uparse/OpenFile.h"
#include "tools/uparse/Printable.h"
#include "tools/uparse/ProgramError.h"
#include "tools/uparse/SampleData.h"

namespace uparse {

namespace {

// The reference host reads dictionaries from files only, so the sample goes through a
// private temporary file that is removed at once.
bool WriteTemporary(const std::string& text, std::string& path, std::string& error) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern =
        std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/uparse-sample-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = "cannot create a temporary file for the sample data: " +
                std::string(std::strerror(errno));
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0) {
            error = "cannot write the sample data: " + std::string(std::strerror(errno));
            close(fd);
            unlink(pattern.c_str());
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    close(fd);
    path = pattern;
    return true;
}

}  // namespace

bool LoadDictionary(const std::string& path, refhost::Dictionary& dictionary, std::string& error) {
    std::string file = path;
    if (path.empty()) {
        if (!WriteTemporary(SampleCsv(), file, error)) {
            return false;
        }
    } else {
        // The reference host says only that it cannot read the file; the system knows why.
        std::string reason;
        const int fd = OpenFile(path, reason);
        if (fd < 0) {
            error = "cannot read the data file " + path + ": " + reason;
            return false;
        }
        close(fd);
    }
    bool loaded = false;
    try {
        dictionary = refhost::Dictionary::fromCsv(file);
        loaded = true;
    } catch (const ErrorText& failure) {
        // The message may quote a header cell of any length.
        error = Printable(LowerFirst(failure.what()));
    }
    if (path.empty()) {
        unlink(file.c_str());
        if (!loaded) {
            error = "the built-in sample data: " + error;
        }
    }
    return loaded;
}

}  // namespace uparse
