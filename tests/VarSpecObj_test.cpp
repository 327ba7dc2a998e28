#include "uparser/VarSpecObj.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/Translations.h"
#include "support/HostFaults.h"
#include "support/Messages.h"
#include "support/TestDictionary.h"
#include "support/Tokens.h"
#include "support/VarLists.h"
#include "uparser/CommandDescriptor.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::ExpectConsistent;
using testsupport::LevelTexts;
using namespace testsupport::vars;
using Ints = std::vector<int>;
using Names = std::vector<TavoVarName>;

const std::string kLoc = "parameter VARS of subcommand TABLES...";

class VarSpecObjTest : public testsupport::DictionaryTest {
  protected:
    VarSpecObj Spec(bool numeric = false) {
        return VarSpecObj("VARS", "TABLES", "PAIRTABLE", &mDict, numeric);
    }
    bool Validate(VarSpecObj& spec, const std::string& text,
                  RepeatVarOptions repeat = RepeatVarsError) {
        return spec.ValidateVariables(TokensOf(text), repeat);
    }
};

TEST_F(VarSpecObjTest, InitMembersRestoresTheDefaultsButKeepsTheList) {
    VarSpecObj none;
    EXPECT_EQ(none.GetValidVarInd(), -1);
    EXPECT_FALSE(none.IsValidVariable(0));
    EXPECT_TRUE(none.GetErrorReport());

    VarSpecObj spec = Spec(true);
    spec.SetAllVarsByDefault(true);
    spec.SetAllowQualifiers(true);
    spec.SetErrorReport(false);
    spec.SetWarningReport(true);
    spec.SetNoVarsMessage("nothing left...");
    ASSERT_TRUE(Validate(spec, "age"));
    spec.InitMembers();
    EXPECT_FALSE(spec.GetAllVarsByDefault());
    EXPECT_FALSE(spec.GetAllowQualifiers());
    EXPECT_TRUE(spec.GetErrorReport());
    EXPECT_FALSE(spec.GetWarningReport());
    EXPECT_TRUE(spec.GetNumericVars());
    EXPECT_EQ(spec.GetNoVarsMessage(), "nothing left...");
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge));
}

TEST_F(VarSpecObjTest, MessagesCarryTheCommandAndTheProcedure) {
    CommandDescriptor command("PAIRTABLE", "PairTable");
    // The location phrase is translated by the object itself, for its procedure.
    refhost::SetTranslation("PairTable", "command line of ^1 command...", "line of ^1");
    VarSpecObj fromDescriptor("", "", command, &mDict);
    EXPECT_EQ(fromDescriptor.GetVarIndex(TavoVarName("nosuch")), -1);
    // Without parameter and subcommand the location is the command line.
    VarSpecObj fromName("", "", "PAIRTABLE", &mDict);
    EXPECT_EQ(fromName.GetVarIndex(TavoVarName("nosuch")), -1);
    refhost::ClearTranslations();
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre("error: Variable nosuch for parameter line of PAIRTABLE is not found in "
                    "dictionary...",
                    "error: Variable nosuch for parameter command line of PAIRTABLE "
                    "command... is not found in dictionary..."));
}

TEST_F(VarSpecObjTest, NamesAreLookedUpIgnoringCase) {
    VarSpecObj spec = Spec();
    EXPECT_TRUE(Validate(spec, "Gender AGE v1"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kGender, kAge, kV1));
    EXPECT_EQ(spec.GetNValidVars(), 3);
    EXPECT_EQ(spec.GetValidVarInd(), -1);
    ExpectConsistent(spec, mDict);
    spec.ReorderValidVarList();
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kGender, kV1));
    EXPECT_THAT(mLog.messages(), IsEmpty());

    // Each validation starts from an empty list.
    EXPECT_TRUE(Validate(spec, "city"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kCity));
    EXPECT_EQ(spec.GetValidVarInd(), kCity);
    ExpectConsistent(spec, mDict);
}

