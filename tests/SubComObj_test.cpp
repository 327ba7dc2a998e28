// The parsed subcommand: names and counts, parameters and the unnamed leading value.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/Tokens.h"
#include "uparser/ParamObj.h"
#include "uparser/SubComObj.h"

namespace {

using namespace UPSpecTypes;

ParamObj Param(const std::string& keyword) {
    return ParamObj(TokenOf(keyword), ParamKeyWord);
}

TEST(SubComObj, StartsEmptyWithATokenListAsExportValue) {
    const SubComObj unnamed;
    EXPECT_EQ(unnamed.getSubComName(), "");
    EXPECT_EQ(unnamed.getSubComExtName(), "");
    EXPECT_EQ(unnamed.getSubComCount(), 0);
    EXPECT_FALSE(unnamed.areParenUsed());
    EXPECT_FALSE(unnamed.isEqualUsed());
    EXPECT_EQ(unnamed.getParamListSize(), 0u);
    EXPECT_EQ(unnamed.getTokenListSize(), 0u);
    ASSERT_NE(unnamed.exportParamObj(), nullptr);
    EXPECT_TRUE(unnamed.exportParamObj()->isTokenList());

    const SubComObj named("FORMAT");
    EXPECT_EQ(named.getSubComName(), "FORMAT");
    EXPECT_EQ(named.getSubComExtName(), "FORMAT");
    EXPECT_EQ(named.exportParamObj()->getSubComExtName(), "FORMAT");
}

TEST(SubComObj, CountNamesTheOccurrenceAndResetsOnZero) {
    SubComObj sub("TABLE");
    sub.setSubComCount(2);
    EXPECT_EQ(sub.getSubComCount(), 2);
    EXPECT_EQ(sub.getSubComExtName(), "TABLE 2");
    EXPECT_EQ(sub.exportParamObj()->getSubComExtName(), "TABLE 2");

    sub.setSubComCount(0);
    EXPECT_EQ(sub.getSubComExtName(), "TABLE");
    EXPECT_EQ(sub.exportParamObj()->getSubComExtName(), "TABLE");
    sub.setSubComCount(-4);
    EXPECT_EQ(sub.getSubComCount(), -4);
    EXPECT_EQ(sub.getSubComExtName(), "TABLE");

    SubComObj unnamed;
    unnamed.setSubComCount(3);
    EXPECT_EQ(unnamed.getSubComExtName(), "3");

    // A long name and the widest count, formed again over a longer extended name.
    SubComObj wide("A_SUBCOMMAND_NAME_BEYOND_SHORT_STRINGS");
    wide.setSubComCount(2147483647);
    wide.setSubComCount(12);
    EXPECT_EQ(wide.getSubComExtName(), "A_SUBCOMMAND_NAME_BEYOND_SHORT_STRINGS 12");
    unnamed.setSubComCount(2147483647);
    EXPECT_EQ(unnamed.exportParamObj()->getSubComExtName(), "2147483647");
}

TEST(SubComObj, ParametersByIndexAndByNameFirstMatchWins) {
    SubComObj sub("S");
    const ParamObj first = Param("width");
    sub.addParamObj(first);
    ParamObj second = Param("HEIGHT");
    sub.addParamObj(std::move(second));
    ParamObj again(TokenOf("Width"), ParamTokenList);
    sub.addParamObj(again);

    ASSERT_EQ(sub.getParamListSize(), 3u);
    EXPECT_TRUE(sub.isValidParamIndex(2));
    EXPECT_FALSE(sub.isValidParamIndex(3));
    EXPECT_EQ(sub.getParamObj(3u), nullptr);
    EXPECT_EQ(sub.getParamObj(1u)->getParamName(), "HEIGHT");

    const ParamObj* width = sub.getParamObj("wIdTh");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width, sub.getParamObj(0u));
    EXPECT_EQ(sub.getParamObj("height"), sub.getParamObj(1u));
    EXPECT_EQ(sub.getParamObj("HEIGH"), nullptr);
    EXPECT_EQ(sub.getParamObj(""), nullptr);
}

TEST(SubComObj, LeadingValueTokensGoToTheExportParameter) {
    SubComObj sub("S");
    for (const TokenInfoObj& token : TokensOf("a 'b' 3")) {
        sub.addParamExportToken(token);
    }
    ASSERT_EQ(sub.getTokenListSize(), 3u);
    EXPECT_TRUE(sub.isValidTokenIndex(2));
    EXPECT_FALSE(sub.isValidTokenIndex(3));
    EXPECT_EQ(sub.getTokenObj(3u), nullptr);
    EXPECT_STREQ(sub.getTokenObj(1u)->getString(), "b");
    EXPECT_TRUE(sub.getTokenObj(1u)->IsLiteral());
    EXPECT_EQ(sub.exportParamObj()->getTokenListSize(), 3u);
    EXPECT_EQ(sub.getParamListSize(), 0u);
}

TEST(SubComObj, CopiesAreIndependentAndMovesKeepEverything) {
    SubComObj sub("S");
    sub.addParamObj(Param("key"));
    sub.addParamExportToken(TokenOf("x"));
    sub.setSubComCount(1);

    SubComObj copy(sub);
    copy.addParamObj(Param("other"));
    copy.setSubComCount(5);
    EXPECT_EQ(sub.getParamListSize(), 1u);
    EXPECT_EQ(sub.getSubComExtName(), "S 1");
    EXPECT_EQ(copy.getSubComExtName(), "S 5");

    SubComObj moved(std::move(copy));
    EXPECT_EQ(moved.getParamListSize(), 2u);
    EXPECT_EQ(moved.getTokenListSize(), 1u);
    EXPECT_EQ(moved.exportParamObj()->getSubComExtName(), "S 5");

    SubComObj assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.getSubComName(), "S");
    EXPECT_NE(assigned.getParamObj("other"), nullptr);
}

}  // namespace
