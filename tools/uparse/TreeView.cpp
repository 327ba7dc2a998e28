#include "tools/uparse/TreeView.h"

#include <sstream>

#include "examples/procedures/GrammarLookup.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/VarCatList.h"

namespace uparse {

namespace {

using namespace UPSpecTypes;

ValueView Tokens(const ParamObj& value) {
    ValueView view;
    view.kind = "tokens";
    for (unsigned i = 0; i < value.getTokenListSize(); ++i) {
        const TokenInfoObj* token = value.getTokenObj(i);
        view.texts.push_back(token->IsLiteral() ? "'" + std::string(token->getString()) + "'"
                                                : token->getString());
    }
    return view;
}

ValueView Texts(const char* kind, std::vector<std::string> texts) {
    ValueView view;
    view.kind = kind;
    view.texts = std::move(texts);
    return view;
}

ValueView Numbers(const char* kind, std::vector<double> numbers) {
    ValueView view;
    view.kind = kind;
    view.numbers = std::move(numbers);
    return view;
}

ValueView Describe(const ParamObj& value, const ParamDescriptor* desc);

ValueView Part(const std::string& label, const ParamObj& value, const ParamDescriptor* desc) {
    ValueView part = Describe(value, desc);
    part.label = label;
    return part;
}

ValueView DescribeCompound(const ParamObj& value, const ParamDescriptor& desc) {
    ValueView view;
    switch (desc.getParamType()) {
        case ParamKeyWordValue: {
            ParamObj keyword;
            ParamObj part;
            if (!value.getKeywordAndValue(keyword, part, &desc, nullptr)) {
                return Tokens(value);
            }
            view.kind = "keyword-value";
            view.parts.push_back(Part("keyword", keyword, desc.getMainDesc()));
            view.parts.push_back(Part("value", part, desc.getQualifDesc()));
            return view;
        }
        case ParamTokenQual: {
            ParamObj token;
            ParamObj qualifier;
            if (!value.getTokenAndQual(token, qualifier, &desc, nullptr)) {
                return Tokens(value);
            }
            view.kind = "token-qualifier";
            view.parts.push_back(Part("token", token, desc.getMainDesc()));
            if (!qualifier.isNoType()) {
                view.parts.push_back(Part("qualifier", qualifier, desc.getQualifDesc()));
            }
            return view;
        }
        case ParamStringQual: {
            ParamObj qualifier;
            if (!value.getStringAndQual(qualifier, &desc, nullptr)) {
                return Tokens(value);
            }
            view.kind = "qualifier";
            const std::string name = qualifier.getParamName();
            view.parts.push_back(Part(name, qualifier, desc.getQualifDesc(name)));
            return view;
        }
        default: {
            std::vector<ParamObj> items;
            if (!value.getStringQualList(items, &desc, nullptr)) {
                return Tokens(value);
            }
            view.kind = "qualifiers";
            for (const ParamObj& item : items) {
                const std::string name = item.getParamName();
                view.parts.push_back(Part(name, item, desc.getQualifDesc(name)));
            }
            return view;
        }
    }
}

ValueView Describe(const ParamObj& value, const ParamDescriptor* desc) {
    if (value.isLeadingToken()) {
        return Texts("keyword", {});
    }
    if (desc == nullptr) {
        return Tokens(value);
    }
    std::string text;
    bool literal = false;
    double number = 0;
    int integer = 0;
    TavoVarName name;
    std::vector<std::string> texts;
    std::vector<double> numbers;
    std::vector<int> integers;
    std::vector<TavoVarName> names;
    switch (desc->getParamType()) {
        case ParamString:
            if (value.getStringGeneric(text)) {
                return Texts("word", {text});
            }
            break;
        case ParamLiteral:
            if (value.getStringOrLiteral(text, literal)) {
                return Texts(literal ? "literal" : "word", {text});
            }
            break;
        case ParamNumber:
            if (value.getNumberValue(number)) {
                return Numbers("number", {number});
            }
            if (value.getStringGeneric(text)) {
                return Texts("word", {text});
            }
            break;
        case ParamInteger:
            if (value.getIntegerValue(integer)) {
                return Numbers("integer", {static_cast<double>(integer)});
            }
            if (value.getStringGeneric(text)) {
                return Texts("word", {text});
            }
            break;
        case ParamStringList:
            if (value.getStringList(texts)) {
                return Texts("words", texts);
            }
            break;
        case ParamLiteralList:
            if (value.getLiteralList(texts)) {
                return Texts("literals", texts);
            }
            break;
        case ParamNumberList:
            if (value.getNumberList(numbers)) {
                return Numbers("numbers", numbers);
            }
            break;
        case ParamIntegerList:
            if (value.getIntegerList(integers)) {
                return Numbers("integers", std::vector<double>(integers.begin(), integers.end()));
            }
            break;
        case ParamVarName:
            if (value.getVarName(name)) {
                return Texts("variable", {name.str()});
            }
            break;
        case ParamVarList:
            if (value.getVarList(names)) {
                return Texts("variables", std::vector<std::string>(names.begin(), names.end()));
            }
            break;
        case ParamCrossVarList:
            if (value.getCrossVarList(names)) {
                return Texts("crossed", std::vector<std::string>(names.begin(), names.end()));
            }
            break;
        case ParamVarCatList: {
            VarCatList list;
            if (!value.getVarCatList(list)) {
                break;
            }
            list.copyVarList(names);
            ValueView view =
                Texts("categories", std::vector<std::string>(names.begin(), names.end()));
            std::vector<std::vector<std::string>> rows(list.getMapSize());
            list.copyMapKeyVal(rows, numbers);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                view.rows.push_back({rows[i], numbers[i]});
            }
            return view;
        }
        case ParamFileSpec:
        case ParamNewFileSpec:
        case ParamAnyFileSpec: {
            const ParamSpec type = desc->getParamType();
            if (value.getFilePath(text, type == ParamNewFileSpec, type != ParamAnyFileSpec)) {
                return Texts("path", {text});
            }
            break;
        }
        case ParamSysFileIn:
        case ParamSysFileOut:
            if (value.getStringOrLiteral(text, literal)) {
                return Texts("path", {text});
            }
            break;
        case ParamKeyWordValue:
        case ParamTokenQual:
        case ParamStringQual:
        case ParamStringQualList:
            return DescribeCompound(value, *desc);
        default:
            break;
    }
    return Tokens(value);
}

std::string FormatNumber(double number) {
    std::ostringstream out;
    out.precision(15);
    out << number;
    return out.str();
}

}  // namespace

