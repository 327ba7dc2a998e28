#ifndef TOOLS_UPARSE_DATA_H
#define TOOLS_UPARSE_DATA_H

#include <string>

#include "refhost/Dictionary.h"

namespace uparse {

// The dictionary of the CSV data file at path, or of the built-in sample when path is empty.
// False, with the reason in error, when the file cannot be read as a data file.
bool LoadDictionary(const std::string& path, refhost::Dictionary& dictionary, std::string& error);

}  // namespace uparse

#endif
