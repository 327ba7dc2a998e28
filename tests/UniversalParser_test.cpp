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
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::CountValues;
using testsupport::ParseCommand;
using testsupport::ParseOutcome;

// The token texts of a value, blank-separated.
std::string Texts(const ParamObj* param) {
    std::string joined;
    for (unsigned i = 0; param != nullptr && i < param->getTokenListSize(); ++i) {
        joined += (i > 0 ? " " : "") + std::string(param->getTokenObj(i)->getString());
    }
    return joined;
}

std::string Texts(const SubComObj* subCom) {
    return Texts(subCom->exportParamObj());
}

TEST(UniversalParser, ParsesAWholeCommandIntoTheGlobalGroup) {
    const CommandDescriptor grammar = CountValues();
    const ParseOutcome out = ParseCommand(
        "COUNTVALUES a b c /FORMAT LIMIT=5 QUIETLY /QUANTPOINTS 25 50 /QUANTPOINTS 75\n"
        "  /MISSING include all ( x /ORDER /TABLE TITLE = 'one' /TABLE TITLE='two'.",
        &grammar);
    ASSERT_EQ(out.code, 0) << ::testing::PrintToString(out.texts());
    EXPECT_THAT(out.texts(), IsEmpty());
    const CommandSpec& spec = out.spec;
    EXPECT_EQ(spec.getCommandName(), "COUNTVALUES");
    ASSERT_EQ(spec.getGroupListSize(), 1u);
    ASSERT_NE(spec.getGlobalGroupObj(), nullptr);
    ASSERT_EQ(spec.getSubComListSize(), 8u);

    const SubComObj* lead = spec.getSubComObj(0u);
    EXPECT_EQ(lead->getSubComName(), "");
    EXPECT_EQ(Texts(lead), "a b c");
    EXPECT_EQ(lead->getParamListSize(), 0u);

    const SubComObj* format = spec.getSubComObj("format");
    ASSERT_EQ(format->getParamListSize(), 2u);
    const ParamObj* limit = format->getParamObj("LIMIT");
    EXPECT_TRUE(limit->isTokenList());
    EXPECT_EQ(Texts(limit), "5");
    EXPECT_EQ(limit->getSubComExtName(), "FORMAT");
    EXPECT_TRUE(format->getParamObj("quietly")->isLeadingToken());
    EXPECT_TRUE(format->isEqualUsed());
    EXPECT_FALSE(format->areParenUsed());

    std::vector<const SubComObj*> found;
    ASSERT_EQ(spec.getSubComObj(found, "Quantpoints"), 2u);
    EXPECT_EQ(found[0]->getSubComCount(), 1);
    EXPECT_EQ(found[0]->getSubComExtName(), "QUANTPOINTS 1");
    EXPECT_EQ(Texts(found[0]), "25 50");
    EXPECT_EQ(found[1]->getSubComExtName(), "QUANTPOINTS 2");
    EXPECT_EQ(Texts(found[1]), "75");

    EXPECT_EQ(Texts(spec.getSubComObj("MISSING")), "include all ( x");
    const SubComObj* order = spec.getSubComObj("ORDER");
    EXPECT_EQ(order->getParamListSize() + order->getTokenListSize(), 0u);
    ASSERT_EQ(spec.getSubComObj(found, "table"), 2u);
    EXPECT_EQ(found[1]->getParamObj("title")->getSubComExtName(), "TABLE 2");
    EXPECT_EQ(Texts(found[1]->getParamObj("title")), "two");
    EXPECT_EQ(found[0]->getSubComCount(), 1);
}

