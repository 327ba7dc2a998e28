#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/SplitCommands.h"
#include "refhost/TextTokenSequence.h"

namespace {

using refhost::CommandText;
using refhost::SplitCommands;

std::string describe(const std::vector<CommandText>& commands) {
    std::string out;
    for (const CommandText& c : commands) {
        out += std::to_string(c.firstLine) + "[" + c.text + "]";
    }
    return out;
}

TEST(RefhostSplitCommandsTest, APointAtTheEndOfALineEndsACommand) {
    EXPECT_EQ(describe(SplitCommands("LOAD FILE='a.csv'.\nSCAN\n  /VARS=a b.  \nSHOW x.")),
              "1[LOAD FILE='a.csv'.]2[SCAN\n  /VARS=a b.  ]4[SHOW x.]");
    // A point inside a line does not end anything.
    EXPECT_EQ(describe(SplitCommands("ASSIGNS x = 1.5 * y\n  + 2.\n")),
              "1[ASSIGNS x = 1.5 * y\n  + 2.]");
}

TEST(RefhostSplitCommandsTest, BlankLinesAndTheEndOfTheTextEndACommand) {
    EXPECT_EQ(describe(SplitCommands("\n\n  SCAN a\n \t\nSHOW b\n\n\nLIST")),
              "3[  SCAN a]5[SHOW b]8[LIST]");
    EXPECT_TRUE(SplitCommands("").empty());
    EXPECT_TRUE(SplitCommands("\n \n\t\n").empty());
}

TEST(RefhostSplitCommandsTest, CarriageReturnsAreDroppedFromLineEnds) {
    EXPECT_EQ(describe(SplitCommands("SCAN a\r\n  b.\r\n\r\nLIST.\r\n")),
              "1[SCAN a\n  b.]4[LIST.]");
}

TEST(RefhostSplitCommandsTest, ACommandOfOnlyItsPointIsLeftOut) {
    EXPECT_EQ(describe(SplitCommands(".\n  .  \nLIST.\n.")), "3[LIST.]");
}

// Cutting goes by lines alone: a literal never runs past its line, so a point ending a line
// inside an unterminated literal still ends the command, and the tokenizer agrees.
TEST(RefhostSplitCommandsTest, APointEndingALineInsideAnOpenLiteralEndsTheCommand) {
    const std::vector<CommandText> commands = SplitCommands("TITLE 'The end.\nLIST.");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].text, "TITLE 'The end.");
    refhost::TextTokenSequence tokens(commands[0].text, commands[0].firstLine);
    ASSERT_EQ(tokens.getTokenCount(), 2);
    tokens.setPosition(2);
    const char* text = nullptr;
    unsigned length = 0;
    tokens.getString(&text, &length);
    EXPECT_EQ(std::string(text, length), "The end");
    EXPECT_EQ(describe(SplitCommands("TITLE 'a.' \nLIST")), "1[TITLE 'a.' \nLIST]");
}

TEST(RefhostSplitCommandsTest, TokensOfACommandKeepTheLinesOfTheFile) {
    const std::vector<CommandText> commands = SplitCommands("A.\n\nFREQ\n  x.");
    ASSERT_EQ(commands.size(), 2u);
    refhost::TextTokenSequence tokens(commands[1].text, commands[1].firstLine);
    ASSERT_TRUE(tokens.next());
    EXPECT_EQ(tokens.getLineNumber(), 3);
    ASSERT_TRUE(tokens.next());
    EXPECT_EQ(tokens.getLineNumber(), 4);
    EXPECT_EQ(tokens.getColumn(), 3);
    EXPECT_FALSE(tokens.next());
}

TEST(RefhostSplitCommandsTest, ArbitraryBytesAreKept) {
    const std::string text("a\0b.\n\xff\x80 c", 9);
    const std::vector<CommandText> commands = SplitCommands(text);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].text, std::string("a\0b.", 4));
    EXPECT_EQ(commands[1].text, "\xff\x80 c");
    EXPECT_EQ(commands[1].firstLine, 2);
}

}  // namespace
