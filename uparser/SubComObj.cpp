#include "uparser/SubComObj.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "uparser/detail/TextInside.h"

SubComObj::SubComObj() : SubComObj(std::string()) {}

// The export parameter's keyword is an empty token, as a default-made parameter has.
SubComObj::SubComObj(const std::string& name)
    : mSubComName(name), mExportParam(UPSpecTypes::ParamTokenList, name) {}

SubComObj::SubComObj(const SubComObj& other) = default;

SubComObj& SubComObj::operator=(const SubComObj& other) = default;

SubComObj& SubComObj::operator=(SubComObj&& other) noexcept {
    if (this != &other) {
        mSubComName = std::move(other.mSubComName);
        mSubComCount = other.mSubComCount;
        mParenUsed = other.mParenUsed;
        mEqualUsed = other.mEqualUsed;
        mPlainParams = other.mPlainParams;
        mParamList = std::move(other.mParamList);
        mExportParam = std::move(other.mExportParam);
    }
    return *this;
}

const std::string& SubComObj::getSubComName() const {
    return mSubComName;
}

const std::string& SubComObj::getSubComExtName() const {
    return mExportParam.mSubComExtName;
}

int SubComObj::getSubComCount() const {
    return mSubComCount;
}

void SubComObj::setSubComCount(int count) {
    std::string& extName = mExportParam.mSubComExtName;
    // Until a count is set the extended name is the name; the usual first count then only
    // appends to it.
    const bool plainName = mSubComCount == 0 && extName.size() == mSubComName.size();
    mSubComCount = count;
    if (!plainName) {
        extName.assign(mSubComName);
    }
    if (count > 0) {
        // Built in place, as AppendIndexToString would join them: a repeatable subcommand gets
        // its name at every occurrence. The blank and the digits go in one append; the unnamed
        // part's count stands alone.
        char digits[16] = {' '};
        const std::to_chars_result end = std::to_chars(digits + 1, digits + sizeof digits, count);
        const char* const suffix = mSubComName.empty() ? digits + 1 : digits;
        extName.append(suffix, static_cast<std::size_t>(end.ptr - suffix));
    }
}

void SubComObj::setParenUsed() {
    mParenUsed = true;
}

void SubComObj::unsetParenUsed() {
    mParenUsed = false;
}

bool SubComObj::areParenUsed() const {
    return mParenUsed;
}

void SubComObj::setEqualUsed() {
    mEqualUsed = true;
}

void SubComObj::unsetEqualUsed() {
    mEqualUsed = false;
}

bool SubComObj::isEqualUsed() const {
    return mEqualUsed;
}

void SubComObj::addParamObj(const ParamObj& param) {
    judgeLastParam();
    mParamList.push_back(param);
}

void SubComObj::addParamObj(ParamObj&& param) {
    judgeLastParam();
    mParamList.push_back(std::move(param));
}

ParamObj& SubComObj::emplaceParamObj(const TokenInfoObj& keyword, const std::string& extName) {
    judgeLastParam();
    mParamList.emplace_back(keyword, UPSpecTypes::ParamNoType, extName);
    return mParamList.back();
}

// The last parameter is complete once another is added: nothing changes it afterwards.
void SubComObj::judgeLastParam() {
    if (mPlainParams && !mParamList.empty() && !mParamList.back().freesNothing()) {
        mPlainParams = false;
    }
}

bool SubComObj::freesNothing() const {
    // Without a block the list holds at most the one parameter kept inside.
    return !mParamList.hasBlock() &&
           std::all_of(mParamList.begin(), mParamList.end(),
                       [](const ParamObj& param) { return param.freesNothing(); }) &&
           mExportParam.freesNothing() && text_inside::TextInside(mSubComName);
}

unsigned int SubComObj::getParamListSize() const {
    return static_cast<unsigned int>(mParamList.size());
}

bool SubComObj::isValidParamIndex(unsigned int index) const {
    return index < mParamList.size();
}

const ParamObj* SubComObj::getParamObj(unsigned int index) const {
    return isValidParamIndex(index) ? &mParamList[index] : nullptr;
}

const ParamObj* SubComObj::getParamObj(const std::string& name) const {
    return ParamObj::findParamObj(name, mParamList.begin(), mParamList.end());
}

void SubComObj::addParamExportToken(const TokenInfoObj& token) {
    mExportParam.addTokenObj(token);
}

void SubComObj::addParamExportToken(TokenInfoObj&& token) {
    mExportParam.addTokenObj(std::move(token));
}

unsigned int SubComObj::getTokenListSize() const {
    return mExportParam.getTokenListSize();
}

bool SubComObj::isValidTokenIndex(unsigned int index) const {
    return mExportParam.isValidTokenIndex(index);
}

const TokenInfoObj* SubComObj::getTokenObj(unsigned int index) const {
    return mExportParam.getTokenObj(index);
}

const ParamObj* SubComObj::exportParamObj() const {
    return &mExportParam;
}
