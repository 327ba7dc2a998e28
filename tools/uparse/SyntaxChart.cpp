#include "tools/uparse/SyntaxChart.h"

#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserUtility.h"

namespace uparse {

namespace {

using namespace UPSpecTypes;

std::string Bounds(const ParamDescriptor& desc) {
    const LowerBdryOptions lower = desc.getLowerBdryOption();
    const UpperBdryOptions upper = desc.getUpperBdryOption();
    const std::string low = NumberToString(desc.getLowerBdryValue());
    const std::string high = NumberToString(desc.getUpperBdryValue());
    if (lower != LowerNone && upper != UpperNone) {
        return std::string(" ") + (lower == LowerIncluded ? "[" : "(") + low + "," + high +
               (upper == UpperIncluded ? "]" : ")");
    }
    if (lower != LowerNone) {
        return std::string(lower == LowerIncluded ? " >=" : " >") + low;
    }
    if (upper != UpperNone) {
        return std::string(upper == UpperIncluded ? " <=" : " <") + high;
    }
    return "";
}

std::string Choice(const ParamDescriptor& desc, const char* otherwise) {
    const std::vector<std::string>& words = desc.getStringValues();
    if (words.empty()) {
        return otherwise;
    }
    std::string text = "{";
    for (const std::string& word : words) {
        text += (text.size() > 1 ? "|" : "") + word;
    }
    return text + "}";
}

std::string Value(const ParamDescriptor& desc);

// A value part as its introducer writes it.
std::string Introduced(QualifOptions option, const ParamDescriptor& part) {
    const std::string value = Value(part);
    switch (option) {
        case QualifByEqual:
            return "=" + value;
        case QualifByParen:
            return "(" + value + ")";
        default:
            switch (part.getBlockOption()) {
                case BlockNoValue:
                    return value;
                case BlockByParen:
                    return "(" + value + ")";
                case BlockByEqual:
                    return "=" + value;
                default:
                    return "[=]" + value;
            }
    }
}

std::string Qualifier(const ParamDescriptor& owner, const std::string& name) {
    const ParamDescriptor& qualifier = *owner.getQualifDesc(name);
    if (qualifier.getParamType() == ParamKeyWord) {
        return name;
    }
    const std::string value = Introduced(owner.getQualifOption(), qualifier);
    return name + (qualifier.isValueRequired() ? value : "[" + value + "]");
}

// The qualifiers of a list, each in brackets unless it must be given.
std::string QualifierList(const ParamDescriptor& owner, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        const std::string qualifier = Qualifier(owner, name);
        text += (text.empty() ? "" : " ") +
                (owner.getQualifDesc(name)->isParamRequired() ? qualifier : "[" + qualifier + "]");
    }
    return text;
}

// A simple value: what each element is, "..." for a list, then the boundaries.
std::string Elements(const ParamDescriptor& desc, const ParamTypeTraits& traits) {
    std::string text;
    switch (traits.element) {
        case ValueKind::Word:
            text = Choice(desc, "word");
            break;
        case ValueKind::Literal:
            text = "'text'";
            break;
        case ValueKind::Number:
            text = "number";
            break;
        case ValueKind::Integer:
            text = "integer";
            break;
        default:
            text = "variable";
            break;
    }
    return text + (traits.list ? "..." : "") + (traits.bounded ? Bounds(desc) : "");
}

// A keyword's value stands apart from the keyword; a token's qualifier clings.
std::string Parts(const ParamDescriptor& desc) {
    const ParamDescriptor* main = desc.getMainDesc();
    const ParamDescriptor* part = desc.getQualifDesc();
    std::string text = main != nullptr ? Value(*main) : "token";
    if (part != nullptr) {
        const std::string value = (desc.getParamType() == ParamKeyWordValue ? " " : "") +
                                  Introduced(desc.getQualifOption(), *part);
        text += part->isValueRequired() ? value : "[" + value + "]";
    }
    return text;
}

std::string OneQualifier(const ParamDescriptor& desc, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "{" : "|") + Qualifier(desc, name);
    }
    return text.empty() ? "qualifier" : text + "}";
}

std::string Value(const ParamDescriptor& desc) {
    std::vector<std::string> qualifiers;
    desc.getQualifNames(qualifiers);
    const ParamSpec type = desc.getParamType();
    const ParamTypeTraits& traits = GetParamTypeTraits(type);
    switch (traits.element) {
        case ValueKind::Keyword:
            return "";
        case ValueKind::Word:
        case ValueKind::Literal:
        case ValueKind::Number:
        case ValueKind::Integer:
        case ValueKind::VarName:
            return Elements(desc, traits);
        // A single variable is a crossed list too, and "*" crosses as BY does.
        case ValueKind::CrossVars:
            return "variable [{BY|*} variable]...";
        // As many values in a row as there are variables; at least one row.
        case ValueKind::VarCats:
            return "variable... ; value... code [; value... code]...";
        case ValueKind::File:
            return type == ParamNewFileSpec ? "'new file'" : "'file'";
        case ValueKind::CaseFile:
            return type == ParamSysFileIn ? "'data file'" : "'new data file'";
        case ValueKind::KeywordValue:
        case ValueKind::TokenQual:
            return Parts(desc);
        case ValueKind::StringQual:
            return OneQualifier(desc, qualifiers);
        case ValueKind::StringQualList:
            return QualifierList(desc, qualifiers);
        default:
            // A token list may declare qualifiers that its values carry in parentheses, after
            // any of them.
            return qualifiers.empty() ? "tokens..."
                                      : "tokens... [(" + QualifierList(desc, qualifiers) + ")] ...";
    }
}

