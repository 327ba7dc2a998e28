#include "tools/uparse/GrammarJson.h"

#include <cmath>
#include <cstdint>

#include "tools/uparse/SyntaxChart.h"

namespace uparse {

namespace {

using namespace UPSpecTypes;
using Json = nlohmann::ordered_json;

const char* TypeName(ParamSpec type) {
    static const char* const kNames[] = {
        "NoType",      "KeyWord",     "TokenList",    "String",       "Literal",
        "StringList",  "LiteralList", "Number",       "NumberList",   "Integer",
        "IntegerList", "VarName",     "VarList",      "CrossVarList", "VarCatList",
        "FileSpec",    "NewFileSpec", "AnyFileSpec",  "SysFileIn",    "SysFileOut",
        "KeyWordValue", "TokenQual",  "StringQual",   "StringQualList"};
    const auto index = static_cast<std::size_t>(type);
    return index < sizeof kNames / sizeof kNames[0] ? kNames[index] : "Unknown";
}

const char* FormName(SubComSpec form) {
    switch (form) {
        case SubComArbitrary:
            return "Arbitrary";
        case SubComByParen:
            return "ByParen";
        case SubComByBlock:
            return "ByBlock";
        default:
            return "ByEqual";
    }
}

const char* KindName(GroupSpec kind) {
    switch (kind) {
        case GroupRepeatable:
            return "Repeatable";
        case GroupSingle:
            return "Single";
        case GroupGlobal:
            return "Global";
        case GroupFinal:
            return "Final";
        default:
            return "Other";
    }
}

const char* BlockName(BlockOptions block) {
    switch (block) {
        case BlockNoValue:
            return "NoValue";
        case BlockByEqual:
            return "ByEqual";
        case BlockByParen:
            return "ByParen";
        default:
            return "OptEqual";
    }
}

const char* BracketName(BracketOptions brackets) {
    switch (brackets) {
        case BracketRequired:
            return "Required";
        case BracketForList:
            return "ForList";
        default:
            return "None";
    }
}

const char* QualifierFormName(QualifOptions form) {
    switch (form) {
        case QualifByEqual:
            return "ByEqual";
        case QualifByBlock:
            return "ByBlock";
        default:
            return "ByParen";
    }
}

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
        {"type", TypeName(options.getParamType())},
        {"required", desc->isParamRequired()},
        {"valueRequired", desc->isValueRequired()},
        {"block", BlockName(options.getBlockOption())},
        {"brackets", BracketName(options.getBracketOption())},
        {"slash", desc->isSlashAllowed()},
        {"lower", Bound(options.getLowerBdryOption() != LowerNone,
                        options.getLowerBdryOption() == LowerIncluded, desc->getLowerBdryValue())},
        {"upper", Bound(options.getUpperBdryOption() != UpperNone,
                        options.getUpperBdryOption() == UpperIncluded, desc->getUpperBdryValue())},
        {"words", desc->getStringValues()},
        {"qualifierForm", QualifierFormName(options.getQualifOption())},
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
        {"name", sub.getSubComName()},
        {"form", FormName(sub.getSubComType())},
        {"required", sub.isSubComRequired()},
        {"repeatable", sub.isSubComRepeatable()},
        {"emptyAllowed", sub.isEmptyAllowed()},
        {"value", Param(sub.getExportParamDesc())},
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
        {"kind", KindName(group.getGroupType())},
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
        {"name", grammar.getCommandName()},
        {"title", grammar.getProcedureTitle()},
        {"summary", procedure.summary()},
        {"chart", SyntaxChart(procedure)},
        {"groups", std::move(groups)},
    };
}

}  // namespace uparse
