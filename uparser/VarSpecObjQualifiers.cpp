#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "uparser/ParamObj.h"
#include "uparser/ParserUtility.h"
#include "uparser/VarSpecObj.h"
#include "uparser/detail/Assert.h"

using namespace UPSpecTypes;

namespace {

bool HasCode(const std::vector<TokenInfoObj>& tokens, int pos,
             TokenSequenceBase::OperatorCode code) {
    return tokens[static_cast<std::size_t>(pos)].getOperatorCode() == code;
}

}  // namespace

bool VarSpecObj::AtGlobalVar(const std::vector<TokenInfoObj>& tokens, const int& pos) const {
    if (pos < 0 || static_cast<std::size_t>(pos) >= tokens.size()) {
        return false;
    }
    const TokenSequenceBase::OperatorCode code =
        tokens[static_cast<std::size_t>(pos)].getOperatorCode();
    return !(code == TokenSequenceBase::ToWord ||
             (code == TokenSequenceBase::ByWord && mByCount >= 0) ||
             (code == TokenSequenceBase::WithWord && mWithCount >= 0));
}

bool VarSpecObj::AtBlockVarListEnd(const std::vector<TokenInfoObj>& tokens, const int& pos) const {
    if (pos < 0) {
        return false;
    }
    if (static_cast<std::size_t>(pos) >= tokens.size()) {
        return true;
    }
    const TokenSequenceBase::OperatorCode code =
        tokens[static_cast<std::size_t>(pos)].getOperatorCode();
    return (code == TokenSequenceBase::ByWord && mByCount >= 0) ||
           (code == TokenSequenceBase::WithWord && mWithCount >= 0);
}

