#ifndef GRAMMAR_GRAMMARWRITER_H
#define GRAMMAR_GRAMMARWRITER_H

#include <string>

#include "grammar/GrammarExport.h"
#include "grammar/GrammarFile.h"

namespace upgrammar {

// The grammar file text of the commands, in the format ReadGrammar reads: keys in a fixed
// order, each only where its value differs from the default, names as the descriptors store
// them (upper-cased). Reading the text gives descriptors that parse every command as these do,
// with the same help texts and variable checks; writing what was read gives the same bytes.
// A command whose groups are just one global group is written with "subcommands" alone.
UPGRAMMAR_API std::string WriteGrammar(const GrammarFile& grammar);

}  // namespace upgrammar

#endif
