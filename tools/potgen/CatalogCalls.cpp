#include "tools/potgen/CatalogCalls.h"

#include "uparser/ParamDescriptor.h"

namespace potgen {

const char kCommandSentinel[] = "{command}";

namespace {

using Report = std::function<void(const ParserMessage&)>;
using Values = std::vector<std::pair<std::string, std::string>>;
using namespace UPSpecTypes;

constexpr char P[] = "{parameter}";
constexpr char P2[] = "{other parameter}";
constexpr char S[] = "{subcommand}";
constexpr char S2[] = "{other subcommand}";
constexpr char V[] = "{value}";
constexpr char MODE[] = "{mode}";
constexpr char KEYWORD[] = "{keyword}";
constexpr char NAME[] = "{name}";
constexpr char FILE_[] = "{file}";
constexpr char QUAL[] = "{qualifier}";
constexpr char SYMBOL[] = "{symbol}";
constexpr char FIRST_P[] = "{first parameter}";
constexpr char FIRST_S[] = "{first subcommand}";
constexpr char SECOND_P[] = "{second parameter}";
constexpr char SECOND_S[] = "{second subcommand}";
const TavoVarName VAR("{variable}");

// Numbers are unique across the table, so that each one names what it stands for.
const Values kBounds = {{"81", "the value"}, {"2", "the lower bound"}, {"50", "the upper bound"}};

CatalogCall report(std::string method, Report body, Values values = {}) {
    CatalogCall call;
    call.method = std::move(method);
    call.run = [body](ParserMessage& message) {
        body(message);
        return std::string();
    };
    call.values = std::move(values);
    return call;
}

CatalogCall withList(CatalogCall call, std::string list) {
    call.list = std::move(list);
    return call;
}

CatalogCall withNote(CatalogCall call, std::string note) {
    call.note = std::move(note);
    return call;
}

CatalogCall coverage(std::string method, Report body) {
    CatalogCall call = report(std::move(method), std::move(body));
    call.explains = false;
    return call;
}

CatalogCall location(std::string method, std::function<std::string(const ParserMessage&)> body) {
    CatalogCall call;
    call.method = std::move(method);
    call.run = [body](ParserMessage& message) { return body(message); };
    call.note =
        "A location phrase: messages insert it where they say what a finding is about; "
        "the form with a capital starts a message.";
    return call;
}

CatalogCall boundary(LowerBdryOptions lower, UpperBdryOptions upper) {
    return report(
        "ParamValueBreakBdry",
        [lower, upper](const ParserMessage& m) { m.ParamValueBreakBdry(81, 2, lower, 50, upper, P, S); },
        kBounds);
}

const char kSplitList[] =
    "the current split-file group: the host fills it, each item a split variable and its value";

std::vector<CatalogCall> engineCalls() {
    std::vector<CatalogCall> calls = {
        location("GetLocString", [](const ParserMessage& m) { return m.GetLocString(P, S); }),
        location("GetLocString", [](const ParserMessage& m) { return m.GetLocString("", S); }),
        location("GetLocString", [](const ParserMessage& m) { return m.GetLocString(P, ""); }),
        location("GetLocString", [](const ParserMessage& m) { return m.GetLocString("", ""); }),
        location("GetLocStringCap", [](const ParserMessage& m) { return m.GetLocStringCap(P, S); }),
        location("GetLocStringCap", [](const ParserMessage& m) { return m.GetLocStringCap("", S); }),
        location("GetLocStringCap", [](const ParserMessage& m) { return m.GetLocStringCap(P, ""); }),
        location("GetLocStringCap", [](const ParserMessage& m) { return m.GetLocStringCap("", ""); }),
    };
    CatalogCall prefix;
    prefix.method = "TranslateGroupMsgText";
    prefix.run = [](ParserMessage& m) {
        m.SetGroupIndex(3);
        m.SetGroupSepName("{subcommand that opens the group}");
        return m.TranslateGroupMsgText();
    };
    prefix.values = {{"3", "the number of the group among the groups of its kind"}};
    prefix.note =
        "The prefix of every message about a later group of a kind; the library joins it to "
        "the message with \". \", so it should not end in a full stop.";
    calls.push_back(prefix);
    return calls;
}

std::vector<CatalogCall> directCalls() {
    return {
        report("TooManyGroups", [](const ParserMessage& m) { m.TooManyGroups(7); },
               {{"7", "the largest number of subcommand groups"}}),
        report("ModeUnknown", [](const ParserMessage& m) { m.ModeUnknown(MODE); }),
        report("NoTableRequested", [](const ParserMessage& m) { m.NoTableRequested(); }),
        report("NoTableChartRequest", [](const ParserMessage& m) { m.NoTableChartRequest(); }),
        report("DisableSplit", [](const ParserMessage& m) { m.DisableSplit(); }),
        report("DisableWeight", [](const ParserMessage& m) { m.DisableWeight(); }),
        report("InvalidSubComName", [](const ParserMessage& m) { m.InvalidSubComName(NAME); }),
        report("InvalidSubComName", [](const ParserMessage& m) { m.InvalidSubComName(""); }),
        report("FileNameInvalid", [](const ParserMessage& m) { m.FileNameInvalid(FILE_); }),
        report("FileNoAccess", [](const ParserMessage& m) { m.FileNoAccess(FILE_); }),
        report("FileNoSystem", [](const ParserMessage& m) { m.FileNoSystem(FILE_); }),
        report("SubComNotForBeta", [](const ParserMessage& m) { m.SubComNotForBeta(S); }),
        report("ParamNotForBeta", [](const ParserMessage& m) { m.ParamNotForBeta(P, S); }),
        withList(report("SubComRequired",
                        [](const ParserMessage& m) {
                            m.SubComRequired(std::vector<std::string>{"{subcommand}", "{other subcommand}"});
                        }),
                 "the names of the subcommands, one of which is required"),
        withList(report("NeedDepVarCatBinomSplits",
                        [](const ParserMessage& m) { m.NeedDepVarCatBinomSplits(VAR, P, S); }),
                 kSplitList),
        withList(report("DependVarConstSplits",
                        [](const ParserMessage& m) { m.DependVarConstSplits(VAR, P, S); }),
                 kSplitList),
        withList(report("AbsentCatValueSplits",
                        [](const ParserMessage& m) { m.AbsentCatValueSplits("{variable}", V, P, S); }),
                 kSplitList),
        withList(report("AbsentDepValueSplits",
                        [](const ParserMessage& m) { m.AbsentDepValueSplits("{variable}", V, P, S); }),
                 kSplitList),
    };
}

std::vector<CatalogCall> structureCalls() {
    return {
        report("InsufficientParsingMemory", [](const ParserMessage& m) { m.InsufficientParsingMemory(); }),
        report("CommandEmpty", [](const ParserMessage& m) { m.CommandEmpty(); }),
        report("InvalidSubComComb", [](const ParserMessage& m) { m.InvalidSubComComb(); }),
        report("NoGroup", [](const ParserMessage& m) { m.NoGroup(); }),
        report("NoSubCom", [](const ParserMessage& m) { m.NoSubCom(); }),
        report("NoGroupInfo", [](const ParserMessage& m) { m.NoGroupInfo(); }),
        report("NoSubComInfo", [](const ParserMessage& m) { m.NoSubComInfo(); }),
        report("NoMode", [](const ParserMessage& m) { m.NoMode(); }),
        report("SubComNotAllowed", [](const ParserMessage& m) { m.SubComNotAllowed(S); }),
        report("SubComNotAtStart", [](const ParserMessage& m) { m.SubComNotAtStart(S); }),
        withNote(report("SubComRequired", [](const ParserMessage& m) { m.SubComRequired(S); }),
                 "The parser reports this for a required subcommand that is missing, and for "
                 "the subcommand that opens a final group when another group follows it."),
        report("SubComNeedSubCom", [](const ParserMessage& m) { m.SubComNeedSubCom(S, S2); }),
        report("NeedSubComForMode", [](const ParserMessage& m) { m.NeedSubComForMode(S, MODE); }),
        report("NeedSubComForParam", [](const ParserMessage& m) { m.NeedSubComForParam(S, P, V); }),
        report("IgnoreSubComForParam", [](const ParserMessage& m) { m.IgnoreSubComForParam(S, P, V); }),
        report("NeedSubComOtherValue", [](const ParserMessage& m) { m.NeedSubComOtherValue(S, P, V); }),
        report("SubComRepeated", [](const ParserMessage& m) { m.SubComRepeated(S); }),
        report("SubComEmpty", [](const ParserMessage& m) { m.SubComEmpty(S); }),
        report("SubComExclusive", [](const ParserMessage& m) { m.SubComExclusive(S, S2); }),
        report("SubComUnknown", [](const ParserMessage& m) { m.SubComUnknown(S); }),
        report("SubComNoGroupAllowed", [](const ParserMessage& m) { m.SubComNoGroupAllowed(S); }),
        report("SubComNewGroup", [](const ParserMessage& m) { m.SubComNewGroup(S); }),
        report("SubComRepeatInGroup", [](const ParserMessage& m) { m.SubComRepeatInGroup(S); }),
        report("SubComNeedGroup", [](const ParserMessage& m) { m.SubComNeedGroup(S); }),
        report("SubComFirstGroup", [](const ParserMessage& m) { m.SubComFirstGroup(S); }),
        report("SubComOnlyOneMode", [](const ParserMessage& m) { m.SubComOnlyOneMode(S, MODE); }),
        report("SubComOtherMode", [](const ParserMessage& m) { m.SubComOtherMode(S, MODE); }),
        report("ParenNotAllowed", [](const ParserMessage& m) { m.ParenNotAllowed(""); }),
        report("ParenNotAllowed", [](const ParserMessage& m) { m.ParenNotAllowed(S); }),
        report("ParenRequired", [](const ParserMessage& m) { m.ParenRequired(S); }),
        report("TooManyParam", [](const ParserMessage& m) { m.TooManyParam(S, 8); },
               {{"8", "the largest number of parameters"}}),
    };
}

std::vector<CatalogCall> parameterCalls() {
    return {
        report("ParamNoSubCom", [](const ParserMessage& m) { m.ParamNoSubCom(P); }),
        report("SubComOnlyOneParam", [](const ParserMessage& m) { m.SubComOnlyOneParam(P, S); }),
        report("ParamOnlyOneMode", [](const ParserMessage& m) { m.ParamOnlyOneMode(P, S, MODE); }),
        report("ParamOtherMode", [](const ParserMessage& m) { m.ParamOtherMode(P, S, MODE); }),
        report("ParamRepeated", [](const ParserMessage& m) { m.ParamRepeated(P, S); }),
        report("ParamRepeated", [](const ParserMessage& m) { m.ParamRepeated(P, ""); }),
        report("InvalidParam", [](const ParserMessage& m) { m.InvalidParam(NAME, S); }),
        report("InvalidParam", [](const ParserMessage& m) { m.InvalidParam(NAME, ""); }),
        report("InvalidParamWithWeight", [](const ParserMessage& m) { m.InvalidParamWithWeight(NAME, S); }),
        report("InvalidParamWithWeight", [](const ParserMessage& m) { m.InvalidParamWithWeight(NAME, ""); }),
        report("IgnoredParam", [](const ParserMessage& m) { m.IgnoredParam(P, S); }),
        report("IgnoredParamOtherParamValue",
               [](const ParserMessage& m) { m.IgnoredParamOtherParamValue(P, P2, V, S); }),
        report("IgnoredParamOtherSubcom", [](const ParserMessage& m) { m.IgnoredParamOtherSubcom(P, S, S2); }),
        report("IgnoredParamSplitFile", [](const ParserMessage& m) { m.IgnoredParamSplitFile(P, S); }),
        report("IgnoredParamThisMode", [](const ParserMessage& m) { m.IgnoredParamThisMode(P, S); }),
        report("ParamOnlyInFirstGroup", [](const ParserMessage& m) { m.ParamOnlyInFirstGroup(P, S); }),
        report("ParamRequiredForSubCom", [](const ParserMessage& m) { m.ParamRequiredForSubCom(P, S); }),
        report("ParamRequiredForSubCom", [](const ParserMessage& m) { m.ParamRequiredForSubCom(P, ""); }),
        report("ParamNotAtStart", [](const ParserMessage& m) { m.ParamNotAtStart(P, S); }),
        report("ParamNotAtStart", [](const ParserMessage& m) { m.ParamNotAtStart(P, ""); }),
        report("ParamRequiredFirstGroup", [](const ParserMessage& m) { m.ParamRequiredFirstGroup(P, S); }),
        report("NeedParamNonFinalGroup", [](const ParserMessage& m) { m.NeedParamNonFinalGroup(P); }),
        report("ParamNeedParam", [](const ParserMessage& m) { m.ParamNeedParam(P, P2, nullptr); }),
        report("ParamNeedParam", [](const ParserMessage& m) { m.ParamNeedParam(P, P2, V); }),
        report("ParamNeedParamInSubCom", [](const ParserMessage& m) { m.ParamNeedParamInSubCom(P, P2, S, nullptr); }),
        report("ParamNeedParamInSubCom", [](const ParserMessage& m) { m.ParamNeedParamInSubCom(P, P2, S, V); }),
        report("ParamExclusive", [](const ParserMessage& m) { m.ParamExclusive(P, P2, S); }),
        report("ParamExclAnyOther", [](const ParserMessage& m) { m.ParamExclAnyOther(P, S); }),
        report("ParamLessOtherParam", [](const ParserMessage& m) { m.ParamLessOtherParam(P, P2, S); }),
        report("ParamNeedLessOtherParam", [](const ParserMessage& m) { m.ParamNeedLessOtherParam(P, P2, S); }),
        report("SquareBracketRequired", [](const ParserMessage& m) { m.SquareBracketRequired(P, S); }),
        report("KeyWordNoValue", [](const ParserMessage& m) { m.KeyWordNoValue(KEYWORD, nullptr); }),
        report("KeyWordNoValue", [](const ParserMessage& m) { m.KeyWordNoValue(KEYWORD, S); }),
        report("InvalidKeyWord", [](const ParserMessage& m) { m.InvalidKeyWord(KEYWORD, S); }),
        report("TokenNoQualif", [](const ParserMessage& m) { m.TokenNoQualif("{token}", nullptr); }),
        report("TokenNoQualif", [](const ParserMessage& m) { m.TokenNoQualif("{token}", S); }),
        report("ParamNeedQualif", [](const ParserMessage& m) { m.ParamNeedQualif(P, S, QUAL); }),
        report("ParamNeedQualif", [](const ParserMessage& m) { m.ParamNeedQualif(P, nullptr, QUAL); }),
    };
}

std::vector<CatalogCall> valueCalls() {
    std::vector<CatalogCall> calls = {
        report("WrongValueType", [](const ParserMessage& m) { m.WrongValueType(P, S); }),
        report("WrongValueType", [](const ParserMessage& m) { m.WrongValueType(P, ""); }),
        report("WrongValueType", [](const ParserMessage& m) { m.WrongValueType("", S); }),
        // Neither name given: the parameter placeholder is filled with nothing.
        coverage("WrongValueType", [](const ParserMessage& m) { m.WrongValueType("", ""); }),
        report("ParamMustBeString", [](const ParserMessage& m) { m.ParamMustBeString(P, S); }),
        report("ParamMustBeString", [](const ParserMessage& m) { m.ParamMustBeString(P, ""); }),
        report("ParamMustBeString", [](const ParserMessage& m) { m.ParamMustBeString("", S); }),
        report("ParamQuotedString", [](const ParserMessage& m) { m.ParamQuotedString(P, S); }),
        report("ParamNeedStringList", [](const ParserMessage& m) { m.ParamNeedStringList(P, S); }),
        report("ParamNeedLiteralList", [](const ParserMessage& m) { m.ParamNeedLiteralList(P, S); }),
        report("ParamNeedNumber", [](const ParserMessage& m) { m.ParamNeedNumber(P, S); }),
        report("ParamNeedNumberList", [](const ParserMessage& m) { m.ParamNeedNumberList(P, S); }),
        report("ParamNeedInteger", [](const ParserMessage& m) { m.ParamNeedInteger(P, S); }),
        report("ParamNeedInteger", [](const ParserMessage& m) { m.ParamNeedInteger(P, ""); }),
        report("ParamNeedIntegerList", [](const ParserMessage& m) { m.ParamNeedIntegerList(P, S); }),
        report("InvalidParamVarName", [](const ParserMessage& m) { m.InvalidParamVarName(P, S); }),
        report("ParamNeedVarList", [](const ParserMessage& m) { m.ParamNeedVarList(P, S); }),
        report("ParamNeedCrossVarList",
               [](const ParserMessage& m) { m.ParamNeedCrossVarList(P, S, "{first word}", "{second word}"); }),
        report("ParamNeedVarCatList", [](const ParserMessage& m) { m.ParamNeedVarCatList(P, S); }),
        report("InvalidParamValue", [](const ParserMessage& m) { m.InvalidParamValue(V, P, S); }),
        report("InvalidParamValue", [](const ParserMessage& m) { m.InvalidParamValue(81.0, P, S); },
               {{"81", "the value"}}),
        report("InvalidParamOption", [](const ParserMessage& m) { m.InvalidParamOption("{option}", P, S); }),
        report("IgnoredParamValue", [](const ParserMessage& m) { m.IgnoredParamValue(P, S, V); }),
        report("IgnoredParamValue", [](const ParserMessage& m) { m.IgnoredParamValue(P, "", V); }),
        report("InvalidParamValueThisGroup", [](const ParserMessage& m) { m.InvalidParamValueThisGroup(P, S, V); }),
        report("ParamValueRepeat", [](const ParserMessage& m) { m.ParamValueRepeat(P, S, V); }),
        report("TooLongVarList", [](const ParserMessage& m) { m.TooLongVarList(P, S, 9); },
               {{"9", "the largest number of variables"}}),
        report("SyntaxErrorInParam", [](const ParserMessage& m) { m.SyntaxErrorInParam(SYMBOL, P, nullptr); }),
        report("SyntaxErrorInParam", [](const ParserMessage& m) { m.SyntaxErrorInParam(SYMBOL, P, S); }),
        report("ParamValueBreakBdry", [](const ParserMessage& m) { m.ParamValueBreakBdry(81, nullptr, P, S); },
               {{"81", "the value"}}),
        report("ParamValueBreakBdry",
               [](const ParserMessage& m) {
                   ParamDescriptor count("COUNT", ParamInteger);
                   count.setLowerBoundary(2, LowerIncluded);
                   m.ParamValueBreakBdry(1, &count, P, S);
               },
               {{"1", "the value"}, {"2", "the lower bound"}}),
    };
    for (LowerBdryOptions lower : {LowerNone, LowerIncluded, LowerExcluded}) {
        for (UpperBdryOptions upper : {UpperNone, UpperIncluded, UpperExcluded}) {
            calls.push_back(boundary(lower, upper));
        }
    }
    // Each value type hands the finding on to the method of that type, which reports it with
    // the parameter where its own finding has another name.
    for (int type = ParamNoType; type <= ParamStringQualList; ++type) {
        calls.push_back(report(
            "WrongValueType",
            [type](const ParserMessage& m) { m.WrongValueType(P, S, static_cast<ParamSpec>(type)); },
            {{"BY", "the word BY"}, {"*", "the operator *"}}));
    }
    return calls;
}

std::vector<CatalogCall> fileCalls() {
    return {
        report("FileNoAccess", [](const ParserMessage& m) { m.FileNoAccess(FILE_, P, S); }),
        report("FileNoSystem", [](const ParserMessage& m) { m.FileNoSystem(FILE_, P, S); }),
        report("FileTwoSubCom", [](const ParserMessage& m) { m.FileTwoSubCom(FILE_, S, S2); }),
    };
}

// The second list of VariableTwoVarList belongs to another message object, of another command;
// either list may be in a group (index >= 0) or in none. Only an emission without a prefix, or
// the one that names both prefixes, shows a text as it is.
CatalogCall twoLists(int firstGroup, int secondGroup) {
    CatalogCall call;
    call.method = "VariableTwoVarList";
    call.run = [firstGroup, secondGroup](ParserMessage& m) {
        ParserMessage other;
        other.SetCommandName("{other command}");
        m.SetGroupIndex(firstGroup);
        m.SetGroupSepName("{first separator}");
        other.SetGroupIndex(secondGroup);
        other.SetGroupSepName("{second separator}");
        m.VariableTwoVarList(VAR, FIRST_P, FIRST_S, SECOND_P, SECOND_S, &other);
        return std::string();
    };
    call.values = {{"4", "the number of the first list's group"},
                   {"5", "the number of the second list's group"}};
    call.explains = (firstGroup < 0) == (secondGroup < 0);
    return call;
}

std::vector<CatalogCall> variableCalls() {
    return {
        report("VarNameRepeated", [](const ParserMessage& m) { m.VarNameRepeated(VAR); }),
        report("VarAlreadyExist", [](const ParserMessage& m) { m.VarAlreadyExist(VAR, P, S); }),
        report("OutputVarReused", [](const ParserMessage& m) { m.OutputVarReused(VAR, P, S); }),
        report("OutputVarCreated", [](const ParserMessage& m) { m.OutputVarCreated(VAR, P, S); }),
        report("VariableNotInDict", [](const ParserMessage& m) { m.VariableNotInDict(VAR, P, S); }),
        report("InvalidVarName", [](const ParserMessage& m) { m.InvalidVarName(VAR, P, S); }),
        report("VariableNotNumeric", [](const ParserMessage& m) { m.VariableNotNumeric(VAR, P, S); }),
        report("VariableRepeatVarList", [](const ParserMessage& m) { m.VariableRepeatVarList(VAR, P, S); }),
        report("VariableRepeatVarList",
               [](const ParserMessage& m) { m.VariableRepeatVarList(VAR, FIRST_P, S, FIRST_P, S); }),
        report("VariableRepeatVarList",
               [](const ParserMessage& m) { m.VariableRepeatVarList(VAR, FIRST_P, S, SECOND_P, S); }),
        report("VariableRepeatVarList",
               [](const ParserMessage& m) { m.VariableRepeatVarList(VAR, FIRST_P, FIRST_S, SECOND_P, SECOND_S); }),
        report("VariableTwoVarList", [](const ParserMessage& m) { m.VariableTwoVarList(VAR, FIRST_P, SECOND_P); }),
        report("VariableTwoVarList",
               [](const ParserMessage& m) { m.VariableTwoVarList(VAR, FIRST_P, S, SECOND_P, S); }),
        report("VariableTwoVarList",
               [](const ParserMessage& m) { m.VariableTwoVarList(VAR, FIRST_P, FIRST_S, SECOND_P, SECOND_S); }),
        report("VariableTwoVarList",
               [](const ParserMessage& m) { m.VariableTwoVarList(VAR, FIRST_P, FIRST_S, SECOND_P, SECOND_S, nullptr); }),
        twoLists(-1, -1),
        twoLists(4, -1),
        twoLists(-1, 5),
        twoLists(4, 5),
        report("VariableNeedVarList", [](const ParserMessage& m) { m.VariableNeedVarList(VAR, FIRST_P, SECOND_P); }),
        report("VariableNeedVarList", [](const ParserMessage& m) { m.VariableNeedVarList(VAR, FIRST_P, SECOND_P, S); }),
        report("VariableNeedVarList",
               [](const ParserMessage& m) { m.VariableNeedVarList(VAR, FIRST_P, S, SECOND_P, S); }),
        report("VariableNeedVarList",
               [](const ParserMessage& m) { m.VariableNeedVarList(VAR, FIRST_P, FIRST_S, SECOND_P, SECOND_S); }),
        report("AnyVariableNeedVarList", [](const ParserMessage& m) { m.AnyVariableNeedVarList(FIRST_P, SECOND_P); }),
        report("VariableNeedValue", [](const ParserMessage& m) { m.VariableNeedValue("{variable}", P, S); }),
        report("WordRepeatVarList", [](const ParserMessage& m) { m.WordRepeatVarList("{word}", P, S); }),
        report("WordNeedVarName", [](const ParserMessage& m) { m.WordNeedVarName("{word}", P, S); }),
        report("KeywordImproperVarList", [](const ParserMessage& m) { m.KeywordImproperVarList("to", P, S); },
               {{"to", "the keyword TO, as it was written"}}),
        report("KeywordImproperVarList", [](const ParserMessage& m) { m.KeywordImproperVarList(KEYWORD, P, S); }),
        report("SyntaxErrorInText", [](const ParserMessage& m) { m.SyntaxErrorInText("{text}", P, S); }),
        report("SyntaxErrorAfterText", [](const ParserMessage& m) { m.SyntaxErrorAfterText("{text}", P, S); }),
        report("SyntaxErrorInVarList", [](const ParserMessage& m) { m.SyntaxErrorInVarList(SYMBOL, "{list}"); }),
    };
}

std::vector<CatalogCall> dependentCalls() {
    return {
        report("NeedDepVarCat", [](const ParserMessage& m) { m.NeedDepVarCat(VAR, P, S); }),
        report("NeedDepVarCatBinom", [](const ParserMessage& m) { m.NeedDepVarCatBinom(VAR, P, S); }),
        report("NeedDepVarCont", [](const ParserMessage& m) { m.NeedDepVarCont(VAR, P, S); }),
        report("DependVarConst", [](const ParserMessage& m) { m.DependVarConst(VAR, P, S); }),
        report("VariableDependAndFactor", [](const ParserMessage& m) { m.VariableDependAndFactor(VAR, P, S); }),
        report("VariableDependAndCovariate", [](const ParserMessage& m) { m.VariableDependAndCovariate(VAR, P, S); }),
        report("VariableFactorAndCovariate", [](const ParserMessage& m) { m.VariableFactorAndCovariate(VAR, P, S); }),
        report("NoFactorAfterKeyword", [](const ParserMessage& m) { m.NoFactorAfterKeyword(KEYWORD, P, S); }),
        report("NoCovariateAfterKeyword", [](const ParserMessage& m) { m.NoCovariateAfterKeyword(KEYWORD, P, S); }),
        report("ExcludeAllFactorCovariate", [](const ParserMessage& m) { m.ExcludeAllFactorCovariate(P, S, true); }),
        report("ExcludeAllFactorCovariate", [](const ParserMessage& m) { m.ExcludeAllFactorCovariate(P, S, false); }),
        report("ExcludeAllVariables", [](const ParserMessage& m) { m.ExcludeAllVariables(P, S, true); }),
        report("ExcludeAllVariables", [](const ParserMessage& m) { m.ExcludeAllVariables(P, S, false); }),
        report("NoDependVar", [](const ParserMessage& m) { m.NoDependVar(); }),
        report("InvalidFactorList", [](const ParserMessage& m) { m.InvalidFactorList(); }),
        report("InvalidCovariateList", [](const ParserMessage& m) { m.InvalidCovariateList(); }),
        report("InvalidFactorVarName", [](const ParserMessage& m) { m.InvalidFactorVarName(NAME, P, S); }),
        report("InvalidCovariateVarName", [](const ParserMessage& m) { m.InvalidCovariateVarName(NAME, P, S); }),
        report("InvalidFactOrCovarVarName", [](const ParserMessage& m) { m.InvalidFactOrCovarVarName(NAME, P, S); }),
        report("InvalidFactOrCovarVarName", [](const ParserMessage& m) { m.InvalidFactOrCovarVarName(NAME, "", S); }),
        report("RepeatFactorVar", [](const ParserMessage& m) { m.RepeatFactorVar(NAME, P, S); }),
        report("RepeatCovariateVar", [](const ParserMessage& m) { m.RepeatCovariateVar(NAME, P, S); }),
    };
}

std::vector<CatalogCall> qualifierCalls() {
    return {
        report("VariableInvalidQualif", [](const ParserMessage& m) { m.VariableInvalidQualif(VAR, P, S); }),
        report("VariableUnknownQualif", [](const ParserMessage& m) { m.VariableUnknownQualif(VAR, QUAL, P, S); }),
        report("VariableRepeatQualif", [](const ParserMessage& m) { m.VariableRepeatQualif(VAR, QUAL, P, S); }),
        report("VariableBadQualValue", [](const ParserMessage& m) { m.VariableBadQualValue(VAR, QUAL, P, S); }),
        report("VariableBadQualOption", [](const ParserMessage& m) { m.VariableBadQualOption(VAR, QUAL, V, P, S); }),
        report("VariableNoQualif", [](const ParserMessage& m) { m.VariableNoQualif(VAR, P, S); }),
        report("VarListInvalidQualif", [](const ParserMessage& m) { m.VarListInvalidQualif("{variable}", P, S); }),
        report("VarListUnknownQualif", [](const ParserMessage& m) { m.VarListUnknownQualif(VAR, QUAL, P, S); }),
        report("VarListRepeatQualif", [](const ParserMessage& m) { m.VarListRepeatQualif(VAR, QUAL, P, S); }),
        report("VarListBadQualValue", [](const ParserMessage& m) { m.VarListBadQualValue(VAR, QUAL, P, S); }),
        report("VarListBadQualOption", [](const ParserMessage& m) { m.VarListBadQualOption(VAR, QUAL, V, P, S); }),
        report("VarListBadQualOptionSplits",
               [](const ParserMessage& m) { m.VarListBadQualOptionSplits(VAR, QUAL, V, P, S); }),
        report("VarListNoQualif", [](const ParserMessage& m) { m.VarListNoQualif("{variable}", P, S); }),
    };
}

std::vector<CatalogCall> categoryCalls() {
    return {
        report("AbsentCatValue", [](const ParserMessage& m) { m.AbsentCatValue("{variable}", V, P, S, true); }),
        report("AbsentCatValue", [](const ParserMessage& m) { m.AbsentCatValue("{variable}", V, P, S, false); }),
        report("AbsentDepValue", [](const ParserMessage& m) { m.AbsentDepValue("{variable}", V, P, S, true); }),
        report("AbsentDepValue", [](const ParserMessage& m) { m.AbsentDepValue("{variable}", V, P, S, false); }),
        report("InvalidCatValue", [](const ParserMessage& m) { m.InvalidCatValue("{variable}", V, P, S); }),
        report("InvalidCatValue", [](const ParserMessage& m) { m.InvalidCatValue("{variable}", V, 11, 13); },
               {{"11", "the row"}, {"13", "the column"}}),
        report("SymbolNotNumber", [](const ParserMessage& m) { m.SymbolNotNumber(SYMBOL, P, S); }),
        report("NoNumberAfterSymbol", [](const ParserMessage& m) { m.NoNumberAfterSymbol(SYMBOL, P, S); }),
        report("NoVarNameAfterSymbol", [](const ParserMessage& m) { m.NoVarNameAfterSymbol(SYMBOL, P, S); }),
        report("DenomNotNumber", [](const ParserMessage& m) { m.DenomNotNumber("{denominator}", P, S); }),
        report("NonPositiveDenom", [](const ParserMessage& m) { m.NonPositiveDenom("{denominator}", P, S); }),
        report("NoDenominator", [](const ParserMessage& m) { m.NoDenominator("{numerator}", P, S); }),
    };
}

std::vector<CatalogCall> allCalls() {
    std::vector<CatalogCall> all;
    for (auto part : {engineCalls, directCalls, structureCalls, parameterCalls, valueCalls,
                      fileCalls, variableCalls, dependentCalls, qualifierCalls, categoryCalls}) {
        for (CatalogCall& call : part()) {
            all.push_back(std::move(call));
        }
    }
    return all;
}

}  // namespace

const std::vector<CatalogCall>& AllCatalogCalls() {
    static const std::vector<CatalogCall> calls = allCalls();
    return calls;
}

}  // namespace potgen
