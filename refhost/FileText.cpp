#include "refhost/FileText.h"

#include <cstdio>

namespace refhost {

bool ReadFile(const std::string& path, std::string& content) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::string text;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (!failed) {
        content.swap(text);
    }
    return !failed;
}

}  // namespace refhost
