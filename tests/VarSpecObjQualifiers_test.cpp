#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/ValueConversion.h"
#include "support/Messages.h"
#include "support/TestDictionary.h"
#include "support/Tokens.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::LevelTexts;
using namespace testsupport::vars;

const std::string kLoc = "parameter VARS of subcommand TABLES...";

std::vector<std::string> TextsOf(const std::vector<TokenInfoObj>& tokens) {
    std::vector<std::string> texts;
    for (const TokenInfoObj& token : tokens) {
        texts.push_back(token.NoType() ? "<none>" : token.getString());
    }
    return texts;
}

class VarSpecObjQualifiersTest : public testsupport::DictionaryTest {
  protected:
    VarSpecObj Spec(bool allowQualifiers = true) {
        VarSpecObj spec("VARS", "TABLES", "PAIRTABLE", &mDict);
        spec.SetAllowQualifiers(allowQualifiers);
        return spec;
    }
};

TEST_F(VarSpecObjQualifiersTest, QualifierListAfterAVariableList) {
    VarSpecObj spec = Spec();
    EXPECT_TRUE(spec.ValidateVariables(TokensOf("v1 v2 (LEVEL = 2)"), RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV2));
    EXPECT_THAT(TextsOf(spec.GetQualTokenList()), ElementsAre("LEVEL", "=", "2"));
    EXPECT_TRUE(spec.ValidateVariables(TokensOf("ALL (x)"), RepeatVarsError));
    EXPECT_EQ(spec.GetNValidVars(), 14);
    EXPECT_THAT(TextsOf(spec.GetQualTokenList()), ElementsAre("x"));
    // A new validation forgets the old qualifiers.
    EXPECT_TRUE(spec.ValidateVariables(TokensOf("v1"), RepeatVarsError));
    EXPECT_THAT(spec.GetQualTokenList(), IsEmpty());
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(spec.ValidateVariables(TokensOf("v1 ( )"), RepeatVarsError));
    EXPECT_FALSE(spec.ValidateVariables(TokensOf("v1 (X = 1"), RepeatVarsError));
    // Only the end of the list may follow the qualifier list.
    EXPECT_FALSE(spec.ValidateVariables(TokensOf("v1 (X = 1) v2"), RepeatVarsError));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1));
    VarSpecObj plain = Spec(false);
    EXPECT_FALSE(plain.ValidateVariables(TokensOf("v1 v2 (LEVEL = 2)"), RepeatVarsError));
    EXPECT_FALSE(plain.ValidateVariables(TokensOf("all (LEVEL = 2)"), RepeatVarsError));
    // After a range the last variable is the range's end as written.
    EXPECT_FALSE(plain.ValidateVariables(TokensOf("v1 to v2 (LEVEL = 2)"), RepeatVarsError));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Last variable V1 used for parameter " + kLoc + " has an invalid qualifier...",
            "error: Last variable V1 used for parameter " + kLoc + " has an invalid qualifier...",
            "error: Invalid syntax in parameter " + kLoc + ", text v2 ...",
            "error: Last variable V2 used for parameter " + kLoc +
                " should not have a qualifier...",
            "error: Last variable ALL used for parameter " + kLoc +
                " should not have a qualifier...",
            "error: Last variable V2 used for parameter " + kLoc +
                " should not have a qualifier..."));

    // These messages are guarded; the results are not.
    mLog.clear();
    plain.SetErrorReport(false);
    spec.SetErrorReport(false);
    EXPECT_FALSE(plain.ValidateVariables(TokensOf("v1 (x)"), RepeatVarsError));
    EXPECT_FALSE(spec.ValidateVariables(TokensOf("v1 ()"), RepeatVarsError));
    EXPECT_FALSE(spec.ValidateVariables(TokensOf("v1 (x) v2"), RepeatVarsError));
    EXPECT_THAT(mLog.messages(), IsEmpty());
}

