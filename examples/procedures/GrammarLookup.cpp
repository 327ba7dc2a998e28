#include "examples/procedures/GrammarLookup.h"

#include <algorithm>

#include "uparser/SubComObj.h"

namespace examples {

const GroupComDescriptor* FindGroupDesc(const CommandDescriptor& grammar,
                                        const GroupComObj& group) {
    if (group.isGroupGlobal()) {
        return grammar.getGlobalGroupDesc();
    }
    const SubComObj* first = group.getSubComObj(0u);
    if (first == nullptr) {
        return nullptr;
    }
    return grammar.getGroupDesc(first->getSubComName());
}

const SubComDescriptor* FindSubComDesc(const CommandDescriptor& grammar, const GroupComObj& group,
                                       const std::string& subComName) {
    const GroupComDescriptor* groupDesc = FindGroupDesc(grammar, group);
    return groupDesc == nullptr ? nullptr : groupDesc->getSubComDesc(subComName);
}

const SubComDescriptor* FindAnySubComDesc(const CommandDescriptor& grammar,
                                          const std::string& subComName) {
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        if (const SubComDescriptor* sub = grammar.getGroupDesc(g)->getSubComDesc(subComName)) {
            return sub;
        }
    }
    return nullptr;
}

std::vector<std::string> SubComNames(const CommandDescriptor& grammar) {
    std::vector<std::string> names;
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor* group = grammar.getGroupDesc(g);
        for (int s = 0; s < group->getSubComDescListSize(); ++s) {
            const std::string& name = group->getSubComDesc(s)->getSubComName();
            if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

}  // namespace examples
