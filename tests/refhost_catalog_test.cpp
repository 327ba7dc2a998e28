// Message catalogs in the reference host: loading a PO file into the string table, context
// entries for hosts that know the reporting method, and the lookups a host can watch or stop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "refhost/refhost.h"
#include "support/TempDir.h"
#include "uparser/ParserMessage.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kHeader[] =
    "msgid \"\"\n"
    "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

// Line 4 of every catalog below: a good entry, which a bad catalog must not register.
const char kGood[] =
    "msgid \"Subcommand ^1 has already been called...\"\n"
    "msgstr \"Subcommand ^1 is given more than once.\"\n\n";

class CatalogTest : public ::testing::Test {
  protected:
    void SetUp() override { refhost::ClearTranslations(); }
    void TearDown() override { refhost::ClearTranslations(); }

    std::string lookUp(const std::string& key, const std::string& procedure = "") {
        FacSTDictionary dictionary("strings");
        dictionary.SetProcedure(procedure);
        unsigned long status = 0;
        return dictionary.LookUp(key, status);
    }

    testsupport::TempDir mDir;
};

TEST_F(CatalogTest, LoadsWhatIsTranslatedAndKeepsContextsForHostsThatAsk) {
    const std::string path = mDir.write(
        "en.po", std::string(kHeader) + kGood +
                     "msgid \"Parameter ^1 already used...\"\n"
                     "msgstr \"\"\n\n"
                     "#, fuzzy\n"
                     "msgid \"The command is empty...\"\n"
                     "msgstr \"Nothing here.\"\n\n"
                     "msgctxt \"WrongValueType\"\n"
                     "msgid \"Subcommand ^1 has already been called...\"\n"
                     "msgstr \"Subcommand ^1 again.\"\n\n"
                     "#~ msgid \"Subcommand ^1 not recognized...\"\n"
                     "#~ msgstr \"Old.\"\n");
    std::string error;
    ASSERT_TRUE(refhost::LoadTranslations(path, error)) << error;

    EXPECT_EQ(lookUp("Subcommand ^1 has already been called...", "Tally"),
              "Subcommand ^1 is given more than once.");
    for (const char* untouched : {"Parameter ^1 already used...", "The command is empty...",
                                  "Subcommand ^1 not recognized..."}) {
        EXPECT_EQ(lookUp(untouched), untouched);
    }
    EXPECT_EQ(refhost::TranslateInContext("Tally", "WrongValueType",
                                          "Subcommand ^1 has already been called..."),
              "Subcommand ^1 again.");
    EXPECT_EQ(refhost::TranslateInContext("Tally", "SubComRepeated",
                                          "Subcommand ^1 has already been called..."),
              "Subcommand ^1 is given more than once.");

    // The library's own route: looked up, then filled.
    refhost::MessageLog log;
    ParserMessage().SubComRepeated("BINS");
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_EQ(log.messages()[0].text, "Subcommand BINS is given more than once.");

    refhost::ClearTranslations();
    ASSERT_TRUE(refhost::LoadTranslations(path, error, "Tally")) << error;
    EXPECT_EQ(lookUp("Subcommand ^1 has already been called...", "Tally"),
              "Subcommand ^1 is given more than once.");
    EXPECT_EQ(lookUp("Subcommand ^1 has already been called...", "Other"),
              "Subcommand ^1 has already been called...");
}

TEST_F(CatalogTest, BadCatalogGivesOneErrorWithFileAndLineAndRegistersNothing) {
    struct Case {
        const char* name;
        std::string content;
        std::string where;  // what follows the path in the error
        std::string what;
    };
    const Case cases[] = {
        {"unterminated.po", std::string(kHeader) + kGood + "msgid \"Open\nmsgstr \"x\"\n", ":8:",
         "end-of-line within string"},
        {"duplicate.po", std::string(kHeader) + kGood + kGood, ":7:", "duplicate"},
        {"placeholder.po",
         std::string(kHeader) + kGood +
             "msgid \"Variable ^1 for parameter ^2 is not numerical...\"\n"
             "msgstr \"Variable ^1 is not numeric.\"\n",
         ":7:", "placeholders ^1, its text ^1 ^2"},
        {"list.po",
         std::string(kHeader) + kGood + "\n\nmsgid \"One of the subcommands is required [%1:, ^1:]1...\"\n"
                                        "msgstr \"One of: [%1:, ^1:]2.\"\n",
         ":9:", "[...:]2"},
        {"latin1.po",
         "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n\n" +
             std::string(kGood),
         ": ", "ISO-8859-1; only UTF-8"},
        {"compiled.mo", std::string("\xde\x12\x04\x95\0\0\0\0", 8) + kGood, ": ", "compiled MO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = mDir.write(c.name, c.content);
        std::string error;
        EXPECT_FALSE(refhost::LoadTranslations(path, error));
        EXPECT_THAT(error, StartsWith(path + c.where));
        EXPECT_THAT(error, HasSubstr(c.what));
        EXPECT_EQ(error.find('\n'), std::string::npos);
        EXPECT_EQ(lookUp("Subcommand ^1 has already been called..."),
                  "Subcommand ^1 has already been called...");
    }
    for (const std::string& unreadable : {mDir.file("none.po"), mDir.path()}) {
        std::string error;
        EXPECT_FALSE(refhost::LoadTranslations(unreadable, error));
        EXPECT_THAT(error, StartsWith(unreadable + ": cannot read it: "));
    }
}

TEST_F(CatalogTest, HostCanWatchLookupsAndTurnTranslationsOff) {
    refhost::SetTranslation("", "The command is empty...", "Empty.");
    refhost::LookupLog outer;
    {
        refhost::LookupLog inner;
        EXPECT_EQ(lookUp("The command is empty...", "Tally"), "Empty.");
        {
            refhost::TranslationsOff off;
            const refhost::TranslationsOff nested;
            EXPECT_EQ(lookUp("The command is empty..."), "The command is empty...");
        }
        EXPECT_EQ(BpString("The command is empty...", true).AsString(), "Empty.");
        ASSERT_EQ(inner.lookups().size(), 3u);
        EXPECT_EQ(inner.lookups()[0].procedure, "Tally");
        EXPECT_TRUE(inner.lookups()[0].found);
        EXPECT_FALSE(inner.lookups()[1].found);
        EXPECT_EQ(inner.lookups()[2].procedure, "");
        EXPECT_EQ(inner.lookups()[2].english, "The command is empty...");
    }
    EXPECT_TRUE(outer.lookups().empty());
    lookUp("Parameter ^1 required...");
    ASSERT_EQ(outer.lookups().size(), 1u);
    EXPECT_FALSE(outer.lookups()[0].found);
}

}  // namespace
