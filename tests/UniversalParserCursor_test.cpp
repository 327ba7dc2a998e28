// The parser's cursor (one token of look-ahead) and its structure predicates.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "support/TempDir.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/UniversalParser.h"

namespace {

using namespace UPSpecTypes;

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

template <typename Map, typename Key>
int CountOf(const Map& counts, const Key& key) {
    const auto found = counts.find(key);
    return found != counts.end() ? found->second : 0;
}

// Opens the protected cursor, predicates and occurrence counts.
class Probe : public UniversalParser {
  public:
    using UniversalParser::atCommandEnd;
    using UniversalParser::atCommandStart;
    using UniversalParser::atGroupEnd;
    using UniversalParser::atGroupStart;
    using UniversalParser::atParameterEnd;
    using UniversalParser::atParameterStart;
    using UniversalParser::atSubComEnd;
    using UniversalParser::atSubComStart;
    using UniversalParser::clearGroupOccur;
    using UniversalParser::nextToken;
    using UniversalParser::startToken;
    using UniversalParser::tokenAsString;
    using UniversalParser::tokenAsUpperString;
    using UniversalParser::UniversalParser;

    const TokenInfoObj& lookAhead() const { return mNextToken; }
    bool expectParam() const { return mExpectParam; }
    bool inParen() const { return mInParen; }
    void setFlags(bool expectParam, bool inParen) {
        mExpectParam = expectParam;
        mInParen = inParen;
    }
    void setDescs(const SubComDescriptor* subCom, const ParamDescriptor* param) {
        mCurSubComDesc = subCom;
        mCurParamDesc = param;
    }
    int groupOccurrences(int index) const { return CountOf(mGroupOccur, index); }
    int subComOccurrences(const std::string& name) const { return CountOf(mSubComOccur, name); }
    int paramOccurrences(const std::string& name) const { return CountOf(mParamOccur, name); }
    // Moves until the current token has this text.
    void moveTo(const std::string& text) {
        while (hasCurrentToken() && getCurrentToken().getString() != text) {
            nextToken();
        }
        ASSERT_TRUE(hasCurrentToken()) << text;
    }
};

// A grammar whose separated group TABLES also holds LAYOUT; the global group holds TITLE and
// the by-block subcommand BLOCK.
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
        GroupComDescriptor global(GroupGlobal);
        global.addSubComDesc(title, false);
        global.addSubComDesc(block, false);
        GroupComDescriptor tables(GroupRepeatable);
        tables.addSubComDesc(SubComDescriptor("TABLES"), true);
        tables.addSubComDesc(SubComDescriptor("LAYOUT"), false);
        grammar.addGroupDesc(global);
        grammar.addGroupDesc(tables);
        titleDesc = grammar.getGlobalGroupDesc()->getSubComDesc("TITLE");
        blockDesc = grammar.getGlobalGroupDesc()->getSubComDesc("BLOCK");
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
    const SubComDescriptor* titleDesc;
    const SubComDescriptor* blockDesc;
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
    EXPECT_STREQ(parser.lookAhead().getString(), "b c");
    // The stream stands on the look-ahead.
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
    EXPECT_TRUE(parser.lookAhead().NoType());
    EXPECT_STREQ(parser.lookAhead().getString(), "");
    EXPECT_STREQ(parser.lookAhead().getUpperString(), "");

    EXPECT_FALSE(parser.nextToken());
    EXPECT_TRUE(parser.atCommandEnd());
    EXPECT_FALSE(parser.hasCurrentToken());
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(parser.nextToken());
    }
    EXPECT_TRUE(parser.lookAhead().NoType());
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