TEST_F(VarSpecObjTest, NoListWhereOneShouldStart) {
    VarSpecObj spec = Spec();
    int pos = 0;
    EXPECT_FALSE(spec.ValidateVariables({}, RepeatVarsError, pos, nullptr, true));
    EXPECT_FALSE(spec.ValidateVariables({}, RepeatVarsError, pos, "BY", true));
    EXPECT_FALSE(spec.ValidateVariables({}, RepeatVarsError, pos, "", true));
    // TO cannot start a list. The message names the first token of the whole vector, even
    // when the list was to start further on.
    EXPECT_FALSE(Validate(spec, "TO age"));
    const auto tokens = TokensOf("age TO");
    pos = 1;
    EXPECT_FALSE(spec.ValidateVariables(tokens, RepeatVarsError, pos, nullptr, true));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre("error: Parameter VARS of subcommand TABLES does not have a variable list...",
                    "error: Word BY for parameter " + kLoc +
                        " should be followed by a valid variable "
                        "name...",
                    "error: Parameter VARS of subcommand TABLES does not have a variable list...",
                    "error: Variable name TO for parameter " + kLoc + " is invalid...",
                    "error: Variable name age for parameter " + kLoc + " is invalid..."));
}

TEST_F(VarSpecObjTest, TokensThatAreNoNamesAndUnknownNames) {
    VarSpecObj spec = Spec();
    EXPECT_FALSE(Validate(spec, "age 12"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge));  // kept up to the failure
    EXPECT_FALSE(Validate(spec, "age 'lit'"));
    EXPECT_FALSE(Validate(spec, "age BY sex"));  // BY is not active: just a bad name
    EXPECT_FALSE(Validate(spec, "age nosuch"));
    VarSpecObj numeric = Spec(true);
    EXPECT_FALSE(Validate(numeric, "age name"));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name 12 for parameter " + kLoc + " is invalid...",
                            "error: Variable name lit for parameter " + kLoc + " is invalid...",
                            "error: Variable name BY for parameter " + kLoc + " is invalid...",
                            "error: Variable nosuch for parameter " + kLoc +
                                " is not found in dictionary...",
                            "error: Variable name for parameter " + kLoc + " is not numerical..."));
}

TEST_F(VarSpecObjTest, ErrorReportSilencesOnlyLookUps) {
    VarSpecObj spec = Spec(true);
    spec.SetErrorReport(false);
    EXPECT_FALSE(Validate(spec, "nosuch"));
    EXPECT_FALSE(Validate(spec, "city"));
    EXPECT_EQ(spec.GetVarIndex(TokenOf("12")), -1);
    EXPECT_THAT(mLog.messages(), IsEmpty());
    // List syntax and ranges are always reported.
    EXPECT_FALSE(Validate(spec, "age 12"));
    EXPECT_FALSE(Validate(spec, "v2 TO v1"));
    EXPECT_FALSE(Validate(spec, "age age"));
    EXPECT_FALSE(Validate(spec, "ALL"));  // the range walk meets the string variable
    EXPECT_EQ(mLog.messages().size(), 4U);
    EXPECT_EQ(LevelTexts(mLog).back(),
              "error: Variable name for parameter " + kLoc + " is not numerical...");
}

TEST_F(VarSpecObjTest, Ranges) {
    VarSpecObj spec = Spec();
    EXPECT_TRUE(Validate(spec, "v1 TO v3 id"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV2, kV3, kId));
    EXPECT_TRUE(Validate(spec, "v2 to v2"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2));
    EXPECT_TRUE(Validate(spec, "v1 TO v2 v3 TO v4"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV2, kV3, kV4));
    ExpectConsistent(spec, mDict);
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(Validate(spec, "v3 TO v1"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV3));
    EXPECT_FALSE(Validate(spec, "v1 TO v2 TO v3"));
    EXPECT_FALSE(Validate(spec, "v1 TO"));
    EXPECT_FALSE(Validate(spec, "v1 TO TO v2"));
    EXPECT_FALSE(Validate(spec, "v1 TO (x)"));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Keyword TO improperly used for range in parameter " + kLoc +
                                " variable list...",
                            "error: Keyword TO improperly used for range in parameter " + kLoc +
                                " variable list...",
                            "error: Word TO for parameter " + kLoc +
                                " should be followed by a valid variable name...",
                            "error: Word TO for parameter " + kLoc +
                                " should be followed by a valid variable name...",
                            "error: Variable name ( for parameter " + kLoc + " is invalid..."));
}

