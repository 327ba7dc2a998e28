#ifndef UPARSER_HOST_CASEFILE_H
#define UPARSER_HOST_CASEFILE_H

#include <exception>
#include <memory>
#include <string>

#include "uparser/Export.h"

class TAVO_DataSource;

// The host's exception for a file it cannot open as case data.
class UPARSER_HOST_API ErrorText : public std::exception {
public:
    explicit ErrorText(std::string text);
    const char* what() const noexcept override;
    const std::string& Text() const;

private:
    std::string mText;
};

// A case (data) file named in a command, for reading or writing.
class UPARSER_HOST_API UserCaseFileSpec {
public:
    UserCaseFileSpec();
    ~UserCaseFileSpec();

    // Resolves the path; false when it cannot name a file at all.
    bool Init(std::string const& path, bool isLiteral, bool forWrite);

    bool Exists() const;
    bool IsValid() const;     // well formed, and its directory exists
    bool IsReadOnly() const;  // exists and cannot be written
    bool IsInUse() const;     // held open by the host
    std::string DocumentationString() const;

private:
    std::string mPath;
    bool mForWrite;
};

// The data source of the running procedure; opaque to the library, which passes null.
class UPARSER_HOST_API ProcedureDataSource {
public:
    virtual ~ProcedureDataSource();
};

// Opens a case file for reading. Throws ErrorText when the file is not readable case data.
class UPARSER_HOST_API UserInputCaseFile {
public:
    UserInputCaseFile(const UserCaseFileSpec& spec, ProcedureDataSource* procedure);
    ~UserInputCaseFile();
    UserInputCaseFile(const UserInputCaseFile&) = delete;
    UserInputCaseFile& operator=(const UserInputCaseFile&) = delete;

    // The file's dictionary; owned by this object.
    const TAVO_DataSource* DataSource() const;

private:
    std::unique_ptr<TAVO_DataSource> mData;
};

#endif
