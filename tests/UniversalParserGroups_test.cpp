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
using testsupport::EmptyAllowedSubCom;
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
    ASSERT_EQ(out.code, 0) << ::testing::PrintToString(out.texts());
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
    ASSERT_EQ(out.code, 0);
    ASSERT_EQ(out.spec.getGroupListSize(), 1u);
    EXPECT_EQ(out.spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(out.spec.getSubComListSize(), 0u);
}

TEST(UniversalParserGroups, RequiredGroups) {
    CommandDescriptor grammar = Tables();
    ParseOutcome out = ParseCommand("LAYOUTS a", &grammar);
    EXPECT_EQ(out.code, 5);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand TABLE required..."));

    out = ParseCommand("LAYOUTS", &grammar);
    EXPECT_EQ(out.code, 5);
    EXPECT_THAT(out.texts(), ElementsAre("The command is empty..."));

    // A required group with two separators names both, as a warning.
    CommandDescriptor twoSeparators("CMD");
    GroupComDescriptor output(GroupRepeatable, true);
    output.addSubComDesc(EmptyAllowedSubCom("SAVE"), true);
    output.addSubComDesc(EmptyAllowedSubCom("EXPORT"), true);
    GroupComDescriptor global(GroupGlobal);
    global.addSubComDesc(EmptyAllowedSubCom("TITLE"), false);
    twoSeparators.addGroupDesc(global);
    twoSeparators.addGroupDesc(output);
    out = ParseCommand("CMD /TITLE", &twoSeparators);
    EXPECT_EQ(out.code, 5);
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
    out = ParseCommand("CMD /EXPORT", &needsGlobal);
    EXPECT_EQ(out.code, 5);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand EXPORT is not allowed at the command CMD "
                                         "start..."));
}

TEST(UniversalParserGroups, SingleGroupsOccurOnceRepeatableOnesAreNumbered) {
    const CommandDescriptor grammar = Tables();
    ParseOutcome out = ParseCommand("LAYOUTS /TABLE /CHART /CHART", &grammar);
    EXPECT_EQ(out.code, 4);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand CHART is not allowed in this context..."));
    EXPECT_EQ(out.spec.getGroupListSize(), 3u);

    // Diagnostics inside a group carry the separator and the occurrence.
    out = ParseCommand("LAYOUTS /TABLE /TABLE /CELLS N=x", &grammar);
    EXPECT_EQ(out.code, 12);
    EXPECT_THAT(out.texts(), ElementsAre("TABLE block 2.... Parameter N of subcommand CELLS does "
                                         "not have a numerical value..."));
    out = ParseCommand("LAYOUTS /TABLE N=x", &grammar);
    EXPECT_THAT(out.texts(), ElementsAre("TABLE block 1.... Parameter N of subcommand TABLE does "
                                         "not have a numerical value..."));
    // The global group never carries a prefix.
    out = ParseCommand("LAYOUTS /TITLE N=x", &grammar);
    EXPECT_THAT(out.texts(), ElementsAre("Parameter N of subcommand TITLE does not have a "
                                         "numerical value..."));

    const CommandDescriptor withText = Tables(GroupRepeatable, "Table request ^1");
    out = ParseCommand("LAYOUTS /TABLE /TABLE /TABLE N=x", &withText);
    EXPECT_THAT(out.texts(), ElementsAre("Table request 3. Parameter N of subcommand TABLE does "
                                         "not have a numerical value..."));
    // A group that is treated as single.
    const CommandDescriptor other = Tables(GroupOther);
    out = ParseCommand("LAYOUTS /TABLE /TABLE", &other);
    EXPECT_EQ(out.code, 4);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand TABLE is not allowed in this context..."));
}