TEST_F(VarSpecObjTest, NumericRangeStopsAtTheFirstStringVariable) {
    VarSpecObj spec = Spec(true);
    EXPECT_FALSE(Validate(spec, "v4 TO weight"));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV4));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name for parameter " + kLoc + " is not numerical..."));
}

TEST_F(VarSpecObjTest, AllNamesTheWholeDictionary) {
    VarSpecObj spec = Spec();
    EXPECT_TRUE(Validate(spec, "all"));
    EXPECT_EQ(spec.GetNValidVars(), 14);
    for (int index = 0; index < 14; ++index) {
        EXPECT_EQ(spec.GetValidVarList()[static_cast<std::size_t>(index)], index);
    }
    ExpectConsistent(spec, mDict);

    EXPECT_FALSE(Validate(spec, "ALL age"));
    VarSpecObj numeric = Spec(true);
    EXPECT_FALSE(Validate(numeric, "ALL"));
    EXPECT_EQ(numeric.GetNValidVars(), kName);  // everything before the first string
    EXPECT_FALSE(Validate(spec, "age ALL"));

    refhost::Dictionary empty;
    VarSpecObj onEmpty("VARS", "TABLES", "PAIRTABLE", &empty);
    EXPECT_FALSE(onEmpty.ValidateVariables(TokensOf("ALL"), RepeatVarsError));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre("error: Keyword ALL improperly used in parameter " + kLoc + " variable list...",
                    "error: Variable name for parameter " + kLoc + " is not numerical...",
                    "error: Variable name ALL for parameter " + kLoc + " is invalid...",
                    "error: Variable name ALL for parameter " + kLoc + " is invalid..."));
}

TEST_F(VarSpecObjTest, RepeatedVariables) {
    VarSpecObj spec = Spec();
    EXPECT_FALSE(Validate(spec, "age id age", RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kId));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable age for parameter " + kLoc + " already used..."));
    mLog.clear();

    EXPECT_TRUE(Validate(spec, "age id AGE", RepeatVarsDrop));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kId));
    EXPECT_TRUE(Validate(spec, "age id age", RepeatVarsIgnore));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kId));
    EXPECT_TRUE(Validate(spec, "age id age", RepeatVarsKeep));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kId, kAge));
    EXPECT_EQ(spec.GetNValidVars(), 3);
    ExpectConsistent(spec, mDict);
    EXPECT_THAT(mLog.messages(), IsEmpty());

    // Ranges repeat variable by variable.
    EXPECT_FALSE(Validate(spec, "v1 TO v3 v2", RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV2, kV3));
    EXPECT_FALSE(Validate(spec, "v2 v1 TO v3", RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2, kV1));
    EXPECT_TRUE(Validate(spec, "v2 v1 TO v3", RepeatVarsKeep));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2, kV1, kV2, kV3));
    EXPECT_TRUE(Validate(spec, "v2 v1 TO v3", RepeatVarsDrop));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2, kV1, kV3));
    EXPECT_EQ(mLog.messages().size(), 2U);
}

TEST_F(VarSpecObjTest, NamesAndIndices) {
    VarSpecObj spec = Spec(true);
    EXPECT_TRUE(spec.ValidateVariables(Names{"v1", "AGE"}, RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kAge));
    EXPECT_TRUE(spec.ValidateVariables(Names{}, RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), IsEmpty());
    EXPECT_FALSE(spec.ValidateVariables(Names{"v1", "1abc", "v2"}, RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1));
    EXPECT_FALSE(spec.ValidateVariables(Names{"v1", "v1"}, RepeatVarsError));
    EXPECT_FALSE(spec.ValidateVariables(Names{"city"}, RepeatVarsError));

    EXPECT_TRUE(spec.SetVariables(Ints{kV2, kV1, kV2}, RepeatVarsKeep));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2, kV1, kV2));
    EXPECT_FALSE(spec.SetVariables(Ints{kV2, kName, kV3}, RepeatVarsKeep));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV2));
    EXPECT_FALSE(spec.SetVariables(Ints{kV2, kV2}, RepeatVarsError));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name 1abc for parameter " + kLoc + " is invalid...",
                            "error: Variable v1 for parameter " + kLoc + " already used...",
                            "error: Variable city for parameter " + kLoc + " is not numerical...",
                            "error: Variable name for parameter " + kLoc + " is not numerical...",
                            "error: Variable v2 for parameter " + kLoc + " already used..."));
}

