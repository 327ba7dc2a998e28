#include "uparser/ParserUtility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <limits>
#include <locale>
#include <random>
#include <string>
#include <vector>

#include "refhost/ValueConversion.h"
#include "support/TempDir.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/TokenSequence.h"

using TAVO_Variable_Enumerations::MeasurementLevel;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using NumberRows = std::vector<std::vector<double>>;

// A dictionary of exactly the variables a test declares.
class FakeSource : public TAVO_DataSource {
  public:
    int addNumeric(const std::string& name, uint8_t decimals,
                   MeasurementLevel level = TAVO_Variable_Enumerations::Scale) {
        mVariables.emplace_back(name, 0, level, TAVO_Format{8, 5, decimals});
        return static_cast<int>(mVariables.size()) - 1;
    }
    int addString(const std::string& name, int width,
                  MeasurementLevel level = TAVO_Variable_Enumerations::Nominal) {
        mVariables.emplace_back(name, width, level,
                                TAVO_Format{static_cast<uint16_t>(width), 1, 0});
        return static_cast<int>(mVariables.size()) - 1;
    }

    int FindVarIndex(char const* name) const override {
        for (std::size_t i = 0; i < mVariables.size(); ++i) {
            if (name == std::string(mVariables[i].GetName())) {
                return static_cast<int>(i);
            }
        }
        return -7;  // any negative value means "absent"
    }
    unsigned int ColumnCount() const override {
        return static_cast<unsigned int>(mVariables.size());
    }
    const TAVO_Variable& GetVariable(int index) const override {
        return mVariables.at(static_cast<std::size_t>(index));
    }

  private:
    std::vector<TAVO_Variable> mVariables;
};

// A stream over upper-case token texts that records which operations were called.
class WordStream : public TAVO_TokenSequence {
  public:
    explicit WordStream(std::vector<std::string> words, bool nullText = false)
        : mWords(std::move(words)), mNullText(nullText) {}

    int getPosition() const override { return mPosition; }
    bool next() override {
        mCalls.push_back("next");
        if (mPosition + 1 >= static_cast<int>(mWords.size())) {
            return false;
        }
        ++mPosition;
        return true;
    }
    bool atEnd() const override { return false; }
    bool setPosition(int position) override {
        mCalls.push_back("setPosition(" + std::to_string(position) + ")");
        mPosition = position - 1;
        return true;
    }
    int getTokenCount() const override { return static_cast<int>(mWords.size()); }
    TokenType getType() const override { return StringToken; }
    OperatorCode getOperatorCode() const override { return NoOperator; }
    void getString(char const** text, unsigned* length) const override {
        getUpperString(text, length);
    }
    void getUpperString(char const** text, unsigned* length) const override {
        mCalls.push_back("getUpperString");
        if (mNullText) {
            return;
        }
        // Handed out without a terminating NUL, as a host may.
        mBuffer.assign(mWords[static_cast<std::size_t>(mPosition)].begin(),
                       mWords[static_cast<std::size_t>(mPosition)].end());
        *text = mBuffer.data();
        *length = static_cast<unsigned>(mBuffer.size());
    }
    double getNumeric() const override { return 0.0; }
    long getLineNumber() const override { return 1; }
    int getColumn() const override { return 1; }

    mutable std::vector<std::string> mCalls;

  private:
    std::vector<std::string> mWords;
    bool mNullText;
    int mPosition = -1;
    mutable std::vector<char> mBuffer;
};

// The host's decimal character is host-wide; every test starts and ends with ".".
class ParserUtilityValues : public ::testing::Test {
  protected:
    void SetUp() override { refhost::SetDecimalCharacter('.'); }
    void TearDown() override { refhost::SetDecimalCharacter('.'); }
};

}  // namespace

