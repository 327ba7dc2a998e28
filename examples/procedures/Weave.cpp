#include "examples/procedures/Weave.h"

#include "examples/procedures/Validation.h"
#include "examples/procedures/ValueReading.h"

namespace examples {

using namespace UPSpecTypes;

namespace {

ParamDescriptor Words(const std::string& name, ParamSpec type,
                      std::initializer_list<const char*> words) {
    ParamDescriptor param(name, type);
    for (const char* word : words) {
        param.addStringValue(word);
    }
    return param;
}

ParamDescriptor BoundedInteger(const std::string& name, double low, double high) {
    ParamDescriptor param(name, ParamInteger);
    param.setLowerBoundary(low, LowerIncluded);
    param.setUpperBoundary(high, UpperIncluded);
    return param;
}

const SubComObj* FirstSubCom(const CommandSpec& spec, const char* separator) {
    std::vector<const GroupComObj*> groups;
    if (spec.getGroupObj(groups, separator) == 0) {
        return nullptr;
    }
    return groups.front()->getSubComObj(separator);
}

}  // namespace

Weave::Weave()
    : Procedure("WEAVE", "Weave",
                "Counts cases in the combined categories of crossed variables, panel by panel") {
    GroupComDescriptor options(GroupGlobal);
    SubComDescriptor missing("MISSING", SubComByBlock);
    missing.setExportParamDesc(Words("", ParamString, {"SKIP", "KEEP"}));
    options.addSubComDesc(missing, false);
    SubComDescriptor weight("ROWWEIGHTS", SubComByBlock);
    weight.setExportParamDesc(ParamVarName, true);
    options.addSubComDesc(weight, false);
    mGrammar.addGroupDesc(options);

    // Each PANEL opens a group of its own; the group text numbers the panels in messages.
    GroupComDescriptor panel(GroupRepeatable, true);
    panel.setMessageText("Panel ^1");
    SubComDescriptor crossed("PANEL", SubComByEqual);
    crossed.setExportParamDesc(ParamCrossVarList, true);
    panel.addSubComDesc(crossed, true);
    SubComDescriptor cells("CELLS", SubComByBlock);
    cells.setExportParamDesc(
        Words("", ParamStringList, {"COUNT", "ROWSHR", "COLSHR", "TOTSHR", "EXPECTED"}));
    panel.addSubComDesc(cells, false);
    mGrammar.addGroupDesc(panel);

    GroupComDescriptor layout(GroupSingle, false);
    SubComDescriptor look("LAYOUT", SubComByParen);
    look.addParamDesc(Words("LABELS", ParamString, {"NAMES", "VALUES", "BOTH"}));
    look.addParamDesc(BoundedInteger("WIDTH", 4, 40));
    look.addParamDesc(BoundedInteger("DECIMALS", 0, 6));
    layout.addSubComDesc(look, true);
    mGrammar.addGroupDesc(layout);

    // Nothing may follow the file that receives the tables.
    GroupComDescriptor save(GroupFinal, false);
    SubComDescriptor file("SAVE", SubComByEqual);
    file.addParamDesc(ParamDescriptor("OUTFILE", ParamNewFileSpec, true));
    file.addParamDesc(Words("STYLE", ParamString, {"TEXT", "CSV"}));
    save.addSubComDesc(file, true);
    mGrammar.addGroupDesc(save);
}

WeaveSettings Weave::settings(const CommandSpec& spec) const {
    WeaveSettings settings;
    if (const GroupComObj* options = spec.getGlobalGroupObj()) {
        if (const SubComObj* missing = options->getSubComObj("MISSING")) {
            missing->exportParamObj()->getUpStringGeneric(settings.missing);
        }
        if (const SubComObj* weight = options->getSubComObj("ROWWEIGHTS")) {
            TavoVarName name;
            if (weight->exportParamObj()->getVarName(name)) {
                settings.weight = name.str();
            }
        }
    }
    std::vector<const GroupComObj*> panels;
    spec.getGroupObj(panels, "PANEL");
    for (const GroupComObj* group : panels) {
        WeavePanel panel;
        std::vector<TavoVarName> names;
        if (group->getSubComObj("PANEL")->exportParamObj()->getCrossVarList(names)) {
            panel.variables.assign(names.begin(), names.end());
        }
        if (const SubComObj* cells = group->getSubComObj("CELLS")) {
            cells->exportParamObj()->getUpStringList(panel.cells);
        }
        if (panel.cells.empty()) {
            panel.cells.push_back("COUNT");
        }
        settings.panels.push_back(std::move(panel));
    }
    if (const SubComObj* layout = FirstSubCom(spec, "LAYOUT")) {
        if (const ParamObj* labels = layout->getParamObj("LABELS")) {
            labels->getUpStringGeneric(settings.labels);
        }
        if (const ParamObj* width = layout->getParamObj("WIDTH")) {
            width->getIntegerValue(settings.width);
        }
        if (const ParamObj* decimals = layout->getParamObj("DECIMALS")) {
            decimals->getIntegerValue(settings.decimals);
        }
    }
    if (const SubComObj* save = FirstSubCom(spec, "SAVE")) {
        if (const ParamObj* outfile = save->getParamObj("OUTFILE")) {
            outfile->getFilePath(settings.outfile, true, true);
        }
        if (const ParamObj* style = save->getParamObj("STYLE")) {
            style->getUpStringGeneric(settings.style);
        }
    }
    return settings;
}

bool Weave::validate(const CommandSpec& spec, Validation& check) const {
    const GroupComObj* options = spec.getGlobalGroupObj();
    if (const SubComObj* weight =
            options != nullptr ? options->getSubComObj("ROWWEIGHTS") : nullptr) {
        const std::vector<TokenInfoObj> name = LeadingTokens(*weight);
        VarSpecObj counts = check.newList("ROWWEIGHTS", "", true);
        if (name.empty() || counts.ValidateVariable(name.front()) < 0) {
            return check.stopIn("ROWWEIGHTS", "", name);
        }
        check.accept("ROWWEIGHTS", "", "weight", counts.GetValidVarList());
        if (!check.registerList("ROWWEIGHTS", "", counts, name)) {
            return false;
        }
    }

    std::vector<const GroupComObj*> panels;
    spec.getGroupObj(panels, "PANEL");
    int number = 0;
    for (const GroupComObj* group : panels) {
        ++number;
        const std::vector<TokenInfoObj> tokens = LeadingTokens(*group->getSubComObj("PANEL"));
        std::vector<TavoVarName> names;
        group->getSubComObj("PANEL")->exportParamObj()->getCrossVarList(names);
        // The variables stand at the even positions, the separators between them.
        VarSpecObj crossed = check.newList("PANEL", "");
        crossed.SetDefaultRange(RangeOf(tokens));
        if (!crossed.ValidateVariables(names, RepeatVarsError, CrossedNameTokens(tokens))) {
            return check.stopIn("PANEL", "", tokens, 2 * crossed.GetNValidVars());
        }
        // A variable may be crossed in several panels, but never be the weight: each panel is
        // checked against a copy of the registry that holds the weight alone.
        ParserValidator panelRegistry = check.registry();
        std::vector<int> found;
        if (!check.registerEach(panelRegistry, crossed, tokens, "PANEL", "", found)) {
            return check.stopIn("PANEL", "", tokens, 2 * static_cast<int>(found.size()));
        }
        check.accept("PANEL", "", "panel " + std::to_string(number), crossed.GetValidVarList());
    }
    return true;
}

}  // namespace examples
