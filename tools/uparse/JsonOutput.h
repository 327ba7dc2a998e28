#ifndef TOOLS_UPARSE_JSONOUTPUT_H
#define TOOLS_UPARSE_JSONOUTPUT_H

#include <string>

#include "tools/uparse/CommandReport.h"

namespace uparse {

// One line of JSON for the command: file, line, command, procedure, code, validated, ok,
// stage, tree, variables, diagnostics.
std::string JsonLine(const CommandReport& report);

}  // namespace uparse

#endif
