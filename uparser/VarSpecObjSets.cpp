#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "uparser/ParserUtility.h"
#include "uparser/VarSpecObj.h"
#include "uparser/detail/Assert.h"

using namespace UPSpecTypes;

bool VarSpecObj::ValidateAllVars(const std::vector<const VarSpecObj*>& others,
                                 MessageLevels level) {
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    ClearVarInfo();
    const int columns = static_cast<int>(mDataSource->ColumnCount());
    mValidVarList.reserve(static_cast<std::size_t>(columns));
    for (int index = 0; index < columns; ++index) {
        if (mNumericVars && !IsNumericVar(index)) {
            if (mErrorReport) {
                mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(),
                                            mSubComName.c_str());
            }
            return false;
        }
        AppendValid(index);
    }
    return ExcludeCommonVars(others, level);
}

bool VarSpecObj::ValidateAllVars(bool catVars, const std::vector<const VarSpecObj*>& others,
                                 MessageLevels level) {
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    ClearVarInfo();
    mNumericVars = !catVars;
    const int columns = static_cast<int>(mDataSource->ColumnCount());
    for (int index = 0; index < columns; ++index) {
        const bool categorical = IsCatVar(index, *mDataSource);
        if (!catVars && !categorical && !IsNumericVar(index)) {
            if (mErrorReport) {
                mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(),
                                            mSubComName.c_str());
            }
            return false;
        }
        if (categorical == catVars) {
            AppendValid(index);
        }
    }
    return ExcludeCommonVars(others, level);
}

bool VarSpecObj::ValidateAllVars(VarSpecObj& contSpec, const std::vector<const VarSpecObj*>& others,
                                 MessageLevels level) {
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    ClearVarInfo();
    mNumericVars = false;
    contSpec.ClearVarInfo();
    contSpec.mNumericVars = true;
    const int columns = static_cast<int>(mDataSource->ColumnCount());
    for (int index = 0; index < columns; ++index) {
        if (IsCatVar(index, *mDataSource)) {
            AppendValid(index);
            continue;
        }
        // A non-categorical string variable fails the split, but is handed over first.
        contSpec.AppendValid(index);
        if (!IsNumericVar(index)) {
            if (mErrorReport) {
                mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(),
                                            mSubComName.c_str());
            }
            return false;
        }
    }
    const bool kept = ExcludeCommonVars(others, NoMessage);
    const bool contKept = contSpec.ExcludeCommonVars(others, NoMessage);
    if (kept || contKept) {
        return true;
    }
    if (level != NoMessage) {
        UP_ASSERT("VarSpecObj", mSubComName == contSpec.mSubComName);
        ReportNoVars(level, "");
    }
    return false;
}