TEST_F(VarSpecObjTest, SingleVariables) {
    VarSpecObj spec = Spec(true);
    EXPECT_EQ(spec.ValidateVariable(TavoVarName("Income")), kIncome);
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kIncome));
    // A failed look-up leaves the list as it was.
    EXPECT_EQ(spec.ValidateVariable(TavoVarName("nosuch")), -1);
    EXPECT_EQ(spec.ValidateVariable(TavoVarName("no such")), -1);
    EXPECT_EQ(spec.ValidateVariable(TokenOf("'v1'")), -1);
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kIncome));
    EXPECT_EQ(spec.ValidateVariable(TokenOf("v1")), kV1);
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1));

    // The index stays in the list although the numeric check fails.
    EXPECT_TRUE(spec.SetVariable(kV2));
    EXPECT_FALSE(spec.SetVariable(kCity));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kCity));
    EXPECT_TRUE(spec.IsValidVariable(kCity));
    EXPECT_FALSE(spec.IsValidVariable(kV2));

    // New variables: a free name is the negative look-up, a taken one is reported and held.
    EXPECT_LT(spec.CheckNewVariable(TavoVarName("fresh")), 0);
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kCity));
    EXPECT_EQ(spec.CheckNewVariable(TavoVarName("WEIGHT")), kWeight);
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kWeight));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Variable nosuch for parameter " + kLoc + " is not found in dictionary...",
            "error: Variable name no such for parameter " + kLoc + " is invalid...",
            "error: Variable name v1 for parameter " + kLoc + " is invalid...",
            "error: Variable city for parameter " + kLoc + " is not numerical...",
            "error: Output variable WEIGHT for parameter " + kLoc + " already exists..."));

    mLog.clear();
    spec.SetErrorReport(false);
    EXPECT_FALSE(spec.SetVariable(kName));
    EXPECT_EQ(spec.CheckNewVariable(TavoVarName("age")), kAge);
    EXPECT_EQ(spec.ValidateVariable(TavoVarName("1x")), -1);
    EXPECT_THAT(mLog.messages(), IsEmpty());
}

TEST_F(VarSpecObjTest, NewNameFromARoot) {
    VarSpecObj spec = Spec();
    TavoVarName name("unchanged");
    EXPECT_TRUE(spec.NewVarNameByRoot(TavoVarName("score"), name));
    EXPECT_EQ(name.str(), "score");
    EXPECT_TRUE(spec.NewVarNameByRoot(TavoVarName("age"), name));
    EXPECT_EQ(name.str(), "age_1");
    mDict.addNumeric("age_1");
    mDict.addNumeric("AGE_2");
    EXPECT_TRUE(spec.NewVarNameByRoot(TavoVarName("age"), name));
    EXPECT_EQ(name.str(), "age_3");

    name = TavoVarName("unchanged");
    EXPECT_FALSE(spec.NewVarNameByRoot(TavoVarName("1age"), name));
    // A root of 63 characters makes the first candidate 65 long: no valid name is left.
    const std::string longRoot(63, 'x');
    mDict.addNumeric(longRoot);
    EXPECT_FALSE(spec.NewVarNameByRoot(TavoVarName(longRoot), name));
    EXPECT_EQ(name.str(), "unchanged");
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name 1age for parameter " + kLoc + " is invalid...",
                            "error: Variable name " + longRoot + "_1 for parameter " + kLoc +
                                " is invalid..."));
}

