#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "refhost/refhost.h"

namespace {

class OutputTest : public ::testing::Test {
  protected:
    void SetUp() override { refhost::ClearTranslations(); }
    void TearDown() override { refhost::ClearTranslations(); }
};

std::string composite(const std::string& format, const std::vector<std::string>& args) {
    BpComposite cell(format, false);
    for (const std::string& arg : args) {
        cell.Add(BpString(arg, false));
    }
    cell.Finish();
    return cell.AsString();
}

TEST_F(OutputTest, LookUpPrefersProcedureThenCommonTableThenKey) {
    refhost::SetTranslation("", "Hello...", "Hallo...");
    refhost::SetTranslation("Gauge", "Hello...", "Servus...");
    FacSTDictionary dictionary(PathFactory::getPathInstance()->getStringTableDir());
    unsigned long status = 7;

    EXPECT_EQ(dictionary.LookUp("Hello...", status), "Hallo...");
    EXPECT_EQ(status, 0u);
    dictionary.SetProcedure("Gauge");
    EXPECT_EQ(dictionary.LookUp("Hello...", status), "Servus...");
    dictionary.SetProcedure("PairTable");
    EXPECT_EQ(dictionary.LookUp("Hello...", status), "Hallo...");
    EXPECT_EQ(dictionary.LookUp("Bye...", status), "Bye...");
    EXPECT_EQ(status, 1u);

    refhost::ClearTranslations();
    EXPECT_EQ(dictionary.LookUp("Hello...", status), "Hello...");
}

TEST_F(OutputTest, PathFactoryHandsOutOneFinder) {
    PathFinder* finder = PathFactory::getPathInstance();
    ASSERT_NE(finder, nullptr);
    EXPECT_EQ(finder, PathFactory::getPathInstance());
    EXPECT_FALSE(finder->getStringTableDir().empty());
}

TEST_F(OutputTest, OmCompositeFillsPlaceholdersOnce) {
    OmComposite cell{OmStringCell("^2 before ^1, ^3 unfilled, ^0 and ^ stay^")};
    cell.Add(OmStringCell("one"));
    cell.Add(OmStringCell("^1"));  // a value with a placeholder is not expanded again
    cell.End();
    cell.Substitute(nullptr, false);
    EXPECT_EQ(cell.AsString(), "^1 before one, ^3 unfilled, ^0 and ^ stay^");
}

TEST_F(OutputTest, BpStringTranslatesOnlyWhenAsked) {
    refhost::SetTranslation("", "Yes...", "Ja...");
    refhost::SetTranslation("Gauge", "No...", "Nein...");
    EXPECT_EQ(BpString("Yes...", true).AsString(), "Ja...");
    EXPECT_EQ(BpString("Yes...", false).AsString(), "Yes...");
    // The output service looks up the common table only.
    EXPECT_EQ(BpString("No...", true).AsString(), "No...");
}

TEST_F(OutputTest, BpNumberWritesPlainDecimals) {
    const BpFormatSpec count = BpProcedure::Count();
    EXPECT_EQ(BpNumber(3, count).AsString(), "3");
    EXPECT_EQ(BpNumber(-0.0, count).AsString(), "0");
    EXPECT_EQ(BpNumber(2.5, count).AsString(), "2.5");
    EXPECT_EQ(BpNumber(-0.25, count).AsString(), "-0.25");
    EXPECT_EQ(BpNumber(0.1, count).AsString(), "0.1");
    EXPECT_EQ(BpNumber(12345678, count).AsString(), "12345678");
    EXPECT_EQ(BpNumber(1e-7, count).AsString(), "0.0000001");
    EXPECT_EQ(BpNumber(std::nan(""), count).AsString(), "nan");
    EXPECT_EQ(BpNumber(-std::numeric_limits<double>::infinity(), count).AsString(), "-inf");
    EXPECT_EQ(BpNumber(-1.7976931348623157e308, count).AsString().size(), 310u);
}

TEST_F(OutputTest, BpCompositeSubstitutesAndTranslatesItsFormat) {
    refhost::SetTranslation("", "^1 and ^2...", "^2 und ^1...");
    BpComposite translatedCell("^1 and ^2...", true);
    translatedCell.Add(BpString("a", false));
    translatedCell.Add(BpNumber(4, BpProcedure::Count()));
    translatedCell.Finish();
    EXPECT_EQ(translatedCell.AsString(), "4 und a...");

    BpComposite plain("^1 and ^2...", false);
    plain.Add(translatedCell);  // a composite is a cell like any other
    plain.Finish();
    EXPECT_EQ(plain.AsString(), "4 und a... and ^2...");
}

TEST_F(OutputTest, SublistFillsItsBracketGroup) {
    const std::string format = "Need one of [%1:, ^1:]1...";
    BpComposite names(format, false);
    names.Sublist();
    for (const char* name : {"A", "B", "C"}) {
        names.Add(BpString(name, false));
    }
    names.EndSublist();
    names.Finish();
    EXPECT_EQ(names.AsString(), "Need one of A, B, C...");

    BpComposite empty(format, false);
    empty.Sublist();
    empty.EndSublist();
    empty.Finish();
    EXPECT_EQ(empty.AsString(), "Need one of ...");
}

TEST_F(OutputTest, SplitListAddsNothingAfterThePlainArguments) {
    BpComposite cell("Variable ^1 for ^3 has value ^2, split [%1 = %2:,^1 = ^2:]4...", false);
    for (const char* arg : {"X", "7", "parameter P"}) {
        cell.Add(BpString(arg, false));
    }
    cell.Sublist();
    cell.SplitList();
    cell.EndSublist();
    cell.Finish();
    EXPECT_EQ(cell.AsString(), "Variable X for parameter P has value 7, split ...");
}

TEST_F(OutputTest, SublistStateEdges) {
    BpComposite cell("^1|^2|[<%1>:;^1:]1", false);
    cell.Sublist();
    cell.Add(BpString("a", false));
    cell.Sublist();  // no nesting: still the same list
    cell.Add(BpString("b", false));
    cell.Finish();  // closes the open list
    cell.Add(BpString("after", false));
    cell.EndSublist();  // nothing open: ignored
    EXPECT_EQ(cell.AsString(), "a, b|after|<a>;b");
}

TEST_F(OutputTest, MalformedBracketGroupsStayAsWritten) {
    const std::vector<std::string> args = {"x", "y"};
    EXPECT_EQ(composite("[%1:;^1:]2", args), "y");  // a plain cell goes through P
    EXPECT_EQ(composite("[%1:;^1:]3 ^1", args), "[%1:;^1:]3 x");
    EXPECT_EQ(composite("[%1:;^1:]0", args), "[%1:;^1:]0");
    EXPECT_EQ(composite("[%1:;^1:]99999999999999999999999999", args),
              "[%1:;^1:]99999999999999999999999999");
    EXPECT_EQ(composite("[%1:;^1:] ^2", args), "[%1:;x:] y");  // not a group: plain text
    EXPECT_EQ(composite("[%1:;^1 ^1", args), "[%1:;x x");
    EXPECT_EQ(composite("[no colon ^2", args), "[no colon y");
    EXPECT_EQ(composite("[", args), "[");
    EXPECT_EQ(composite("^", args), "^");
    EXPECT_EQ(composite("^9^0^^1", args), "^9^0^x");
}

// Every text of these characters renders without reading outside the format (the sanitizers
// watch) and the cells' own texts never turn into placeholders.
TEST_F(OutputTest, RandomFormatsRenderSafely) {
    const std::string alphabet = "^[]:%0123456789a ";
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string format;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            format += alphabet[random() % alphabet.size()];
        }
        BpComposite cell(format, false);
        cell.Add(BpString("[%1:^1:]1", false));
        cell.Sublist();
        cell.Add(BpString("^2", false));
        cell.EndSublist();
        cell.Finish();
        const std::string text = cell.AsString();
        EXPECT_LE(text.size(), format.size() * 10 + 16) << format;
    }
}

