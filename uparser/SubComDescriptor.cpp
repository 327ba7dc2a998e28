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
    // A large subcommand's filter answers most new names without a read of its table.
    const int found = flat_name_index::MayHold(mParamIndex, hash)
                          ? findParam(param.getParamName(), hash)
                          : -1;
    if (found >= 0) {
        stored = &mParamDescs[static_cast<std::size_t>(found)];
        mOptionalValueParams -= HasOptionalValue(*stored) ? 1 : 0;
        mRequiredParams -= stored->isParamRequired() ? 1 : 0;
        *stored = std::move(param);
    } else {
        // Both allocations before either container changes: running out of memory leaves the
        // subcommand as it was.
        flat_name_index::Reserve(mParamIndex, mParamDescs.size());
        mParamDescs.makeRoomForOne();
        mParamDescs.push_back(std::move(param));
        flat_name_index::Add(mParamIndex, hash, static_cast<int>(mParamDescs.size()) - 1);
        stored = &mParamDescs.back();
    }
    mOptionalValueParams += HasOptionalValue(*stored) ? 1 : 0;
    mRequiredParams += stored->isParamRequired() ? 1 : 0;
    if (areParamByParen()) {
        stored->allowSlash(false);
    }
    if (!areParamByEqual()) {
        stored->setBracketOption(BracketNone);
    }
}

int SubComDescriptor::findParam(const std::string& upperName, std::uint32_t hash) const {
    return flat_name_index::Find(mParamIndex, hash, [this, &upperName](int position) {
        return mParamDescs[static_cast<std::size_t>(position)].getParamName() == upperName;
    });
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

int SubComDescriptor::getRequiredParamCount() const {
    return mRequiredParams;
}

int SubComDescriptor::getParamDescIndex(const std::string& name) const {
    if (mParamDescs.empty()) {
        return -1;  // spares the upper-casing of every word of a subcommand without parameters
    }
    return upper_name::FindUpper(
        name, [this](const std::string& upper) { return findParam(upper, flat_name_index::Hash(upper)); });
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
