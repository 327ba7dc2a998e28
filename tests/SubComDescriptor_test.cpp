#include "uparser/SubComDescriptor.h"

#include <gtest/gtest.h>

#include <string>

using namespace UPSpecTypes;

TEST(SubComDescriptor, DefaultHasNoExportValue) {
    const SubComDescriptor sub;
    EXPECT_EQ(sub.getSubComName(), "");
    EXPECT_EQ(sub.getSubComType(), SubComByEqual);
    EXPECT_FALSE(sub.isSubComRequired());
    EXPECT_FALSE(sub.isSubComRepeatable());
    EXPECT_FALSE(sub.isEmptyAllowed());
    EXPECT_TRUE(sub.areParamByEqual());
    EXPECT_TRUE(sub.hasParameters());
    EXPECT_EQ(sub.getExportParamDesc(), nullptr);
    EXPECT_EQ(sub.getParamDescListSize(), 0);

    const SubComDescriptor named("Print", SubComByBlock, true, true);
    EXPECT_EQ(named.getSubComName(), "PRINT");
    EXPECT_TRUE(named.areParamByBlock());
    EXPECT_TRUE(named.isSubComRequired());
    EXPECT_TRUE(named.isSubComRepeatable());
}

TEST(SubComDescriptor, ArbitrarySubcommandAlwaysExportsItsTokens) {
    SubComDescriptor sub("raw", SubComArbitrary);
    sub.addParamDesc("WIDTH", ParamInteger, false, true, BracketNone);
    EXPECT_TRUE(sub.isSubComArbitrary());
    EXPECT_FALSE(sub.hasParameters());
    ASSERT_NE(sub.getExportParamDesc(), nullptr);
    EXPECT_EQ(sub.getExportParamDesc()->getParamType(), ParamTokenList);
    EXPECT_EQ(sub.getParamDescListSize(), 0);
    EXPECT_EQ(sub.getParamDesc(0), nullptr);
    EXPECT_EQ(sub.getParamDesc("width"), nullptr);
    // The index search does not look at the kind.
    EXPECT_EQ(sub.getParamDescIndex("width"), 0);
    EXPECT_TRUE(sub.containParamDesc("Width"));

    // Even a declared "no type" does not hide an arbitrary subcommand's export value.
    sub.setExportParamDesc(ParamNoType, false);
    EXPECT_NE(sub.getExportParamDesc(), nullptr);
}

TEST(SubComDescriptor, ChangingTheKindResetsTheExportType) {
    SubComDescriptor sub("S");
    sub.setExportParamDesc(ParamNumber, true);
    ASSERT_NE(sub.getExportParamDesc(), nullptr);
    EXPECT_TRUE(sub.getExportParamDesc()->isParamRequired());

    sub.setSubComType(SubComArbitrary);
    EXPECT_EQ(sub.getExportParamDesc()->getParamType(), ParamTokenList);
    sub.setExportParamDesc(ParamNumber, false);
    sub.setSubComType(SubComByParen);
    EXPECT_EQ(sub.getExportParamDesc(), nullptr);
    EXPECT_TRUE(sub.areParamByParen());
}

TEST(SubComDescriptor, ExportDescriptorIsStoredNamelessWithARequiredBareValue) {
    SubComDescriptor sub("S");
    ParamDescriptor label("LABEL", ParamLiteral, true, false, BracketRequired);
    label.addStringValue("x");
    sub.setExportParamDesc(label);
    const ParamDescriptor* exported = sub.getExportParamDesc();
    ASSERT_NE(exported, nullptr);
    EXPECT_EQ(exported->getParamName(), "");
    EXPECT_TRUE(exported->isValueRequired());
    EXPECT_EQ(exported->getBracketOption(), BracketNone);
    EXPECT_EQ(exported->getParamType(), ParamLiteral);
    EXPECT_TRUE(exported->isParamRequired());
    EXPECT_EQ(exported->getStringValues().size(), 1u);
}