TEST(UniversalParser, NameOnlyIsEmptyUnlessSomethingIsRequired) {
    CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand("COUNTVALUES.", &grammar);
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(out.spec.getGroupListSize(), 0u);
    EXPECT_EQ(out.spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(out.spec.getSubComListSize(), 0u);

    grammar.addSubComDesc(SubComDescriptor("INDICATORS", SubComByEqual, true));
    out = ParseCommand("COUNTVALUES", &grammar);
    EXPECT_EQ(out.code, 5);
    EXPECT_THAT(out.texts(), ElementsAre("The command is empty..."));
}

TEST(UniversalParser, SubcommandNamesMustBeKnown) {
    const CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand("COUNTVALUES a /BOGUS x", &grammar);
    EXPECT_EQ(out.code, 6);
    EXPECT_THAT(out.texts(), ElementsAre("BOGUS is not a valid subcommand name..."));
    // The failing subcommand stays in the tree.
    ASSERT_EQ(out.spec.getSubComListSize(), 2u);
    EXPECT_EQ(out.spec.getSubComObj(1u)->getSubComName(), "BOGUS");

    out = ParseCommand("COUNTVALUES a / 5", &grammar);
    EXPECT_EQ(out.code, 6);
    EXPECT_THAT(out.texts(), ElementsAre("5 is not a valid subcommand name..."));

    // A grammar without an unnamed leading part rejects text before the first "/".
    CommandDescriptor noLead("CMD");
    noLead.addSubComDesc(SubComDescriptor("A"));
    out = ParseCommand("CMD x = 1", &noLead);
    EXPECT_EQ(out.code, 6);
    EXPECT_THAT(out.texts(), ElementsAre("No subcommand at the command start..."));
}

TEST(UniversalParser, RepeatedSubcommandsAndCountedNames) {
    const CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand("COUNTVALUES /FORMAT LIMIT=1 /FORMAT LIMIT=2", &grammar);
    EXPECT_EQ(out.code, 8);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand FORMAT has already been called..."));
    EXPECT_EQ(out.spec.getSubComListSize(), 2u);

    out = ParseCommand("COUNTVALUES /TABLE TITLE='a' /TABLE TITLE=5", &grammar);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter TITLE of subcommand TABLE 2 does not have a "
                                         "quoted string..."));
    out = ParseCommand("COUNTVALUES /QUANTPOINTS 1 /QUANTPOINTS 2 x", &grammar);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter QUANTPOINTS 2 of subcommand QUANTPOINTS 2 "
                                         "does not have a numerical list..."));
}

TEST(UniversalParser, RequiredSubcommandsAndTheLeadingPart) {
    CommandDescriptor grammar = CountValues();
    grammar.addSubComDesc(SubComDescriptor("INDICATORS", SubComByEqual, true));
    ParseOutcome out = ParseCommand("COUNTVALUES a /ORDER", &grammar);
    EXPECT_EQ(out.code, 9);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand INDICATORS required..."));

    SubComDescriptor lead("", SubComByEqual, true);
    lead.setExportParamDesc(ParamVarList, false);
    CommandDescriptor needsLead("COUNTVALUES");
    SubComDescriptor statistics("INDICATORS", SubComByEqual, true);
    statistics.allowSubComEmpty(true);
    needsLead.addSubComDesc(lead);
    needsLead.addSubComDesc(statistics);
    out = ParseCommand("COUNTVALUES /INDICATORS", &needsLead);
    EXPECT_EQ(out.code, 9);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand INDICATORS is not allowed at the command "
                                         "COUNTVALUES start..."));
}

TEST(UniversalParser, EmptySubcommandsAndMissingParameters) {
    const CommandDescriptor grammar = CountValues();
    ParseOutcome out = ParseCommand("COUNTVALUES a /FORMAT /ORDER", &grammar);
    EXPECT_EQ(out.code, 10);
    EXPECT_THAT(out.texts(), ElementsAre("FORMAT subcommand is empty..."));

    out = ParseCommand("COUNTVALUES a /SORT", &grammar);
    EXPECT_EQ(out.code, 10);
    EXPECT_THAT(out.texts(), ElementsAre("SORT subcommand is empty..."));

    // The leading value is required, but the subcommand starts with a named parameter.
    out = ParseCommand("COUNTVALUES a /SORT ORDER=asc", &grammar);
    EXPECT_EQ(out.code, 14);
    EXPECT_THAT(out.texts(),
                ElementsAre("Parameter ORDER is not allowed at the subcommand SORT start..."));
    out = ParseCommand("COUNTVALUES a /SORT v ORDER=desc", &grammar);
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(Texts(out.spec.getSubComObj("SORT")), "v");

    out = ParseCommand("COUNTVALUES /TABLE", &grammar);
    EXPECT_EQ(out.code, 14);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter TITLE required in subcommand TABLE 1..."));

    out = ParseCommand("COUNTVALUES /ARBITRARY", &grammar);
    EXPECT_EQ(out.code, 6);
    out = ParseCommand("COUNTVALUES /MISSING", &grammar);
    EXPECT_EQ(out.code, 10);
    EXPECT_THAT(out.texts(), ElementsAre("MISSING subcommand is empty..."));
}

