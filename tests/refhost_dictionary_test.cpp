#include <gtest/gtest.h>

#include <string>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "support/TempDir.h"
#include "support/TestDictionary.h"
#include "uparser/host/CaseFile.h"

namespace {

using refhost::Dictionary;
using namespace TAVO_Variable_Enumerations;

TEST(RefhostDictionaryTest, AddsVariablesInOrderAndRefusesTakenNames) {
    Dictionary d;
    EXPECT_EQ(d.addNumeric("Age"), 0);
    EXPECT_EQ(d.addString("name", 12), 1);
    EXPECT_EQ(d.addNumeric("AGE"), -1);
    EXPECT_EQ(d.addString("NaMe", 3), -1);
    EXPECT_EQ(d.addVariable(TAVO_Variable("x", 0, Ordinal, {10, 5, 3})), 2);
    EXPECT_EQ(d.ColumnCount(), 3u);
    EXPECT_STREQ(d.GetVariable(0).GetName(), "Age");
    EXPECT_STREQ(d.GetVariable(2).GetName(), "x");
}

TEST(RefhostDictionaryTest, NumericAndStringVariablesGetTheirFormats) {
    Dictionary d;
    d.addNumeric("n");
    d.addNumeric("m", Nominal, 0);
    d.addString("s", 20);
    d.addString("t", 3, Scale);
    const TAVO_Variable& n = d.GetVariable(0);
    EXPECT_EQ(n.GetType(), 0);
    EXPECT_EQ(n.GetMeasurementLevel(), Scale);
    EXPECT_EQ(n.GetFormat().width, 8);
    EXPECT_EQ(n.GetFormat().type, 5);
    EXPECT_EQ(n.GetFormat().decimals, 2);
    EXPECT_EQ(d.GetVariable(1).GetFormat().decimals, 0);
    EXPECT_EQ(d.GetVariable(1).GetMeasurementLevel(), Nominal);
    const TAVO_Variable& s = d.GetVariable(2);
    EXPECT_EQ(s.GetType(), 20);
    EXPECT_EQ(s.GetMeasurementLevel(), Nominal);
    EXPECT_EQ(s.GetFormat().width, 20);
    EXPECT_EQ(s.GetFormat().type, 1);
    EXPECT_EQ(d.GetVariable(3).GetMeasurementLevel(), Scale);

    EXPECT_EQ(d.addString("w0", 0), -1);
    EXPECT_EQ(d.addString("wbig", 32768), -1);
    EXPECT_EQ(d.addNumeric("dneg", Scale, -1), -1);
    EXPECT_EQ(d.addNumeric("dbig", Scale, 256), -1);
    EXPECT_EQ(d.ColumnCount(), 4u);
}

TEST(RefhostDictionaryTest, FindsNamesIgnoringCase) {
    Dictionary d;
    d.addNumeric("Income");
    d.addNumeric("\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(d.FindVarIndex("income"), 0);
    EXPECT_EQ(d.FindVarIndex("INCOME"), 0);
    EXPECT_EQ(d.FindVarIndex("\xC3\xA9T\xC3\xA9"), 1);
    EXPECT_LT(d.FindVarIndex("incom"), 0);
    EXPECT_LT(d.FindVarIndex(""), 0);
    EXPECT_LT(d.FindVarIndex(nullptr), 0);
}

// Enough names to grow the index many times over and to make neighbouring names collide;
// every name must stay findable in either case and no name may be taken twice.
TEST(RefhostDictionaryTest, ManyNamesSurviveTheIndexGrowing) {
    Dictionary d;
    EXPECT_LT(d.FindVarIndex("v0"), 0);
    const int count = 5000;
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(d.addNumeric((i % 2 == 0 ? "v" : "V") + std::to_string(i)), i);
    }
    EXPECT_EQ(d.addNumeric("v4999"), -1);
    EXPECT_EQ(d.addNumeric("V0"), -1);
    const Dictionary copy = d;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::to_string(i);
        ASSERT_EQ(d.FindVarIndex(("v" + name).c_str()), i);
        ASSERT_EQ(copy.FindVarIndex(("V" + name).c_str()), i);
        ASSERT_LT(d.FindVarIndex(("w" + name).c_str()), 0);
        // A name with one more digit is the variable ten times further on, if there is one.
        const int longer = d.FindVarIndex(("v" + name + "0").c_str());
        if (i > 0 && i * 10 < count) {
            ASSERT_EQ(longer, i * 10);
        } else {
            ASSERT_LT(longer, 0);
        }
    }
    EXPECT_LT(d.FindVarIndex("v5000"), 0);
    EXPECT_LT(d.FindVarIndex("\xC3\x89t\xC3\x89"), 0);  // no folding beyond ASCII
    EXPECT_EQ(d.ColumnCount(), static_cast<unsigned>(count));
}