bool VarSpecObj::ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos,
                                   std::vector<TokenInfoObj>& quals, const char* word, bool single,
                                   bool checkEnd) const {
    const int size = static_cast<int>(tokens.size());
    if (pos < 0 || pos >= size || !HasCode(tokens, pos, TokenSequenceBase::LeftParen)) {
        return true;
    }
    const int start = pos;
    const auto reportQualifier = [&](bool noQualifierAllowed) {
        if (!mErrorReport) {
            return;
        }
        // The parenthesised qualifier list, as far as it goes.
        const std::size_t open = static_cast<std::size_t>(start);
        mMessage.At(tokens[open], tokens[std::min(static_cast<std::size_t>(pos), tokens.size() - 1)]);
        if (noQualifierAllowed) {
            single ? mMessage.VariableNoQualif(word, mParamName.c_str(), mSubComName.c_str())
                   : mMessage.VarListNoQualif(word, mParamName.c_str(), mSubComName.c_str());
        } else {
            single ? mMessage.VariableInvalidQualif(word, mParamName.c_str(), mSubComName.c_str())
                   : mMessage.VarListInvalidQualif(word, mParamName.c_str(), mSubComName.c_str());
        }
    };
    if (!mAllowQualifiers) {
        reportQualifier(true);
        return false;
    }
    ++pos;
    while (pos < size && !HasCode(tokens, pos, TokenSequenceBase::RightParen)) {
        quals.push_back(tokens[static_cast<std::size_t>(pos)]);
        ++pos;
    }
    if (quals.empty() || pos >= size) {
        reportQualifier(false);
        return false;
    }
    ++pos;
    if (pos < size && checkEnd && !AtBlockVarListEnd(tokens, pos)) {
        if (mErrorReport) {
            mMessage.At(tokens[static_cast<std::size_t>(pos)])
                .SyntaxErrorInText(tokens[static_cast<std::size_t>(pos)].getString(),
                                       mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    return true;
}

bool VarSpecObj::ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos,
                                   const char* word, bool single, bool checkEnd) {
    return ProcessQualTokens(tokens, pos, mQualTokenList, word, single, checkEnd);
}

bool VarSpecObj::SplitQualValues(const std::vector<std::string>& names,
                                 std::vector<TokenInfoObj>& values) const {
    UP_ASSERT("VarSpecObj", !mValidVarList.empty());
    values.assign(names.size(), TokenInfoObj());
    if (mQualTokenList.empty()) {
        return true;
    }
    UP_ASSERT("VarSpecObj", !names.empty());
    std::unordered_map<std::string, std::size_t> position;
    position.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool newName = position.emplace(GetUpperString(names[i]), i).second;
        UP_ASSERT("VarSpecObj", newName);
    }
    std::vector<bool> given(names.size(), false);

    // Messages speak of the last variable, in the single form when it is the only one.
    const bool single = mValidVarList.size() == 1;
    const TavoVarName variable(VarName(mValidVarList.back()));
    const char* param = mParamName.c_str();
    const char* subCom = mSubComName.c_str();

    const std::size_t count = mQualTokenList.size();
    for (std::size_t at = 0; at < count; at += 3) {
        const TokenInfoObj& nameToken = mQualTokenList[at];
        const char* written = nameToken.getString();
        mMessage.LookAt(nameToken);
        const auto found = position.find(nameToken.getUpperString());
        if (found == position.end()) {
            if (mErrorReport) {
                single ? mMessage.VariableUnknownQualif(variable, written, param, subCom)
                       : mMessage.VarListUnknownQualif(variable, written, param, subCom);
            }
            return false;
        }
        if (given[found->second]) {
            if (mErrorReport) {
                single ? mMessage.VariableRepeatQualif(variable, written, param, subCom)
                       : mMessage.VarListRepeatQualif(variable, written, param, subCom);
            }
            return false;
        }
        given[found->second] = true;
        if (at + 2 >= count ||
            mQualTokenList[at + 1].getOperatorCode() != TokenSequenceBase::EqualSign) {
            if (mErrorReport) {
                single ? mMessage.VariableBadQualValue(variable, written, param, subCom)
                       : mMessage.VarListBadQualValue(variable, written, param, subCom);
            }
            return false;
        }
        values[found->second] = mQualTokenList[at + 2];
    }
    return true;
}

bool VarSpecObj::ValidateVarsAndQuals(const std::vector<TokenInfoObj>& tokens,
                                      std::vector<ParamObj>& quals,
                                      const std::vector<const VarSpecObj*>& others,
                                      const ParamDescriptor* qualDesc) {
    NoteTokens(tokens);
    ClearVarInfo();
    quals.clear();
    if (tokens.empty()) {
        return false;
    }
    const int size = static_cast<int>(tokens.size());
    std::vector<TokenInfoObj> varQuals;
    for (int pos = 0; pos < size;) {
        const TokenInfoObj& token = tokens[static_cast<std::size_t>(pos)];
        const int index = GetVarIndex(token);
        if (index < 0) {
            return false;
        }
        const char* name = VarName(index);
        ++pos;
        varQuals.clear();
        if (!ProcessQualTokens(tokens, pos, varQuals, name, true, false)) {
            return false;
        }
        // Only accepted variables count as repeats: one dropped by others may come again.
        if (mValidVarFlags.test(index)) {
            mMessage.At(token).VariableRepeatVarList(name, mParamName.c_str(), mSubComName.c_str());
            return false;
        }
        bool excluded = false;
        for (const VarSpecObj* other : others) {
            if (other != nullptr && other != this && other->mValidVarFlags.test(index)) {
                excluded = true;
                break;
            }
        }
        ParamObj param(token, varQuals.empty() ? ParamKeyWord : ParamTokenList);
        param.setParentName(mParamName);
        param.setSubComExtName(mSubComName);
        if (!varQuals.empty()) {
            param.setTokenList(varQuals);
        }
        if (qualDesc != nullptr && !param.canGetValue(qualDesc, &mMessage)) {
            return false;
        }
        if (!excluded) {
            AppendValid(index);
            quals.push_back(std::move(param));
        }
    }
    UP_ASSERT("VarSpecObj", quals.size() == mValidVarList.size());
    if (mValidVarList.empty()) {
        mMessage.ExcludeAllVariables(mParamName.c_str(), mSubComName.c_str(), false);
        return false;
    }
    return true;
}

bool VarSpecObj::ValidateVarsAndQuals(const std::vector<TokenInfoObj>& tokens,
                                      std::vector<ParamObj>& quals, const ParamDescriptor* qualDesc,
                                      const VarSpecObj* other) {
    return ValidateVarsAndQuals(tokens, quals, std::vector<const VarSpecObj*>{other}, qualDesc);
}

bool VarSpecObj::ValidateVarBlocksAndQuals(const std::vector<TokenInfoObj>& tokens,
                                           std::vector<VarSpecObj>& blocks,
                                           const std::vector<const VarSpecObj*>& others) const {
    UP_ASSERT("VarSpecObj", !tokens.empty());
    blocks.clear();

    // Every block starts as this object with its lists already cleared, as the validator would
    // clear them: copying the lists once per block would make k blocks cost k times this list.
    VarSpecObj empty(*this);
    empty.ClearVarInfo();

    std::vector<VarSpecObj> found;
    bool failed = false;
    const int size = static_cast<int>(tokens.size());
    for (int pos = 0; pos < size;) {
        VarSpecObj block(empty);
        if (!block.ValidateVariables(tokens, RepeatVarsIgnore, pos, nullptr, false)) {
            failed = true;
            break;
        }
        found.push_back(std::move(block));
    }

    // From the last block back: a block loses what later blocks (or others) hold. The later
    // blocks are gathered in one set, so this stays linear in the total list length.
    FlagSet later;
    later.setColumns(mDataSource != nullptr ? mDataSource->ColumnCount() : 0);
    for (auto block = found.rbegin(); block != found.rend(); ++block) {
        block->RemoveFlagged(others.data(), others.data() + others.size(), &later);
        for (const int index : block->mValidVarList) {
            later.set(index);
        }
    }
    for (VarSpecObj& block : found) {
        if (!block.mValidVarList.empty()) {
            blocks.push_back(std::move(block));
        }
    }

    if (failed) {
        return false;
    }
    if (blocks.empty()) {
        ReportNoVars(ErrorMessage, mParamName.c_str());
        return false;
    }
    return true;
}

bool VarSpecObj::ValidateCatValue(const std::string& value, OBS*& obs, TAVO_Format& format) const {
    UP_ASSERT("VarSpecObj", mValidVarList.size() == 1);
    ReleaseOBS(obs);
    const int index = mValidVarList.front();
    const TAVO_Variable& variable = mDataSource->GetVariable(index);
    const int type = variable.GetType();
    format = variable.GetFormat();

    bool success = false;
    if (type >= 0) {
        std::string text = value;
        std::size_t limit = format.width;
        if (type == 0) {
            // Implied decimals would turn "3" into 0.03, so the point is always written.
            format.width = 40;
            limit = 40;
            if (format.decimals > 0 && text.find('.') == std::string::npos) {
                text += '.';
            }
            const char decimal = GetLocaleCharacter();
            if (decimal != '.') {
                const std::size_t point = text.find('.');
                if (point != std::string::npos) {
                    text[point] = decimal;
                }
            }
        }
        if (text.size() <= limit) {
            std::size_t units = 1;
            if (format.type == 1 && format.width > 8) {
                units = (format.width + 7u) / 8u;
            } else if (format.type == 2 && format.width / 2 > 8) {
                units = (format.width / 2u + 7u) / 8u;
            }
            std::string buffer(limit + 1, ' ');
            buffer.replace(0, text.size(), text);
            buffer[limit] = '\0';
            obs = new OBS[units];
            success = FromString(buffer.c_str(), format, obs) == 0;
        }
    }
    if (!success && mErrorReport) {
        mMessage.InvalidCatValue(variable.GetName(), value.c_str(), mParamName.c_str(),
                                 mSubComName.c_str());
    }
    return success;
}

void VarSpecObj::ReleaseOBS(OBS*& obs) {
    delete[] obs;
    obs = nullptr;
}
