// The parser's cursor (one token of look-ahead) and its structure predicates.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "support/ParseCommand.h"
#include "support/TempDir.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/UniversalParser.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using testsupport::Joined;
using testsupport::ParseCommand;
using testsupport::ParseOutcome;

// The reference tokenizer, counting how often the parser moves it and whether it asks again
// after the stream has said there is nothing more.
class CountingStream : public refhost::TextTokenSequence {
  public:
    using TextTokenSequence::TextTokenSequence;

    int nextCalls = 0;
    int callsAfterNo = 0;

    bool next() override {
        ++nextCalls;
        if (mSaidNo) {
            ++callsAfterNo;
        }
        const bool moved = TextTokenSequence::next();
        mSaidNo = mSaidNo || !moved;
        return moved;
    }

  private:
    bool mSaidNo = false;
};

// Opens the protected cursor and structure predicates.
class Probe : public UniversalParser {
  public:
    using UniversalParser::atCommandEnd;
    using UniversalParser::atCommandStart;
    using UniversalParser::atGroupEnd;
    using UniversalParser::atGroupStart;
    using UniversalParser::atSubComEnd;
    using UniversalParser::atSubComStart;
    using UniversalParser::nextToken;
    using UniversalParser::startToken;
    using UniversalParser::tokenAsString;
    using UniversalParser::tokenAsUpperString;
    using UniversalParser::UniversalParser;

    // Moves until the current token has this text.
    void moveTo(const std::string& text) {
        while (hasCurrentToken() && getCurrentToken().getString() != text) {
            nextToken();
        }
        ASSERT_TRUE(hasCurrentToken()) << text;
    }
};

// The parameters of every subcommand in the order parsed: "/NAME" before a named subcommand,
// then KEY for a keyword, KEY(a b) for a value closed by parentheses, KEY=[a b] for any other
// value, KEY? for a parameter that failed before its value.
std::string Shape(const CommandSpec& spec) {
    std::string shape;
    for (unsigned s = 0; s < spec.getSubComListSize(); ++s) {
        const SubComObj* sub = spec.getSubComObj(s);
        if (!sub->getSubComName().empty()) {
            shape += (shape.empty() ? "/" : " /") + sub->getSubComName();
        }
        for (unsigned p = 0; p < sub->getParamListSize(); ++p) {
            ParamObj param = *sub->getParamObj(p);
            shape += (shape.empty() ? "" : " ") + param.getParamName();
            if (param.getType() == ParamKeyWord) {
                continue;
            }
            if (param.isNoType()) {
                shape += "?";
            } else if (param.areParenUsed()) {
                shape += "(" + Joined(&param) + ")";
            } else {
                shape += "=[" + Joined(&param) + "]";
            }
        }
    }
    return shape;
}

struct ParseCase {
    const char* text;
    ParseCodes::ParseCode code;
    const char* shape;
    const char* message;  // the one message of a failure
};

void ExpectParses(std::initializer_list<ParseCase> cases, const CommandDescriptor* grammar) {
    for (const ParseCase& c : cases) {
        const ParseOutcome out = ParseCommand(c.text, grammar);
        EXPECT_EQ(out.code, c.code) << c.text;
        EXPECT_EQ(Shape(out.spec), c.shape) << c.text;
        if (c.code == ParseCodes::Parsed) {
            EXPECT_TRUE(out.messages.empty()) << c.text;
        } else {
            EXPECT_THAT(out.texts(), ElementsAre(c.message)) << c.text;
        }
    }
}