TEST(ParserUtilityText, CaseComparisonUpperCasesBothSidesButNeverTrims) {
    EXPECT_TRUE(AreStringsEqualCase("abc", "ABC"));
    EXPECT_TRUE(AreStringsEqualCase("", ""));
    EXPECT_FALSE(AreStringsEqualCase("ABC", "ABC "));
    EXPECT_FALSE(AreStringsEqualCase("ABC", "ABCD"));
    EXPECT_EQ(GetUpperString("mIxEd_9.x"), "MIXED_9.X");
    // Bytes of 0x80 and above belong to the host's code page and stay as they are.
    EXPECT_EQ(GetUpperString("\xe4q"), "\xe4Q");
}

TEST(ParserUtilityText, EmbeddedNulCutsTheTextAsTheHostSeesIt) {
    EXPECT_EQ(GetUpperString(std::string("ab\0cd", 5)), "AB");
    EXPECT_EQ(TrimString(std::string(" ab \0 cd", 8)), "ab");
}

TEST(ParserUtilityText, TrimRemovesOuterBlanksOnly) {
    EXPECT_EQ(TrimString("  a b \t"), "a b");
    EXPECT_EQ(TrimString("   "), "");
    EXPECT_EQ(TrimString(""), "");
    EXPECT_EQ(TrimString("x"), "x");
}

TEST(ParserUtilityText, VariableNamesCompareIgnoringCase) {
    EXPECT_EQ(GetUpperVarName(TavoVarName("income")).str(), "INCOME");
    EXPECT_TRUE(AreVarNamesEqualCase(TavoVarName("Age"), TavoVarName("aGE")));
    EXPECT_FALSE(AreVarNamesEqualCase(TavoVarName("Age"), TavoVarName("Age2")));
    EXPECT_TRUE(GetUpperVarName(TavoVarName()).empty());
}

TEST(ParserUtilityNumbers, IsValidIntegerAcceptsWholeNumbersOfThirtyTwoBits) {
    EXPECT_TRUE(IsValidInteger(2147483647.0));
    EXPECT_FALSE(IsValidInteger(2147483648.0));
    EXPECT_TRUE(IsValidInteger(-2147483648.0));
    EXPECT_FALSE(IsValidInteger(-2147483649.0));
    EXPECT_FALSE(IsValidInteger(2.5));
    EXPECT_FALSE(IsValidInteger(-0.5));
    EXPECT_TRUE(IsValidInteger(-0.0));
    EXPECT_FALSE(IsValidInteger(std::nan("")));
    EXPECT_FALSE(IsValidInteger(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsValidInteger(SystemMissingValue));
}

TEST(ParserUtilityNumbers, NumberToStringWritesSixSignificantDigits) {
    EXPECT_EQ(NumberToString(3.0), "3");
    EXPECT_EQ(NumberToString(0.5), "0.5");
    EXPECT_EQ(NumberToString(0.1), "0.1");
    EXPECT_EQ(NumberToString(-2.25), "-2.25");
    EXPECT_EQ(NumberToString(123456.0), "123456");
    EXPECT_EQ(NumberToString(1234567.0), "1.23457e+06");
    EXPECT_EQ(NumberToString(3.14159265), "3.14159");
    EXPECT_EQ(NumberToString(0.0001), "0.0001");
    EXPECT_EQ(NumberToString(0.00001), "1e-05");
    EXPECT_EQ(NumberToString(SystemMissingValue), "-1.79769e+308");
}

namespace {
struct GroupingPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(ParserUtilityNumbers, NumberToStringIgnoresTheProcessWideLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new GroupingPunct));
    const std::string written = NumberToString(123456.5);
    std::locale::global(previous);
    EXPECT_EQ(written, "123456");
}

TEST(ParserUtilityNumbers, IntegersAndIndexesAreWrittenInFullDecimal) {
    EXPECT_EQ(IntegerToString(-5), "-5");
    EXPECT_EQ(IntegerToString(0), "0");
    EXPECT_EQ(IntegerToString(123456789), "123456789");
    // Past the nine characters a fixed buffer would hold.
    EXPECT_EQ(IntegerToString(INT_MAX), "2147483647");
    EXPECT_EQ(IntegerToString(INT_MIN), "-2147483648");
    EXPECT_EQ(AppendIndexToString("", 3), "3");
    EXPECT_EQ(AppendIndexToString("VAR", 12), "VAR12");
    EXPECT_EQ(AppendIndexToString("v", INT_MIN), "v-2147483648");
}

