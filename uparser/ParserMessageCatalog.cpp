// The reporting methods of ParserMessage. The English texts are also the keys of the host's
// string table, so they stay exactly as written here, odd spelling and blanks included.

#include <initializer_list>
#include <new>
#include <string>

#include "uparser/ParamDescriptor.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"
#include "uparser/detail/MemoryShortage.h"
#include "uparser/detail/ReservedWords.h"
#include "uparser/host/OutputCells.h"

namespace {

// Each text stays whole on one line, so that it can be searched for as the user sees it.
// clang-format off

// Direct route.
constexpr char kTooManyGroups[] = "The command cannot have more than ^1 subcommand groups...";
constexpr char kModeUnknown[] = "^1 not a valid mode...";
constexpr char kNoTableRequested[] = "No table requested...";
constexpr char kNoTableChartRequest[] = "No table or chart requested...";
constexpr char kDisableSplit[] = "No split file ...";
constexpr char kDisableWeight[] = "No TAVO weight ...";
constexpr char kInvalidSubComName[] = "^1 is not a valid subcommand name...";
constexpr char kNoSubComAtStart[] = "No subcommand at the command start...";
constexpr char kFileNameInvalid[] = "^1 not a valid file name...";
constexpr char kFileNoAccessDirect[] = "File ^1 nas no access...";
constexpr char kFileNoSystemDirect[] = "File ^1 nas is not TAVO file...";
constexpr char kSubComNotForBeta[] = "Subcommand ^1 is not supported for Beta ...";
constexpr char kParamNotForBeta[] = "Parameter ^1 is not supported for Beta, subcommand ^2 ...";
constexpr char kSubComRequiredList[] = "One of the subcommands is required [%1:, ^1:]1...";
constexpr char kNeedDepVarCatBinomSplits[] =
    "Dependent ^1 specified for ^2 must be binomial, split [%1 = %2:,^1 = ^2:]3...";
constexpr char kDependVarConstSplits[] =
    "Dependent ^1 specified for ^2 should not be constant..., split [%1 = %2:,^1 = ^2:]3...";
constexpr char kAbsentCatValueSplits[] =
    "Categorical variable ^1 for ^3 has value ^2 not in data, split [%1 = %2:,^1 = ^2:]4...";
constexpr char kAbsentDepValueSplits[] =
    "Dependent variable ^1 for ^3 has value ^2 not in data, split [%1 = %2:,^1 = ^2:]4...";

// Command, group and subcommand structure.
constexpr char kInsufficientParsingMemory[] = "Insufficient memory for parsing...";
constexpr char kCommandEmpty[] = "The command is empty...";
constexpr char kInvalidSubComComb[] = "Combination of subcommands is invalid...";
constexpr char kNoGroup[] = "The command does not have any subcommand group...";
constexpr char kNoSubCom[] = "The command does not have any subcommand...";
constexpr char kNoGroupInfo[] = "Parser cannot get information for the current subcommand group...";
constexpr char kNoSubComInfo[] = "The parser cannot get info for the current subcommand...";
constexpr char kNoMode[] = "^1 command mode not specified...";
constexpr char kSubComNotAllowed[] = "Subcommand ^1 is not allowed in this context...";
constexpr char kSubComNotAtStart[] = "Subcommand ^1 is not allowed at the command ^2 start...";
constexpr char kSubComRequired[] = "Subcommand ^1 required...";
constexpr char kSubComNeedSubCom[] = "Subcommand ^1 required when subcommand ^2 is called...";
constexpr char kNeedSubComForMode[] = "Subcommand ^1 required in ^2 mode...";
constexpr char kNeedSubComForParam[] =
    "Subcommand ^1 is required for parameter ^2 with value ^3...";
constexpr char kIgnoreSubComForParam[] =
    "Subcommand ^1 is ignored for parameter ^2 with value ^3...";
constexpr char kNeedSubComOtherValue[] =
    "Subcommand ^1 is required for parameter ^2 with a value different from ^3...";
constexpr char kSubComRepeated[] = "Subcommand ^1 has already been called...";
constexpr char kSubComEmpty[] = "^1 subcommand is empty...";
constexpr char kSubComExclusive[] = "Subcommand ^1 shouldn't be given with subcommand ^2...";
constexpr char kSubComUnknown[] = "Subcommand ^1 not recognized...";
constexpr char kSubComNoGroupAllowed[] = "Subcommand ^1 cannot belong to any subcommand group...";
constexpr char kSubComNewGroup[] = "Subcommand ^1 must open a new subcommand group...";
constexpr char kSubComRepeatInGroup[] = "Subcommand ^1 already called in the current group...";
constexpr char kSubComNeedGroup[] = "Subcommand ^1 does not belong to any subcommand group...";
constexpr char kSubComFirstGroup[] =
    "Subcommand ^1 can belong only to the first subcommand group...";
constexpr char kSubComOnlyOneMode[] = "Subcommand ^1 can appear only in ^2 mode...";
constexpr char kSubComOtherMode[] = "Subcommand ^1 cannot appear in ^2 mode...";
constexpr char kParenNotAllowedGlobal[] = "Parentheses cannot be used in global subcommand...";
constexpr char kParenNotAllowed[] = "Parentheses cannot be used in subcommand ^1...";
constexpr char kParenRequired[] =
    "Parentheses are required for non-default values in subcommand ^1...";
constexpr char kTooManyParam[] = "Subcommand ^1 has more than ^2 parameters...";

// Parameters.
constexpr char kParamNoSubCom[] = "Parameter ^1 does not belong to a subcommand...";
constexpr char kSubComOnlyOneParam[] = "Subcommand ^2 can have only one parameter ^1...";
constexpr char kParamOnlyOneMode[] = "Parameter ^1 of subcommand ^2 can occur only in ^3 mode...";
constexpr char kParamOtherMode[] = "Parameter ^1 of subcommand ^2 cannot occur in ^3 mode...";
constexpr char kParamRepeatedInSubCom[] = "Parameter ^1 already used in subcommand ^2...";
constexpr char kParamRepeated[] = "Parameter ^1 already used...";
constexpr char kInvalidParamInSubCom[] = "^1 is not a valid parameter name in subcommand ^2...";
constexpr char kInvalidParamInCommand[] = "^1 is not a valid parameter name in command ^2...";
constexpr char kInvalidParamWithWeightInSubCom[] =
    "^1 is not a valid parameter name in subcommand ^2 with weight...";
constexpr char kInvalidParamWithWeightInCommand[] =
    "^1 is not a valid parameter name in command ^2 with weight...";
constexpr char kIgnoredParam[] = "Parameter ^1 for subcommand ^2 ignored...";
constexpr char kIgnoredParamOtherParamValue[] =
    "Parameter ^1 is ignored when parameter ^2 takes value ^3, subcommand ^4...";
constexpr char kIgnoredParamOtherSubcom[] =
    "Parameter ^1 of subcommand ^2 is ignored when subcommand ^3 is in effect...";
constexpr char kIgnoredParamSplitFile[] =
    "Parameter ^1 is ignored when split-file is on, subcommand ^2...";
constexpr char kIgnoredParamThisMode[] = "Parameter ^1 for subcommand ^2 ignored in this mode...";
constexpr char kParamOnlyInFirstGroup[] =
    "Parameter ^1 of subcommand ^2 can appear only in the first subcommand group...";
constexpr char kParamRequiredInSubCom[] = "Parameter ^1 required in subcommand ^2...";
constexpr char kParamRequired[] = "Parameter ^1 required...";
constexpr char kParamNotAtSubComStart[] =
    "Parameter ^1 is not allowed at the subcommand ^2 start...";
constexpr char kParamNotAtCommandStart[] = "Parameter ^1 is not allowed at the command ^2 start...";
constexpr char kParamRequiredFirstGroup[] =
    "Parameter ^1 of subcommand ^2 is required in the first subcommand group...";
constexpr char kNeedParamNonFinalGroup[] =
    "Parameter ^1 is required in non-final subcommand group...";
constexpr char kParamNeedParamUsed[] = "Parameter ^1 required when parameter ^2 is used...";
constexpr char kParamNeedParamValue[] = "Parameter ^1 required when parameter ^2 takes value ^3...";
constexpr char kParamNeedParamInSubComUsed[] =
    "Parameter ^1 required when parameter ^2 is used, subcommand ^3...";
constexpr char kParamNeedParamInSubComValue[] =
    "Parameter ^1 required when parameter ^2 takes value ^4, subcommand ^3...";
constexpr char kParamExclusive[] = "Parameter ^1 of subcommand ^3 cannot be used with parameter ^2...";
constexpr char kParamExclAnyOther[] =
    "Parameter ^1 of subcommand ^2 cannot be used with another parameter...";
constexpr char kParamLessOtherParam[] = "Parameter ^1 cannot be less than ^2, subcommand ^3...";
constexpr char kParamNeedLessOtherParam[] = "Parameter ^1 must be less than ^2, subcommand ^3...";
constexpr char kSquareBracketRequired[] = "Square brackets required for parameter ^1...";
constexpr char kKeyWordNoValue[] = "Keyword ^1 cannot have any value...";
constexpr char kKeyWordNoValueInSubCom[] = "Keyword ^1 in subcommand ^2 cannot have any value...";
constexpr char kInvalidKeyWord[] = "^1 not a valid keyword for subcommand ^2...";
constexpr char kTokenNoQualif[] = "Token ^1 cannot have any qualifier...";
constexpr char kTokenNoQualifInSubCom[] = "Token ^1 in subcommand ^2 cannot have any qualifier...";
constexpr char kParamNeedQualifInSubCom[] =
    "Qualifier ^3 required for parameter ^1 in subcommand ^2...";
constexpr char kParamNeedQualif[] = "Qualifier ^3 required for parameter ^1...";

// Parameter values.
constexpr char kWrongValueTypeBoth[] =
    "Parameter ^1 of subcommand ^2 does not have a proper value type...";
constexpr char kWrongValueTypeParam[] = "Parameter ^1 does not have a proper value type...";
constexpr char kWrongValueTypeSubCom[] = "Subcommand ^1 does not have a proper value type...";
constexpr char kParamMustBeStringBoth[] =
    "Parameter ^1 of subcommand ^2 does not have a string value...";
constexpr char kParamMustBeString[] = "Parameter ^1 does not have a string value...";
constexpr char kParamQuotedString[] =
    "Parameter ^1 of subcommand ^2 does not have a quoted string...";
constexpr char kParamNeedStringList[] =
    "Parameter ^1 of subcommand ^2 does not have a list of strings...";
constexpr char kParamNeedLiteralList[] =
    "Parameter ^1 of subcommand ^2 does not have a list of literals...";
constexpr char kParamNeedNumber[] =
    "Parameter ^1 of subcommand ^2 does not have a numerical value...";
constexpr char kParamNeedNumberList[] =
    "Parameter ^1 of subcommand ^2 does not have a numerical list...";
constexpr char kParamNeedIntegerInSubCom[] =
    "Parameter ^1 of subcommand ^2 does not have an integer value...";
constexpr char kParamNeedInteger[] = "Parameter ^1 of does not have an integer value...";
constexpr char kParamNeedIntegerList[] =
    "Parameter ^1 of subcommand ^2 does not have an integer list...";
constexpr char kInvalidParamVarName[] =
    "Parameter ^1 of subcommand ^2 does not have a variable name...";
constexpr char kParamNeedVarList[] =
    "Parameter ^1 of subcommand ^2 does not have a variable list...";
constexpr char kParamNeedCrossVarList[] =
    "Parameter ^1 of subcommand ^2 need variable names, using ^3 or ^4...";
constexpr char kParamNeedVarCatList[] =
    "Parameter ^1 of subcommand ^2 does not have a variable category list...";
constexpr char kInvalidParamValue[] = "^1 is not a valid value for parameter ^2...";
constexpr char kInvalidParamOption[] = "^1 is not a valid option for parameter ^2...";
constexpr char kIgnoredParamValueInSubCom[] =
    "Parameter ^1 in subcommand ^2 with value ^3 is ignored...";
constexpr char kIgnoredParamValue[] = "Parameter ^1 with value ^2 is ignored...";
constexpr char kInvalidParamValueThisGroup[] =
    "Parameter ^1 of subcommand ^2 cannot take value ^3 in this subcommand group...";
constexpr char kParamValueRepeat[] = "Not unique value ^3 for ^1, subcommand ^2 ...";
constexpr char kTooLongVarList[] =
    "Parameter ^1 of subcommand ^2 shouldn't have more than ^3 variables in the list...";
constexpr char kSyntaxErrorInParam[] = "Invalid syntax detected in parameter ^2, symbol ^1 ...";
constexpr char kSyntaxErrorInParamSubCom[] =
    "Invalid syntax detected in parameter ^2, symbol ^1, subcommand ^3 ...";

// Boundaries, indexed by [lower kind][upper kind]: 0 absent, 1 included, 2 excluded. The
// texts without one of the bounds take the value, that bound and the location; the others
// take the value, both bounds and the location.
constexpr char const* kBoundaryTexts[3][3] = {
    {"Value ^1 breaks boundary conditions for parameter ^2...",
     "Value ^1 should be less than or equal ^2 for parameter ^3...",
     "Value ^1 should be less than ^2 for parameter ^3..."},
    {"Value ^1 should be greater than or equal ^2 for parameter ^3...",
     "Value ^1 breaks included lower boundary ^2 or included upper boundary ^3 for parameter ^4...",
     "Value ^1 breaks included lower boundary ^2 or excluded upper boundary ^3 for parameter ^4..."},
    {"Value ^1 should be greater than ^2 for parameter ^3...",
     "Value ^1 breaks excluded lower boundary ^2 or included upper boundary ^3 for parameter ^4...",
     "Value ^1 breaks excluded lower boundary ^2 or excluded upper boundary ^3 for parameter ^4..."}};

// Files.
constexpr char kFileNoAccess[] = "File ^1 specified for ^2 has no access...";
constexpr char kFileNoSystem[] = "File ^1 specified for ^2 is not TAVO file...";
constexpr char kFileTwoSubCom[] = "File ^1 shouldn't be used for both ^2 and ^3...";

// Variables and variable lists.
constexpr char kVarNameRepeated[] = "Variable name ^1 has already occurred in the command...";
constexpr char kVarAlreadyExist[] = "Variable ^1 for parameter ^2 already exists...";
constexpr char kOutputVarReused[] = "Output variable ^1 for parameter ^2 already exists...";
constexpr char kOutputVarCreated[] = "Output variable ^1 for parameter ^2 already created...";
constexpr char kVariableNotInDict[] = "Variable ^1 for parameter ^2 is not found in dictionary...";
constexpr char kInvalidVarName[] = "Variable name ^1 for parameter ^2 is invalid...";
constexpr char kVariableNotNumeric[] = "Variable ^1 for parameter ^2 is not numerical...";
constexpr char kVariableRepeatVarList[] = "Variable ^1 for parameter ^2 already used...";
constexpr char kVariableRepeatOtherParam[] =
    "Variable ^1 for parameter ^2 already occured in parameter ^3...";
constexpr char kVariableTwoVarList[] =
    "Variable name ^1 given for parameter ^2 cannot be used for parameter ^3...";
constexpr char kVariableTwoVarListSameSubCom[] =
    "Variable name ^1 used for parameter ^2 cannot also be used for ^3...";
constexpr char kVariableTwoVarListOtherSubCom[] =
    "Variable name ^1 used for parameter ^2 cannot be used for parameter ^3...";
constexpr char kTwoGroupsMessage[] = "In ^1 and ^2. ^3...";
constexpr char kVariableNeedVarList[] =
    "Variable name ^1 given for parameter ^2 must also be used for parameter ^3...";
constexpr char kVariableNeedVarListSubCom[] =
    "Variable name ^1 given for parameter ^2 must also be used for parameter ^3, subcommand ^4...";
constexpr char kVariableNeedVarListLocations[] =
    "Variable name ^1 given for ^2 must also be used for ^3...";
constexpr char kAnyVariableNeedVarList[] =
    "Any variable given for parameter ^1 must also be used for parameter ^2...";
constexpr char kVariableNeedValue[] =
    "Variable ^1 given for parameter ^2 has invalid value, subcommand ^3...";
constexpr char kWordRepeatVarList[] = "Word ^1 already occured in parameter ^2...";
constexpr char kWordNeedVarName[] =
    "Word ^1 for parameter ^2 should be followed by a valid variable name...";
constexpr char kKeywordImproperRange[] =
    "Keyword ^1 improperly used for range in parameter ^2 variable list...";
constexpr char kKeywordImproperVarList[] =
    "Keyword ^1 improperly used in parameter ^2 variable list...";
constexpr char kSyntaxErrorInText[] = "Invalid syntax in parameter ^2, text ^1 ...";
constexpr char kSyntaxErrorAfterText[] = "Invalid syntax in parameter ^2, after text ^1 ...";
constexpr char kSyntaxErrorInVarList[] =
    "Invalid syntax detected in variable list ^2, symbol ^1 ...";

// Dependent variables, factors and covariates.
constexpr char kNeedDepVarCat[] = "Dependent variable ^1 specified for ^2 must be categorical...";
constexpr char kNeedDepVarCatBinom[] =
    "Dependent categorical variable ^1 specified for ^2 must be binomial...";
constexpr char kNeedDepVarCont[] = "Dependent variable ^1 specified for ^2 must be continuous...";
constexpr char kDependVarConst[] =
    "Dependent variable ^1 specified for ^2 should not be constant...";
constexpr char kVariableDependAndFactor[] =
    "Variable ^1 used for parameter ^2 is both dependent and factor...";
constexpr char kVariableDependAndCovariate[] =
    "Variable ^1 used for parameter ^2 is both dependent and covariate...";
constexpr char kVariableFactorAndCovariate[] =
    "Variable ^1 used for parameter ^2 is both factor and covariate...";
constexpr char kNoFactorAfterKeyword[] = "No factors for parameter ^2 after keyword ^1...";
constexpr char kNoCovariateAfterKeyword[] = "No covariates for parameter ^2 after keyword ^1...";
constexpr char kExcludeAllFactorCovariate[] =
    "All factors and covariates specified for parameter ^1 are excluded...";
constexpr char kExcludeAllVariables[] = "All variables specified for parameter ^1 are excluded...";
constexpr char kNoDependVar[] = "^1 does not have a valid dependent variable...";
constexpr char kInvalidFactorList[] = "Factor variable list for ^1 is invalid...";
constexpr char kInvalidCovariateList[] = "Covariate variable list for ^1 is invalid...";
constexpr char kInvalidFactorVarName[] = "^1 for ^2 is not a factor name, subcommand ^3 ...";
constexpr char kInvalidCovariateVarName[] = "^1 for ^2 is not a covariate name, subcommand ^3 ...";
constexpr char kInvalidFactOrCovarForParam[] =
    "^1 specified for ^2 is neither factor nor covariate variable name, subcommand ^3 ...";
constexpr char kInvalidFactOrCovar[] =
    "^1 is neither factor nor covariate variable name, subcommand ^2 ...";
constexpr char kRepeatFactorVar[] = "Factor ^1 repeated in parameter ^2, subcommand ^3 ...";
constexpr char kRepeatCovariateVar[] = "Covariate ^1 repeated in parameter ^2, subcommand ^3 ...";

// Qualifiers of variables.
constexpr char kVariableInvalidQualif[] =
    "Variable ^1 used for parameter ^2 has an invalid qualifier...";
constexpr char kVariableUnknownQualif[] =
    "Variable ^1 used for parameter ^2 has an invalid qualifier ^3...";
constexpr char kVariableRepeatQualif[] =
    "Variable ^1 used for parameter ^2 has a repeated qualifier ^3...";
constexpr char kVariableBadQualValue[] =
    "Qualifier ^3 of variable ^1 used for parameter ^2 has an invalid value...";
constexpr char kVariableBadQualOption[] =
    "Qualifier ^3 of variable ^1 used for parameter ^2 has an invalid value ^4...";
constexpr char kVariableNoQualif[] =
    "Variable ^1 used for parameter ^2 should not have a qualifier...";
constexpr char kVarListInvalidQualif[] =
    "Last variable ^1 used for parameter ^2 has an invalid qualifier...";
constexpr char kVarListUnknownQualif[] =
    "Last variable ^1 used for parameter ^2 has an invalid qualifier ^3...";
constexpr char kVarListRepeatQualif[] =
    "Last variable ^1 used for parameter ^2 has a repeated qualifier ^3...";
constexpr char kVarListBadQualValue[] =
    "Qualifier ^3 of last variable ^1 used for parameter ^2 has an invalid value...";
constexpr char kVarListBadQualOption[] =
    "Qualifier ^3 of last variable ^1 used for parameter ^2 has an invalid value ^4...";
constexpr char kVarListBadQualOptionSplits[] =
    "Qualifier ^3 of last variable ^1 used for parameter ^2 has an invalid value ^4 with splits...";
constexpr char kVarListNoQualif[] =
    "Last variable ^1 used for parameter ^2 should not have a qualifier...";

// Category values and fractions.
constexpr char kAbsentCatValue[] =
    "Categorical variable ^1 specified for ^3 has value ^2 missing from data...";
constexpr char kAbsentDepValue[] =
    "Dependent variable ^1 specified for ^3 has value ^2 missing from data...";
constexpr char kInvalidCatValue[] =
    "Variable ^1 specified for ^3 has value ^2 of invalid type or format...";
constexpr char kInvalidCatValueCell[] =
    "Category List Variable ^1 in column ^4 has value ^2 of invalid type or format in row ^3...";
constexpr char kSymbolNotNumber[] = "Symbol ^1 in parameter ^2 not a number, subcommand ^3 ...";
constexpr char kNoNumberAfterSymbol[] =
    "No valid number after symbol ^1, parameter ^2, subcommand ^3 ...";
constexpr char kNoVarNameAfterSymbol[] =
    "No valid variable name after symbol ^1, parameter ^2, subcommand ^3 ...";
constexpr char kDenomNotNumber[] =
    "Denominator ^1 in fraction for ^2 not a valid number, subcommand ^3 ...";
constexpr char kNonPositiveDenom[] =
    "Non-positive denominator ^1 in fraction for ^2, subcommand ^3 ...";
constexpr char kNoDenominator[] =
    "No denominator for numerator ^1, fraction for ^2, subcommand ^3 ...";

// clang-format on

// Reports never throw: memory running out while a location or a number text is built ends
// the report with the memory message instead.
template <typename Body>
void guarded(Body&& body) noexcept {
    try {
        body();
    } catch (const std::bad_alloc&) {
        ReportMemoryShortage();
    } catch (...) {
    }
}

// A boundary option: 0 absent, 1 included, any other value excluded.
int boundKind(int option) {
    return option == 0 ? 0 : (option == 1 ? 1 : 2);
}

// A message whose ^1 is the first argument and ^2 the location, followed by up to two more
// arguments; most of the variable family has this shape.
void reportAt(const ParserMessage& message, char const* text, bool warning, char const* first,
              char const* param, char const* subCom, char const* third = nullptr,
              char const* fourth = nullptr) noexcept {
    guarded([&] {
        const std::string location = message.GetLocString(param, subCom);
        message.GenericMessage(text, warning, first, location.c_str(), third, fourth);
    });
}

// Direct route: the plain arguments, then the current split file group as a list. A null
// argument ends the list there, the split included.
void reportWithSplits(char const* text, std::initializer_list<char const*> args) noexcept {
    guarded([&] {
        BpComposite message(text, true);
        bool complete = true;
        for (char const* arg : args) {
            if (arg == nullptr) {
                complete = false;
                break;
            }
            message.Add(BpString(arg, false));
        }
        if (complete) {
            message.Sublist();
            message.SplitList();
            message.EndSublist();
        }
        message.Finish();
        BpError(message, BpShowDisplayed, BpLevelWarning);
    });
}

}  // namespace

