#include "uparser/ParserUtility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <locale>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/TextTokenSequence.h"
#include "refhost/ValueConversion.h"
#include "support/TempDir.h"

using namespace TAVO_Variable_Enumerations;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Rows = std::vector<std::vector<std::string>>;
using NumberRows = std::vector<std::vector<double>>;

namespace {

// The decimal character is host-wide: every test starts and ends with ".".
class ParserUtilityValues : public ::testing::Test {
  protected:
    void SetUp() override { refhost::SetDecimalCharacter('.'); }
    void TearDown() override { refhost::SetDecimalCharacter('.'); }

    refhost::Dictionary dict;
    const int twoDecimals = dict.addNumeric("x", Scale, 2);
    const int noDecimals = dict.addNumeric("n", Scale, 0);
    const int text = dict.addString("s", 8);
};

struct GroupingPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

TEST(ParserUtility, CaseAndTrimmingAreTheHostsWithoutFurtherChanges) {
    EXPECT_TRUE(AreStringsEqualCase("abc", "ABC"));
    EXPECT_FALSE(AreStringsEqualCase("ABC", "ABC "));
    EXPECT_EQ(GetUpperString("mIxEd_9.\xe4q"), "MIXED_9.\xe4Q");
    EXPECT_EQ(TrimString("  a b \t"), "a b");
    EXPECT_EQ(TrimString("   "), "");
    // A text with an embedded NUL is cut there, as the host sees it.
    EXPECT_EQ(GetUpperString(std::string("ab\0cd", 5)), "AB");
    EXPECT_EQ(TrimString(std::string(" ab \0 cd", 8)), "ab");
    // Texts around the length that still fits the copy on the stack, and far beyond it.
    for (const std::size_t length : {63, 64, 65, 1000}) {
        EXPECT_EQ(GetUpperString(std::string(length, 'q') + std::string("\0x", 2)),
                  std::string(length, 'Q'));
        EXPECT_EQ(TrimString(" " + std::string(length, 'q') + " "), std::string(length, 'q'));
    }
    EXPECT_EQ(GetUpperVarName(TavoVarName("income")).str(), "INCOME");
    EXPECT_TRUE(AreVarNamesEqualCase(TavoVarName("Age"), TavoVarName("aGE")));
    EXPECT_FALSE(AreVarNamesEqualCase(TavoVarName("Age"), TavoVarName("Age2")));
}

TEST(ParserUtility, IsValidIntegerAcceptsWholeNumbersOfThirtyTwoBits) {
    EXPECT_TRUE(IsValidInteger(2147483647.0));
    EXPECT_FALSE(IsValidInteger(2147483648.0));
    EXPECT_TRUE(IsValidInteger(-2147483648.0));
    EXPECT_FALSE(IsValidInteger(-2147483649.0));
    EXPECT_FALSE(IsValidInteger(2.5));
    EXPECT_TRUE(IsValidInteger(-0.0));
    EXPECT_FALSE(IsValidInteger(std::nan("")));
    EXPECT_FALSE(IsValidInteger(SystemMissingValue));
}

TEST(ParserUtility, NumbersAreWrittenWithSixSignificantDigitsWhateverTheLocale) {
    EXPECT_EQ(NumberToString(3.0), "3");
    EXPECT_EQ(NumberToString(0.1), "0.1");
    EXPECT_EQ(NumberToString(123456.0), "123456");
    EXPECT_EQ(NumberToString(1234567.0), "1.23457e+06");
    EXPECT_EQ(NumberToString(0.00001), "1e-05");
    EXPECT_EQ(NumberToString(-999999.5), "-1e+06");  // rounding carries into the exponent
    EXPECT_EQ(NumberToString(SystemMissingValue), "-1.79769e+308");
    EXPECT_EQ(NumberToString(HUGE_VAL), "inf");
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new GroupingPunct));
    const std::string written = NumberToString(1234.5);
    std::locale::global(previous);
    EXPECT_EQ(written, "1234.5");
}

TEST(ParserUtility, IntegersAndIndexesAreWrittenInFullDecimal) {
    EXPECT_EQ(IntegerToString(-5), "-5");
    EXPECT_EQ(IntegerToString(0), "0");
    EXPECT_EQ(IntegerToString(INT_MIN), "-2147483648");  // beyond nine characters
    EXPECT_EQ(AppendIndexToString("", 3), "3");
    EXPECT_EQ(AppendIndexToString("VAR", 12), "VAR12");
    EXPECT_EQ(AppendIndexToString("v", INT_MAX), "v2147483647");
}

