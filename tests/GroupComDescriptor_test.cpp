#include "uparser/GroupComDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(GroupComDescriptor, ConstructorsSetKindAndRequiredFlag) {
    const GroupComDescriptor plain;
    EXPECT_EQ(plain.getGroupType(), GroupRepeatable);
    EXPECT_TRUE(plain.isGroupRequired());
    EXPECT_EQ(plain.getSubComDescListSize(), 0);
    EXPECT_EQ(plain.getGroupSepListSize(), 0);
    EXPECT_EQ(plain.getMessageText(), nullptr);

    EXPECT_TRUE(GroupComDescriptor(GroupSingle).isGroupRequired());
    EXPECT_FALSE(GroupComDescriptor(GroupGlobal).isGroupRequired());
    EXPECT_FALSE(GroupComDescriptor(GroupFinal, false).isGroupRequired());
    EXPECT_TRUE(GroupComDescriptor(GroupGlobal, true).isGroupRequired());
}

TEST(GroupComDescriptor, GlobalGroupIsRequiredByARequiredSubcommand) {
    GroupComDescriptor global(GroupGlobal);
    global.addSubComDesc(SubComDescriptor("A"), false);
    EXPECT_FALSE(global.isGroupRequired());
    global.addSubComDesc(SubComDescriptor("B", SubComByEqual, true), false);
    EXPECT_TRUE(global.isGroupRequired());

    // Only the global kind inherits it.
    GroupComDescriptor single(GroupSingle, false);
    single.addSubComDesc(SubComDescriptor("B", SubComByEqual, true), false);
    EXPECT_FALSE(single.isGroupRequired());
}

TEST(GroupComDescriptor, MessageText) {
    GroupComDescriptor group;
    group.setMessageText("Table ^1");
    EXPECT_STREQ(group.getMessageText(), "Table ^1");
    group.setMessageText(nullptr);
    EXPECT_EQ(group.getMessageText(), nullptr);
    group.setMessageText("");
    EXPECT_EQ(group.getMessageText(), nullptr);
}

TEST(GroupComDescriptor, SeparatorListFollowsTheLastDeclaration) {
    GroupComDescriptor group;
    group.addSubComDesc(SubComDescriptor("tables"), true);
    group.addSubComDesc(SubComDescriptor("charts"), true);
    group.addSubComDesc(SubComDescriptor("format"), false);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("TABLES", "CHARTS"));

    // Again as separator: no duplicate.
    group.addSubComDesc(SubComDescriptor("Tables", SubComByParen), true);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("TABLES", "CHARTS"));
    EXPECT_TRUE(group.getSubComDesc("tables")->areParamByParen());

    // Now not a separator: removed, the others keep their order.
    group.addSubComDesc(SubComDescriptor("TABLES"), false);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("CHARTS"));
    group.addSubComDesc(SubComDescriptor("format"), true);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("CHARTS", "FORMAT"));
    EXPECT_EQ(group.getSubComDescListSize(), 3);
    EXPECT_EQ(group.getSubComDescIndex("format"), 2);
}

TEST(GroupComDescriptor, NamelessSubcommandIsNeverASeparator) {
    GroupComDescriptor group;
    group.addSubComDesc(SubComDescriptor(""), true);
    group.addSubComDesc(SubComDescriptor(""), true);
    EXPECT_EQ(group.getSubComDescListSize(), 1);
    EXPECT_EQ(group.getGroupSepListSize(), 0);
    EXPECT_FALSE(group.isGroupSeparator(""));
    EXPECT_EQ(group.getSubComDescIndex(""), 0);
}

TEST(GroupComDescriptor, LookUpsByNameAndIndex) {
    GroupComDescriptor group;
    group.addSubComDesc(SubComDescriptor("MISSING"), true);
    group.addSubComDesc(SubComDescriptor("PRINT"), false);
    EXPECT_EQ(group.getSubComDescIndex("print"), 1);
    EXPECT_TRUE(group.containSubComDesc("Missing"));
    EXPECT_FALSE(group.containSubComDesc("MISS"));
    EXPECT_EQ(group.getSubComDesc("nothing"), nullptr);
    EXPECT_EQ(group.getSubComDesc(-1), nullptr);
    EXPECT_EQ(group.getSubComDesc(2), nullptr);
    EXPECT_EQ(group.getSubComDesc(1)->getSubComName(), "PRINT");

    EXPECT_EQ(group.getGroupSepIndex("missing"), 0);
    EXPECT_TRUE(group.isGroupSeparator("Missing"));
    EXPECT_FALSE(group.isGroupSeparator("PRINT"));
    EXPECT_STREQ(group.getGroupSepName(0), "MISSING");
    EXPECT_EQ(group.getGroupSepName(-1), nullptr);
    EXPECT_EQ(group.getGroupSepName(group.getGroupSepListSize()), nullptr);
}

TEST(GroupComDescriptor, CopiesAreIndependent) {
    GroupComDescriptor source(GroupSingle);
    SubComDescriptor sub("A");
    sub.addParamDesc("P", ParamNumber, false, true, BracketNone);
    source.addSubComDesc(sub, true);
    sub.addParamDesc("Q", ParamNumber, false, true, BracketNone);
    EXPECT_EQ(source.getSubComDesc("A")->getParamDescListSize(), 1);

    GroupComDescriptor copy = source;
    copy.addSubComDesc(sub, false);
    copy.setMessageText("changed");
    EXPECT_EQ(source.getSubComDesc("A")->getParamDescListSize(), 1);
    EXPECT_THAT(source.getGroupSepNameList(), ElementsAre("A"));
    EXPECT_THAT(copy.getGroupSepNameList(), IsEmpty());
    EXPECT_EQ(source.getMessageText(), nullptr);

    // Re-adding a stored subcommand from itself.
    copy.addSubComDesc(*copy.getSubComDesc(0), true);
    EXPECT_EQ(copy.getSubComDesc(0)->getParamDescListSize(), 2);
    EXPECT_THAT(copy.getGroupSepNameList(), ElementsAre("A"));
}
