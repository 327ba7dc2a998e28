// The parsed subcommand group: subcommand look-ups by index and name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uparser/GroupComObj.h"
#include "uparser/ParamObj.h"
#include "uparser/SubComObj.h"

namespace {

SubComObj Counted(const std::string& name, int count) {
    SubComObj sub(name);
    sub.setSubComCount(count);
    return sub;
}

TEST(GroupComObj, LooksUpByIndexAndNameIgnoringCase) {
    GroupComObj group;
    group.addSubComObj(SubComObj(""));
    const SubComObj table = Counted("TABLE", 1);
    group.addSubComObj(table);
    group.addSubComObj(Counted("TABLE", 2));

    EXPECT_TRUE(group.isValidSubComIndex(2));
    EXPECT_FALSE(group.isValidSubComIndex(3));
    EXPECT_EQ(group.getSubComObj(3u), nullptr);
    EXPECT_EQ(group.getSubComObj("table")->getSubComCount(), 1);
    EXPECT_EQ(group.getSubComObj(""), group.getSubComObj(0u));
    EXPECT_EQ(group.getSubComObj("TAB"), nullptr);
}

TEST(GroupComObj, FindsEveryOccurrenceAndReleasesTheOldList) {
    GroupComObj group;
    for (int i = 1; i <= 3; ++i) {
        group.addSubComObj(Counted("TABLE", i));
        group.addSubComObj(SubComObj("TITLE"));
    }
    std::vector<const SubComObj*> found(100, nullptr);
    ASSERT_EQ(group.getSubComObj(found, "Table"), 3u);
    ASSERT_EQ(found.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(found[i]->getSubComCount(), i + 1);
        EXPECT_EQ(found[i]->getSubComExtName(), "TABLE " + std::to_string(i + 1));
    }

    EXPECT_EQ(group.getSubComObj(found, "none"), 0u);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(found.capacity(), 0u);
}

// A long group lives in several blocks: copies, assignments and appends after a copy must see
// every subcommand, in order, with its parameters, on each side independently.
TEST(GroupComObj, ALongGroupCopiesAssignsAndGrowsOnEachSideAlone) {
    constexpr int kCount = 700;
    GroupComObj group;
    for (int i = 1; i <= kCount; ++i) {
        SubComObj sub = Counted("TABLE", i);
        for (int p = 0; p < i % 3; ++p) {
            sub.addParamObj(ParamObj(TokenInfoObj(), UPSpecTypes::ParamKeyWord));
        }
        group.addSubComObj(std::move(sub));
    }
    const GroupComObj copy(group);
    GroupComObj assigned;
    assigned.addSubComObj(SubComObj("OLD"));
    assigned = copy;
    assigned.addSubComObj(Counted("TABLE", kCount + 1));
    group.addSubComObj(SubComObj("TITLE"));

    const GroupComObj* const sides[] = {&group, &copy, &assigned};
    for (const GroupComObj* side : sides) {
        for (int i = 1; i <= kCount; ++i) {
            const SubComObj* sub = side->getSubComObj(static_cast<unsigned>(i - 1));
            ASSERT_EQ(sub->getSubComExtName(), "TABLE " + std::to_string(i));
            ASSERT_EQ(sub->getParamListSize(), static_cast<unsigned>(i % 3));
        }
    }
    EXPECT_EQ(copy.getSubComListSize(), static_cast<unsigned>(kCount));
    EXPECT_EQ(group.getSubComObj(kCount)->getSubComName(), "TITLE");
    EXPECT_EQ(assigned.getSubComObj(kCount)->getSubComCount(), kCount + 1);
    EXPECT_EQ(group.getSubComObj("old"), nullptr);
    std::vector<const SubComObj*> found;
    EXPECT_EQ(assigned.getSubComObj(found, "table"), static_cast<unsigned>(kCount + 1));
    EXPECT_EQ(found.back(), assigned.getSubComObj(kCount));
}

}  // namespace
