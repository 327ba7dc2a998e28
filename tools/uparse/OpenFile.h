#ifndef TOOLS_UPARSE_OPENFILE_H
#define TOOLS_UPARSE_OPENFILE_H

#include <string>

namespace uparse {

// A descriptor open for reading the file at path, or -1 with the system's reason in reason.
// A directory is refused (EISDIR): it opens, but reading it fails or, on some systems, gives
// bytes that are no text.
int OpenFile(const std::string& path, std::string& reason);

}  // namespace uparse

#endif
