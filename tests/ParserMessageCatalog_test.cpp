#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "refhost/refhost.h"
#include "support/Messages.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParserMessage.h"

namespace {

using UPSpecTypes::LowerBdryOptions;
using UPSpecTypes::ParamSpec;
using UPSpecTypes::UpperBdryOptions;

constexpr int kError = 3;
constexpr int kWarning = 2;

// Location phrases as the engine builds them; catalog texts substitute them unchanged.
const std::string kLocPS = "parameter P of subcommand S...";
const std::string kLocP = "parameter P...";

struct Case {
    const char* label;
    std::function<void(const ParserMessage&)> report;
    int level;
    std::string text;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.label;
}

class CatalogRules : public testsupport::MessageTest {
  protected:
    void SetUp() override {
        MessageTest::SetUp();
        message.SetCommandName("CMD");
    }

    ParserMessage message;
};

class CatalogTest : public CatalogRules, public ::testing::WithParamInterface<Case> {};

TEST_P(CatalogTest, EmitsItsText) {
    GetParam().report(message);
    expect(GetParam().level, GetParam().text);
}

const TavoVarName X("X");

// clang-format off
const Case kDirectCases[] = {
    {"TooManyGroups", [](const ParserMessage& m) { m.TooManyGroups(12); }, kError,
     "The command cannot have more than 12 subcommand groups..."},
    {"ModeUnknown", [](const ParserMessage& m) { m.ModeUnknown("FAST"); }, kError,
     "FAST not a valid mode..."},
    {"NoTableRequested", [](const ParserMessage& m) { m.NoTableRequested(); }, kWarning,
     "No table requested..."},
    {"NoTableChartRequest", [](const ParserMessage& m) { m.NoTableChartRequest(); }, kWarning,
     "No table or chart requested..."},
    {"DisableSplit", [](const ParserMessage& m) { m.DisableSplit(); }, kWarning, "No split file ..."},
    {"DisableWeight", [](const ParserMessage& m) { m.DisableWeight(); }, kWarning, "No TAVO weight ..."},
    {"InvalidSubComName", [](const ParserMessage& m) { m.InvalidSubComName("XYZ"); }, kError,
     "XYZ is not a valid subcommand name..."},
    {"InvalidSubComNameEmpty", [](const ParserMessage& m) { m.InvalidSubComName(""); }, kError,
     "No subcommand at the command start..."},
    {"InvalidSubComNameNull", [](const ParserMessage& m) { m.InvalidSubComName(nullptr); }, kError,
     "No subcommand at the command start..."},
    {"FileNameInvalid", [](const ParserMessage& m) { m.FileNameInvalid("f"); }, kError,
     "f not a valid file name..."},
    {"FileNoAccess1", [](const ParserMessage& m) { m.FileNoAccess("f"); }, kError, "File f nas no access..."},
    {"FileNoSystem1", [](const ParserMessage& m) { m.FileNoSystem("f"); }, kError,
     "File f nas is not TAVO file..."},
    {"SubComNotForBeta", [](const ParserMessage& m) { m.SubComNotForBeta("S"); }, kWarning,
     "Subcommand S is not supported for Beta ..."},
    {"ParamNotForBeta", [](const ParserMessage& m) { m.ParamNotForBeta("P", "S"); }, kWarning,
     "Parameter P is not supported for Beta, subcommand S ..."},
    {"SubComRequiredList", [](const ParserMessage& m) { m.SubComRequired(std::vector<std::string>{"A", "B", "C"}); },
     kWarning, "One of the subcommands is required A, B, C..."},
    {"SubComRequiredEmptyList", [](const ParserMessage& m) { m.SubComRequired(std::vector<std::string>{}); },
     kWarning, "One of the subcommands is required ..."},
    {"NeedDepVarCatBinomSplits", [](const ParserMessage& m) { m.NeedDepVarCatBinomSplits(X, "P", "S"); },
     kWarning, "Dependent X specified for " + kLocPS + " must be binomial, split ..."},
    {"DependVarConstSplits", [](const ParserMessage& m) { m.DependVarConstSplits(X, "P", ""); },
     kWarning, "Dependent X specified for " + kLocP + " should not be constant..., split ..."},
    {"AbsentCatValueSplits", [](const ParserMessage& m) { m.AbsentCatValueSplits("V", "3", "P", "S"); },
     kWarning, "Categorical variable V for " + kLocPS + " has value 3 not in data, split ..."},
    {"AbsentDepValueSplits", [](const ParserMessage& m) { m.AbsentDepValueSplits("V", "3", nullptr, "S"); },
     kWarning, "Dependent variable V for subcommand S... has value 3 not in data, split ..."},
    // A null argument ends the list: later placeholders and the split group stay unfilled.
    {"AbsentCatValueSplitsNullValue", [](const ParserMessage& m) { m.AbsentCatValueSplits("V", nullptr, "P", "S"); },
     kWarning, "Categorical variable V for ^3 has value ^2 not in data, split [%1 = %2:,^1 = ^2:]4..."},
    {"AbsentDepValueSplitsNullName", [](const ParserMessage& m) { m.AbsentDepValueSplits(nullptr, "3", "P", "S"); },
     kWarning, "Dependent variable ^1 for ^3 has value ^2 not in data, split [%1 = %2:,^1 = ^2:]4..."},
};

const Case kStructureCases[] = {
    {"InsufficientParsingMemory", [](const ParserMessage& m) { m.InsufficientParsingMemory(); }, kError,
     "Insufficient memory for parsing..."},
    {"CommandEmpty", [](const ParserMessage& m) { m.CommandEmpty(); }, kError, "The command is empty..."},
    {"InvalidSubComComb", [](const ParserMessage& m) { m.InvalidSubComComb(); }, kError,
     "Combination of subcommands is invalid..."},
    {"NoGroup", [](const ParserMessage& m) { m.NoGroup(); }, kError,
     "The command does not have any subcommand group..."},
    {"NoSubCom", [](const ParserMessage& m) { m.NoSubCom(); }, kError,
     "The command does not have any subcommand..."},
    {"NoGroupInfo", [](const ParserMessage& m) { m.NoGroupInfo(); }, kError,
     "Parser cannot get information for the current subcommand group..."},
    {"NoSubComInfo", [](const ParserMessage& m) { m.NoSubComInfo(); }, kError,
     "The parser cannot get info for the current subcommand..."},
    {"NoMode", [](const ParserMessage& m) { m.NoMode(); }, kError, "CMD command mode not specified..."},
    {"SubComNotAllowed", [](const ParserMessage& m) { m.SubComNotAllowed("S"); }, kError,
     "Subcommand S is not allowed in this context..."},
    {"SubComNotAtStart", [](const ParserMessage& m) { m.SubComNotAtStart("S"); }, kError,
     "Subcommand S is not allowed at the command CMD start..."},
    {"SubComRequiredOne", [](const ParserMessage& m) { m.SubComRequired("S"); }, kError,
     "Subcommand S required..."},
    {"SubComNeedSubCom", [](const ParserMessage& m) { m.SubComNeedSubCom("S", "T"); }, kError,
     "Subcommand S required when subcommand T is called..."},
    {"NeedSubComForMode", [](const ParserMessage& m) { m.NeedSubComForMode("S", "M"); }, kError,
     "Subcommand S required in M mode..."},
    {"NeedSubComForParam", [](const ParserMessage& m) { m.NeedSubComForParam("S", "P", "V"); }, kError,
     "Subcommand S is required for parameter P with value V..."},
    {"IgnoreSubComForParam", [](const ParserMessage& m) { m.IgnoreSubComForParam("S", "P", "V"); }, kWarning,
     "Subcommand S is ignored for parameter P with value V..."},
    {"NeedSubComOtherValue", [](const ParserMessage& m) { m.NeedSubComOtherValue("S", "P", "V"); }, kError,
     "Subcommand S is required for parameter P with a value different from V..."},
    {"SubComRepeated", [](const ParserMessage& m) { m.SubComRepeated("S"); }, kError,
     "Subcommand S has already been called..."},
    {"SubComEmpty", [](const ParserMessage& m) { m.SubComEmpty("S"); }, kError, "S subcommand is empty..."},
    {"SubComExclusive", [](const ParserMessage& m) { m.SubComExclusive("S", "T"); }, kError,
     "Subcommand S shouldn't be given with subcommand T..."},
    {"SubComUnknown", [](const ParserMessage& m) { m.SubComUnknown("S"); }, kError, "Subcommand S not recognized..."},
    {"SubComNoGroupAllowed", [](const ParserMessage& m) { m.SubComNoGroupAllowed("S"); }, kError,
     "Subcommand S cannot belong to any subcommand group..."},
    {"SubComNewGroup", [](const ParserMessage& m) { m.SubComNewGroup("S"); }, kError,
     "Subcommand S must open a new subcommand group..."},
    {"SubComRepeatInGroup", [](const ParserMessage& m) { m.SubComRepeatInGroup("S"); }, kError,
     "Subcommand S already called in the current group..."},
    {"SubComNeedGroup", [](const ParserMessage& m) { m.SubComNeedGroup("S"); }, kError,
     "Subcommand S does not belong to any subcommand group..."},
    {"SubComFirstGroup", [](const ParserMessage& m) { m.SubComFirstGroup("S"); }, kError,
     "Subcommand S can belong only to the first subcommand group..."},
    {"SubComOnlyOneMode", [](const ParserMessage& m) { m.SubComOnlyOneMode("S", "M"); }, kError,
     "Subcommand S can appear only in M mode..."},
    {"SubComOtherMode", [](const ParserMessage& m) { m.SubComOtherMode("S", "M"); }, kError,
     "Subcommand S cannot appear in M mode..."},
    {"ParenNotAllowedGlobal", [](const ParserMessage& m) { m.ParenNotAllowed(""); }, kError,
     "Parentheses cannot be used in global subcommand..."},
    {"ParenNotAllowed", [](const ParserMessage& m) { m.ParenNotAllowed("S"); }, kError,
     "Parentheses cannot be used in subcommand S..."},
    {"ParenNotAllowedNull", [](const ParserMessage& m) { m.ParenNotAllowed(nullptr); }, kError,
     "Parentheses cannot be used in subcommand ^1..."},
    {"ParenRequired", [](const ParserMessage& m) { m.ParenRequired("S"); }, kError,
     "Parentheses are required for non-default values in subcommand S..."},
    {"TooManyParam", [](const ParserMessage& m) { m.TooManyParam("S", 8); }, kError,
     "Subcommand S has more than 8 parameters..."},
};

const Case kParameterCases[] = {
    {"ParamNoSubCom", [](const ParserMessage& m) { m.ParamNoSubCom("P"); }, kError,
     "Parameter P does not belong to a subcommand..."},
    {"SubComOnlyOneParam", [](const ParserMessage& m) { m.SubComOnlyOneParam("P", "S"); }, kError,
     "Subcommand S can have only one parameter P..."},
    {"ParamOnlyOneMode", [](const ParserMessage& m) { m.ParamOnlyOneMode("P", "S", "M"); }, kError,
     "Parameter P of subcommand S can occur only in M mode..."},
    {"ParamOtherMode", [](const ParserMessage& m) { m.ParamOtherMode("P", "S", "M"); }, kError,
     "Parameter P of subcommand S cannot occur in M mode..."},
    {"ParamRepeatedInSubCom", [](const ParserMessage& m) { m.ParamRepeated("P", "S"); }, kError,
     "Parameter P already used in subcommand S..."},
    {"ParamRepeated", [](const ParserMessage& m) { m.ParamRepeated("P", ""); }, kError,
     "Parameter P already used..."},
    {"InvalidParamInSubCom", [](const ParserMessage& m) { m.InvalidParam("X", "S"); }, kError,
     "X is not a valid parameter name in subcommand S..."},
    {"InvalidParamInCommand", [](const ParserMessage& m) { m.InvalidParam("X", nullptr); }, kError,
     "X is not a valid parameter name in command CMD..."},
    {"InvalidParamWithWeightInSubCom", [](const ParserMessage& m) { m.InvalidParamWithWeight("X", "S"); }, kError,
     "X is not a valid parameter name in subcommand S with weight..."},
    {"InvalidParamWithWeightInCommand", [](const ParserMessage& m) { m.InvalidParamWithWeight("X", ""); }, kError,
     "X is not a valid parameter name in command CMD with weight..."},
    {"IgnoredParam", [](const ParserMessage& m) { m.IgnoredParam("P", "S"); }, kWarning,
     "Parameter P for subcommand S ignored..."},
    {"IgnoredParamOtherParamValue", [](const ParserMessage& m) { m.IgnoredParamOtherParamValue("P", "Q", "V", "S"); },
     kWarning, "Parameter P is ignored when parameter Q takes value V, subcommand S..."},
    {"IgnoredParamOtherSubcom", [](const ParserMessage& m) { m.IgnoredParamOtherSubcom("P", "S", "T"); }, kWarning,
     "Parameter P of subcommand S is ignored when subcommand T is in effect..."},
    {"IgnoredParamSplitFile", [](const ParserMessage& m) { m.IgnoredParamSplitFile("P", "S"); }, kWarning,
     "Parameter P is ignored when split-file is on, subcommand S..."},
    {"IgnoredParamThisMode", [](const ParserMessage& m) { m.IgnoredParamThisMode("P", "S"); }, kWarning,
     "Parameter P for subcommand S ignored in this mode..."},
    {"ParamOnlyInFirstGroup", [](const ParserMessage& m) { m.ParamOnlyInFirstGroup("P", "S"); }, kError,
     "Parameter P of subcommand S can appear only in the first subcommand group..."},
    {"ParamRequiredInSubCom", [](const ParserMessage& m) { m.ParamRequiredForSubCom("P", "S"); }, kError,
     "Parameter P required in subcommand S..."},
    {"ParamRequired", [](const ParserMessage& m) { m.ParamRequiredForSubCom("P", nullptr); }, kError,
     "Parameter P required..."},
    {"ParamNotAtSubComStart", [](const ParserMessage& m) { m.ParamNotAtStart("P", "S"); }, kError,
     "Parameter P is not allowed at the subcommand S start..."},
    {"ParamNotAtCommandStart", [](const ParserMessage& m) { m.ParamNotAtStart("P", ""); }, kError,
     "Parameter P is not allowed at the command CMD start..."},
    {"ParamRequiredFirstGroup", [](const ParserMessage& m) { m.ParamRequiredFirstGroup("P", "S"); }, kError,
     "Parameter P of subcommand S is required in the first subcommand group..."},
    {"NeedParamNonFinalGroup", [](const ParserMessage& m) { m.NeedParamNonFinalGroup("P"); }, kError,
     "Parameter P is required in non-final subcommand group..."},
    {"ParamNeedParamUsed", [](const ParserMessage& m) { m.ParamNeedParam("P", "Q", nullptr); }, kError,
     "Parameter P required when parameter Q is used..."},
    {"ParamNeedParamEmptyValue", [](const ParserMessage& m) { m.ParamNeedParam("P", "Q", ""); }, kError,
     "Parameter P required when parameter Q takes value ..."},
    {"ParamNeedParamInSubComUsed", [](const ParserMessage& m) { m.ParamNeedParamInSubCom("P", "Q", "S", nullptr); },
     kError, "Parameter P required when parameter Q is used, subcommand S..."},
    {"ParamNeedParamInSubComValue", [](const ParserMessage& m) { m.ParamNeedParamInSubCom("P", "Q", "S", "V"); },
     kError, "Parameter P required when parameter Q takes value V, subcommand S..."},
    {"ParamExclusive", [](const ParserMessage& m) { m.ParamExclusive("P", "Q", "S"); }, kError,
     "Parameter P of subcommand S cannot be used with parameter Q..."},
    {"ParamExclAnyOther", [](const ParserMessage& m) { m.ParamExclAnyOther("P", "S"); }, kError,
     "Parameter P of subcommand S cannot be used with another parameter..."},
    {"ParamLessOtherParam", [](const ParserMessage& m) { m.ParamLessOtherParam("P", "Q", "S"); }, kError,
     "Parameter P cannot be less than Q, subcommand S..."},
    {"ParamNeedLessOtherParam", [](const ParserMessage& m) { m.ParamNeedLessOtherParam("P", "Q", "S"); }, kError,
     "Parameter P must be less than Q, subcommand S..."},
    {"SquareBracketRequired", [](const ParserMessage& m) { m.SquareBracketRequired("P", "S"); }, kError,
     "Square brackets required for parameter " + kLocPS + "..."},
    {"KeyWordNoValueNullSubCom", [](const ParserMessage& m) { m.KeyWordNoValue("K", nullptr); }, kError,
     "Keyword K cannot have any value..."},
    {"KeyWordNoValueEmptySubCom", [](const ParserMessage& m) { m.KeyWordNoValue("K", ""); }, kError,
     "Keyword K in subcommand  cannot have any value..."},
    {"InvalidKeyWord", [](const ParserMessage& m) { m.InvalidKeyWord("K", "S"); }, kError,
     "K not a valid keyword for subcommand S..."},
    {"TokenNoQualifNullSubCom", [](const ParserMessage& m) { m.TokenNoQualif("T", nullptr); }, kError,
     "Token T cannot have any qualifier..."},
    {"TokenNoQualifInSubCom", [](const ParserMessage& m) { m.TokenNoQualif("T", "S"); }, kError,
     "Token T in subcommand S cannot have any qualifier..."},
    {"ParamNeedQualifInSubCom", [](const ParserMessage& m) { m.ParamNeedQualif("P", "S", "Q"); }, kError,
     "Qualifier Q required for parameter P in subcommand S..."},
    {"ParamNeedQualifNullSubCom", [](const ParserMessage& m) { m.ParamNeedQualif("P", nullptr, "Q"); }, kError,
     "Qualifier Q required for parameter P..."},
};

const Case kValueCases[] = {
    {"WrongValueTypeBoth", [](const ParserMessage& m) { m.WrongValueType("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a proper value type..."},
    {"WrongValueTypeParam", [](const ParserMessage& m) { m.WrongValueType("P", ""); }, kError,
     "Parameter P does not have a proper value type..."},
    {"WrongValueTypeSubCom", [](const ParserMessage& m) { m.WrongValueType(nullptr, "S"); }, kError,
     "Subcommand S does not have a proper value type..."},
    {"WrongValueTypeEmpty", [](const ParserMessage& m) { m.WrongValueType("", nullptr); }, kError,
     "Parameter  does not have a proper value type..."},
    {"WrongValueTypeNull", [](const ParserMessage& m) { m.WrongValueType(nullptr, nullptr); }, kError,
     "Parameter ^1 does not have a proper value type..."},
    {"ParamMustBeStringBoth", [](const ParserMessage& m) { m.ParamMustBeString("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a string value..."},
    {"ParamMustBeStringParam", [](const ParserMessage& m) { m.ParamMustBeString("P", ""); }, kError,
     "Parameter Parameter P... does not have a string value..."},
    {"ParamMustBeStringCommand", [](const ParserMessage& m) { m.ParamMustBeString(nullptr, nullptr); }, kError,
     "Parameter Command line of CMD command... does not have a string value..."},
    {"ParamQuotedString", [](const ParserMessage& m) { m.ParamQuotedString("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a quoted string..."},
    {"ParamNeedStringList", [](const ParserMessage& m) { m.ParamNeedStringList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a list of strings..."},
    {"ParamNeedLiteralList", [](const ParserMessage& m) { m.ParamNeedLiteralList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a list of literals..."},
    {"ParamNeedNumber", [](const ParserMessage& m) { m.ParamNeedNumber("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a numerical value..."},
    {"ParamNeedNumberList", [](const ParserMessage& m) { m.ParamNeedNumberList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a numerical list..."},
    {"ParamNeedIntegerInSubCom", [](const ParserMessage& m) { m.ParamNeedInteger("P", "S"); }, kError,
     "Parameter P of subcommand S does not have an integer value..."},
    {"ParamNeedInteger", [](const ParserMessage& m) { m.ParamNeedInteger("P", ""); }, kError,
     "Parameter P of does not have an integer value..."},
    {"ParamNeedIntegerList", [](const ParserMessage& m) { m.ParamNeedIntegerList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have an integer list..."},
    {"InvalidParamVarName", [](const ParserMessage& m) { m.InvalidParamVarName("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a variable name..."},
    {"ParamNeedVarList", [](const ParserMessage& m) { m.ParamNeedVarList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a variable list..."},
    {"ParamNeedCrossVarList", [](const ParserMessage& m) { m.ParamNeedCrossVarList("P", "S", "BY", "WITH"); }, kError,
     "Parameter P of subcommand S need variable names, using BY or WITH..."},
    {"ParamNeedVarCatList", [](const ParserMessage& m) { m.ParamNeedVarCatList("P", "S"); }, kError,
     "Parameter P of subcommand S does not have a variable category list..."},
    {"InvalidParamValueText", [](const ParserMessage& m) { m.InvalidParamValue("V", "P", "S"); }, kError,
     "V is not a valid value for parameter " + kLocPS + "..."},
    {"InvalidParamValueNumber", [](const ParserMessage& m) { m.InvalidParamValue(1234567.0, "P", nullptr); }, kError,
     "1.23457e+06 is not a valid value for parameter " + kLocP + "..."},
    {"InvalidParamOption", [](const ParserMessage& m) { m.InvalidParamOption("O", "P", "S"); }, kError,
     "O is not a valid option for parameter " + kLocPS + "..."},
    {"IgnoredParamValueInSubCom", [](const ParserMessage& m) { m.IgnoredParamValue("P", "S", "V"); }, kWarning,
     "Parameter P in subcommand S with value V is ignored..."},
    {"IgnoredParamValue", [](const ParserMessage& m) { m.IgnoredParamValue("P", nullptr, "V"); }, kWarning,
     "Parameter P with value V is ignored..."},
    {"InvalidParamValueThisGroup", [](const ParserMessage& m) { m.InvalidParamValueThisGroup("P", "S", "V"); },
     kError, "Parameter P of subcommand S cannot take value V in this subcommand group..."},
    {"ParamValueRepeat", [](const ParserMessage& m) { m.ParamValueRepeat("P", "S", "V"); }, kError,
     "Not unique value V for P, subcommand S ..."},
    {"TooLongVarList", [](const ParserMessage& m) { m.TooLongVarList("P", "S", -10); }, kError,
     "Parameter P of subcommand S shouldn't have more than -10 variables in the list..."},
    {"SyntaxErrorInParam", [](const ParserMessage& m) { m.SyntaxErrorInParam("@", "P", nullptr); }, kError,
     "Invalid syntax detected in parameter P, symbol @ ..."},
    {"SyntaxErrorInParamSubCom", [](const ParserMessage& m) { m.SyntaxErrorInParam("@", "P", ""); }, kError,
     "Invalid syntax detected in parameter P, symbol @, subcommand  ..."},
    {"FileNoAccess", [](const ParserMessage& m) { m.FileNoAccess("f", "P", "S"); }, kError,
     "File f specified for " + kLocPS + " has no access..."},
    {"FileNoSystem", [](const ParserMessage& m) { m.FileNoSystem("f", "P", nullptr); }, kError,
     "File f specified for " + kLocP + " is not TAVO file..."},
    {"FileTwoSubCom", [](const ParserMessage& m) { m.FileTwoSubCom("f", "S", "T"); }, kError,
     "File f shouldn't be used for both S and T..."},
};

const Case kVariableCases[] = {
    {"VarNameRepeated", [](const ParserMessage& m) { m.VarNameRepeated(X); }, kError,
     "Variable name X has already occurred in the command..."},
    {"VarAlreadyExist", [](const ParserMessage& m) { m.VarAlreadyExist(X, "P", "S"); }, kError,
     "Variable X for parameter " + kLocPS + " already exists..."},
    {"OutputVarReused", [](const ParserMessage& m) { m.OutputVarReused(X, "P", "S"); }, kError,
     "Output variable X for parameter " + kLocPS + " already exists..."},
    {"OutputVarCreated", [](const ParserMessage& m) { m.OutputVarCreated(X, "P", "S"); }, kError,
     "Output variable X for parameter " + kLocPS + " already created..."},
    {"VariableNotInDict", [](const ParserMessage& m) { m.VariableNotInDict(X, "P", "S"); }, kError,
     "Variable X for parameter " + kLocPS + " is not found in dictionary..."},
    {"InvalidVarName", [](const ParserMessage& m) { m.InvalidVarName(X, "P", "S"); }, kError,
     "Variable name X for parameter " + kLocPS + " is invalid..."},
    {"VariableNotNumeric", [](const ParserMessage& m) { m.VariableNotNumeric(X, "P", "S"); }, kError,
     "Variable X for parameter " + kLocPS + " is not numerical..."},
    {"VariableRepeatVarList", [](const ParserMessage& m) { m.VariableRepeatVarList(X, "P", "S"); }, kError,
     "Variable X for parameter " + kLocPS + " already used..."},
    {"VariableRepeatVarListSamePlace", [](const ParserMessage& m) { m.VariableRepeatVarList(X, "P", nullptr, "p", ""); },
     kError, "Variable X for parameter " + kLocP + " already used..."},
    {"VariableRepeatVarListSameSubCom", [](const ParserMessage& m) { m.VariableRepeatVarList(X, "P", "S", "Q", "s"); },
     kError, "Variable X for parameter " + kLocPS + " already occured in parameter Q..."},
    {"VariableRepeatVarListOtherSubCom", [](const ParserMessage& m) { m.VariableRepeatVarList(X, "P", "S", "Q", "T"); },
     kError, "Variable X for parameter " + kLocPS + " already occured in parameter parameter Q of subcommand T......"},
    {"VariableTwoVarList3", [](const ParserMessage& m) { m.VariableTwoVarList(X, "P", "Q"); }, kError,
     "Variable name X given for parameter P cannot be used for parameter Q..."},
    {"VariableTwoVarListSameSubCom", [](const ParserMessage& m) { m.VariableTwoVarList(X, "P", "S", "Q", "s"); },
     kError, "Variable name X used for parameter " + kLocPS + " cannot also be used for Q..."},
    {"VariableTwoVarListOtherSubCom", [](const ParserMessage& m) { m.VariableTwoVarList(X, "P", "S", "Q", "T"); },
     kError, "Variable name X used for parameter " + kLocPS + " cannot be used for parameter parameter Q of subcommand T......"},
    {"VariableNeedVarList3", [](const ParserMessage& m) { m.VariableNeedVarList(X, "P", "Q"); }, kError,
     "Variable name X given for parameter P must also be used for parameter Q..."},
    {"VariableNeedVarList4", [](const ParserMessage& m) { m.VariableNeedVarList(X, "P", "Q", "S"); }, kError,
     "Variable name X given for parameter P must also be used for parameter Q, subcommand S..."},
    {"VariableNeedVarListSameSubCom", [](const ParserMessage& m) { m.VariableNeedVarList(X, "P", "S", "Q", "s"); },
     kError, "Variable name X given for parameter P must also be used for parameter Q, subcommand S..."},
    {"VariableNeedVarListOtherSubCom", [](const ParserMessage& m) { m.VariableNeedVarList(X, "P", "S", "Q", nullptr); },
     kError, "Variable name X given for " + kLocPS + " must also be used for parameter Q......"},
    {"AnyVariableNeedVarList", [](const ParserMessage& m) { m.AnyVariableNeedVarList("P", "Q"); }, kError,
     "Any variable given for parameter P must also be used for parameter Q..."},
    {"VariableNeedValue", [](const ParserMessage& m) { m.VariableNeedValue("X", "P", "S"); }, kError,
     "Variable X given for parameter P has invalid value, subcommand S..."},
    {"WordRepeatVarList", [](const ParserMessage& m) { m.WordRepeatVarList("W", "P", "S"); }, kError,
     "Word W already occured in parameter " + kLocPS + "..."},
    {"WordNeedVarName", [](const ParserMessage& m) { m.WordNeedVarName("W", "P", "S"); }, kError,
     "Word W for parameter " + kLocPS + " should be followed by a valid variable name..."},
    {"KeywordImproperRange", [](const ParserMessage& m) { m.KeywordImproperVarList("to", "P", "S"); }, kError,
     "Keyword to improperly used for range in parameter " + kLocPS + " variable list..."},
    {"KeywordImproperOther", [](const ParserMessage& m) { m.KeywordImproperVarList("TOO", "P", "S"); }, kError,
     "Keyword TOO improperly used in parameter " + kLocPS + " variable list..."},
    {"KeywordImproperNull", [](const ParserMessage& m) { m.KeywordImproperVarList(nullptr, "P", "S"); }, kError,
     "Keyword ^1 improperly used in parameter ^2 variable list..."},
    {"SyntaxErrorInText", [](const ParserMessage& m) { m.SyntaxErrorInText("t", "P", "S"); }, kError,
     "Invalid syntax in parameter " + kLocPS + ", text t ..."},
    {"SyntaxErrorAfterText", [](const ParserMessage& m) { m.SyntaxErrorAfterText("t", "P", "S"); }, kError,
     "Invalid syntax in parameter " + kLocPS + ", after text t ..."},
    {"SyntaxErrorInVarList", [](const ParserMessage& m) { m.SyntaxErrorInVarList("@", "L"); }, kError,
     "Invalid syntax detected in variable list L, symbol @ ..."},
};

const Case kDependentCases[] = {
    {"NeedDepVarCat", [](const ParserMessage& m) { m.NeedDepVarCat(X, "P", "S"); }, kError,
     "Dependent variable X specified for " + kLocPS + " must be categorical..."},
    {"NeedDepVarCatBinom", [](const ParserMessage& m) { m.NeedDepVarCatBinom(X, "P", "S"); }, kError,
     "Dependent categorical variable X specified for " + kLocPS + " must be binomial..."},
    {"NeedDepVarCont", [](const ParserMessage& m) { m.NeedDepVarCont(X, "P", "S"); }, kError,
     "Dependent variable X specified for " + kLocPS + " must be continuous..."},
    {"DependVarConst", [](const ParserMessage& m) { m.DependVarConst(X, "P", "S"); }, kError,
     "Dependent variable X specified for " + kLocPS + " should not be constant..."},
    {"VariableDependAndFactor", [](const ParserMessage& m) { m.VariableDependAndFactor(X, "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " is both dependent and factor..."},
    {"VariableDependAndCovariate", [](const ParserMessage& m) { m.VariableDependAndCovariate(X, "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " is both dependent and covariate..."},
    {"VariableFactorAndCovariate", [](const ParserMessage& m) { m.VariableFactorAndCovariate(X, "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " is both factor and covariate..."},
    {"NoFactorAfterKeyword", [](const ParserMessage& m) { m.NoFactorAfterKeyword("BY", "P", "S"); }, kWarning,
     "No factors for parameter " + kLocPS + " after keyword BY..."},
    {"NoCovariateAfterKeyword", [](const ParserMessage& m) { m.NoCovariateAfterKeyword("WITH", "P", "S"); }, kWarning,
     "No covariates for parameter " + kLocPS + " after keyword WITH..."},
    {"ExcludeAllFactorCovariateWarning", [](const ParserMessage& m) { m.ExcludeAllFactorCovariate("P", "S", true); },
     kWarning, "All factors and covariates specified for parameter " + kLocPS + " are excluded..."},
    {"ExcludeAllFactorCovariateError", [](const ParserMessage& m) { m.ExcludeAllFactorCovariate("P", "S", false); },
     kError, "All factors and covariates specified for parameter " + kLocPS + " are excluded..."},
    {"ExcludeAllVariablesWarning", [](const ParserMessage& m) { m.ExcludeAllVariables("P", "S", true); }, kWarning,
     "All variables specified for parameter " + kLocPS + " are excluded..."},
    {"ExcludeAllVariablesError", [](const ParserMessage& m) { m.ExcludeAllVariables("P", "S", false); }, kError,
     "All variables specified for parameter " + kLocPS + " are excluded..."},
    {"NoDependVar", [](const ParserMessage& m) { m.NoDependVar(); }, kError,
     "CMD does not have a valid dependent variable..."},
    {"InvalidFactorList", [](const ParserMessage& m) { m.InvalidFactorList(); }, kError,
     "Factor variable list for CMD is invalid..."},
    {"InvalidCovariateList", [](const ParserMessage& m) { m.InvalidCovariateList(); }, kError,
     "Covariate variable list for CMD is invalid..."},
    {"InvalidFactorVarName", [](const ParserMessage& m) { m.InvalidFactorVarName("N", "P", "S"); }, kError,
     "N for P is not a factor name, subcommand S ..."},
    {"InvalidCovariateVarName", [](const ParserMessage& m) { m.InvalidCovariateVarName("N", "P", "S"); }, kError,
     "N for P is not a covariate name, subcommand S ..."},
    {"InvalidFactOrCovarForParam", [](const ParserMessage& m) { m.InvalidFactOrCovarVarName("N", "P", "S"); },
     kError, "N specified for P is neither factor nor covariate variable name, subcommand S ..."},
    {"InvalidFactOrCovar", [](const ParserMessage& m) { m.InvalidFactOrCovarVarName("N", "", "S"); }, kError,
     "N is neither factor nor covariate variable name, subcommand S ..."},
    {"RepeatFactorVar", [](const ParserMessage& m) { m.RepeatFactorVar("N", "P", "S"); }, kError,
     "Factor N repeated in parameter P, subcommand S ..."},
    {"RepeatCovariateVar", [](const ParserMessage& m) { m.RepeatCovariateVar("N", "P", "S"); }, kError,
     "Covariate N repeated in parameter P, subcommand S ..."},
};

const Case kQualifierAndCategoryCases[] = {
    {"VariableInvalidQualif", [](const ParserMessage& m) { m.VariableInvalidQualif(X, "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " has an invalid qualifier..."},
    {"VariableUnknownQualif", [](const ParserMessage& m) { m.VariableUnknownQualif(X, "Q", "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " has an invalid qualifier Q..."},
    {"VariableRepeatQualif", [](const ParserMessage& m) { m.VariableRepeatQualif(X, "Q", "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " has a repeated qualifier Q..."},
    {"VariableBadQualValue", [](const ParserMessage& m) { m.VariableBadQualValue(X, "Q", "P", "S"); }, kError,
     "Qualifier Q of variable X used for parameter " + kLocPS + " has an invalid value..."},
    {"VariableBadQualOption", [](const ParserMessage& m) { m.VariableBadQualOption(X, "Q", "V", "P", "S"); }, kError,
     "Qualifier Q of variable X used for parameter " + kLocPS + " has an invalid value V..."},
    {"VariableNoQualif", [](const ParserMessage& m) { m.VariableNoQualif(X, "P", "S"); }, kError,
     "Variable X used for parameter " + kLocPS + " should not have a qualifier..."},
    {"VarListInvalidQualif", [](const ParserMessage& m) { m.VarListInvalidQualif("X", "P", "S"); }, kError,
     "Last variable X used for parameter " + kLocPS + " has an invalid qualifier..."},
    {"VarListUnknownQualif", [](const ParserMessage& m) { m.VarListUnknownQualif(X, "Q", "P", "S"); }, kError,
     "Last variable X used for parameter " + kLocPS + " has an invalid qualifier Q..."},
    {"VarListRepeatQualif", [](const ParserMessage& m) { m.VarListRepeatQualif(X, "Q", "P", "S"); }, kError,
     "Last variable X used for parameter " + kLocPS + " has a repeated qualifier Q..."},
    {"VarListBadQualValue", [](const ParserMessage& m) { m.VarListBadQualValue(X, "Q", "P", "S"); }, kError,
     "Qualifier Q of last variable X used for parameter " + kLocPS + " has an invalid value..."},
    {"VarListBadQualOption", [](const ParserMessage& m) { m.VarListBadQualOption(X, "Q", "V", "P", "S"); }, kError,
     "Qualifier Q of last variable X used for parameter " + kLocPS + " has an invalid value V..."},
    {"VarListBadQualOptionSplits", [](const ParserMessage& m) { m.VarListBadQualOptionSplits(X, "Q", "V", "P", "S"); },
     kError, "Qualifier Q of last variable X used for parameter " + kLocPS + " has an invalid value V with splits..."},
    {"VarListNoQualif", [](const ParserMessage& m) { m.VarListNoQualif("X", "P", "S"); }, kError,
     "Last variable X used for parameter " + kLocPS + " should not have a qualifier..."},
    {"AbsentCatValueWarning", [](const ParserMessage& m) { m.AbsentCatValue("V", "3", "P", "S", true); }, kWarning,
     "Categorical variable V specified for " + kLocPS + " has value 3 missing from data..."},
    {"AbsentDepValueError", [](const ParserMessage& m) { m.AbsentDepValue("V", "3", "P", "S", false); }, kError,
     "Dependent variable V specified for " + kLocPS + " has value 3 missing from data..."},
    {"InvalidCatValue", [](const ParserMessage& m) { m.InvalidCatValue("V", "x", "P", "S"); }, kError,
     "Variable V specified for " + kLocPS + " has value x of invalid type or format..."},
    {"InvalidCatValueCell", [](const ParserMessage& m) { m.InvalidCatValue("V", "x", 4, 2); }, kError,
     "Category List Variable V in column 2 has value x of invalid type or format in row 4..."},
    {"SymbolNotNumber", [](const ParserMessage& m) { m.SymbolNotNumber("<", "P", "S"); }, kError,
     "Symbol < in parameter P not a number, subcommand S ..."},
    {"NoNumberAfterSymbol", [](const ParserMessage& m) { m.NoNumberAfterSymbol("<", "P", "S"); }, kError,
     "No valid number after symbol <, parameter P, subcommand S ..."},
    {"NoVarNameAfterSymbol", [](const ParserMessage& m) { m.NoVarNameAfterSymbol("<", "P", "S"); }, kError,
     "No valid variable name after symbol <, parameter P, subcommand S ..."},
    {"DenomNotNumber", [](const ParserMessage& m) { m.DenomNotNumber("d", "P", "S"); }, kError,
     "Denominator d in fraction for P not a valid number, subcommand S ..."},
    {"NonPositiveDenom", [](const ParserMessage& m) { m.NonPositiveDenom("d", "P", "S"); }, kError,
     "Non-positive denominator d in fraction for P, subcommand S ..."},
    {"NoDenominator", [](const ParserMessage& m) { m.NoDenominator("n", "P", "S"); }, kError,
     "No denominator for numerator n, fraction for P, subcommand S ..."},
};
// clang-format on

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.label;
}

INSTANTIATE_TEST_SUITE_P(Direct, CatalogTest, ::testing::ValuesIn(kDirectCases), caseName);
INSTANTIATE_TEST_SUITE_P(Structure, CatalogTest, ::testing::ValuesIn(kStructureCases), caseName);
INSTANTIATE_TEST_SUITE_P(Parameters, CatalogTest, ::testing::ValuesIn(kParameterCases), caseName);
INSTANTIATE_TEST_SUITE_P(Values, CatalogTest, ::testing::ValuesIn(kValueCases), caseName);
INSTANTIATE_TEST_SUITE_P(Variables, CatalogTest, ::testing::ValuesIn(kVariableCases), caseName);
INSTANTIATE_TEST_SUITE_P(Dependents, CatalogTest, ::testing::ValuesIn(kDependentCases), caseName);
INSTANTIATE_TEST_SUITE_P(QualifiersAndCategories, CatalogTest,
                         ::testing::ValuesIn(kQualifierAndCategoryCases), caseName);

TEST_F(CatalogRules, BoundaryTextFollowsBothOptions) {
    struct Row {
        int lower;
        int upper;
        std::string text;
    };
    // Both bounds active: each named included or excluded.
    const auto both = [](const std::string& lower, const std::string& upper) {
        return "Value 5 breaks " + lower + " lower boundary 1 or " + upper +
               " upper boundary 3.5 for parameter " + kLocPS + "...";
    };
    const Row rows[] = {
        {0, 0, "Value 5 breaks boundary conditions for parameter " + kLocPS + "..."},
        {1, 0, "Value 5 should be greater than or equal 1 for parameter " + kLocPS + "..."},
        {2, 0, "Value 5 should be greater than 1 for parameter " + kLocPS + "..."},
        {0, 1, "Value 5 should be less than or equal 3.5 for parameter " + kLocPS + "..."},
        {0, 2, "Value 5 should be less than 3.5 for parameter " + kLocPS + "..."},
        {1, 1, both("included", "included")},
        {1, 2, both("included", "excluded")},
        {2, 1, both("excluded", "included")},
        {2, 2, both("excluded", "excluded")},
        // Any option other than 0 and 1 counts as excluded.
        {7, -1, both("excluded", "excluded")},
    };
    for (const Row& row : rows) {
        message.ParamValueBreakBdry(5, 1, static_cast<LowerBdryOptions>(row.lower), 3.5,
                                    static_cast<UpperBdryOptions>(row.upper), "P", "S");
        SCOPED_TRACE(std::to_string(row.lower) + "/" + std::to_string(row.upper));
        expect(kError, row.text);
    }

    message.ParamValueBreakBdry(0, 0, UPSpecTypes::LowerExcluded, 0, UPSpecTypes::UpperNone, "P",
                                nullptr);
    expect(kError, "Value 0 should be greater than 0 for parameter " + kLocP + "...");
}

TEST_F(CatalogRules, BoundaryFromDescriptor) {
    ParamDescriptor descriptor("P", UPSpecTypes::ParamNumber);
    descriptor.setLowerBoundary(0, UPSpecTypes::LowerExcluded);
    descriptor.setUpperBoundary(1, UPSpecTypes::UpperIncluded);
    message.ParamValueBreakBdry(1.5, &descriptor, "P", "S");
    expect(kError,
           "Value 1.5 breaks excluded lower boundary 0 or included upper boundary 1 for "
           "parameter " +
               kLocPS + "...");

    message.ParamValueBreakBdry(1.5, nullptr, "P", "S");
    expect(kError, "1.5 is not a valid value for parameter " + kLocPS + "...");
}

TEST_F(CatalogRules, WrongValueTypeDelegatesByType) {
    const std::string ofPS = "Parameter P of subcommand S does not have ";
    const std::vector<std::pair<ParamSpec, std::string>> rows = {
        {UPSpecTypes::ParamKeyWord, "Keyword P in subcommand S cannot have any value..."},
        {UPSpecTypes::ParamString, ofPS + "a string value..."},
        {UPSpecTypes::ParamLiteral, ofPS + "a quoted string..."},
        {UPSpecTypes::ParamStringList, ofPS + "a list of strings..."},
        {UPSpecTypes::ParamLiteralList, ofPS + "a list of literals..."},
        {UPSpecTypes::ParamNumber, ofPS + "a numerical value..."},
        {UPSpecTypes::ParamNumberList, ofPS + "a numerical list..."},
        {UPSpecTypes::ParamInteger, ofPS + "an integer value..."},
        {UPSpecTypes::ParamIntegerList, ofPS + "an integer list..."},
        {UPSpecTypes::ParamVarName, ofPS + "a variable name..."},
        {UPSpecTypes::ParamVarList, ofPS + "a variable list..."},
        {UPSpecTypes::ParamCrossVarList,
         "Parameter P of subcommand S need variable names, using BY or *..."},
        {UPSpecTypes::ParamVarCatList, ofPS + "a variable category list..."},
    };
    for (const auto& row : rows) {
        message.WrongValueType("P", "S", row.first);
        SCOPED_TRACE(row.first);
        expect(kError, row.second);
    }
    for (int type : {0, 2, 15, 16, 17, 18, 19, 20, 21, 22, 23, 99}) {
        message.WrongValueType("P", "S", static_cast<ParamSpec>(type));
        SCOPED_TRACE(type);
        expect(kError, ofPS + "a proper value type...");
    }
    // The delegate sees the names unchanged, so its own variants apply.
    message.WrongValueType("P", nullptr, UPSpecTypes::ParamKeyWord);
    expect(kError, "Keyword P cannot have any value...");
}

// Group context reaches catalog texts, translated through the object's procedure.
TEST_F(CatalogRules, GroupPrefixAndTranslation) {
    refhost::SetTranslation("Gauge", "Subcommand ^1 has already been called...",
                            "Unterbefehl ^1 schon benutzt...");
    refhost::SetTranslation("Gauge", "Table ^1", "Tabelle ^1");
    message.SetProcedureTitle("Gauge");
    message.SetGroupIndex(3);
    message.SetGroupMsgText("Table ^1");
    message.SubComRepeated("S");
    expect(kError, "Tabelle 3. Unterbefehl S schon benutzt...");

    // Direct-route messages never carry the group context.
    message.NoTableRequested();
    expect(kWarning, "No table requested...");
}

class TwoListTest : public CatalogRules {
  protected:
    void SetUp() override {
        CatalogRules::SetUp();
        other.SetCommandName("CMD");
    }

    void report(char const* subCom2 = "T") const {
        message.VariableTwoVarList(X, "P", "S", "Q", subCom2, &other);
    }

    ParserMessage other;
};

TEST_F(TwoListTest, WithoutSecondObjectOrInTheSameCommandAndContextActsAsFiveArgumentForm) {
    const std::string fiveArgument =
        "Variable name X used for parameter " + kLocPS + " cannot also be used for Q...";
    message.VariableTwoVarList(X, "P", "S", "Q", "s", nullptr);
    expect(kError, fiveArgument);
    other.SetCommandName("cmd");
    report("s");
    expect(kError, fiveArgument);
}

TEST_F(TwoListTest, OtherCommandNamesBothLocations) {
    other.SetCommandName("OTHER");
    message.VariableTwoVarList(X, nullptr, nullptr, nullptr, nullptr, &other);
    expect(kError,
           "Variable name X used for parameter command line of CMD command... cannot be "
           "used for parameter command line of OTHER command......");
}

TEST_F(TwoListTest, OnlyThisObjectInAGroup) {
    message.SetGroupIndex(2);
    message.SetGroupSepName("SEP");
    report("s");
    expect(kError, "SEP block 2.... Variable name X used for parameter " + kLocPS +
                       " cannot be used for parameter parameter Q of subcommand s......");
}

TEST_F(TwoListTest, OnlyOtherObjectInAGroupReportsThroughIt) {
    other.SetGroupIndex(3);
    other.SetGroupMsgText("Design ^1");
    report();
    expect(kError,
           "Design 3. Variable name X used for parameter parameter Q of subcommand T... "
           "cannot be used for parameter " +
               kLocPS + "...");
}

TEST_F(TwoListTest, SameGroupContextInOtherCommand) {
    for (ParserMessage* m : {&message, &other}) {
        m->SetGroupIndex(1);
        m->SetGroupMsgText("Design");
    }
    other.SetCommandName("OTHER");
    report();
    expect(kError, "Design. Variable name X used for parameter " + kLocPS +
                       " cannot be used for parameter parameter Q of subcommand T......");
}

TEST_F(TwoListTest, DifferentGroupsNameBothOnTheDirectRoute) {
    refhost::SetTranslation(
        "Gauge", "Variable name ^1 used for parameter ^2 cannot be used for parameter ^3...",
        "^1: ^2 / ^3");
    refhost::SetTranslation("", "In ^1 and ^2. ^3...", "In ^1 und ^2: ^3");
    message.SetProcedureTitle("Gauge");
    message.SetGroupIndex(2);
    message.SetGroupSepName("SEP");
    other.SetGroupIndex(1);
    other.SetGroupMsgText("Design ^1");
    report();
    expect(kError,
           "In SEP block 2... und Design 1: X: " + kLocPS + " / parameter Q of subcommand T...");

    refhost::ClearTranslations();
    report();
    expect(kError, "In SEP block 2... and Design 1. Variable name X used for parameter " + kLocPS +
                       " cannot be used for parameter parameter Q of subcommand T.........");
}

}  // namespace
