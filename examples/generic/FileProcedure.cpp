#include "examples/generic/FileProcedure.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "examples/procedures/GrammarLookup.h"
#include "examples/procedures/Validation.h"
#include "examples/procedures/ValueReading.h"
#include "uparser/ParserUtility.h"
#include "uparser/VarCatList.h"

namespace examples {

namespace {

using namespace UPSpecTypes;
using upgrammar::ValueNotes;
using upgrammar::VariableCheck;
using upgrammar::VariableKind;
using upgrammar::VariableRegistry;
using upgrammar::VariableScope;

// A value of the command that names variables, and where it stands. Subcommands are checked
// in the order the grammar declares them (the Model list before all), each occurrence and
// each parameter in the order written.
struct Site {
    ParamObj value;
    const ParamDescriptor* desc;
    const VariableCheck* check;
    std::string subCom;  // extended name: a repeatable subcommand's name carries its count
    std::string param;   // "" for a subcommand's own value
    int group;
    int sub;
};

bool IsModel(const Site& site) {
    return site.check->kind == VariableKind::Model;
}

// What one validation has met so far: the Model's factors and covariates, the registries of
// the values that keep their own, and the names of the variables to be created.
struct Lists {
    explicit Lists(Validation& check)
        : factors(check.newList("", "")), covariates(check.newList("", "")) {}

    VarSpecObj factors;
    VarSpecObj covariates;
    std::map<const VariableCheck*, ParserValidator> own;
    std::vector<TavoVarName> created;
};

class SiteCollector {
  public:
    SiteCollector(const upgrammar::CommandGrammar& file, const CommandDescriptor& grammar)
        : mFile(file), mGrammar(grammar) {}

    std::vector<Site> collect(const CommandSpec& spec);

  private:
    void add(const ParamObj& value, const ParamDescriptor* desc, const ValueNotes& notes,
             const SubComObj& sub, const std::string& param, int group, int subIndex);

    const upgrammar::CommandGrammar& mFile;
    const CommandDescriptor& mGrammar;
    std::vector<Site> mSites;
};

std::vector<Site> SiteCollector::collect(const CommandSpec& spec) {
    mSites.clear();
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        const GroupComDescriptor* groupDesc = FindGroupDesc(mGrammar, group);
        int groupIndex = 0;
        while (groupIndex < mGrammar.getGroupDescListSize() &&
               mGrammar.getGroupDesc(groupIndex) != groupDesc) {
            ++groupIndex;
        }
        for (unsigned s = 0; groupDesc != nullptr && s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            const int subIndex = groupDesc->getSubComDescIndex(sub.getSubComName());
            const SubComDescriptor* subDesc = groupDesc->getSubComDesc(subIndex);
            const upgrammar::SubComNotes* notes = mFile.subCommand(groupIndex, subIndex);
            if (subDesc == nullptr || notes == nullptr) {
                continue;
            }
            add(*sub.exportParamObj(), subDesc->getExportParamDesc(), notes->value, sub, "",
                groupIndex, subIndex);
            for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                const ParamObj& param = *sub.getParamObj(p);
                const int paramIndex = subDesc->getParamDescIndex(param.getParamName());
                if (paramIndex >= 0 &&
                    static_cast<std::size_t>(paramIndex) < notes->parameters.size()) {
                    add(param, subDesc->getParamDesc(paramIndex), notes->parameters[paramIndex],
                        sub, param.getParamName(), groupIndex, subIndex);
                }
            }
        }
    }
    std::stable_sort(mSites.begin(), mSites.end(), [](const Site& a, const Site& b) {
        return std::make_tuple(!IsModel(a), a.group, a.sub) <
               std::make_tuple(!IsModel(b), b.group, b.sub);
    });
    return std::move(mSites);
}

