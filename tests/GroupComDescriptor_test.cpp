#include "uparser/GroupComDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace UPSpecTypes;
using ::testing::ElementsAre;

TEST(GroupComDescriptor, RequiredFlagAndMessageText) {
    GroupComDescriptor plain;
    EXPECT_EQ(plain.getGroupType(), GroupRepeatable);
    EXPECT_TRUE(plain.isGroupRequired());
    EXPECT_TRUE(GroupComDescriptor(GroupSingle).isGroupRequired());
    EXPECT_FALSE(GroupComDescriptor(GroupFinal, false).isGroupRequired());

    GroupComDescriptor global(GroupGlobal);
    global.addSubComDesc(SubComDescriptor("A"), false);
    EXPECT_FALSE(global.isGroupRequired());
    global.addSubComDesc(SubComDescriptor("B", SubComByEqual, true), false);
    EXPECT_TRUE(global.isGroupRequired());
    global.setGroupType(GroupSingle);  // only the global kind inherits it
    EXPECT_FALSE(global.isGroupRequired());

    EXPECT_EQ(plain.getMessageText(), nullptr);
    plain.setMessageText("Table ^1");
    EXPECT_STREQ(plain.getMessageText(), "Table ^1");
    plain.setMessageText(nullptr);
    EXPECT_EQ(plain.getMessageText(), nullptr);
}

TEST(GroupComDescriptor, SeparatorListFollowsTheLastDeclaration) {
    GroupComDescriptor group;
    group.addSubComDesc(SubComDescriptor("tables"), true);
    group.addSubComDesc(SubComDescriptor("charts"), true);
    group.addSubComDesc(SubComDescriptor("format"), false);
    group.addSubComDesc(SubComDescriptor("Tables", SubComByParen), true);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("TABLES", "CHARTS"));
    EXPECT_TRUE(group.getSubComDesc("tables")->areParamByParen());

    group.addSubComDesc(SubComDescriptor("TABLES"), false);
    group.addSubComDesc(*group.getSubComDesc("format"), true);
    EXPECT_THAT(group.getGroupSepNameList(), ElementsAre("CHARTS", "FORMAT"));
    EXPECT_EQ(group.getSubComDescListSize(), 3);

    group.addSubComDesc(SubComDescriptor(""), true);  // a nameless one never separates
    EXPECT_EQ(group.getGroupSepListSize(), 2);
    EXPECT_EQ(group.getSubComDescListSize(), 4);
}

TEST(GroupComDescriptor, LookUpsByNameAndIndex) {
    GroupComDescriptor group;
    group.addSubComDesc(SubComDescriptor("MISSING"), true);
    group.addSubComDesc(SubComDescriptor("PRINT"), false);
    EXPECT_EQ(group.getSubComDescIndex("print"), 1);
    EXPECT_FALSE(group.containSubComDesc("MISS"));
    EXPECT_EQ(group.getSubComDesc(2), nullptr);
    EXPECT_EQ(group.getSubComDesc(-1), nullptr);
    EXPECT_EQ(group.getGroupSepIndex("missing"), 0);
    EXPECT_FALSE(group.isGroupSeparator("PRINT"));
    EXPECT_STREQ(group.getGroupSepName(0), "MISSING");
    EXPECT_EQ(group.getGroupSepName(-1), nullptr);
    EXPECT_EQ(group.getGroupSepName(group.getGroupSepListSize()), nullptr);

    GroupComDescriptor copy = group;
    SubComDescriptor changed("MISSING");
    changed.addParamDesc("P", ParamNumber, false, true, BracketNone);
    copy.addSubComDesc(changed, false);
    EXPECT_TRUE(group.isGroupSeparator("MISSING"));
    EXPECT_EQ(group.getSubComDesc("MISSING")->getParamDescListSize(), 0);
}
