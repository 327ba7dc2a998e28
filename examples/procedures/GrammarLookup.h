#ifndef EXAMPLES_PROCEDURES_GRAMMARLOOKUP_H
#define EXAMPLES_PROCEDURES_GRAMMARLOOKUP_H

#include <string>
#include <vector>

#include "uparser/CommandDescriptor.h"
#include "uparser/GroupComObj.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"

// The grammar behind the parts of a parse result, for code that walks a tree it did not build
// itself. Every look-up answers null when the grammar has nothing for the part.
namespace examples {

// The group descriptor of a parsed group: the global group, or the one its first subcommand
// (the separator) opens.
const GroupComDescriptor* FindGroupDesc(const CommandDescriptor& grammar, const GroupComObj& group);

// The subcommand descriptor of a subcommand of a parsed group.
const SubComDescriptor* FindSubComDesc(const CommandDescriptor& grammar, const GroupComObj& group,
                                       const std::string& subComName);

// The first subcommand of that name in any group.
const SubComDescriptor* FindAnySubComDesc(const CommandDescriptor& grammar,
                                          const std::string& subComName);

// Every subcommand name of the grammar, each once, in declaration order.
std::vector<std::string> SubComNames(const CommandDescriptor& grammar);

// The parameter names of a subcommand, in declaration order.
std::vector<std::string> ParamNames(const SubComDescriptor& subCom);

// The descriptor and every descriptor nested in it (qualifiers, main and value parts), depth
// first.
std::vector<const ParamDescriptor*> NestedDescs(const ParamDescriptor& desc);

// The words a value of desc may hold by name: accepted words and qualifier names, nested ones
// included.
std::vector<std::string> KnownWords(const ParamDescriptor& desc);

}  // namespace examples

#endif