void ParserMessage::TooManyGroups(int count) const {
    guarded([&] {
        BpComposite message(kTooManyGroups, true);
        message.Add(BpNumber(count, BpProcedure::Count()));
        message.Finish();
        BpError(message, BpShowDisplayed, BpLevelError);
    });
}

void ParserMessage::ModeUnknown(char const* mode) const {
    SimpleError(kModeUnknown, mode);
}

void ParserMessage::NoTableRequested() const {
    SimpleWarning(kNoTableRequested);
}

void ParserMessage::NoTableChartRequest() const {
    SimpleWarning(kNoTableChartRequest);
}

void ParserMessage::DisableSplit() const {
    SimpleWarning(kDisableSplit);
}

void ParserMessage::DisableWeight() const {
    SimpleWarning(kDisableWeight);
}

void ParserMessage::InvalidSubComName(char const* name) const {
    if (IsName(name)) {
        SimpleError(kInvalidSubComName, name);
    } else {
        SimpleError(kNoSubComAtStart);
    }
}

void ParserMessage::FileNameInvalid(char const* file) const {
    SimpleError(kFileNameInvalid, file);
}

void ParserMessage::FileNoAccess(char const* file) const {
    SimpleError(kFileNoAccessDirect, file);
}

void ParserMessage::FileNoSystem(char const* file) const {
    SimpleError(kFileNoSystemDirect, file);
}