TEST_F(VarSpecObjQualifiersTest, SplitQualifierValuesByName) {
    VarSpecObj spec = Spec();
    std::vector<TokenInfoObj> values;
    ASSERT_TRUE(spec.ValidateVariables(TokensOf("v1 v2 (x = 1 Y = 'two')"), RepeatVarsError));
    EXPECT_TRUE(spec.SplitQualValues({"y", "x"}, values));
    EXPECT_THAT(TextsOf(values), ElementsAre("two", "1"));
    EXPECT_TRUE(values[0].IsLiteral());
    EXPECT_TRUE(spec.SplitQualValues({"x", "z", "y"}, values));
    EXPECT_THAT(TextsOf(values), ElementsAre("1", "<none>", "two"));

    ASSERT_TRUE(spec.ValidateVariables(TokensOf("v1 v2"), RepeatVarsError));
    EXPECT_TRUE(spec.SplitQualValues({"x", "y"}, values));
    EXPECT_THAT(TextsOf(values), ElementsAre("<none>", "<none>"));
    EXPECT_THAT(mLog.messages(), IsEmpty());

    const auto split = [&](const std::string& text) {
        EXPECT_TRUE(spec.ValidateVariables(TokensOf(text), RepeatVarsError)) << text;
        return spec.SplitQualValues({"x", "y"}, values);
    };
    EXPECT_FALSE(split("v1 v2 (X = 1 x = 2)"));
    EXPECT_FALSE(split("v1 v2 (X 1)"));
    EXPECT_FALSE(split("v1 v2 (X = 1 y =)"));
    EXPECT_FALSE(split("v1 v2 (z = 1)"));
    // One variable: the messages speak of it, not of the last of a list.
    EXPECT_FALSE(split("v3 (z = 1)"));
    EXPECT_FALSE(split("v3 (x = 1 X = 1)"));
    EXPECT_FALSE(split("v3 (x)"));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Last variable v2 used for parameter " + kLoc + " has a repeated qualifier x...",
            "error: Qualifier X of last variable v2 used for parameter " + kLoc +
                " has an invalid value...",
            "error: Qualifier y of last variable v2 used for parameter " + kLoc +
                " has an invalid value...",
            "error: Last variable v2 used for parameter " + kLoc + " has an invalid qualifier z...",
            "error: Variable v3 used for parameter " + kLoc + " has an invalid qualifier z...",
            "error: Variable v3 used for parameter " + kLoc + " has a repeated qualifier X...",
            "error: Qualifier x of variable v3 used for parameter " + kLoc +
                " has an invalid value..."));
    mLog.clear();
    spec.SetErrorReport(false);
    EXPECT_FALSE(split("v1 (z = 1)"));
    EXPECT_THAT(mLog.messages(), IsEmpty());
}

TEST_F(VarSpecObjQualifiersTest, EveryVariableWithItsOwnQualifiers) {
    VarSpecObj spec = Spec();
    std::vector<ParamObj> quals;
    ASSERT_TRUE(
        spec.ValidateVarsAndQuals(TokensOf("v1 (1) age v3 (2 3)"), quals, nullptr, nullptr));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kAge, kV3));
    ASSERT_EQ(quals.size(), 3U);
    EXPECT_TRUE(quals[0].isTokenList());
    EXPECT_EQ(quals[0].getStringToken(), "1");
    EXPECT_TRUE(quals[1].isLeadingToken());
    EXPECT_EQ(quals[1].getParamName(), "AGE");
    EXPECT_EQ(quals[2].getTokenListSize(), 2U);
    EXPECT_EQ(quals[2].getParamExtName(), "VARS V3");
    EXPECT_EQ(quals[2].getSubComExtName(), "TABLES");

    // Variables of other lists drop out with their qualifiers.
    VarSpecObj other = Spec();
    ASSERT_TRUE(other.ValidateVariables(TokensOf("age"), RepeatVarsError));
    ASSERT_TRUE(spec.ValidateVarsAndQuals(TokensOf("v1 (1) age (5) v3"), quals, nullptr, &other));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV3));
    ASSERT_EQ(quals.size(), 2U);
    EXPECT_EQ(quals[1].getParamName(), "V3");
    // A repeat is judged against the accepted variables only.
    EXPECT_TRUE(spec.ValidateVarsAndQuals(TokensOf("age v1 age"), quals, nullptr, &other));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1));
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(spec.ValidateVarsAndQuals({}, quals, nullptr, nullptr));
    EXPECT_THAT(mLog.messages(), IsEmpty());
    EXPECT_FALSE(spec.ValidateVarsAndQuals(TokensOf("v1 v2 v1"), quals, nullptr, nullptr));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1, kV2));
    EXPECT_FALSE(spec.ValidateVarsAndQuals(TokensOf("v1 TO v3"), quals, nullptr, nullptr));
    EXPECT_FALSE(spec.ValidateVarsAndQuals(TokensOf("age"), quals, nullptr, &other));
    EXPECT_FALSE(Spec(false).ValidateVarsAndQuals(TokensOf("v1 (1)"), quals, nullptr, nullptr));
    EXPECT_THAT(
        LevelTexts(mLog),
        ElementsAre(
            "error: Variable v1 for parameter " + kLoc + " already used...",
            "error: Variable name TO for parameter " + kLoc + " is invalid...",
            "error: All variables specified for parameter " + kLoc + " are excluded...",
            "error: Variable v1 used for parameter " + kLoc + " should not have a qualifier..."));
}