TEST(RefhostDictionaryDeathTest, IndexOutsideTheDictionaryIsABrokenPrecondition) {
    Dictionary d;
    d.addNumeric("a");
    EXPECT_DEATH(d.GetVariable(1), "Dictionary");
    EXPECT_DEATH(d.GetVariable(-1), "Dictionary");
}

TEST(RefhostDictionaryTest, TestDictionaryHasTheDocumentedVariables) {
    const Dictionary d = testsupport::TestDictionary();
    ASSERT_EQ(d.ColumnCount(), 14u);
    EXPECT_EQ(d.FindVarIndex("V1"), 6);
    EXPECT_EQ(d.FindVarIndex("v4"), 9);
    EXPECT_EQ(d.GetVariable(10).GetType(), 20);
    EXPECT_EQ(d.GetVariable(5).GetMeasurementLevel(), Ordinal);
    EXPECT_EQ(d.GetVariable(12).GetMeasurementLevel(), Unknown);
    EXPECT_EQ(d.GetVariable(13).GetType(), 8);
}

class RefhostCsvTest : public ::testing::Test {
  protected:
    Dictionary load(const std::string& content) {
        return Dictionary::fromCsv(mDir.write("data.csv", content));
    }
    testsupport::TempDir mDir;
};

TEST_F(RefhostCsvTest, ColumnsBecomeNumericOrStringVariables) {
    const Dictionary d = load(
        "id,name,score,group\n"
        "1,Ann,1.5,1\n"
        "2,Bob,-2e3,2\n"
        "3,Christopher,,1\n");
    ASSERT_EQ(d.ColumnCount(), 4u);
    EXPECT_STREQ(d.GetVariable(1).GetName(), "name");
    EXPECT_EQ(d.GetVariable(0).GetType(), 0);
    EXPECT_EQ(d.GetVariable(1).GetType(), 11);
    EXPECT_EQ(d.GetVariable(1).GetFormat().type, 1);
    EXPECT_EQ(d.GetVariable(1).GetMeasurementLevel(), Nominal);
    EXPECT_EQ(d.GetVariable(2).GetType(), 0);
    EXPECT_EQ(d.GetVariable(3).GetMeasurementLevel(), Nominal);
}

TEST_F(RefhostCsvTest, ElevenDistinctValuesMakeANumericColumnScale) {
    std::string ten = "a,b\n";
    for (int i = 0; i < 25; ++i) {
        ten += std::to_string(i % 10) + "," + std::to_string(i % 11) + ".0\n";
    }
    const Dictionary d = load(ten);
    EXPECT_EQ(d.GetVariable(0).GetMeasurementLevel(), Nominal);
    EXPECT_EQ(d.GetVariable(1).GetMeasurementLevel(), Scale);
}

TEST_F(RefhostCsvTest, QuotedCellsCountTheirUnquotedBytes) {
    const Dictionary d = load(
        "s,n\r\n"
        "\"a,b\",1\r\n"
        "\"say \"\"hi\"\"\r\nthere\",\"2\"\r\n");
    ASSERT_EQ(d.ColumnCount(), 2u);
    // say "hi"<CR><LF>there: 15 bytes
    EXPECT_EQ(d.GetVariable(0).GetType(), 15);
    EXPECT_EQ(d.GetVariable(1).GetType(), 0);
}

