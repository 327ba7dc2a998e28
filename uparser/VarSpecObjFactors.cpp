#include <string>
#include <vector>

#include "uparser/ParamObj.h"
#include "uparser/ParserUtility.h"
#include "uparser/VarSpecObj.h"
#include "uparser/detail/Assert.h"

using namespace UPSpecTypes;

bool VarSpecObj::ValidateFactAndCovar(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                                      VarSpecObj& covariates, RepeatVarOptions repeat, int& pos,
                                      const std::vector<const VarSpecObj*>& others) {
    NoteTokens(tokens);
    SetListCounters();
    factors.SetListCounters();
    covariates.SetListCounters();
    factors.mNumericVars = false;
    covariates.mNumericVars = true;
    const std::vector<const VarSpecObj*> none;
    const int size = static_cast<int>(tokens.size());
    const char* param = mParamName.c_str();
    const char* subCom = mSubComName.c_str();

    // One pass per BY or WITH part. BY takes factors (any type, ALL = every categorical
    // variable), WITH covariates (numeric, ALL = every other variable).
    while (pos >= 0 && pos < size) {
        const TokenSequenceBase::OperatorCode code =
            tokens[static_cast<std::size_t>(pos)].getOperatorCode();
        const bool isBy = code == TokenSequenceBase::ByWord;
        if (!isBy && code != TokenSequenceBase::WithWord) {
            mMessage.At(tokens[static_cast<std::size_t>(pos)])
                .SyntaxErrorInText(tokens[static_cast<std::size_t>(pos)].getString(), param,
                                   subCom);
            return false;
        }
        const char* keyword = isBy ? "BY" : "WITH";
        int& counter = isBy ? mByCount : mWithCount;
        VarSpecObj& target = isBy ? factors : covariates;
        const int seen = counter++;
        if (seen != 0) {
            mMessage.At(tokens[static_cast<std::size_t>(pos)]).WordRepeatVarList(keyword, param, subCom);
            return false;
        }
        ++pos;
        if (pos < size &&
            tokens[static_cast<std::size_t>(pos)].getOperatorCode() == TokenSequenceBase::AllWord) {
            if (!target.ValidateAllVars(isBy, none, ErrorMessage)) {
                return false;
            }
            ++pos;
            if (!AtBlockVarListEnd(tokens, pos) &&
                tokens[static_cast<std::size_t>(pos)].getOperatorCode() !=
                    TokenSequenceBase::LeftParen) {
                mMessage.At(tokens[static_cast<std::size_t>(pos) - 1])
                    .KeywordImproperVarList("ALL", param, subCom);
                return false;
            }
            if (!target.ProcessQualTokens(tokens, pos, "ALL", false, true)) {
                return false;
            }
        } else if (AtBlockVarListEnd(tokens, pos)) {
            // A keyword without a list is worth a warning, not a failure.
            mMessage.At(tokens[static_cast<std::size_t>(pos) - 1]);
            isBy ? mMessage.NoFactorAfterKeyword(keyword, param, subCom)
                 : mMessage.NoCovariateAfterKeyword(keyword, param, subCom);
        } else {
            target.mNumericVars = !isBy;
            if (!target.ValidateVariables(tokens, repeat, pos, keyword, true)) {
                return false;
            }
        }
    }

    if (factors.mValidVarList.empty() && covariates.mValidVarList.empty() && mAllVarsByDefault) {
        if (!factors.ValidateAllVars(covariates, none, ErrorMessage)) {
            return false;
        }
    }

    std::vector<int> common;
    if (factors.GetCommonVars(covariates, common) > 0) {
        AtVariable(tokens, common.front());
        mMessage.VariableFactorAndCovariate(VarName(common.front()), param, subCom);
        return false;
    }

    if (!factors.mValidVarList.empty() || !covariates.mValidVarList.empty()) {
        std::vector<const VarSpecObj*> excluded(others);
        if (mAllVarsByDefault) {
            excluded.push_back(this);
        }
        const bool factorsLeft = factors.ExcludeCommonVars(excluded, NoMessage);
        const bool covariatesLeft = covariates.ExcludeCommonVars(excluded, NoMessage);
        if (!factorsLeft && !covariatesLeft) {
            if (mNoVarsMessage.empty()) {
                mMessage.ExcludeAllFactorCovariate(param, subCom, false);
            } else {
                mMessage.GenericError(mNoVarsMessage.c_str());
            }
            return false;
        }
    }
    return true;
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
