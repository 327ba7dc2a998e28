// End to end: subcommand groups, their kinds, separators, required groups and the group
// context in messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ParseCommand.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testsupport::ExpectFailure;
using testsupport::GroupOf;
using testsupport::ParseCommand;
using testsupport::ParseOutcome;
using testsupport::Tables;

std::string FirstName(const GroupComObj* group) {
    return group->getSubComObj(0u)->getSubComName();
}

TEST(UniversalParserGroups, SeparatorsOpenGroups) {
    const CommandDescriptor grammar = Tables();
    const ParseOutcome out = ParseCommand(
        "LAYOUTS a b /TITLE /TABLE N=1 /CELLS /TABLE /CELLS N=2 /CHART /CELLS /SAVE /OUTFILE",
        &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    const CommandSpec& spec = out.spec;
    ASSERT_EQ(spec.getGroupListSize(), 5u);
    ASSERT_NE(spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(spec.getGlobalGroupObj()->getSubComListSize(), 2u);
    for (unsigned i = 1; i < 5; ++i) {
        EXPECT_FALSE(spec.getGroupObj(i)->isGroupGlobal()) << i;
        EXPECT_EQ(spec.getGroupObj(i)->getSubComListSize(), 2u) << i;
    }
    // Several groups: the shortcuts stay silent.
    EXPECT_EQ(spec.getSubComListSize(), 0u);
    EXPECT_EQ(spec.getSubComObj("TITLE"), nullptr);

    std::vector<const GroupComObj*> found;
    ASSERT_EQ(spec.getGroupObj(found, "table"), 2u);
    EXPECT_EQ(found[1], spec.getGroupObj(2u));
    EXPECT_EQ(found[1]->getSubComObj("cells")->getParamObj("N")->getTokenObj(0)->getNumeric(), 2);
    EXPECT_EQ(spec.getGroupObj(found, std::vector<std::string>{"chart", "save"}), 2u);
    EXPECT_EQ(FirstName(found[0]), "CHART");
    // Subcommands of a group are not counted as repeats across groups.
    EXPECT_EQ(FirstName(spec.getGroupObj(4u)), "SAVE");
}

TEST(UniversalParserGroups, ACommandThatOpensWithASeparatorHasNoGlobalGroup) {
    const CommandDescriptor grammar = Tables();
    const ParseOutcome out = ParseCommand("LAYOUTS /TABLE /CELLS", &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    ASSERT_EQ(out.spec.getGroupListSize(), 1u);
    EXPECT_EQ(out.spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(out.spec.getSubComListSize(), 0u);
}

TEST(UniversalParserGroups, RequiredGroups) {
    CommandDescriptor grammar = Tables();
    ExpectFailure(ParseCommand("LAYOUTS a", &grammar), ParseCodes::GroupMissing,
                  "Subcommand TABLE required...");
    ExpectFailure(ParseCommand("LAYOUTS", &grammar), ParseCodes::GroupMissing,
                  "The command is empty...");

    // A required group with two separators names both, as a warning.
    const GroupComDescriptor output = GroupOf(GroupRepeatable, true, {"SAVE", "EXPORT"});
    CommandDescriptor twoSeparators("CMD");
    twoSeparators.addGroupDesc(GroupOf(GroupGlobal, false, {}, {"TITLE"}));
    twoSeparators.addGroupDesc(output);
    const ParseOutcome out = ParseCommand("CMD /TITLE", &twoSeparators);
    EXPECT_EQ(out.code, ParseCodes::GroupMissing);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].level, 2);
    EXPECT_EQ(out.messages[0].text, "One of the subcommands is required SAVE, EXPORT...");

    // A required global group that never came, because the command opened with a separator.
    CommandDescriptor needsGlobal("CMD");
    GroupComDescriptor required(GroupGlobal);
    SubComDescriptor title("TITLE", SubComByEqual, true);
    title.allowSubComEmpty(true);
    required.addSubComDesc(title, false);
    needsGlobal.addGroupDesc(required);
    needsGlobal.addGroupDesc(output);
    ExpectFailure(ParseCommand("CMD /EXPORT", &needsGlobal), ParseCodes::GroupMissing,
                  "Subcommand EXPORT is not allowed at the command CMD start...");
}

TEST(UniversalParserGroups, SingleGroupsOccurOnceRepeatableOnesAreNumbered) {
    const CommandDescriptor grammar = Tables();
    const ParseOutcome out = ParseCommand("LAYOUTS /TABLE /CHART /CHART", &grammar);
    ExpectFailure(out, ParseCodes::GroupRepeated,
                  "Subcommand CHART is not allowed in this context...");
    EXPECT_EQ(out.spec.getGroupListSize(), 3u);

    // Diagnostics inside a group carry the separator and the occurrence.
    ExpectFailure(ParseCommand("LAYOUTS /TABLE /TABLE /CELLS N=x", &grammar),
                  ParseCodes::WrongValue,
                  "TABLE block 2.... Parameter N of subcommand CELLS does not have a numerical "
                  "value...");
    ExpectFailure(ParseCommand("LAYOUTS /TABLE N=x", &grammar), ParseCodes::WrongValue,
                  "TABLE block 1.... Parameter N of subcommand TABLE does not have a numerical "
                  "value...");
    // The global group never carries a prefix.
    ExpectFailure(ParseCommand("LAYOUTS /TITLE N=x", &grammar), ParseCodes::WrongValue,
                  "Parameter N of subcommand TITLE does not have a numerical value...");

    const CommandDescriptor withText = Tables(GroupRepeatable, "Table request ^1");
    ExpectFailure(ParseCommand("LAYOUTS /TABLE /TABLE /TABLE N=x", &withText),
                  ParseCodes::WrongValue,
                  "Table request 3. Parameter N of subcommand TABLE does not have a numerical "
                  "value...");
    // A group that is treated as single.
    const CommandDescriptor other = Tables(GroupOther);
    ExpectFailure(ParseCommand("LAYOUTS /TABLE /TABLE", &other), ParseCodes::GroupRepeated,
                  "Subcommand TABLE is not allowed in this context...");
}

TEST(UniversalParserGroups, SubcommandsBelongToTheirGroup) {
    const CommandDescriptor grammar = Tables();
    ExpectFailure(ParseCommand("LAYOUTS /TABLE /OUTFILE", &grammar), ParseCodes::SubComOfOtherGroup,
                  "TABLE block 1.... Subcommand OUTFILE is not allowed in this context...");
    // CELLS exists in two groups; a group of its own it may not open.
    EXPECT_EQ(ParseCommand("LAYOUTS a /CELLS", &grammar).code, ParseCodes::SubComOfOtherGroup);
    EXPECT_EQ(ParseCommand("LAYOUTS /TABLE /CELLS /CELLS", &grammar).code,
              ParseCodes::SubComRepeated);
}

TEST(UniversalParserGroups, NothingMayFollowAFinalGroup) {
    const CommandDescriptor grammar = Tables();
    ParseOutcome out = ParseCommand("LAYOUTS /TABLE /SAVE /TABLE", &grammar);
    ExpectFailure(out, ParseCodes::GroupNotAllowed, "Combination of subcommands is invalid...");
    EXPECT_EQ(out.spec.getGroupListSize(), 3u);

    // With one separator the final group names it; repeating it reports a second time.
    CommandDescriptor single("CMD");
    single.addGroupDesc(GroupOf(GroupGlobal, false, {}, {"TITLE"}));
    single.addGroupDesc(GroupOf(GroupFinal, false, {"SAVE"}));
    single.addGroupDesc(GroupOf(GroupRepeatable, false, {"TABLE"}));
    // No separator: TITLE would belong to the final group.
    EXPECT_EQ(ParseCommand("CMD /SAVE /TITLE", &single).code, ParseCodes::SubComOfOtherGroup);
    ExpectFailure(ParseCommand("CMD /SAVE /TABLE", &single), ParseCodes::GroupNotAllowed,
                  "Subcommand SAVE required...");
    out = ParseCommand("CMD /SAVE /SAVE", &single);
    EXPECT_EQ(out.code, ParseCodes::GroupRepeated);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand SAVE required...",
                                         "Subcommand SAVE is not allowed in this context..."));
}

