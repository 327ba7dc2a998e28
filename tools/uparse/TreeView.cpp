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

// Empties a view for its next value; the vectors keep their room.
void Reset(ValueView& view) {
    view.label.clear();
    view.kind = std::string_view();
    view.texts.clear();
    view.numbers.clear();
    view.rows.clear();
    view.parts.clear();
}

void Tokens(const ParamObj& value, ValueView& view) {
    Reset(view);
    view.kind = "tokens";
    view.texts.reserve(value.getTokenListSize());
    for (unsigned i = 0; i < value.getTokenListSize(); ++i) {
        const TokenInfoObj* token = value.getTokenObj(i);
        if (!token->IsLiteral()) {
            view.texts.emplace_back(token->getString());
            continue;
        }
        std::string& text = view.texts.emplace_back();
        const std::string_view literal = token->getString();
        text.reserve(literal.size() + 2);
        text += '\'';
        text += literal;
        text += '\'';
    }
}

void Describe(const ParamObj& value, const ParamDescriptor* desc, ValueView& view);

void AddPart(ValueView& view, const std::string& label, const ParamObj& value,
             const ParamDescriptor* desc) {
    ValueView& part = view.parts.emplace_back();
    Describe(value, desc, part);
    part.label = label;
}

// False when the value does not read as its compound kind.
bool DescribeCompound(const ParamObj& value, const ParamDescriptor& desc, ValueView& view) {
    switch (GetParamTypeTraits(desc.getParamType()).element) {
        case ValueKind::KeywordValue: {
            ParamObj keyword;
            ParamObj part;
            if (!value.getKeywordAndValue(keyword, part, &desc, nullptr)) {
                return false;
            }
            view.kind = "keyword-value";
            AddPart(view, "keyword", keyword, desc.getMainDesc());
            AddPart(view, "value", part, desc.getQualifDesc());
            return true;
        }
        case ValueKind::TokenQual: {
            ParamObj token;
            ParamObj qualifier;
            if (!value.getTokenAndQual(token, qualifier, &desc, nullptr)) {
                return false;
            }
            view.kind = "token-qualifier";
            AddPart(view, "token", token, desc.getMainDesc());
            if (!qualifier.isNoType()) {
                AddPart(view, "qualifier", qualifier, desc.getQualifDesc());
            }
            return true;
        }
        case ValueKind::StringQual: {
            ParamObj qualifier;
            if (!value.getStringAndQual(qualifier, &desc, nullptr)) {
                return false;
            }
            view.kind = "qualifier";
            const std::string name = qualifier.getParamName();
            AddPart(view, name, qualifier, desc.getQualifDesc(name));
            return true;
        }
        default: {
            std::vector<ParamObj> items;
            if (!value.getStringQualList(items, &desc, nullptr)) {
                return false;
            }
            view.kind = "qualifiers";
            for (const ParamObj& item : items) {
                const std::string name = item.getParamName();
                AddPart(view, name, item, desc.getQualifDesc(name));
            }
            return true;
        }
    }
}

// Each reader fills an empty view and answers false when the value does not read as its
// kind; Describe then shows the raw tokens, whatever the reader left in the view.
bool DescribeWords(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    if (traits.list) {
        view.kind = "words";
        return value.getStringList(view.texts);
    }
    std::string text;
    if (!value.getStringGeneric(text)) {
        return false;
    }
    view.kind = "word";
    view.texts.push_back(std::move(text));
    return true;
}

bool DescribeLiterals(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    if (traits.list) {
        view.kind = "literals";
        return value.getLiteralList(view.texts);
    }
    std::string text;
    bool literal = false;
    if (!value.getStringOrLiteral(text, literal)) {
        return false;
    }
    view.kind = literal ? "literal" : "word";
    view.texts.push_back(std::move(text));
    return true;
}

// A single number may be an accepted word instead.
bool DescribeNumbers(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    const bool integral = traits.element == ValueKind::Integer;
    if (traits.list) {
        view.kind = integral ? "integers" : "numbers";
        if (!integral) {
            return value.getNumberList(view.numbers);
        }
        std::vector<int> integers;
        const bool read = value.getIntegerList(integers);
        view.numbers.assign(integers.begin(), integers.end());
        return read;
    }
    double number = 0;
    int integer = 0;
    if (integral ? value.getIntegerValue(integer) : value.getNumberValue(number)) {
        view.kind = integral ? "integer" : "number";
        view.numbers.push_back(integral ? integer : number);
        return true;
    }
    return DescribeWords(value, GetParamTypeTraits(ParamString), view);
}

