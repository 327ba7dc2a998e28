#ifndef UPARSER_HOST_FILESERVICES_H
#define UPARSER_HOST_FILESERVICES_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "uparser/Export.h"

// Resolves a path as the host understands it. isWord is true when the path was written as a
// plain word rather than a quoted literal.
class UPARSER_HOST_API CheckFileRef {
public:
    CheckFileRef(std::string const& path, bool isWord);
    ~CheckFileRef();

    const std::string& GetResolvedPath() const;

private:
    std::string mResolved;
};

// Checks a resolved path. validate is 1 when the path is meant for a file to be created or
// replaced. out receives a 264-byte message (unused by the library). The four status words:
//   exists      the file exists
//   wellFormed  the path is well formed and its directory exists
//   readOnly    the file exists and cannot be written
//   directory   the path names a directory
UPARSER_HOST_API void ValidateFileSpecification(char const* path, std::size_t length,
                                                int validate, char* out, int32_t& exists,
                                                int32_t& wellFormed, int32_t& readOnly,
                                                int32_t& directory);

#endif
