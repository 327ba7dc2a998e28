#include "uparser/ParamDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "uparser/ParamDescriptorWrapper.h"

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ParamDescriptor, DefaultsAndUpperCasedName) {
    const ParamDescriptor d;
    EXPECT_EQ(d.getParamType(), ParamTokenList);
    EXPECT_TRUE(d.isValueRequired());
    EXPECT_EQ(d.getBlockOption(), BlockOptEqual);
    EXPECT_EQ(d.getQualifOption(), QualifByParen);
    EXPECT_EQ(d.getBracketOption(), BracketNone);
    EXPECT_EQ(d.getLowerBdryOption(), LowerNone);
    EXPECT_EQ(d.getMainDesc(), nullptr);
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(d.getQualifNames(names), 0);
    EXPECT_THAT(names, IsEmpty());

    ParamDescriptor e("width", ParamInteger, true, false, BracketForList);
    EXPECT_EQ(e.getParamName(), "WIDTH");
    EXPECT_TRUE(e.isParamRequired());
    EXPECT_FALSE(e.isValueRequired());
    EXPECT_EQ(e.getBracketOption(), BracketForList);
    e.setParamName("Format");
    EXPECT_EQ(e.getParamName(), "FORMAT");
}

TEST(ParamDescriptor, BoundariesIncludedAndExcluded) {
    ParamDescriptor d;
    EXPECT_TRUE(d.meetBdryCond(std::nan("")));  // no active bound
    d.setLowerBoundary(0, LowerExcluded);
    d.setUpperBoundary(1, UpperIncluded);
    EXPECT_FALSE(d.meetBdryCond(0));
    EXPECT_TRUE(d.meetBdryCond(0.5));
    EXPECT_TRUE(d.meetBdryCond(1));
    EXPECT_FALSE(d.meetBdryCond(1.0000001));
    EXPECT_FALSE(d.meetBdryCond(std::nan("")));
    d.setLowerBoundary(0, LowerIncluded);
    d.setUpperBoundary(1, UpperExcluded);
    EXPECT_TRUE(d.meetBdryCond(0));
    EXPECT_FALSE(d.meetBdryCond(1));
}

TEST(ParamDescriptor, AcceptedWordsAreUpperCasedAndUnique) {
    ParamDescriptor d;
    EXPECT_TRUE(d.possibleStringValue("anything"));
    d.addStringValue("yes");
    d.addStringValue("YES");
    d.addStringValue("No");
    EXPECT_THAT(d.getStringValues(), ElementsAre("YES", "NO"));
    EXPECT_TRUE(d.possibleStringValue("Yes"));
    EXPECT_FALSE(d.possibleStringValue("YE"));
    EXPECT_FALSE(d.possibleStringValue("maybe"));
}

TEST(ParamDescriptor, QualifiersAreReplacedInTheirFirstPosition) {
    ParamDescriptor d;
    d.addQualifDesc(ParamDescriptor("A", ParamNumber));
    d.addQualifDesc("Format");
    d.addQualifDesc(ParamDescriptor("a", ParamString, true));
    std::vector<std::string> names;
    EXPECT_EQ(d.getQualifNames(names), 2);
    EXPECT_THAT(names, ElementsAre("A", "FORMAT"));
    EXPECT_EQ(d.getQualifDesc("A")->getParamType(), ParamString);

    const ParamDescriptor* format = d.getQualifDesc("format");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->getParamType(), ParamKeyWord);
    EXPECT_FALSE(format->isParamRequired());
    EXPECT_TRUE(format->isValueRequired());
    EXPECT_EQ(d.getQualifDesc("FORM"), nullptr);
    EXPECT_EQ(d.getQualifDesc("FORMAT "), nullptr);
}

TEST(ParamDescriptor, QualifiedByEqualFollowsTheParameterKind) {
    ParamDescriptor byEqual("P", ParamTokenList);
    byEqual.addQualifDesc("X");
    EXPECT_FALSE(byEqual.isQualByEqual("X"));
    byEqual.setQualifOption(QualifByEqual);
    EXPECT_TRUE(byEqual.isQualByEqual("x"));
    EXPECT_FALSE(byEqual.isQualByEqual("Y"));

    // Only a string-qualifier parameter asks its qualifiers in turn.
    ParamDescriptor inner("Q", ParamKeyWord);
    inner.setQualifOption(QualifByEqual);
    inner.addQualifDesc("DEEP");
    ParamDescriptor stringQual("P", ParamStringQual);
    stringQual.addQualifDesc(inner);
    EXPECT_TRUE(stringQual.isQualByEqual("deep"));
    EXPECT_FALSE(stringQual.isQualByEqual("Q"));
    byEqual.addQualifDesc(inner);
    EXPECT_FALSE(byEqual.isQualByEqual("DEEP"));

    // A token with qualifiers: any name when by "=", else what its parts say.
    ParamDescriptor tokenQual("T", ParamTokenQual);
    tokenQual.setQualifOption(QualifByEqual);
    EXPECT_TRUE(tokenQual.isQualByEqual("whatever"));
    tokenQual.setQualifOption(QualifByBlock);
    EXPECT_FALSE(tokenQual.isQualByEqual("DEEP"));
    const ParamDescriptor main("M", ParamString);
    tokenQual.setMainQualDesc(&main, &stringQual);
    EXPECT_TRUE(tokenQual.isQualByEqual("Deep"));
    EXPECT_FALSE(tokenQual.isQualByEqual("OTHER"));
}

