#include "uparser/CommandDescriptor.h"

#include <gtest/gtest.h>

#include "support/TestGrammars.h"

using namespace UPSpecTypes;
using testsupport::GroupOf;

TEST(CommandDescriptor, DefaultCarriesNoGrammar) {
    const CommandDescriptor command;
    EXPECT_FALSE(command.hasSettingInfo());
    EXPECT_EQ(command.getGroupDescListSize(), 0);
    EXPECT_EQ(command.getGlobalGroupDesc(), nullptr);
    EXPECT_TRUE(command.groupIsOnlyGlobal());
    EXPECT_EQ(command.getGroupDescIndex(""), -1);
    EXPECT_EQ(command.getSubComDesc("X"), nullptr);

    EXPECT_TRUE(CommandDescriptor("Freq", "Frequency tables").hasSettingInfo());
}

TEST(CommandDescriptor, SubcommandsAddedDirectlyFormTheGlobalGroup) {
    CommandDescriptor command("CMD");
    command.addSubComDesc(SubComDescriptor("Missing"));
    command.addSubComDesc(SubComDescriptor("print", SubComByParen));
    ASSERT_EQ(command.getGroupDescListSize(), 1);
    const GroupComDescriptor* global = command.getGlobalGroupDesc();
    ASSERT_EQ(global, command.getGroupDesc(0));
    EXPECT_EQ(global->getGroupType(), GroupGlobal);
    EXPECT_FALSE(global->isGroupRequired());
    EXPECT_EQ(global->getGroupSepListSize(), 0);
    EXPECT_NE(command.getSubComDesc("MISSING"), nullptr);
    EXPECT_TRUE(command.getSubComDesc("Print")->areParamByParen());
    EXPECT_EQ(command.getGroupDescIndex(""), 0);
    EXPECT_TRUE(command.isGroupSeparator(""));

    command.addGroupDesc(GroupOf(GroupSingle, true, {}));  // a second group ends "only global"
    EXPECT_FALSE(command.groupIsOnlyGlobal());
    EXPECT_EQ(command.getSubComDesc("MISSING"), nullptr);
    command.addSubComDesc(SubComDescriptor("MORE"));
    EXPECT_FALSE(command.getGlobalGroupDesc()->containSubComDesc("MORE"));
}

TEST(CommandDescriptor, SeparatedGroupsStopDirectSubcommands) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupRepeatable, true, {"TABLES", "CHARTS"}, {"FORMAT"}));
    EXPECT_EQ(command.getGroupDescIndex("tables"), 0);
    EXPECT_TRUE(command.isGroupSeparator("Charts"));
    EXPECT_FALSE(command.isGroupSeparator("FORMAT"));
    EXPECT_EQ(command.getGroupDesc("TABLE"), nullptr);
    EXPECT_EQ(command.getGroupSepMapSize(), 2);
    EXPECT_FALSE(command.setOnlyGlobalGroup());
    command.addSubComDesc(SubComDescriptor("EXTRA"));
    EXPECT_EQ(command.getGroupDescListSize(), 1);
    EXPECT_FALSE(command.getGroupDesc(0)->containSubComDesc("EXTRA"));
    EXPECT_EQ(command.getGroupDesc(-1), nullptr);
    EXPECT_EQ(command.getGroupDesc(1), nullptr);

    CommandDescriptor single;  // one group that is not global
    single.addGroupDesc(GroupOf(GroupSingle, true, {}));
    EXPECT_FALSE(single.groupIsOnlyGlobal());
}

TEST(CommandDescriptor, LaterRegistrationsWinAndMultiplicityCountsGroups) {
    CommandDescriptor command("CMD");
    command.addGroupDesc(GroupOf(GroupGlobal, false, {}, {"SHARED"}));
    command.addGroupDesc(GroupOf(GroupRepeatable, true, {"X", "Y"}, {"SHARED"}));
    command.addGroupDesc(GroupOf(GroupSingle, true, {"X", "SHARED"}));
    command.addGroupDesc(*command.getGroupDesc(0));
    EXPECT_EQ(command.getGroupDescIndex("x"), 2);
    EXPECT_EQ(command.getGroupDescIndex("Y"), 1);
    EXPECT_EQ(command.getGlobalGroupDesc(), command.getGroupDesc(3));
    EXPECT_EQ(command.getSubComDescMult("shared"), 4);
    EXPECT_EQ(command.getSubComDescMult("Y"), 1);
    EXPECT_EQ(command.getSubComDescMult("SHARE"), 0);

    GroupComDescriptor group = GroupOf(GroupSingle, true, {"A"});
    command.addGroupDesc(group);
    group.addSubComDesc(SubComDescriptor("B"), true);  // the command holds a copy
    EXPECT_EQ(command.getGroupDescIndex("B"), -1);
}
