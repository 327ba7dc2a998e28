// Paths as this host understands them: as written, checked against the file system.
#include "uparser/host/FileServices.h"

#include <filesystem>
#include <system_error>

CheckFileRef::CheckFileRef(std::string const& path, bool /*isWord*/) : mResolved(path) {}

CheckFileRef::~CheckFileRef() = default;

const std::string& CheckFileRef::GetResolvedPath() const {
    return mResolved;
}

void ValidateFileSpecification(char const* path, std::size_t length, int /*validate*/, char* out,
                               int32_t& exists, int32_t& wellFormed, int32_t& readOnly,
                               int32_t& directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(std::string(path, length));
    const fs::path parent = file.has_parent_path() ? file.parent_path() : fs::path(".");
    exists = fs::is_regular_file(file, error) ? 1 : 0;
    directory = fs::is_directory(file, error) ? 1 : 0;
    wellFormed = length > 0 && fs::is_directory(parent, error) ? 1 : 0;
    readOnly = 0;
    out[0] = '\0';
}