std::string Optional(const std::string& text, bool required) {
    return required ? text : "[" + text + "]";
}

// required: the parameter must be written, by its own flag or because it is all that the
// subcommand can hold.
std::string Param(const SubComDescriptor& sub, const ParamDescriptor& desc, bool required) {
    const std::string& name = desc.getParamName();
    const std::string value = Value(desc);
    std::string text = name;
    if (!value.empty()) {
        std::string written;
        if (sub.areParamByParen()) {
            written = "(" + value + ")";
        } else if (sub.areParamByBlock()) {
            switch (desc.getBlockOption()) {
                case BlockNoValue:
                    written = " " + value;
                    break;
                case BlockByParen:
                    written = "(" + value + ")";
                    break;
                case BlockByEqual:
                    written = "=" + value;
                    break;
                default:
                    written = "[=" + value + "]";
                    break;
            }
        } else {
            written = "=" + value;
        }
        text += desc.isValueRequired() ? written : "[" + written + "]";
    }
    return Optional(text, required);
}

bool AnyPartRequired(const SubComDescriptor& sub) {
    const ParamDescriptor* leading = sub.getExportParamDesc();
    bool required = leading != nullptr && leading->isParamRequired();
    for (int p = 0; p < sub.getParamDescListSize(); ++p) {
        required = required || sub.getParamDesc(p)->isParamRequired();
    }
    return required;
}

// opensGroup: the subcommand is the separator that opens its group, so it is always there.
// A subcommand that may not be empty needs one of its parts even when none is required on its
// own: a single part is then shown required, and several get the note "at least one part".
std::string SubCommand(const SubComDescriptor& sub, bool opensGroup) {
    std::string text = sub.getSubComName().empty() ? "" : "/" + sub.getSubComName();
    const bool notEmpty = !sub.isEmptyAllowed();
    std::string note;
    if (sub.isSubComArbitrary()) {
        text += " " + Optional("anything...", notEmpty);
    } else {
        const ParamDescriptor* leading = sub.getExportParamDesc();
        const int parts = (leading != nullptr ? 1 : 0) + sub.getParamDescListSize();
        const bool needsOne = notEmpty && !AnyPartRequired(sub);
        const bool soleRequired = needsOne && parts == 1;
        if (needsOne && parts > 1) {
            note = "  -- at least one part";
        }
        if (leading != nullptr) {
            const std::string value =
                sub.areParamByBlock() ? Introduced(QualifByBlock, *leading) : Value(*leading);
            text += (text.empty() ? "" : " ") +
                    Optional(value, leading->isParamRequired() || soleRequired);
        }
        for (int p = 0; p < sub.getParamDescListSize(); ++p) {
            const ParamDescriptor& param = *sub.getParamDesc(p);
            text += " " + Param(sub, param, param.isParamRequired() || soleRequired);
        }
    }
    if (sub.getSubComName().empty()) {
        return text + note;
    }
    text = Optional(text, opensGroup || sub.isSubComRequired());
    return (sub.isSubComRepeatable() ? text + " ..." : text) + note;
}

std::string GroupHeading(const GroupComDescriptor& group) {
    const std::vector<std::string>& separators = group.getGroupSepNameList();
    std::string name;
    for (const std::string& separator : separators) {
        name += (name.empty() ? "" : "|") + separator;
    }
    const char* kind = "at most once";
    switch (group.getGroupType()) {
        case GroupGlobal:
            return "options, before any group:";
        case GroupRepeatable:
            kind = "may repeat";
            break;
        case GroupFinal:
            kind = "last, nothing may follow";
            break;
        default:
            break;
    }
    return "group " + name + ", " + (group.isGroupRequired() ? "required" : "optional") + ", " +
           kind + ":";
}

}  // namespace

std::string SyntaxChart(const examples::Procedure& procedure) {
    const CommandDescriptor& grammar = procedure.grammar();
    std::string chart = procedure.name() + " - " + procedure.summary() + "\n";
    if (grammar.groupIsOnlyGlobal()) {
        const GroupComDescriptor* group = grammar.getGlobalGroupDesc();
        std::string head = "  " + procedure.name() + " ";
        std::string rest;
        for (int s = 0; group != nullptr && s < group->getSubComDescListSize(); ++s) {
            const SubComDescriptor& sub = *group->getSubComDesc(s);
            if (sub.getSubComName().empty()) {
                head += SubCommand(sub, false);
            } else {
                rest += "      " + SubCommand(sub, false) + "\n";
            }
        }
        return chart + head + "\n" + rest;
    }
    chart += "  " + procedure.name() + "\n";
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor& group = *grammar.getGroupDesc(g);
        chart += "    " + GroupHeading(group) + "\n";
        for (int s = 0; s < group.getSubComDescListSize(); ++s) {
            const SubComDescriptor& sub = *group.getSubComDesc(s);
            chart += "      " + SubCommand(sub, group.isGroupSeparator(sub.getSubComName())) + "\n";
        }
    }
    return chart;
}

std::string SubCommandChart(const examples::Procedure& procedure, int group, int subCommand) {
    const CommandDescriptor& grammar = procedure.grammar();
    const GroupComDescriptor& groupDesc = *grammar.getGroupDesc(group);
    const SubComDescriptor& sub = *groupDesc.getSubComDesc(subCommand);
    std::string chart = procedure.name() + " - " + procedure.summary() + "\n";
    if (!grammar.groupIsOnlyGlobal()) {
        chart += "    " + GroupHeading(groupDesc) + "\n";
    }
    return chart + "      " + SubCommand(sub, groupDesc.isGroupSeparator(sub.getSubComName())) +
           "\n";
}

}  // namespace uparse
