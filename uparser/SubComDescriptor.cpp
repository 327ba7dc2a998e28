#include "uparser/SubComDescriptor.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/detail/UpperName.h"

using namespace UPSpecTypes;

namespace {

ParamSpec ExportTypeOf(SubComSpec type) {
    return type == SubComArbitrary ? ParamTokenList : ParamNoType;
}

bool HasOptionalValue(const ParamDescriptor& param) {
    return param.getParamType() == ParamKeyWord || !param.isValueRequired();
}

}  // namespace

SubComDescriptor::SubComDescriptor(std::string name, SubComSpec type, bool required,
                                   bool repeatable)
    : mSubComName(GetUpperString(name)),
      mSubComType(type),
      mSubComRequired(required),
      mSubComRepeatable(repeatable),
      mEmptyAllowed(false),
      mExportParamDesc("", ParamTokenList, false, true, BracketNone) {
    mExportParamDesc.setParamType(ExportTypeOf(type));
}

void SubComDescriptor::setSubComName(const std::string& name) {
    mSubComName = GetUpperString(name);
}

const std::string& SubComDescriptor::getSubComName() const {
    return mSubComName;
}

void SubComDescriptor::setSubComType(SubComSpec type) {
    mSubComType = type;
    mExportParamDesc.setParamType(ExportTypeOf(type));
}

SubComSpec SubComDescriptor::getSubComType() const {
    return mSubComType;
}

void SubComDescriptor::setSubComRequired(bool required) {
    mSubComRequired = required;
}

bool SubComDescriptor::isSubComRequired() const {
    return mSubComRequired;
}

void SubComDescriptor::setSubComRepeatable(bool repeatable) {
    mSubComRepeatable = repeatable;
}

bool SubComDescriptor::isSubComRepeatable() const {
    return mSubComRepeatable;
}

void SubComDescriptor::allowSubComEmpty(bool allowed) {
    mEmptyAllowed = allowed;
}

bool SubComDescriptor::isEmptyAllowed() const {
    return mEmptyAllowed;
}

bool SubComDescriptor::isSubComArbitrary() const {
    return mSubComType == SubComArbitrary;
}

bool SubComDescriptor::areParamByEqual() const {
    return mSubComType == SubComByEqual;
}

bool SubComDescriptor::areParamByParen() const {
    return mSubComType == SubComByParen;
}

bool SubComDescriptor::areParamByBlock() const {
    return mSubComType == SubComByBlock;
}

bool SubComDescriptor::hasParameters() const {
    return areParamByEqual() || areParamByParen() || areParamByBlock();
}

void SubComDescriptor::addParamDesc(const ParamDescriptor& param) {
    // Copied first: param may be one of this subcommand's own parameters.
    addParamDesc(ParamDescriptor(param));
}

void SubComDescriptor::addParamDesc(ParamDescriptor&& param) {
    // Stored names are upper-case already, so they compare directly.
    ParamDescriptor* stored = nullptr;
    const std::uint32_t hash = hashName(param.getParamName());
    const int found = findParam(param.getParamName(), hash);
    if (found >= 0) {
        stored = &mParamDescs[static_cast<std::size_t>(found)];
        mOptionalValueParams -= HasOptionalValue(*stored) ? 1 : 0;
        *stored = std::move(param);
    } else {
        // Both allocations before either container changes: running out of memory leaves the
        // subcommand as it was.
        reserveIndexSlot();
        mParamDescs.push_back(std::move(param));
        indexParam(hash, static_cast<int>(mParamDescs.size()) - 1);
        stored = &mParamDescs.back();
    }
    mOptionalValueParams += HasOptionalValue(*stored) ? 1 : 0;
    if (areParamByParen()) {
        stored->allowSlash(false);
    }
    if (!areParamByEqual()) {
        stored->setBracketOption(BracketNone);
    }
}

std::uint32_t SubComDescriptor::hashName(const std::string& upperName) {
    return static_cast<std::uint32_t>(std::hash<std::string>()(upperName));
}

int SubComDescriptor::findParam(const std::string& upperName, std::uint32_t hash) const {
    if (mParamIndex.empty()) {
        return -1;
    }
    // At most half the slots are taken, so every probe ends at an empty one.
    const std::size_t mask = mParamIndex.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const IndexSlot& slot = mParamIndex[i];
        if (slot.position < 0) {
            return -1;
        }
        if (slot.hash == hash &&
            mParamDescs[static_cast<std::size_t>(slot.position)].getParamName() == upperName) {
            return slot.position;
        }
    }
}

void SubComDescriptor::reserveIndexSlot() {
    if (2 * (mParamDescs.size() + 1) <= mParamIndex.size()) {
        return;
    }
    std::vector<IndexSlot> previous(std::max<std::size_t>(16, 2 * mParamIndex.size()),
                                    IndexSlot{0, -1});
    previous.swap(mParamIndex);  // the index is now the larger, empty table
    for (const IndexSlot& slot : previous) {
        if (slot.position >= 0) {
            indexParam(slot.hash, slot.position);
        }
    }
}

void SubComDescriptor::indexParam(std::uint32_t hash, int position) {
    const std::size_t mask = mParamIndex.size() - 1;
    std::size_t i = hash & mask;
    while (mParamIndex[i].position >= 0) {
        i = (i + 1) & mask;
    }
    mParamIndex[i] = IndexSlot{hash, position};
}

void SubComDescriptor::addParamDesc(const std::string& name, ParamSpec type, bool paramRequired,
                                    bool valueRequired, BracketOptions bracket) {
    addParamDesc(ParamDescriptor(name, type, paramRequired, valueRequired, bracket));
}

int SubComDescriptor::getParamDescListSize() const {
    return hasParameters() ? static_cast<int>(mParamDescs.size()) : 0;
}

bool SubComDescriptor::hasOptionalValueParams() const {
    return mOptionalValueParams > 0;
}

int SubComDescriptor::getParamDescIndex(const std::string& name) const {
    if (mParamDescs.empty()) {
        return -1;  // spares the upper-casing of every word of a subcommand without parameters
    }
    return upper_name::FindUpper(
        name, [this](const std::string& upper) { return findParam(upper, hashName(upper)); });
}

bool SubComDescriptor::containParamDesc(const std::string& name) const {
    return getParamDescIndex(name) >= 0;
}

const ParamDescriptor* SubComDescriptor::getParamDesc(int index) const {
    if (!hasParameters() || index < 0 || index >= static_cast<int>(mParamDescs.size())) {
        return nullptr;
    }
    return &mParamDescs[static_cast<std::size_t>(index)];
}

const ParamDescriptor* SubComDescriptor::getParamDesc(const std::string& name) const {
    return getParamDesc(getParamDescIndex(name));
}

void SubComDescriptor::setExportParamDesc(ParamSpec type, bool required) {
    mExportParamDesc.setParamType(type);
    mExportParamDesc.setParamRequired(required);
}

void SubComDescriptor::setExportParamDesc(const ParamDescriptor& param) {
    mExportParamDesc = param;
    mExportParamDesc.setParamName("");
    mExportParamDesc.setValueRequired(true);
    mExportParamDesc.setBracketOption(BracketNone);
}

const ParamDescriptor* SubComDescriptor::getExportParamDesc() const {
    if (isSubComArbitrary() || mExportParamDesc.getParamType() != ParamNoType) {
        return &mExportParamDesc;
    }
    return nullptr;
}