// A grammar whose optional separated group TABLES also holds LAYOUT; the global group holds
// TITLE (by "=": TEXT may hold "/", FLAG is a keyword, QUAL takes qualifiers written with "="),
// ENCLOSED (in parentheses) and the by-block subcommand BLOCK.
class CursorTest : public ::testing::Test {
  protected:
    CursorTest() : grammar("CMD") {
        SubComDescriptor title("TITLE");
        ParamDescriptor text("TEXT");
        text.allowSlash(true);
        title.addParamDesc(text);
        title.addParamDesc(ParamDescriptor("FLAG", ParamKeyWord));
        ParamDescriptor qualified("QUAL", ParamTokenQual);
        qualified.setQualifOption(QualifByEqual);
        title.addParamDesc(qualified);
        SubComDescriptor block("BLOCK", SubComByBlock);
        ParamDescriptor byEqual("BYEQ");
        byEqual.setBlockOption(BlockByEqual);
        ParamDescriptor byParen("BYPAREN");
        byParen.setBlockOption(BlockByParen);
        block.addParamDesc(byEqual);
        block.addParamDesc(byParen);
        block.addParamDesc(ParamDescriptor("PLAIN"));
        SubComDescriptor enclosed("ENCLOSED", SubComByParen);
        enclosed.addParamDesc(ParamDescriptor("NOTE"));
        enclosed.addParamDesc(ParamDescriptor("FLAG", ParamKeyWord));
        GroupComDescriptor global(GroupGlobal);
        global.addSubComDesc(title, false);
        global.addSubComDesc(enclosed, false);
        global.addSubComDesc(block, false);
        GroupComDescriptor tables(GroupRepeatable, false);
        tables.addSubComDesc(SubComDescriptor("TABLES"), true);
        tables.addSubComDesc(SubComDescriptor("LAYOUT"), false);
        grammar.addGroupDesc(global);
        grammar.addGroupDesc(tables);
    }

    // A parser of the text, with this grammar or without any, standing on its first token.
    Probe& Start(const std::string& text, bool withGrammar = true) {
        mParser.reset();
        mStream = std::make_unique<refhost::TextTokenSequence>(text);
        mParser = withGrammar ? std::make_unique<Probe>(*mStream, spec, grammar)
                              : std::make_unique<Probe>(*mStream, spec);
        EXPECT_TRUE(mParser->startToken()) << text;
        return *mParser;
    }

    CommandDescriptor grammar;
    CommandSpec spec;
    std::unique_ptr<refhost::TextTokenSequence> mStream;
    std::unique_ptr<Probe> mParser;
};

TEST(UniversalParserCursor, StreamWithOnlyTheCommandNameEndsAtOnce) {
    CountingStream stream("CMD");
    CommandSpec spec;
    Probe parser(stream, spec);
    EXPECT_TRUE(parser.atCommandStart());
    EXPECT_FALSE(parser.startToken());
    EXPECT_TRUE(parser.atCommandEnd());
    EXPECT_TRUE(parser.atGroupEnd());
    EXPECT_TRUE(parser.atSubComEnd());
    EXPECT_FALSE(parser.nextToken());
    EXPECT_FALSE(parser.nextToken());
    EXPECT_EQ(stream.nextCalls, 2);
    EXPECT_EQ(stream.callsAfterNo, 0);

    CountingStream empty("");
    Probe onEmpty(empty, spec);
    EXPECT_FALSE(onEmpty.startToken());
    EXPECT_FALSE(onEmpty.nextToken());
    EXPECT_EQ(empty.nextCalls, 1);
}

TEST(UniversalParserCursor, WalksWithOneTokenOfLookAheadAndNeverAsksAgain) {
    CountingStream stream("CMD alpha\n  'b c' 2.5");
    CommandSpec spec;
    Probe parser(stream, spec);
    ASSERT_TRUE(parser.startToken());
    EXPECT_TRUE(parser.atCommandStart());
    EXPECT_STREQ(parser.getCurrentToken().getString(), "alpha");
    EXPECT_EQ(parser.getCurrentToken().getLineNumber(), 1);
    EXPECT_EQ(parser.getCurrentToken().getColumn(), 5);
    // The stream stands on the look-ahead, the token after the current one.
    std::string text;
    parser.tokenAsString(text);
    EXPECT_EQ(text, "b c");
    parser.tokenAsUpperString(text);
    EXPECT_EQ(text, "B C");

    ASSERT_TRUE(parser.nextToken());
    EXPECT_FALSE(parser.atCommandStart());
    EXPECT_EQ(parser.getCurrentToken().getLineNumber(), 2);
    EXPECT_EQ(parser.getCurrentToken().getColumn(), 3);
    ASSERT_TRUE(parser.nextToken());
    EXPECT_DOUBLE_EQ(parser.getCurrentToken().getNumeric(), 2.5);

    EXPECT_FALSE(parser.nextToken());
    EXPECT_TRUE(parser.atCommandEnd());
    EXPECT_FALSE(parser.hasCurrentToken());
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(parser.nextToken());
    }
    EXPECT_EQ(stream.nextCalls, 5);  // name, three tokens, and the one "no"
    EXPECT_EQ(stream.callsAfterNo, 0);
}