void AddNames(ValueView& view, const std::vector<TavoVarName>& names) {
    view.texts.reserve(names.size());
    for (const TavoVarName& name : names) {
        view.texts.emplace_back(name);
    }
}

bool DescribeVariables(const ParamObj& value, const ParamTypeTraits& traits, ValueView& view) {
    if (!traits.list && traits.element == ValueKind::VarName) {
        TavoVarName name;
        if (!value.getVarName(name)) {
            return false;
        }
        view.kind = "variable";
        view.texts.emplace_back(name);
        return true;
    }
    std::vector<TavoVarName> names;
    if (traits.element == ValueKind::CrossVars ? value.getCrossVarList(names)
                                               : value.getVarList(names)) {
        view.kind = traits.element == ValueKind::CrossVars ? "crossed" : "variables";
        AddNames(view, names);
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
    view.kind = "categories";
    AddNames(view, names);
    std::vector<std::vector<std::string>> rows(list.getMapSize());
    std::vector<double> codes;
    list.copyMapKeyVal(rows, codes);
    view.rows.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        view.rows.push_back({std::move(rows[i]), codes[i]});
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
    view.kind = "path";
    view.texts.push_back(std::move(text));
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
            return DescribeCompound(value, desc, view);
        default:
            return false;
    }
}

void Describe(const ParamObj& value, const ParamDescriptor* desc, ValueView& view) {
    Reset(view);
    if (value.isLeadingToken()) {
        view.kind = "keyword";
        return;
    }
    if (desc == nullptr || !DescribeKind(value, *desc, view)) {
        Tokens(value, view);
    }
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
        out.append(buffer, static_cast<std::size_t>(written.ptr - buffer));
        return;
    }
    const std::to_chars_result written = std::to_chars(
        buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
    out.append(buffer, static_cast<std::size_t>(written.ptr - buffer));
}

}  // namespace

void WalkTree(const CommandSpec& spec, const CommandDescriptor* grammar, TreeVisitor& visitor) {
    ValueView leading;
    ParamView paramView;
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        visitor.group(group.isGroupGlobal(), group.getSubComListSize() == 0);
        const GroupComDescriptor* groupDesc =
            grammar != nullptr ? examples::FindGroupDesc(*grammar, group) : nullptr;
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            const SubComDescriptor* subDesc =
                groupDesc != nullptr ? groupDesc->getSubComDesc(sub.getSubComName()) : nullptr;
            SubComView subView;
            subView.name = sub.getSubComName();
            subView.extName = sub.getSubComExtName();
            subView.count = sub.getSubComCount();
            if (sub.getTokenListSize() > 0) {
                Describe(*sub.exportParamObj(),
                         subDesc != nullptr ? subDesc->getExportParamDesc() : nullptr, leading);
                subView.leading = &leading;
            }
            visitor.subCommand(subView);
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                const ParamObj& param = *sub.getParamObj(p);
                paramView.name = param.getParamName();
                paramView.parens = param.areParenUsed();
                paramView.brackets = param.areBracketsUsed();
                Describe(param,
                         subDesc != nullptr ? subDesc->getParamDesc(paramView.name) : nullptr,
                         paramView.value);
                visitor.parameter(paramView);
            }
            visitor.endSubCommand();
        }
        visitor.endGroup();
    }
}

void AppendValueText(std::string& out, const ValueView& value) {
    // A separator goes before every item but the first that added text; an item that adds
    // nothing leaves the next one first.
    const std::size_t start = out.size();
    const auto separate = [&out, start](std::string_view separator) {
        if (out.size() > start) {
            out.append(separator.data(), separator.size());
        }
    };
    const auto blank = [&out, start]() {
        if (out.size() > start) {
            out.push_back(' ');
        }
    };
    if (!value.parts.empty()) {
        for (const ValueView& part : value.parts) {
            separate("; ");
            AppendPrintableToken(out, part.label);
            const std::size_t labelEnd = out.size();
            AppendShort(out, ": ");
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
    const bool crossed = texts && value.kind == "crossed";
    for (const std::string& item : value.texts) {
        if (crossed) {
            separate(" BY ");
        } else {
            blank();
        }
        if (quoted) {
            out += '\'';
        }
        AppendPrintableToken(out, item);
        if (quoted) {
            out += '\'';
        }
    }
    for (double number : value.numbers) {
        blank();
        AppendNumber(out, number);
    }
    for (const ValueView::Row& row : value.rows) {
        separate("; ");
        for (const std::string& item : row.values) {
            AppendPrintableToken(out, item);
            out += ' ';
        }
        AppendShort(out, "-> ");
        AppendNumber(out, row.code);
    }
}

}  // namespace uparse
