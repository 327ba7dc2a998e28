#ifndef FUZZ_RANDOMGRAMMAR_H
#define FUZZ_RANDOMGRAMMAR_H

#include <cstddef>

#include "FuzzSupport.h"
#include "uparser/CommandDescriptor.h"

namespace fuzzsupport {

// A grammar chosen by the bytes: groups of every kind (or subcommands added straight to the
// command), separators, subcommands of every kind that may be required, repeatable, empty or
// unnamed, parameters and leading values of every type with qualifiers and blocks. Names come
// from the words ReadHostTokens hands out, so that the stream meets the grammar.
CommandDescriptor ReadGrammar(ByteReader& in);
// The number of subcommand and parameter descriptors of a grammar, nested ones included.
std::size_t GrammarSize(const CommandDescriptor& grammar);

}  // namespace fuzzsupport

#endif