TEST_F(VarSpecObjTest, NewNamesFromARoot) {
    VarSpecObj spec = Spec();
    Names names;
    EXPECT_TRUE(spec.NewVarNamesByRoot(TavoVarName("s"), 3, names));
    EXPECT_THAT(names, ElementsAre("s_1", "s_2", "s_3"));
    EXPECT_TRUE(spec.NewVarNamesByRoot(TavoVarName("s"), 10, names));
    ASSERT_EQ(names.size(), 10U);
    EXPECT_EQ(names.front().str(), "s_01");
    EXPECT_EQ(names[8].str(), "s_09");
    EXPECT_EQ(names.back().str(), "s_10");
    // No name asked for, or a count below zero: the empty set, which is always free.
    for (const int none : {0, -1, INT_MIN}) {
        names = {TavoVarName("old")};
        EXPECT_TRUE(spec.NewVarNamesByRoot(TavoVarName("s"), none, names));
        EXPECT_THAT(names, IsEmpty());
    }

    // One name of the set taken: the whole set moves to a further suffix, then the next.
    mDict.addNumeric("s_07");
    EXPECT_TRUE(spec.NewVarNamesByRoot(TavoVarName("s"), 10, names));
    ASSERT_EQ(names.size(), 10U);
    EXPECT_EQ(names.front().str(), "s_01_1");
    EXPECT_EQ(names.back().str(), "s_10_1");
    mDict.addNumeric("s_10_1");
    EXPECT_TRUE(spec.NewVarNamesByRoot(TavoVarName("s"), 10, names));
    EXPECT_EQ(names.front().str(), "s_01_2");
    EXPECT_EQ(names.back().str(), "s_10_2");

    // Failures leave the output alone.
    names = Names{"kept"};
    EXPECT_FALSE(spec.NewVarNamesByRoot(TavoVarName("_s"), 2, names));
    const std::string root(61, 'r');
    EXPECT_FALSE(spec.NewVarNamesByRoot(TavoVarName(root), 100, names));  // r..r_001 is 65 long
    mDict.addNumeric(root + "_1");
    EXPECT_FALSE(spec.NewVarNamesByRoot(TavoVarName(root), 2, names));  // r..r_1_1 is 65 long
    EXPECT_THAT(names, ElementsAre("kept"));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Variable name _s for parameter " + kLoc + " is invalid...",
            "error: Variable name " + root + "_001 for parameter " + kLoc + " is invalid...",
            "error: Variable name " + root + "_1_1 for parameter " + kLoc + " is invalid..."));
}

// The sets are not searched name by name: a dictionary that holds the last name of many sets
// costs a look at each of its names, not a look at every name of every set.
TEST_F(VarSpecObjTest, NewNamesCostLinearTime) {
    constexpr int kCount = 1000;
    constexpr int kTakenSets = 200;
    refhost::Dictionary dict;
    dict.addNumeric("r_0001");
    for (int k = 1; k <= kTakenSets; ++k) {
        dict.addNumeric("R_1000_" + std::to_string(k));
    }
    testsupport::FaultyDataSource counted(dict);
    VarSpecObj spec("VARS", "TABLES", "PAIRTABLE", &counted);
    Names names;
    ASSERT_TRUE(spec.NewVarNamesByRoot(TavoVarName("r"), kCount, names));
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kCount));
    const std::string set = "_" + std::to_string(kTakenSets + 1);
    EXPECT_EQ(names.front().str(), "r_0001" + set);
    EXPECT_EQ(names.back().str(), "r_1000" + set);
    EXPECT_LT(counted.calls(), 4 * (kCount + kTakenSets));
}

// A dictionary that claims to hold every name it is asked for.
class EveryNameTaken : public TAVO_DataSource {
  public:
    int FindVarIndex(char const*) const override { return 0; }
    unsigned int ColumnCount() const override { return 3; }
    const TAVO_Variable& GetVariable(int) const override { return mVariable; }

  private:
    TAVO_Variable mVariable{"x", 0, TAVO_Variable_Enumerations::Scale, TAVO_Format{8, 5, 2}};
};