TEST_F(ParserUtilityValues, LocaleCharacterIsTheHostsDecimalCharacter) {
    EXPECT_EQ(GetLocaleCharacter(), '.');
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    EXPECT_EQ(GetLocaleCharacter(), ',');
}

TEST_F(ParserUtilityValues, StringToNumberReadsInTheVariablesFormat) {
    FakeSource source;
    const int twoDecimals = source.addNumeric("x", 2);
    const int noDecimals = source.addNumeric("n", 0);
    // Without the appended "." the host would read 12 in F8.2 as 0.12.
    EXPECT_DOUBLE_EQ(StringToNumber("12", twoDecimals, &source, '.'), 12.0);
    EXPECT_DOUBLE_EQ(StringToNumber("12", noDecimals, &source, '.'), 12.0);
    EXPECT_DOUBLE_EQ(StringToNumber("-1.25", twoDecimals, &source, '.'), -1.25);
    EXPECT_DOUBLE_EQ(StringToNumber("1e3", noDecimals, &source, '.'), 1000.0);
    EXPECT_DOUBLE_EQ(StringToNumber("1.5e2", twoDecimals, &source, '.'), 150.0);
    // The "." goes at the very end, so an exponent without one is no longer a number.
    EXPECT_EQ(StringToNumber("1e3", twoDecimals, &source, '.'), SystemMissingValue);
    EXPECT_DOUBLE_EQ(StringToNumber("  7 ", noDecimals, &source, '.'), 7.0);
    EXPECT_EQ(StringToNumber("abc", twoDecimals, &source, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("1.2.3", twoDecimals, &source, '.'), SystemMissingValue);
    // An all-blank field is the host's system-missing value.
    EXPECT_EQ(StringToNumber("", noDecimals, &source, '.'), SystemMissingValue);
}

TEST_F(ParserUtilityValues, StringToNumberHandsTheHostItsDecimalCharacter) {
    FakeSource source;
    const int x = source.addNumeric("x", 2);
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    EXPECT_DOUBLE_EQ(StringToNumber("1.5", x, &source, ','), 1.5);
    // Implied decimals are still avoided: "12" becomes "12," before the host reads it.
    EXPECT_DOUBLE_EQ(StringToNumber("12", x, &source, ','), 12.0);
    // Told the wrong character, the "." stays and this host cannot read it.
    EXPECT_EQ(StringToNumber("1.5", x, &source, '.'), SystemMissingValue);
}

TEST_F(ParserUtilityValues, StringToNumberFailsWithoutANumericVariable) {
    FakeSource source;
    const int x = source.addNumeric("x", 2);
    const int s = source.addString("s", 8);
    EXPECT_EQ(StringToNumber("5", s, &source, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("5", -1, &source, '.'), SystemMissingValue);
    EXPECT_EQ(StringToNumber("5", x, nullptr, '.'), SystemMissingValue);
    // An index past the dictionary is treated like a negative one.
    EXPECT_EQ(StringToNumber("5", 2, &source, '.'), SystemMissingValue);
}

TEST_F(ParserUtilityValues, StringToNumberAcceptsTextsLongerThanTheFortyCharacterField) {
    FakeSource source;
    const int x = source.addNumeric("x", 2);
    // 40 characters already; the appended "." makes 41.
    EXPECT_DOUBLE_EQ(StringToNumber(std::string(39, '0') + "5", x, &source, '.'), 5.0);
    EXPECT_DOUBLE_EQ(StringToNumber(std::string(60, ' ') + "2.5", x, &source, '.'), 2.5);
    EXPECT_DOUBLE_EQ(StringToNumber("1." + std::string(80, '0') + "1", x, &source, '.'), 1.0);
    // Beyond what a format's width can describe the text cannot be read at all.
    EXPECT_EQ(StringToNumber(std::string(70000, '1'), x, &source, '.'), SystemMissingValue);
}

TEST(ParserUtilityCommandName, ComparesThePrefixOfTheFirstTokenAndRewinds) {
    WordStream longer({"ABCDEF", "X"});
    EXPECT_TRUE(CheckCommandName("ABC", longer));
    EXPECT_THAT(longer.mCalls, ElementsAre("next", "getUpperString", "setPosition(0)"));
    ASSERT_TRUE(longer.next());
    EXPECT_EQ(longer.getPosition(), 0);

    WordStream shorter({"AB"});
    EXPECT_FALSE(CheckCommandName("ABC", shorter));
    WordStream exact({"ABC"});
    EXPECT_TRUE(CheckCommandName("abc", exact));
    WordStream other({"ABD"});
    EXPECT_FALSE(CheckCommandName("abc", other));
}

TEST(ParserUtilityCommandName, EmptyStreamOrMissingTextDoesNotMatch) {
    WordStream empty({});
    EXPECT_FALSE(CheckCommandName("ABC", empty));
    EXPECT_THAT(empty.mCalls, ElementsAre("next", "setPosition(0)"));

    WordStream noText({"ABC"}, true);
    EXPECT_FALSE(CheckCommandName("ABC", noText));
    EXPECT_EQ(noText.mCalls.back(), "setPosition(0)");
}

TEST(ParserUtilityFiles, EmptyPathIsNeverAccepted) {
    EXPECT_EQ(GetExtendFilePath("", false, false, false), "");
    EXPECT_EQ(GetExtendFilePath("", true, true, true), "");
}

TEST(ParserUtilityFiles, AcceptanceDependsOnTheValidatorAndStrictFlags) {
    const testsupport::TempDir dir;
    const std::string existing = dir.write("data.csv", "a\n1\n");
    const std::string fresh = dir.file("new.csv");
    const std::string noDirectory = dir.file("missing/new.csv");

    // Plain check: the file must exist in an existing directory.
    EXPECT_EQ(GetExtendFilePath(existing, false, false, false), existing);
    EXPECT_EQ(GetExtendFilePath(fresh, false, true, false), "");
    EXPECT_EQ(GetExtendFilePath(dir.path(), false, false, false), dir.path());
    // Strict: and it must not be a directory.
    EXPECT_EQ(GetExtendFilePath(existing, false, false, true), existing);
    EXPECT_EQ(GetExtendFilePath(dir.path(), false, false, true), "");
    // Validator: a file to be written, existing or not, but no directory.
    EXPECT_EQ(GetExtendFilePath(fresh, true, false, true), fresh);
    EXPECT_EQ(GetExtendFilePath(existing, true, false, false), existing);
    EXPECT_EQ(GetExtendFilePath(dir.path(), true, false, false), "");
    EXPECT_EQ(GetExtendFilePath(noDirectory, true, false, false), "");
    EXPECT_EQ(GetExtendFilePath(noDirectory, false, false, false), "");
}

TEST(ParserUtilityFiles, ValidatorRejectsAFileThatCannotBeWritten) {
    const testsupport::TempDir dir;
    const std::string locked = dir.write("locked.csv", "a\n");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    if (access(locked.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user may write any file";
    }
    EXPECT_EQ(GetExtendFilePath(locked, true, false, false), "");
    EXPECT_EQ(GetExtendFilePath(locked, false, false, true), locked);
}

TEST(ParserUtilityFiles, RelativePathsAreResolvedByTheHost) {
    const std::string resolved = GetExtendFilePath(".", false, false, false);
    ASSERT_FALSE(resolved.empty());
    EXPECT_EQ(resolved.front(), '/');
}

TEST(ParserUtilityDictionary, CategoricalByLevelOrElseByType) {
    FakeSource source;
    const int numericUnknown = source.addNumeric("a", 0, TAVO_Variable_Enumerations::Unknown);
    const int stringUnknown = source.addString("b", 4, TAVO_Variable_Enumerations::Unknown);
    const int stringScale = source.addString("c", 4, TAVO_Variable_Enumerations::Scale);
    const int numericNominal = source.addNumeric("d", 0, TAVO_Variable_Enumerations::Nominal);
    const int numericOrdinal = source.addNumeric("e", 0, TAVO_Variable_Enumerations::Ordinal);
    const int numericOdd = source.addNumeric("f", 0, static_cast<MeasurementLevel>(9));
    const int stringNegative = source.addString("g", 4, static_cast<MeasurementLevel>(-1));
    EXPECT_FALSE(IsCatVar(numericUnknown, source));
    EXPECT_TRUE(IsCatVar(stringUnknown, source));
    EXPECT_FALSE(IsCatVar(stringScale, source));
    EXPECT_TRUE(IsCatVar(numericNominal, source));
    EXPECT_TRUE(IsCatVar(numericOrdinal, source));
    EXPECT_FALSE(IsCatVar(numericOdd, source));
    EXPECT_TRUE(IsCatVar(stringNegative, source));
}

TEST(ParserUtilityDictionaryDeathTest, NegativeIndexIsABrokenPrecondition) {
    FakeSource source;
    source.addNumeric("a", 0);
    EXPECT_DEATH(IsCatVar(-1, source), "ParserUtility");
}

TEST(ParserUtilityDictionary, ValidateVarListKeepsOneIndexPerName) {
    FakeSource source;
    source.addNumeric("a", 0);
    source.addNumeric("b", 0);
    source.addNumeric("c", 0);
    std::vector<int> indices{99, 98};
    EXPECT_FALSE(ValidateVarList({"c", "nothere", "a"}, indices, &source));
    EXPECT_THAT(indices, ElementsAre(2, -7, 0));

    EXPECT_TRUE(ValidateVarList({"b", "b"}, indices, &source));
    EXPECT_THAT(indices, ElementsAre(1, 1));

    EXPECT_TRUE(ValidateVarList({}, indices, &source));
    EXPECT_THAT(indices, IsEmpty());

    indices = {5};
    EXPECT_FALSE(ValidateVarList({"a"}, indices, nullptr));
    EXPECT_THAT(indices, IsEmpty());
}

TEST_F(ParserUtilityValues, SortValueListsOrdersNumbersNumerically) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    Rows texts{{"10"}, {"9"}, {"9.5"}, {"-1"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"-1"}, {"9"}, {"9.5"}, {"10"}}));
    EXPECT_THAT(numbers, IsEmpty());
}

