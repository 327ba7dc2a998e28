#include "tools/uparse/TreeView.h"

#include <charconv>
#include <cmath>

#include "examples/procedures/GrammarLookup.h"
#include "tools/uparse/Printable.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/VarCatList.h"

namespace uparse {

namespace {

using namespace UPSpecTypes;

ValueView Tokens(const ParamObj& value) {
    ValueView view;
    view.kind = "tokens";
    view.texts.reserve(value.getTokenListSize());
    for (unsigned i = 0; i < value.getTokenListSize(); ++i) {
        const TokenInfoObj* token = value.getTokenObj(i);
        std::string& text = view.texts.emplace_back();
        if (token->IsLiteral()) {
            const std::string_view literal = token->getString();
            text.reserve(literal.size() + 2);
            text += '\'';
            text += literal;
            text += '\'';
        } else {
            text = token->getString();
        }
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
    switch (GetParamTypeTraits(desc.getParamType()).element) {
        case ValueKind::KeywordValue: {
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
        case ValueKind::TokenQual: {
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
        case ValueKind::StringQual: {
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

// Each reader answers false when the value does not read as its kind; Describe then shows
// the raw tokens.
bool DescribeWords(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    std::string text;
    std::vector<std::string> texts;
    if (traits.list ? value.getStringList(texts) : value.getStringGeneric(text)) {
        view = traits.list ? Texts("words", std::move(texts)) : Texts("word", {std::move(text)});
        return true;
    }
    return false;
}

bool DescribeLiterals(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    std::string text;
    bool literal = false;
    std::vector<std::string> texts;
    if (traits.list ? value.getLiteralList(texts) : value.getStringOrLiteral(text, literal)) {
        view = traits.list ? Texts("literals", std::move(texts))
                           : Texts(literal ? "literal" : "word", {std::move(text)});
        return true;
    }
    return false;
}

// A single number may be an accepted word instead.
bool DescribeNumbers(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    const bool integral = traits.element == ValueKind::Integer;
    std::vector<double> numbers;
    if (traits.list) {
        std::vector<int> integers;
        const bool read = integral ? value.getIntegerList(integers) : value.getNumberList(numbers);
        if (integral) {
            numbers.assign(integers.begin(), integers.end());
        }
        view = Numbers(integral ? "integers" : "numbers", std::move(numbers));
        return read;
    }
    double number = 0;
    int integer = 0;
    if (integral ? value.getIntegerValue(integer) : value.getNumberValue(number)) {
        view = Numbers(integral ? "integer" : "number", {integral ? integer : number});
        return true;
    }
    return DescribeWords(value, GetParamTypeTraits(ParamString), view);
}

bool DescribeVariables(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    TavoVarName name;
    std::vector<TavoVarName> names;
    if (traits.element == ValueKind::CrossVars ? value.getCrossVarList(names)
        : traits.list                          ? value.getVarList(names)
                                               : value.getVarName(name)) {
        if (!traits.list && traits.element == ValueKind::VarName) {
            names.push_back(name);
        }
        const char* kind = traits.element == ValueKind::CrossVars ? "crossed"
                           : traits.list                          ? "variables"
                                                                  : "variable";
        view = Texts(kind, std::vector<std::string>(names.begin(), names.end()));
        return true;
    }
    return false;
}

bool DescribeCategories(const ParamObj& value, ValueView& view) {
    VarCatList list;
    if (!value.getVarCatList(list)) {
        return false;
    }
    std::vector<TavoVarName> names;
    list.copyVarList(names);
    view = Texts("categories", std::vector<std::string>(names.begin(), names.end()));
    std::vector<std::vector<std::string>> rows(list.getMapSize());
    std::vector<double> codes;
    list.copyMapKeyVal(rows, codes);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        view.rows.push_back({rows[i], codes[i]});
    }
    return true;
}

bool DescribePath(const ParamObj& value, ParamSpec type, ValueView& view) {
    std::string text;
    bool literal = false;
    const bool read =
        GetParamTypeTraits(type).element == ValueKind::CaseFile
            ? value.getStringOrLiteral(text, literal)
            : value.getFilePath(text, type == ParamNewFileSpec, type != ParamAnyFileSpec);
    view = Texts("path", {std::move(text)});
    return read;
}

bool DescribeKind(const ParamObj& value, const ParamDescriptor& desc, ValueView& view) {
    const ParamTypeTraits& traits = GetParamTypeTraits(desc.getParamType());
    switch (traits.element) {
        case ValueKind::Word:
            return DescribeWords(value, traits, view);
        case ValueKind::Literal:
            return DescribeLiterals(value, traits, view);
        case ValueKind::Number:
        case ValueKind::Integer:
            return DescribeNumbers(value, traits, view);
        case ValueKind::VarName:
        case ValueKind::CrossVars:
            return DescribeVariables(value, traits, view);
        case ValueKind::VarCats:
            return DescribeCategories(value, view);
        case ValueKind::File:
        case ValueKind::CaseFile:
            return DescribePath(value, traits.type, view);
        case ValueKind::KeywordValue:
        case ValueKind::TokenQual:
        case ValueKind::StringQual:
        case ValueKind::StringQualList:
            view = DescribeCompound(value, desc);
            return true;
        default:
            return false;
    }
}

ValueView Describe(const ParamObj& value, const ParamDescriptor* desc) {
    if (value.isLeadingToken()) {
        return Texts("keyword", {});
    }
    ValueView view;
    if (desc != nullptr && DescribeKind(value, *desc, view)) {
        return view;
    }
    return Tokens(value);
}

// As a stream with precision 15 writes it ("%.15g"), without a stream per number.
void AppendNumber(std::string& out, double number) {
    char buffer[32];
    // A whole number of at most 15 digits, as most are, reads the same as an integer; the
    // general form costs several times as much. Negative zero keeps its sign there.
    if (std::fabs(number) < 1e15 && std::trunc(number) == number &&
        !(number == 0 && std::signbit(number))) {
        const std::to_chars_result written =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(number));
        out.append(buffer, written.ptr);
        return;
    }
    const std::to_chars_result written = std::to_chars(
        buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
    out.append(buffer, written.ptr);
}

}  // namespace

std::vector<GroupView> DescribeTree(const CommandSpec& spec, const CommandDescriptor* grammar) {
    std::vector<GroupView> groups;
    groups.reserve(spec.getGroupListSize());
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        GroupView& groupView = groups.emplace_back();
        groupView.global = group.isGroupGlobal();
        groupView.subCommands.reserve(group.getSubComListSize());
        const GroupComDescriptor* groupDesc =
            grammar != nullptr ? examples::FindGroupDesc(*grammar, group) : nullptr;
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            const SubComDescriptor* subDesc =
                groupDesc != nullptr ? groupDesc->getSubComDesc(sub.getSubComName()) : nullptr;
            SubComView& subView = groupView.subCommands.emplace_back();
            subView.name = sub.getSubComName();
            subView.extName = sub.getSubComExtName();
            subView.count = sub.getSubComCount();
            const ParamDescriptor* leadingDesc =
                subDesc != nullptr ? subDesc->getExportParamDesc() : nullptr;
            subView.hasLeading = sub.getTokenListSize() > 0;
            if (subView.hasLeading) {
                subView.leading = Describe(*sub.exportParamObj(), leadingDesc);
            }
            subView.params.reserve(sub.getParamListSize());
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                const ParamObj& param = *sub.getParamObj(p);
                ParamView& paramView = subView.params.emplace_back();
                paramView.name = param.getParamName();
                paramView.parens = param.areParenUsed();
                paramView.brackets = param.areBracketsUsed();
                paramView.value = Describe(
                    param, subDesc != nullptr ? subDesc->getParamDesc(paramView.name) : nullptr);
            }
        }
    }
    return groups;
}

void AppendValueText(std::string& out, const ValueView& value) {
    // A separator goes before every item but the first that added text; an item that adds
    // nothing leaves the next one first.
    const std::size_t start = out.size();
    const auto separate = [&out, start](const char* separator) {
        if (out.size() > start) {
            out += separator;
        }
    };
    if (!value.parts.empty()) {
        for (const ValueView& part : value.parts) {
            separate("; ");
            AppendPrintableToken(out, part.label);
            const std::size_t labelEnd = out.size();
            out += ": ";
            const std::size_t partStart = out.size();
            AppendValueText(out, part);
            if (out.size() == partStart) {
                out.resize(labelEnd);
            }
        }
        return;
    }
    const bool texts = !value.texts.empty();
    const bool quoted = texts && (value.kind == "literal" || value.kind == "literals");
    const char* separator = texts && value.kind == "crossed" ? " BY " : " ";
    for (const std::string& item : value.texts) {
        separate(separator);
        if (quoted) {
            out += '\'';
        }
        AppendPrintableToken(out, item);
        if (quoted) {
            out += '\'';
        }
    }
    for (double number : value.numbers) {
        separate(" ");
        AppendNumber(out, number);
    }
    for (const ValueView::Row& row : value.rows) {
        separate("; ");
        for (const std::string& item : row.values) {
            AppendPrintableToken(out, item);
            out += ' ';
        }
        out += "-> ";
        AppendNumber(out, row.code);
    }
}

}  // namespace uparse
