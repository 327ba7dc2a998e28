#include "uparser/CommandDescriptor.h"

#include <gtest/gtest.h>

#include <string>

using namespace UPSpecTypes;

namespace {

GroupComDescriptor GroupOf(GroupSpec type, std::initializer_list<const char*> separators,
                           std::initializer_list<const char*> others = {}) {
    GroupComDescriptor group(type);
    for (const char* name : separators) {
        group.addSubComDesc(SubComDescriptor(name), true);
    }
    for (const char* name : others) {
        group.addSubComDesc(SubComDescriptor(name), false);
    }
    return group;
}

}  // namespace

TEST(CommandDescriptor, DefaultCarriesNoGrammar) {
    const CommandDescriptor command;
    EXPECT_FALSE(command.hasSettingInfo());
    EXPECT_EQ(command.getCommandName(), "");
    EXPECT_EQ(command.getProcedureTitle(), "");
    EXPECT_FALSE(command.areSubComArbitrary());
    EXPECT_EQ(command.getGroupDescListSize(), 0);
    EXPECT_EQ(command.getGroupSepMapSize(), 0);
    EXPECT_EQ(command.getGlobalGroupDesc(), nullptr);
    EXPECT_TRUE(command.groupIsOnlyGlobal());
    EXPECT_EQ(command.getGroupDescIndex(""), -1);
    EXPECT_FALSE(command.isGroupSeparator(""));
    EXPECT_EQ(command.getSubComDesc("X"), nullptr);
    EXPECT_EQ(command.getSubComDescMult("X"), 0);
}

TEST(CommandDescriptor, NameAndTitleAreKeptAsGiven) {
    CommandDescriptor command("Freq", "Frequency tables");
    EXPECT_TRUE(command.hasSettingInfo());
    EXPECT_EQ(command.getCommandName(), "Freq");
    EXPECT_EQ(command.getProcedureTitle(), "Frequency tables");
    EXPECT_EQ(CommandDescriptor("x").getProcedureTitle(), "");
    command.setSubComArbitrary(true);
    EXPECT_TRUE(command.areSubComArbitrary());
}

TEST(CommandDescriptor, SubcommandsAddedDirectlyFormTheGlobalGroup) {
    CommandDescriptor command("CMD");
    command.addSubComDesc(SubComDescriptor("Missing"));
    command.addSubComDesc(SubComDescriptor("print", SubComByParen, true));
    ASSERT_EQ(command.getGroupDescListSize(), 1);
    const GroupComDescriptor* global = command.getGlobalGroupDesc();
    ASSERT_EQ(global, command.getGroupDesc(0));
    EXPECT_EQ(global->getGroupType(), GroupGlobal);
    EXPECT_EQ(global->getSubComDescListSize(), 2);
    EXPECT_EQ(global->getGroupSepListSize(), 0);
    // Not required by its flag, but by its required subcommand.
    EXPECT_TRUE(global->isGroupRequired());
    EXPECT_TRUE(command.groupIsOnlyGlobal());
    ASSERT_NE(command.getSubComDesc("MISSING"), nullptr);
    ASSERT_NE(command.getSubComDesc("Print"), nullptr);
    EXPECT_TRUE(command.getSubComDesc("PRINT")->areParamByParen());
    EXPECT_EQ(command.getSubComDesc("PRIN"), nullptr);
    EXPECT_EQ(command.getGroupDescIndex(""), 0);
    EXPECT_TRUE(command.isGroupSeparator(""));

    CommandDescriptor other;
    other.addSubComDesc(SubComDescriptor("A"));
    EXPECT_FALSE(other.getGlobalGroupDesc()->isGroupRequired());
}

TEST(CommandDescriptor, SeparatedGroupsStopDirectSubcommands) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupRepeatable, {"TABLES", "CHARTS"}, {"FORMAT"}));
    EXPECT_EQ(command.getGroupDescIndex("tables"), 0);
    EXPECT_TRUE(command.isGroupSeparator("Charts"));
    EXPECT_FALSE(command.isGroupSeparator("FORMAT"));
    EXPECT_EQ(command.getGroupDescIndex("TABLE"), -1);
    EXPECT_EQ(command.getGroupSepMapSize(), 2);
    EXPECT_FALSE(command.groupIsOnlyGlobal());
    EXPECT_FALSE(command.setOnlyGlobalGroup());

    command.addSubComDesc(SubComDescriptor("EXTRA"));
    EXPECT_EQ(command.getGroupDescListSize(), 1);
    EXPECT_FALSE(command.getGroupDesc(0)->containSubComDesc("EXTRA"));
    EXPECT_EQ(command.getSubComDesc("FORMAT"), nullptr);
    // No global group: an empty name opens nothing.
    EXPECT_EQ(command.getGroupDescIndex(""), -1);
}

