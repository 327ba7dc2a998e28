// The parse result root: groups by index and separator name, and the global-group shortcuts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uparser/CommandSpec.h"

namespace {

GroupComObj Group(std::vector<std::string> names, bool global = false) {
    GroupComObj group;
    for (const std::string& name : names) {
        group.addSubComObj(SubComObj(name));
    }
    if (global) {
        group.setGroupGlobal();
    }
    return group;
}

TEST(CommandSpec, EmptySpecAnswersNothing) {
    CommandSpec spec;
    EXPECT_EQ(spec.getGroupListSize(), 0u);
    EXPECT_FALSE(spec.isValidGroupIndex(0));
    EXPECT_EQ(spec.getGroupObj(0u), nullptr);
    EXPECT_EQ(spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(spec.getSubComListSize(), 0u);
    EXPECT_EQ(spec.getSubComObj(0u), nullptr);
    EXPECT_EQ(spec.getSubComObj(""), nullptr);
    std::vector<const SubComObj*> found(2, nullptr);
    EXPECT_EQ(spec.getSubComObj(found, "x"), 0u);
    EXPECT_EQ(found.size(), 2u);
}

TEST(CommandSpec, ShortcutsAnswerFromASingleGlobalGroup) {
    CommandSpec spec;
    spec.addGroupObj(Group({"", "FORMAT", "FORMAT"}, true));
    ASSERT_NE(spec.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(spec.getSubComListSize(), 3u);
    EXPECT_EQ(spec.getSubComObj(1u), spec.getGlobalGroupObj()->getSubComObj(1u));
    EXPECT_EQ(spec.getSubComObj("format"), spec.getSubComObj(1u));
    std::vector<const SubComObj*> found;
    EXPECT_EQ(spec.getSubComObj(found, "Format"), 2u);
    EXPECT_EQ(found.size(), 2u);
}

TEST(CommandSpec, ShortcutsAreSilentForSeparatedOrNonGlobalGroups) {
    CommandSpec twoGroups;
    twoGroups.addGroupObj(Group({"", "A"}, true));
    twoGroups.addGroupObj(Group({"TABLES", "A"}));
    EXPECT_NE(twoGroups.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(twoGroups.getSubComListSize(), 0u);
    EXPECT_EQ(twoGroups.getSubComObj(0u), nullptr);
    EXPECT_EQ(twoGroups.getSubComObj("A"), nullptr);
    std::vector<const SubComObj*> found(1, nullptr);
    EXPECT_EQ(twoGroups.getSubComObj(found, "A"), 0u);
    EXPECT_EQ(found.size(), 1u);
    EXPECT_NE(twoGroups.getGroupObj(1u)->getSubComObj("a"), nullptr);

    CommandSpec separated;
    separated.addGroupObj(Group({"TABLES"}));
    EXPECT_EQ(separated.getGlobalGroupObj(), nullptr);
    EXPECT_EQ(separated.getSubComListSize(), 0u);
}

TEST(CommandSpec, GroupsBySeparatorNameSkipEmptyGroups) {
    CommandSpec spec;
    spec.addGroupObj(Group({"", "X"}, true));
    spec.addGroupObj(Group({"TABLES", "X"}));
    spec.addGroupObj(Group({"CHARTS"}));
    spec.addGroupObj(Group({"TABLES"}));
    spec.addGroupObj(GroupComObj());  // what a failed parse may leave at the end

    std::vector<const GroupComObj*> found(9, nullptr);
    ASSERT_EQ(spec.getGroupObj(found, "tables"), 2u);
    EXPECT_EQ(found[0], spec.getGroupObj(1u));
    EXPECT_EQ(found[1], spec.getGroupObj(3u));
    EXPECT_EQ(spec.getGroupObj(found, ""), 1u);
    EXPECT_EQ(found[0], spec.getGroupObj(0u));
    EXPECT_EQ(spec.getGroupObj(found, "X"), 0u);
    EXPECT_TRUE(found.empty());

    ASSERT_EQ(spec.getGroupObj(found, std::vector<std::string>{"Charts", "tables", "TABLES"}), 3u);
    EXPECT_EQ(found[0], spec.getGroupObj(1u));
    EXPECT_EQ(found[1], spec.getGroupObj(2u));
    EXPECT_EQ(found[2], spec.getGroupObj(3u));
    EXPECT_EQ(spec.getGroupObj(found, std::vector<std::string>{}), 0u);
}

}  // namespace
