#ifndef TOOLS_UPARSE_SYNTAXCHART_H
#define TOOLS_UPARSE_SYNTAXCHART_H

#include <string>

#include "examples/procedures/Procedure.h"

namespace uparse {

// The procedure's command syntax, generated from its grammar: optional parts in [ ], choices
// in { | }, repetition as "...", bounds as intervals.
std::string SyntaxChart(const examples::Procedure& procedure);

// The chart of one subcommand of the grammar (group and subcommand by index), under the
// command's name line and, when the command has groups, its group's heading.
std::string SubCommandChart(const examples::Procedure& procedure, int group, int subCommand);

}  // namespace uparse

#endif