TEST(SubComDescriptor, AddingAdjustsBracketsAndSlashToTheKind) {
    ParamDescriptor param("P", ParamVarList, false, true, BracketRequired);
    param.allowSlash(true);

    SubComDescriptor byParen("A", SubComByParen);
    byParen.addParamDesc(param);
    EXPECT_EQ(byParen.getParamDesc("p")->getBracketOption(), BracketNone);
    EXPECT_FALSE(byParen.getParamDesc("p")->isSlashAllowed());

    SubComDescriptor byEqual("B", SubComByEqual);
    byEqual.addParamDesc(param);
    EXPECT_EQ(byEqual.getParamDesc("P")->getBracketOption(), BracketRequired);
    EXPECT_TRUE(byEqual.getParamDesc("P")->isSlashAllowed());

    SubComDescriptor byBlock("C", SubComByBlock);
    byBlock.addParamDesc(param);
    EXPECT_EQ(byBlock.getParamDesc("P")->getBracketOption(), BracketNone);
    EXPECT_TRUE(byBlock.getParamDesc("P")->isSlashAllowed());

    // Only what is added afterwards is adjusted to a new kind.
    byEqual.setSubComType(SubComByParen);
    EXPECT_EQ(byEqual.getParamDesc("P")->getBracketOption(), BracketRequired);
}

TEST(SubComDescriptor, RedeclaringAParameterReplacesItInPlace) {
    SubComDescriptor sub("S");
    sub.addParamDesc("Width", ParamInteger, false, true, BracketNone);
    sub.addParamDesc("HEIGHT", ParamInteger, false, true, BracketNone);
    sub.addParamDesc("width", ParamNumber, true, false, BracketNone);
    ASSERT_EQ(sub.getParamDescListSize(), 2);
    EXPECT_EQ(sub.getParamDesc(0)->getParamName(), "WIDTH");
    EXPECT_EQ(sub.getParamDesc(0)->getParamType(), ParamNumber);
    EXPECT_TRUE(sub.getParamDesc(0)->isParamRequired());
    EXPECT_EQ(sub.getParamDescIndex("height"), 1);

    // Re-adding a stored parameter from itself keeps it whole.
    sub.addParamDesc(*sub.getParamDesc(1));
    EXPECT_EQ(sub.getParamDescListSize(), 2);
    EXPECT_EQ(sub.getParamDesc(1)->getParamName(), "HEIGHT");
}

TEST(SubComDescriptor, LookUpsAreWholeNamesIgnoringCase) {
    SubComDescriptor sub("S");
    sub.addParamDesc("FORMAT", ParamString, false, true, BracketNone);
    EXPECT_EQ(sub.getParamDescIndex("format"), 0);
    EXPECT_EQ(sub.getParamDescIndex("FORM"), -1);
    EXPECT_EQ(sub.getParamDescIndex("FORMATS"), -1);
    EXPECT_EQ(sub.getParamDescIndex(" FORMAT"), -1);
    EXPECT_EQ(sub.getParamDescIndex(""), -1);
    EXPECT_EQ(sub.getParamDesc(-1), nullptr);
    EXPECT_EQ(sub.getParamDesc(1), nullptr);
    EXPECT_EQ(sub.getParamDesc("none"), nullptr);
}

TEST(SubComDescriptor, CopiesAreIndependent) {
    SubComDescriptor source("S");
    source.addParamDesc("A", ParamNumber, false, true, BracketNone);
    SubComDescriptor copy = source;
    copy.addParamDesc("A", ParamString, false, true, BracketNone);
    copy.addParamDesc("B", ParamString, false, true, BracketNone);
    copy.setSubComName("T");
    EXPECT_EQ(source.getSubComName(), "S");
    EXPECT_EQ(source.getParamDescListSize(), 1);
    EXPECT_EQ(source.getParamDesc("A")->getParamType(), ParamNumber);

    ParamDescriptor param("P");
    SubComDescriptor holder("H");
    holder.addParamDesc(param);
    param.setParamType(ParamLiteral);
    EXPECT_EQ(holder.getParamDesc("P")->getParamType(), ParamTokenList);
}
