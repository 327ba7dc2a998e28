#ifndef FUZZ_FUZZGRAMMARS_H
#define FUZZ_FUZZGRAMMARS_H

#include <vector>

#include "uparser/CommandDescriptor.h"

namespace fuzzsupport {

// Grammars that between them use every parameter type, every way a subcommand carries its
// parameters, brackets, slashes inside values, and every kind of group, so that command text
// reaches every rule of the engine.
const std::vector<CommandDescriptor>& FuzzGrammars();

}  // namespace fuzzsupport

#endif