TEST_F(CursorTest, ASlashInsideASlashValueEndsOnlyBeforeASubcommandName) {
    Probe& parser = Start("CMD a / b / 5 / layout / x");
    const ParamDescriptor* text = titleDesc->getParamDesc("TEXT");
    parser.setDescs(titleDesc, text);
    parser.moveTo("/");
    EXPECT_FALSE(parser.atSubComEnd());  // b names no subcommand
    parser.nextToken();
    parser.moveTo("/");
    EXPECT_FALSE(parser.atSubComEnd());  // a number never does
    parser.nextToken();
    parser.moveTo("/");
    EXPECT_TRUE(parser.atSubComEnd());  // LAYOUT, of another group, still counts

    parser.setDescs(titleDesc, titleDesc->getParamDesc("FLAG"));
    parser.nextToken();
    parser.moveTo("/");
    EXPECT_TRUE(parser.atSubComEnd());
    parser.setDescs(titleDesc, nullptr);
    EXPECT_TRUE(parser.atSubComEnd());
}

TEST_F(CursorTest, WithoutGrammarEverySlashAndParenthesisEnds) {
    Probe& parser = Start("CMD a ( b ) / 5", false);
    parser.setFlags(false, false);
    EXPECT_FALSE(parser.atParameterEnd());
    parser.nextToken();
    EXPECT_TRUE(parser.atParameterEnd());  // "("
    parser.nextToken();
    parser.nextToken();
    EXPECT_TRUE(parser.atParameterEnd());  // ")"
    parser.nextToken();
    EXPECT_TRUE(parser.atSubComEnd());  // "/" before a number
    EXPECT_TRUE(parser.atParameterEnd());
}

TEST_F(CursorTest, ParameterStartOutsideBlocksFollowsTheNextToken) {
    struct Case {
        const char* text;
        bool expectBefore;
        bool start;
        bool expectAfter;
        bool inParen;
    };
    const Case cases[] = {
        {"CMD key (", false, true, false, true},    {"CMD key =", true, true, false, false},
        {"CMD key /", true, true, true, false},     {"CMD key /", false, false, false, false},
        {"CMD key other", true, true, true, false}, {"CMD key", false, false, false, false},
        {"CMD key *", true, false, true, false},    {"CMD 5 =", true, false, true, false},
    };
    for (const Case& c : cases) {
        Probe& parser = Start(c.text, false);
        parser.setFlags(c.expectBefore, false);
        EXPECT_EQ(parser.atParameterStart(), c.start) << c.text;
        EXPECT_EQ(parser.expectParam(), c.expectAfter) << c.text;
        EXPECT_EQ(parser.inParen(), c.inParen) << c.text;
    }
}

TEST_F(CursorTest, ParameterStartInBlocksFollowsTheBlockOption) {
    struct Case {
        const char* text;
        bool start;
        bool inParen;
    };
    const Case cases[] = {
        {"CMD byeq = 1", true, false},   {"CMD byeq 1", false, false},
        {"CMD byparen (1)", true, true}, {"CMD byparen 1", false, true},
        {"CMD plain 1", true, false},    {"CMD unknown = 1", false, false},
    };
    for (const Case& c : cases) {
        Probe& parser = Start(c.text);
        parser.setDescs(blockDesc, nullptr);
        parser.setFlags(true, false);
        EXPECT_EQ(parser.atParameterStart(), c.start) << c.text;
        EXPECT_FALSE(parser.expectParam()) << c.text;
        EXPECT_EQ(parser.inParen(), c.inParen) << c.text;
    }
}

TEST_F(CursorTest, ParameterEndBeforeAnotherParameterOrAWordAndEqualSign) {
    Probe& parser = Start("CMD v1 flag v2 other = 3 qual = 4");
    parser.setDescs(titleDesc, titleDesc->getParamDesc("TEXT"));
    parser.setFlags(false, false);
    EXPECT_FALSE(parser.atParameterEnd());
    parser.nextToken();
    EXPECT_TRUE(parser.atParameterEnd());  // FLAG takes no value
    EXPECT_TRUE(parser.expectParam());

    parser.setFlags(false, false);
    parser.nextToken();
    parser.nextToken();
    EXPECT_TRUE(parser.atParameterEnd());  // a word before "="
    EXPECT_FALSE(parser.expectParam());
    parser.setFlags(false, true);
    EXPECT_FALSE(parser.atParameterEnd());  // not inside parentheses

    // A word the current value takes as a qualifier written with "=" stays in the value.
    parser.setDescs(titleDesc, titleDesc->getParamDesc("QUAL"));
    parser.setFlags(false, false);
    parser.moveTo("qual");
    EXPECT_FALSE(parser.atParameterEnd());
    parser.setDescs(titleDesc, titleDesc->getParamDesc("TEXT"));
    EXPECT_TRUE(parser.atParameterEnd());
}