TEST_F(OutputTest, InnermostLiveLogRecords) {
    refhost::MessageLog outer;
    BpError(BpString("first", false), BpShowDisplayed, BpLevelError);
    {
        refhost::MessageLog inner;
        BpError(BpString("second", false), BpShowDisplayed, BpLevelWarning);
        ASSERT_EQ(inner.messages().size(), 1u);
        EXPECT_EQ(inner.messages()[0].level, 2);
        EXPECT_EQ(inner.messages()[0].show, 2);
        EXPECT_EQ(inner.messages()[0].text, "second");
    }
    BpError(BpString("third", false), BpShowLogged, BpLevelError);
    ASSERT_EQ(outer.messages().size(), 2u);
    EXPECT_EQ(outer.messages()[0].text, "first");
    EXPECT_EQ(outer.messages()[1].text, "third");
    EXPECT_EQ(outer.messages()[1].level, 3);
    EXPECT_EQ(outer.messages()[1].show, 1);
    outer.clear();
    EXPECT_TRUE(outer.messages().empty());
}

TEST_F(OutputTest, LogsMayDieInAnyOrder) {
    auto first = std::make_unique<refhost::MessageLog>();
    refhost::MessageLog second;
    first.reset();
    BpError(BpString("kept", false), BpShowDisplayed, BpLevelError);
    EXPECT_EQ(second.messages().size(), 1u);
}

TEST_F(OutputTest, WithoutLogMessagesGoToStandardError) {
    ::testing::internal::CaptureStderr();
    BpError(BpString("bad thing", false), BpShowDisplayed, BpLevelError);
    BpError(BpString("odd thing", false), BpShowDisplayed, BpLevelWarning);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "error: bad thing\nwarning: odd thing\n");
}

}  // namespace
