#include "grammar/GrammarFile.h"

namespace upgrammar {

const SubComNotes* CommandGrammar::subCommand(int group, int sub) const {
    if (group < 0 || sub < 0 || static_cast<std::size_t>(group) >= groups.size()) {
        return nullptr;
    }
    const std::vector<SubComNotes>& subs = groups[group].subCommands;
    return static_cast<std::size_t>(sub) < subs.size() ? &subs[sub] : nullptr;
}

const SubComNotes* CommandGrammar::subCommand(int group, const std::string& name) const {
    const GroupComDescriptor* groupDesc = descriptor.getGroupDesc(group);
    return groupDesc == nullptr ? nullptr : subCommand(group, groupDesc->getSubComDescIndex(name));
}

SubComNotes& CommandGrammar::notesAt(int group, int sub) {
    if (groups.size() <= static_cast<std::size_t>(group)) {
        groups.resize(group + 1);
    }
    std::vector<SubComNotes>& subs = groups[group].subCommands;
    if (subs.size() <= static_cast<std::size_t>(sub)) {
        subs.resize(sub + 1);
    }
    return subs[sub];
}

}  // namespace upgrammar
