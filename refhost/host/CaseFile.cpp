#include "uparser/host/CaseFile.h"

#include <set>
#include <utility>

#include "refhost/CaseFiles.h"
#include "refhost/Dictionary.h"
#include "refhost/host/PathStatus.h"
#include "uparser/host/FileServices.h"

namespace {

// Host-wide, as a real host's table of open files is.
std::set<std::string>& filesInUse() {
    static std::set<std::string> files;
    return files;
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

// Each question makes only the system calls it needs (ValidateFileSpecification makes all of
// them), and asks the system afresh: a spec may be kept while files come and go.
// A directory is not a file: it neither exists as a case file nor is a valid place for one.
bool UserCaseFileSpec::Exists() const {
    const refhost::PathStatus status = refhost::StatPath(mPath);
    return status.exists && !status.directory;
}

// A file that exists stands in a directory (the system found it there), so only a missing
// one needs its directory looked up.
bool UserCaseFileSpec::IsValid() const {
    const refhost::PathStatus status = refhost::StatPath(mPath);
    if (!status.formed || status.directory) {
        return false;
    }
    return status.exists || refhost::ParentIsDirectory(mPath);
}

bool UserCaseFileSpec::IsReadOnly() const {
    return refhost::StatPath(mPath).exists && refhost::CannotWrite(mPath);
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