TEST(UniversalParserGroups, SubcommandsBelongToTheirGroup) {
    const CommandDescriptor grammar = Tables();
    ParseOutcome out = ParseCommand("LAYOUTS /TABLE /OUTFILE", &grammar);
    EXPECT_EQ(out.code, 7);
    EXPECT_THAT(out.texts(), ElementsAre("TABLE block 1.... Subcommand OUTFILE is not allowed in "
                                         "this context..."));
    // CELLS exists in two groups; a group of its own it may not open.
    out = ParseCommand("LAYOUTS a /CELLS", &grammar);
    EXPECT_EQ(out.code, 7);
    out = ParseCommand("LAYOUTS /TABLE /CELLS /CELLS", &grammar);
    EXPECT_EQ(out.code, 8);
}

TEST(UniversalParserGroups, NothingMayFollowAFinalGroup) {
    const CommandDescriptor grammar = Tables();
    ParseOutcome out = ParseCommand("LAYOUTS /TABLE /SAVE /TABLE", &grammar);
    EXPECT_EQ(out.code, 2);
    EXPECT_THAT(out.texts(), ElementsAre("Combination of subcommands is invalid..."));
    EXPECT_EQ(out.spec.getGroupListSize(), 3u);

    // With one separator the final group names it; repeating it reports a second time.
    CommandDescriptor single("CMD");
    GroupComDescriptor global(GroupGlobal);
    global.addSubComDesc(EmptyAllowedSubCom("TITLE"), false);
    GroupComDescriptor save(GroupFinal, false);
    save.addSubComDesc(EmptyAllowedSubCom("SAVE"), true);
    GroupComDescriptor table(GroupRepeatable, false);
    table.addSubComDesc(EmptyAllowedSubCom("TABLE"), true);
    single.addGroupDesc(global);
    single.addGroupDesc(save);
    single.addGroupDesc(table);
    out = ParseCommand("CMD /SAVE /TITLE", &single);
    EXPECT_EQ(out.code, 7);  // no separator: TITLE would belong to the final group
    out = ParseCommand("CMD /SAVE /TABLE", &single);
    EXPECT_EQ(out.code, 2);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand SAVE required..."));
    out = ParseCommand("CMD /SAVE /SAVE", &single);
    EXPECT_EQ(out.code, 4);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand SAVE required...",
                                         "Subcommand SAVE is not allowed in this context..."));
}

TEST(UniversalParserGroups, ASlashAndNumberAtTheStartIsNoGroup) {
    const CommandDescriptor grammar = Tables();
    // The group is parsed anyway, not as the global one, and no group opens with "5".
    ParseOutcome out = ParseCommand("LAYOUTS / 5", &grammar);
    EXPECT_EQ(out.code, 2);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand 5 is not allowed in this context..."));
    ASSERT_EQ(out.spec.getGroupListSize(), 1u);
    EXPECT_FALSE(out.spec.getGroupObj(0u)->isGroupGlobal());

    out = ParseCommand("LAYOUTS / 5", nullptr);
    EXPECT_EQ(out.code, 6);
    EXPECT_THAT(out.texts(), ElementsAre("5 is not a valid subcommand name..."));
}

TEST(UniversalParserGroups, GroupRulesApplyToANamelessGrammarWithGroups) {
    CommandDescriptor nameless;
    GroupComDescriptor chart(GroupSingle, false);
    chart.addSubComDesc(EmptyAllowedSubCom("CHART"), true);
    nameless.addGroupDesc(chart);
    ParseOutcome out = ParseCommand("CMD /CHART x /CHART", &nameless);
    EXPECT_EQ(out.code, 4);
    EXPECT_THAT(out.texts(), ElementsAre("Subcommand CHART is not allowed in this context..."));
    // ... while subcommand rules do not: any name and any parameter are taken.
    out = ParseCommand("CMD /CHART x = 1 /ANY /ANY y", &nameless);
    EXPECT_EQ(out.code, 0);
    EXPECT_THAT(out.texts(), IsEmpty());
    EXPECT_EQ(out.spec.getGroupObj(0u)->getSubComListSize(), 3u);
}

}  // namespace
