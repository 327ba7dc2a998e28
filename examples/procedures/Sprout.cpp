#include "examples/procedures/Sprout.h"

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

ParamDescriptor Between(const std::string& name, ParamSpec type, double low, double high,
                        bool closed) {
    ParamDescriptor param(name, type);
    param.setLowerBoundary(low, closed ? LowerIncluded : LowerExcluded);
    param.setUpperBoundary(high, closed ? UpperIncluded : UpperExcluded);
    return param;
}

}  // namespace

Sprout::Sprout()
    : Procedure("SPROUT", "Sprout",
                "Grows a model of dependents from categorical factors and numeric covariates") {
    SubComDescriptor model("", SubComByEqual, true);
    model.setExportParamDesc(ParamTokenList, true);
    mGrammar.addSubComDesc(model);

    SubComDescriptor tuning("SETTINGS", SubComByParen);
    tuning.addParamDesc(Between("REPEATS", ParamInteger, 1, 999, true));
    tuning.addParamDesc(Between("DELTAMIN", ParamNumber, 0, 1, false));
    tuning.addParamDesc(Between("LEVEL", ParamNumber, 50, 100, false));
    mGrammar.addSubComDesc(tuning);

    // factors (scheme): the scheme word marks where the factor list ends.
    ParamDescriptor coding("", ParamKeyWordValue);
    const ParamDescriptor factors("", ParamVarList);
    const ParamDescriptor scheme = Words("", {"EFFECT", "INDICATOR", "ORDINAL"});
    coding.setMainQualDesc(&factors, &scheme);
    SubComDescriptor codings("CODING", SubComByEqual, false, true);
    codings.setExportParamDesc(coding);
    mGrammar.addSubComDesc(codings);

    // RULE = word, or word(limit) for the rules that test terms.
    ParamDescriptor rule("RULE", ParamTokenQual);
    const ParamDescriptor ruleName = Words("", {"FORWARD", "BACKWARD", "ALLIN"});
    ParamDescriptor limit = Between("", ParamNumber, 0, 1, false);
    limit.setValueRequired(false);
    rule.setMainQualDesc(&ruleName, &limit);
    SubComDescriptor select("SELECT", SubComByEqual);
    select.addParamDesc(rule);
    mGrammar.addSubComDesc(select);

    SubComDescriptor save("SAVE", SubComByBlock);
    for (const char* name : {"FITVALUES", "LEFTOVER"}) {
        ParamDescriptor target(name, ParamVarName);
        target.setBlockOption(BlockByParen);
        save.addParamDesc(target);
    }
    mGrammar.addSubComDesc(save);

    SubComDescriptor weight("WEIGHTBY", SubComByBlock);
    weight.setExportParamDesc(ParamVarName, true);
    mGrammar.addSubComDesc(weight);
}

SproutSettings Sprout::settings(const CommandSpec& spec) const {
    SproutSettings settings;
    if (const SubComObj* tuning = spec.getSubComObj("SETTINGS")) {
        if (const ParamObj* repeats = tuning->getParamObj("REPEATS")) {
            repeats->getIntegerValue(settings.repeats);
        }
        if (const ParamObj* deltaMin = tuning->getParamObj("DELTAMIN")) {
            deltaMin->getNumberValue(settings.deltaMin);
        }
        if (const ParamObj* level = tuning->getParamObj("LEVEL")) {
            level->getNumberValue(settings.level);
        }
    }
    const ParamDescriptor* codingDesc = mGrammar.getSubComDesc("CODING")->getExportParamDesc();
    std::vector<const SubComObj*> codings;
    spec.getSubComObj(codings, "CODING");
    for (const SubComObj* coding : codings) {
        ParamObj factors;
        ParamObj scheme;
        SproutCoding entry;
        if (coding->exportParamObj()->getKeywordAndValue(factors, scheme, codingDesc, nullptr)) {
            std::vector<TavoVarName> names;
            factors.getVarList(names);
            entry.factors.assign(names.begin(), names.end());
            scheme.getUpStringGeneric(entry.scheme);
        }
        settings.codings.push_back(std::move(entry));
    }
    if (const SubComObj* select = spec.getSubComObj("SELECT")) {
        if (const ParamObj* rule = select->getParamObj("RULE")) {
            ParamObj name;
            ParamObj limit;
            const ParamDescriptor* ruleDesc =
                mGrammar.getSubComDesc("SELECT")->getParamDesc("RULE");
            if (rule->getTokenAndQual(name, limit, ruleDesc, nullptr)) {
                name.getUpStringGeneric(settings.rule);
                limit.getNumberValue(settings.ruleLimit);
            }
        }
    }
    if (const SubComObj* save = spec.getSubComObj("SAVE")) {
        TavoVarName name;
        if (const ParamObj* fitValues = save->getParamObj("FITVALUES");
            fitValues != nullptr && fitValues->getVarName(name)) {
            settings.fitValues = name.str();
        }
        if (const ParamObj* leftover = save->getParamObj("LEFTOVER");
            leftover != nullptr && leftover->getVarName(name)) {
            settings.leftover = name.str();
        }
    }
    if (const SubComObj* weight = spec.getSubComObj("WEIGHTBY")) {
        TavoVarName name;
        if (weight->exportParamObj()->getVarName(name)) {
            settings.weight = name.str();
        }
    }
    return settings;
}

