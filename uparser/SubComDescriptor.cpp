#include "uparser/SubComDescriptor.h"

#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/detail/FlatNameIndex.h"
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
    : mSubComName(upper_name::IsUpperAlready(name) ? std::move(name) : GetUpperString(name)),
      mSubComType(type),
      mSubComRequired(required),
      mSubComRepeatable(repeatable),
      mEmptyAllowed(false),
      mExportParamDesc("", ParamTokenList, false, true, BracketNone) {
    mExportParamDesc.setParamType(ExportTypeOf(type));
}

void SubComDescriptor::setSubComName(const std::string& name) {
    mSubComName = upper_name::UpperOf(name);
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
    const std::uint32_t hash = flat_name_index::Hash(param.getParamName());
    // A name the filter has not seen is in neither the index nor the waiting names.
    const int found =
        mNameFilter.empty() || mayHoldName(hash) ? findParam(param.getParamName(), hash) : -1;
    if (found >= 0) {
        stored = &mParamDescs[static_cast<std::size_t>(found)];
        mOptionalValueParams -= HasOptionalValue(*stored) ? 1 : 0;
        *stored = std::move(param);
    } else {
        // Both allocations before either container changes: running out of memory leaves the
        // subcommand as it was (a larger index, or filter, changes no answer).
        const std::size_t slots = mParamIndex.size();
        flat_name_index::Reserve(mParamIndex, mParamDescs.size());
        if (mParamIndex.size() != slots && mParamIndex.size() >= kLargeIndex) {
            rebuildNameFilter();
        }
        mParamDescs.push_back(std::move(param));
        indexName(hash, static_cast<int>(mParamDescs.size()) - 1);
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

int SubComDescriptor::findParam(const std::string& upperName, std::uint32_t hash) const {
    // A waiting name of a moved-from subcommand may point past its descriptors.
    const auto isNamed = [this, &upperName](int position) {
        return static_cast<std::size_t>(position) < mParamDescs.size() &&
               mParamDescs[static_cast<std::size_t>(position)].getParamName() == upperName;
    };
    const int found = flat_name_index::Find(mParamIndex, hash, isNamed);
    for (int i = 0; found < 0 && i < mRecentCount; ++i) {
        const IndexSlot& waiting = mRecent[i];
        if (waiting.hash == hash && isNamed(waiting.position)) {
            return waiting.position;
        }
    }
    return found;
}

namespace {

// A name's two bits of the filter lie in one word, so that checking them costs one read: the
// word from the high half of one mix of its hash, the bits from another.
std::size_t FilterWord(std::uint32_t hash, std::size_t words) {
    const std::uint64_t mixed = static_cast<std::uint32_t>((hash ^ (hash >> 15)) * 0x9E3779B1u);
    return static_cast<std::size_t>((mixed * words) >> 32);
}

std::uint64_t FilterBits(std::uint32_t hash) {
    const std::uint32_t mixed = (hash ^ (hash >> 13)) * 0x85EBCA77u;
    return (std::uint64_t{1} << (mixed >> 26)) | (std::uint64_t{1} << ((mixed >> 20) & 63));
}

void SetFilterBits(std::vector<std::uint64_t>& filter, std::uint32_t hash) {
    filter[FilterWord(hash, filter.size())] |= FilterBits(hash);
}

}  // namespace

bool SubComDescriptor::mayHoldName(std::uint32_t hash) const {
    const std::uint64_t bits = FilterBits(hash);
    return (mNameFilter[FilterWord(hash, mNameFilter.size())] & bits) == bits;
}

void SubComDescriptor::rebuildNameFilter() {
    std::vector<std::uint64_t> filter(mParamIndex.size() * 4 / 64, 0);
    for (const IndexSlot& slot : mParamIndex) {
        if (slot.position >= 0) {
            SetFilterBits(filter, slot.hash);
        }
    }
    for (int i = 0; i < mRecentCount; ++i) {
        SetFilterBits(filter, mRecent[i].hash);
    }
    mNameFilter.swap(filter);
}

void SubComDescriptor::indexName(std::uint32_t hash, int position) {
    if (mNameFilter.empty()) {
        flat_name_index::Insert(mParamIndex, hash, position);
        return;
    }
    SetFilterBits(mNameFilter, hash);
    if (mRecentCount == kRecent) {
        // In one run, so that the waits for the slots overlap; each slot was asked for when
        // its name came.
        for (const IndexSlot& waiting : mRecent) {
            flat_name_index::Insert(mParamIndex, waiting.hash, waiting.position);
        }
        mRecentCount = 0;
    }
    __builtin_prefetch(&mParamIndex[hash & (mParamIndex.size() - 1)], 1);
    mRecent[mRecentCount++] = IndexSlot{hash, position};
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
    return upper_name::FindUpper(name, [this](const std::string& upper) {
        return findParam(upper, flat_name_index::Hash(upper));
    });
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