TEST_F(VarSpecObjTest, NameSearchEndsOnEveryDictionary) {
    EveryNameTaken taken;
    VarSpecObj spec("VARS", "TABLES", "PAIRTABLE", &taken);
    TavoVarName name("unchanged");
    Names names{"kept"};
    EXPECT_FALSE(spec.NewVarNameByRoot(TavoVarName("a"), name));
    EXPECT_FALSE(spec.NewVarNamesByRoot(TavoVarName("a"), 5, names));
    EXPECT_EQ(name.str(), "unchanged");
    EXPECT_THAT(names, ElementsAre("kept"));
}

TEST_F(VarSpecObjTest, AllVariables) {
    VarSpecObj spec = Spec();
    VarSpecObj other = Spec();
    ASSERT_TRUE(Validate(other, "id TO educ"));
    EXPECT_TRUE(spec.ValidateAllVars({&other, nullptr}, ErrorMessage));
    EXPECT_EQ(spec.GetNValidVars(), 8);
    EXPECT_EQ(spec.GetValidVarList().front(), kV1);
    ExpectConsistent(spec, mDict);

    VarSpecObj numeric = Spec(true);
    EXPECT_FALSE(numeric.ValidateAllVars({}, ErrorMessage));
    EXPECT_EQ(numeric.GetNValidVars(), kName);

    // Categorical: the nominal and ordinal levels, and strings without a level.
    EXPECT_TRUE(numeric.ValidateAllVars(true, {}, ErrorMessage));
    EXPECT_FALSE(numeric.GetNumericVars());
    EXPECT_THAT(numeric.GetValidVarList(),
                ElementsAre(kGender, kRegion, kEduc, kName, kCity, kRemark));
    EXPECT_TRUE(spec.ValidateAllVars(false, {}, ErrorMessage));
    EXPECT_TRUE(spec.GetNumericVars());
    EXPECT_THAT(spec.GetValidVarList(),
                ElementsAre(kId, kAge, kIncome, kV1, kV2, kV3, kV4, kWeight));
    EXPECT_EQ(mLog.messages().size(), 1U);

    // A continuous string variable cannot be among the non-categorical ones.
    mDict.addString("note", 5, TAVO_Variable_Enumerations::Scale);
    VarSpecObj withNote = Spec();
    EXPECT_FALSE(withNote.ValidateAllVars(false, {}, ErrorMessage));
    EXPECT_EQ(withNote.GetNValidVars(), 8);
    EXPECT_EQ(LevelTexts(mLog).back(),
              "error: Variable note for parameter " + kLoc + " is not numerical...");
}

TEST_F(VarSpecObjTest, AllVariablesSplitIntoCategoricalAndContinuous) {
    VarSpecObj factors = Spec(true);
    VarSpecObj covariates = Spec(false);
    VarSpecObj other = Spec();
    ASSERT_TRUE(Validate(other, "age gender"));
    EXPECT_TRUE(factors.ValidateAllVars(covariates, {&other}, ErrorMessage));
    EXPECT_FALSE(factors.GetNumericVars());
    EXPECT_TRUE(covariates.GetNumericVars());
    EXPECT_THAT(factors.GetValidVarList(), ElementsAre(kRegion, kEduc, kName, kCity, kRemark));
    EXPECT_THAT(covariates.GetValidVarList(),
                ElementsAre(kId, kIncome, kV1, kV2, kV3, kV4, kWeight));
    ExpectConsistent(factors, mDict);
    ExpectConsistent(covariates, mDict);

    // Everything excluded: reported only when a level is asked for.
    VarSpecObj all = Spec();
    ASSERT_TRUE(Validate(all, "ALL"));
    EXPECT_FALSE(factors.ValidateAllVars(covariates, {&all}, NoMessage));
    EXPECT_THAT(mLog.messages(), IsEmpty());
    EXPECT_FALSE(factors.ValidateAllVars(covariates, {&all}, WarningMessage));
    factors.SetNoVarsMessage("Nothing to analyse...");
    EXPECT_FALSE(factors.ValidateAllVars(covariates, {&all}, ErrorMessage));
    EXPECT_FALSE(factors.ValidateAllVars(covariates, {&all}, WarningMessage));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("warning: All variables specified for parameter subcommand "
                            "TABLES... are excluded...",
                            "error: Nothing to analyse...", "warning: Nothing to analyse..."));

    // A continuous string variable stops the split; it is handed over before the failure.
    mLog.clear();
    mDict.addString("note", 5, TAVO_Variable_Enumerations::Scale);
    mDict.addNumeric("after");
    VarSpecObj f2 = Spec();
    VarSpecObj c2 = Spec();
    EXPECT_FALSE(f2.ValidateAllVars(c2, {}, ErrorMessage));
    EXPECT_EQ(c2.GetValidVarList().back(), 14);
    EXPECT_FALSE(c2.IsValidVariable(15));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable note for parameter " + kLoc + " is not numerical..."));
}

