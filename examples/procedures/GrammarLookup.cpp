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

std::vector<std::string> ParamNames(const SubComDescriptor& subCom) {
    std::vector<std::string> names;
    for (int p = 0; p < subCom.getParamDescListSize(); ++p) {
        names.push_back(subCom.getParamDesc(p)->getParamName());
    }
    return names;
}

std::vector<const ParamDescriptor*> NestedDescs(const ParamDescriptor& desc) {
    std::vector<const ParamDescriptor*> all{&desc};
    for (std::size_t next = 0; next < all.size(); ++next) {
        const ParamDescriptor* current = all[next];
        std::vector<std::string> qualifiers;
        current->getQualifNames(qualifiers);
        for (const std::string& name : qualifiers) {
            all.push_back(current->getQualifDesc(name));
        }
        for (const ParamDescriptor* part : {current->getMainDesc(), current->getQualifDesc()}) {
            if (part != nullptr) {
                all.push_back(part);
            }
        }
    }
    return all;
}

std::vector<std::string> KnownWords(const ParamDescriptor& desc) {
    std::vector<std::string> words;
    for (const ParamDescriptor* part : NestedDescs(desc)) {
        words.insert(words.end(), part->getStringValues().begin(), part->getStringValues().end());
        std::vector<std::string> qualifiers;
        part->getQualifNames(qualifiers);
        words.insert(words.end(), qualifiers.begin(), qualifiers.end());
    }
    return words;
}

}  // namespace examples
