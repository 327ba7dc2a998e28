#include "uparser/ParamDescriptor.h"

#include <algorithm>
#include <utility>

#include "uparser/ParserUtility.h"

using namespace UPSpecTypes;

ParamDescriptor::ParamDescriptor(std::string name, ParamSpec type, bool paramRequired,
                                 bool valueRequired, BracketOptions bracket)
    : mParamName(GetUpperString(name)),
      mParamType(type),
      mParamRequired(paramRequired),
      mValueRequired(valueRequired),
      mBlockOption(BlockOptEqual),
      mBracketOption(bracket),
      mSlashAllowed(false),
      mLowerBdryValue(0.0),
      mLowerBdryOption(LowerNone),
      mUpperBdryValue(0.0),
      mUpperBdryOption(UpperNone),
      mQualifOption(QualifByParen) {}

ParamDescriptor::ParamDescriptor(const ParamDescriptor& other) = default;

ParamDescriptor::ParamDescriptor(ParamDescriptor&& other) noexcept = default;

ParamDescriptor& ParamDescriptor::operator=(const ParamDescriptor& other) {
    if (this != &other) {
        // Member-wise assignment would free the source half-way when it is one of this
        // descriptor's own nested descriptors; copy it whole first.
        ParamDescriptor copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ParamDescriptor& ParamDescriptor::operator=(ParamDescriptor&& other) noexcept = default;

ParamDescriptor::~ParamDescriptor() = default;

void ParamDescriptor::setParamName(const std::string& name) {
    mParamName = GetUpperString(name);
}

const std::string& ParamDescriptor::getParamName() const {
    return mParamName;
}

void ParamDescriptor::setParamType(ParamSpec type) {
    mParamType = type;
}

ParamSpec ParamDescriptor::getParamType() const {
    return mParamType;
}

void ParamDescriptor::setParamRequired(bool required) {
    mParamRequired = required;
}

bool ParamDescriptor::isParamRequired() const {
    return mParamRequired;
}

void ParamDescriptor::setValueRequired(bool required) {
    mValueRequired = required;
}

bool ParamDescriptor::isValueRequired() const {
    return mValueRequired;
}

void ParamDescriptor::setBlockOption(BlockOptions option) {
    mBlockOption = option;
}

BlockOptions ParamDescriptor::getBlockOption() const {
    return mBlockOption;
}

void ParamDescriptor::setBracketOption(BracketOptions option) {
    mBracketOption = option;
}

BracketOptions ParamDescriptor::getBracketOption() const {
    return mBracketOption;
}

void ParamDescriptor::allowSlash(bool allowed) {
    mSlashAllowed = allowed;
}

bool ParamDescriptor::isSlashAllowed() const {
    return mSlashAllowed;
}

void ParamDescriptor::setLowerBoundary(double value, LowerBdryOptions option) {
    mLowerBdryValue = value;
    mLowerBdryOption = option;
}

double ParamDescriptor::getLowerBdryValue() const {
    return mLowerBdryValue;
}

LowerBdryOptions ParamDescriptor::getLowerBdryOption() const {
    return mLowerBdryOption;
}

void ParamDescriptor::setUpperBoundary(double value, UpperBdryOptions option) {
    mUpperBdryValue = value;
    mUpperBdryOption = option;
}

double ParamDescriptor::getUpperBdryValue() const {
    return mUpperBdryValue;
}

UpperBdryOptions ParamDescriptor::getUpperBdryOption() const {
    return mUpperBdryOption;
}

bool ParamDescriptor::meetBdryCond(double value) const {
    bool lowerOk = true;
    if (mLowerBdryOption == LowerIncluded) {
        lowerOk = value >= mLowerBdryValue;
    } else if (mLowerBdryOption == LowerExcluded) {
        lowerOk = value > mLowerBdryValue;
    }
    bool upperOk = true;
    if (mUpperBdryOption == UpperIncluded) {
        upperOk = value <= mUpperBdryValue;
    } else if (mUpperBdryOption == UpperExcluded) {
        upperOk = value < mUpperBdryValue;
    }
    return lowerOk && upperOk;
}

void ParamDescriptor::addStringValue(const std::string& word) {
    std::string upper = GetUpperString(word);
    if (std::find(mStringValues.begin(), mStringValues.end(), upper) == mStringValues.end()) {
        mStringValues.push_back(std::move(upper));
    }
}

const std::vector<std::string>& ParamDescriptor::getStringValues() const {
    return mStringValues;
}

bool ParamDescriptor::possibleStringValue(const std::string& word) const {
    if (mStringValues.empty()) {
        return true;
    }
    const std::string upper = GetUpperString(word);
    return std::find(mStringValues.begin(), mStringValues.end(), upper) != mStringValues.end();
}

void ParamDescriptor::setQualifOption(QualifOptions option) {
    mQualifOption = option;
}

QualifOptions ParamDescriptor::getQualifOption() const {
    return mQualifOption;
}

void ParamDescriptor::addQualifDesc(const ParamDescriptor& qualifier) {
    // Stored names are upper-case already, so they compare directly.
    for (ParamDescriptorWrapper& slot : mQualifDescs) {
        const ParamDescriptor* held = slot.GetDescriptor();
        if (held != nullptr && held->mParamName == qualifier.mParamName) {
            slot.SetDescriptor(qualifier);
            return;
        }
    }
    ParamDescriptorWrapper added;
    added.SetDescriptor(qualifier);
    mQualifDescs.push_back(std::move(added));
}

void ParamDescriptor::addQualifDesc(const std::string& name) {
    addQualifDesc(ParamDescriptor(name, ParamKeyWord, false, true, BracketNone));
}

const ParamDescriptor* ParamDescriptor::getQualifDesc(const std::string& name) const {
    const std::string upper = GetUpperString(name);
    for (const ParamDescriptorWrapper& slot : mQualifDescs) {
        const ParamDescriptor* held = slot.GetDescriptor();
        if (held != nullptr && held->mParamName == upper) {
            return held;
        }
    }
    return nullptr;
}

int ParamDescriptor::getQualifNames(std::vector<std::string>& names) const {
    names.clear();
    for (const ParamDescriptorWrapper& slot : mQualifDescs) {
        if (const ParamDescriptor* held = slot.GetDescriptor()) {
            names.push_back(held->mParamName);
        }
    }
    return static_cast<int>(names.size());
}

bool ParamDescriptor::isQualByEqual(const std::string& name) const {
    // Without qualifiers no name can be one; the parser asks this for every word of a value.
    if (mParamType != ParamTokenQual && mQualifDescs.empty()) {
        return false;
    }
    return isQualByEqualUpper(GetUpperString(name));
}

bool ParamDescriptor::isQualByEqualUpper(const std::string& upperName) const {
    if (mParamType == ParamTokenQual) {
        if (mQualifOption == QualifByEqual) {
            return true;
        }
        const ParamDescriptor* main = mMainDesc.GetDescriptor();
        if (main != nullptr && main->isQualByEqualUpper(upperName)) {
            return true;
        }
        const ParamDescriptor* qualif = mQualifDesc.GetDescriptor();
        return qualif != nullptr && qualif->isQualByEqualUpper(upperName);
    }
    for (const ParamDescriptorWrapper& slot : mQualifDescs) {
        const ParamDescriptor* held = slot.GetDescriptor();
        if (held == nullptr) {
            continue;
        }
        if (mQualifOption == QualifByEqual && held->mParamName == upperName) {
            return true;
        }
        if (mParamType == ParamStringQual && held->isQualByEqualUpper(upperName)) {
            return true;
        }
    }
    return false;
}

void ParamDescriptor::setMainDesc(const ParamDescriptor* main) {
    if (main != nullptr) {
        mMainDesc.SetDescriptor(*main);
    } else {
        mMainDesc.Clear();
    }
}

void ParamDescriptor::setQualifDesc(const ParamDescriptor* qualif) {
    if (qualif != nullptr) {
        mQualifDesc.SetDescriptor(*qualif);
    } else {
        mQualifDesc.Clear();
    }
}

void ParamDescriptor::setMainQualDesc(const ParamDescriptor* main, const ParamDescriptor* qualif) {
    // Copy both before storing either: one may lie inside the slot the other replaces.
    ParamDescriptorWrapper newMain;
    ParamDescriptorWrapper newQualif;
    if (main != nullptr) {
        newMain.SetDescriptor(*main);
    }
    if (qualif != nullptr) {
        newQualif.SetDescriptor(*qualif);
    }
    mMainDesc = std::move(newMain);
    mQualifDesc = std::move(newQualif);
}

const ParamDescriptor* ParamDescriptor::getMainDesc() const {
    return mMainDesc.GetDescriptor();
}

const ParamDescriptor* ParamDescriptor::getQualifDesc() const {
    return mQualifDesc.GetDescriptor();
}
