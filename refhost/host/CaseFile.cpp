#include "uparser/host/CaseFile.h"

#include <set>
#include <utility>

#include "refhost/CaseFiles.h"
#include "refhost/Dictionary.h"
#include "uparser/host/FileServices.h"

namespace {

// Host-wide, as a real host's table of open files is.
std::set<std::string>& filesInUse() {
    static std::set<std::string> files;
    return files;
}

struct FileStatus {
    int32_t exists = 0;
    int32_t wellFormed = 0;
    int32_t readOnly = 0;
    int32_t directory = 0;
};

FileStatus statusOf(const std::string& path) {
    FileStatus status;
    char message[264];
    ValidateFileSpecification(path.data(), path.size(), 0, message, status.exists,
                              status.wellFormed, status.readOnly, status.directory);
    return status;
}

}  // namespace

namespace refhost {

void MarkFileInUse(const std::string& path, bool inUse) {
    const std::string resolved = CheckFileRef(path, false).GetResolvedPath();
    if (inUse) {
        filesInUse().insert(resolved);
    } else {
        filesInUse().erase(resolved);
    }
}

void ClearFilesInUse() {
    filesInUse().clear();
}

}  // namespace refhost

ErrorText::ErrorText(std::string text) : mText(std::move(text)) {}

const char* ErrorText::what() const noexcept {
    return mText.c_str();
}

const std::string& ErrorText::Text() const {
    return mText;
}

UserCaseFileSpec::UserCaseFileSpec() : mForWrite(false) {}

UserCaseFileSpec::~UserCaseFileSpec() = default;

bool UserCaseFileSpec::Init(std::string const& path, bool isLiteral, bool forWrite) {
    mForWrite = forWrite;
    mPath = CheckFileRef(path, !isLiteral).GetResolvedPath();
    return !mPath.empty() && mPath.find('\0') == std::string::npos;
}

// A directory is not a file: it neither exists as a case file nor is a valid place for one.
bool UserCaseFileSpec::Exists() const {
    const FileStatus status = statusOf(mPath);
    return status.exists != 0 && status.directory == 0;
}

bool UserCaseFileSpec::IsValid() const {
    const FileStatus status = statusOf(mPath);
    return status.wellFormed != 0 && status.directory == 0;
}

bool UserCaseFileSpec::IsReadOnly() const {
    return statusOf(mPath).readOnly != 0;
}

bool UserCaseFileSpec::IsInUse() const {
    return !mPath.empty() && filesInUse().count(mPath) != 0;
}

std::string UserCaseFileSpec::DocumentationString() const {
    return mPath;
}

ProcedureDataSource::~ProcedureDataSource() = default;

UserInputCaseFile::UserInputCaseFile(const UserCaseFileSpec& spec,
                                     ProcedureDataSource* /*procedure*/)
    : mData(std::make_unique<refhost::Dictionary>(
          refhost::Dictionary::fromCsv(spec.DocumentationString()))) {}

UserInputCaseFile::~UserInputCaseFile() = default;

const TAVO_DataSource* UserInputCaseFile::DataSource() const {
    return mData.get();
}