void ParserMessage::SubComNotForBeta(char const* subCom) const {
    SimpleWarning(kSubComNotForBeta, subCom);
}

void ParserMessage::ParamNotForBeta(char const* param, char const* subCom) const {
    SimpleWarning(kParamNotForBeta, param, subCom);
}

void ParserMessage::SubComRequired(std::vector<std::string> const& names) const {
    guarded([&] {
        BpComposite message(kSubComRequiredList, true);
        message.Sublist();
        for (const std::string& name : names) {
            message.Add(BpString(name, false));
        }
        message.EndSublist();
        message.Finish();
        BpError(message, BpShowDisplayed, BpLevelWarning);
    });
}

void ParserMessage::NeedDepVarCatBinomSplits(TavoVarName var, char const* param,
                                             char const* subCom) const {
    guarded([&] {
        const std::string location = GetLocString(param, subCom);
        reportWithSplits(kNeedDepVarCatBinomSplits, {var.c_str(), location.c_str()});
    });
}

void ParserMessage::DependVarConstSplits(TavoVarName var, char const* param,
                                         char const* subCom) const {
    guarded([&] {
        const std::string location = GetLocString(param, subCom);
        reportWithSplits(kDependVarConstSplits, {var.c_str(), location.c_str()});
    });
}

void ParserMessage::AbsentCatValueSplits(char const* varName, char const* value, char const* param,
                                         char const* subCom) const {
    guarded([&] {
        const std::string location = GetLocString(param, subCom);
        reportWithSplits(kAbsentCatValueSplits, {varName, value, location.c_str()});
    });
}