TEST_F(RefhostCsvTest, RaggedRowsBlankLinesBomAndMissingFinalLineEnd) {
    const Dictionary d = load(
        "\xEF\xBB\xBF a , b ,c\n"
        "1\n"
        "\n"
        "2,3,4,extra,cells\n"
        "5,,xy");
    ASSERT_EQ(d.ColumnCount(), 3u);
    EXPECT_STREQ(d.GetVariable(0).GetName(), "a");
    EXPECT_EQ(d.GetVariable(0).GetType(), 0);
    EXPECT_EQ(d.GetVariable(1).GetType(), 0);
    EXPECT_EQ(d.GetVariable(2).GetType(), 2);
}

TEST_F(RefhostCsvTest, HeaderOnlyGivesNumericColumnsAndEmptyStringsAreOneWide) {
    const Dictionary d = load("a,b");
    ASSERT_EQ(d.ColumnCount(), 2u);
    EXPECT_EQ(d.GetVariable(0).GetType(), 0);
    EXPECT_EQ(d.GetVariable(0).GetMeasurementLevel(), Nominal);
    const Dictionary e = load("a\n\"\"\nx\n");
    EXPECT_EQ(e.GetVariable(0).GetType(), 1);
}

TEST_F(RefhostCsvTest, UnreadableFilesAndBadHeadersThrow) {
    EXPECT_THROW(Dictionary::fromCsv(mDir.file("missing.csv")), ErrorText);
    EXPECT_THROW(Dictionary::fromCsv(mDir.path()), ErrorText);
    EXPECT_THROW(Dictionary::fromCsv(""), ErrorText);
    // The part before a NUL names a readable file, but the path as given names none.
    const std::string readable = mDir.write("good.csv", "a,b\n1,2\n");
    ASSERT_EQ(Dictionary::fromCsv(readable).ColumnCount(), 2u);
    EXPECT_THROW(Dictionary::fromCsv(readable + std::string("\0.bak", 5)), ErrorText);
    const char* bad[] = {"",      "\n1,2\n", "a,1b\n",    "a,,b\n",   "a,TO\n",  "a,A\n",
                         "x y\n", "a,b.\n",  "\"a,b\"\n", "a\tb,c\n", "a,\"\"\n"};
    for (const char* content : bad) {
        EXPECT_THROW(load(content), ErrorText) << content;
    }
    try {
        load("a,a\n");
        FAIL() << "a repeated name must throw";
    } catch (const ErrorText& error) {
        EXPECT_NE(error.Text().find("a"), std::string::npos);
        EXPECT_STREQ(error.what(), error.Text().c_str());
    }
}

// Names must be text; values are bytes to the host, so bad bytes there only earn a warning.
TEST_F(RefhostCsvTest, InvalidUtf8IsPlacedByLineAndColumn) {
    const std::pair<std::string, std::string> headers[] = {
        {"id,gr\xF6\xDF" "e\n1,2\n", "invalid UTF-8 byte 0xF6 at line 1, column 6 in its header"},
        {"\xEF\xBB\xBF\xC3\xA4,\xE9\n", "invalid UTF-8 byte 0xE9 at line 1, column 3 in its header"},
    };
    for (const auto& [content, message] : headers) {
        try {
            load(content);
            ADD_FAILURE() << "no error for " << content;
        } catch (const ErrorText& error) {
            EXPECT_NE(error.Text().find(message), std::string::npos) << error.Text();
        }
    }
    refhost::MessageLog log;
    const Dictionary d = load("name,n\nAnn,1\n\"Z\xFCrich\",2\n");
    EXPECT_EQ(d.ColumnCount(), 2u);
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_EQ(log.messages()[0].level, 2);
    EXPECT_NE(log.messages()[0].text.find("invalid UTF-8 byte 0xFC at line 3, column 3"),
              std::string::npos)
        << log.messages()[0].text;
}

TEST_F(RefhostCsvTest, ArbitraryBytesNeverCrash) {
    std::string junk = "a,b,c\n";
    for (int i = 0; i < 2000; ++i) {
        junk.push_back(static_cast<char>((i * 131 + 7) % 256));
    }
    const Dictionary d = load(junk);
    EXPECT_EQ(d.ColumnCount(), 3u);
    EXPECT_NO_THROW(load(std::string("a\n\"unterminated,\n\0\n", 19)));
}

}  // namespace