TEST_F(VarSpecObjQualifiersTest, QualifiersCheckedAgainstTheirDescriptor) {
    VarSpecObj spec = Spec();
    std::vector<ParamObj> quals;
    const ParamDescriptor level("LEVEL", ParamInteger, false, false);
    EXPECT_TRUE(spec.ValidateVarsAndQuals(TokensOf("v1 (1) v2"), quals, &level, nullptr));
    EXPECT_FALSE(spec.ValidateVarsAndQuals(TokensOf("v1 (1) v2 (x)"), quals, &level, nullptr));
    EXPECT_THAT(spec.GetValidVarList(), ElementsAre(kV1));
    const ParamDescriptor required("LEVEL", ParamInteger, false, true);
    EXPECT_FALSE(spec.ValidateVarsAndQuals(TokensOf("v1"), quals, &required, nullptr));
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Parameter VARS V2 of subcommand TABLES does not "
                            "have an integer value...",
                            "error: Parameter VARS V1 of subcommand TABLES does not "
                            "have an integer value..."));
}

TEST_F(VarSpecObjQualifiersTest, BlocksOfVariables) {
    const VarSpecObj spec = Spec();
    std::vector<VarSpecObj> blocks;
    ASSERT_TRUE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 v2 (Q=1) v2 v3 (Q=2)"), blocks, {}));
    ASSERT_EQ(blocks.size(), 2U);
    // v2 stays only in the later block.
    EXPECT_THAT(blocks[0].GetValidVarList(), ElementsAre(kV1));
    EXPECT_FALSE(blocks[0].IsValidVariable(kV2));
    EXPECT_THAT(TextsOf(blocks[0].GetQualTokenList()), ElementsAre("Q", "=", "1"));
    EXPECT_THAT(blocks[1].GetValidVarList(), ElementsAre(kV2, kV3));
    EXPECT_THAT(TextsOf(blocks[1].GetQualTokenList()), ElementsAre("Q", "=", "2"));
    EXPECT_THAT(spec.GetValidVarList(), IsEmpty());

    // Ranges and ALL make blocks too; repeats inside a block drop silently, and a block that
    // loses everything to later blocks disappears.
    ASSERT_TRUE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 TO v3 v1 (a) id (b) ALL"), blocks, {}));
    ASSERT_EQ(blocks.size(), 1U);
    EXPECT_EQ(blocks[0].GetNValidVars(), 14);
    ASSERT_TRUE(
        spec.ValidateVarBlocksAndQuals(TokensOf("v1 TO v3 v1 (a) id v2 (b) v4"), blocks, {}));
    ASSERT_EQ(blocks.size(), 3U);
    EXPECT_THAT(blocks[0].GetValidVarList(), ElementsAre(kV1, kV3));
    EXPECT_THAT(blocks[1].GetValidVarList(), ElementsAre(kId, kV2));
    EXPECT_THAT(blocks[2].GetValidVarList(), ElementsAre(kV4));
    EXPECT_THAT(blocks[2].GetQualTokenList(), IsEmpty());

    // Variables of other lists are dropped from every block.
    VarSpecObj other = Spec();
    ASSERT_TRUE(other.ValidateVariables(TokensOf("v1 v4"), RepeatVarsError));
    ASSERT_TRUE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 v2 (Q=1) v4 (Q=2)"), blocks,
                                               {nullptr, &other}));
    ASSERT_EQ(blocks.size(), 1U);
    EXPECT_THAT(blocks[0].GetValidVarList(), ElementsAre(kV2));
    EXPECT_THAT(mLog.messages(), IsEmpty());

    EXPECT_FALSE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 (Q=1) v4"), blocks, {&other}));
    EXPECT_THAT(blocks, IsEmpty());
    VarSpecObj own = Spec();
    own.SetNoVarsMessage("Nothing left in the blocks...");
    EXPECT_FALSE(own.ValidateVarBlocksAndQuals(TokensOf("v4"), blocks, {&other}));
    EXPECT_THAT(LevelTexts(mLog), ElementsAre("error: All variables specified for parameter " +
                                                  kLoc + " are excluded...",
                                              "error: Nothing left in the blocks..."));
}