TEST(ParamDescriptor, CopiesAreIndependentTrees) {
    ParamDescriptor middle("MIDDLE", ParamStringQual);
    middle.addQualifDesc("LEAF");
    ParamDescriptor source("ROOT", ParamKeyWordValue);
    source.addQualifDesc(middle);
    source.setMainQualDesc(&middle, &middle);

    ParamDescriptor copy(source);
    copy.addQualifDesc(ParamDescriptor("MIDDLE", ParamLiteral));
    copy.setMainDesc(nullptr);
    EXPECT_EQ(source.getQualifDesc("MIDDLE")->getParamType(), ParamStringQual);
    ASSERT_NE(source.getMainDesc(), nullptr);
    EXPECT_NE(source.getMainDesc()->getQualifDesc("LEAF"), nullptr);

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

    d = *d.getMainDesc();  // the source lives inside the descriptor overwritten
    EXPECT_EQ(d.getParamName(), "INNER");
    EXPECT_NE(d.getQualifDesc("Z"), nullptr);

    ParamDescriptor e("E", ParamTokenQual);
    e.setMainDesc(&inner);
    e.setMainDesc(e.getMainDesc());
    const ParamDescriptor other("OTHER");
    e.setMainQualDesc(&other, e.getMainDesc());  // taken from the slot replaced with it
    EXPECT_EQ(e.getMainDesc()->getParamName(), "OTHER");
    EXPECT_EQ(e.getQualifDesc()->getParamName(), "INNER");

    e.addQualifDesc(*e.getQualifDesc());
    e.addQualifDesc(*e.getQualifDesc("INNER"));
    e.addQualifDesc(*e.getQualifDesc("INNER")->getQualifDesc("Z"));
    std::vector<std::string> names;
    e.getQualifNames(names);
    EXPECT_THAT(names, ElementsAre("INNER", "Z"));
}

namespace {

// depth levels, alternately a string qualifier holding the level below as its qualifier and a
// token whose main part is the level below; at the bottom a qualifier DEEP written with "=".
ParamDescriptor Nested(int depth) {
    ParamDescriptor level("BOTTOM", ParamStringQual);
    level.setQualifOption(QualifByEqual);
    level.addQualifDesc("DEEP");
    const ParamDescriptor side("SIDE", ParamKeyWord);
    for (int i = 1; i <= depth; ++i) {
        ParamDescriptor up("L" + std::to_string(i), i % 2 == 0 ? ParamStringQual : ParamTokenQual);
        if (i % 2 == 0) {
            up.addQualifDesc(level);
        } else {
            up.setMainQualDesc(&level, &side);
        }
        level = std::move(up);
    }
    return level;
}

// Runs work on a thread with a stack far smaller than one frame per nesting level would need.
void OnSmallStack(std::function<void()> work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 32 * 1024);
    pthread_t thread;
    const auto run = [](void* argument) -> void* {
        (*static_cast<std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

}  // namespace

// Copying, assigning, searching and destroying a descriptor take no stack per nesting level.
TEST(ParamDescriptor, DeepNestingNeedsNoDeepStack) {
    constexpr int kDepth = 600;
    ParamDescriptor deep = Nested(kDepth);
    bool found = true;
    bool absent = true;
    std::string copiedName;
    OnSmallStack([&] {
        ParamDescriptor copy(deep);
        ParamDescriptor assigned("OTHER");
        assigned = copy;
        found = assigned.isQualByEqual("deep");
        absent = assigned.isQualByEqual("SIDE");
        copiedName = assigned.getParamName();
        ParamDescriptorWrapper held;
        held.SetDescriptor(assigned);
        ParamDescriptorWrapper heldCopy(held);
        heldCopy.Clear();
        deep = ParamDescriptor();  // the original is destroyed here too
    });
    EXPECT_TRUE(found);
    EXPECT_FALSE(absent);
    EXPECT_EQ(copiedName, "L" + std::to_string(kDepth));
    EXPECT_EQ(deep.getParamName(), "");
}

TEST(ParamDescriptorWrapper, HoldsADeepCopyOrNothing) {
    ParamDescriptorWrapper empty;
    empty.Clear();
    EXPECT_EQ(ParamDescriptorWrapper(empty).GetDescriptor(), nullptr);

    ParamDescriptor d("NAME", ParamString);
    ParamDescriptorWrapper w;
    w.SetDescriptor(d);
    d.setParamName("changed");
    EXPECT_EQ(w.GetDescriptor()->getParamName(), "NAME");

    ParamDescriptorWrapper copy(w);
    EXPECT_NE(copy.GetDescriptor(), w.GetDescriptor());
    copy = empty;
    EXPECT_EQ(copy.GetDescriptor(), nullptr);
    copy = w;
    const ParamDescriptor* before = copy.GetDescriptor();
    ParamDescriptorWrapper& alias = copy;
    copy = alias;
    EXPECT_EQ(copy.GetDescriptor(), before);
    w.Clear();
    EXPECT_EQ(w.GetDescriptor(), nullptr);
    EXPECT_EQ(copy.GetDescriptor()->getParamName(), "NAME");
}
