#include "uparser/ParamDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "uparser/ParamDescriptorWrapper.h"

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ParamDescriptor, DefaultsAndConstructorArguments) {
    const ParamDescriptor d;
    EXPECT_EQ(d.getParamName(), "");
    EXPECT_EQ(d.getParamType(), ParamTokenList);
    EXPECT_FALSE(d.isParamRequired());
    EXPECT_TRUE(d.isValueRequired());
    EXPECT_EQ(d.getBlockOption(), BlockOptEqual);
    EXPECT_EQ(d.getBracketOption(), BracketNone);
    EXPECT_FALSE(d.isSlashAllowed());
    EXPECT_EQ(d.getLowerBdryOption(), LowerNone);
    EXPECT_EQ(d.getUpperBdryOption(), UpperNone);
    EXPECT_EQ(d.getLowerBdryValue(), 0.0);
    EXPECT_EQ(d.getUpperBdryValue(), 0.0);
    EXPECT_THAT(d.getStringValues(), IsEmpty());
    EXPECT_EQ(d.getQualifOption(), QualifByParen);
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(d.getQualifNames(names), 0);
    EXPECT_THAT(names, IsEmpty());
    EXPECT_EQ(d.getMainDesc(), nullptr);
    EXPECT_EQ(d.getQualifDesc(), nullptr);

    const ParamDescriptor e("width", ParamInteger, true, false, BracketForList);
    EXPECT_EQ(e.getParamName(), "WIDTH");
    EXPECT_EQ(e.getParamType(), ParamInteger);
    EXPECT_TRUE(e.isParamRequired());
    EXPECT_FALSE(e.isValueRequired());
    EXPECT_EQ(e.getBracketOption(), BracketForList);
    EXPECT_EQ(e.getBlockOption(), BlockOptEqual);
}

TEST(ParamDescriptor, NamesAreStoredAndLookedUpUpperCased) {
    ParamDescriptor d;
    d.setParamName("Format");
    EXPECT_EQ(d.getParamName(), "FORMAT");

    d.addQualifDesc("Format");
    ASSERT_NE(d.getQualifDesc("format"), nullptr);
    EXPECT_EQ(d.getQualifDesc("format")->getParamName(), "FORMAT");
    // Whole names only: no abbreviation, no trimming.
    EXPECT_EQ(d.getQualifDesc("FORM"), nullptr);
    EXPECT_EQ(d.getQualifDesc("FORMAT "), nullptr);
}

TEST(ParamDescriptor, BoundariesIncludedAndExcluded) {
    ParamDescriptor d;
    EXPECT_TRUE(d.meetBdryCond(-1e300));
    EXPECT_TRUE(d.meetBdryCond(std::nan("")));  // no active bound, nothing to fail

    d.setLowerBoundary(0, LowerExcluded);
    d.setUpperBoundary(1, UpperIncluded);
    EXPECT_EQ(d.getLowerBdryValue(), 0.0);
    EXPECT_EQ(d.getUpperBdryOption(), UpperIncluded);
    EXPECT_FALSE(d.meetBdryCond(0));
    EXPECT_TRUE(d.meetBdryCond(0.5));
    EXPECT_TRUE(d.meetBdryCond(1));
    EXPECT_FALSE(d.meetBdryCond(1.0000001));
    EXPECT_FALSE(d.meetBdryCond(std::nan("")));

    d.setLowerBoundary(0, LowerIncluded);
    d.setUpperBoundary(1, UpperExcluded);
    EXPECT_TRUE(d.meetBdryCond(0));
    EXPECT_FALSE(d.meetBdryCond(1));

    // A kind outside the enumeration tests nothing.
    d.setLowerBoundary(5, static_cast<LowerBdryOptions>(7));
    d.setUpperBoundary(1, UpperNone);
    EXPECT_TRUE(d.meetBdryCond(-3));
}

TEST(ParamDescriptor, AcceptedWordsAreUpperCasedAndUnique) {
    ParamDescriptor d;
    EXPECT_TRUE(d.possibleStringValue("anything"));
    d.addStringValue("yes");
    d.addStringValue("yes");
    d.addStringValue("YES");
    EXPECT_THAT(d.getStringValues(), ElementsAre("YES"));
    EXPECT_TRUE(d.possibleStringValue("Yes"));
    EXPECT_FALSE(d.possibleStringValue("no"));
    EXPECT_FALSE(d.possibleStringValue("YE"));
    d.addStringValue("No");
    EXPECT_THAT(d.getStringValues(), ElementsAre("YES", "NO"));
}

