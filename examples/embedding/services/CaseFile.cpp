// Case files. This host takes its data from its own data set only, so it opens no case file:
// asked to, it throws ErrorText, which the library reports as a file that is not case data.
#include "uparser/host/CaseFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "uparser/host/DataSource.h"

ErrorText::ErrorText(std::string text) : mText(std::move(text)) {}
const char* ErrorText::what() const noexcept {
    return mText.c_str();
}
const std::string& ErrorText::Text() const {
    return mText;
}

ProcedureDataSource::~ProcedureDataSource() = default;

UserCaseFileSpec::UserCaseFileSpec() : mForWrite(false) {}
UserCaseFileSpec::~UserCaseFileSpec() = default;

bool UserCaseFileSpec::Init(std::string const& path, bool /*isLiteral*/, bool forWrite) {
    mPath = path;
    mForWrite = forWrite;
    return !path.empty();
}

bool UserCaseFileSpec::Exists() const {
    std::error_code error;
    return std::filesystem::is_regular_file(mPath, error);
}

bool UserCaseFileSpec::IsValid() const {
    return !mPath.empty();
}
bool UserCaseFileSpec::IsReadOnly() const {
    return false;
}
bool UserCaseFileSpec::IsInUse() const {
    return false;
}
std::string UserCaseFileSpec::DocumentationString() const {
    return mPath;
}

UserInputCaseFile::UserInputCaseFile(const UserCaseFileSpec& spec, ProcedureDataSource*) {
    throw ErrorText("this host opens no case file: " + spec.DocumentationString());
}

UserInputCaseFile::~UserInputCaseFile() = default;

const TAVO_DataSource* UserInputCaseFile::DataSource() const {
    return mData.get();
}
