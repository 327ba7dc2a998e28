// Grammar files that cannot be read: each gets one error at the line and column of what is
// wrong, never a crash. The files in tests/grammars/broken/ are also rejected by the JSON
// Schema (tests/cmake/grammar.cmake); those in tests/grammars/rejected/ only by the reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "grammar/grammar.h"
#include "refhost/MessageLog.h"

namespace {

using ::testing::HasSubstr;

std::string SourceDir() {
    const char* dir = std::getenv("UPARSER_SOURCE_DIR");
    return dir != nullptr ? dir : "..";
}

struct Expected {
    long line;
    long column;
    const char* says;
};

// Every file of the two directories, with where its error stands and what it says.
const std::map<std::string, Expected> kBrokenFiles = {
    {"broken/arbitrary-with-parameters.json", {6, 63, "form Arbitrary takes its content"}},
    {"broken/boundary-of-two-kinds.json", {9, 57, "either included or excluded"}},
    {"broken/command-without-name.json", {3, 5, "missing key \"name\" in a command"}},
    {"broken/keyword-value-without-value-part.json",
     {9, 21, "KeyWordValue needs \"mainPart\" (its keyword) and \"valuePart\""}},
    {"broken/qualifier-list-without-qualifiers.json",
     {9, 38, "StringQualList needs at least one qualifier"}},
    // Columns count characters: "Größe" is five characters in seven bytes.
    {"broken/unknown-enumeration-name.json",
     {8, 68, "unknown value type \"Integr\"; expected one of: NoType, KeyWord"}},
    {"broken/unknown-key.json",
     {6, 26, "unknown key \"frm\" in a subcommand; expected one of: name, help, form"}},
    {"broken/wrong-type.json", {6, 38, "expected true or false for \"required\""}},
    {"rejected/boundaries-cannot-hold.json",
     {13, 24, "no value meets these boundaries: lower 1.2 (included), upper 1.8 (included)"}},
    {"rejected/checked-qualifiers-without-qualifiers.json",
     {8, 68, "checked against the value's \"qualifiers\", and it declares none"}},
    {"rejected/invalid-json.json",
     {5, 39, "invalid JSON: syntax error while parsing object key - unexpected '}'"}},
    {"rejected/key-given-twice.json", {5, 59, "key \"form\" given twice in one object"}},
    {"rejected/name-declared-twice.json",
     {8, 53, "parameter \"SPAN\" is declared twice in one subcommand"}},
    {"rejected/separator-in-two-groups.json",
     {7, 42, "separator \"LAYER\" already opens another group"}},
    {"rejected/separator-names-no-subcommand.json",
     {7, 47, "separator \"LAYR\" names no subcommand of this group"}},
    {"rejected/variables-on-a-number.json", {6, 89, "not Number"}},
    {"rejected/within-without-model.json", {8, 64, "the command has none"}},
};

TEST(GrammarReader, EveryBrokenFileGetsOneErrorAtItsPosition) {
    // The error is the reader's answer; nothing goes to the host's error service.
    const refhost::MessageLog log;
    std::size_t seen = 0;
    for (const char* dir : {"broken", "rejected"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(SourceDir() + "/tests/grammars/" + dir)) {
            const std::string name = std::string(dir) + "/" + entry.path().filename().string();
            SCOPED_TRACE(name);
            const auto expected = kBrokenFiles.find(name);
            ASSERT_NE(expected, kBrokenFiles.end()) << "no expectation for this file";
            ++seen;
            upgrammar::GrammarFile grammar;
            upgrammar::GrammarError error;
            ASSERT_FALSE(upgrammar::ReadGrammarFile(entry.path().string(), grammar, error));
            EXPECT_EQ(error.file, entry.path().string());
            EXPECT_EQ(error.line, expected->second.line);
            EXPECT_EQ(error.column, expected->second.column);
            EXPECT_THAT(error.message, HasSubstr(expected->second.says));
            EXPECT_EQ(error.text(), error.file + ":" + std::to_string(error.line) + ":" +
                                        std::to_string(error.column) + ": error: " + error.message);
        }
    }
    EXPECT_EQ(seen, kBrokenFiles.size());
    EXPECT_TRUE(log.messages().empty());
}

upgrammar::GrammarError ReadText(const std::string& text) {
    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    EXPECT_FALSE(upgrammar::ReadGrammar(text, "g.json", grammar, error)) << text;
    return error;
}

// Qualifiers within qualifiers, `levels` deep, on one line each.
std::string NestedQualifiers(int levels) {
    std::string text =
        "{\"commands\": [{\"name\": \"X\", \"subcommands\": [{\"name\": \"S\", "
        "\"parameters\": [\n";
    for (int i = 0; i < levels; ++i) {
        text += "{\"name\": \"Q\", \"qualifiers\": [\n";
    }
    text += "{\"name\": \"LAST\"}";
    for (int i = 0; i < levels; ++i) {
        text += "]}";
    }
    return text + "]}]}]}";
}

TEST(GrammarReader, NestingIsBounded) {
    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    EXPECT_TRUE(upgrammar::ReadGrammar(NestedQualifiers(upgrammar::kMaxDescriptorDepth - 1),
                                       "g.json", grammar, error))
        << error.text();

    error = ReadText(NestedQualifiers(upgrammar::kMaxDescriptorDepth));
    EXPECT_EQ(error.line, upgrammar::kMaxDescriptorDepth + 2);
    EXPECT_EQ(error.column, 1);
    EXPECT_THAT(error.message, HasSubstr("nested deeper than 16 levels"));

    // Deep JSON anywhere, even where only a string belongs, stops the parse itself.
    const std::string deep = std::string(10000, '[') + std::string(10000, ']');
    error = ReadText("{\"commands\": [{\"name\": \"X\", \"help\": " + deep + "}]}");
    EXPECT_EQ(error.column, static_cast<long>(37 + upgrammar::kMaxJsonDepth - 3));
    EXPECT_THAT(error.message, HasSubstr("nested deeper than 64 levels"));
}

TEST(GrammarReader, MistakesInTheFileAsAWhole) {
    EXPECT_THAT(ReadText("").message, HasSubstr("invalid JSON"));
    EXPECT_THAT(ReadText("{\"commands\": [{\"name\": \"A\"}, {\"name\": \"a\"}]}").message,
                HasSubstr("command \"a\" is declared twice"));
    const upgrammar::GrammarError model = ReadText(
        "{\"commands\": [{\"name\": \"A\", \"subcommands\": [\n"
        "{\"name\": \"\", \"value\": {\"variables\": {\"check\": \"Model\"}}},\n"
        "{\"name\": \"B\", \"value\": {\"variables\": {\"check\": \"Model\"}}}]}]}");
    EXPECT_EQ(model.line, 3);
    EXPECT_THAT(model.message, HasSubstr("one Model list at most"));

    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    EXPECT_FALSE(upgrammar::ReadGrammarFile(SourceDir() + "/no/such.json", grammar, error));
    EXPECT_EQ(error.text(), SourceDir() +
                                "/no/such.json: error: cannot read the file: No such "
                                "file or directory");
}

}  // namespace