std::vector<GroupView> DescribeTree(const CommandSpec& spec, const CommandDescriptor* grammar) {
    std::vector<GroupView> groups;
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        GroupView groupView;
        groupView.global = group.isGroupGlobal();
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            const SubComDescriptor* subDesc =
                grammar != nullptr ? examples::FindSubComDesc(*grammar, group, sub.getSubComName())
                                   : nullptr;
            SubComView subView;
            subView.name = sub.getSubComName();
            subView.extName = sub.getSubComExtName();
            subView.count = sub.getSubComCount();
            const ParamDescriptor* leadingDesc =
                subDesc != nullptr ? subDesc->getExportParamDesc() : nullptr;
            subView.hasLeading = sub.getTokenListSize() > 0;
            if (subView.hasLeading) {
                subView.leading = Describe(*sub.exportParamObj(), leadingDesc);
            }
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                const ParamObj& param = *sub.getParamObj(p);
                ParamView paramView;
                paramView.name = param.getParamName();
                paramView.parens = param.areParenUsed();
                paramView.brackets = param.areBracketsUsed();
                paramView.value = Describe(
                    param, subDesc != nullptr ? subDesc->getParamDesc(paramView.name) : nullptr);
                subView.params.push_back(std::move(paramView));
            }
            groupView.subCommands.push_back(std::move(subView));
        }
        groups.push_back(std::move(groupView));
    }
    return groups;
}

std::string ValueText(const ValueView& value) {
    std::string text;
    const auto append = [&text](const std::string& item, const char* separator) {
        if (!text.empty()) {
            text += separator;
        }
        text += item;
    };
    if (!value.parts.empty()) {
        for (const ValueView& part : value.parts) {
            const std::string partText = ValueText(part);
            append(partText.empty() ? part.label : part.label + ": " + partText, "; ");
        }
        return text;
    }
    const bool quoted = value.kind == "literal" || value.kind == "literals";
    const char* separator = value.kind == "crossed" ? " BY " : " ";
    for (const std::string& item : value.texts) {
        append(quoted ? "'" + item + "'" : item, separator);
    }
    for (double number : value.numbers) {
        append(FormatNumber(number), " ");
    }
    for (const ValueView::Row& row : value.rows) {
        std::string entry;
        for (const std::string& item : row.values) {
            entry += item + " ";
        }
        append(entry + "-> " + FormatNumber(row.code), "; ");
    }
    return text;
}

}  // namespace uparse
