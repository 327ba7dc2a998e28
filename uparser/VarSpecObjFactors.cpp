#include <string>
#include <vector>

#include "uparser/ParamObj.h"
#include "uparser/ParserUtility.h"
#include "uparser/VarSpecObj.h"
#include "uparser/detail/Assert.h"
#include "uparser/detail/ReservedWords.h"

using namespace UPSpecTypes;

// factors-covariates := {BY (ALL [qualifiers] | variables) | WITH (ALL [qualifiers] | variables)}
bool VarSpecObj::ValidateFactAndCovar(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                      VarSpecObj& covariates, RepeatVarOptions repeat, int& pos,
                                      const std::vector<const VarSpecObj*>& others) {
    NoteTokens(tokens);
    SetListCounters();
    factors.SetListCounters();
    covariates.SetListCounters();
    factors.mNumericVars = false;
    covariates.mNumericVars = true;
    const int size = static_cast<int>(tokens.size());
    while (pos >= 0 && pos < size) {
        if (!ReadFactorPart(tokens, factors, covariates, repeat, pos)) {
            return false;
        }
    }
    if (factors.mValidVarList.empty() && covariates.mValidVarList.empty() && mAllVarsByDefault &&
        !factors.ValidateAllVars(covariates, {}, ErrorMessage)) {
        return false;
    }
    std::vector<int> common;
    if (factors.GetCommonVars(covariates, common) > 0) {
        AtVariable(tokens, common.front());
        mMessage.VariableFactorAndCovariate(VarName(common.front()), mParamName.c_str(),
                                            mSubComName.c_str());
        return false;
    }
    return ExcludeFromFactors(factors, covariates, others);
}

// part := (BY | WITH) (ALL [qualifiers] | variables | nothing); BY takes factors of any type,
// ALL being every categorical variable, WITH numeric covariates, ALL being every other one
bool VarSpecObj::ReadFactorPart(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                VarSpecObj& covariates, RepeatVarOptions repeat, int& pos) {
    const TokenInfoObj& word = tokens[static_cast<std::size_t>(pos)];
    const bool isBy = word.getOperatorCode() == TokenSequenceBase::ByWord;
    if (!isBy && word.getOperatorCode() != TokenSequenceBase::WithWord) {
        mMessage.At(word).SyntaxErrorInText(word.getString(), mParamName.c_str(),
                                            mSubComName.c_str());
        return false;
    }
    const char* keyword = isBy ? reserved_words::kBy : reserved_words::kWith;
    int& counter = isBy ? mByCount : mWithCount;
    if (counter++ != 0) {
        mMessage.At(word).WordRepeatVarList(keyword, mParamName.c_str(), mSubComName.c_str());
        return false;
    }
    ++pos;
    VarSpecObj& target = isBy ? factors : covariates;
    if (pos < static_cast<int>(tokens.size()) &&
        tokens[static_cast<std::size_t>(pos)].getOperatorCode() == TokenSequenceBase::AllWord) {
        return ReadAllFactors(tokens, target, isBy, pos);
    }
    if (AtBlockVarListEnd(tokens, pos)) {
        // A keyword without a list is worth a warning, not a failure.
        mMessage.At(word);
        isBy ? mMessage.NoFactorAfterKeyword(keyword, mParamName.c_str(), mSubComName.c_str())
             : mMessage.NoCovariateAfterKeyword(keyword, mParamName.c_str(), mSubComName.c_str());
        return true;
    }
    target.mNumericVars = !isBy;
    return target.ValidateVariables(tokens, repeat, pos, keyword, true);
}

// all-part := ALL [qualifiers], ending the list or followed by its qualifiers
bool VarSpecObj::ReadAllFactors(const std::vector<TokenInfoObj>& tokens, VarSpecObj& target,
                                bool factors, int& pos) {
    if (!target.ValidateAllVars(factors, {}, ErrorMessage)) {
        return false;
    }
    ++pos;
    if (!AtBlockVarListEnd(tokens, pos) &&
        tokens[static_cast<std::size_t>(pos)].getOperatorCode() != TokenSequenceBase::LeftParen) {
        mMessage.At(tokens[static_cast<std::size_t>(pos) - 1])
            .KeywordImproperVarList(reserved_words::kAll, mParamName.c_str(), mSubComName.c_str());
        return false;
    }
    return target.ProcessQualTokens(tokens, pos, reserved_words::kAll, false, true);
}

// Variables named elsewhere leave both lists; both emptied that way is a failure.
bool VarSpecObj::ExcludeFromFactors(VarSpecObj& factors, VarSpecObj& covariates,
                                    const std::vector<const VarSpecObj*>& others) const {
    if (factors.mValidVarList.empty() && covariates.mValidVarList.empty()) {
        return true;
    }
    std::vector<const VarSpecObj*> excluded(others);
    if (mAllVarsByDefault) {
        excluded.push_back(this);
    }
    const bool factorsLeft = factors.ExcludeCommonVars(excluded, NoMessage);
    const bool covariatesLeft = covariates.ExcludeCommonVars(excluded, NoMessage);
    if (factorsLeft || covariatesLeft) {
        return true;
    }
    if (mNoVarsMessage.empty()) {
        mMessage.ExcludeAllFactorCovariate(mParamName.c_str(), mSubComName.c_str(), false);
    } else {
        mMessage.GenericError(mNoVarsMessage.c_str());
    }
    return false;
}