TEST(CommandDescriptor, GlobalGroupAndSeparatedGroupsTogether) {
    CommandDescriptor command("CMD");
    command.addSubComDesc(SubComDescriptor("OPTIONS"));
    command.addGroupDesc(GroupOf(GroupSingle, {"TABLES"}));
    EXPECT_EQ(command.getGroupDescListSize(), 2);
    EXPECT_EQ(command.getGroupDescIndex(""), 0);
    EXPECT_EQ(command.getGroupDescIndex("TABLES"), 1);
    EXPECT_EQ(command.getGroupDesc("tables"), command.getGroupDesc(1));
    EXPECT_FALSE(command.groupIsOnlyGlobal());
    EXPECT_EQ(command.getSubComDesc("OPTIONS"), nullptr);
    command.addSubComDesc(SubComDescriptor("MORE"));
    EXPECT_FALSE(command.getGlobalGroupDesc()->containSubComDesc("MORE"));
}

TEST(CommandDescriptor, OnlyGlobalNeedsOneGlobalGroupAtIndexZero) {
    CommandDescriptor twoGroups;
    twoGroups.addGroupDesc(GroupComDescriptor(GroupGlobal));
    twoGroups.addGroupDesc(GroupComDescriptor(GroupSingle));
    EXPECT_FALSE(twoGroups.groupIsOnlyGlobal());

    CommandDescriptor notGlobal;
    notGlobal.addGroupDesc(GroupComDescriptor(GroupSingle));
    EXPECT_FALSE(notGlobal.groupIsOnlyGlobal());
    EXPECT_FALSE(notGlobal.setOnlyGlobalGroup());
    EXPECT_EQ(notGlobal.getGroupDescListSize(), 1);

    CommandDescriptor added;
    added.addGroupDesc(GroupOf(GroupGlobal, {}, {"A"}));
    EXPECT_TRUE(added.groupIsOnlyGlobal());
    EXPECT_TRUE(added.setOnlyGlobalGroup());
    added.addSubComDesc(SubComDescriptor("B"));
    EXPECT_EQ(added.getGroupDescListSize(), 1);
    EXPECT_NE(added.getSubComDesc("B"), nullptr);

    CommandDescriptor empty;
    EXPECT_TRUE(empty.setOnlyGlobalGroup());
    EXPECT_EQ(empty.getGroupDescListSize(), 1);
    EXPECT_EQ(empty.getGlobalGroupDesc()->getGroupType(), GroupGlobal);
}

TEST(CommandDescriptor, LaterRegistrationsWin) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupGlobal, {}));
    command.addGroupDesc(GroupOf(GroupRepeatable, {"X", "Y"}));
    command.addGroupDesc(GroupOf(GroupSingle, {"X"}));
    command.addGroupDesc(GroupOf(GroupGlobal, {}));
    EXPECT_EQ(command.getGroupDescIndex("x"), 2);
    EXPECT_EQ(command.getGroupDescIndex("Y"), 1);
    EXPECT_EQ(command.getGroupSepMapSize(), 2);
    EXPECT_EQ(command.getGlobalGroupDesc(), command.getGroupDesc(3));
    EXPECT_EQ(command.getGroupDescIndex(""), 3);
}

TEST(CommandDescriptor, SubcommandMultiplicityCountsGroups) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupRepeatable, {"A"}, {"SHARED"}));
    command.addGroupDesc(GroupOf(GroupRepeatable, {"B"}, {"SHARED"}));
    command.addGroupDesc(GroupOf(GroupRepeatable, {"SHARED"}));
    EXPECT_EQ(command.getSubComDescMult("shared"), 3);
    EXPECT_EQ(command.getSubComDescMult("A"), 1);
    EXPECT_EQ(command.getSubComDescMult("SHARE"), 0);
    EXPECT_EQ(command.getSubComDescMult("unknown"), 0);
}

TEST(CommandDescriptor, GroupIndexesOutOfRange) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupSingle, {"A"}));
    EXPECT_EQ(command.getGroupDesc(-1), nullptr);
    EXPECT_EQ(command.getGroupDesc(command.getGroupDescListSize()), nullptr);
    EXPECT_EQ(command.getGroupDesc("B"), nullptr);
}

TEST(CommandDescriptor, AddedGroupsAreCopies) {
    CommandDescriptor command("CMD");
    GroupComDescriptor group = GroupOf(GroupSingle, {"A"});
    command.addGroupDesc(group);
    group.addSubComDesc(SubComDescriptor("B"), true);
    EXPECT_FALSE(command.getGroupDesc(0)->containSubComDesc("B"));
    EXPECT_EQ(command.getGroupDescIndex("B"), -1);

    // Adding one of its own groups again registers the copy.
    command.addGroupDesc(*command.getGroupDesc(0));
    EXPECT_EQ(command.getGroupDescListSize(), 2);
    EXPECT_EQ(command.getGroupDescIndex("A"), 1);
}
