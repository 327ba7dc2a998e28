#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "support/Messages.h"
#include "support/TestDictionary.h"
#include "support/Tokens.h"
#include "uparser/ParamObj.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::LevelTexts;
using namespace testsupport::vars;

const std::string kLoc = "parameter VARS of subcommand TABLES...";

// The factor and covariate objects are not emptied by the validation (a procedure makes new
// ones per command); the helpers empty them so that every call starts as on new objects.
class VarSpecObjFactorsTest : public testsupport::DictionaryTest {
  protected:
    // One dependent.
    bool Regr(const std::string& text, RepeatVarOptions repeat = RepeatVarsError,
              const VarSpecObj* other = nullptr) {
        Fresh();
        return mDeps.ValidateRegrVarList(TokensOf(text), mFactors, mCovariates, repeat, other);
    }
    // Several dependents.
    bool RegrMD(const std::string& text, std::vector<const VarSpecObj*> others = {}) {
        Fresh();
        return mDeps.ValidateRegrMDVarList(TokensOf(text), mFactors, mCovariates, RepeatVarsError,
                                           others);
    }
    void Fresh() {
        mFactors.ClearVarInfo();
        mCovariates.ClearVarInfo();
    }

    VarSpecObj mDeps{"VARS", "TABLES", "MDL", &mDict};
    VarSpecObj mFactors{"VARS", "TABLES", "MDL", &mDict, true};
    VarSpecObj mCovariates{"COVS", "TABLES", "MDL", &mDict};
};

TEST_F(VarSpecObjFactorsTest, DependentByFactorsWithCovariates) {
    EXPECT_TRUE(Regr("v1 BY gender name WITH income"));
    EXPECT_THAT(mDeps.GetValidVarList(), ElementsAre(kV1));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender, kName));  // any type
    EXPECT_FALSE(mFactors.GetNumericVars());
    EXPECT_THAT(mCovariates.GetValidVarList(), ElementsAre(kIncome));
    EXPECT_TRUE(mCovariates.GetNumericVars());

    EXPECT_TRUE(Regr("v1 with income TO educ by name"));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kName));
    EXPECT_THAT(mCovariates.GetValidVarList(), ElementsAre(kIncome, kGender, kRegion, kEduc));
    EXPECT_TRUE(Regr("v1 BY gender gender", RepeatVarsDrop));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
    // A lone dependent has nothing else.
    EXPECT_TRUE(Regr("v1"));
    EXPECT_THAT(mDeps.GetValidVarList(), ElementsAre(kV1));
    EXPECT_THAT(mFactors.GetValidVarList(), IsEmpty());
    EXPECT_THAT(mLog.messages(), IsEmpty());

    // Each list reports through its own object.
    EXPECT_FALSE(Regr("v1 BY gender gender"));
    EXPECT_FALSE(Regr("v1 WITH city"));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable gender for parameter " + kLoc + " already used...",
                            "error: Variable city for parameter parameter COVS of "
                            "subcommand TABLES... is not numerical..."));

    // Without BY the factor object is left as it was.
    mLog.clear();
    ASSERT_TRUE(Regr("v1 BY gender"));
    EXPECT_TRUE(mDeps.ValidateRegrVarList(TokensOf("v2 WITH v3"), mFactors, mCovariates,
                                          RepeatVarsError, nullptr));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
}

TEST_F(VarSpecObjFactorsTest, AllAsFactorsOrCovariates) {
    EXPECT_TRUE(Regr("v1 BY ALL"));
    EXPECT_THAT(mFactors.GetValidVarList(),
                ElementsAre(kGender, kRegion, kEduc, kName, kCity, kRemark));
    EXPECT_TRUE(Regr("gender WITH ALL"));
    EXPECT_THAT(mCovariates.GetValidVarList(),
                ElementsAre(kId, kAge, kIncome, kV1, kV2, kV3, kV4, kWeight));
    mFactors.SetAllowQualifiers(true);
    EXPECT_TRUE(Regr("v1 BY ALL (base = 1) WITH v2"));
    EXPECT_EQ(mFactors.GetQualTokenList().size(), 3U);
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(Regr("v1 BY ALL gender"));
    EXPECT_FALSE(Regr("v1 BY ALL (base = 1) gender"));
    mDict.addString("note", 5, TAVO_Variable_Enumerations::Scale);
    EXPECT_FALSE(Regr("gender WITH ALL"));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre("error: Keyword ALL improperly used in parameter " + kLoc + " variable list...",
                    "error: Invalid syntax in parameter " + kLoc + ", text gender ...",
                    "error: Variable note for parameter parameter COVS of subcommand "
                    "TABLES... is not numerical..."));
}