void SiteCollector::add(const ParamObj& value, const ParamDescriptor* desc, const ValueNotes& notes,
                        const SubComObj& sub, const std::string& param, int group, int subIndex) {
    if (desc == nullptr) {
        return;
    }
    const std::string& subCom = sub.getSubComExtName();
    if (notes.checksVariables) {
        mSites.push_back({value, desc, &notes.variables, subCom, param, group, subIndex});
    }
    const ValueNotes* main = notes.main();
    const ValueNotes* second = notes.value();
    const bool partsCheck = (main != nullptr && main->checksVariables) ||
                            (second != nullptr && second->checksVariables);
    ParamObj keyword;
    ParamObj part;
    if (desc->getParamType() != ParamKeyWordValue || !partsCheck ||
        !value.getKeywordAndValue(keyword, part, desc, nullptr)) {
        return;
    }
    if (main != nullptr && main->checksVariables) {
        mSites.push_back(
            {keyword, desc->getMainDesc(), &main->variables, subCom, param, group, subIndex});
    }
    if (second != nullptr && second->checksVariables) {
        mSites.push_back(
            {part, desc->getQualifDesc(), &second->variables, subCom, param, group, subIndex});
    }
}

// Checks the sites of one command against the dictionary.
class SiteChecker {
  public:
    explicit SiteChecker(Validation& check) : mCheck(check), mLists(check) {}

    bool check(const Site& site);

  private:
    bool existing(const Site& site, const std::vector<TokenInfoObj>& tokens);
    bool created(const Site& site, const std::vector<TokenInfoObj>& tokens);
    bool model(const Site& site, const std::vector<TokenInfoObj>& tokens);
    bool blocks(const Site& site, const std::vector<TokenInfoObj>& tokens);
    bool within(const Site& site, const VarSpecObj& list, const std::vector<TokenInfoObj>& tokens);
    bool enter(const Site& site, const VarSpecObj& list, const std::vector<TokenInfoObj>& tokens,
               std::vector<std::pair<std::string, std::string>> qualifiers = {});
    std::string role(const Site& site) const {
        return site.check->role.empty() ? "variables" : site.check->role;
    }

    Validation& mCheck;
    Lists mLists;
};

bool SiteChecker::check(const Site& site) {
    // A keyword written without its value names nothing.
    const std::vector<TokenInfoObj> tokens = ValueTokens(site.value);
    if (tokens.empty()) {
        return true;
    }
    switch (site.check->kind) {
        case VariableKind::New:
            return created(site, tokens);
        case VariableKind::Model:
            return model(site, tokens);
        case VariableKind::Blocks:
            return blocks(site, tokens);
        case VariableKind::Existing:
            break;
    }
    return existing(site, tokens);
}

bool SiteChecker::existing(const Site& site, const std::vector<TokenInfoObj>& tokens) {
    const VariableCheck& how = *site.check;
    VarSpecObj list = mCheck.newList(site.subCom, site.param, how.numeric);
    std::vector<TavoVarName> names;
    std::vector<std::pair<std::string, std::string>> qualifiers;
    const ParamSpec type = site.desc->getParamType();
    if (type == ParamVarName) {
        if (list.ValidateVariable(tokens.front()) < 0) {
            return mCheck.stopIn(site.subCom, site.param, tokens);
        }
    } else if (type == ParamCrossVarList) {
        // The names stand at the even places, BY or "*" between them.
        site.value.getCrossVarList(names);
        if (!list.ValidateVariables(names, how.repeat, CrossedNameTokens(tokens))) {
            return mCheck.stopIn(site.subCom, site.param, tokens, 2 * list.GetNValidVars());
        }
    } else if (type == ParamVarCatList) {
        VarCatList table;
        site.value.getVarCatList(table);
        table.copyVarList(names);
        if (!list.ValidateVariables(names, how.repeat, TableNameTokens(tokens, names.size()))) {
            return mCheck.stopIn(site.subCom, site.param, tokens, list.GetNValidVars());
        }
    } else {
        list.SetAllowQualifiers(how.qualifiers);
        int pos = 0;
        if (!list.ValidateVariables(tokens, how.repeat, pos, nullptr, true)) {
            return mCheck.stopIn(site.subCom, site.param, tokens, pos);
        }
        if (how.qualifiers &&
            !mCheck.checkQualifiers(site.subCom, site.param, list, *site.desc, qualifiers)) {
            return false;
        }
    }
    const std::vector<int>& indices = list.GetValidVarList();
    return within(site, list, tokens) && enter(site, list, tokens, std::move(qualifiers)) &&
           (type != ParamVarCatList ||
            mCheck.checkCategoryValues(site.subCom, site.param, indices, tokens));
}

