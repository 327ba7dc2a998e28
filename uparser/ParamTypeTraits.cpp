#include "uparser/ParamTypeTraits.h"

#include <cstring>

namespace UPSpecTypes {

namespace {

using K = ValueKind;

// Indexed by the enumerator's value; the static_assert below keeps the two in step.
constexpr ParamTypeTraits kTraits[] = {
    {ParamNoType, "NoType", K::Tokens, false, false, false},
    {ParamKeyWord, "KeyWord", K::Keyword, false, false, false},
    {ParamTokenList, "TokenList", K::Tokens, false, false, false},
    {ParamString, "String", K::Word, false, false, true},
    {ParamLiteral, "Literal", K::Literal, false, false, true},
    {ParamStringList, "StringList", K::Word, true, false, false},
    {ParamLiteralList, "LiteralList", K::Literal, true, false, false},
    {ParamNumber, "Number", K::Number, false, true, true},
    {ParamNumberList, "NumberList", K::Number, true, true, false},
    {ParamInteger, "Integer", K::Integer, false, true, true},
    {ParamIntegerList, "IntegerList", K::Integer, true, true, false},
    {ParamVarName, "VarName", K::VarName, false, false, false},
    {ParamVarList, "VarList", K::VarName, true, false, false},
    {ParamCrossVarList, "CrossVarList", K::CrossVars, false, false, false},
    {ParamVarCatList, "VarCatList", K::VarCats, false, false, false},
    {ParamFileSpec, "FileSpec", K::File, false, false, false},
    {ParamNewFileSpec, "NewFileSpec", K::File, false, false, false},
    {ParamAnyFileSpec, "AnyFileSpec", K::File, false, false, false},
    {ParamSysFileIn, "SysFileIn", K::CaseFile, false, false, false},
    {ParamSysFileOut, "SysFileOut", K::CaseFile, false, false, false},
    {ParamKeyWordValue, "KeyWordValue", K::KeywordValue, false, false, false},
    {ParamTokenQual, "TokenQual", K::TokenQual, false, false, false},
    {ParamStringQual, "StringQual", K::StringQual, false, false, false},
    {ParamStringQualList, "StringQualList", K::StringQualList, false, false, false},
};

constexpr bool InOrder() {
    for (int i = 0; i < static_cast<int>(sizeof kTraits / sizeof kTraits[0]); ++i) {
        if (kTraits[i].type != i) {
            return false;
        }
    }
    return true;
}
static_assert(InOrder(), "the traits table is indexed by ParamSpec");
static_assert(sizeof kTraits / sizeof kTraits[0] == ParamStringQualList + 1,
              "every ParamSpec has its traits");

}  // namespace

const ParamTypeTraits& GetParamTypeTraits(ParamSpec type) {
    const bool known = type >= ParamNoType && type <= ParamStringQualList;
    return kTraits[known ? type : ParamNoType];
}

bool FindParamType(const char* name, ParamSpec& type) {
    if (name == nullptr) {
        return false;
    }
    for (const ParamTypeTraits& traits : kTraits) {
        if (std::strcmp(traits.name, name) == 0) {
            type = traits.type;
            return true;
        }
    }
    return false;
}

}  // namespace UPSpecTypes