TEST(ParamDescriptor, QualifiersKeepTheirFirstPositionWhenReplaced) {
    ParamDescriptor d;
    d.addQualifDesc(ParamDescriptor("A", ParamNumber));
    d.addQualifDesc("B");
    d.addQualifDesc(ParamDescriptor("a", ParamString, true));

    std::vector<std::string> names;
    EXPECT_EQ(d.getQualifNames(names), 2);
    EXPECT_THAT(names, ElementsAre("A", "B"));
    ASSERT_NE(d.getQualifDesc("A"), nullptr);
    EXPECT_EQ(d.getQualifDesc("A")->getParamType(), ParamString);
    EXPECT_TRUE(d.getQualifDesc("A")->isParamRequired());

    const ParamDescriptor* b = d.getQualifDesc("b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getParamType(), ParamKeyWord);
    EXPECT_FALSE(b->isParamRequired());
    EXPECT_TRUE(b->isValueRequired());
    EXPECT_EQ(b->getBracketOption(), BracketNone);
}

TEST(ParamDescriptor, QualifiedByEqualFollowsTheParameterKind) {
    ParamDescriptor byParen("P", ParamStringQual);
    byParen.addQualifDesc("X");
    EXPECT_FALSE(byParen.isQualByEqual("X"));

    ParamDescriptor byEqual("P", ParamTokenList);
    byEqual.setQualifOption(QualifByEqual);
    byEqual.addQualifDesc("X");
    EXPECT_TRUE(byEqual.isQualByEqual("x"));
    EXPECT_FALSE(byEqual.isQualByEqual("Y"));

    // A string-qualifier parameter also asks its qualifiers for their own qualifiers.
    ParamDescriptor inner("Q", ParamKeyWord);
    inner.setQualifOption(QualifByEqual);
    inner.addQualifDesc("DEEP");
    ParamDescriptor stringQual("P", ParamStringQual);
    stringQual.addQualifDesc(inner);
    EXPECT_TRUE(stringQual.isQualByEqual("deep"));
    EXPECT_FALSE(stringQual.isQualByEqual("Q"));
    ParamDescriptor notStringQual("P", ParamTokenList);
    notStringQual.addQualifDesc(inner);
    EXPECT_FALSE(notStringQual.isQualByEqual("DEEP"));
}

TEST(ParamDescriptor, TokenQualifierAsksItsParts) {
    ParamDescriptor tokenQual("P", ParamTokenQual);
    tokenQual.setQualifOption(QualifByEqual);
    EXPECT_TRUE(tokenQual.isQualByEqual("whatever"));

    tokenQual.setQualifOption(QualifByParen);
    EXPECT_FALSE(tokenQual.isQualByEqual("LEVEL"));

    ParamDescriptor qualifiers("", ParamStringQual);
    qualifiers.setQualifOption(QualifByEqual);
    qualifiers.addQualifDesc("LEVEL");
    ParamDescriptor main("M", ParamString);
    tokenQual.setMainQualDesc(&main, &qualifiers);
    EXPECT_TRUE(tokenQual.isQualByEqual("level"));
    EXPECT_FALSE(tokenQual.isQualByEqual("OTHER"));
}

TEST(ParamDescriptor, CopiesAreIndependentTrees) {
    ParamDescriptor leaf("LEAF", ParamNumber);
    ParamDescriptor middle("MIDDLE", ParamStringQual);
    middle.addQualifDesc(leaf);
    ParamDescriptor source("ROOT", ParamKeyWordValue);
    source.addQualifDesc(middle);
    source.setMainQualDesc(&leaf, &middle);
    source.addStringValue("w");

    ParamDescriptor copy(source);
    copy.addQualifDesc(ParamDescriptor("MIDDLE", ParamLiteral));
    copy.setMainDesc(nullptr);
    copy.addStringValue("v");
    EXPECT_EQ(copy.getMainDesc(), nullptr);
    EXPECT_EQ(copy.getQualifDesc("middle")->getParamType(), ParamLiteral);

    ASSERT_NE(source.getMainDesc(), nullptr);
    EXPECT_EQ(source.getMainDesc()->getParamName(), "LEAF");
    EXPECT_EQ(source.getQualifDesc("MIDDLE")->getParamType(), ParamStringQual);
    EXPECT_NE(source.getQualifDesc("MIDDLE")->getQualifDesc("LEAF"), nullptr);
    EXPECT_THAT(source.getStringValues(), ElementsAre("W"));
    // The copy owns its own nested objects.
    EXPECT_NE(copy.getQualifDesc(), source.getQualifDesc());

    ParamDescriptor assigned;
    assigned = source;
    source.setQualifDesc(nullptr);
    ASSERT_NE(assigned.getQualifDesc(), nullptr);
    EXPECT_NE(assigned.getQualifDesc()->getQualifDesc("leaf"), nullptr);
}

TEST(ParamDescriptor, AssignmentFromItselfOrItsOwnPartsIsSafe) {
    ParamDescriptor inner("INNER", ParamNumber);
    inner.addQualifDesc("Z");
    ParamDescriptor d("OUTER", ParamTokenQual);
    d.setMainQualDesc(&inner, &inner);

    ParamDescriptor& self = d;
    d = self;
    EXPECT_EQ(d.getParamName(), "OUTER");
    ASSERT_NE(d.getMainDesc(), nullptr);

    // The source lives inside the descriptor being overwritten.
    d = *d.getMainDesc();
    EXPECT_EQ(d.getParamName(), "INNER");
    EXPECT_NE(d.getQualifDesc("Z"), nullptr);
    EXPECT_EQ(d.getMainDesc(), nullptr);

    ParamDescriptor e("E", ParamTokenQual);
    e.setMainQualDesc(&inner, nullptr);
    e.setMainDesc(e.getMainDesc());
    ASSERT_NE(e.getMainDesc(), nullptr);
    EXPECT_EQ(e.getMainDesc()->getParamName(), "INNER");
    // The qualifier part is taken from the main slot that is replaced at the same time.
    ParamDescriptor other("OTHER");
    e.setMainQualDesc(&other, e.getMainDesc());
    EXPECT_EQ(e.getMainDesc()->getParamName(), "OTHER");
    ASSERT_NE(e.getQualifDesc(), nullptr);
    EXPECT_EQ(e.getQualifDesc()->getParamName(), "INNER");

    // A qualifier re-added from its own slot.
    ParamDescriptor q;
    q.addQualifDesc(inner);
    q.addQualifDesc(*q.getQualifDesc("INNER"));
    q.addQualifDesc(*q.getQualifDesc("INNER")->getQualifDesc("Z"));
    std::vector<std::string> names;
    EXPECT_EQ(q.getQualifNames(names), 2);
    EXPECT_THAT(names, ElementsAre("INNER", "Z"));
}

TEST(ParamDescriptor, MainAndQualifierSlots) {
    ParamDescriptor d("KV", ParamKeyWordValue);
    const ParamDescriptor key("KEY", ParamKeyWord);
    const ParamDescriptor value("", ParamNumber);
    d.setMainQualDesc(&key, &value);
    ASSERT_NE(d.getMainDesc(), nullptr);
    ASSERT_NE(d.getQualifDesc(), nullptr);
    EXPECT_NE(d.getMainDesc(), &key);
    EXPECT_EQ(d.getQualifDesc()->getParamType(), ParamNumber);
    d.setMainDesc(nullptr);
    EXPECT_EQ(d.getMainDesc(), nullptr);
    EXPECT_NE(d.getQualifDesc(), nullptr);
    d.setMainQualDesc(nullptr, nullptr);
    EXPECT_EQ(d.getQualifDesc(), nullptr);
}

TEST(ParamDescriptorWrapper, HoldsADeepCopyOrNothing) {
    ParamDescriptorWrapper empty;
    EXPECT_EQ(empty.GetDescriptor(), nullptr);
    empty.Clear();
    EXPECT_EQ(empty.GetDescriptor(), nullptr);
    ParamDescriptorWrapper emptyCopy(empty);
    EXPECT_EQ(emptyCopy.GetDescriptor(), nullptr);

    ParamDescriptor d("NAME", ParamString);
    ParamDescriptorWrapper w;
    w.SetDescriptor(d);
    d.setParamName("changed");
    ASSERT_NE(w.GetDescriptor(), nullptr);
    EXPECT_EQ(w.GetDescriptor()->getParamName(), "NAME");

    ParamDescriptorWrapper copy(w);
    EXPECT_NE(copy.GetDescriptor(), w.GetDescriptor());
    EXPECT_EQ(copy.GetDescriptor()->getParamType(), ParamString);

    copy = empty;
    EXPECT_EQ(copy.GetDescriptor(), nullptr);
    copy = w;
    ParamDescriptorWrapper& alias = copy;
    const ParamDescriptor* before = copy.GetDescriptor();
    copy = alias;
    EXPECT_EQ(copy.GetDescriptor(), before);

    w.Clear();
    EXPECT_EQ(w.GetDescriptor(), nullptr);
    EXPECT_EQ(copy.GetDescriptor()->getParamName(), "NAME");
}
