#include "examples/procedures/Bucket.h"

#include "examples/procedures/Validation.h"
#include "examples/procedures/ValueReading.h"
#include "uparser/VarCatList.h"

namespace examples {

using namespace UPSpecTypes;

Bucket::Bucket()
    : Procedure("BUCKET", "Bucket",
                "Makes a new variable from the codes given to combinations of categories") {
    SubComDescriptor target("", SubComByEqual, true);
    target.setExportParamDesc(ParamVarName, true);
    mGrammar.addSubComDesc(target);

    SubComDescriptor map("MAP", SubComByBlock, true);
    map.setExportParamDesc(ParamVarCatList, true);
    mGrammar.addSubComDesc(map);

    SubComDescriptor otherwise("OTHERWISE", SubComByEqual);
    otherwise.addParamDesc(ParamDescriptor("VALUE", ParamNumber));
    otherwise.addParamDesc(ParamDescriptor("COPY", ParamKeyWord, false, false));
    mGrammar.addSubComDesc(otherwise);

    SubComDescriptor labels("LABELS", SubComByBlock);
    labels.setExportParamDesc(ParamLiteralList, true);
    mGrammar.addSubComDesc(labels);

    SubComDescriptor write("WRITE", SubComByEqual);
    write.addParamDesc(ParamDescriptor("FILE", ParamNewFileSpec, true));
    ParamDescriptor separator("SEPARATOR", ParamString);
    for (const char* word : {"COMMA", "TAB", "SPACE"}) {
        separator.addStringValue(word);
    }
    write.addParamDesc(separator);
    mGrammar.addSubComDesc(write);
}

BucketSettings Bucket::settings(const CommandSpec& spec) const {
    BucketSettings settings;
    if (const SubComObj* target = spec.getSubComObj("")) {
        TavoVarName name;
        if (target->exportParamObj()->getVarName(name)) {
            settings.target = name.str();
        }
    }
    if (const SubComObj* map = spec.getSubComObj("MAP")) {
        VarCatList table;
        if (map->exportParamObj()->getVarCatList(table)) {
            std::vector<TavoVarName> names;
            table.copyVarList(names);
            settings.sources.assign(names.begin(), names.end());
            std::vector<std::vector<std::string>> rows(table.getMapSize());
            std::vector<double> codes;
            table.copyMapKeyVal(rows, codes);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                settings.rows.push_back({rows[i], codes[i]});
            }
        }
    }
    if (const SubComObj* otherwise = spec.getSubComObj("OTHERWISE")) {
        settings.copy = otherwise->getParamObj("COPY") != nullptr;
        if (const ParamObj* value = otherwise->getParamObj("VALUE")) {
            settings.hasOtherwise = value->getNumberValue(settings.otherwise);
        }
    }
    if (const SubComObj* labels = spec.getSubComObj("LABELS")) {
        labels->exportParamObj()->getLiteralList(settings.labels);
    }
    if (const SubComObj* write = spec.getSubComObj("WRITE")) {
        if (const ParamObj* file = write->getParamObj("FILE")) {
            file->getFilePath(settings.file, true, true);
        }
        if (const ParamObj* separator = write->getParamObj("SEPARATOR")) {
            separator->getUpStringGeneric(settings.separator);
        }
    }
    return settings;
}

bool Bucket::validate(const CommandSpec& spec, Validation& check) const {
    const SubComObj* target = spec.getSubComObj("");
    const std::vector<TokenInfoObj> targetTokens =
        target != nullptr ? LeadingTokens(*target) : std::vector<TokenInfoObj>();
    TavoVarName targetName;
    if (target == nullptr || !target->exportParamObj()->getVarName(targetName)) {
        return check.stopIn("", "", targetTokens);
    }
    VarSpecObj created = check.newList("", "");
    created.SetDefaultRange(RangeOf(targetTokens));
    if (created.CheckNewVariable(targetName) >= 0) {
        return check.stopAt("", "", targetTokens.front());
    }

    const SubComObj* map = spec.getSubComObj("MAP");
    if (map == nullptr) {
        return check.stopIn("MAP", "", {});
    }
    const std::vector<TokenInfoObj> tokens = LeadingTokens(*map);
    VarCatList table;
    map->exportParamObj()->getVarCatList(table);
    std::vector<TavoVarName> names;
    table.copyVarList(names);
    VarSpecObj sources = check.newList("MAP", "");
    sources.SetDefaultRange(RangeOf(tokens));
    if (!sources.ValidateVariables(names, RepeatVarsError, TableNameTokens(tokens, names.size()))) {
        return check.stopIn("MAP", "", tokens, sources.GetNValidVars());
    }
    const std::vector<int>& indices = sources.GetValidVarList();
    check.accept("MAP", "", "sources", indices);
    if (!check.registerList("MAP", "", sources, tokens)) {
        return false;
    }

    // Every value must read as a value of its variable: the rows follow the variables as
    // ";", one value per variable, and the code.
    if (!check.checkCategoryValues("MAP", "", indices, tokens)) {
        return false;
    }

    if (const SubComObj* otherwise = spec.getSubComObj("OTHERWISE")) {
        const ParamObj* copy = otherwise->getParamObj("COPY");
        if (copy != nullptr && otherwise->getParamObj("VALUE") != nullptr) {
            check.message().At(copy->getKeyWordToken()).ParamExclusive("COPY", "VALUE", "OTHERWISE");
            return check.stopAt("OTHERWISE", "COPY", copy->getKeyWordToken());
        }
    }
    return true;
}

}  // namespace examples
