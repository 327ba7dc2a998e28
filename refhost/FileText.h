#ifndef REFHOST_FILETEXT_H
#define REFHOST_FILETEXT_H

#include <string>

namespace refhost {

// Replaces content with the whole file, read as bytes. False when the file cannot be opened or
// read (a directory fails on reading); errno then tells why, unless the path itself was empty
// or held a NUL byte.
bool ReadFile(const std::string& path, std::string& content);

}  // namespace refhost

#endif