TEST_F(ParserUtilityValues, TextsAreReadInTheVariablesFormatWithoutImpliedDecimals) {
    EXPECT_EQ(GetLocaleCharacter(), '.');
    // Without the appended "." the host would read 12 in F8.2 as 0.12.
    EXPECT_DOUBLE_EQ(StringToNumber("12", twoDecimals, &dict, '.'), 12.0);
    EXPECT_DOUBLE_EQ(StringToNumber("-1.25", twoDecimals, &dict, '.'), -1.25);
    EXPECT_DOUBLE_EQ(StringToNumber("1e3", noDecimals, &dict, '.'), 1000.0);
    // The "." goes at the very end, so an exponent without one no longer reads.
    EXPECT_EQ(StringToNumber("1e3", twoDecimals, &dict, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("abc", twoDecimals, &dict, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("", noDecimals, &dict, '.'), SystemMissingValue);
    // Texts beyond the 40-character field are still read.
    EXPECT_DOUBLE_EQ(StringToNumber(std::string(39, '0') + "5", twoDecimals, &dict, '.'), 5.0);
    EXPECT_DOUBLE_EQ(StringToNumber(std::string(60, ' ') + "2.5", twoDecimals, &dict, '.'), 2.5);
    EXPECT_EQ(StringToNumber(std::string(70000, '1'), noDecimals, &dict, '.'), SystemMissingValue);
}

TEST_F(ParserUtilityValues, TheHostGetsItsOwnDecimalCharacter) {
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    EXPECT_EQ(GetLocaleCharacter(), ',');
    EXPECT_DOUBLE_EQ(StringToNumber("1.5", twoDecimals, &dict, ','), 1.5);
    EXPECT_DOUBLE_EQ(StringToNumber("12", twoDecimals, &dict, ','), 12.0);
    EXPECT_EQ(StringToNumber("1.5", twoDecimals, &dict, '.'), SystemMissingValue);
}

TEST_F(ParserUtilityValues, NoNumericVariableMeansSystemMissing) {
    EXPECT_EQ(StringToNumber("5", text, &dict, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("5", -1, &dict, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("5", twoDecimals, nullptr, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("5", 3, &dict, '.'), SystemMissingValue);  // past the end
}

TEST(ParserUtility, CommandNameMatchesAPrefixOfTheFirstTokenAndRewinds) {
    const auto check = [](const char* name, const char* command) {
        refhost::TextTokenSequence stream(command);
        const bool result = CheckCommandName(name, stream);
        EXPECT_EQ(stream.getPosition(), 0) << command;
        return result;
    };
    EXPECT_TRUE(check("ABC", "abcdef x"));
    EXPECT_FALSE(check("ABC", "ab c"));
    EXPECT_TRUE(check("abc", "ABC"));
    EXPECT_FALSE(check("ABC", "ABD"));
    EXPECT_FALSE(check("ABC", ""));
}

TEST(ParserUtility, FilePathAcceptanceFollowsTheValidatorAndStrictFlags) {
    const testsupport::TempDir dir;
    const std::string existing = dir.write("data.csv", "a\n1\n");
    const std::string fresh = dir.file("new.csv");
    const std::string noDirectory = dir.file("missing/new.csv");
    EXPECT_EQ(GetExtendFilePath("", true, true, false), "");

    EXPECT_EQ(GetExtendFilePath(existing, false, false, false), existing);
    EXPECT_EQ(GetExtendFilePath(fresh, false, true, false), "");
    EXPECT_EQ(GetExtendFilePath(dir.path(), false, false, false), dir.path());
    EXPECT_EQ(GetExtendFilePath(dir.path(), false, false, true), "");
    EXPECT_EQ(GetExtendFilePath(fresh, true, false, true), fresh);
    EXPECT_EQ(GetExtendFilePath(dir.path(), true, false, false), "");
    EXPECT_EQ(GetExtendFilePath(noDirectory, true, false, false), "");
    EXPECT_EQ(GetExtendFilePath(".", false, false, false).front(), '/');
}

TEST(ParserUtility, CategoricalByLevelOrElseByType) {
    refhost::Dictionary dict;
    EXPECT_FALSE(IsCatVar(dict.addNumeric("a", Unknown), dict));
    EXPECT_TRUE(IsCatVar(dict.addString("b", 4, Unknown), dict));
    EXPECT_FALSE(IsCatVar(dict.addString("c", 4, Scale), dict));
    EXPECT_TRUE(IsCatVar(dict.addNumeric("d", Nominal), dict));
    EXPECT_TRUE(IsCatVar(dict.addNumeric("e", Ordinal), dict));
    const TAVO_Format f{8, 5, 0};
    EXPECT_FALSE(IsCatVar(dict.addVariable({"f", 0, static_cast<MeasurementLevel>(9), f}), dict));
    EXPECT_TRUE(IsCatVar(dict.addVariable({"g", 4, static_cast<MeasurementLevel>(-1), f}), dict));
    EXPECT_DEATH(IsCatVar(-1, dict), "ParserUtility");
}

TEST(ParserUtility, ValidateVarListKeepsOneIndexPerName) {
    refhost::Dictionary dict;
    dict.addNumeric("a");
    dict.addNumeric("b");
    std::vector<int> indices{99};
    EXPECT_FALSE(ValidateVarList({"b", "nothere", "A"}, indices, &dict));
    ASSERT_EQ(indices.size(), 3u);
    EXPECT_EQ(indices[0], 1);
    EXPECT_LT(indices[1], 0);
    EXPECT_EQ(indices[2], 0);
    EXPECT_TRUE(ValidateVarList({"a"}, indices, &dict));
    EXPECT_THAT(indices, ElementsAre(0));
    EXPECT_FALSE(ValidateVarList({"a"}, indices, nullptr));
    EXPECT_THAT(indices, IsEmpty());
}

TEST_F(ParserUtilityValues, RowsSortByTheNumbersTheirTextsDenote) {
    Rows texts{{"10"}, {"9"}, {"9.5"}, {"-1"}};
    NumberRows none;
    ASSERT_TRUE(SortValueLists({noDecimals}, texts, none, &dict));
    EXPECT_EQ(texts, (Rows{{"-1"}, {"9"}, {"9.5"}, {"10"}}));
    // Read with implied decimals, "12" would be 0.12 and come first.
    texts = {{"100"}, {"12"}, {"9.5"}};
    ASSERT_TRUE(SortValueLists({twoDecimals}, texts, none, &dict));
    EXPECT_EQ(texts, (Rows{{"9.5"}, {"12"}, {"100"}}));
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    texts = {{"10"}, {"1.5"}, {"1.25"}};
    ASSERT_TRUE(SortValueLists({twoDecimals}, texts, none, &dict));
    EXPECT_EQ(texts, (Rows{{"1.25"}, {"1.5"}, {"10"}}));
}

TEST_F(ParserUtilityValues, UnreadableAndStringValuesSortByTextAfterNumbers) {
    Rows texts{{"zz"}, {"2"}, {"aa"}, {"1"}};
    NumberRows none;
    ASSERT_TRUE(SortValueLists({noDecimals}, texts, none, &dict));
    EXPECT_EQ(texts, (Rows{{"1"}, {"2"}, {"aa"}, {"zz"}}));
    texts = {{"2", "b"}, {"10", "b"}, {"2", "B"}, {"\xc3\xa9", "a"}};
    ASSERT_TRUE(SortValueLists({text, text}, texts, none, &dict));
    EXPECT_EQ(texts, (Rows{{"10", "b"}, {"2", "B"}, {"2", "b"}, {"\xc3\xa9", "a"}}));
}

TEST_F(ParserUtilityValues, NumberRowsTravelWithTheirRowsAndBreakTies) {
    Rows texts{{"3"}, {"1"}, {"1"}, {"1"}, {"2"}};
    NumberRows numbers{{30}, {5, 1}, {3}, {}, {std::nan("")}};
    ASSERT_TRUE(SortValueLists({noDecimals}, texts, numbers, &dict));
    EXPECT_EQ(texts, (Rows{{"1"}, {"1"}, {"1"}, {"2"}, {"3"}}));
    EXPECT_THAT(numbers[0], IsEmpty());  // a key that is a prefix of another comes first
    EXPECT_THAT(numbers[1], ElementsAre(3.0));
    EXPECT_THAT(numbers[2], ElementsAre(5.0, 1.0));
    EXPECT_TRUE(std::isnan(numbers[3].at(0)));
    EXPECT_THAT(numbers[4], ElementsAre(30.0));
}

TEST_F(ParserUtilityValues, TablesThatDoNotFitAreLeftAlone) {
    Rows texts{{"2"}, {"1"}};
    NumberRows numbers{{1.0}};
    EXPECT_FALSE(SortValueLists({noDecimals}, texts, numbers, &dict));
    EXPECT_EQ(texts, (Rows{{"2"}, {"1"}}));
    EXPECT_EQ(numbers, (NumberRows{{1.0}}));
    Rows ragged{{"2"}, {"1", "0"}};
    NumberRows none;
    EXPECT_FALSE(SortValueLists({noDecimals}, ragged, none, &dict));
    EXPECT_EQ(ragged, (Rows{{"2"}, {"1", "0"}}));
}

TEST(ParserUtility, HasBpCompArgClassifiesPlaceholders) {
    EXPECT_EQ(HasBpCompArg(nullptr), 0);
    EXPECT_EQ(HasBpCompArg(""), 0);
    EXPECT_EQ(HasBpCompArg("^"), 0);
    EXPECT_EQ(HasBpCompArg("Group ^"), 0);
    EXPECT_EQ(HasBpCompArg("^1 and ^1"), 1);
    EXPECT_EQ(HasBpCompArg("^1 and ^2"), -1);
    EXPECT_EQ(HasBpCompArg("^^1"), -1);
    EXPECT_EQ(HasBpCompArg("cost ^ x"), -1);
}
