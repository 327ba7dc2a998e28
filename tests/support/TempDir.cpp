#include "support/TempDir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir() {
    std::error_code error;
    std::string pattern = std::filesystem::temp_directory_path(error).string();
    if (error || pattern.empty()) {
        pattern = "/tmp";
    }
    pattern += "/uparser-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    mPath = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(mPath, error);
}

std::string TempDir::file(const std::string& name) const {
    return mPath + "/" + name;
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string path = file(name);
    std::ofstream stream(path, std::ios::binary);
    stream << content;
    if (!stream) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}

}  // namespace testsupport