bool Sprout::validate(const CommandSpec& spec, Validation& check) const {
    const SubComObj* model = spec.getSubComObj("");
    const std::vector<TokenInfoObj> tokens =
        model != nullptr ? LeadingTokens(*model) : std::vector<TokenInfoObj>();
    if (tokens.empty()) {
        return check.stopIn("", "", tokens);
    }
    VarSpecObj dependents = check.newList("", "");
    VarSpecObj factors = check.newList("", "");
    VarSpecObj covariates = check.newList("", "");
    if (!dependents.ValidateRegrMDVarList(tokens, factors, covariates, RepeatVarsError, {})) {
        return check.stopInModel("", "", tokens);
    }
    check.accept("", "", "dependents", dependents.GetValidVarList());
    check.accept("", "", "factors", factors.GetValidVarList());
    check.accept("", "", "covariates", covariates.GetValidVarList());
    for (const VarSpecObj* list : {&dependents, &factors, &covariates}) {
        if (!check.registerList("", "", *list, tokens)) {
            return false;
        }
    }

    // Only factors are coded, each at most once over all CODING subcommands.
    const ParamDescriptor* codingDesc = mGrammar.getSubComDesc("CODING")->getExportParamDesc();
    ParserValidator coded(mGrammar, &check.data());
    coded.SetDiagnosticObserver(check.observer());
    std::vector<const SubComObj*> codings;
    spec.getSubComObj(codings, "CODING");
    for (const SubComObj* coding : codings) {
        const std::string& where = coding->getSubComExtName();
        ParamObj factorPart;
        ParamObj scheme;
        coding->exportParamObj()->getKeywordAndValue(factorPart, scheme, codingDesc, nullptr);
        const std::vector<TokenInfoObj> named = ValueTokens(factorPart);
        VarSpecObj list = check.newList(where, "CODING");
        int pos = 0;
        if (!list.ValidateVariables(named, RepeatVarsError, pos, nullptr, true)) {
            return check.stopIn(where, "", named, pos);
        }
        if (!list.CheckFactAndCovar(&factors, nullptr)) {
            for (int index : list.GetValidVarList()) {
                if (!factors.IsValidVariable(index)) {
                    return check.stopAtName(where, "", named,
                                            check.data().GetVariable(index).GetName());
                }
            }
            return check.stopIn(where, "", named);
        }
        const std::vector<TavoVarName> names = check.namesOf(list.GetValidVarList());
        std::vector<int> found;
        if (!check.registerEach(coded, list, named, where, "", found, true)) {
            return check.stopAtName(where, "", named, names[found.size()].str());
        }
        check.accept(where, "", "coded factors", list.GetValidVarList());
    }

    // New variables must not overwrite existing ones, nor each other.
    if (const SubComObj* save = spec.getSubComObj("SAVE")) {
        TavoVarName first;
        for (unsigned i = 0; i < save->getParamListSize(); ++i) {
            const ParamObj* target = save->getParamObj(i);
            const std::string param = target->getParamName();
            const std::vector<TokenInfoObj> value = ValueTokens(*target);
            TavoVarName name;
            target->getVarName(name);
            VarSpecObj created = check.newList("SAVE", param);
            if (!value.empty()) {
                created.SetDefaultRange(TokenRange(value.front()));
            }
            if (created.CheckNewVariable(name) >= 0) {
                return check.stopAt("SAVE", param, value.front());
            }
            if (!first.empty() && AreVarNamesEqualCase(first, name)) {
                check.message().At(value.front()).OutputVarCreated(name, param.c_str(), "SAVE");
                return check.stopAt("SAVE", param, value.front());
            }
            first = name;
        }
    }

    if (const SubComObj* weight = spec.getSubComObj("WEIGHTBY")) {
        const std::vector<TokenInfoObj> name = LeadingTokens(*weight);
        VarSpecObj weights = check.newList("WEIGHTBY", "", true);
        if (name.empty() || weights.ValidateVariable(name.front()) < 0) {
            return check.stopIn("WEIGHTBY", "", name);
        }
        check.accept("WEIGHTBY", "", "weight", weights.GetValidVarList());
        if (!check.registerList("WEIGHTBY", "", weights, name)) {
            return false;
        }
    }
    return true;
}

}  // namespace examples