bool VarSpecObj::NewVarNameByRoot(const TavoVarName& root, TavoVarName& newName) const {
    if (ValidateTAVOName(root.c_str()) != 0) {
        if (mErrorReport) {
            mMessage.InvalidVarName(root, mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    if (mDataSource->FindVarIndex(root.c_str()) < 0) {
        newName = root;
        return true;
    }
    // At most ColumnCount names are taken, so one of the first ColumnCount + 1 candidates is
    // free; the bound only matters for a dictionary that contradicts itself.
    const std::string stem = root.str() + "_";
    const unsigned columns = mDataSource->ColumnCount();
    const int lastSuffix =
        columns >= static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(columns) + 1;
    for (int suffix = 1; suffix <= lastSuffix; ++suffix) {
        TavoVarName candidate(AppendIndexToString(stem, suffix));
        if (ValidateTAVOName(candidate.c_str()) != 0) {
            if (mErrorReport) {
                mMessage.InvalidVarName(candidate, mParamName.c_str(), mSubComName.c_str());
            }
            return false;
        }
        if (mDataSource->FindVarIndex(candidate.c_str()) < 0) {
            newName = std::move(candidate);
            return true;
        }
        if (suffix == INT_MAX) {
            break;
        }
    }
    return false;
}

namespace {

// The names NewVarNamesByRoot tries: root_j with j zero-padded to a fixed number of digits,
// and for the k-th further set root_j_k.
class RootNames {
  public:
    RootNames(const std::string& root, int count)
        : mStem(root + "_"), mDigits(IntegerToString(count).size()) {}

    std::size_t digits() const { return mDigits; }

    const std::string& base(int j) {
        const std::string number = IntegerToString(j);
        UP_ASSERT("VarSpecObj", number.size() <= mDigits);
        mName.assign(mStem);
        mName.append(mDigits - number.size(), '0');
        mName += number;
        return mName;
    }
    const std::string& inSet(int j, int k) {
        base(j);
        mName += '_';
        mName += IntegerToString(k);
        return mName;
    }

  private:
    std::string mStem;
    std::size_t mDigits;
    std::string mName;
};

// Reads text as digits only, of the given length (0: any length without a leading zero), with
// a value from 1 to limit; 0 otherwise.
int ReadNumber(const std::string& text, std::size_t from, std::size_t length, int limit) {
    const std::size_t end = length == 0 ? text.size() : from + length;
    if (from >= end || end > text.size() || (length == 0 && text[from] == '0')) {
        return 0;
    }
    long long value = 0;
    for (std::size_t i = from; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return 0;
        }
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            return 0;
        }
    }
    return static_cast<int>(value);
}

// firstTaken[k]: the smallest j whose root_j_k the dictionary seems to hold, or 0. One look
// over the dictionary reads each name, upper-cased, as root_j_k.
std::vector<int> FirstTakenBySet(const TAVO_DataSource& dict, unsigned columns,
                                 const std::string& root, const RootNames& make, int count,
                                 int lastSuffix) {
    std::vector<int> firstTaken(static_cast<std::size_t>(columns) + 2, 0);
    const std::string prefix = GetUpperString(root + "_");
    for (unsigned i = 0; i < columns; ++i) {
        const char* name = dict.GetVariable(static_cast<int>(i)).GetName();
        const std::string upper = GetUpperString(name != nullptr ? name : "");
        if (upper.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::size_t afterJ = prefix.size() + make.digits();
        const int j = ReadNumber(upper, prefix.size(), make.digits(), count);
        if (j == 0 || afterJ >= upper.size() || upper[afterJ] != '_') {
            continue;
        }
        const int k = ReadNumber(upper, afterJ + 1, 0, lastSuffix);
        if (k > 0) {
            int& first = firstTaken[static_cast<std::size_t>(k)];
            first = first == 0 ? j : std::min(first, j);
        }
    }
    return firstTaken;
}

// base := root_1 … root_n, every name valid; anyTaken: the dictionary holds one of them
template <typename Invalid, typename Taken>
bool ReadBaseSet(RootNames& make, int count, const Invalid& invalid, const Taken& taken,
                 std::vector<TavoVarName>& names, bool& anyTaken) {
    for (int j = 1; j <= count; ++j) {
        const std::string& name = make.base(j);
        if (invalid(name)) {
            return false;
        }
        anyTaken = anyTaken || taken(name);
        names.emplace_back(name);
    }
    return true;
}

enum class SetState { Free, Taken, BadName };

// set-k := root_1_k … root_n_k, read until a name is taken or not a valid name
template <typename Invalid, typename Taken>
SetState ReadSet(RootNames& make, int k, int count, const Invalid& invalid, const Taken& taken,
                 std::vector<TavoVarName>& names) {
    names.clear();
    for (int j = 1; j <= count; ++j) {
        const std::string& name = make.inSet(j, k);
        if (invalid(name)) {
            return SetState::BadName;
        }
        if (taken(name)) {
            return SetState::Taken;
        }
        names.emplace_back(name);
    }
    return SetState::Free;
}

// The first set that is free, in order of k; a set the dictionary scan marked is abandoned as
// soon as the name found there is confirmed taken.
template <typename Invalid, typename Taken>
bool FirstFreeSet(RootNames& make, int count, const std::vector<int>& firstTaken, int lastSuffix,
                  const Invalid& invalid, const Taken& taken, std::vector<TavoVarName>& names) {
    for (long long set = 1; set <= lastSuffix; ++set) {
        const int k = static_cast<int>(set);
        if (invalid(make.inSet(1, k))) {
            return false;
        }
        const int seen = firstTaken[static_cast<std::size_t>(k)];
        if (seen > 0 && taken(make.inSet(seen, k))) {
            continue;
        }
        const SetState state = ReadSet(make, k, count, invalid, taken, names);
        if (state != SetState::Taken) {
            return state == SetState::Free;
        }
    }
    return false;
}

}  // namespace

// new-names := root_1 … root_n when all are free, else the first free set root_1_k … root_n_k.
// The sets are tried in order of k as the rule says, but a set is not searched name by name
// when one look over the dictionary has shown which of its names is taken: that look reads each
// dictionary name, upper-cased, as root_j_k. The dictionary has the last word: a set is
// abandoned only when the name found there is confirmed taken, and a set is taken only when
// every one of its names is confirmed free. The check of the names' form relies on the host
// judging names alike that differ only in their digits; the first name of each set stands for
// the set.
bool VarSpecObj::NewVarNamesByRoot(const TavoVarName& root, int count,
                                   std::vector<TavoVarName>& newNames) const {
    const auto invalid = [this](const std::string& name) {
        if (ValidateTAVOName(name.c_str()) == 0) {
            return false;
        }
        if (mErrorReport) {
            mMessage.InvalidVarName(TavoVarName(name), mParamName.c_str(), mSubComName.c_str());
        }
        return true;
    };
    const auto taken = [this](const std::string& name) {
        return mDataSource->FindVarIndex(name.c_str()) >= 0;
    };
    if (invalid(root.str())) {
        return false;
    }
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);

    // A count below 1 asks for no name: the empty set is free. Room for the answer comes
    // first, so that a count that memory cannot hold fails here, at once.
    if (count <= 0) {
        newNames.clear();
        return true;
    }
    std::vector<TavoVarName> names;
    names.reserve(static_cast<std::size_t>(count));
    RootNames make(root.str(), count);
    bool anyTaken = false;
    if (!ReadBaseSet(make, count, invalid, taken, names, anyTaken)) {
        return false;
    }
    if (!anyTaken) {
        newNames.swap(names);
        return true;
    }
    // Every abandoned set holds at least one dictionary name and the sets are disjoint, so at
    // most ColumnCount sets are abandoned before a free one is found.
    const unsigned columns = mDataSource->ColumnCount();
    const int lastSuffix =
        columns >= static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(columns) + 1;
    const std::vector<int> firstTaken =
        FirstTakenBySet(*mDataSource, columns, root.str(), make, count, lastSuffix);
    if (!FirstFreeSet(make, count, firstTaken, lastSuffix, invalid, taken, names)) {
        return false;
    }
    newNames.swap(names);
    return true;
}

bool VarSpecObj::CheckCommonVars(const VarSpecObj& other) const {
    if (&other == this) {
        return true;
    }
    for (const int index : mValidVarList) {
        if (other.mValidVarFlags.test(index)) {
            if (mErrorReport) {
                AtElement(index);
                mMessage.VariableTwoVarList(VarName(index), mParamName.c_str(), mSubComName.c_str(),
                                            other.mParamName.c_str(), other.mSubComName.c_str(),
                                            &other.mMessage);
            }
            return false;
        }
    }
    return true;
}

int VarSpecObj::GetCommonVars(const VarSpecObj& other, std::vector<int>& common) const {
    common.clear();
    if (&other != this) {
        for (const int index : mValidVarList) {
            if (other.mValidVarFlags.test(index)) {
                common.push_back(index);
            }
        }
    }
    return static_cast<int>(common.size());
}

void VarSpecObj::RemoveFlagged(const VarSpecObj* const* othersBegin,
                               const VarSpecObj* const* othersEnd, const FlagSet* extra) {
    const auto excluded = [&](int index) {
        if (extra != nullptr && extra->test(index)) {
            return true;
        }
        for (const VarSpecObj* const* other = othersBegin; other != othersEnd; ++other) {
            if (*other != nullptr && *other != this && (*other)->mValidVarFlags.test(index)) {
                return true;
            }
        }
        return false;
    };
    // The flags of what is kept are built aside (linear in the list, whatever the
    // representation); only then, with nothing left that can fail, is the list compacted. An
    // index kept once is kept in every place it holds.
    FlagSet kept;
    kept.setColumns(mValidVarFlags.columns());
    for (const int index : mValidVarList) {
        if (!kept.test(index) && !excluded(index)) {
            kept.set(index);
        }
    }
    std::size_t count = 0;
    for (const int index : mValidVarList) {
        if (kept.test(index)) {
            mValidVarList[count++] = index;
        }
    }
    mValidVarList.resize(count);
    mValidVarFlags = std::move(kept);
}

void VarSpecObj::ReportNoVars(MessageLevels level, const char* paramName) const {
    if (mNoVarsMessage.empty()) {
        mMessage.ExcludeAllVariables(paramName, mSubComName.c_str(), level == WarningMessage);
    } else if (level == WarningMessage) {
        mMessage.GenericWarning(mNoVarsMessage.c_str());
    } else {
        mMessage.GenericError(mNoVarsMessage.c_str());
    }
}

bool VarSpecObj::ExcludeCommonVars(const VarSpecObj& other, MessageLevels level) {
    const VarSpecObj* const single = &other;
    RemoveFlagged(&single, &single + 1, nullptr);
    if (!mValidVarList.empty()) {
        return true;
    }
    if (level != NoMessage) {
        ReportNoVars(level, mParamName.c_str());
    }
    return false;
}

bool VarSpecObj::ExcludeCommonVars(const std::vector<const VarSpecObj*>& others,
                                   MessageLevels level) {
    RemoveFlagged(others.data(), others.data() + others.size(), nullptr);
    if (!mValidVarList.empty()) {
        return true;
    }
    if (level != NoMessage) {
        ReportNoVars(level, mParamName.c_str());
    }
    return false;
}

bool VarSpecObj::CheckVarListSubset(const VarSpecObj& other) const {
    for (const int index : mValidVarList) {
        if (!other.mValidVarFlags.test(index)) {
            AtElement(index);
            mMessage.VariableNeedVarList(VarName(index), mParamName.c_str(), mSubComName.c_str(),
                                         other.mParamName.c_str(), other.mSubComName.c_str());
            return false;
        }
    }
    return true;
}