bool SiteChecker::within(const Site& site, const VarSpecObj& list,
                         const std::vector<TokenInfoObj>& tokens) {
    const VariableScope scope = site.check->within;
    if (scope == VariableScope::Any) {
        return true;
    }
    const bool factors = scope == VariableScope::Factors || scope == VariableScope::Model;
    const bool covariates = scope == VariableScope::Covariates || scope == VariableScope::Model;
    if (list.CheckFactAndCovar(factors ? &mLists.factors : nullptr,
                               covariates ? &mLists.covariates : nullptr)) {
        return true;
    }
    for (int index : list.GetValidVarList()) {
        if (!(factors && mLists.factors.IsValidVariable(index)) &&
            !(covariates && mLists.covariates.IsValidVariable(index))) {
            return mCheck.stopAtName(site.subCom, site.param, tokens,
                                     mCheck.data().GetVariable(index).GetName());
        }
    }
    return mCheck.stopIn(site.subCom, site.param, tokens);
}

// Passes the list through the registry the file names for it, and records it as accepted.
bool SiteChecker::enter(const Site& site, const VarSpecObj& list,
                        const std::vector<TokenInfoObj>& tokens,
                        std::vector<std::pair<std::string, std::string>> qualifiers) {
    const VariableCheck& how = *site.check;
    const std::vector<int>& indices = list.GetValidVarList();
    if (how.registry == VariableRegistry::Command) {
        mCheck.accept(site.subCom, site.param, role(site), indices, std::move(qualifiers));
        return mCheck.registerList(site.subCom, site.param, list, tokens);
    }
    if (how.registry != VariableRegistry::None) {
        // Check: a copy of the command's registry, so that nothing is entered; Own: the
        // value's registry over all its occurrences.
        ParserValidator copy = mCheck.registry();
        ParserValidator& registry =
            how.registry == VariableRegistry::Check
                ? copy
                : mLists.own.try_emplace(&how, mCheck.grammar(), &mCheck.data()).first->second;
        registry.SetDiagnosticObserver(mCheck.observer());
        const std::vector<TavoVarName> names = mCheck.namesOf(indices);
        std::vector<int> found;
        if (!mCheck.registerEach(registry, list, tokens, site.subCom, site.param, found,
                                 how.registry != VariableRegistry::Check)) {
            if (site.desc->getParamType() == ParamCrossVarList || found.size() >= names.size()) {
                return mCheck.stopIn(site.subCom, site.param, tokens,
                                     2 * static_cast<int>(found.size()));
            }
            return mCheck.stopAtName(site.subCom, site.param, tokens, names[found.size()].str());
        }
    }
    mCheck.accept(site.subCom, site.param, role(site), indices, std::move(qualifiers));
    return true;
}

// Names of variables to be created: none may exist, and none may be created twice in the
// command.
bool SiteChecker::created(const Site& site, const std::vector<TokenInfoObj>& tokens) {
    std::vector<TavoVarName> names;
    TavoVarName single;
    if (site.desc->getParamType() == ParamVarName) {
        site.value.getVarName(single);
        names.push_back(single);
    } else {
        site.value.getVarList(names);
    }
    for (std::size_t i = 0; i < names.size() && i < tokens.size(); ++i) {
        VarSpecObj list = mCheck.newList(site.subCom, site.param);
        list.SetDefaultRange(TokenRange(tokens[i]));
        if (list.CheckNewVariable(names[i]) >= 0) {
            return mCheck.stopAt(site.subCom, site.param, tokens[i]);
        }
        for (const TavoVarName& earlier : mLists.created) {
            if (AreVarNamesEqualCase(earlier, names[i])) {
                mCheck.message().At(tokens[i]).OutputVarCreated(names[i], site.param.c_str(),
                                                  site.subCom.c_str());
                return mCheck.stopAt(site.subCom, site.param, tokens[i]);
            }
        }
        mLists.created.push_back(names[i]);
    }
    return true;
}

