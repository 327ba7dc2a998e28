#include "grammar/GrammarNames.h"

#include "grammar/GrammarFile.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/UPSpecTypes.h"

namespace upgrammar {

using namespace UPSpecTypes;

bool EnumNames::find(const std::string& name, int& value) const {
    for (std::size_t i = 0; i < mSize; ++i) {
        if (mEntries[i].name.size() == name.size() && mEntries[i].name == name) {
            value = mEntries[i].value;
            return true;
        }
    }
    return false;
}

const char* EnumNames::nameOf(int value) const {
    for (std::size_t i = 0; i < mSize; ++i) {
        if (mEntries[i].value == value) {
            return mEntries[i].name.data();
        }
    }
    return nullptr;
}

std::string EnumNames::choices() const {
    std::string text;
    for (std::size_t i = 0; i < mSize; ++i) {
        text += (i > 0 ? ", " : "") + std::string(mEntries[i].name);
    }
    return text;
}

namespace {

// Files name value types as the library's traits table does.
EnumName TraitsName(ParamSpec type) {
    return {GetParamTypeTraits(type).name, type};
}

const EnumName kParamTypeNames[] = {
    TraitsName(ParamNoType),      TraitsName(ParamKeyWord),      TraitsName(ParamTokenList),
    TraitsName(ParamString),      TraitsName(ParamLiteral),      TraitsName(ParamStringList),
    TraitsName(ParamLiteralList), TraitsName(ParamNumber),       TraitsName(ParamNumberList),
    TraitsName(ParamInteger),     TraitsName(ParamIntegerList),  TraitsName(ParamVarName),
    TraitsName(ParamVarList),     TraitsName(ParamCrossVarList), TraitsName(ParamVarCatList),
    TraitsName(ParamFileSpec),    TraitsName(ParamNewFileSpec),  TraitsName(ParamAnyFileSpec),
    TraitsName(ParamSysFileIn),   TraitsName(ParamSysFileOut),   TraitsName(ParamKeyWordValue),
    TraitsName(ParamTokenQual),   TraitsName(ParamStringQual),   TraitsName(ParamStringQualList)};
const EnumName kSubComFormNames[] = {{"Arbitrary", SubComArbitrary},
                                     {"ByEqual", SubComByEqual},
                                     {"ByParen", SubComByParen},
                                     {"ByBlock", SubComByBlock}};
const EnumName kGroupKindNames[] = {{"Repeatable", GroupRepeatable},
                                    {"Single", GroupSingle},
                                    {"Global", GroupGlobal},
                                    {"Other", GroupOther},
                                    {"Final", GroupFinal}};
const EnumName kBracketNames[] = {
    {"None", BracketNone}, {"Required", BracketRequired}, {"ForList", BracketForList}};
const EnumName kBlockNames[] = {{"NoValue", BlockNoValue},
                                {"ByEqual", BlockByEqual},
                                {"OptEqual", BlockOptEqual},
                                {"ByParen", BlockByParen}};
const EnumName kQualifNames[] = {
    {"ByEqual", QualifByEqual}, {"ByParen", QualifByParen}, {"ByBlock", QualifByBlock}};
const EnumName kRepeatNames[] = {{"Error", RepeatVarsError},
                                 {"Drop", RepeatVarsDrop},
                                 {"Ignore", RepeatVarsIgnore},
                                 {"Keep", RepeatVarsKeep}};
const EnumName kVariableKindNames[] = {{"Existing", static_cast<int>(VariableKind::Existing)},
                                       {"New", static_cast<int>(VariableKind::New)},
                                       {"Model", static_cast<int>(VariableKind::Model)},
                                       {"Blocks", static_cast<int>(VariableKind::Blocks)}};
const EnumName kRegistryNames[] = {{"Command", static_cast<int>(VariableRegistry::Command)},
                                   {"Check", static_cast<int>(VariableRegistry::Check)},
                                   {"Own", static_cast<int>(VariableRegistry::Own)},
                                   {"None", static_cast<int>(VariableRegistry::None)}};
const EnumName kScopeNames[] = {{"Any", static_cast<int>(VariableScope::Any)},
                                {"Factors", static_cast<int>(VariableScope::Factors)},
                                {"Covariates", static_cast<int>(VariableScope::Covariates)},
                                {"Model", static_cast<int>(VariableScope::Model)}};

}  // namespace

const EnumNames kParamTypes("value type", kParamTypeNames);
const EnumNames kSubComForms("subcommand form", kSubComFormNames);
const EnumNames kGroupKinds("group kind", kGroupKindNames);
const EnumNames kBracketOptions("bracket option", kBracketNames);
const EnumNames kBlockOptions("block option", kBlockNames);
const EnumNames kQualifOptions("qualifier form", kQualifNames);
const EnumNames kRepeatOptions("repeat option", kRepeatNames);
const EnumNames kVariableKinds("variable check", kVariableKindNames);
const EnumNames kRegistries("registry", kRegistryNames);
const EnumNames kScopes("scope", kScopeNames);

}  // namespace upgrammar