TEST(UniversalParserCursor, AFullParseNeverAsksAfterTheStreamSaidNo) {
    refhost::MessageLog quiet;
    for (const char* text : {"CMD", "CMD /A x=1 /B (2) y", "CMD a b c", "CMD /", "CMD / 5"}) {
        CountingStream stream(text);
        CommandSpec spec;
        UniversalParser parser(stream, spec);
        parser.getCommandSpecifications();
        EXPECT_EQ(stream.callsAfterNo, 0) << text;
        EXPECT_LE(stream.nextCalls, stream.getTokenCount() + 1) << text;
    }
    // A parse that succeeds reads every token.
    CountingStream stream("CMD a b /c d = 1");
    CommandSpec spec;
    UniversalParser parser(stream, spec);
    EXPECT_EQ(parser.getCommandSpecifications(), ParseCodes::Parsed);
    EXPECT_EQ(stream.nextCalls, 9);  // eight tokens and the "no"
}

TEST_F(CursorTest, GroupStartAtTheCommandStartAndLater) {
    Probe& parser = Start("CMD /TITLE x /TITLE y /TABLES z /5 /=");
    ASSERT_TRUE(parser.hasCurrentToken());
    // Any "/" and word at the command start opens a group.
    EXPECT_TRUE(parser.atGroupStart());
    EXPECT_TRUE(parser.atSubComStart());
    EXPECT_FALSE(parser.atGroupEnd());

    parser.nextToken();
    parser.moveTo("/");
    EXPECT_FALSE(parser.atGroupStart());
    EXPECT_FALSE(parser.atGroupEnd());
    EXPECT_TRUE(parser.atSubComStart());

    parser.nextToken();
    parser.moveTo("/");
    EXPECT_TRUE(parser.atGroupStart());
    EXPECT_TRUE(parser.atGroupEnd());

    parser.nextToken();
    parser.moveTo("/");
    EXPECT_FALSE(parser.atGroupStart());  // "/" before a number
    EXPECT_FALSE(parser.atSubComStart());
    EXPECT_FALSE(parser.atGroupEnd());
    parser.nextToken();
    parser.moveTo("/");
    EXPECT_FALSE(parser.atGroupStart());  // "/" before an operator
    EXPECT_FALSE(parser.atSubComStart());
}

TEST(UniversalParserCursor, WithoutSeparatorsEverySlashAndWordStartsAGroup) {
    CommandDescriptor onlyGlobal("CMD");
    onlyGlobal.addSubComDesc(SubComDescriptor("A"));
    refhost::TextTokenSequence stream("CMD x y /ANY z");
    CommandSpec spec;
    Probe parser(stream, spec, onlyGlobal);
    parser.startToken();
    EXPECT_TRUE(parser.atGroupStart());  // the command start, without a slash
    EXPECT_TRUE(parser.atSubComStart());
    parser.nextToken();
    EXPECT_FALSE(parser.atGroupStart());
    EXPECT_FALSE(parser.atSubComStart());
    EXPECT_FALSE(parser.atSubComEnd());
    parser.nextToken();
    EXPECT_TRUE(parser.atGroupStart());
    EXPECT_FALSE(parser.atGroupEnd());  // nothing is separated
    EXPECT_TRUE(parser.atSubComEnd());
}

TEST_F(CursorTest, ASlashEndsAValueOnlyWhereTheValueMayNotHoldIt) {
    ExpectParses(
        {
            {"CMD /TITLE TEXT = a / b", ParseCodes::Parsed, "/TITLE TEXT=[a / b]", ""},
            // Neither a word nor a number that names no subcommand ends TEXT; LAYOUT, of another
            // group, does.
            {"CMD /TITLE TEXT = a / b / 5 / layout / x", ParseCodes::SubComOfOtherGroup,
             "/TITLE TEXT=[a / b / 5] /LAYOUT",
             "Subcommand LAYOUT is not allowed in this context..."},
            {"CMD /TITLE QUAL = a / b", ParseCodes::UnknownSubCom, "/TITLE QUAL=[a] /B",
             "B is not a valid subcommand name..."},
            // Right after the name no value is open.
            {"CMD /TITLE / x", ParseCodes::SubComEmpty, "/TITLE", "TITLE subcommand is empty..."},
        },
        &grammar);
}

