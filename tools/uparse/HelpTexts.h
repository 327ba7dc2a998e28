#ifndef TOOLS_UPARSE_HELPTEXTS_H
#define TOOLS_UPARSE_HELPTEXTS_H

#include <string>

#include "grammar/GrammarFile.h"

namespace uparse {

// The help texts of a grammar file's command, under its syntax chart: each subcommand with its
// text, and below it the texts of its value's qualifiers and parts and of its parameters. ""
// when the file gives none.
std::string HelpTexts(const upgrammar::CommandGrammar& grammar);

}  // namespace uparse

#endif
