#include "uparser/CommandSpec.h"

#include <algorithm>
#include <utility>

#include "uparser/ParserUtility.h"

namespace {

// A group that failed before its first subcommand has no name and matches nothing.
const std::string* FirstSubComName(const GroupComObj& group) {
    const SubComObj* first = group.getSubComObj(0u);
    return first != nullptr ? &first->getSubComName() : nullptr;
}

}  // namespace

CommandSpec::CommandSpec() = default;

CommandSpec::CommandSpec(const CommandSpec& other) = default;

CommandSpec::CommandSpec(CommandSpec&& other) noexcept = default;

CommandSpec& CommandSpec::operator=(const CommandSpec& other) = default;

// Moving an object onto itself leaves it as it was (a defaulted move would empty it).
CommandSpec& CommandSpec::operator=(CommandSpec&& other) noexcept {
    if (this != &other) {
        mCommandName = std::move(other.mCommandName);
        mGroupList = std::move(other.mGroupList);
    }
    return *this;
}

CommandSpec::~CommandSpec() = default;

void CommandSpec::setCommandName(const std::string& name) {
    mCommandName = name;
}

const std::string& CommandSpec::getCommandName() const {
    return mCommandName;
}

void CommandSpec::addGroupObj(const GroupComObj& group) {
    mGroupList.push_back(group);
}

void CommandSpec::addGroupObj(GroupComObj&& group) {
    mGroupList.push_back(std::move(group));
}

unsigned int CommandSpec::getGroupListSize() const {
    return static_cast<unsigned int>(mGroupList.size());
}

bool CommandSpec::isValidGroupIndex(unsigned int index) const {
    return index < mGroupList.size();
}

const GroupComObj* CommandSpec::getGroupObj(unsigned int index) const {
    return isValidGroupIndex(index) ? &mGroupList[index] : nullptr;
}

const GroupComObj* CommandSpec::getGlobalGroupObj() const {
    if (!mGroupList.empty() && mGroupList.front().isGroupGlobal()) {
        return &mGroupList.front();
    }
    return nullptr;
}

unsigned int CommandSpec::getGroupObj(std::vector<const GroupComObj*>& found,
                                      const std::string& name) const {
    std::vector<const GroupComObj*>().swap(found);
    const std::string upperName = GetUpperString(name);
    for (const GroupComObj& group : mGroupList) {
        const std::string* first = FirstSubComName(group);
        if (first != nullptr && *first == upperName) {
            found.push_back(&group);
        }
    }
    return static_cast<unsigned int>(found.size());
}

unsigned int CommandSpec::getGroupObj(std::vector<const GroupComObj*>& found,
                                      const std::vector<std::string>& names) const {
    std::vector<const GroupComObj*>().swap(found);
    std::vector<std::string> upperNames;
    upperNames.reserve(names.size());
    for (const std::string& name : names) {
        upperNames.push_back(GetUpperString(name));
    }
    for (const GroupComObj& group : mGroupList) {
        const std::string* first = FirstSubComName(group);
        if (first != nullptr &&
            std::find(upperNames.begin(), upperNames.end(), *first) != upperNames.end()) {
            found.push_back(&group);
        }
    }
    return static_cast<unsigned int>(found.size());
}

const GroupComObj* CommandSpec::onlyGlobalGroup() const {
    if (mGroupList.size() == 1 && mGroupList.front().isGroupGlobal()) {
        return &mGroupList.front();
    }
    return nullptr;
}

unsigned int CommandSpec::getSubComListSize() const {
    const GroupComObj* group = onlyGlobalGroup();
    return group != nullptr ? group->getSubComListSize() : 0;
}

const SubComObj* CommandSpec::getSubComObj(unsigned int index) const {
    const GroupComObj* group = onlyGlobalGroup();
    return group != nullptr ? group->getSubComObj(index) : nullptr;
}

const SubComObj* CommandSpec::getSubComObj(const std::string& name) const {
    const GroupComObj* group = onlyGlobalGroup();
    return group != nullptr ? group->getSubComObj(name) : nullptr;
}

unsigned int CommandSpec::getSubComObj(std::vector<const SubComObj*>& found,
                                       const std::string& name) const {
    const GroupComObj* group = onlyGlobalGroup();
    return group != nullptr ? group->getSubComObj(found, name) : 0;
}
