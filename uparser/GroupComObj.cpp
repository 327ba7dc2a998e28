#include "uparser/GroupComObj.h"

#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/detail/LongListGrowth.h"

GroupComObj::GroupComObj() = default;

GroupComObj::GroupComObj(const std::vector<SubComObj>& subComs) : mSubComList(subComs) {}

GroupComObj::GroupComObj(const SubComObj& subCom) : mSubComList(1, subCom) {}

GroupComObj::GroupComObj(const GroupComObj& other) = default;

GroupComObj::GroupComObj(GroupComObj&& other) noexcept = default;

GroupComObj& GroupComObj::operator=(const GroupComObj& other) = default;

GroupComObj& GroupComObj::operator=(GroupComObj&& other) noexcept {
    if (this != &other) {
        mSubComList = std::move(other.mSubComList);
        mGroupGlobal = other.mGroupGlobal;
    }
    return *this;
}

GroupComObj::~GroupComObj() = default;

void GroupComObj::setGroupGlobal() {
    mGroupGlobal = true;
}

void GroupComObj::unsetGroupGlobal() {
    mGroupGlobal = false;
}

bool GroupComObj::isGroupGlobal() const {
    return mGroupGlobal;
}

void GroupComObj::addSubComObj(const SubComObj& subCom) {
    mSubComList.push_back(subCom);
}

void GroupComObj::addSubComObj(SubComObj&& subCom) {
    mSubComList.push_back(std::move(subCom));
}

SubComObj& GroupComObj::emplaceSubComObj(const std::string& name) {
    long_list::MakeRoomForOne(mSubComList);
    mSubComList.emplace_back(name);
    return mSubComList.back();
}

unsigned int GroupComObj::getSubComListSize() const {
    return static_cast<unsigned int>(mSubComList.size());
}

bool GroupComObj::isValidSubComIndex(unsigned int index) const {
    return index < mSubComList.size();
}

const SubComObj* GroupComObj::getSubComObj(unsigned int index) const {
    return isValidSubComIndex(index) ? &mSubComList[index] : nullptr;
}

const SubComObj* GroupComObj::getSubComObj(const std::string& name) const {
    const std::string upperName = GetUpperString(name);
    for (const SubComObj& subCom : mSubComList) {
        if (subCom.getSubComName() == upperName) {
            return &subCom;
        }
    }
    return nullptr;
}

unsigned int GroupComObj::getSubComObj(std::vector<const SubComObj*>& found,
                                       const std::string& name) const {
    // Release the storage too: the caller's list may have been large.
    std::vector<const SubComObj*>().swap(found);
    const std::string upperName = GetUpperString(name);
    unsigned int count = 0;
    for (const SubComObj& subCom : mSubComList) {
        if (subCom.getSubComName() == upperName) {
            found.push_back(&subCom);
            ++count;
        }
    }
    return count;
}
