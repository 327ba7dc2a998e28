// The parser under host token streams that bend the stream's contract as far as it goes, or
// break it by throwing; and a parser or result tree used more than once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "support/HostFaults.h"
#include "support/ParseCommand.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/UniversalParser.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::HostFault;
using testsupport::HostTokenStream;
using testsupport::ParseOutcome;
using testsupport::ParseStream;

unsigned SubComCount(const CommandSpec& spec) {
    unsigned count = 0;
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        count += spec.getGroupObj(g)->getSubComListSize();
    }
    return count;
}

// CMD / <word> where the word after the slash names nothing: the stream may hand out a word
// without text, and a host's upper text need not match its text. The catalog words a missing
// subcommand name so.
TEST(UniversalParserHostile, SlashBeforeAWordWithoutANameIsAnInvalidSubcommand) {
    CommandDescriptor lenient("CMD", "Lenient");
    SubComDescriptor unnamed("", SubComByEqual);
    unnamed.setSubComRepeatable(true);
    unnamed.allowSubComEmpty(true);
    unnamed.setExportParamDesc(ParamTokenList, false);
    lenient.addSubComDesc(unnamed);
    SubComDescriptor sub("SUB", SubComByEqual);
    sub.allowSubComEmpty(true);
    lenient.addSubComDesc(sub);

    const std::vector<HostTokenStream::Token> nameless = {
        HostTokenStream::NullWord(),
        HostTokenStream::Word("", ""),
        HostTokenStream::Word("sub", std::string("\0SUB", 4)),
        HostTokenStream::Word("sub", ""),
    };
    const CommandDescriptor* const grammars[] = {nullptr, &lenient};
    for (const CommandDescriptor* grammar : grammars) {
        for (std::size_t i = 0; i < nameless.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "word " << i << ", grammar " << (grammar != nullptr));
            HostTokenStream stream("CMD / x");
            stream.tokens()[2] = nameless[i];
            const ParseOutcome out = ParseStream(stream, grammar);
            EXPECT_EQ(out.code, ParseCodes::UnknownSubCom);
            EXPECT_THAT(out.texts(), ElementsAre("No subcommand at the command start..."));
            EXPECT_EQ(SubComCount(out.spec), 1u);
            EXPECT_EQ(stream.nextCallsAfterEnd(), 0);
        }
    }

    // Later in the command, after a subcommand that parsed.
    HostTokenStream later("CMD a /SUB /x");
    later.tokens()[5] = HostTokenStream::NullWord();
    const ParseOutcome out = ParseStream(later, &lenient);
    EXPECT_EQ(out.code, ParseCodes::UnknownSubCom);
    EXPECT_THAT(out.texts(), ElementsAre("No subcommand at the command start..."));
    EXPECT_EQ(SubComCount(out.spec), 3u);
}

// One parser parses one command: asking again answers the same code and neither reads the
// stream nor reports anything again.
TEST(UniversalParserHostile, ASecondParseAnswersTheFirstResult) {
    const CommandDescriptor grammar = testsupport::CountValues();
    for (const std::string text : {"COUNTVALUES a /ORDER", "COUNTVALUES a /ORDER /ORDER", "X"}) {
        SCOPED_TRACE(text);
        HostTokenStream stream(text);
        CommandSpec spec;
        refhost::MessageLog log;
        UniversalParser parser(stream, spec, grammar);
        const int first = parser.getCommandSpecifications();
        const std::size_t messages = log.messages().size();
        const unsigned groups = spec.getGroupListSize();
        const long calls = stream.calls();

        EXPECT_EQ(parser.getCommandSpecifications(), first);
        EXPECT_EQ(parser.getErrorCode(), first);
        EXPECT_EQ(log.messages().size(), messages);
        EXPECT_EQ(spec.getGroupListSize(), groups);
        EXPECT_EQ(stream.calls(), calls);
    }
}

// A result tree handed to a second parser holds that parser's command alone.
TEST(UniversalParserHostile, AResultTreeParsedIntoAgainHoldsTheNewCommand) {
    CommandDescriptor grammar = testsupport::CountValues();
    SubComDescriptor required("INDICATORS", SubComByEqual, true);
    required.allowSubComEmpty(true);
    grammar.addSubComDesc(required);
    CommandSpec spec;
    refhost::MessageLog log;
    HostTokenStream first("COUNTVALUES a b /INDICATORS");
    ASSERT_EQ(UniversalParser(first, spec, grammar).getCommandSpecifications(), ParseCodes::Parsed);

    HostTokenStream second("COUNTVALUES c /INDICATORS /ORDER");
    EXPECT_EQ(UniversalParser(second, spec, grammar).getCommandSpecifications(),
              ParseCodes::Parsed);
    ASSERT_EQ(spec.getGroupListSize(), 1u);
    EXPECT_EQ(spec.getSubComListSize(), 3u);
    EXPECT_STREQ(spec.getSubComObj(0u)->getTokenObj(0)->getString(), "c");

    // The rules about the whole command look at this command only.
    HostTokenStream empty("COUNTVALUES");
    EXPECT_EQ(UniversalParser(empty, spec, grammar).getCommandSpecifications(),
              ParseCodes::GroupMissing);
    EXPECT_EQ(spec.getGroupListSize(), 0u);
    EXPECT_THAT(log.messages().back().text, "The command is empty...");
}

// Whatever stream call throws, the exception reaches the caller unchanged, the result tree
// stays a tree that can be read, copied and destroyed, and the parser does not go on.
TEST(UniversalParserHostile, AThrowingStreamPassesThroughAndLeavesUsableObjects) {
    const CommandDescriptor grammar = testsupport::CountValues();
    const std::string text =
        "COUNTVALUES a b /FORMAT LIMIT=5 QUIETLY /QUANTPOINTS 25 50 /TABLE TITLE='t' /SORT v "
        "ORDER=ASC";
    HostTokenStream probe(text);
    ASSERT_EQ(ParseStream(probe, &grammar).code, ParseCodes::Parsed);
    const long calls = probe.calls();
    ASSERT_GT(calls, 40);

    for (long call = 1; call <= calls; ++call) {
        SCOPED_TRACE(call);
        HostTokenStream stream(text);
        stream.throwAt(call);
        CommandSpec spec;
        refhost::MessageLog log;
        UniversalParser parser(stream, spec, grammar);
        try {
            parser.getCommandSpecifications();
            ADD_FAILURE() << "the stream's exception was swallowed";
        } catch (const HostFault& fault) {
            EXPECT_EQ(fault.call, call);
        }
        EXPECT_THAT(log.messages(), IsEmpty());
        const CommandSpec copy = spec;
        EXPECT_EQ(SubComCount(copy), SubComCount(spec));
        EXPECT_NE(parser.getCommandSpecifications(), ParseCodes::Parsed);
        EXPECT_EQ(stream.calls(), call);
    }
}

}  // namespace
