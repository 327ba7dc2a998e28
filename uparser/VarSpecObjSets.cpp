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

bool VarSpecObj::NewVarNamesByRoot(const TavoVarName& root, int count,
                                   std::vector<TavoVarName>& newNames) const {
    const std::size_t digits = IntegerToString(count).size();
    if (ValidateTAVOName(root.c_str()) != 0) {
        if (mErrorReport) {
            mMessage.InvalidVarName(root, mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);

    std::vector<std::string> base;
    base.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    bool anyTaken = false;
    for (long long j = 1; j <= count; ++j) {
        std::string number = IntegerToString(static_cast<int>(j));
        UP_ASSERT("VarSpecObj", number.size() <= digits);
        number.insert(0, digits - number.size(), '0');
        TavoVarName candidate(root.str() + "_" + number);
        if (ValidateTAVOName(candidate.c_str()) != 0) {
            if (mErrorReport) {
                mMessage.InvalidVarName(candidate, mParamName.c_str(), mSubComName.c_str());
            }
            return false;
        }
        anyTaken = anyTaken || mDataSource->FindVarIndex(candidate.c_str()) >= 0;
        base.push_back(candidate.str());
    }
    if (!anyTaken) {
        newNames.assign(base.begin(), base.end());
        return true;
    }

    // Every abandoned set holds at least one dictionary name and the sets are disjoint, so at
    // most ColumnCount sets are abandoned before a free one is found.
    const unsigned columns = mDataSource->ColumnCount();
    const int lastSuffix =
        columns >= static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(columns) + 1;
    std::vector<TavoVarName> candidates;
    candidates.reserve(base.size());
    for (int suffix = 1; suffix <= lastSuffix; ++suffix) {
        candidates.clear();
        bool taken = false;
        for (const std::string& name : base) {
            TavoVarName candidate(AppendIndexToString(name + "_", suffix));
            if (ValidateTAVOName(candidate.c_str()) != 0) {
                if (mErrorReport) {
                    mMessage.InvalidVarName(candidate, mParamName.c_str(), mSubComName.c_str());
                }
                return false;
            }
            if (mDataSource->FindVarIndex(candidate.c_str()) >= 0) {
                taken = true;
                break;
            }
            candidates.push_back(std::move(candidate));
        }
        if (!taken) {
            newNames.swap(candidates);
            return true;
        }
        if (suffix == INT_MAX) {
            break;
        }
    }
    return false;
}

bool VarSpecObj::CheckCommonVars(const VarSpecObj& other) const {
    if (&other == this) {
        return true;
    }
    for (const int index : mValidVarList) {
        if (other.mValidVarFlags.test(index)) {
            if (mErrorReport) {
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
            mMessage.VariableNeedVarList(VarName(index), mParamName.c_str(), mSubComName.c_str(),
                                         other.mParamName.c_str(), other.mSubComName.c_str());
            return false;
        }
    }
    return true;
}