TEST_F(CursorTest, WithoutAGrammarEverySlashAndParenthesisEndsAValue) {
    ExpectParses(
        {
            {"CMD a = x ( y )", ParseCodes::WrongValue, "A=[x]",
             "Parameter A does not have a proper value type..."},
            {"CMD a = x ) y", ParseCodes::WrongValue, "A=[x]",
             "Parameter A does not have a proper value type..."},
            {"CMD a = x / 5", ParseCodes::UnknownSubCom, "A=[x] /5",
             "5 is not a valid subcommand name..."},
        },
        nullptr);
    // With a grammar a parenthesis is part of a value written after "=".
    ExpectParses({{"CMD /TITLE TEXT = a ) FLAG", ParseCodes::Parsed, "/TITLE TEXT=[a )] FLAG", ""}},
                 &grammar);
}

TEST(UniversalParserCursor, AKeywordStandsAloneWhereAParameterIsExpected) {
    ExpectParses(
        {
            {"CMD key (1)", ParseCodes::Parsed, "KEY(1)", ""},
            {"CMD key = 1", ParseCodes::Parsed, "KEY=[1]", ""},
            {"CMD key / x", ParseCodes::Parsed, "KEY /X", ""},
            {"CMD key other", ParseCodes::Parsed, "KEY OTHER", ""},
            // After "=" the words are the value; after a value in parentheses parameters follow.
            {"CMD a = 1 key other", ParseCodes::Parsed, "A=[1 key other]", ""},
            {"CMD a (1) key other", ParseCodes::Parsed, "A(1) KEY OTHER", ""},
            {"CMD key *", ParseCodes::WrongValue, "KEY?",
             "Parameter KEY does not have a proper value type..."},
            {"CMD 5 = 1", ParseCodes::InvalidParam, "5?",
             "5 is not a valid parameter name in command ..."},
        },
        nullptr);
}

TEST_F(CursorTest, ABlockParameterStartsAsItsBlockOptionSays) {
    ExpectParses(
        {
            {"CMD /BLOCK byeq = 1", ParseCodes::Parsed, "/BLOCK BYEQ=[1]", ""},
            {"CMD /BLOCK byeq 1", ParseCodes::WrongValue, "/BLOCK BYEQ?",
             "Parameter BYEQ of subcommand BLOCK does not have a proper value type..."},
            {"CMD /BLOCK byparen (1)", ParseCodes::Parsed, "/BLOCK BYPAREN(1)", ""},
            {"CMD /BLOCK byparen 1", ParseCodes::WrongValue, "/BLOCK BYPAREN?",
             "Parameter BYPAREN of subcommand BLOCK does not have a proper value type..."},
            {"CMD /BLOCK plain 1", ParseCodes::Parsed, "/BLOCK PLAIN=[1]", ""},
            // In a block a word that names no parameter cannot start one.
            {"CMD /BLOCK unknown = 1", ParseCodes::WrongValue, "/BLOCK UNKNOWN?",
             "Parameter UNKNOWN of subcommand BLOCK does not have a proper value type..."},
        },
        &grammar);
}

TEST_F(CursorTest, AValueEndsBeforeTheNextParameter) {
    ExpectParses(
        {
            // A keyword of the subcommand ends the value, and the word after it must start one.
            {"CMD /TITLE TEXT = v1 FLAG v2", ParseCodes::InvalidParam, "/TITLE TEXT=[v1] FLAG V2?",
             "V2 is not a valid parameter name in subcommand TITLE..."},
            // So does any word followed by "=".
            {"CMD /TITLE TEXT = v1 v2 other = 3", ParseCodes::InvalidParam,
             "/TITLE TEXT=[v1 v2] OTHER?",
             "OTHER is not a valid parameter name in subcommand TITLE..."},
            {"CMD /TITLE TEXT = x qual = 4", ParseCodes::Parsed, "/TITLE TEXT=[x] QUAL=[4]", ""},
            // ... unless the value takes the word as a qualifier written with "=".
            {"CMD /TITLE QUAL = x qual = 4", ParseCodes::WrongValue, "/TITLE QUAL=[x qual = 4]",
             "Invalid syntax detected in parameter QUAL, symbol qual, subcommand TITLE ..."},
            // By block every parameter name ends a value.
            {"CMD /BLOCK BYEQ = x y PLAIN = 1", ParseCodes::Parsed, "/BLOCK BYEQ=[x y] PLAIN=[1]",
             ""},
        },
        &grammar);
}