TEST_F(ParserUtilityValues, SortValueListsReadsTextsWithoutImpliedDecimals) {
    FakeSource source;
    const int x = source.addNumeric("x", 2);
    // Read with implied decimals, "12" would be 0.12 and come first.
    Rows texts{{"100"}, {"12"}, {"9.5"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"9.5"}, {"12"}, {"100"}}));
}

TEST_F(ParserUtilityValues, SortValueListsHonoursTheHostsDecimalCharacter) {
    FakeSource source;
    const int x = source.addNumeric("x", 1);
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    Rows texts{{"10"}, {"1.5"}, {"9"}, {"1.25"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"1.25"}, {"1.5"}, {"9"}, {"10"}}));
}

TEST_F(ParserUtilityValues, SortValueListsOrdersStringValuesByBytes) {
    FakeSource source;
    const int s = source.addString("s", 8);
    Rows texts{{"b"}, {"B"}, {"a"}, {"\xc3\xa9"}, {"10"}, {"9"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({s}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"10"}, {"9"}, {"B"}, {"a"}, {"b"}, {"\xc3\xa9"}}));
}

TEST_F(ParserUtilityValues, SortValueListsPutsUnreadableValuesLast) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    Rows texts{{"zz"}, {"2"}, {"aa"}, {"1"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"1"}, {"2"}, {"aa"}, {"zz"}}));
}

