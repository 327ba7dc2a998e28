#include "uparser/ParamDescriptor.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "uparser/ParserUtility.h"
#include "uparser/detail/UpperName.h"

using namespace UPSpecTypes;

// Every part but the nested descriptors is copied; the nested ones' slots stay empty.
struct ParamDescriptor::Rare {
    Rare() = default;
    Rare(const Rare& other, ShallowCopy)
        : lowerValue(other.lowerValue),
          upperValue(other.upperValue),
          lowerOption(other.lowerOption),
          upperOption(other.upperOption),
          stringValues(other.stringValues),
          qualifDescs(other.qualifDescs.size()) {}

    double lowerValue = 0.0;
    double upperValue = 0.0;
    LowerBdryOptions lowerOption = LowerNone;
    UpperBdryOptions upperOption = UpperNone;
    std::vector<std::string> stringValues;
    std::vector<ParamDescriptorWrapper> qualifDescs;
    ParamDescriptorWrapper mainDesc;
    ParamDescriptorWrapper qualifDesc;
};

// A plain descriptor fits a cache line (with this string's size of 32 bytes).
static_assert(sizeof(std::string) > 32 || sizeof(void*) > 8 || sizeof(ParamDescriptor) <= 64,
              "ParamDescriptor outgrew a cache line");

ParamDescriptor::ParamDescriptor(std::string name, ParamSpec type, bool paramRequired,
                                 bool valueRequired, BracketOptions bracket)
    : mParamName(upper_name::IsUpperAlready(name) ? std::move(name) : GetUpperString(name)),
      mParamType(type),
      mBlockOption(BlockOptEqual),
      mBracketOption(bracket),
      mQualifOption(QualifByParen),
      mParamRequired(paramRequired),
      mValueRequired(valueRequired),
      mSlashAllowed(false) {}

ParamDescriptor::ParamDescriptor(const ParamDescriptor& other, ShallowCopy)
    : mParamName(other.mParamName),
      mRare(other.mRare ? std::make_unique<Rare>(*other.mRare, ShallowCopy{}) : nullptr),
      mParamType(other.mParamType),
      mBlockOption(other.mBlockOption),
      mBracketOption(other.mBracketOption),
      mQualifOption(other.mQualifOption),
      mParamRequired(other.mParamRequired),
      mValueRequired(other.mValueRequired),
      mSlashAllowed(other.mSlashAllowed) {}

ParamDescriptor::ParamDescriptor(const ParamDescriptor& other)
    : ParamDescriptor(other, ShallowCopy{}) {
    copyNested(other);
}

bool ParamDescriptor::hasNested(const Rare* rare) {
    return rare != nullptr &&
           (!rare->qualifDescs.empty() || rare->mainDesc.mDescriptor || rare->qualifDesc.mDescriptor);
}

ParamDescriptor::Rare& ParamDescriptor::rare() {
    if (!mRare) {
        mRare = std::make_unique<Rare>();
    }
    return *mRare;
}