TEST_F(CursorTest, AValueInParenthesesEndsAtTheParenthesisBeforeTheNextParameter) {
    ExpectParses(
        {
            {"CMD /ENCLOSED NOTE (a) FLAG", ParseCodes::Parsed, "/ENCLOSED NOTE(a) FLAG", ""},
            // The first ")" before a word closes the value: nesting is not tracked.
            {"CMD /ENCLOSED NOTE (a ) b) FLAG", ParseCodes::WrongValue, "/ENCLOSED NOTE(a) B?",
             "Parameter B of subcommand ENCLOSED does not have a proper value type..."},
            // A "(" before a word ends the value too, but cannot close it.
            {"CMD /ENCLOSED NOTE (a ( b) FLAG", ParseCodes::WrongValue, "/ENCLOSED NOTE=[a]",
             "Parameter NOTE of subcommand ENCLOSED does not have a proper value type..."},
            {"CMD /ENCLOSED NOTE (a ) / TITLE", ParseCodes::SubComEmpty, "/ENCLOSED NOTE(a) /TITLE",
             "TITLE subcommand is empty..."},
            // By block a parenthesis ends a value only before another parameter's name, and names
            // inside parentheses stay in the value.
            {"CMD /BLOCK BYPAREN (x ) y) BYEQ = 1", ParseCodes::Parsed,
             "/BLOCK BYPAREN(x ) y) BYEQ=[1]", ""},
            {"CMD /BLOCK BYPAREN (x byeq) BYEQ = 1", ParseCodes::Parsed,
             "/BLOCK BYPAREN(x byeq) BYEQ=[1]", ""},
        },
        &grammar);
}

// A rejected repetition stops the parse, and what was built up to it stays in the tree.
TEST(UniversalParserCursor, RejectedRepetitionsStayInTheTree) {
    refhost::MessageLog quiet;
    const CommandDescriptor tables = testsupport::Tables();
    const CommandDescriptor params = testsupport::Params();
    ParseOutcome out = ParseCommand("LAYOUTS /TABLE /CHART /CHART", &tables);
    EXPECT_EQ(out.code, ParseCodes::GroupRepeated);
    EXPECT_EQ(out.spec.getGroupListSize(), 3u);

    out = ParseCommand("LAYOUTS /TABLE /CELLS /CELLS", &tables);
    EXPECT_EQ(out.code, ParseCodes::SubComRepeated);
    ASSERT_EQ(out.spec.getGroupListSize(), 1u);
    EXPECT_EQ(out.spec.getGroupObj(0u)->getSubComListSize(), 3u);

    out = ParseCommand("PARAMS /EQ KEY=1 KEY=2", &params);
    EXPECT_EQ(out.code, ParseCodes::ParamRepeated);
    EXPECT_EQ(Shape(out.spec), "/EQ KEY=[1] KEY?");
}

TEST(UniversalParserCursor, CopiesOfAGrammarLessParserShareItsEmptyGrammar) {
    refhost::TextTokenSequence stream("CMD a = 1");
    CommandSpec spec;
    auto original = std::make_unique<UniversalParser>(stream, spec);
    UniversalParser copy(*original);
    original.reset();
    EXPECT_EQ(copy.getCommandSpecifications(), ParseCodes::Parsed);
    ASSERT_EQ(spec.getSubComListSize(), 1u);
    EXPECT_EQ(spec.getSubComObj(0u)->getParamObj("a")->getTokenListSize(), 1u);
}

TEST(UniversalParserCursor, DisplayWritesNothing) {
    refhost::TextTokenSequence stream("CMD a");
    CommandSpec spec;
    UniversalParser parser(stream, spec);
    std::ostringstream out;
    parser.display(out);
    EXPECT_TRUE(out.str().empty());

    testsupport::TempDir dir;
    const std::string path = dir.write("shown.txt", "old content");
    parser.display(path.c_str());
    std::ifstream file(path);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(content.empty());
    parser.display(static_cast<const char*>(nullptr));
}

}  // namespace