void ParserMessage::AbsentDepValueSplits(char const* varName, char const* value, char const* param,
                                         char const* subCom) const {
    guarded([&] {
        const std::string location = GetLocString(param, subCom);
        reportWithSplits(kAbsentDepValueSplits, {varName, value, location.c_str()});
    });
}

void ReportMemoryShortage() noexcept {
    try {
        BpError(BpString(kInsufficientParsingMemory, true), BpShowDisplayed, BpLevelError);
    } catch (...) {
    }
}

void ParserMessage::InsufficientParsingMemory() const {
    GenericError(kInsufficientParsingMemory);
}

void ParserMessage::CommandEmpty() const {
    GenericError(kCommandEmpty);
}

void ParserMessage::InvalidSubComComb() const {
    GenericError(kInvalidSubComComb);
}

void ParserMessage::NoGroup() const {
    GenericError(kNoGroup);
}

void ParserMessage::NoSubCom() const {
    GenericError(kNoSubCom);
}

void ParserMessage::NoGroupInfo() const {
    GenericError(kNoGroupInfo);
}

void ParserMessage::NoSubComInfo() const {
    GenericError(kNoSubComInfo);
}

void ParserMessage::NoMode() const {
    GenericError(kNoMode, GetCommandName());
}

void ParserMessage::SubComNotAllowed(char const* subCom) const {
    GenericError(kSubComNotAllowed, subCom);
}

void ParserMessage::SubComNotAtStart(char const* subCom) const {
    GenericError(kSubComNotAtStart, subCom, GetCommandName());
}

void ParserMessage::SubComRequired(char const* subCom) const {
    GenericError(kSubComRequired, subCom);
}

void ParserMessage::SubComNeedSubCom(char const* subCom, char const* otherSubCom) const {
    GenericError(kSubComNeedSubCom, subCom, otherSubCom);
}

void ParserMessage::NeedSubComForMode(char const* subCom, char const* mode) const {
    GenericError(kNeedSubComForMode, subCom, mode);
}

void ParserMessage::NeedSubComForParam(char const* subCom, char const* param,
                                       char const* value) const {
    GenericError(kNeedSubComForParam, subCom, param, value);
}

void ParserMessage::IgnoreSubComForParam(char const* subCom, char const* param,
                                         char const* value) const {
    GenericWarning(kIgnoreSubComForParam, subCom, param, value);
}

void ParserMessage::NeedSubComOtherValue(char const* subCom, char const* param,
                                         char const* value) const {
    GenericError(kNeedSubComOtherValue, subCom, param, value);
}

void ParserMessage::SubComRepeated(char const* subCom) const {
    GenericError(kSubComRepeated, subCom);
}

void ParserMessage::SubComEmpty(char const* subCom) const {
    GenericError(kSubComEmpty, subCom);
}

void ParserMessage::SubComExclusive(char const* subCom, char const* otherSubCom) const {
    GenericError(kSubComExclusive, subCom, otherSubCom);
}

void ParserMessage::SubComUnknown(char const* subCom) const {
    GenericError(kSubComUnknown, subCom);
}

