#include "uparser/ParamDescriptor.h"

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "uparser/ParserUtility.h"
#include "uparser/detail/UpperName.h"

using namespace UPSpecTypes;

ParamDescriptor::ParamDescriptor(std::string name, ParamSpec type, bool paramRequired,
                                 bool valueRequired, BracketOptions bracket)
    : mParamName(upper_name::IsUpperAlready(name) ? std::move(name) : GetUpperString(name)),
      mParamType(type),
      mBlockOption(BlockOptEqual),
      mBracketOption(bracket),
      mParamRequired(paramRequired),
      mValueRequired(valueRequired),
      mSlashAllowed(false),
      mLowerBdryOption(LowerNone),
      mUpperBdryOption(UpperNone),
      mQualifOption(QualifByParen),
      mLowerBdryValue(0.0),
      mUpperBdryValue(0.0) {}

ParamDescriptor::ParamDescriptor(const ParamDescriptor& other, ShallowCopy)
    : mParamName(other.mParamName),
      mParamType(other.mParamType),
      mBlockOption(other.mBlockOption),
      mBracketOption(other.mBracketOption),
      mParamRequired(other.mParamRequired),
      mValueRequired(other.mValueRequired),
      mSlashAllowed(other.mSlashAllowed),
      mLowerBdryOption(other.mLowerBdryOption),
      mUpperBdryOption(other.mUpperBdryOption),
      mQualifOption(other.mQualifOption),
      mLowerBdryValue(other.mLowerBdryValue),
      mUpperBdryValue(other.mUpperBdryValue),
      mStringValues(other.mStringValues),
      mQualifDescs(other.mQualifDescs.size()) {}

ParamDescriptor::ParamDescriptor(const ParamDescriptor& other)
    : ParamDescriptor(other, ShallowCopy{}) {
    copyNested(other);
}

// Level by level: each nested descriptor is made as a shallow copy and queued to receive its
// own nested ones. Should memory run out, what was made so far is owned and freed as usual.
void ParamDescriptor::copyNested(const ParamDescriptor& source) {
    std::vector<std::pair<const ParamDescriptor*, ParamDescriptor*>> pending;
    const auto copySlot = [&pending](const ParamDescriptorWrapper& from,
                                     ParamDescriptorWrapper& to) {
        if (const ParamDescriptor* held = from.mDescriptor.get()) {
            to.mDescriptor.reset(new ParamDescriptor(*held, ShallowCopy{}));
            pending.emplace_back(held, to.mDescriptor.get());
        }
    };
    const ParamDescriptor* from = &source;
    ParamDescriptor* to = this;
    for (;;) {
        for (std::size_t i = 0; i < from->mQualifDescs.size(); ++i) {
            copySlot(from->mQualifDescs[i], to->mQualifDescs[i]);
        }
        copySlot(from->mMainDesc, to->mMainDesc);
        copySlot(from->mQualifDesc, to->mQualifDesc);
        if (pending.empty()) {
            return;
        }
        std::tie(from, to) = pending.back();
        pending.pop_back();
    }
}

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

ParamDescriptor& ParamDescriptor::operator=(ParamDescriptor&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    mParamName = std::move(other.mParamName);
    mParamType = other.mParamType;
    mParamRequired = other.mParamRequired;
    mValueRequired = other.mValueRequired;
    mBlockOption = other.mBlockOption;
    mBracketOption = other.mBracketOption;
    mSlashAllowed = other.mSlashAllowed;
    mLowerBdryValue = other.mLowerBdryValue;
    mLowerBdryOption = other.mLowerBdryOption;
    mUpperBdryValue = other.mUpperBdryValue;
    mUpperBdryOption = other.mUpperBdryOption;
    mStringValues = std::move(other.mStringValues);
    mQualifDescs = std::move(other.mQualifDescs);
    mQualifOption = other.mQualifOption;
    mMainDesc = std::move(other.mMainDesc);
    mQualifDesc = std::move(other.mQualifDesc);
    return *this;
}

namespace {

using Owned = std::unique_ptr<ParamDescriptor>;

}  // namespace

// The nested descriptors are unlinked onto one chain, threaded through the main slot of each,
// and freed one at a time once they hold nothing nested: no recursion and no allocation.
ParamDescriptor::~ParamDescriptor() {
    if (mQualifDescs.empty() && !mMainDesc.mDescriptor && !mQualifDesc.mDescriptor) {
        return;  // nothing nested, as in most descriptors and every one moved from
    }
    Owned chain;
    // A node's own main descriptor is unlinked before its main slot takes the chain.
    const auto push = [&chain](Owned node) {
        while (node) {
            Owned main = std::move(node->mMainDesc.mDescriptor);
            node->mMainDesc.mDescriptor = std::move(chain);
            chain = std::move(node);
            node = std::move(main);
        }
    };
    const auto unlinkNested = [&push](ParamDescriptor& desc) {
        for (ParamDescriptorWrapper& slot : desc.mQualifDescs) {
            push(std::move(slot.mDescriptor));
        }
        push(std::move(desc.mMainDesc.mDescriptor));
        push(std::move(desc.mQualifDesc.mDescriptor));
    };
    unlinkNested(*this);
    while (chain) {
        Owned head = std::move(chain);
        chain = std::move(head->mMainDesc.mDescriptor);
        unlinkNested(*head);
    }
}

void ParamDescriptor::setParamName(const std::string& name) {
    mParamName = upper_name::UpperOf(name);
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

bool ParamDescriptor::isQualByEqual(const char* name) const {
    if (mParamType != ParamTokenQual && mQualifDescs.empty()) {
        return false;
    }
    return isQualByEqual(std::string(name != nullptr ? name : ""));
}

namespace {

// Descriptors still to visit. The parser asks for nearly every word of a value, and the usual
// nesting fits the inline room, so the search allocates nothing.
class PendingDescs {
  public:
    void push(const ParamDescriptor* desc) {
        if (desc == nullptr) {
            return;
        }
        if (mInlineCount < kInline) {
            mInline[mInlineCount++] = desc;
        } else {
            mMore.push_back(desc);
        }
    }
    // Null when none is left.
    const ParamDescriptor* pop() {
        if (!mMore.empty()) {
            const ParamDescriptor* desc = mMore.back();
            mMore.pop_back();
            return desc;
        }
        return mInlineCount > 0 ? mInline[--mInlineCount] : nullptr;
    }

  private:
    static constexpr std::size_t kInline = 8;
    const ParamDescriptor* mInline[kInline] = {};
    std::size_t mInlineCount = 0;
    std::vector<const ParamDescriptor*> mMore;
};

}  // namespace

// A compound value (ParamTokenQual) asks its parts; a string with qualifiers asks its
// qualifiers too. The answer does not depend on the order of the visits.
bool ParamDescriptor::isQualByEqualUpper(const std::string& upperName) const {
    PendingDescs pending;
    for (const ParamDescriptor* desc = this; desc != nullptr; desc = pending.pop()) {
        if (desc->mParamType == ParamTokenQual) {
            if (desc->mQualifOption == QualifByEqual) {
                return true;
            }
            pending.push(desc->mMainDesc.GetDescriptor());
            pending.push(desc->mQualifDesc.GetDescriptor());
            continue;
        }
        for (const ParamDescriptorWrapper& slot : desc->mQualifDescs) {
            const ParamDescriptor* held = slot.GetDescriptor();
            if (held == nullptr) {
                continue;
            }
            if (desc->mQualifOption == QualifByEqual && held->mParamName == upperName) {
                return true;
            }
            if (desc->mParamType == ParamStringQual) {
                pending.push(held);
            }
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
