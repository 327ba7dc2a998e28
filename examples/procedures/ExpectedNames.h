#ifndef EXAMPLES_PROCEDURES_EXPECTEDNAMES_H
#define EXAMPLES_PROCEDURES_EXPECTEDNAMES_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/host/TokenSequence.h"

namespace examples {

// The names the grammar would have taken at the word where a parse stopped (result.stopToken),
// read from the rule that failed, the tree built up to the failure and the grammar:
// - an unknown subcommand: the subcommands that may still come in the group at hand and the
//   separators of the groups that may begin there;
// - an unknown parameter: the parameters of the subcommand not given yet;
// - a rejected value: the words and qualifiers the value accepts and, where the value's run
//   could have ended before the word, the parameters not given yet that could begin there.
// Empty when the failure is not about a word written there. The stream is left at its start.
std::vector<std::string> ExpectedNames(const RunResult& result, const CommandDescriptor& grammar,
                                       TAVO_TokenSequence& tokens);

}  // namespace examples

#endif
