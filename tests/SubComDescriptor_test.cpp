#include "uparser/SubComDescriptor.h"

#include <gtest/gtest.h>

using namespace UPSpecTypes;

TEST(SubComDescriptor, ExportValueFollowsTheKind) {
    SubComDescriptor sub;
    EXPECT_EQ(sub.getSubComName(), "");
    EXPECT_TRUE(sub.areParamByEqual());
    EXPECT_EQ(sub.getExportParamDesc(), nullptr);

    sub.setExportParamDesc(ParamNumber, true);
    ASSERT_NE(sub.getExportParamDesc(), nullptr);
    EXPECT_TRUE(sub.getExportParamDesc()->isParamRequired());
    sub.setSubComType(SubComArbitrary);
    EXPECT_EQ(sub.getExportParamDesc()->getParamType(), ParamTokenList);
    sub.setSubComType(SubComByParen);
    EXPECT_EQ(sub.getExportParamDesc(), nullptr);

    ParamDescriptor label("LABEL", ParamLiteral, true, false, BracketRequired);
    sub.setExportParamDesc(label);
    const ParamDescriptor* exported = sub.getExportParamDesc();
    ASSERT_NE(exported, nullptr);
    EXPECT_EQ(exported->getParamName(), "");
    EXPECT_TRUE(exported->isValueRequired());
    EXPECT_EQ(exported->getBracketOption(), BracketNone);
    EXPECT_EQ(exported->getParamType(), ParamLiteral);
}

TEST(SubComDescriptor, ArbitrarySubcommandHidesItsParameters) {
    SubComDescriptor sub("raw", SubComArbitrary, true, true);
    EXPECT_EQ(sub.getSubComName(), "RAW");
    sub.addParamDesc("WIDTH", ParamInteger, false, true, BracketNone);
    sub.setExportParamDesc(ParamNoType, false);
    ASSERT_NE(sub.getExportParamDesc(), nullptr);
    EXPECT_FALSE(sub.hasParameters());
    EXPECT_EQ(sub.getParamDescListSize(), 0);
    EXPECT_EQ(sub.getParamDesc(0), nullptr);
    EXPECT_EQ(sub.getParamDesc("width"), nullptr);
    EXPECT_EQ(sub.getParamDescIndex("width"), 0);  // the search ignores the kind
}

TEST(SubComDescriptor, AddingAdjustsBracketsAndSlashToTheKind) {
    ParamDescriptor param("P", ParamVarList, false, true, BracketRequired);
    param.allowSlash(true);
    SubComDescriptor byParen("A", SubComByParen);
    byParen.addParamDesc(param);
    EXPECT_EQ(byParen.getParamDesc("p")->getBracketOption(), BracketNone);
    EXPECT_FALSE(byParen.getParamDesc("p")->isSlashAllowed());
    SubComDescriptor byBlock("B", SubComByBlock);
    byBlock.addParamDesc(param);
    EXPECT_EQ(byBlock.getParamDesc("P")->getBracketOption(), BracketNone);
    EXPECT_TRUE(byBlock.getParamDesc("P")->isSlashAllowed());
    SubComDescriptor byEqual("C");
    byEqual.addParamDesc(param);
    byEqual.setSubComType(SubComByParen);  // stored parameters are not revisited
    EXPECT_EQ(byEqual.getParamDesc("P")->getBracketOption(), BracketRequired);
    EXPECT_TRUE(byEqual.getParamDesc("P")->isSlashAllowed());
}

TEST(SubComDescriptor, RedeclaringReplacesInPlaceAndCopiesStayApart) {
    SubComDescriptor sub("S");
    sub.addParamDesc("Width", ParamInteger, false, true, BracketNone);
    sub.addParamDesc("HEIGHT", ParamInteger, false, true, BracketNone);
    sub.addParamDesc("width", ParamNumber, true, false, BracketNone);
    sub.addParamDesc(*sub.getParamDesc(1));
    ASSERT_EQ(sub.getParamDescListSize(), 2);
    EXPECT_EQ(sub.getParamDesc(0)->getParamType(), ParamNumber);
    EXPECT_EQ(sub.getParamDesc(1)->getParamName(), "HEIGHT");
    EXPECT_EQ(sub.getParamDescIndex("WIDT"), -1);
    EXPECT_EQ(sub.getParamDescIndex(" WIDTH"), -1);
    EXPECT_EQ(sub.getParamDesc(2), nullptr);
    EXPECT_EQ(sub.getParamDesc(-1), nullptr);

    SubComDescriptor copy = sub;
    copy.addParamDesc("WIDTH", ParamString, false, true, BracketNone);
    EXPECT_EQ(sub.getParamDesc("WIDTH")->getParamType(), ParamNumber);

    // The first parameter sits at index 0, which is no "absent".
    EXPECT_TRUE(sub.containParamDesc("width"));
    EXPECT_TRUE(sub.containParamDesc("Height"));
    EXPECT_FALSE(sub.containParamDesc("DEPTH"));
    EXPECT_FALSE(SubComDescriptor("EMPTY").containParamDesc(""));
}