// Level by level: each nested descriptor is made as a shallow copy and queued to receive its
// own nested ones. Should memory run out, what was made so far is owned and freed as usual.
void ParamDescriptor::copyNested(const ParamDescriptor& source) {
    std::vector<std::pair<const Rare*, Rare*>> pending;
    const auto copySlot = [&pending](const ParamDescriptorWrapper& from,
                                     ParamDescriptorWrapper& to) {
        if (const ParamDescriptor* held = from.mDescriptor.get()) {
            to.mDescriptor.reset(new ParamDescriptor(*held, ShallowCopy{}));
            if (hasNested(held->mRare.get())) {
                pending.emplace_back(held->mRare.get(), to.mDescriptor->mRare.get());
            }
        }
    };
    if (!hasNested(source.mRare.get())) {
        return;
    }
    const Rare* from = source.mRare.get();
    Rare* to = mRare.get();
    for (;;) {
        for (std::size_t i = 0; i < from->qualifDescs.size(); ++i) {
            copySlot(from->qualifDescs[i], to->qualifDescs[i]);
        }
        copySlot(from->mainDesc, to->mainDesc);
        copySlot(from->qualifDesc, to->qualifDesc);
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
    mBlockOption = other.mBlockOption;
    mBracketOption = other.mBracketOption;
    mQualifOption = other.mQualifOption;
    mParamRequired = other.mParamRequired;
    mValueRequired = other.mValueRequired;
    mSlashAllowed = other.mSlashAllowed;
    // Last: the old rare part may hold the source.
    mRare = std::move(other.mRare);
    return *this;
}

namespace {

using Owned = std::unique_ptr<ParamDescriptor>;

}  // namespace

// The nested descriptors are unlinked onto one chain, threaded through the main slot of each,
// and freed one at a time once they hold nothing nested: no recursion and no allocation. One
// that holds nothing nested to begin with is freed at once.
ParamDescriptor::~ParamDescriptor() {
    if (!hasNested(mRare.get())) {
        return;  // as in most descriptors and every one moved from
    }
    Owned chain;
    // A node's own main descriptor is unlinked before its main slot takes the chain.
    const auto push = [&chain](Owned node) {
        while (node && hasNested(node->mRare.get())) {
            ParamDescriptorWrapper& mainSlot = node->mRare->mainDesc;
            Owned main = std::move(mainSlot.mDescriptor);
            mainSlot.mDescriptor = std::move(chain);
            chain = std::move(node);
            node = std::move(main);
        }
    };
    const auto unlinkNested = [&push](Rare& rare) {
        for (ParamDescriptorWrapper& slot : rare.qualifDescs) {
            push(std::move(slot.mDescriptor));
        }
        push(std::move(rare.mainDesc.mDescriptor));
        push(std::move(rare.qualifDesc.mDescriptor));
    };
    unlinkNested(*mRare);
    while (chain) {
        Owned head = std::move(chain);
        chain = std::move(head->mRare->mainDesc.mDescriptor);
        unlinkNested(*head->mRare);
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

namespace {

// A bound of value 0 and no option is what a descriptor without bounds reports.
bool IsNoBound(double value, int option) {
    return option == 0 && value == 0.0 && !std::signbit(value);
}

}  // namespace

void ParamDescriptor::setLowerBoundary(double value, LowerBdryOptions option) {
    if (mRare == nullptr && IsNoBound(value, option)) {
        return;
    }
    Rare& part = rare();
    part.lowerValue = value;
    part.lowerOption = option;
}

double ParamDescriptor::getLowerBdryValue() const {
    return mRare != nullptr ? mRare->lowerValue : 0.0;
}

LowerBdryOptions ParamDescriptor::getLowerBdryOption() const {
    return mRare != nullptr ? mRare->lowerOption : LowerNone;
}

void ParamDescriptor::setUpperBoundary(double value, UpperBdryOptions option) {
    if (mRare == nullptr && IsNoBound(value, option)) {
        return;
    }
    Rare& part = rare();
    part.upperValue = value;
    part.upperOption = option;
}

double ParamDescriptor::getUpperBdryValue() const {
    return mRare != nullptr ? mRare->upperValue : 0.0;
}

UpperBdryOptions ParamDescriptor::getUpperBdryOption() const {
    return mRare != nullptr ? mRare->upperOption : UpperNone;
}

bool ParamDescriptor::meetBdryCond(double value) const {
    if (mRare == nullptr) {
        return true;
    }
    const Rare& part = *mRare;
    bool lowerOk = true;
    if (part.lowerOption == LowerIncluded) {
        lowerOk = value >= part.lowerValue;
    } else if (part.lowerOption == LowerExcluded) {
        lowerOk = value > part.lowerValue;
    }
    bool upperOk = true;
    if (part.upperOption == UpperIncluded) {
        upperOk = value <= part.upperValue;
    } else if (part.upperOption == UpperExcluded) {
        upperOk = value < part.upperValue;
    }
    return lowerOk && upperOk;
}

void ParamDescriptor::addStringValue(const std::string& word) {
    std::string upper = GetUpperString(word);
    std::vector<std::string>& words = rare().stringValues;
    if (std::find(words.begin(), words.end(), upper) == words.end()) {
        words.push_back(std::move(upper));
    }
}

const std::vector<std::string>& ParamDescriptor::getStringValues() const {
    static const std::vector<std::string> none;
    return mRare != nullptr ? mRare->stringValues : none;
}

bool ParamDescriptor::possibleStringValue(const std::string& word) const {
    if (mRare == nullptr || mRare->stringValues.empty()) {
        return true;
    }
    const std::vector<std::string>& words = mRare->stringValues;
    const std::string upper = GetUpperString(word);
    return std::find(words.begin(), words.end(), upper) != words.end();
}

void ParamDescriptor::setQualifOption(QualifOptions option) {
    mQualifOption = option;
}

QualifOptions ParamDescriptor::getQualifOption() const {
    return mQualifOption;
}

void ParamDescriptor::addQualifDesc(const ParamDescriptor& qualifier) {
    // Stored names are upper-case already, so they compare directly.
    if (mRare != nullptr) {
        for (ParamDescriptorWrapper& slot : mRare->qualifDescs) {
            const ParamDescriptor* held = slot.GetDescriptor();
            if (held != nullptr && held->mParamName == qualifier.mParamName) {
                slot.SetDescriptor(qualifier);
                return;
            }
        }
    }
    ParamDescriptorWrapper added;
    added.SetDescriptor(qualifier);
    rare().qualifDescs.push_back(std::move(added));
}

void ParamDescriptor::addQualifDesc(const std::string& name) {
    addQualifDesc(ParamDescriptor(name, ParamKeyWord, false, true, BracketNone));
}

const ParamDescriptor* ParamDescriptor::getQualifDesc(const std::string& name) const {
    if (mRare == nullptr) {
        return nullptr;
    }
    const std::string upper = GetUpperString(name);
    for (const ParamDescriptorWrapper& slot : mRare->qualifDescs) {
        const ParamDescriptor* held = slot.GetDescriptor();
        if (held != nullptr && held->mParamName == upper) {
            return held;
        }
    }
    return nullptr;
}

int ParamDescriptor::getQualifNames(std::vector<std::string>& names) const {
    names.clear();
    if (mRare == nullptr) {
        return 0;
    }
    for (const ParamDescriptorWrapper& slot : mRare->qualifDescs) {
        if (const ParamDescriptor* held = slot.GetDescriptor()) {
            names.push_back(held->mParamName);
        }
    }
    return static_cast<int>(names.size());
}

bool ParamDescriptor::isQualByEqual(const std::string& name) const {
    // Without qualifiers no name can be one; the parser asks this for every word of a value.
    if (mParamType != ParamTokenQual && (mRare == nullptr || mRare->qualifDescs.empty())) {
        return false;
    }
    return isQualByEqualUpper(GetUpperString(name));
}

bool ParamDescriptor::isQualByEqual(const char* name) const {
    if (mParamType != ParamTokenQual && (mRare == nullptr || mRare->qualifDescs.empty())) {
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
        const Rare* part = desc->mRare.get();
        if (desc->mParamType == ParamTokenQual) {
            if (desc->mQualifOption == QualifByEqual) {
                return true;
            }
            if (part != nullptr) {
                pending.push(part->mainDesc.GetDescriptor());
                pending.push(part->qualifDesc.GetDescriptor());
            }
            continue;
        }
        if (part == nullptr) {
            continue;
        }
        for (const ParamDescriptorWrapper& slot : part->qualifDescs) {
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

// A slot is emptied without making a rare part for it.
void ParamDescriptor::setMainDesc(const ParamDescriptor* main) {
    if (main != nullptr) {
        rare().mainDesc.SetDescriptor(*main);
    } else if (mRare != nullptr) {
        mRare->mainDesc.Clear();
    }
}

void ParamDescriptor::setQualifDesc(const ParamDescriptor* qualif) {
    if (qualif != nullptr) {
        rare().qualifDesc.SetDescriptor(*qualif);
    } else if (mRare != nullptr) {
        mRare->qualifDesc.Clear();
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
    if (mRare == nullptr && main == nullptr && qualif == nullptr) {
        return;
    }
    Rare& part = rare();
    part.mainDesc = std::move(newMain);
    part.qualifDesc = std::move(newQualif);
}

const ParamDescriptor* ParamDescriptor::getMainDesc() const {
    return mRare != nullptr ? mRare->mainDesc.GetDescriptor() : nullptr;
}

const ParamDescriptor* ParamDescriptor::getQualifDesc() const {
    return mRare != nullptr ? mRare->qualifDesc.GetDescriptor() : nullptr;
}