TEST_F(ParserUtilityValues, SortValueListsComparesRowsVariableByVariable) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    const int s = source.addString("s", 4);
    Rows texts{{"2", "a"}, {"1", "b"}, {"2", "A"}, {"1", "a"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({x, s}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"1", "a"}, {"1", "b"}, {"2", "A"}, {"2", "a"}}));
}

TEST_F(ParserUtilityValues, SortValueListsCarriesNumberRowsAndUsesThemAsTieBreakers) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    Rows texts{{"3"}, {"1"}, {"1"}, {"1"}, {"2"}};
    NumberRows numbers{{30}, {5, 1}, {3}, {}, {std::nan("")}};
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, (Rows{{"1"}, {"1"}, {"1"}, {"2"}, {"3"}}));
    // A key that is a prefix of another comes first.
    ASSERT_EQ(numbers.size(), 5u);
    EXPECT_THAT(numbers[0], IsEmpty());
    EXPECT_THAT(numbers[1], ElementsAre(3.0));
    EXPECT_THAT(numbers[2], ElementsAre(5.0, 1.0));
    ASSERT_EQ(numbers[3].size(), 1u);
    EXPECT_TRUE(std::isnan(numbers[3][0]));
    EXPECT_THAT(numbers[4], ElementsAre(30.0));
}

