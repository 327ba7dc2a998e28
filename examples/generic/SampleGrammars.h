#ifndef EXAMPLES_GENERIC_SAMPLEGRAMMARS_H
#define EXAMPLES_GENERIC_SAMPLEGRAMMARS_H

#include <string>

#include "examples/procedures/Procedure.h"
#include "grammar/GrammarFile.h"

namespace examples {

// The grammar of a sample procedure as a grammar file holds it: its C++ declaration with help
// texts, and the variable checks its validation makes, as far as a file can declare them.
upgrammar::GrammarFile SampleGrammar(const Procedure& procedure);

// Where the sample's grammar file lives: examples/grammars/<command in lower case>.json.
std::string SampleGrammarPath(const Procedure& procedure);

// The reference to the schema that the sample files carry, relative to examples/grammars/.
extern const char* const kSampleSchemaReference;

}  // namespace examples

#endif
