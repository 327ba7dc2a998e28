// The message catalogs in po/: the template follows the library, the shipped catalogs are
// complete, and every reporting method reads well through each of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "refhost/refhost.h"
#include "support/TempDir.h"
#include "tools/potgen/CatalogCalls.h"
#include "tools/potgen/MessageTemplate.h"

namespace {

std::string Source(const std::string& path) {
    const char* dir = std::getenv("UPARSER_SOURCE_DIR");
    return std::string(dir != nullptr ? dir : "..") + "/" + path;
}

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// "context\x04english" for an entry with a context, "english" for one without.
std::string KeyOf(const std::string& context, const std::string& english) {
    return context.empty() ? english : context + '\x04' + english;
}

std::set<std::string> TemplateKeys() {
    std::vector<refhost::CatalogEntry> entries;
    std::string error;
    EXPECT_TRUE(refhost::ReadCatalog(Source("po/uparser.pot"), entries, error)) << error;
    std::set<std::string> keys;
    for (const refhost::CatalogEntry& entry : entries) {
        keys.insert(KeyOf(entry.context, entry.english));
    }
    return keys;
}

class Catalogs : public ::testing::Test {
  protected:
    void TearDown() override { refhost::ClearTranslations(); }
};

TEST_F(Catalogs, TemplateIsWhatTheLibraryGeneratesToday) {
    std::vector<potgen::TemplateEntry> entries;
    std::string error;
    ASSERT_TRUE(potgen::BuildTemplate(entries, error)) << error;
    testsupport::TempDir dir;
    ASSERT_TRUE(potgen::WriteTemplate(entries, dir.file("uparser.pot"), error)) << error;
    EXPECT_TRUE(Slurp(dir.file("uparser.pot")) == Slurp(Source("po/uparser.pot")))
        << "po/uparser.pot is out of date: regenerate it with potgen po/uparser.pot, then "
           "msgmerge the catalogs";
}

// A text added to the sources, or a reporting method added to ParserMessage, that the table
// of calls does not reach would be missing from the template.
TEST_F(Catalogs, TemplateCoversEveryTextAndReportingMethodOfTheSources) {
    const std::set<std::string> keys = TemplateKeys();
    // The two texts the library never looks up: they cannot be translated.
    const std::set<std::string> fixed = {
        "^1. ^2", "This group info message has invalid format an cannot be displayed..."};
    const std::regex literal("\"((?:[^\"\\\\]|\\\\.)*)\"");
    for (const char* unit : {"uparser/ParserMessage.cpp", "uparser/ParserMessageCatalog.cpp"}) {
        const std::string source = Slurp(Source(unit));
        ASSERT_FALSE(source.empty()) << unit;
        for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
            const std::string text = (*it)[1];
            if ((text.find("...") != std::string::npos || text.find('^') != std::string::npos) &&
                fixed.count(text) == 0) {
                EXPECT_EQ(keys.count(text), 1u) << unit << ": \"" << text << "\"";
            }
        }
    }

    std::set<std::string> called;
    for (const potgen::CatalogCall& call : potgen::AllCatalogCalls()) {
        called.insert(call.method);
    }
    const std::string header = Slurp(Source("uparser/ParserMessage.h"));
    const std::regex reporting("void ([A-Z][A-Za-z]+)\\([^;]*\\) const;");
    const std::set<std::string> engine = {"SimpleMessage",  "SimpleError",  "SimpleWarning",
                                          "GenericMessage", "GenericError", "GenericWarning"};
    int methods = 0;
    for (std::sregex_iterator it(header.begin(), header.end(), reporting), end; it != end; ++it) {
        const std::string method = (*it)[1];
        if (engine.count(method) == 0) {
            ++methods;
            EXPECT_EQ(called.count(method), 1u) << "no call of ParserMessage::" << method;
        }
    }
    EXPECT_GT(methods, 150);
}

TEST_F(Catalogs, ShippedCatalogsTranslateEveryEntryOfTheTemplate) {
    const std::set<std::string> keys = TemplateKeys();
    for (const char* catalog : {"po/en.po", "po/de.po"}) {
        SCOPED_TRACE(catalog);
        std::vector<refhost::CatalogEntry> entries;
        std::string error;
        // Reading also checks that each translation keeps its text's placeholders.
        ASSERT_TRUE(refhost::ReadCatalog(Source(catalog), entries, error)) << error;
        std::set<std::string> translated;
        for (const refhost::CatalogEntry& entry : entries) {
            EXPECT_FALSE(entry.fuzzy || entry.translated.empty()) << entry.english;
            translated.insert(KeyOf(entry.context, entry.english));
        }
        EXPECT_EQ(translated, keys);
    }
}

// What no reader should meet: a placeholder left as it is, a word twice ("parameter
// parameter"), a run of dots, and in English any ellipsis. A message ends as a sentence.
void ExpectReadable(const std::string& text, bool english, bool sentence) {
    EXPECT_FALSE(std::regex_search(text, std::regex("[\\^%][1-9]"))) << text;
    EXPECT_EQ(text.find("...."), std::string::npos) << text;
    std::istringstream words(text);
    std::string previous;
    for (std::string word; words >> word;) {
        while (!word.empty() && std::string(".,:;").find(word.back()) != std::string::npos) {
            word.pop_back();
        }
        for (char& c : word) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(word.empty() || word != previous) << "doubled \"" << word << "\": " << text;
        previous = word;
    }
    if (english) {
        EXPECT_EQ(text.find("..."), std::string::npos) << text;
        EXPECT_EQ(text.find("greater than or equal "), std::string::npos) << text;
    }
    if (sentence) {
        EXPECT_TRUE(!text.empty() && text.back() == '.') << text;
    }
}

TEST_F(Catalogs, EveryReportReadsWellThroughEachCatalog) {
    for (const char* catalog : {"po/en.po", "po/de.po"}) {
        refhost::ClearTranslations();
        std::string error;
        ASSERT_TRUE(refhost::LoadTranslations(Source(catalog), error)) << error;
        const bool english = std::string(catalog) == "po/en.po";
        for (const potgen::CatalogCall& call : potgen::AllCatalogCalls()) {
            // Alone, and in the second group of a kind, where the group prefix comes first.
            for (int group : {-1, 2}) {
                SCOPED_TRACE(std::string(catalog) + ": " + call.method + " in group " +
                             std::to_string(group));
                ParserMessage message;
                message.SetCommandName("TALLY");
                message.SetGroupIndex(group);
                message.SetGroupSepName("PANEL");
                refhost::MessageLog log;
                const std::string text = call.run(message);
                const bool report = text.empty();
                ASSERT_EQ(log.messages().size(), report ? 1u : 0u);
                ExpectReadable(report ? log.messages()[0].text : text, english,
                               report && call.explains);
            }
        }
    }
}

}  // namespace