TEST(UniversalParser, ArbitraryContentIsCheckedTokenByToken) {
    CommandDescriptor grammar("CMD");
    SubComDescriptor count("COUNT", SubComArbitrary);
    count.setExportParamDesc(ParamNumber, true);
    grammar.addSubComDesc(count);
    ParseOutcome out = ParseCommand("CMD /COUNT 3", &grammar);
    EXPECT_EQ(out.code, 0);
    // The check runs after every token, so the second token fails and stays collected.
    out = ParseCommand("CMD /COUNT 3 4 5", &grammar);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter COUNT of subcommand COUNT does not have a "
                                         "numerical value..."));
    EXPECT_EQ(Texts(out.spec.getSubComObj("COUNT")), "3 4");
}

TEST(UniversalParser, WithoutGrammarOnlyTheStructureCounts) {
    ParseOutcome out = ParseCommand("CMD a c(2 3) b=1 /SUB x /OTHER /SUB y", nullptr);
    ASSERT_EQ(out.code, 0) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(out.spec.getCommandName(), "");
    ASSERT_EQ(out.spec.getSubComListSize(), 4u);
    const SubComObj* lead = out.spec.getSubComObj(0u);
    ASSERT_EQ(lead->getParamListSize(), 3u);
    EXPECT_TRUE(lead->getParamObj("A")->isLeadingToken());
    EXPECT_EQ(Texts(lead->getParamObj("b")), "1");
    EXPECT_EQ(Texts(lead->getParamObj("c")), "2 3");
    EXPECT_TRUE(lead->getParamObj("c")->areParenUsed());
    EXPECT_TRUE(lead->areParenUsed());
    EXPECT_TRUE(lead->isEqualUsed());
    // No occurrence rules: SUB twice, uncounted.
    std::vector<const SubComObj*> found;
    EXPECT_EQ(out.spec.getSubComObj(found, "sub"), 2u);
    EXPECT_EQ(found[1]->getSubComExtName(), "SUB");

    // Only "=" after a word ends a value written after "=".
    out = ParseCommand("CMD b=1 c(2)", nullptr);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter B does not have a proper value type..."));
    EXPECT_EQ(Texts(out.spec.getSubComObj(0u)->getParamObj("B")), "1 c");

    out = ParseCommand("CMD / 5", nullptr);
    EXPECT_EQ(out.code, 6);
    EXPECT_THAT(out.texts(), ElementsAre("5 is not a valid subcommand name..."));
    // A value form that fails silently is reported by the subcommand.
    out = ParseCommand("CMD /SUB key = 1 ( 2", nullptr);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter KEY of subcommand SUB does not have a proper "
                                         "value type..."));
    out = ParseCommand("CMD /SUB = 1", nullptr);
    EXPECT_EQ(out.code, 11);
    EXPECT_THAT(out.texts(), ElementsAre("= is not a valid parameter name in subcommand SUB..."));
}

TEST(UniversalParser, WithoutGrammarArbitrarySubcommandsEndAtEverySlash) {
    CommandDescriptor arbitrary;
    arbitrary.setSubComArbitrary(true);
    const ParseOutcome out = ParseCommand("CMD a ( b /X = 1 /Y", &arbitrary);
    ASSERT_EQ(out.code, 0);
    ASSERT_EQ(out.spec.getSubComListSize(), 3u);
    EXPECT_EQ(Texts(out.spec.getSubComObj(0u)), "a ( b");
    EXPECT_EQ(Texts(out.spec.getSubComObj("x")), "= 1");
    EXPECT_EQ(out.spec.getSubComObj("Y")->getTokenListSize(), 0u);
    // "/" before a number ends the subcommand too; what follows is then no subcommand.
    const ParseOutcome bad = ParseCommand("CMD /X = 1 / 2", &arbitrary);
    EXPECT_EQ(bad.code, 6);
    EXPECT_THAT(bad.texts(), ElementsAre("2 is not a valid subcommand name..."));
    EXPECT_EQ(Texts(bad.spec.getSubComObj("X")), "= 1");
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
    ASSERT_EQ(out.code, 0);
    EXPECT_EQ(out.spec.getSubComObj(0u)->getTokenListSize(), static_cast<unsigned>(count));

    out = ParseCommand(parameters, nullptr);
    ASSERT_EQ(out.code, 0);
    const SubComObj* sub = out.spec.getSubComObj("SUB");
    ASSERT_EQ(sub->getParamListSize(), static_cast<unsigned>(count) + 1);
    EXPECT_EQ(Texts(sub->getParamObj(count)), std::to_string(count));
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
    EXPECT_EQ(out.code, 1);
    EXPECT_THAT(out.texts(), IsEmpty());
}

}  // namespace