TEST_F(VarSpecObjFactorsTest, KeywordsWithoutListsAndRepeatedKeywords) {
    EXPECT_TRUE(Regr("v1 BY"));
    EXPECT_TRUE(Regr("v1 WITH BY gender"));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
    EXPECT_FALSE(Regr("v1 BY gender BY region"));
    EXPECT_FALSE(Regr("v1 WITH v2 BY gender WITH v3"));
    EXPECT_FALSE(Regr("v1 BY TO region"));
    EXPECT_FALSE(Regr("v1 v2 BY gender"));
    EXPECT_FALSE(Regr("12 BY gender"));
    EXPECT_FALSE(Regr("nosuch BY gender"));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "warning: No factors for parameter " + kLoc + " after keyword BY...",
            "warning: No covariates for parameter " + kLoc + " after keyword WITH...",
            "error: Word BY already occured in parameter " + kLoc + "...",
            "error: Word WITH already occured in parameter " + kLoc + "...",
            "error: Word BY for parameter " + kLoc +
                " should be followed by a valid variable "
                "name...",
            "error: Invalid syntax in parameter " + kLoc + ", text v2 ...",
            "error: Variable name 12 for parameter " + kLoc + " is invalid...",
            "error: Variable nosuch for parameter " + kLoc + " is not found in dictionary..."));
}

TEST_F(VarSpecObjFactorsTest, ListsThatOverlap) {
    EXPECT_FALSE(Regr("v1 BY gender WITH gender"));
    EXPECT_FALSE(Regr("V1 BY gender v1"));
    EXPECT_FALSE(Regr("v1 WITH v2 v1"));
    EXPECT_FALSE(RegrMD("v1 v2 BY gender WITH v2"));
    EXPECT_FALSE(RegrMD("v1 v2 BY v2 gender WITH v1"));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Variable gender used for parameter " + kLoc +
                " is both factor and covariate...",
            "error: Variable V1 used for parameter " + kLoc + " is both dependent and factor...",
            "error: Variable v1 used for parameter " + kLoc + " is both dependent and covariate...",
            "error: Variable v2 used for parameter " + kLoc + " is both dependent and covariate...",
            "error: Variable v2 used for parameter " + kLoc + " is both dependent and factor..."));
}

TEST_F(VarSpecObjFactorsTest, EveryOtherVariableByDefault) {
    mDeps.SetAllVarsByDefault(true);
    EXPECT_TRUE(Regr("gender"));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kRegion, kEduc, kName, kCity, kRemark));
    EXPECT_THAT(mCovariates.GetValidVarList(),
                ElementsAre(kId, kAge, kIncome, kV1, kV2, kV3, kV4, kWeight));
    EXPECT_TRUE(RegrMD("v1 TO v4 region"));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender, kEduc, kName, kCity, kRemark));
    EXPECT_THAT(mCovariates.GetValidVarList(), ElementsAre(kId, kAge, kIncome, kWeight));
    // Lists given by the user replace the defaults, and lose the dependents.
    EXPECT_TRUE(RegrMD("v1 v2 BY gender WITH v3"));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
    EXPECT_THAT(mLog.messages(), IsEmpty());
}

TEST_F(VarSpecObjFactorsTest, FactorsAndCovariatesOfOtherLists) {
    VarSpecObj other("OTHER", "TABLES", "MDL", &mDict);
    ASSERT_TRUE(other.ValidateVariables(TokensOf("gender v3"), RepeatVarsError));
    EXPECT_TRUE(Regr("v1 BY gender region WITH v3", RepeatVarsError, &other));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kRegion));
    EXPECT_THAT(mCovariates.GetValidVarList(), IsEmpty());
    EXPECT_FALSE(Regr("v1 BY gender WITH v3", RepeatVarsError, &other));
    mDeps.SetNoVarsMessage("No model terms left...");
    EXPECT_FALSE(RegrMD("v1 BY gender", {&other}));
    EXPECT_THAT(LevelTexts(mLog), ElementsAre("error: All factors and covariates specified for "
                                              "parameter " +
                                                  kLoc + " are excluded...",
                                              "error: No model terms left..."));
}

