// Random token mixes against several grammars and none: every parse ends with a code from the
// table, reports each failure once, and never crashes or stalls.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/ParseCommand.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"

namespace {

using testsupport::ParseCommand;
using testsupport::ParseOutcome;

// Words of the test grammars (subcommand, parameter, qualifier and separator names), reserved
// words and plain variable names; numbers, literals and every operator.
const std::vector<std::string> kPieces = {
    "FORMAT", "LIMIT",     "QUIETLY", "QUANTPOINTS", "TABLE", "TITLE",   "MISSING", "ORDER",
    "SORT",   "ASC",       "CELLS",   "CHART",       "SAVE",  "EXPORT",  "OUTFILE", "N",
    "EQ",     "KEY",       "OTHER",   "FLAG",        "LIST",  "FORLIST", "PATH",    "SQ",
    "A",      "B",         "PAREN",   "BLOCK",       "NOVAL", "BYEQ",    "OPTEQ",   "BYPAREN",
    "LEADEQ", "LEADPAREN", "LEADOPT", "NAME",        "ALL",   "BY",      "TO",      "WITH",
    "v1",     "x",         "3",       "-2.5",        "1e3",   "'lit'",   "\"q r\"", "=",
    "*",      "/",         "(",       ")",           ";",     "[",       "]",       ",",
    "+",      "-",         "<",       ">",           "<=",    ">=",      "<>",      "~=",
    "&",      "|",         ":",       "!",           "%",     "/",       "/",       "=",
};

const std::vector<std::string> kSubComNames = {
    "FORMAT", "QUANTPOINTS", "TABLE",     "TITLE",   "MISSING", "ORDER", "SORT",
    "CELLS",  "CHART",       "SAVE",      "EXPORT",  "OUTFILE", "EQ",    "PAREN",
    "BLOCK",  "LEADEQ",      "LEADPAREN", "LEADOPT", "BOGUS",   "5",
};

// Parameters and values in the forms the grammars know.
const std::vector<std::string> kValuePieces = {
    "KEY = 1",  "KEY (1 2)", "OTHER = a b", "FLAG",       "LIST = [1 2]", "FORLIST = c",
    "N = 4",    "LIMIT = 5", "QUIETLY",     "NAME = x",   "TITLE = 't'",  "NOVAL",
    "BYEQ = 2", "OPTEQ",     "BYPAREN (y)", "SQ = A = 6", "PATH = a / b", "v1 v2",
    "(1 2)",    "= z",       "ORDER = ASC", "25 50",
};

std::string Pick(std::mt19937& random, const std::vector<std::string>& pieces) {
    return pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
}

// Half of the commands are a free mix of every piece; the others are built of subcommands.
std::string RandomCommand(std::mt19937& random) {
    std::uniform_int_distribution<int> upTo(0, 24);
    std::string text = "CMD";
    if (random() % 2 == 0) {
        const int count = upTo(random);
        for (int i = 0; i < count; ++i) {
            text += ' ' + Pick(random, kPieces);
        }
        return text;
    }
    const int subComs = upTo(random) % 6;
    for (int sub = -1; sub < subComs; ++sub) {
        if (sub >= 0) {
            text += " /" + Pick(random, kSubComNames);
        }
        const int values = upTo(random) % 4;
        for (int i = 0; i < values; ++i) {
            text += ' ' + Pick(random, random() % 8 == 0 ? kPieces : kValuePieces);
        }
    }
    return text;
}

struct Tally {
    std::map<int, int> codes;
    int silentFailures = 0;
};

// The invariants of one parse; gtest failures name the command.
void Check(const std::string& text, const CommandDescriptor* grammar, Tally& tally) {
    const ParseOutcome out = ParseCommand(text, grammar);
    ++tally.codes[out.code];
    ASSERT_TRUE(out.code >= ParseCodes::Parsed && out.code <= ParseCodes::BracketsRequired &&
                out.code != 3)
        << out.code << ": " << text;
    if (out.code == ParseCodes::Parsed) {
        EXPECT_TRUE(out.messages.empty()) << text;
        for (unsigned g = 0; g < out.spec.getGroupListSize(); ++g) {
            EXPECT_GT(out.spec.getGroupObj(g)->getSubComListSize(), 0u) << text;
        }
        return;
    }
    if (out.code == ParseCodes::UnnamedFailure) {
        // A failure no rule names is silent.
        EXPECT_TRUE(out.messages.empty()) << text;
        ++tally.silentFailures;
        return;
    }
    ASSERT_FALSE(out.messages.empty()) << out.code << ": " << text;
    // One report per failure; only a group after a final group may add a second one.
    if (out.messages.size() > 1) {
        EXPECT_EQ(out.messages.size(), 2u) << text;
        EXPECT_TRUE(out.code == ParseCodes::GroupNotAllowed ||
                    out.code == ParseCodes::GroupRepeated)
            << out.code << ": " << text;
    }
}

class UniversalParserRandom : public ::testing::TestWithParam<unsigned> {};

TEST_P(UniversalParserRandom, EveryParseEndsWithACodeFromTheTable) {
    const std::array<CommandDescriptor, 3> grammars = {
        testsupport::CountValues(), testsupport::Tables(), testsupport::Params()};
    CommandDescriptor arbitrary;
    arbitrary.setSubComArbitrary(true);

    std::mt19937 random(GetParam());
    Tally withGrammar;
    Tally without;
    for (int round = 0; round < 500; ++round) {
        const std::string text = RandomCommand(random);
        for (const CommandDescriptor& grammar : grammars) {
            Check(text, &grammar, withGrammar);
        }
        Check(text, nullptr, without);
        Check(text, &arbitrary, without);
        if (HasFatalFailure()) {
            return;
        }
    }
    // The mixes reach success and a good spread of rules.
    EXPECT_GT(withGrammar.codes[ParseCodes::Parsed], 0);
    EXPECT_GE(withGrammar.codes.size(), 8u);
    // Without a grammar nothing fails silently.
    EXPECT_EQ(without.silentFailures, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UniversalParserRandom, ::testing::Values(1u, 7u, 42u, 2024u));

}  // namespace
