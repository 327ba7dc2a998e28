#include "tools/uparse/GrammarJson.h"

#include <cmath>
#include <cstdint>

#include "tools/uparse/SyntaxChart.h"

namespace uparse {

namespace {

using namespace UPSpecTypes;
using Json = nlohmann::ordered_json;

// The name of an enumeration's value; the enumerations count from 0 without gaps.
template <std::size_t N>
const char* Name(int value, const char* const (&names)[N]) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? names[value] : "Unknown";
}

const char* const kTypes[] = {
    "NoType",      "KeyWord",      "TokenList",    "String",    "Literal",     "StringList",
    "LiteralList", "Number",       "NumberList",   "Integer",   "IntegerList", "VarName",
    "VarList",     "CrossVarList", "VarCatList",   "FileSpec",  "NewFileSpec", "AnyFileSpec",
    "SysFileIn",   "SysFileOut",   "KeyWordValue", "TokenQual", "StringQual",  "StringQualList"};
const char* const kForms[] = {"Arbitrary", "ByEqual", "ByParen", "ByBlock"};
const char* const kKinds[] = {"Repeatable", "Single", "Global", "Other", "Final"};
const char* const kBlocks[] = {"NoValue", "ByEqual", "OptEqual", "ByParen"};
const char* const kBrackets[] = {"None", "Required", "ForList"};
const char* const kQualifierForms[] = {"ByEqual", "ByParen", "ByBlock"};

// Whole numbers without a fraction, so that a bound of 4 reads 4.
Json Number(double value) {
    if (std::floor(value) == value && std::fabs(value) < 9007199254740992.0) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

Json Bound(bool active, bool included, double value) {
    if (!active) {
        return nullptr;
    }
    return {{included ? "included" : "excluded", Number(value)}};
}

Json Param(const ParamDescriptor* desc) {
    if (desc == nullptr) {
        return nullptr;
    }
    Json qualifiers = Json::array();
    std::vector<std::string> names;
    desc->getQualifNames(names);
    for (const std::string& name : names) {
        qualifiers.push_back(Param(desc->getQualifDesc(name)));
    }
    const ParamDescriptor& options = *desc;
    return {
        {"name", desc->getParamName()},
        {"type", Name(options.getParamType(), kTypes)},
        {"required", desc->isParamRequired()},
        {"valueRequired", desc->isValueRequired()},
        {"block", Name(options.getBlockOption(), kBlocks)},
        {"brackets", Name(options.getBracketOption(), kBrackets)},
        {"slash", desc->isSlashAllowed()},
        {"lower", Bound(options.getLowerBdryOption() != LowerNone,
                        options.getLowerBdryOption() == LowerIncluded, desc->getLowerBdryValue())},
        {"upper", Bound(options.getUpperBdryOption() != UpperNone,
                        options.getUpperBdryOption() == UpperIncluded, desc->getUpperBdryValue())},
        {"words", desc->getStringValues()},
        {"qualifierForm", Name(options.getQualifOption(), kQualifierForms)},
        {"qualifiers", std::move(qualifiers)},
        {"mainPart", Param(desc->getMainDesc())},
        {"valuePart", Param(desc->getQualifDesc())},
    };
}

Json SubCommand(const SubComDescriptor& sub) {
    Json parameters = Json::array();
    for (int p = 0; p < sub.getParamDescListSize(); ++p) {
        parameters.push_back(Param(sub.getParamDesc(p)));
    }
    return {
        {"name", sub.getSubComName()},          {"form", Name(sub.getSubComType(), kForms)},
        {"required", sub.isSubComRequired()},   {"repeatable", sub.isSubComRepeatable()},
        {"emptyAllowed", sub.isEmptyAllowed()}, {"value", Param(sub.getExportParamDesc())},
        {"parameters", std::move(parameters)},
    };
}

Json Group(const GroupComDescriptor& group) {
    Json subcommands = Json::array();
    for (int s = 0; s < group.getSubComDescListSize(); ++s) {
        subcommands.push_back(SubCommand(*group.getSubComDesc(s)));
    }
    const char* text = group.getMessageText();
    return {
        {"kind", Name(group.getGroupType(), kKinds)},
        {"required", group.isGroupRequired()},
        {"text", text != nullptr ? Json(text) : Json(nullptr)},
        {"separators", group.getGroupSepNameList()},
        {"subcommands", std::move(subcommands)},
    };
}

}  // namespace

Json GrammarJson(const examples::Procedure& procedure) {
    const CommandDescriptor& grammar = procedure.grammar();
    Json groups = Json::array();
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        groups.push_back(Group(*grammar.getGroupDesc(g)));
    }
    return {
        {"name", grammar.getCommandName()}, {"title", grammar.getProcedureTitle()},
        {"summary", procedure.summary()},   {"chart", SyntaxChart(procedure)},
        {"groups", std::move(groups)},
    };
}

}  // namespace uparse