bool VarSpecObj::ValidateRegrVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                     VarSpecObj& covariates, RepeatVarOptions repeat,
                                     const std::vector<const VarSpecObj*>& others) {
    NoteTokens(tokens);
    UP_ASSERT("VarSpecObj", !tokens.empty());
    ClearVarInfo();
    SetListCounters();
    const TokenInfoObj& first = tokens.front();
    if (!first.IsVarName()) {
        mMessage.At(first).InvalidVarName(first.getString(), mParamName.c_str(),
                                          mSubComName.c_str());
        return false;
    }
    const TavoVarName name = first.getVarName();
    mMessage.LookAt(first);
    const int dependent = ValidateVariable(name);
    if (dependent < 0) {
        return false;
    }
    if (tokens.size() == 1 && !mAllVarsByDefault) {
        return true;
    }
    int pos = 1;
    const std::string upperName = GetUpperVarName(name).str();
    if (!ProcessQualTokens(tokens, pos, mQualTokenList, upperName.c_str(), true, false)) {
        return false;
    }
    if (!ValidateFactAndCovar(tokens, factors, covariates, repeat, pos, others)) {
        return false;
    }
    if (factors.IsValidVariable(dependent)) {
        AtVariable(tokens, dependent);
        mMessage.VariableDependAndFactor(name, mParamName.c_str(), mSubComName.c_str());
        return false;
    }
    if (covariates.IsValidVariable(dependent)) {
        AtVariable(tokens, dependent);
        mMessage.VariableDependAndCovariate(name, mParamName.c_str(), mSubComName.c_str());
        return false;
    }
    return true;
}

bool VarSpecObj::ValidateRegrVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                     VarSpecObj& covariates, RepeatVarOptions repeat,
                                     const VarSpecObj* other) {
    return ValidateRegrVarList(tokens, factors, covariates, repeat,
                               std::vector<const VarSpecObj*>{other});
}

bool VarSpecObj::ValidateRegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                       VarSpecObj& covariates, RepeatVarOptions repeat,
                                       const std::vector<const VarSpecObj*>& others) {
    return RegrMDVarList(tokens, factors, covariates, repeat, others, nullptr, nullptr);
}

bool VarSpecObj::ValidateRegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                       VarSpecObj& covariates, RepeatVarOptions repeat,
                                       const std::vector<const VarSpecObj*>& others,
                                       std::vector<ParamObj>& quals,
                                       const ParamDescriptor* qualDesc) {
    return RegrMDVarList(tokens, factors, covariates, repeat, others, &quals, qualDesc);
}

bool VarSpecObj::RegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                               VarSpecObj& covariates, RepeatVarOptions repeat,
                               const std::vector<const VarSpecObj*>& others,
                               std::vector<ParamObj>* quals, const ParamDescriptor* qualDesc) {
    NoteTokens(tokens);
    ClearVarInfo();
    int pos = 0;
    SetListCounters();
    std::vector<TokenInfoObj> dependents;
    if (!GetDependVarTokens(tokens, dependents, pos)) {
        return false;
    }
    if (quals != nullptr) {
        // Each dependent is a single variable with its own qualifier list; repeats are errors.
        if (!ValidateVarsAndQuals(dependents, *quals, qualDesc, nullptr)) {
            return false;
        }
    } else {
        int dependentPos = 0;
        if (!ValidateVariables(dependents, repeat, dependentPos, nullptr, true)) {
            return false;
        }
    }
    if (pos >= static_cast<int>(tokens.size()) && !mAllVarsByDefault) {
        return true;
    }
    if (!ValidateFactAndCovar(tokens, factors, covariates, repeat, pos, others)) {
        return false;
    }
    std::vector<int> common;
    if (GetCommonVars(factors, common) > 0) {
        AtVariable(tokens, common.front());
        mMessage.VariableDependAndFactor(VarName(common.front()), mParamName.c_str(),
                                         mSubComName.c_str());
        return false;
    }
    if (GetCommonVars(covariates, common) > 0) {
        AtVariable(tokens, common.front());
        mMessage.VariableDependAndCovariate(VarName(common.front()), mParamName.c_str(),
                                            mSubComName.c_str());
        return false;
    }
    return true;
}

bool VarSpecObj::GetDependVarTokens(const std::vector<TokenInfoObj>& tokens,
                                    std::vector<TokenInfoObj>& dependents, int& pos) {
    ClearVarInfo();
    pos = 0;
    dependents.clear();
    SetListCounters();
    if (tokens.empty()) {
        // No token to name: the list itself is missing.
        if (mErrorReport) {
            mMessage.ParamNeedVarList(mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    const int size = static_cast<int>(tokens.size());
    while (pos < size && !AtBlockVarListEnd(tokens, pos)) {
        dependents.push_back(tokens[static_cast<std::size_t>(pos)]);
        ++pos;
    }
    if (dependents.empty()) {
        if (mErrorReport) {
            mMessage.At(tokens[static_cast<std::size_t>(pos)])
                .SyntaxErrorInText(tokens[static_cast<std::size_t>(pos)].getString(),
                                       mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    return true;
}

bool VarSpecObj::CheckFactAndCovar(const VarSpecObj* factors, const VarSpecObj* covariates) const {
    UP_ASSERT("VarSpecObj", factors != nullptr || covariates != nullptr);
    for (const int index : mValidVarList) {
        const bool isFactor = factors != nullptr && factors->mValidVarFlags.test(index);
        const bool isCovariate = covariates != nullptr && covariates->mValidVarFlags.test(index);
        if (isFactor || isCovariate) {
            continue;
        }
        const char* param = mParamName.c_str();
        const char* subCom = mSubComName.c_str();
        AtElement(index);
        if (factors != nullptr && covariates != nullptr) {
            mMessage.InvalidFactOrCovarVarName(VarName(index), param, subCom);
        } else if (factors != nullptr) {
            mMessage.InvalidFactorVarName(VarName(index), param, subCom);
        } else {
            mMessage.InvalidCovariateVarName(VarName(index), param, subCom);
        }
        return false;
    }
    return true;
}
