#include "examples/procedures/Sketch.h"

#include "examples/procedures/Validation.h"
#include "examples/procedures/ValueReading.h"

namespace examples {

using namespace UPSpecTypes;

namespace {

ParamDescriptor BoundedInteger(const std::string& name, double low, double high) {
    ParamDescriptor param(name, ParamInteger);
    param.setLowerBoundary(low, LowerIncluded);
    param.setUpperBoundary(high, UpperIncluded);
    return param;
}

}  // namespace

Sketch::Sketch()
    : Procedure("SKETCH", "Sketch",
                "Summarises variables: center, spread, range and shape of each") {
    // The variables come first, without a keyword: the unnamed leading part.
    SubComDescriptor variables("", SubComByEqual, true);
    variables.setExportParamDesc(ParamTokenList, true);
    mGrammar.addSubComDesc(variables);

    // Figures are bare keywords; TRIM needs its "=" so that it cannot swallow a figure.
    SubComDescriptor stats("STATS", SubComByBlock);
    for (const char* figure : {"CENTER", "SPREAD", "RANGE", "SHAPE"}) {
        ParamDescriptor keyword(figure, ParamKeyWord, false, false);
        keyword.setBlockOption(BlockNoValue);
        stats.addParamDesc(keyword);
    }
    ParamDescriptor trim("TRIM", ParamNumber);
    trim.setBlockOption(BlockByEqual);
    trim.setLowerBoundary(0, LowerIncluded);
    trim.setUpperBoundary(50, UpperExcluded);
    stats.addParamDesc(trim);
    mGrammar.addSubComDesc(stats);

    SubComDescriptor format("FORMAT", SubComByEqual);
    format.addParamDesc(BoundedInteger("DIGITS", 0, 10));
    format.addParamDesc(BoundedInteger("WIDTH", 40, 255));
    ParamDescriptor order("ORDER", ParamString);
    for (const char* word : {"ASLISTED", "ASCENDING", "DESCENDING"}) {
        order.addStringValue(word);
    }
    format.addParamDesc(order);
    mGrammar.addSubComDesc(format);

    // A subcommand that holds only a leading value is by block, so that "=" before the value
    // may be written or left out.
    SubComDescriptor title("TITLE", SubComByBlock);
    title.setExportParamDesc(ParamLiteral, true);
    mGrammar.addSubComDesc(title);

    SubComDescriptor partition("PARTITION", SubComByBlock);
    partition.setExportParamDesc(ParamVarName, true);
    mGrammar.addSubComDesc(partition);

    SubComDescriptor note("NOTE", SubComArbitrary, false, true);
    mGrammar.addSubComDesc(note);
}

SketchSettings Sketch::settings(const CommandSpec& spec) const {
    SketchSettings settings;
    if (const SubComObj* stats = spec.getSubComObj("STATS")) {
        for (unsigned i = 0; i < stats->getParamListSize(); ++i) {
            const ParamObj* param = stats->getParamObj(i);
            if (param->getParamName() == "TRIM") {
                param->getNumberValue(settings.trim);
            } else {
                settings.figures.push_back(param->getParamName());
            }
        }
    }
    if (const SubComObj* format = spec.getSubComObj("FORMAT")) {
        if (const ParamObj* digits = format->getParamObj("DIGITS")) {
            digits->getIntegerValue(settings.digits);
        }
        if (const ParamObj* width = format->getParamObj("WIDTH")) {
            width->getIntegerValue(settings.width);
        }
        if (const ParamObj* order = format->getParamObj("ORDER")) {
            order->getUpStringGeneric(settings.order);
        }
    }
    if (const SubComObj* title = spec.getSubComObj("TITLE")) {
        title->exportParamObj()->getLiteral(settings.title);
    }
    std::vector<const SubComObj*> notes;
    spec.getSubComObj(notes, "NOTE");
    for (const SubComObj* note : notes) {
        settings.notes.push_back(JoinTexts(LeadingTokens(*note)));
    }
    return settings;
}

bool Sketch::validate(const CommandSpec& spec, Validation& check) const {
    const SubComObj* lead = spec.getSubComObj("");
    if (lead == nullptr) {
        return check.stopIn("", "", {});
    }
    const std::vector<TokenInfoObj> tokens = LeadingTokens(*lead);
    VarSpecObj variables = check.newList("", "");
    int pos = 0;
    if (!variables.ValidateVariables(tokens, RepeatVarsError, pos, nullptr, true)) {
        return check.stopIn("", "", tokens, pos);
    }
    check.accept("", "", "summarised", variables.GetValidVarList());
    if (!check.registerList("", "", variables, tokens)) {
        return false;
    }

    if (const SubComObj* partition = spec.getSubComObj("PARTITION")) {
        const std::vector<TokenInfoObj> name = LeadingTokens(*partition);
        VarSpecObj by = check.newList("PARTITION", "");
        if (name.empty() || by.ValidateVariable(name.front()) < 0) {
            return check.stopIn("PARTITION", "", name);
        }
        check.accept("PARTITION", "", "groups", by.GetValidVarList());
        if (!check.registerList("PARTITION", "", by, name)) {
            return false;
        }
    }
    return true;
}

}  // namespace examples