TEST_F(VarSpecObjFactorsTest, SeveralDependents) {
    EXPECT_TRUE(RegrMD("v1 TO v3 BY gender"));
    EXPECT_THAT(mDeps.GetValidVarList(), ElementsAre(kV1, kV2, kV3));
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
    EXPECT_TRUE(RegrMD("v1 v2"));
    EXPECT_THAT(mDeps.GetValidVarList(), ElementsAre(kV1, kV2));
    mDeps.SetAllowQualifiers(true);
    EXPECT_TRUE(RegrMD("v1 v2 (ref = 1) WITH v3"));
    EXPECT_EQ(mDeps.GetQualTokenList().size(), 3U);
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(RegrMD("BY gender"));
    EXPECT_FALSE(RegrMD("v1 (ref = 1) v2 BY gender"));
    EXPECT_FALSE(mDeps.ValidateRegrMDVarList({}, mFactors, mCovariates, RepeatVarsError, {}));
    mDeps.SetErrorReport(false);
    EXPECT_FALSE(RegrMD("WITH v3"));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Invalid syntax in parameter " + kLoc + ", text BY ...",
                            "error: Invalid syntax in parameter " + kLoc + ", text v2 ...",
                            "error: Parameter VARS of subcommand TABLES does not have a "
                            "variable list..."));
}

TEST_F(VarSpecObjFactorsTest, SeveralDependentsEachWithQualifiers) {
    mDeps.SetAllowQualifiers(true);
    std::vector<ParamObj> quals;
    const auto regr = [&](const std::string& text) {
        Fresh();
        return mDeps.ValidateRegrMDVarList(TokensOf(text), mFactors, mCovariates, RepeatVarsKeep,
                                           {}, quals, nullptr);
    };
    EXPECT_TRUE(regr("v1 (ref = 1) v2 BY gender"));
    EXPECT_THAT(mDeps.GetValidVarList(), ElementsAre(kV1, kV2));
    ASSERT_EQ(quals.size(), 2U);
    EXPECT_EQ(quals[0].getTokenListSize(), 3U);
    EXPECT_TRUE(quals[1].isLeadingToken());
    EXPECT_THAT(mFactors.GetValidVarList(), ElementsAre(kGender));
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(regr("v1 v1 BY gender"));  // the repeat option does not apply to dependents
    EXPECT_FALSE(regr("v1 TO v3 BY gender"));
    EXPECT_FALSE(regr("v1 v2 BY v2"));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable v1 for parameter " + kLoc + " already used...",
                            "error: Variable name TO for parameter " + kLoc + " is invalid...",
                            "error: Variable v2 used for parameter " + kLoc +
                                " is both dependent and factor..."));
}

TEST_F(VarSpecObjFactorsTest, TheDependentsTokens) {
    std::vector<TokenInfoObj> dependents;
    int pos = -1;
    EXPECT_TRUE(mDeps.GetDependVarTokens(TokensOf("v1 v2 (x) BY gender"), dependents, pos));
    EXPECT_EQ(dependents.size(), 5U);
    EXPECT_EQ(pos, 5);
    EXPECT_TRUE(mDeps.GetDependVarTokens(TokensOf("v1 TO v3"), dependents, pos));
    EXPECT_EQ(pos, 3);
    EXPECT_FALSE(mDeps.GetDependVarTokens(TokensOf("WITH v1"), dependents, pos));
    EXPECT_EQ(pos, 0);
    EXPECT_THAT(dependents, IsEmpty());
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Invalid syntax in parameter " + kLoc + ", text WITH ..."));
}

TEST_F(VarSpecObjFactorsTest, LaterListsNameOnlyFactorsAndCovariates) {
    ASSERT_TRUE(Regr("v1 BY gender region WITH v2"));
    VarSpecObj later("MARGINS", "TABLES", "MDL", &mDict);
    ASSERT_TRUE(later.ValidateVariables(TokensOf("region v2"), RepeatVarsError));
    EXPECT_TRUE(later.CheckFactAndCovar(&mFactors, &mCovariates));
    EXPECT_FALSE(later.CheckFactAndCovar(&mFactors, nullptr));
    EXPECT_FALSE(later.CheckFactAndCovar(nullptr, &mFactors));
    ASSERT_TRUE(later.ValidateVariables(TokensOf("gender v4"), RepeatVarsError));
    EXPECT_FALSE(later.CheckFactAndCovar(&mFactors, &mCovariates));
    EXPECT_TRUE(VarSpecObj().CheckFactAndCovar(nullptr, &mCovariates));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: v2 for MARGINS is not a factor name, subcommand TABLES ...",
                            "error: v2 for MARGINS is not a covariate name, subcommand TABLES ...",
                            "error: v4 specified for MARGINS is neither factor nor covariate "
                            "variable name, subcommand TABLES ..."));
}

}  // namespace