TEST_F(CursorTest, ParameterEndAtParenthesesWithAGrammar) {
    Probe& parser = Start("CMD ) flag ( x ) / ) /");
    parser.setDescs(titleDesc, titleDesc->getParamDesc("FLAG"));
    parser.setFlags(false, true);
    EXPECT_TRUE(parser.atParameterEnd());  // ")" before a word, in parentheses
    parser.setFlags(false, false);
    EXPECT_FALSE(parser.atParameterEnd());
    parser.nextToken();
    parser.moveTo("(");
    parser.setFlags(false, true);
    EXPECT_TRUE(parser.atParameterEnd());
    parser.nextToken();
    parser.nextToken();
    EXPECT_TRUE(parser.atParameterEnd());  // ")" before "/" that the value may not hold
    parser.setDescs(titleDesc, titleDesc->getParamDesc("TEXT"));
    EXPECT_FALSE(parser.atParameterEnd());  // the value may hold "/"
    parser.nextToken();
    parser.nextToken();
    parser.setFlags(false, false);
    EXPECT_FALSE(parser.atParameterEnd());  // ")" before a "/" the value may hold
}

TEST_F(CursorTest, ParameterEndInBlocks) {
    Probe& parser = Start("CMD plain x ) byeq");
    parser.setDescs(blockDesc, blockDesc->getParamDesc("BYEQ"));
    parser.setFlags(false, false);
    EXPECT_TRUE(parser.atParameterEnd());  // any parameter name ends a block value
    EXPECT_TRUE(parser.expectParam());
    parser.setDescs(blockDesc, blockDesc->getParamDesc("BYPAREN"));
    parser.setFlags(false, false);
    EXPECT_FALSE(parser.atParameterEnd());  // ... unless the value is in parentheses
    parser.nextToken();
    EXPECT_FALSE(parser.atParameterEnd());
    parser.nextToken();
    parser.setFlags(false, true);
    EXPECT_TRUE(parser.atParameterEnd());  // ")" before BYEQ, BYPAREN open
    parser.setDescs(blockDesc, blockDesc->getParamDesc("BYEQ"));
    EXPECT_FALSE(parser.atParameterEnd());
}

TEST(UniversalParserCursor, RejectedRepetitionsAreCountedToo) {
    refhost::MessageLog quiet;
    const CommandDescriptor tables = testsupport::Tables();
    const CommandDescriptor params = testsupport::Params();
    CommandSpec spec;
    refhost::TextTokenSequence groups("LAYOUTS /TABLE /CHART /CHART");
    Probe groupParser(groups, spec, tables);
    EXPECT_EQ(groupParser.getCommandSpecifications(), ParseCodes::GroupRepeated);
    EXPECT_EQ(groupParser.groupOccurrences(tables.getGroupDescIndex("CHART")), 2);

    refhost::TextTokenSequence subComs("LAYOUTS /TABLE /CELLS /CELLS");
    Probe subComParser(subComs, spec, tables);
    EXPECT_EQ(subComParser.getCommandSpecifications(), ParseCodes::SubComRepeated);
    EXPECT_EQ(subComParser.subComOccurrences("CELLS"), 2);

    refhost::TextTokenSequence keys("PARAMS /EQ KEY=1 KEY=2");
    Probe paramParser(keys, spec, params);
    EXPECT_EQ(paramParser.getCommandSpecifications(), ParseCodes::ParamRepeated);
    EXPECT_EQ(paramParser.paramOccurrences("KEY"), 2);
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