TEST(UniversalParserGroups, ASlashAndNumberAtTheStartIsNoGroup) {
    const CommandDescriptor grammar = Tables();
    // The group is parsed anyway, not as the global one, and no group opens with "5".
    const ParseOutcome out = ParseCommand("LAYOUTS / 5", &grammar);
    ExpectFailure(out, ParseCodes::GroupNotAllowed,
                  "Subcommand 5 is not allowed in this context...");
    ASSERT_EQ(out.spec.getGroupListSize(), 1u);
    EXPECT_FALSE(out.spec.getGroupObj(0u)->isGroupGlobal());
    ExpectFailure(ParseCommand("LAYOUTS / 5", nullptr), ParseCodes::UnknownSubCom,
                  "5 is not a valid subcommand name...");
}

TEST(UniversalParserGroups, GroupRulesApplyToANamelessGrammarWithGroups) {
    CommandDescriptor nameless;
    nameless.addGroupDesc(GroupOf(GroupSingle, false, {"CHART"}));
    ExpectFailure(ParseCommand("CMD /CHART x /CHART", &nameless), ParseCodes::GroupRepeated,
                  "Subcommand CHART is not allowed in this context...");
    // ... while subcommand rules do not: any name and any parameter are taken.
    const ParseOutcome out = ParseCommand("CMD /CHART x = 1 /ANY /ANY y", &nameless);
    EXPECT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_THAT(out.texts(), IsEmpty());
    EXPECT_EQ(out.spec.getGroupObj(0u)->getSubComListSize(), 3u);
}

}  // namespace
