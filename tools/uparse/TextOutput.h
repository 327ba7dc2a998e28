#ifndef TOOLS_UPARSE_TEXTOUTPUT_H
#define TOOLS_UPARSE_TEXTOUTPUT_H

#include <ostream>

#include "tools/uparse/CommandReport.h"

namespace uparse {

// The command's tree and validated variables on out, its diagnostics on diagnostics in the
// compiler convention FILE:LINE:COLUMN: LEVEL: TEXT.
void PrintText(const CommandReport& report, std::ostream& out, std::ostream& diagnostics);

}  // namespace uparse

#endif
