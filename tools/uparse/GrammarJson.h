#ifndef TOOLS_UPARSE_GRAMMARJSON_H
#define TOOLS_UPARSE_GRAMMARJSON_H

#include <nlohmann/json.hpp>

#include "examples/procedures/Procedure.h"

namespace uparse {

// The procedure's grammar as data, for tools: name, title, summary, the syntax chart, and the
// groups with their subcommands and parameters, every setting written out (enumerations by
// name: "Repeatable", "ByBlock", "Integer", ...).
nlohmann::ordered_json GrammarJson(const examples::Procedure& procedure);

}  // namespace uparse

#endif
