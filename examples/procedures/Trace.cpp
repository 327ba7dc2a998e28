#include "examples/procedures/Trace.h"

#include "examples/procedures/Validation.h"
#include "examples/procedures/ValueReading.h"
#include "uparser/ParserUtility.h"

namespace examples {

using namespace UPSpecTypes;

namespace {

ParamDescriptor Words(const std::string& name, std::initializer_list<const char*> words) {
    ParamDescriptor param(name, ParamString);
    for (const char* word : words) {
        param.addStringValue(word);
    }
    return param;
}

}  // namespace

Trace::Trace()
    : Procedure("TRACE", "Trace",
                "Draws numeric variables as lines over the cases") {
    // The qualifiers are declared on the list so that "STYLE =" inside the parentheses stays
    // part of the list instead of starting a parameter; the validation checks their values
    // against these descriptors.
    SubComDescriptor lines("", SubComByEqual, true);
    ParamDescriptor list("", ParamTokenList, true);
    list.setQualifOption(QualifByEqual);
    list.addQualifDesc(Words("STYLE", {"SOLID", "DASH", "DOT"}));
    ParamDescriptor width("WIDTH", ParamInteger);
    width.setLowerBoundary(1, LowerIncluded);
    width.setUpperBoundary(5, UpperIncluded);
    list.addQualifDesc(width);
    lines.setExportParamDesc(list);
    mGrammar.addSubComDesc(lines);

    SubComDescriptor axis("AXIS", SubComByEqual);
    axis.addParamDesc(ParamDescriptor("TICKS", ParamNumberList));
    axis.addParamDesc(ParamDescriptor("LABELS", ParamLiteralList));
    ParamDescriptor step("STEP", ParamNumber);
    step.setLowerBoundary(0, LowerExcluded);
    axis.addParamDesc(step);
    mGrammar.addSubComDesc(axis);

    SubComDescriptor highlight("HIGHLIGHT", SubComByBlock);
    ParamDescriptor cases("", ParamIntegerList, true);
    cases.setLowerBoundary(1, LowerIncluded);
    highlight.setExportParamDesc(cases);
    mGrammar.addSubComDesc(highlight);

    SubComDescriptor range("RANGE", SubComByParen);
    range.addParamDesc(ParamDescriptor("LOW", ParamNumber));
    range.addParamDesc(ParamDescriptor("HIGH", ParamNumber));
    mGrammar.addSubComDesc(range);

    SubComDescriptor legend("LEGEND", SubComByEqual);
    ParamDescriptor place("PLACE", ParamStringQual);
    place.addQualifDesc(Words("INSIDE", {"TOP", "BOTTOM"}));
    place.addQualifDesc(Words("OUTSIDE", {"RIGHT", "BOTTOM"}));
    place.addQualifDesc("NONE");
    legend.addParamDesc(place);
    ParamDescriptor font("FONT", ParamStringQualList);
    ParamDescriptor size("SIZE", ParamInteger);
    size.setLowerBoundary(6, LowerIncluded);
    size.setUpperBoundary(72, UpperIncluded);
    font.addQualifDesc(size);
    font.addQualifDesc(Words("FACE", {"SERIF", "SANS", "MONO"}));
    legend.addParamDesc(font);
    mGrammar.addSubComDesc(legend);
}

TraceSettings Trace::settings(const CommandSpec& spec) const {
    TraceSettings settings;
    if (const SubComObj* axis = spec.getSubComObj("AXIS")) {
        if (const ParamObj* ticks = axis->getParamObj("TICKS")) {
            ticks->getNumberList(settings.ticks);
        }
        if (const ParamObj* labels = axis->getParamObj("LABELS")) {
            labels->getLiteralList(settings.tickLabels);
        }
        if (const ParamObj* step = axis->getParamObj("STEP")) {
            step->getNumberValue(settings.step);
        }
    }
    if (const SubComObj* highlight = spec.getSubComObj("HIGHLIGHT")) {
        highlight->exportParamObj()->getIntegerList(settings.highlight);
    }
    if (const SubComObj* range = spec.getSubComObj("RANGE")) {
        if (const ParamObj* low = range->getParamObj("LOW")) {
            settings.hasLow = low->getNumberValue(settings.low);
        }
        if (const ParamObj* high = range->getParamObj("HIGH")) {
            settings.hasHigh = high->getNumberValue(settings.high);
        }
    }
    if (const SubComObj* legend = spec.getSubComObj("LEGEND")) {
        const SubComDescriptor* legendDesc = mGrammar.getSubComDesc("LEGEND");
        if (const ParamObj* place = legend->getParamObj("PLACE")) {
            ParamObj where;
            if (place->getStringAndQual(where, legendDesc->getParamDesc("PLACE"), nullptr)) {
                settings.place = where.getParamName();
                settings.side.clear();
                where.getUpStringGeneric(settings.side);
            }
        }
        if (const ParamObj* font = legend->getParamObj("FONT")) {
            std::vector<ParamObj> items;
            if (font->getStringQualList(items, legendDesc->getParamDesc("FONT"), nullptr)) {
                for (const ParamObj& item : items) {
                    if (item.getParamName() == "SIZE") {
                        item.getIntegerValue(settings.fontSize);
                    } else {
                        item.getUpStringGeneric(settings.fontFace);
                    }
                }
            }
        }
    }
    return settings;
}

bool Trace::validate(const CommandSpec& spec, Validation& check) const {
    const SubComObj* lead = spec.getSubComObj("");
    const std::vector<TokenInfoObj> tokens =
        lead != nullptr ? LeadingTokens(*lead) : std::vector<TokenInfoObj>();
    VarSpecObj lines = check.newList("", "", true);
    lines.SetAllowQualifiers(true);
    std::vector<VarSpecObj> blocks;
    if (tokens.empty() || !lines.ValidateVarBlocksAndQuals(tokens, blocks, {})) {
        return check.stopIn("", "", tokens, -1, true);
    }
    const ParamDescriptor* listDesc = mGrammar.getSubComDesc("")->getExportParamDesc();
    for (const VarSpecObj& block : blocks) {
        std::vector<std::pair<std::string, std::string>> qualifiers;
        if (!check.checkQualifiers("", "", block, *listDesc, qualifiers)) {
            return false;
        }
        check.accept("", "", "lines", block.GetValidVarList(), std::move(qualifiers));
    }

    if (const SubComObj* range = spec.getSubComObj("RANGE")) {
        const ParamObj* low = range->getParamObj("LOW");
        const ParamObj* high = range->getParamObj("HIGH");
        double lowValue = 0;
        double highValue = 0;
        if (low != nullptr && high != nullptr && low->getNumberValue(lowValue) &&
            high->getNumberValue(highValue) && highValue < lowValue) {
            check.message().ParamLessOtherParam("HIGH", "LOW", "RANGE");
            return check.stopAt("RANGE", "HIGH", *high->getTokenObj(0));
        }
    }
    return true;
}

}  // namespace examples