TEST_F(VarSpecObjQualifiersTest, ABlockThatFailsKeepsTheBlocksBeforeIt) {
    const VarSpecObj spec = Spec();
    std::vector<VarSpecObj> blocks;
    EXPECT_FALSE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 (Q=1) v2 12 v3"), blocks, {}));
    ASSERT_EQ(blocks.size(), 1U);
    EXPECT_THAT(blocks[0].GetValidVarList(), ElementsAre(kV1));
    // A block cannot start with TO; the message names the first token of the whole list.
    EXPECT_FALSE(spec.ValidateVarBlocksAndQuals(TokensOf("v1 (Q=1) TO v3"), blocks, {}));
    EXPECT_EQ(blocks.size(), 1U);
    EXPECT_FALSE(Spec(false).ValidateVarBlocksAndQuals(TokensOf("v1 (Q=1)"), blocks, {}));
    EXPECT_THAT(blocks, IsEmpty());
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name 12 for parameter " + kLoc + " is invalid...",
                            "error: Variable name v1 for parameter " + kLoc + " is invalid...",
                            "error: Last variable V1 used for parameter " + kLoc +
                                " should not have a qualifier..."));
}

// Sets the host's decimal character for one test.
class DecimalCharacter {
  public:
    explicit DecimalCharacter(char character) : mSaved(refhost::GetDecimalCharacter()) {
        refhost::SetDecimalCharacter(character);
    }
    ~DecimalCharacter() { refhost::SetDecimalCharacter(mSaved); }

  private:
    char mSaved;
};

TEST_F(VarSpecObjQualifiersTest, CategoryValuesInTheVariablesFormat) {
    mDict.addString("code", 4);
    VarSpecObj spec = Spec();
    OBS* obs = nullptr;
    TAVO_Format format{};

    ASSERT_GE(spec.ValidateVariable(TavoVarName("v1")), 0);  // F8.2
    EXPECT_TRUE(spec.ValidateCatValue("3", obs, format));
    ASSERT_NE(obs, nullptr);
    EXPECT_EQ(obs[0].f, 3.0);  // not 0.03
    EXPECT_EQ(format.width, 40);
    EXPECT_EQ(format.decimals, 2);
    EXPECT_TRUE(spec.ValidateCatValue("-2.25", obs, format));
    EXPECT_EQ(obs[0].f, -2.25);
    {
        DecimalCharacter comma(',');
        EXPECT_TRUE(spec.ValidateCatValue("2.5", obs, format));
        EXPECT_EQ(obs[0].f, 2.5);
        EXPECT_FALSE(spec.ValidateCatValue("2,5", obs, format));  // only "." is the user's
    }
    EXPECT_FALSE(spec.ValidateCatValue("abc", obs, format));
    EXPECT_NE(obs, nullptr);  // allocated although the conversion failed
    EXPECT_FALSE(spec.ValidateCatValue(std::string(40, '1'), obs, format));  // 41 with the "."
    EXPECT_EQ(obs, nullptr);

    ASSERT_GE(spec.ValidateVariable(TavoVarName("name")), 0);  // A20: three cells
    EXPECT_TRUE(spec.ValidateCatValue("Jane Q. Public", obs, format));
    EXPECT_EQ(std::string(obs[0].s, 8) + std::string(obs[1].s, 8) + std::string(obs[2].s, 4),
              "Jane Q. Public      ");
    ASSERT_GE(spec.ValidateVariable(TavoVarName("code")), 0);
    EXPECT_TRUE(spec.ValidateCatValue("ABCD", obs, format));
    EXPECT_FALSE(spec.ValidateCatValue("ABCDE", obs, format));
    spec.SetErrorReport(false);
    EXPECT_FALSE(spec.ValidateCatValue("ABCDE", obs, format));
    VarSpecObj::ReleaseOBS(obs);
    EXPECT_EQ(obs, nullptr);
    VarSpecObj::ReleaseOBS(obs);
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable v1 specified for " + kLoc +
                                " has value 2,5 of invalid type or format...",
                            "error: Variable v1 specified for " + kLoc +
                                " has value abc of invalid type or format...",
                            "error: Variable v1 specified for " + kLoc + " has value " +
                                std::string(40, '1') + " of invalid type or format...",
                            "error: Variable code specified for " + kLoc +
                                " has value ABCDE of invalid type or format..."));
}

}  // namespace
