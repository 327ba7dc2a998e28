#ifndef UPARSER_UPSPECTYPES_H
#define UPARSER_UPSPECTYPES_H

#include <cstdint>

// The vocabulary of a command grammar. The enumerations share one namespace, so every
// enumerator carries the prefix of its enumeration; values are stored as 32-bit integers.
namespace UPSpecTypes {

// Value type of a parameter, and the current type of a parsed parameter value.
enum ParamSpec : int32_t {
    ParamNoType = 0,
    ParamKeyWord = 1,
    ParamTokenList = 2,
    ParamString = 3,
    ParamLiteral = 4,
    ParamStringList = 5,
    ParamLiteralList = 6,
    ParamNumber = 7,
    ParamNumberList = 8,
    ParamInteger = 9,
    ParamIntegerList = 10,
    ParamVarName = 11,
    ParamVarList = 12,
    ParamCrossVarList = 13,
    ParamVarCatList = 14,
    ParamFileSpec = 15,
    ParamNewFileSpec = 16,
    ParamAnyFileSpec = 17,
    ParamSysFileIn = 18,
    ParamSysFileOut = 19,
    ParamKeyWordValue = 20,
    ParamTokenQual = 21,
    ParamStringQual = 22,
    ParamStringQualList = 23
};

// How a subcommand carries its parameters.
enum SubComSpec : int32_t {
    SubComArbitrary = 0,
    SubComByEqual = 1,
    SubComByParen = 2,
    SubComByBlock = 3
};

// The kind of a subcommand group.
enum GroupSpec : int32_t {
    GroupRepeatable = 0,
    GroupSingle = 1,
    GroupGlobal = 2,
    GroupOther = 3,
    GroupFinal = 4
};

// Square brackets around a parameter value.
enum BracketOptions : int32_t {
    BracketNone = 0,
    BracketRequired = 1,
    BracketForList = 2
};

// How a value is introduced in a by-block subcommand or a by-block qualifier.
enum BlockOptions : int32_t {
    BlockNoValue = 0,
    BlockByEqual = 1,
    BlockOptEqual = 2,
    BlockByParen = 3
};

// How qualifier values (and the value part of a keyword-value parameter) are introduced.
enum QualifOptions : int32_t {
    QualifByEqual = 0,
    QualifByParen = 1,
    QualifByBlock = 2
};

enum LowerBdryOptions : int32_t {
    LowerNone = 0,
    LowerIncluded = 1,
    LowerExcluded = 2
};

enum UpperBdryOptions : int32_t {
    UpperNone = 0,
    UpperIncluded = 1,
    UpperExcluded = 2
};

// What happens when a variable already in a list is named again.
enum RepeatVarOptions : int32_t {
    RepeatVarsError = 0,
    RepeatVarsDrop = 1,
    RepeatVarsIgnore = 2,
    RepeatVarsKeep = 3
};

// The level of the message given when an exclusion leaves a variable list empty.
enum MessageLevels : int32_t {
    NoMessage = 0,
    ErrorMessage = 1,
    WarningMessage = 2
};

}  // namespace UPSpecTypes

#endif