bool SiteChecker::model(const Site& site, const std::vector<TokenInfoObj>& tokens) {
    const VariableCheck& how = *site.check;
    VarSpecObj dependents = mCheck.newList(site.subCom, site.param, how.numeric);
    VarSpecObj factors = mCheck.newList(site.subCom, site.param);
    VarSpecObj covariates = mCheck.newList(site.subCom, site.param);
    dependents.SetAllVarsByDefault(how.allByDefault);
    if (!dependents.ValidateRegrMDVarList(tokens, factors, covariates, how.repeat, {})) {
        return mCheck.stopInModel(site.subCom, site.param, tokens);
    }
    mLists.factors = factors;
    mLists.covariates = covariates;
    const std::pair<const char*, const VarSpecObj*> lists[] = {
        {"dependents", &dependents}, {"factors", &factors}, {"covariates", &covariates}};
    if (how.registry != VariableRegistry::Command) {
        for (const auto& [name, list] : lists) {
            Site part = site;
            VariableCheck named = how;
            named.role = name;
            part.check = &named;
            if (!enter(part, *list, tokens)) {
                return false;
            }
        }
        return true;
    }
    // All three are accepted before any is entered in the command's registry.
    for (const auto& [name, list] : lists) {
        mCheck.accept(site.subCom, site.param, name, list->GetValidVarList());
    }
    for (const auto& [name, list] : lists) {
        if (!mCheck.registerList(site.subCom, site.param, *list, tokens)) {
            return false;
        }
    }
    return true;
}

bool SiteChecker::blocks(const Site& site, const std::vector<TokenInfoObj>& tokens) {
    const VariableCheck& how = *site.check;
    VarSpecObj lines = mCheck.newList(site.subCom, site.param, how.numeric);
    lines.SetAllowQualifiers(how.qualifiers);
    std::vector<VarSpecObj> blocks;
    if (!lines.ValidateVarBlocksAndQuals(tokens, blocks, {})) {
        return mCheck.stopIn(site.subCom, site.param, tokens, -1, how.numeric);
    }
    for (const VarSpecObj& block : blocks) {
        std::vector<std::pair<std::string, std::string>> qualifiers;
        if ((how.qualifiers &&
             !mCheck.checkQualifiers(site.subCom, site.param, block, *site.desc, qualifiers)) ||
            !enter(site, block, tokens, std::move(qualifiers))) {
            return false;
        }
    }
    return true;
}

}  // namespace

FileProcedure::FileProcedure(upgrammar::CommandGrammar grammar)
    : Procedure(grammar.descriptor.getCommandName().c_str(),
                grammar.descriptor.getProcedureTitle().c_str(), grammar.help.c_str()),
      mFile(std::move(grammar)) {
    mGrammar = mFile.descriptor;
}

bool FileProcedure::validate(const CommandSpec& spec, Validation& check) const {
    SiteChecker checker(check);
    for (const Site& site : SiteCollector(mFile, mGrammar).collect(spec)) {
        if (!checker.check(site)) {
            return false;
        }
    }
    return true;
}

std::vector<std::unique_ptr<FileProcedure>> FileProcedures(
    std::vector<upgrammar::GrammarFile> files) {
    std::vector<std::unique_ptr<FileProcedure>> procedures;
    for (upgrammar::GrammarFile& file : files) {
        for (upgrammar::CommandGrammar& command : file.commands) {
            procedures.push_back(std::make_unique<FileProcedure>(std::move(command)));
        }
    }
    return procedures;
}

}  // namespace examples
