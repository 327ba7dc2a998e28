#include "uparser/ParserValidator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/Translations.h"
#include "support/Messages.h"
#include "support/TestDictionary.h"
#include "uparser/CommandDescriptor.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::LevelTexts;
using namespace testsupport::vars;
using Names = std::vector<TavoVarName>;

class ParserValidatorTest : public testsupport::DictionaryTest {
  protected:
    ParserValidator mValidator{"PAIRTABLE", &mDict};
};

TEST_F(ParserValidatorTest, ASecondUseIsReportedWithBothPlaces) {
    TavoVarName name;
    VariableLocation location{"x", "y"};
    VariableLocation previous{"x", "y"};
    EXPECT_FALSE(mValidator.GetDuplicationInfo(name, location, previous));
    EXPECT_TRUE(name.empty());
    EXPECT_EQ(location.paramName, "");
    EXPECT_EQ(previous.subComName, "");

    EXPECT_EQ(mValidator.ValidateNewVar("AGE", "P", "S"), kAge);
    EXPECT_EQ(mValidator.ValidateNewVar("age", "Q", "T"), -1);
    ASSERT_TRUE(mValidator.GetDuplicationInfo(name, location, previous));
    EXPECT_EQ(name.str(), "age");
    EXPECT_EQ(location.paramName, "Q");
    EXPECT_EQ(location.subComName, "T");
    EXPECT_EQ(previous.paramName, "P");
    EXPECT_EQ(previous.subComName, "S");

    // A third use is reported against the first place, not the second.
    EXPECT_EQ(mValidator.ValidateNewVar("Age", "R", "S"), -1);
    EXPECT_TRUE(mValidator.GetDuplicationInfo(name, location, previous));
    EXPECT_EQ(previous.paramName, "P");
    // The same place twice, and places without names.
    EXPECT_EQ(mValidator.ValidateNewVar("v1", nullptr, nullptr), kV1);
    EXPECT_EQ(mValidator.ValidateNewVar("v1", "", nullptr), -1);
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable age for parameter parameter Q of subcommand T... "
                            "already occured in parameter parameter P of subcommand S......",
                            "error: Variable Age for parameter parameter R of subcommand S... "
                            "already occured in parameter P...",
                            "error: Variable v1 for parameter command line of PAIRTABLE "
                            "command... already used..."));
}

TEST_F(ParserValidatorTest, OtherListsShareTheRegistry) {
    EXPECT_EQ(mValidator.ValidateOtherVar("income", "P", "S"), kIncome);
    EXPECT_EQ(mValidator.ValidateOtherVar("INCOME", "Q", "T"), -1);
    EXPECT_EQ(mValidator.ValidateNewVar("income", "R", "S"), -1);
    EXPECT_EQ(mValidator.ValidateOtherVar("Income", "Q", "S"), -1);
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable name INCOME used for parameter parameter Q of "
                            "subcommand T... cannot be used for parameter parameter P of "
                            "subcommand S......",
                            "error: Variable income for parameter parameter R of subcommand "
                            "S... already occured in parameter P...",
                            "error: Variable name Income used for parameter parameter Q of "
                            "subcommand S... cannot also be used for P..."));
}

TEST_F(ParserValidatorTest, UnknownAndNonNumericNames) {
    // An unknown name is still registered.
    EXPECT_LT(mValidator.ValidateNewVar("nosuch", "P", "S"), 0);
    EXPECT_EQ(mValidator.ValidateNewVar("NOSUCH", "Q", "S"), -1);
    EXPECT_EQ(mValidator.GetNumericVarIndex("city", "P", "S"), -1);
    EXPECT_EQ(mValidator.GetVarIndex("city", "P", "S"), kCity);
    mValidator.SetNumericVars(true);
    EXPECT_EQ(mValidator.ValidateNewVar("city", "P", "S"), -1);
    EXPECT_EQ(mValidator.ValidateNewVar("v1", "P", "S"), kV1);
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable nosuch for parameter parameter P of subcommand S... "
                            "is not found in dictionary...",
                            "error: Variable NOSUCH for parameter parameter Q of subcommand S... "
                            "already occured in parameter P...",
                            "error: Variable city for parameter parameter P of subcommand S... is "
                            "not numerical...",
                            "error: Variable city for parameter parameter P of subcommand S... is "
                            "not numerical..."));

    mLog.clear();
    mValidator.SetErrorReport(false);
    EXPECT_LT(mValidator.GetVarIndex("other", "P", "S"), 0);
    EXPECT_EQ(mValidator.ValidateNewVar("city", "P", "S"), -1);  // a duplicate now
    EXPECT_EQ(mValidator.ValidateNewVar("name", "P", "S"), -1);
    EXPECT_THAT(mLog.messages(), IsEmpty());
    TavoVarName name;
    VariableLocation location;
    VariableLocation previous;
    EXPECT_TRUE(mValidator.GetDuplicationInfo(name, location, previous));
    EXPECT_EQ(name.str(), "city");

    // Without a dictionary every name is unknown.
    ParserValidator none;
    none.SetErrorReport(false);
    EXPECT_LT(none.ValidateNewVar("age", "P", "S"), 0);
}

TEST_F(ParserValidatorTest, ListsStopAtTheFirstFailure) {
    std::vector<int> indices{99};
    EXPECT_TRUE(mValidator.ValidateNewVarList({}, indices, "P", "S"));
    EXPECT_THAT(indices, IsEmpty());
    EXPECT_FALSE(mValidator.ValidateNewVarList(Names{"age", "nosuch", "v1"}, indices, "P", "S"));
    EXPECT_THAT(indices, ElementsAre(kAge));
    // v1 was never examined, so it is still free.
    EXPECT_TRUE(mValidator.ValidateOtherVarList(Names{"v1", "income"}, indices, "Q", "S"));
    EXPECT_THAT(indices, ElementsAre(kV1, kIncome));
    EXPECT_FALSE(mValidator.ValidateOtherVarList(Names{"city", "age"}, indices, "R", "S"));
    EXPECT_THAT(indices, ElementsAre(kCity));
    EXPECT_EQ(mLog.messages().size(), 2U);
}

TEST_F(ParserValidatorTest, CopiesKeepTheirOwnRegistry) {
    ASSERT_EQ(mValidator.ValidateNewVar("age", "P", "S"), kAge);
    ParserValidator copy = mValidator;
    EXPECT_EQ(copy.ValidateNewVar("v1", "P", "S"), kV1);
    EXPECT_EQ(copy.ValidateNewVar("age", "Q", "S"), -1);
    EXPECT_EQ(mValidator.ValidateNewVar("v1", "Q", "S"), kV1);
}

TEST_F(ParserValidatorTest, MessagesCarryTheProcedure) {
    refhost::SetTranslation("PairTable", "parameter ^1 of subcommand ^2...", "^2/^1");
    ParserValidator validator(CommandDescriptor("PAIRTABLE", "PairTable"), &mDict);
    EXPECT_LT(validator.GetVarIndex("nosuch", "P", "S"), 0);
    refhost::ClearTranslations();
    EXPECT_THAT(LevelTexts(mLog),
                ElementsAre("error: Variable nosuch for parameter S/P is not found in "
                            "dictionary..."));
}

}  // namespace