TEST_F(ParserUtilityValues, SortValueListsRejectsTablesThatDoNotFit) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    const Rows originalTexts{{"2"}, {"1"}};
    const NumberRows originalNumbers{{1.0}};

    Rows texts = originalTexts;
    NumberRows numbers = originalNumbers;
    EXPECT_FALSE(SortValueLists({x}, texts, numbers, &source));
    EXPECT_EQ(texts, originalTexts);
    EXPECT_EQ(numbers, originalNumbers);

    Rows ragged{{"2"}, {"1", "0"}};
    NumberRows none;
    EXPECT_FALSE(SortValueLists({x}, ragged, none, &source));
    EXPECT_EQ(ragged, (Rows{{"2"}, {"1", "0"}}));
}

TEST_F(ParserUtilityValues, SortValueListsWithoutDictionaryOrdersByText) {
    Rows texts{{"9"}, {"10"}, {"b"}};
    NumberRows numbers;
    ASSERT_TRUE(SortValueLists({0}, texts, numbers, nullptr));
    EXPECT_EQ(texts, (Rows{{"10"}, {"9"}, {"b"}}));

    Rows empty;
    EXPECT_TRUE(SortValueLists({0}, empty, numbers, nullptr));
}

TEST_F(ParserUtilityValues, SortValueListsSortsManyRows) {
    FakeSource source;
    const int x = source.addNumeric("x", 0);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-5000, 5000);
    Rows texts;
    NumberRows numbers;
    for (int i = 0; i < 5000; ++i) {
        const int v = value(random);
        texts.push_back({std::to_string(v)});
        numbers.push_back({static_cast<double>(v)});
    }
    ASSERT_TRUE(SortValueLists({x}, texts, numbers, &source));
    for (std::size_t r = 0; r < texts.size(); ++r) {
        // Every row still carries its own number.
        EXPECT_EQ(std::stod(texts[r][0]), numbers[r][0]);
        if (r > 0) {
            EXPECT_LE(numbers[r - 1][0], numbers[r][0]);
        }
    }
}

TEST(ParserUtilityPlaceholders, HasBpCompArgClassifiesGroupMessageTexts) {
    EXPECT_EQ(HasBpCompArg(nullptr), 0);
    EXPECT_EQ(HasBpCompArg(""), 0);
    EXPECT_EQ(HasBpCompArg("^"), 0);
    EXPECT_EQ(HasBpCompArg("Group ^"), 0);
    EXPECT_EQ(HasBpCompArg("Plain text..."), 0);
    EXPECT_EQ(HasBpCompArg("Group ^1..."), 1);
    EXPECT_EQ(HasBpCompArg("^1 and ^1"), 1);
    EXPECT_EQ(HasBpCompArg("^1 and ^2"), -1);
    EXPECT_EQ(HasBpCompArg("^^1"), -1);
    EXPECT_EQ(HasBpCompArg("^10"), 1);
    EXPECT_EQ(HasBpCompArg("cost ^ x"), -1);
}
