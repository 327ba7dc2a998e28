#include "grammar/GrammarWriter.h"

#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "grammar/GrammarNames.h"
#include "grammar/JsonLayout.h"

namespace upgrammar {

namespace {

using namespace UPSpecTypes;
using Json = nlohmann::ordered_json;

enum class Place { Parameter, Value, Qualifier, Part };

// Whole numbers without a fraction, so that 4 is written 4 and not 4.0.
Json Number(double value) {
    if (std::floor(value) == value && std::fabs(value) < 9007199254740992.0) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

// An enumeration by its name; a value without a name (which no reader accepts) as it is.
Json Name(const EnumNames& names, int value) {
    const char* name = names.nameOf(value);
    return name != nullptr ? Json(name) : Json(value);
}

Json Variables(const VariableCheck& check) {
    Json json = Json::object();
    if (check.kind != VariableKind::Existing) {
        json["check"] = Name(kVariableKinds, static_cast<int>(check.kind));
    }
    if (check.numeric) {
        json["numeric"] = true;
    }
    if (check.repeat != RepeatVarsError) {
        json["repeat"] = Name(kRepeatOptions, check.repeat);
    }
    if (check.qualifiers) {
        json["qualifiers"] = true;
    }
    if (check.registry != VariableRegistry::Command) {
        json["registry"] = Name(kRegistries, static_cast<int>(check.registry));
    }
    if (check.within != VariableScope::Any) {
        json["within"] = Name(kScopes, static_cast<int>(check.within));
    }
    if (check.allByDefault) {
        json["allByDefault"] = true;
    }
    if (!check.role.empty()) {
        json["role"] = check.role;
    }
    return json;
}

// How the value is written and bounded: every option that differs from its default.
void WriteOptions(const ParamDescriptor& desc, Place place, Json& json) {
    if (desc.getParamType() != ParamTokenList) {
        json["type"] = Name(kParamTypes, desc.getParamType());
    }
    if (desc.isParamRequired()) {
        json["required"] = true;
    }
    if (place != Place::Value && !desc.isValueRequired()) {
        json["valueRequired"] = false;
    }
    if (desc.getBlockOption() != BlockOptEqual) {
        json["block"] = Name(kBlockOptions, desc.getBlockOption());
    }
    if (place != Place::Value && desc.getBracketOption() != BracketNone) {
        json["brackets"] = Name(kBracketOptions, desc.getBracketOption());
    }
    if (desc.isSlashAllowed()) {
        json["slash"] = true;
    }
    if (desc.getLowerBdryOption() != LowerNone) {
        const bool excluded = desc.getLowerBdryOption() == LowerExcluded;
        json["lower"] = {{excluded ? "excluded" : "included", Number(desc.getLowerBdryValue())}};
    }
    if (desc.getUpperBdryOption() != UpperNone) {
        const bool excluded = desc.getUpperBdryOption() == UpperExcluded;
        json["upper"] = {{excluded ? "excluded" : "included", Number(desc.getUpperBdryValue())}};
    }
    if (!desc.getStringValues().empty()) {
        json["words"] = desc.getStringValues();
    }
    if (desc.getQualifOption() != QualifByParen) {
        json["qualifierForm"] = Name(kQualifOptions, desc.getQualifOption());
    }
}

Json Param(const ParamDescriptor& desc, const ValueNotes* notes, Place place) {
    static const ValueNotes kNoNotes;
    const ValueNotes& note = notes != nullptr ? *notes : kNoNotes;
    Json json = Json::object();
    if (place == Place::Parameter || place == Place::Qualifier ||
        (place == Place::Part && !desc.getParamName().empty())) {
        json["name"] = desc.getParamName();
    }
    if (!note.help.empty()) {
        json["help"] = note.help;
    }
    WriteOptions(desc, place, json);
    std::vector<std::string> names;
    if (desc.getQualifNames(names) > 0) {
        Json qualifiers = Json::array();
        for (std::size_t q = 0; q < names.size(); ++q) {
            const ValueNotes* qualifierNotes =
                q < note.qualifiers.size() ? &note.qualifiers[q] : nullptr;
            qualifiers.push_back(
                Param(*desc.getQualifDesc(names[q]), qualifierNotes, Place::Qualifier));
        }
        json["qualifiers"] = std::move(qualifiers);
    }
    if (desc.getMainDesc() != nullptr) {
        json["mainPart"] = Param(*desc.getMainDesc(), note.main(), Place::Part);
    }
    if (desc.getQualifDesc() != nullptr) {
        json["valuePart"] = Param(*desc.getQualifDesc(), note.value(), Place::Part);
    }
    if (note.checksVariables) {
        json["variables"] = Variables(note.variables);
    }
    return json;
}

Json SubCommand(const SubComDescriptor& sub, const SubComNotes* notes) {
    static const SubComNotes kNoNotes;
    const SubComNotes& note = notes != nullptr ? *notes : kNoNotes;
    Json json = Json::object();
    json["name"] = sub.getSubComName();
    if (!note.help.empty()) {
        json["help"] = note.help;
    }
    if (sub.getSubComType() != SubComByEqual) {
        json["form"] = Name(kSubComForms, sub.getSubComType());
    }
    if (sub.isSubComRequired()) {
        json["required"] = true;
    }
    if (sub.isSubComRepeatable()) {
        json["repeatable"] = true;
    }
    if (sub.isEmptyAllowed()) {
        json["emptyAllowed"] = true;
    }
    if (const ParamDescriptor* value = sub.getExportParamDesc()) {
        Json written = Param(*value, &note.value, Place::Value);
        // An arbitrary subcommand always has a value; only a declared one is written.
        if (!sub.isSubComArbitrary() || !written.empty()) {
            json["value"] = std::move(written);
        }
    }
    if (sub.getParamDescListSize() > 0) {
        Json params = Json::array();
        for (int p = 0; p < sub.getParamDescListSize(); ++p) {
            const ValueNotes* paramNotes = static_cast<std::size_t>(p) < note.parameters.size()
                                               ? &note.parameters[p]
                                               : nullptr;
            params.push_back(Param(*sub.getParamDesc(p), paramNotes, Place::Parameter));
        }
        json["parameters"] = std::move(params);
    }
    return json;
}

Json SubCommands(const CommandGrammar& command, int group) {
    const GroupComDescriptor& desc = *command.descriptor.getGroupDesc(group);
    Json subs = Json::array();
    for (int s = 0; s < desc.getSubComDescListSize(); ++s) {
        subs.push_back(SubCommand(*desc.getSubComDesc(s), command.subCommand(group, s)));
    }
    return subs;
}

// One global group without separators, text or a required flag of its own reads back the
// same from a plain list of subcommands.
bool IsPlainGlobal(const CommandDescriptor& command) {
    if (command.getGroupDescListSize() != 1) {
        return false;
    }
    const GroupComDescriptor& group = *command.getGroupDesc(0);
    bool subRequired = false;
    for (int s = 0; s < group.getSubComDescListSize(); ++s) {
        subRequired = subRequired || group.getSubComDesc(s)->isSubComRequired();
    }
    return group.getGroupType() == GroupGlobal && group.getGroupSepListSize() == 0 &&
           group.getMessageText() == nullptr && group.isGroupRequired() == subRequired;
}

Json Group(const CommandGrammar& command, int index) {
    const GroupComDescriptor& group = *command.descriptor.getGroupDesc(index);
    Json json = Json::object();
    json["kind"] = Name(kGroupKinds, group.getGroupType());
    if (group.isGroupRequired() != (group.getGroupType() != GroupGlobal)) {
        json["required"] = group.isGroupRequired();
    }
    if (group.getMessageText() != nullptr) {
        json["text"] = group.getMessageText();
    }
    if (group.getGroupSepListSize() > 0) {
        json["separators"] = group.getGroupSepNameList();
    }
    json["subcommands"] = SubCommands(command, index);
    return json;
}

Json Command(const CommandGrammar& command) {
    const CommandDescriptor& desc = command.descriptor;
    Json json = Json::object();
    json["name"] = desc.getCommandName();
    if (!desc.getProcedureTitle().empty()) {
        json["title"] = desc.getProcedureTitle();
    }
    if (!command.help.empty()) {
        json["help"] = command.help;
    }
    if (IsPlainGlobal(desc)) {
        // An empty global group is written as no group at all, which is what "subcommands": []
        // reads back as: the written form must write itself again.
        Json subcommands = SubCommands(command, 0);
        if (!subcommands.empty()) {
            json["subcommands"] = std::move(subcommands);
        }
    } else if (desc.getGroupDescListSize() > 0) {
        Json groups = Json::array();
        for (int g = 0; g < desc.getGroupDescListSize(); ++g) {
            groups.push_back(Group(command, g));
        }
        json["groups"] = std::move(groups);
    }
    return json;
}

}  // namespace

std::string WriteGrammar(const GrammarFile& grammar) {
    Json json = Json::object();
    if (!grammar.schema.empty()) {
        json["$schema"] = grammar.schema;
    }
    Json commands = Json::array();
    for (const CommandGrammar& command : grammar.commands) {
        commands.push_back(Command(command));
    }
    json["commands"] = std::move(commands);
    return LayOut(json);
}

}  // namespace upgrammar
