#include "tools/uparse/SyntaxChart.h"

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

std::string Value(const ParamDescriptor& desc) {
    std::vector<std::string> qualifiers;
    desc.getQualifNames(qualifiers);
    switch (desc.getParamType()) {
        case ParamKeyWord:
            return "";
        case ParamString:
            return Choice(desc, "word");
        case ParamLiteral:
            return "'text'";
        case ParamStringList:
            return Choice(desc, "word") + "...";
        case ParamLiteralList:
            return "'text'...";
        case ParamNumber:
            return "number" + Bounds(desc);
        case ParamNumberList:
            return "number..." + Bounds(desc);
        case ParamInteger:
            return "integer" + Bounds(desc);
        case ParamIntegerList:
            return "integer..." + Bounds(desc);
        case ParamVarName:
            return "variable";
        case ParamVarList:
            return "variable...";
        case ParamCrossVarList:
            return "variable BY variable...";
        case ParamVarCatList:
            return "variable... ; value... code ...";
        case ParamFileSpec:
        case ParamAnyFileSpec:
            return "'file'";
        case ParamNewFileSpec:
            return "'new file'";
        case ParamSysFileIn:
            return "'data file'";
        case ParamSysFileOut:
            return "'new data file'";
        case ParamKeyWordValue:
        case ParamTokenQual: {
            const ParamDescriptor* main = desc.getMainDesc();
            const ParamDescriptor* part = desc.getQualifDesc();
            std::string text = main != nullptr ? Value(*main) : "token";
            if (part != nullptr) {
                // A keyword's value stands apart from the keyword; a token's qualifier clings.
                const std::string value = (desc.getParamType() == ParamKeyWordValue ? " " : "") +
                                          Introduced(desc.getQualifOption(), *part);
                text += part->isValueRequired() ? value : "[" + value + "]";
            }
            return text;
        }
        case ParamStringQual: {
            std::string text;
            for (const std::string& name : qualifiers) {
                text += (text.empty() ? "{" : "|") + Qualifier(desc, name);
            }
            return text.empty() ? "qualifier" : text + "}";
        }
        case ParamStringQualList: {
            std::string text;
            for (const std::string& name : qualifiers) {
                text += (text.empty() ? "[" : " [") + Qualifier(desc, name) + "]";
            }
            return text;
        }
        default: {
            // A token list may declare qualifiers that its values carry in parentheses.
            std::string text = "tokens...";
            if (!qualifiers.empty()) {
                text += " [(";
                for (std::size_t i = 0; i < qualifiers.size(); ++i) {
                    text += (i > 0 ? " " : "") + Qualifier(desc, qualifiers[i]);
                }
                text += ")]";
            }
            return text;
        }
    }
}

std::string Optional(const std::string& text, bool required) {
    return required ? text : "[" + text + "]";
}

std::string Param(const SubComDescriptor& sub, const ParamDescriptor& desc) {
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
    return Optional(text, desc.isParamRequired());
}

// opensGroup: the subcommand is the separator that opens its group, so it is always there.
std::string SubCommand(const SubComDescriptor& sub, bool opensGroup) {
    std::string text = sub.getSubComName().empty() ? "" : "/" + sub.getSubComName();
    if (sub.isSubComArbitrary()) {
        text += " anything...";
    } else if (const ParamDescriptor* leading = sub.getExportParamDesc()) {
        const std::string value =
            sub.areParamByBlock() ? Introduced(QualifByBlock, *leading) : Value(*leading);
        // Without parameters the leading value is all a subcommand can hold.
        const bool required = leading->isParamRequired() ||
                              (sub.getParamDescListSize() == 0 && !sub.isEmptyAllowed());
        text += (text.empty() ? "" : " ") + Optional(value, required);
    }
    for (int p = 0; p < sub.getParamDescListSize(); ++p) {
        text += " " + Param(sub, *sub.getParamDesc(p));
    }
    if (sub.getSubComName().empty()) {
        return text;
    }
    text = Optional(text, opensGroup || sub.isSubComRequired());
    return sub.isSubComRepeatable() ? text + " ..." : text;
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

}  // namespace uparse