TEST_F(VarSpecObjTest, CommonVariablesBetweenLists) {
    VarSpecObj spec = Spec();
    VarSpecObj other("GROUPS", "STATS", "PAIRTABLE", &mDict);
    ASSERT_TRUE(Validate(spec, "v1 TO v4 age"));
    ASSERT_TRUE(other.ValidateVariables(TokensOf("age v3 v2"), RepeatVarsError));

    std::vector<int> common{99};
    EXPECT_EQ(spec.GetCommonVars(other, common), 3);
    EXPECT_THAT(common, ElementsAre(kV2, kV3, kAge));  // in the order of this list
    EXPECT_EQ(spec.GetCommonVars(spec, common), 0);
    EXPECT_THAT(common, IsEmpty());

    EXPECT_TRUE(spec.CheckCommonVars(spec));
    EXPECT_FALSE(spec.CheckCommonVars(other));
    spec.SetErrorReport(false);
    EXPECT_FALSE(spec.CheckCommonVars(other));
    spec.SetErrorReport(true);
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name v2 used for parameter " + kLoc +
                            " cannot be used for parameter parameter GROUPS of subcommand "
                            "STATS......"));

    EXPECT_FALSE(spec.CheckVarListSubset(other));
    EXPECT_TRUE(spec.CheckVarListSubset(spec));
    VarSpecObj small = Spec();
    ASSERT_TRUE(Validate(small, "v3 age"));
    EXPECT_TRUE(small.CheckVarListSubset(other));
    EXPECT_TRUE(VarSpecObj().CheckVarListSubset(other));
    EXPECT_EQ(LevelTexts(mLog).back(), "error: Variable name v1 given for " + kLoc +
                                           " must also be used for parameter GROUPS of subcommand "
                                           "STATS......");

    // Excluding in place keeps the order of what is left.
    mLog.clear();
    EXPECT_TRUE(spec.ExcludeCommonVars(spec, ErrorMessage));
    EXPECT_EQ(spec.GetNValidVars(), 5);
    EXPECT_TRUE(spec.ExcludeCommonVars(other, ErrorMessage));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV4));
    ExpectConsistent(spec, mDict);
    VarSpecObj v1 = Spec();
    ASSERT_TRUE(Validate(v1, "v1"));
    VarSpecObj v4 = Spec();
    ASSERT_TRUE(Validate(v4, "v4"));
    VarSpecObj copy = spec;
    EXPECT_FALSE(copy.ExcludeCommonVars({&v1, nullptr, &copy, &v4}, NoMessage));
    EXPECT_THAT(copy.GetValidVarList(), IsEmpty());
    ExpectConsistent(copy, mDict);
    copy = spec;
    EXPECT_FALSE(copy.ExcludeCommonVars({&v1, &v4}, WarningMessage));
    copy = spec;
    EXPECT_FALSE(copy.ExcludeCommonVars({&v1, &v4}, static_cast<MessageLevels>(7)));
    copy = spec;
    copy.SetNoVarsMessage("No variables left...");
    EXPECT_FALSE(copy.ExcludeCommonVars({&v1, &v4}, ErrorMessage));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre("warning: All variables specified for parameter " + kLoc + " are excluded...",
                    "error: All variables specified for parameter " + kLoc + " are excluded...",
                    "error: No variables left..."));
}

TEST_F(VarSpecObjTest, RepeatsKeptSurviveExclusionTogether) {
    VarSpecObj spec = Spec();
    ASSERT_TRUE(Validate(spec, "age id age v1", RepeatVarsKeep));
    VarSpecObj other = Spec();
    ASSERT_TRUE(Validate(other, "id"));
    EXPECT_TRUE(spec.ExcludeCommonVars(other, NoMessage));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kAge, kAge, kV1));
    ExpectConsistent(spec, mDict);
}

