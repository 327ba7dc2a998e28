#ifndef TOOLS_UPARSE_PROGRAMERROR_H
#define TOOLS_UPARSE_PROGRAMERROR_H

#include <string>

namespace uparse {

// The program's own messages (usage, files it cannot read), as opposed to findings about
// commands. All have one form on standard error: "uparse: WHAT", or "uparse: WHAT: REASON"
// when the system gave a reason; WHAT begins in lower case. Control characters are escaped
// (Printable.h). Standard output is flushed first, so that the message stands after the
// results printed before it.
void ReportProgramError(const std::string& what, const std::string& reason = "");

// text with its first letter in lower case, for a message that comes from elsewhere.
std::string LowerFirst(std::string text);

}  // namespace uparse

#endif
