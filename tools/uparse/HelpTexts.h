#ifndef TOOLS_UPARSE_HELPTEXTS_H
#define TOOLS_UPARSE_HELPTEXTS_H

#include <string>

#include "grammar/GrammarFile.h"

namespace uparse {

// The help texts of a grammar file's command, under its syntax chart: each subcommand with its
// text, and below it the texts of its value's qualifiers and parts and of its parameters. ""
// when the file gives none.
std::string HelpTexts(const upgrammar::CommandGrammar& grammar);
// The same for one subcommand (group and subcommand by index).
std::string SubCommandHelp(const upgrammar::CommandGrammar& grammar, int group, int subCommand);

}  // namespace uparse

#endif
