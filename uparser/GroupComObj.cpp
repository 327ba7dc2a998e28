#include "uparser/GroupComObj.h"

#include <utility>

#include "uparser/ParserUtility.h"

GroupComObj::GroupComObj() = default;

GroupComObj::GroupComObj(const std::vector<SubComObj>& subComs) {
    for (const SubComObj& subCom : subComs) {
        addSubComObj(subCom);
    }
}

GroupComObj::GroupComObj(const SubComObj& subCom) {
    addSubComObj(subCom);
}

GroupComObj::GroupComObj(const GroupComObj& other) = default;

GroupComObj::GroupComObj(GroupComObj&& other) noexcept = default;

GroupComObj& GroupComObj::operator=(const GroupComObj& other) = default;

GroupComObj& GroupComObj::operator=(GroupComObj&& other) noexcept = default;

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
    judgeLastSubCom();
    mSubComList.emplace_back(subCom);
}

void GroupComObj::addSubComObj(SubComObj&& subCom) {
    judgeLastSubCom();
    mSubComList.emplace_back(std::move(subCom));
}

SubComObj& GroupComObj::emplaceSubComObj(const std::string& name) {
    judgeLastSubCom();
    return mSubComList.emplace_back(name);
}

// The last subcommand is complete once another is added: nothing changes it afterwards.
void GroupComObj::judgeLastSubCom() {
    if (mPlainSubComs && !mSubComList.empty() && !mSubComList.back().freesNothing()) {
        mPlainSubComs = false;
    }
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
    for (std::size_t i = 0; i < mSubComList.size(); ++i) {
        if (mSubComList[i].getSubComName() == upperName) {
            return &mSubComList[i];
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
    for (std::size_t i = 0; i < mSubComList.size(); ++i) {
        if (mSubComList[i].getSubComName() == upperName) {
            found.push_back(&mSubComList[i]);
            ++count;
        }
    }
    return count;
}