void ParserMessage::SubComNoGroupAllowed(char const* subCom) const {
    GenericError(kSubComNoGroupAllowed, subCom);
}

void ParserMessage::SubComNewGroup(char const* subCom) const {
    GenericError(kSubComNewGroup, subCom);
}

void ParserMessage::SubComRepeatInGroup(char const* subCom) const {
    GenericError(kSubComRepeatInGroup, subCom);
}

void ParserMessage::SubComNeedGroup(char const* subCom) const {
    GenericError(kSubComNeedGroup, subCom);
}

void ParserMessage::SubComFirstGroup(char const* subCom) const {
    GenericError(kSubComFirstGroup, subCom);
}

void ParserMessage::SubComOnlyOneMode(char const* subCom, char const* mode) const {
    GenericError(kSubComOnlyOneMode, subCom, mode);
}

void ParserMessage::SubComOtherMode(char const* subCom, char const* mode) const {
    GenericError(kSubComOtherMode, subCom, mode);
}

// The empty text names the global subcommand. A null pointer is not meant to reach here; it
// gets the named form with its placeholder left unfilled rather than a crash.
void ParserMessage::ParenNotAllowed(char const* subCom) const {
    if (subCom != nullptr && subCom[0] == '\0') {
        GenericError(kParenNotAllowedGlobal);
    } else {
        GenericError(kParenNotAllowed, subCom);
    }
}

void ParserMessage::ParenRequired(char const* subCom) const {
    GenericError(kParenRequired, subCom);
}

void ParserMessage::TooManyParam(char const* subCom, int count) const {
    guarded([&] { GenericError(kTooManyParam, subCom, IntegerToString(count).c_str()); });
}

void ParserMessage::ParamNoSubCom(char const* param) const {
    GenericError(kParamNoSubCom, param);
}

void ParserMessage::SubComOnlyOneParam(char const* param, char const* subCom) const {
    GenericError(kSubComOnlyOneParam, param, subCom);
}

void ParserMessage::ParamOnlyOneMode(char const* param, char const* subCom,
                                     char const* mode) const {
    GenericError(kParamOnlyOneMode, param, subCom, mode);
}

void ParserMessage::ParamOtherMode(char const* param, char const* subCom, char const* mode) const {
    GenericError(kParamOtherMode, param, subCom, mode);
}

void ParserMessage::ParamRepeated(char const* param, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kParamRepeatedInSubCom, param, subCom);
    } else {
        GenericError(kParamRepeated, param);
    }
}

void ParserMessage::InvalidParam(char const* name, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kInvalidParamInSubCom, name, subCom);
    } else {
        GenericError(kInvalidParamInCommand, name, GetCommandName());
    }
}

void ParserMessage::InvalidParamWithWeight(char const* name, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kInvalidParamWithWeightInSubCom, name, subCom);
    } else {
        GenericError(kInvalidParamWithWeightInCommand, name, GetCommandName());
    }
}

void ParserMessage::IgnoredParam(char const* param, char const* subCom) const {
    GenericWarning(kIgnoredParam, param, subCom);
}

void ParserMessage::IgnoredParamOtherParamValue(char const* param, char const* otherParam,
                                                char const* value, char const* subCom) const {
    GenericWarning(kIgnoredParamOtherParamValue, param, otherParam, value, subCom);
}

void ParserMessage::IgnoredParamOtherSubcom(char const* param, char const* subCom,
                                            char const* otherSubCom) const {
    GenericWarning(kIgnoredParamOtherSubcom, param, subCom, otherSubCom);
}

void ParserMessage::IgnoredParamSplitFile(char const* param, char const* subCom) const {
    GenericWarning(kIgnoredParamSplitFile, param, subCom);
}

void ParserMessage::IgnoredParamThisMode(char const* param, char const* subCom) const {
    GenericWarning(kIgnoredParamThisMode, param, subCom);
}

void ParserMessage::ParamOnlyInFirstGroup(char const* param, char const* subCom) const {
    GenericError(kParamOnlyInFirstGroup, param, subCom);
}

void ParserMessage::ParamRequiredForSubCom(char const* param, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kParamRequiredInSubCom, param, subCom);
    } else {
        GenericError(kParamRequired, param);
    }
}

void ParserMessage::ParamNotAtStart(char const* param, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kParamNotAtSubComStart, param, subCom);
    } else {
        GenericError(kParamNotAtCommandStart, param, GetCommandName());
    }
}

void ParserMessage::ParamRequiredFirstGroup(char const* param, char const* subCom) const {
    GenericError(kParamRequiredFirstGroup, param, subCom);
}

void ParserMessage::NeedParamNonFinalGroup(char const* param) const {
    GenericError(kNeedParamNonFinalGroup, param);
}

void ParserMessage::ParamNeedParam(char const* param, char const* otherParam,
                                   char const* value) const {
    if (value == nullptr) {
        GenericError(kParamNeedParamUsed, param, otherParam);
    } else {
        GenericError(kParamNeedParamValue, param, otherParam, value);
    }
}

void ParserMessage::ParamNeedParamInSubCom(char const* param, char const* otherParam,
                                           char const* subCom, char const* value) const {
    if (value == nullptr) {
        GenericError(kParamNeedParamInSubComUsed, param, otherParam, subCom);
    } else {
        GenericError(kParamNeedParamInSubComValue, param, otherParam, subCom, value);
    }
}

void ParserMessage::ParamExclusive(char const* param, char const* otherParam,
                                   char const* subCom) const {
    GenericError(kParamExclusive, param, otherParam, subCom);
}

void ParserMessage::ParamExclAnyOther(char const* param, char const* subCom) const {
    GenericError(kParamExclAnyOther, param, subCom);
}

void ParserMessage::ParamLessOtherParam(char const* param, char const* otherParam,
                                        char const* subCom) const {
    GenericError(kParamLessOtherParam, param, otherParam, subCom);
}

void ParserMessage::ParamNeedLessOtherParam(char const* param, char const* otherParam,
                                            char const* subCom) const {
    GenericError(kParamNeedLessOtherParam, param, otherParam, subCom);
}

void ParserMessage::SquareBracketRequired(char const* param, char const* subCom) const {
    guarded([&] { GenericError(kSquareBracketRequired, GetLocString(param, subCom).c_str()); });
}

// Only a null subcommand selects the short form; an empty one is substituted as it is.
void ParserMessage::KeyWordNoValue(char const* keyword, char const* subCom) const {
    if (subCom == nullptr) {
        GenericError(kKeyWordNoValue, keyword);
    } else {
        GenericError(kKeyWordNoValueInSubCom, keyword, subCom);
    }
}

void ParserMessage::InvalidKeyWord(char const* keyword, char const* subCom) const {
    GenericError(kInvalidKeyWord, keyword, subCom);
}

void ParserMessage::TokenNoQualif(char const* token, char const* subCom) const {
    if (subCom == nullptr) {
        GenericError(kTokenNoQualif, token);
    } else {
        GenericError(kTokenNoQualifInSubCom, token, subCom);
    }
}

// The short form still passes the subcommand (empty when null) so the qualifier stays ^3.
void ParserMessage::ParamNeedQualif(char const* param, char const* subCom,
                                    char const* qualifier) const {
    if (IsName(subCom)) {
        GenericError(kParamNeedQualifInSubCom, param, subCom, qualifier);
    } else {
        GenericError(kParamNeedQualif, param, subCom != nullptr ? subCom : "", qualifier);
    }
}

