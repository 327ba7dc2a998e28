#include "Rank.h"

#include "uparser/uparser.h"

namespace {

CommandDescriptor RankGrammar() {
    CommandDescriptor grammar("RANK", "Rank");
    SubComDescriptor variables("VARIABLES", UPSpecTypes::SubComByEqual, true);
    variables.setExportParamDesc(UPSpecTypes::ParamVarList, true);
    grammar.addSubComDesc(variables);

    ParamDescriptor groups("", UPSpecTypes::ParamInteger);
    groups.setLowerBoundary(2, UPSpecTypes::LowerIncluded);
    groups.setUpperBoundary(10, UPSpecTypes::UpperIncluded);
    SubComDescriptor grouping("GROUPS");
    grouping.setExportParamDesc(groups);
    grammar.addSubComDesc(grouping);
    return grammar;
}

}  // namespace

int RankCommand(TAVO_TokenSequence& tokens, const TAVO_DataSource& data, RankSettings& settings) {
    static const CommandDescriptor grammar = RankGrammar();
    CommandSpec spec;
    UniversalParser parser(tokens, spec, grammar);
    if (const int code = parser.getCommandSpecifications()) {
        return code;
    }
    if (const SubComObj* grouping = spec.getSubComObj("GROUPS")) {
        grouping->exportParamObj()->getIntegerValue(settings.groups);
    }
    std::vector<TavoVarName> names;
    spec.getSubComObj("VARIABLES")->exportParamObj()->getVarList(names);
    VarSpecObj checked("", "VARIABLES", grammar, &data, true);
    if (!checked.ValidateVariables(names, UPSpecTypes::RepeatVarsError)) {
        return -1;
    }
    for (const int index : checked.GetValidVarList()) {
        settings.variables.emplace_back(data.GetVariable(index).GetName());
    }
    return 0;
}
