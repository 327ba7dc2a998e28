#include "uparser/CommandDescriptor.h"

#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/detail/UpperName.h"

using namespace UPSpecTypes;

CommandDescriptor::CommandDescriptor() : CommandDescriptor(std::string(), std::string()) {}

CommandDescriptor::CommandDescriptor(const std::string& name)
    : CommandDescriptor(name, std::string()) {}

CommandDescriptor::CommandDescriptor(const std::string& name, const std::string& title)
    : mCommandName(name), mProcedureTitle(title), mSubComArbitrary(false), mGlobalGroupIndex(-1) {}

const std::string& CommandDescriptor::getCommandName() const {
    return mCommandName;
}

const std::string& CommandDescriptor::getProcedureTitle() const {
    return mProcedureTitle;
}

void CommandDescriptor::setSubComArbitrary(bool arbitrary) {
    mSubComArbitrary = arbitrary;
}

bool CommandDescriptor::areSubComArbitrary() const {
    return mSubComArbitrary;
}

bool CommandDescriptor::hasSettingInfo() const {
    return !mCommandName.empty();
}

void CommandDescriptor::addGroupDesc(const GroupComDescriptor& group) {
    addGroupDesc(GroupComDescriptor(group));
}

void CommandDescriptor::addGroupDesc(GroupComDescriptor&& group) {
    mGroupDescs.push_back(std::move(group));
    const int index = static_cast<int>(mGroupDescs.size()) - 1;
    const GroupComDescriptor& added = mGroupDescs.back();
    if (added.getGroupType() == GroupGlobal) {
        mGlobalGroupIndex = index;
    }
    for (const std::string& separator : added.getGroupSepNameList()) {
        if (!separator.empty()) {
            mGroupSepMap[separator] = index;
        }
    }
}

void CommandDescriptor::addSubComDesc(const SubComDescriptor& subCom) {
    if (setOnlyGlobalGroup()) {
        mGroupDescs.front().addSubComDesc(subCom, false);
    }
}

void CommandDescriptor::addSubComDesc(SubComDescriptor&& subCom) {
    if (setOnlyGlobalGroup()) {
        mGroupDescs.front().addSubComDesc(std::move(subCom), false);
    }
}

bool CommandDescriptor::setOnlyGlobalGroup() {
    if (!mGroupSepMap.empty()) {
        return false;
    }
    if (!mGroupDescs.empty()) {
        return groupIsOnlyGlobal();
    }
    mGroupDescs.emplace_back(GroupGlobal);
    mGlobalGroupIndex = 0;
    return true;
}

bool CommandDescriptor::groupIsOnlyGlobal() const {
    if (!mGroupSepMap.empty()) {
        return false;
    }
    if (mGroupDescs.empty()) {
        return true;
    }
    return mGroupDescs.size() == 1 && mGlobalGroupIndex == 0 &&
           mGroupDescs.front().getGroupType() == GroupGlobal;
}

int CommandDescriptor::getGroupDescListSize() const {
    return static_cast<int>(mGroupDescs.size());
}

int CommandDescriptor::getGroupSepMapSize() const {
    return static_cast<int>(mGroupSepMap.size());
}

const GroupComDescriptor* CommandDescriptor::getGroupDesc(int index) const {
    if (index < 0 || index >= static_cast<int>(mGroupDescs.size())) {
        return nullptr;
    }
    return &mGroupDescs[static_cast<std::size_t>(index)];
}

const GroupComDescriptor* CommandDescriptor::getGlobalGroupDesc() const {
    return getGroupDesc(mGlobalGroupIndex);
}

int CommandDescriptor::getGroupDescIndex(const std::string& name) const {
    if (name.empty()) {
        return mGlobalGroupIndex;
    }
    return upper_name::FindUpper(name, [this](const std::string& upper) {
        const auto found = mGroupSepMap.find(upper);
        return found != mGroupSepMap.end() ? found->second : -1;
    });
}

const GroupComDescriptor* CommandDescriptor::getGroupDesc(const std::string& name) const {
    return getGroupDesc(getGroupDescIndex(name));
}

bool CommandDescriptor::isGroupSeparator(const std::string& name) const {
    return getGroupDescIndex(name) >= 0;
}

int CommandDescriptor::getSubComDescMult(const std::string& name) const {
    // Upper-case once; the groups hold their names upper-cased.
    return upper_name::FindUpper(name, [this](const std::string& upper) {
        int count = 0;
        for (const GroupComDescriptor& group : mGroupDescs) {
            if (group.findSubCom(upper) >= 0) {
                ++count;
            }
        }
        return count;
    });
}

const SubComDescriptor* CommandDescriptor::getSubComDesc(const std::string& name) const {
    if (!groupIsOnlyGlobal()) {
        return nullptr;
    }
    const GroupComDescriptor* global = getGlobalGroupDesc();
    return global != nullptr ? global->getSubComDesc(name) : nullptr;
}