void ParserMessage::WrongValueType(char const* param, char const* subCom) const {
    const bool hasParam = IsName(param);
    const bool hasSubCom = IsName(subCom);
    if (hasParam && hasSubCom) {
        GenericError(kWrongValueTypeBoth, param, subCom);
    } else if (hasSubCom) {
        GenericError(kWrongValueTypeSubCom, subCom);
    } else {
        GenericError(kWrongValueTypeParam, param);
    }
}

void ParserMessage::WrongValueType(char const* param, char const* subCom,
                                   UPSpecTypes::ParamSpec type) const {
    switch (type) {
        case UPSpecTypes::ParamKeyWord:
            KeyWordNoValue(param, subCom);
            return;
        case UPSpecTypes::ParamString:
            ParamMustBeString(param, subCom);
            return;
        case UPSpecTypes::ParamLiteral:
            ParamQuotedString(param, subCom);
            return;
        case UPSpecTypes::ParamStringList:
            ParamNeedStringList(param, subCom);
            return;
        case UPSpecTypes::ParamLiteralList:
            ParamNeedLiteralList(param, subCom);
            return;
        case UPSpecTypes::ParamNumber:
            ParamNeedNumber(param, subCom);
            return;
        case UPSpecTypes::ParamNumberList:
            ParamNeedNumberList(param, subCom);
            return;
        case UPSpecTypes::ParamInteger:
            ParamNeedInteger(param, subCom);
            return;
        case UPSpecTypes::ParamIntegerList:
            ParamNeedIntegerList(param, subCom);
            return;
        case UPSpecTypes::ParamVarName:
            InvalidParamVarName(param, subCom);
            return;
        case UPSpecTypes::ParamVarList:
            ParamNeedVarList(param, subCom);
            return;
        case UPSpecTypes::ParamCrossVarList:
            ParamNeedCrossVarList(param, subCom, reserved_words::kBy, reserved_words::kCross);
            return;
        case UPSpecTypes::ParamVarCatList:
            ParamNeedVarCatList(param, subCom);
            return;
        default:
            WrongValueType(param, subCom);
            return;
    }
}

void ParserMessage::ParamMustBeString(char const* param, char const* subCom) const {
    if (IsName(param) && IsName(subCom)) {
        GenericError(kParamMustBeStringBoth, param, subCom);
        return;
    }
    guarded([&] { GenericError(kParamMustBeString, GetLocStringCap(param, subCom).c_str()); });
}

void ParserMessage::ParamQuotedString(char const* param, char const* subCom) const {
    GenericError(kParamQuotedString, param, subCom);
}

void ParserMessage::ParamNeedStringList(char const* param, char const* subCom) const {
    GenericError(kParamNeedStringList, param, subCom);
}

void ParserMessage::ParamNeedLiteralList(char const* param, char const* subCom) const {
    GenericError(kParamNeedLiteralList, param, subCom);
}

void ParserMessage::ParamNeedNumber(char const* param, char const* subCom) const {
    GenericError(kParamNeedNumber, param, subCom);
}

void ParserMessage::ParamNeedNumberList(char const* param, char const* subCom) const {
    GenericError(kParamNeedNumberList, param, subCom);
}

void ParserMessage::ParamNeedInteger(char const* param, char const* subCom) const {
    if (IsName(subCom)) {
        GenericError(kParamNeedIntegerInSubCom, param, subCom);
    } else {
        GenericError(kParamNeedInteger, param, subCom);
    }
}

void ParserMessage::ParamNeedIntegerList(char const* param, char const* subCom) const {
    GenericError(kParamNeedIntegerList, param, subCom);
}

void ParserMessage::InvalidParamVarName(char const* param, char const* subCom) const {
    GenericError(kInvalidParamVarName, param, subCom);
}

void ParserMessage::ParamNeedVarList(char const* param, char const* subCom) const {
    GenericError(kParamNeedVarList, param, subCom);
}

void ParserMessage::ParamNeedCrossVarList(char const* param, char const* subCom,
                                          char const* firstWord, char const* secondWord) const {
    GenericError(kParamNeedCrossVarList, param, subCom, firstWord, secondWord);
}

void ParserMessage::ParamNeedVarCatList(char const* param, char const* subCom) const {
    GenericError(kParamNeedVarCatList, param, subCom);
}

void ParserMessage::InvalidParamValue(char const* value, char const* param,
                                      char const* subCom) const {
    reportAt(*this, kInvalidParamValue, false, value, param, subCom);
}

void ParserMessage::InvalidParamValue(double value, char const* param, char const* subCom) const {
    guarded([&] { InvalidParamValue(NumberToString(value).c_str(), param, subCom); });
}

void ParserMessage::InvalidParamOption(char const* option, char const* param,
                                       char const* subCom) const {
    reportAt(*this, kInvalidParamOption, false, option, param, subCom);
}

void ParserMessage::IgnoredParamValue(char const* param, char const* subCom,
                                      char const* value) const {
    if (IsName(subCom)) {
        GenericWarning(kIgnoredParamValueInSubCom, param, subCom, value);
    } else {
        GenericWarning(kIgnoredParamValue, param, value);
    }
}

void ParserMessage::InvalidParamValueThisGroup(char const* param, char const* subCom,
                                               char const* value) const {
    GenericError(kInvalidParamValueThisGroup, param, subCom, value);
}

void ParserMessage::ParamValueRepeat(char const* param, char const* subCom,
                                     char const* value) const {
    GenericError(kParamValueRepeat, param, subCom, value);
}

void ParserMessage::TooLongVarList(char const* param, char const* subCom, int maximum) const {
    guarded(
        [&] { GenericError(kTooLongVarList, param, subCom, IntegerToString(maximum).c_str()); });
}

void ParserMessage::SyntaxErrorInParam(char const* symbol, char const* param,
                                       char const* subCom) const {
    if (subCom == nullptr) {
        GenericError(kSyntaxErrorInParam, symbol, param);
    } else {
        GenericError(kSyntaxErrorInParamSubCom, symbol, param, subCom);
    }
}

void ParserMessage::ParamValueBreakBdry(double value, double lowerBound,
                                        UPSpecTypes::LowerBdryOptions lowerOption,
                                        double upperBound,
                                        UPSpecTypes::UpperBdryOptions upperOption,
                                        char const* param, char const* subCom) const {
    guarded([&] {
        const int lower = boundKind(lowerOption);
        const int upper = boundKind(upperOption);
        char const* text = kBoundaryTexts[lower][upper];
        const std::string valueText = NumberToString(value);
        const std::string location = GetLocString(param, subCom);
        if (lower == 0 && upper == 0) {
            GenericError(text, valueText.c_str(), location.c_str());
        } else if (upper == 0) {
            GenericError(text, valueText.c_str(), NumberToString(lowerBound).c_str(),
                         location.c_str());
        } else if (lower == 0) {
            GenericError(text, valueText.c_str(), NumberToString(upperBound).c_str(),
                         location.c_str());
        } else {
            GenericError(text, valueText.c_str(), NumberToString(lowerBound).c_str(),
                         NumberToString(upperBound).c_str(), location.c_str());
        }
    });
}

void ParserMessage::ParamValueBreakBdry(double value, ParamDescriptor const* descriptor,
                                        char const* param, char const* subCom) const {
    if (descriptor == nullptr) {
        InvalidParamValue(value, param, subCom);
        return;
    }
    // The option getters of the descriptor's exported interface are not declared const.
    auto& bounds = const_cast<ParamDescriptor&>(*descriptor);
    ParamValueBreakBdry(value, bounds.getLowerBdryValue(), bounds.getLowerBdryOption(),
                        bounds.getUpperBdryValue(), bounds.getUpperBdryOption(), param, subCom);
}

