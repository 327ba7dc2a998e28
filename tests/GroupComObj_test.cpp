// The parsed subcommand group: subcommand look-ups by index and name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uparser/GroupComObj.h"
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

}  // namespace
