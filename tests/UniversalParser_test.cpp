// End to end: command text through the reference tokenizer into the parser; the commands,
// subcommands and their rules, with and without a grammar.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ParseCommand.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"

namespace {

using namespace UPSpecTypes;
using ::testing::IsEmpty;
using testsupport::CountValues;
using testsupport::ExpectFailure;
using testsupport::Joined;
using testsupport::ParseCommand;
using testsupport::ParseOutcome;

TEST(UniversalParser, ParsesAWholeCommandIntoTheGlobalGroup) {
    const CommandDescriptor grammar = CountValues();
    const ParseOutcome out = ParseCommand(
        "COUNTVALUES a b c /FORMAT LIMIT=5 QUIETLY /QUANTPOINTS 25 50 /QUANTPOINTS 75\n"
        "  /MISSING include all ( x /ORDER /TABLE TITLE = 'one' /TABLE TITLE='two'.",
        &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_THAT(out.texts(), IsEmpty());
    const CommandSpec& spec = out.spec;
    EXPECT_EQ(spec.getCommandName(), "COUNTVALUES");
    ASSERT_EQ(spec.getGroupListSize(), 1u);
    ASSERT_NE(spec.getGlobalGroupObj(), nullptr);
    ASSERT_EQ(spec.getSubComListSize(), 8u);

    const SubComObj* lead = spec.getSubComObj(0u);
    EXPECT_EQ(lead->getSubComName(), "");
    EXPECT_EQ(Joined(lead), "a b c");
    EXPECT_EQ(lead->getParamListSize(), 0u);

    const SubComObj* format = spec.getSubComObj("format");
    ASSERT_EQ(format->getParamListSize(), 2u);
    const ParamObj* limit = format->getParamObj("LIMIT");
    EXPECT_TRUE(limit->isTokenList());
    EXPECT_EQ(Joined(limit), "5");
    EXPECT_EQ(limit->getSubComExtName(), "FORMAT");
    EXPECT_TRUE(format->getParamObj("quietly")->isLeadingToken());
    EXPECT_TRUE(format->isEqualUsed());
    EXPECT_FALSE(format->areParenUsed());

    std::vector<const SubComObj*> found;
    ASSERT_EQ(spec.getSubComObj(found, "Quantpoints"), 2u);
    EXPECT_EQ(found[0]->getSubComCount(), 1);
    EXPECT_EQ(found[0]->getSubComExtName(), "QUANTPOINTS 1");
    EXPECT_EQ(Joined(found[0]), "25 50");
    EXPECT_EQ(found[1]->getSubComExtName(), "QUANTPOINTS 2");
    EXPECT_EQ(Joined(found[1]), "75");

    EXPECT_EQ(Joined(spec.getSubComObj("MISSING")), "include all ( x");
    const SubComObj* order = spec.getSubComObj("ORDER");
    EXPECT_EQ(order->getParamListSize() + order->getTokenListSize(), 0u);
    ASSERT_EQ(spec.getSubComObj(found, "table"), 2u);
    EXPECT_EQ(found[1]->getParamObj("title")->getSubComExtName(), "TABLE 2");
    EXPECT_EQ(Joined(found[1]->getParamObj("title")), "two");
    EXPECT_EQ(found[0]->getSubComCount(), 1);
}

TEST(UniversalParser, NameOnlyIsEmptyUnlessSomethingIsRequired) {
    CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand("COUNTVALUES.", &grammar);
    EXPECT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(out.spec.getGroupListSize(), 0u);
    EXPECT_EQ(out.spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(out.spec.getSubComListSize(), 0u);

    grammar.addSubComDesc(SubComDescriptor("INDICATORS", SubComByEqual, true));
    ExpectFailure(ParseCommand("COUNTVALUES", &grammar), ParseCodes::GroupMissing,
                  "The command is empty...");
}

TEST(UniversalParser, SubcommandNamesMustBeKnown) {
    const CommandDescriptor grammar = CountValues();
    const ParseOutcome out = ParseCommand("COUNTVALUES a /BOGUS x", &grammar);
    ExpectFailure(out, ParseCodes::UnknownSubCom, "BOGUS is not a valid subcommand name...");
    // The failing subcommand stays in the tree.
    ASSERT_EQ(out.spec.getSubComListSize(), 2u);
    EXPECT_EQ(out.spec.getSubComObj(1u)->getSubComName(), "BOGUS");
    ExpectFailure(ParseCommand("COUNTVALUES a / 5", &grammar), ParseCodes::UnknownSubCom,
                  "5 is not a valid subcommand name...");

    // A grammar without an unnamed leading part rejects text before the first "/".
    CommandDescriptor noLead("CMD");
    noLead.addSubComDesc(SubComDescriptor("A"));
    ExpectFailure(ParseCommand("CMD x = 1", &noLead), ParseCodes::UnknownSubCom,
                  "No subcommand at the command start...");
}

TEST(UniversalParser, RepeatedSubcommandsAndCountedNames) {
    const CommandDescriptor grammar = CountValues();
    const ParseOutcome out = ParseCommand("COUNTVALUES /FORMAT LIMIT=1 /FORMAT LIMIT=2", &grammar);
    ExpectFailure(out, ParseCodes::SubComRepeated, "Subcommand FORMAT has already been called...");
    EXPECT_EQ(out.spec.getSubComListSize(), 2u);
    ExpectFailure(ParseCommand("COUNTVALUES /TABLE TITLE='a' /TABLE TITLE=5", &grammar),
                  ParseCodes::WrongValue,
                  "Parameter TITLE of subcommand TABLE 2 does not have a quoted string...");
    ExpectFailure(ParseCommand("COUNTVALUES /QUANTPOINTS 1 /QUANTPOINTS 2 x", &grammar),
                  ParseCodes::WrongValue,
                  "Parameter QUANTPOINTS 2 of subcommand QUANTPOINTS 2 does not have a numerical "
                  "list...");
}

TEST(UniversalParser, RequiredSubcommandsAndTheLeadingPart) {
    CommandDescriptor grammar = CountValues();
    grammar.addSubComDesc(SubComDescriptor("INDICATORS", SubComByEqual, true));
    ExpectFailure(ParseCommand("COUNTVALUES a /ORDER", &grammar), ParseCodes::SubComMissing,
                  "Subcommand INDICATORS required...");

    SubComDescriptor lead("", SubComByEqual, true);
    lead.setExportParamDesc(ParamVarList, false);
    CommandDescriptor needsLead("COUNTVALUES");
    SubComDescriptor indicators("INDICATORS", SubComByEqual, true);
    indicators.allowSubComEmpty(true);
    needsLead.addSubComDesc(lead);
    needsLead.addSubComDesc(indicators);
    ExpectFailure(ParseCommand("COUNTVALUES /INDICATORS", &needsLead), ParseCodes::SubComMissing,
                  "Subcommand INDICATORS is not allowed at the command COUNTVALUES start...");
}

TEST(UniversalParser, EmptySubcommandsAndMissingParameters) {
    const CommandDescriptor grammar = CountValues();
    const auto parse = [&grammar](const std::string& text) {
        return ParseCommand("COUNTVALUES " + text, &grammar);
    };
    ExpectFailure(parse("a /FORMAT /ORDER"), ParseCodes::SubComEmpty,
                  "FORMAT subcommand is empty...");
    ExpectFailure(parse("a /SORT"), ParseCodes::SubComEmpty, "SORT subcommand is empty...");
    // The leading value is required, but the subcommand starts with a named parameter.
    ExpectFailure(parse("a /SORT ORDER=asc"), ParseCodes::ParamMissing,
                  "Parameter ORDER is not allowed at the subcommand SORT start...");
    const ParseOutcome out = parse("a /SORT v ORDER=desc");
    EXPECT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(Joined(out.spec.getSubComObj("SORT")), "v");

    ExpectFailure(parse("/TABLE"), ParseCodes::ParamMissing,
                  "Parameter TITLE required in subcommand TABLE 1...");
    EXPECT_EQ(parse("/ARBITRARY").code, ParseCodes::UnknownSubCom);
    ExpectFailure(parse("/MISSING"), ParseCodes::SubComEmpty, "MISSING subcommand is empty...");
}

TEST(UniversalParser, ArbitraryContentIsCheckedTokenByToken) {
    CommandDescriptor grammar("CMD");
    SubComDescriptor count("COUNT", SubComArbitrary);
    count.setExportParamDesc(ParamNumber, true);
    grammar.addSubComDesc(count);
    EXPECT_EQ(ParseCommand("CMD /COUNT 3", &grammar).code, ParseCodes::Parsed);
    // The check runs after every token, so the second token fails and stays collected.
    const ParseOutcome out = ParseCommand("CMD /COUNT 3 4 5", &grammar);
    ExpectFailure(out, ParseCodes::WrongValue,
                  "Parameter COUNT of subcommand COUNT does not have a numerical value...");
    EXPECT_EQ(Joined(out.spec.getSubComObj("COUNT")), "3 4");
}

TEST(UniversalParser, WithoutGrammarOnlyTheStructureCounts) {
    ParseOutcome out = ParseCommand("CMD a c(2 3) b=1 /SUB x /OTHER /SUB y", nullptr);
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(out.spec.getCommandName(), "");
    ASSERT_EQ(out.spec.getSubComListSize(), 4u);
    const SubComObj* lead = out.spec.getSubComObj(0u);
    ASSERT_EQ(lead->getParamListSize(), 3u);
    EXPECT_TRUE(lead->getParamObj("A")->isLeadingToken());
    EXPECT_EQ(Joined(lead->getParamObj("b")), "1");
    EXPECT_EQ(Joined(lead->getParamObj("c")), "2 3");
    EXPECT_TRUE(lead->getParamObj("c")->areParenUsed());
    EXPECT_TRUE(lead->areParenUsed());
    EXPECT_TRUE(lead->isEqualUsed());
    // No occurrence rules: SUB twice, uncounted.
    std::vector<const SubComObj*> found;
    EXPECT_EQ(out.spec.getSubComObj(found, "sub"), 2u);
    EXPECT_EQ(found[1]->getSubComExtName(), "SUB");

    // Only "=" after a word ends a value written after "=".
    out = ParseCommand("CMD b=1 c(2)", nullptr);
    ExpectFailure(out, ParseCodes::WrongValue, "Parameter B does not have a proper value type...");
    EXPECT_EQ(Joined(out.spec.getSubComObj(0u)->getParamObj("B")), "1 c");

    ExpectFailure(ParseCommand("CMD / 5", nullptr), ParseCodes::UnknownSubCom,
                  "5 is not a valid subcommand name...");
    // A value form that fails silently is reported by the subcommand.
    ExpectFailure(ParseCommand("CMD /SUB key = 1 ( 2", nullptr), ParseCodes::WrongValue,
                  "Parameter KEY of subcommand SUB does not have a proper value type...");
    ExpectFailure(ParseCommand("CMD /SUB = 1", nullptr), ParseCodes::InvalidParam,
                  "= is not a valid parameter name in subcommand SUB...");
}

TEST(UniversalParser, WithoutGrammarArbitrarySubcommandsEndAtEverySlash) {
    CommandDescriptor arbitrary;
    arbitrary.setSubComArbitrary(true);
    const ParseOutcome out = ParseCommand("CMD a ( b /X = 1 /Y", &arbitrary);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    ASSERT_EQ(out.spec.getSubComListSize(), 3u);
    EXPECT_EQ(Joined(out.spec.getSubComObj(0u)), "a ( b");
    EXPECT_EQ(Joined(out.spec.getSubComObj("x")), "= 1");
    EXPECT_EQ(out.spec.getSubComObj("Y")->getTokenListSize(), 0u);
    // "/" before a number ends the subcommand too; what follows is then no subcommand.
    const ParseOutcome bad = ParseCommand("CMD /X = 1 / 2", &arbitrary);
    ExpectFailure(bad, ParseCodes::UnknownSubCom, "2 is not a valid subcommand name...");
    EXPECT_EQ(Joined(bad.spec.getSubComObj("X")), "= 1");
}

TEST(UniversalParser, ReachesTheEndOfVeryLongCommands) {
    const int count = 100000;
    std::string variables = "COUNTVALUES";
    std::string parameters = "CMD /SUB first(0)";
    for (int i = 1; i <= count; ++i) {
        const std::string number = std::to_string(i);
        variables += " v" + number;
        parameters += " k" + number + " = " + number;
    }
    const CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand(variables + " /ORDER", &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(out.spec.getSubComObj(0u)->getTokenListSize(), static_cast<unsigned>(count));

    out = ParseCommand(parameters, nullptr);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    const SubComObj* sub = out.spec.getSubComObj("SUB");
    ASSERT_EQ(sub->getParamListSize(), static_cast<unsigned>(count) + 1);
    EXPECT_EQ(Joined(sub->getParamObj(count)), std::to_string(count));
    EXPECT_TRUE(sub->areParenUsed() && sub->isEqualUsed());
}

TEST(UniversalParser, LeadingValueOpenedAtTheLastTokenFailsWithoutAMessage) {
    CommandDescriptor grammar("CMD");
    SubComDescriptor leadEq("LEADEQ", SubComByBlock);
    ParamDescriptor value("", ParamTokenList);
    value.setBlockOption(BlockByEqual);
    leadEq.setExportParamDesc(value);
    grammar.addSubComDesc(leadEq);
    const ParseOutcome out = ParseCommand("CMD /LEADEQ =", &grammar);
    EXPECT_EQ(out.code, ParseCodes::UnnamedFailure);
    EXPECT_THAT(out.texts(), IsEmpty());
}

}  // namespace