void ParserMessage::FileNoAccess(char const* file, char const* param, char const* subCom) const {
    reportAt(*this, kFileNoAccess, false, file, param, subCom);
}

void ParserMessage::FileNoSystem(char const* file, char const* param, char const* subCom) const {
    reportAt(*this, kFileNoSystem, false, file, param, subCom);
}

void ParserMessage::FileTwoSubCom(char const* file, char const* subCom,
                                  char const* otherSubCom) const {
    GenericError(kFileTwoSubCom, file, subCom, otherSubCom);
}

void ParserMessage::VarNameRepeated(TavoVarName var) const {
    GenericError(kVarNameRepeated, var.c_str());
}

void ParserMessage::VarAlreadyExist(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kVarAlreadyExist, false, var.c_str(), param, subCom);
}

void ParserMessage::OutputVarReused(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kOutputVarReused, false, var.c_str(), param, subCom);
}

void ParserMessage::OutputVarCreated(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kOutputVarCreated, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableNotInDict(TavoVarName var, char const* param,
                                      char const* subCom) const {
    reportAt(*this, kVariableNotInDict, false, var.c_str(), param, subCom);
}

void ParserMessage::InvalidVarName(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kInvalidVarName, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableNotNumeric(TavoVarName var, char const* param,
                                       char const* subCom) const {
    reportAt(*this, kVariableNotNumeric, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableRepeatVarList(TavoVarName var, char const* param,
                                          char const* subCom) const {
    reportAt(*this, kVariableRepeatVarList, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableRepeatVarList(TavoVarName var, char const* param1, char const* subCom1,
                                          char const* param2, char const* subCom2) const {
    if (EqualName(param1, param2) && EqualName(subCom1, subCom2)) {
        VariableRepeatVarList(var, param1, subCom1);
    } else if (EqualName(subCom1, subCom2)) {
        reportAt(*this, kVariableRepeatOtherParam, false, var.c_str(), param1, subCom1, param2);
    } else {
        guarded([&] {
            const std::string second = GetLocString(param2, subCom2);
            reportAt(*this, kVariableRepeatOtherParam, false, var.c_str(), param1, subCom1,
                     second.c_str());
        });
    }
}

void ParserMessage::VariableTwoVarList(TavoVarName var, char const* param1,
                                       char const* param2) const {
    GenericError(kVariableTwoVarList, var.c_str(), param1, param2);
}

void ParserMessage::VariableTwoVarList(TavoVarName var, char const* param1, char const* subCom1,
                                       char const* param2, char const* subCom2) const {
    if (EqualName(subCom1, subCom2)) {
        reportAt(*this, kVariableTwoVarListSameSubCom, false, var.c_str(), param1, subCom1, param2);
        return;
    }
    guarded([&] {
        const std::string second = GetLocString(param2, subCom2);
        reportAt(*this, kVariableTwoVarListOtherSubCom, false, var.c_str(), param1, subCom1,
                 second.c_str());
    });
}

// The two lists may lie in different commands or groups, each with its own message object:
// the message goes through the object whose group context it needs, or names both contexts.
void ParserMessage::VariableTwoVarList(TavoVarName var, char const* param1, char const* subCom1,
                                       char const* param2, char const* subCom2,
                                       ParserMessage const* other) const {
    guarded([&] {
        const std::string firstPrefix = TranslateGroupMsgText();
        if (other == nullptr) {
            VariableTwoVarList(var, param1, subCom1, param2, subCom2);
            return;
        }
        const std::string secondPrefix = other->TranslateGroupMsgText();
        const bool samePrefix = firstPrefix == secondPrefix;
        if (samePrefix && EqualName(GetCommandName(), other->GetCommandName())) {
            VariableTwoVarList(var, param1, subCom1, param2, subCom2);
            return;
        }
        const std::string firstLocation = GetLocString(param1, subCom1);
        const std::string secondLocation = other->GetLocString(param2, subCom2);
        if (samePrefix || secondPrefix.empty()) {
            GenericError(kVariableTwoVarListOtherSubCom, var.c_str(), firstLocation.c_str(),
                         secondLocation.c_str());
        } else if (firstPrefix.empty()) {
            other->GenericError(kVariableTwoVarListOtherSubCom, var.c_str(), secondLocation.c_str(),
                                firstLocation.c_str());
        } else {
            const std::string message =
                GetTranslatedText(kVariableTwoVarListOtherSubCom, var.c_str(),
                                  firstLocation.c_str(), secondLocation.c_str());
            SimpleError(kTwoGroupsMessage, firstPrefix.c_str(), secondPrefix.c_str(),
                        message.c_str());
        }
    });
}

void ParserMessage::VariableNeedVarList(TavoVarName var, char const* param1,
                                        char const* param2) const {
    GenericError(kVariableNeedVarList, var.c_str(), param1, param2);
}

void ParserMessage::VariableNeedVarList(TavoVarName var, char const* param1, char const* param2,
                                        char const* subCom) const {
    GenericError(kVariableNeedVarListSubCom, var.c_str(), param1, param2, subCom);
}

void ParserMessage::VariableNeedVarList(TavoVarName var, char const* param1, char const* subCom1,
                                        char const* param2, char const* subCom2) const {
    if (EqualName(subCom1, subCom2)) {
        VariableNeedVarList(var, param1, param2, subCom1);
        return;
    }
    guarded([&] {
        const std::string second = GetLocString(param2, subCom2);
        reportAt(*this, kVariableNeedVarListLocations, false, var.c_str(), param1, subCom1,
                 second.c_str());
    });
}

void ParserMessage::AnyVariableNeedVarList(char const* param1, char const* param2) const {
    GenericError(kAnyVariableNeedVarList, param1, param2);
}

void ParserMessage::VariableNeedValue(char const* varName, char const* param,
                                      char const* subCom) const {
    GenericError(kVariableNeedValue, varName, param, subCom);
}

void ParserMessage::WordRepeatVarList(char const* word, char const* param,
                                      char const* subCom) const {
    reportAt(*this, kWordRepeatVarList, false, word, param, subCom);
}

void ParserMessage::WordNeedVarName(char const* word, char const* param, char const* subCom) const {
    reportAt(*this, kWordNeedVarName, false, word, param, subCom);
}

// The keyword is shown as the user wrote it; only the choice of text ignores its case.
void ParserMessage::KeywordImproperVarList(char const* keyword, char const* param,
                                           char const* subCom) const {
    guarded([&] {
        const bool range = keyword != nullptr && GetUpperString(keyword) == reserved_words::kTo;
        reportAt(*this, range ? kKeywordImproperRange : kKeywordImproperVarList, false, keyword,
                 param, subCom);
    });
}

void ParserMessage::SyntaxErrorInText(char const* text, char const* param,
                                      char const* subCom) const {
    reportAt(*this, kSyntaxErrorInText, false, text, param, subCom);
}

void ParserMessage::SyntaxErrorAfterText(char const* text, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kSyntaxErrorAfterText, false, text, param, subCom);
}

void ParserMessage::SyntaxErrorInVarList(char const* symbol, char const* listName) const {
    GenericError(kSyntaxErrorInVarList, symbol, listName);
}

void ParserMessage::NeedDepVarCat(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kNeedDepVarCat, false, var.c_str(), param, subCom);
}

void ParserMessage::NeedDepVarCatBinom(TavoVarName var, char const* param,
                                       char const* subCom) const {
    reportAt(*this, kNeedDepVarCatBinom, false, var.c_str(), param, subCom);
}

void ParserMessage::NeedDepVarCont(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kNeedDepVarCont, false, var.c_str(), param, subCom);
}

void ParserMessage::DependVarConst(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kDependVarConst, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableDependAndFactor(TavoVarName var, char const* param,
                                            char const* subCom) const {
    reportAt(*this, kVariableDependAndFactor, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableDependAndCovariate(TavoVarName var, char const* param,
                                               char const* subCom) const {
    reportAt(*this, kVariableDependAndCovariate, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableFactorAndCovariate(TavoVarName var, char const* param,
                                               char const* subCom) const {
    reportAt(*this, kVariableFactorAndCovariate, false, var.c_str(), param, subCom);
}

void ParserMessage::NoFactorAfterKeyword(char const* keyword, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kNoFactorAfterKeyword, true, keyword, param, subCom);
}

void ParserMessage::NoCovariateAfterKeyword(char const* keyword, char const* param,
                                            char const* subCom) const {
    reportAt(*this, kNoCovariateAfterKeyword, true, keyword, param, subCom);
}

void ParserMessage::ExcludeAllFactorCovariate(char const* param, char const* subCom,
                                              bool warning) const {
    guarded([&] {
        GenericMessage(kExcludeAllFactorCovariate, warning, GetLocString(param, subCom).c_str());
    });
}

void ParserMessage::ExcludeAllVariables(char const* param, char const* subCom, bool warning) const {
    guarded([&] {
        GenericMessage(kExcludeAllVariables, warning, GetLocString(param, subCom).c_str());
    });
}

void ParserMessage::NoDependVar() const {
    GenericError(kNoDependVar, GetCommandName());
}

void ParserMessage::InvalidFactorList() const {
    GenericError(kInvalidFactorList, GetCommandName());
}

void ParserMessage::InvalidCovariateList() const {
    GenericError(kInvalidCovariateList, GetCommandName());
}

void ParserMessage::InvalidFactorVarName(char const* name, char const* param,
                                         char const* subCom) const {
    GenericError(kInvalidFactorVarName, name, param, subCom);
}

void ParserMessage::InvalidCovariateVarName(char const* name, char const* param,
                                            char const* subCom) const {
    GenericError(kInvalidCovariateVarName, name, param, subCom);
}

void ParserMessage::InvalidFactOrCovarVarName(char const* name, char const* param,
                                              char const* subCom) const {
    if (IsName(param)) {
        GenericError(kInvalidFactOrCovarForParam, name, param, subCom);
    } else {
        GenericError(kInvalidFactOrCovar, name, subCom);
    }
}

void ParserMessage::RepeatFactorVar(char const* name, char const* param, char const* subCom) const {
    GenericError(kRepeatFactorVar, name, param, subCom);
}

void ParserMessage::RepeatCovariateVar(char const* name, char const* param,
                                       char const* subCom) const {
    GenericError(kRepeatCovariateVar, name, param, subCom);
}

void ParserMessage::VariableInvalidQualif(TavoVarName var, char const* param,
                                          char const* subCom) const {
    reportAt(*this, kVariableInvalidQualif, false, var.c_str(), param, subCom);
}

void ParserMessage::VariableUnknownQualif(TavoVarName var, char const* qualifier, char const* param,
                                          char const* subCom) const {
    reportAt(*this, kVariableUnknownQualif, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VariableRepeatQualif(TavoVarName var, char const* qualifier, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kVariableRepeatQualif, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VariableBadQualValue(TavoVarName var, char const* qualifier, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kVariableBadQualValue, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VariableBadQualOption(TavoVarName var, char const* qualifier, char const* value,
                                          char const* param, char const* subCom) const {
    reportAt(*this, kVariableBadQualOption, false, var.c_str(), param, subCom, qualifier, value);
}

void ParserMessage::VariableNoQualif(TavoVarName var, char const* param, char const* subCom) const {
    reportAt(*this, kVariableNoQualif, false, var.c_str(), param, subCom);
}

void ParserMessage::VarListInvalidQualif(char const* varName, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kVarListInvalidQualif, false, varName, param, subCom);
}

void ParserMessage::VarListUnknownQualif(TavoVarName var, char const* qualifier, char const* param,
                                         char const* subCom) const {
    reportAt(*this, kVarListUnknownQualif, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VarListRepeatQualif(TavoVarName var, char const* qualifier, char const* param,
                                        char const* subCom) const {
    reportAt(*this, kVarListRepeatQualif, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VarListBadQualValue(TavoVarName var, char const* qualifier, char const* param,
                                        char const* subCom) const {
    reportAt(*this, kVarListBadQualValue, false, var.c_str(), param, subCom, qualifier);
}

void ParserMessage::VarListBadQualOption(TavoVarName var, char const* qualifier, char const* value,
                                         char const* param, char const* subCom) const {
    reportAt(*this, kVarListBadQualOption, false, var.c_str(), param, subCom, qualifier, value);
}

void ParserMessage::VarListBadQualOptionSplits(TavoVarName var, char const* qualifier,
                                               char const* value, char const* param,
                                               char const* subCom) const {
    reportAt(*this, kVarListBadQualOptionSplits, false, var.c_str(), param, subCom, qualifier,
             value);
}

void ParserMessage::VarListNoQualif(char const* varName, char const* param,
                                    char const* subCom) const {
    reportAt(*this, kVarListNoQualif, false, varName, param, subCom);
}

void ParserMessage::AbsentCatValue(char const* varName, char const* value, char const* param,
                                   char const* subCom, bool warning) const {
    guarded([&] {
        GenericMessage(kAbsentCatValue, warning, varName, value,
                       GetLocString(param, subCom).c_str());
    });
}

void ParserMessage::AbsentDepValue(char const* varName, char const* value, char const* param,
                                   char const* subCom, bool warning) const {
    guarded([&] {
        GenericMessage(kAbsentDepValue, warning, varName, value,
                       GetLocString(param, subCom).c_str());
    });
}

void ParserMessage::InvalidCatValue(char const* varName, char const* value, char const* param,
                                    char const* subCom) const {
    guarded([&] {
        GenericError(kInvalidCatValue, varName, value, GetLocString(param, subCom).c_str());
    });
}

void ParserMessage::InvalidCatValue(char const* varName, char const* value, int row,
                                    int column) const {
    guarded([&] {
        GenericError(kInvalidCatValueCell, varName, value, IntegerToString(row).c_str(),
                     IntegerToString(column).c_str());
    });
}

void ParserMessage::SymbolNotNumber(char const* symbol, char const* param,
                                    char const* subCom) const {
    GenericError(kSymbolNotNumber, symbol, param, subCom);
}

void ParserMessage::NoNumberAfterSymbol(char const* symbol, char const* param,
                                        char const* subCom) const {
    GenericError(kNoNumberAfterSymbol, symbol, param, subCom);
}

void ParserMessage::NoVarNameAfterSymbol(char const* symbol, char const* param,
                                         char const* subCom) const {
    GenericError(kNoVarNameAfterSymbol, symbol, param, subCom);
}

void ParserMessage::DenomNotNumber(char const* denominator, char const* param,
                                   char const* subCom) const {
    GenericError(kDenomNotNumber, denominator, param, subCom);
}

void ParserMessage::NonPositiveDenom(char const* denominator, char const* param,
                                     char const* subCom) const {
    GenericError(kNonPositiveDenom, denominator, param, subCom);
}

void ParserMessage::NoDenominator(char const* numerator, char const* param,
                                  char const* subCom) const {
    GenericError(kNoDenominator, numerator, param, subCom);
}
