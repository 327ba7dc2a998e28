#include "uparser/GroupComDescriptor.h"

#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/detail/FlatNameIndex.h"
#include "uparser/detail/UpperName.h"

using namespace UPSpecTypes;

GroupComDescriptor::GroupComDescriptor() : mGroupType(GroupRepeatable), mGroupRequired(true) {}

GroupComDescriptor::GroupComDescriptor(GroupSpec type)
    : mGroupType(type), mGroupRequired(type != GroupGlobal) {}

GroupComDescriptor::GroupComDescriptor(GroupSpec type, bool required)
    : mGroupType(type), mGroupRequired(required) {}

void GroupComDescriptor::setGroupType(GroupSpec type) {
    mGroupType = type;
}

GroupSpec GroupComDescriptor::getGroupType() const {
    return mGroupType;
}

void GroupComDescriptor::setGroupRequired(bool required) {
    mGroupRequired = required;
}

bool GroupComDescriptor::isGroupRequired() const {
    if (mGroupRequired) {
        return true;
    }
    if (mGroupType != GroupGlobal) {
        return false;
    }
    for (const SubComDescriptor& subCom : mSubComDescs) {
        if (subCom.isSubComRequired()) {
            return true;
        }
    }
    return false;
}

void GroupComDescriptor::setMessageText(const char* text) {
    mMessageText = text != nullptr ? text : "";
}

const char* GroupComDescriptor::getMessageText() const {
    return mMessageText.empty() ? nullptr : mMessageText.c_str();
}

void GroupComDescriptor::addSubComDesc(const SubComDescriptor& subCom, bool isSeparator) {
    // Copied first: subCom may be the very element that is overwritten.
    addSubComDesc(SubComDescriptor(subCom), isSeparator);
}

void GroupComDescriptor::addSubComDesc(SubComDescriptor&& subCom, bool isSeparator) {
    // Stored names are upper-case already, so they compare directly.
    const std::string name = subCom.getSubComName();
    const int index = findSubCom(name);
    if (index >= 0) {
        mSubComDescs[static_cast<std::size_t>(index)] = std::move(subCom);
        const int separator = findSeparator(name);
        if (isSeparator && !name.empty() && separator < 0) {
            mGroupSepNameList.push_back(name);
        } else if (!isSeparator && separator >= 0) {
            mGroupSepNameList.erase(mGroupSepNameList.begin() + separator);
        }
        return;
    }
    // Both allocations before either container changes: running out of memory leaves the
    // group as it was.
    flat_name_index::Reserve(mSubComIndex, mSubComDescs.size());
    mSubComDescs.push_back(std::move(subCom));
    flat_name_index::Add(mSubComIndex, flat_name_index::Hash(name),
                         static_cast<int>(mSubComDescs.size() - 1));
    if (isSeparator && !name.empty()) {
        mGroupSepNameList.push_back(name);
    }
}

int GroupComDescriptor::getSubComDescListSize() const {
    return static_cast<int>(mSubComDescs.size());
}

int GroupComDescriptor::getGroupSepListSize() const {
    return static_cast<int>(mGroupSepNameList.size());
}

int GroupComDescriptor::getSubComDescIndex(const std::string& name) const {
    return upper_name::FindUpper(name,
                                 [this](const std::string& upper) { return findSubCom(upper); });
}

bool GroupComDescriptor::containSubComDesc(const std::string& name) const {
    return getSubComDescIndex(name) >= 0;
}

const SubComDescriptor* GroupComDescriptor::getSubComDesc(int index) const {
    if (index < 0 || index >= static_cast<int>(mSubComDescs.size())) {
        return nullptr;
    }
    return &mSubComDescs[static_cast<std::size_t>(index)];
}

const SubComDescriptor* GroupComDescriptor::getSubComDesc(const std::string& name) const {
    return getSubComDesc(getSubComDescIndex(name));
}

int GroupComDescriptor::getGroupSepIndex(const std::string& name) const {
    return upper_name::FindUpper(
        name, [this](const std::string& upper) { return findSeparator(upper); });
}

bool GroupComDescriptor::isGroupSeparator(const std::string& name) const {
    return getGroupSepIndex(name) >= 0;
}

const char* GroupComDescriptor::getGroupSepName(int index) const {
    if (index < 0 || index >= static_cast<int>(mGroupSepNameList.size())) {
        return nullptr;
    }
    return mGroupSepNameList[static_cast<std::size_t>(index)].c_str();
}

const std::vector<std::string>& GroupComDescriptor::getGroupSepNameList() const {
    return mGroupSepNameList;
}

int GroupComDescriptor::findSubCom(const std::string& upperName) const {
    return flat_name_index::Find(
        mSubComIndex, flat_name_index::Hash(upperName), [this, &upperName](int position) {
            return mSubComDescs[static_cast<std::size_t>(position)].getSubComName() == upperName;
        });
}

int GroupComDescriptor::findSeparator(const std::string& upperName) const {
    for (std::size_t i = 0; i < mGroupSepNameList.size(); ++i) {
        if (mGroupSepNameList[i] == upperName) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
