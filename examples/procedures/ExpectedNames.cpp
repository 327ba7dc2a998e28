#include "examples/procedures/ExpectedNames.h"

#include <algorithm>

#include "examples/procedures/GrammarLookup.h"
#include "uparser/ParamObj.h"
#include "uparser/ParseCodes.h"
#include "uparser/SubComObj.h"

namespace examples {

namespace {

using namespace UPSpecTypes;

// The last group, subcommand and parameter of the tree, which the failure left there, with
// their grammar.
struct StopPlace {
    const GroupComObj* group = nullptr;
    const GroupComDescriptor* groupDesc = nullptr;
    const SubComObj* sub = nullptr;
    const SubComDescriptor* subDesc = nullptr;
    const ParamObj* param = nullptr;
};

StopPlace Locate(const CommandSpec& spec, const CommandDescriptor& grammar) {
    StopPlace at;
    const unsigned groups = spec.getGroupListSize();
    if (groups == 0) {
        return at;
    }
    at.group = spec.getGroupObj(groups - 1);
    at.groupDesc = FindGroupDesc(grammar, *at.group);
    const unsigned subs = at.group->getSubComListSize();
    if (subs == 0 || at.groupDesc == nullptr) {
        return at;
    }
    at.sub = at.group->getSubComObj(subs - 1);
    at.subDesc = at.groupDesc->getSubComDesc(at.sub->getSubComName());
    const unsigned params = at.sub->getParamListSize();
    if (params > 0) {
        at.param = at.sub->getParamObj(params - 1);
    }
    return at;
}

void Add(std::vector<std::string>& names, const std::string& name) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
    }
}

bool GroupOccurred(const CommandSpec& spec, const CommandDescriptor& grammar,
                   const GroupComDescriptor& desc) {
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        if (FindGroupDesc(grammar, *spec.getGroupObj(g)) == &desc) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> SubCommandsAfter(const CommandSpec& spec, const CommandDescriptor& grammar,
                                          const StopPlace& at) {
    std::vector<std::string> names;
    if (at.groupDesc == nullptr) {
        return names;
    }
    for (int s = 0; s < at.groupDesc->getSubComDescListSize(); ++s) {
        const SubComDescriptor& sub = *at.groupDesc->getSubComDesc(s);
        if (sub.isSubComRepeatable() || at.group->getSubComObj(sub.getSubComName()) == nullptr) {
            Add(names, sub.getSubComName());
        }
    }
    if (at.groupDesc->getGroupType() == GroupFinal) {
        return names;
    }
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor& group = *grammar.getGroupDesc(g);
        if (group.getGroupType() == GroupRepeatable || !GroupOccurred(spec, grammar, group)) {
            for (const std::string& separator : group.getGroupSepNameList()) {
                Add(names, separator);
            }
        }
    }
    return names;
}

// standAloneOnly: only the parameters that may be written without a value, which are the
// only ones a word can begin outside a subcommand by block.
void AddParametersNotGiven(const StopPlace& at, bool standAloneOnly,
                           std::vector<std::string>& names) {
    for (int p = 0; p < at.subDesc->getParamDescListSize(); ++p) {
        const ParamDescriptor& param = *at.subDesc->getParamDesc(p);
        const bool standsAlone = param.getParamType() == ParamKeyWord || !param.isValueRequired();
        if ((standsAlone || !standAloneOnly) &&
            at.sub->getParamObj(param.getParamName()) == nullptr) {
            Add(names, param.getParamName());
        }
    }
}

bool SameToken(const TokenInfoObj& left, const TokenInfoObj& right) {
    return left.getLineNumber() == right.getLineNumber() && left.getColumn() == right.getColumn();
}

// Whether the token before stop is "=" or "(": stop then begins a value and cannot be a
// parameter's keyword.
bool AfterIntroducer(TAVO_TokenSequence& tokens, const TokenInfoObj& stop) {
    bool introducer = false;
    bool found = false;
    tokens.setPosition(0);
    while (!found && tokens.next()) {
        found = tokens.getLineNumber() == stop.getLineNumber() &&
                tokens.getColumn() == stop.getColumn();
        if (!found) {
            const TokenSequenceBase::OperatorCode code = tokens.getOperatorCode();
            introducer =
                tokens.getType() == TokenSequenceBase::OperatorToken &&
                (code == TokenSequenceBase::EqualSign || code == TokenSequenceBase::LeftParen);
        }
    }
    tokens.setPosition(0);
    return found && introducer;
}

std::vector<std::string> ValueNames(const StopPlace& at, TAVO_TokenSequence& tokens,
                                    const TokenInfoObj& stop) {
    std::vector<std::string> names;
    if (at.subDesc == nullptr) {
        return names;
    }
    const ParamDescriptor* desc = at.subDesc->getExportParamDesc();
    bool enclosed = at.subDesc->areParamByParen();
    if (at.param != nullptr) {
        desc = at.subDesc->getParamDesc(at.param->getParamName());
        if (desc == nullptr) {
            // A word where a parameter was expected.
            AddParametersNotGiven(at, false, names);
            return names;
        }
        if (SameToken(at.param->getKeyWordToken(), stop)) {
            return names;  // the value is missing or malformed, not misspelt
        }
        enclosed = enclosed || at.param->areParenUsed() ||
                   (at.subDesc->areParamByBlock() && desc->getBlockOption() == BlockByParen);
    }
    if (desc != nullptr) {
        names = KnownWords(*desc);
    }
    // A word inside a value's run may be a misspelt parameter that would have ended the run.
    if (!enclosed && !AfterIntroducer(tokens, stop)) {
        AddParametersNotGiven(at, !at.subDesc->areParamByBlock(), names);
    }
    return names;
}

}  // namespace

std::vector<std::string> ExpectedNames(const RunResult& result, const CommandDescriptor& grammar,
                                       TAVO_TokenSequence& tokens) {
    if (result.stage != Stage::Parse || !result.stopToken.IsString()) {
        return {};
    }
    const StopPlace at = Locate(result.spec, grammar);
    std::vector<std::string> names;
    switch (result.parseCode) {
        case ParseCodes::UnknownSubCom:
            return SubCommandsAfter(result.spec, grammar, at);
        case ParseCodes::InvalidParam:
            if (at.subDesc != nullptr) {
                AddParametersNotGiven(at, false, names);
            }
            return names;
        case ParseCodes::WrongValue:
            return ValueNames(at, tokens, result.stopToken);
        default:
            return names;
    }
}

}  // namespace examples