// Large dictionaries: short lists are held sparsely, long ones densely; the flags must answer
// the same either way, through copies, clears and exclusions.
TEST(VarSpecObjFlags, AgreeWithTheListOnALargeDictionary) {
    refhost::MessageLog log;
    refhost::Dictionary dict;
    constexpr int kColumns = 5000;
    for (int i = 0; i < kColumns; ++i) {
        dict.addNumeric("x" + std::to_string(i));
    }
    VarSpecObj spec("VARS", "TABLES", "CMD", &dict);
    ASSERT_TRUE(spec.ValidateVariables(TokensOf("x17 x4999 x0 x1234"), RepeatVarsError));
    ExpectConsistent(spec, dict);
    VarSpecObj copy = spec;
    ExpectConsistent(copy, dict);

    // Grows past the point where the set turns dense, one variable at a time.
    std::vector<int> many;
    for (int i = 0; i < 400; ++i) {
        many.push_back((i * 37) % kColumns);
    }
    ASSERT_TRUE(spec.SetVariables(many, RepeatVarsError));
    ExpectConsistent(spec, dict);
    EXPECT_FALSE(spec.SetVariables(std::vector<int>{5, 5}, RepeatVarsError));
    ExpectConsistent(spec, dict);
    EXPECT_EQ(log.messages().size(), 1U);

    ASSERT_TRUE(spec.ValidateVariables(TokensOf("x100 TO x2100"), RepeatVarsError));
    EXPECT_EQ(spec.GetNValidVars(), 2001);
    ExpectConsistent(spec, dict);
    ASSERT_TRUE(spec.ExcludeCommonVars(copy, ErrorMessage));
    EXPECT_EQ(spec.GetNValidVars(), 2000);  // x1234 dropped
    ExpectConsistent(spec, dict);
    VarSpecObj some("VARS", "TABLES", "CMD", &dict);
    ASSERT_TRUE(some.ValidateVariables(TokensOf("x1234 x17"), RepeatVarsError));
    ASSERT_TRUE(copy.ExcludeCommonVars(some, ErrorMessage));
    EXPECT_THAT(copy.GetValidVarList(), ElementsAre(4999, 0));
    ExpectConsistent(copy, dict);

    spec.ClearVarInfo();
    ExpectConsistent(spec, dict);
    ASSERT_TRUE(spec.ValidateVariables(TokensOf("ALL"), RepeatVarsError));
    ExpectConsistent(spec, dict);
}

// Broken preconditions of the caller stop the program and name the unit: an index at the
// dictionary's end and any look-up on an object without a dictionary.
TEST(VarSpecObjDeathTest, BrokenPreconditionsAreAssertions) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    VarSpecObj spec("VARS", "TABLES", "PAIRTABLE", &dict);
    const int end = static_cast<int>(dict.ColumnCount());
    EXPECT_DEATH(spec.SetVariable(end), "VarSpecObj");
    EXPECT_DEATH(spec.SetVariables({0, end}, RepeatVarsError), "VarSpecObj");
    Names names;

    VarSpecObj unbound;
    TavoVarName name;
    EXPECT_DEATH(unbound.GetVarIndex(TavoVarName("age")), "VarSpecObj");
    EXPECT_DEATH(unbound.ValidateVariables(TokensOf("age"), RepeatVarsError), "VarSpecObj");
    EXPECT_DEATH(unbound.SetVariable(0), "VarSpecObj");
    EXPECT_DEATH(unbound.CheckNewVariable(TavoVarName("age")), "VarSpecObj");
    EXPECT_DEATH(unbound.ValidateAllVars({}, ErrorMessage), "VarSpecObj");
    EXPECT_DEATH(unbound.NewVarNameByRoot(TavoVarName("age"), name), "VarSpecObj");
    EXPECT_DEATH(unbound.NewVarNamesByRoot(TavoVarName("age"), 2, names), "VarSpecObj");
}

}  // namespace
