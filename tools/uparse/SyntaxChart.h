#ifndef TOOLS_UPARSE_SYNTAXCHART_H
#define TOOLS_UPARSE_SYNTAXCHART_H

#include <string>

#include "examples/procedures/Procedure.h"

namespace uparse {

// The procedure's command syntax, generated from its grammar: optional parts in [ ], choices
// in { | }, repetition as "...", bounds as intervals.
std::string SyntaxChart(const examples::Procedure& procedure);

}  // namespace uparse

#endif
