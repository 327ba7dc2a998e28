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

// Where each qualifier name, upper-cased, stands in the caller's list; names are unique.
std::unordered_map<std::string, std::size_t> QualifierPositions(
    const std::vector<std::string>& names) {
    std::unordered_map<std::string, std::size_t> position;
    position.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool newName = position.emplace(GetUpperString(names[i]), i).second;
        UP_ASSERT("VarSpecObj", newName);
    }
    return position;
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

// qualifiers := "(" token {token} ")", then the end of the list when checkEnd asks for it
bool VarSpecObj::ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos,
                                   std::vector<TokenInfoObj>& quals, const char* word, bool single,
                                   bool checkEnd) const {
    const int size = static_cast<int>(tokens.size());
    if (pos < 0 || pos >= size || !HasCode(tokens, pos, TokenSequenceBase::LeftParen)) {
        return true;
    }
    const int start = pos;
    if (!mAllowQualifiers) {
        AimAtQualifiers(tokens, start, pos);
        ReportQualifiers(true, word, single);
        return false;
    }
    ++pos;
    while (pos < size && !HasCode(tokens, pos, TokenSequenceBase::RightParen)) {
        quals.push_back(tokens[static_cast<std::size_t>(pos)]);
        ++pos;
    }
    if (quals.empty() || pos >= size) {
        AimAtQualifiers(tokens, start, pos);
        ReportQualifiers(false, word, single);
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

// The parenthesised qualifier list from start, as far as it goes up to pos.
void VarSpecObj::AimAtQualifiers(const std::vector<TokenInfoObj>& tokens, int start,
                                 int pos) const {
    if (mErrorReport) {
        const std::size_t last = std::min(static_cast<std::size_t>(pos), tokens.size() - 1);
        mMessage.At(tokens[static_cast<std::size_t>(start)], tokens[last]);
    }
}

// Qualifiers where none are allowed, or an empty or unclosed qualifier list.
void VarSpecObj::ReportQualifiers(bool noneAllowed, const char* word, bool single) const {
    if (!mErrorReport) {
        return;
    }
    const char* param = mParamName.c_str();
    const char* subCom = mSubComName.c_str();
    if (noneAllowed) {
        single ? mMessage.VariableNoQualif(word, param, subCom)
               : mMessage.VarListNoQualif(word, param, subCom);
    } else {
        single ? mMessage.VariableInvalidQualif(word, param, subCom)
               : mMessage.VarListInvalidQualif(word, param, subCom);
    }
}

bool VarSpecObj::ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos,
                                   const char* word, bool single, bool checkEnd) {
    return ProcessQualTokens(tokens, pos, mQualTokenList, word, single, checkEnd);
}

// qualifier-values := {NAME "=" value}, each NAME one of names and given once
bool VarSpecObj::SplitQualValues(const std::vector<std::string>& names,
                                 std::vector<TokenInfoObj>& values) const {
    UP_ASSERT("VarSpecObj", !mValidVarList.empty());
    values.assign(names.size(), TokenInfoObj());
    if (mQualTokenList.empty()) {
        return true;
    }
    UP_ASSERT("VarSpecObj", !names.empty());
    const std::unordered_map<std::string, std::size_t> position = QualifierPositions(names);
    std::vector<bool> given(names.size(), false);
    // Messages speak of the last variable.
    const TavoVarName variable(VarName(mValidVarList.back()));
    const std::size_t count = mQualTokenList.size();
    for (std::size_t at = 0; at < count; at += 3) {
        const TokenInfoObj& nameToken = mQualTokenList[at];
        mMessage.LookAt(nameToken);
        const auto found = position.find(nameToken.getUpperString());
        const QualifierFault fault =
            found == position.end() ? QualifierFault::Unknown
            : given[found->second]  ? QualifierFault::Repeated
            : at + 2 >= count ||
                    mQualTokenList[at + 1].getOperatorCode() != TokenSequenceBase::EqualSign
                ? QualifierFault::BadValue
                : QualifierFault::None;
        if (fault != QualifierFault::None) {
            ReportQualifierValue(fault, variable, nameToken.getString());
            return false;
        }
        given[found->second] = true;
        values[found->second] = mQualTokenList[at + 2];
    }
    return true;
}

// A qualifier value that is unknown, repeated or not written as NAME = value; the messages
// take the single form when the list holds one variable.
void VarSpecObj::ReportQualifierValue(QualifierFault fault, const TavoVarName& variable,
                                      const char* written) const {
    if (!mErrorReport) {
        return;
    }
    const bool single = mValidVarList.size() == 1;
    const char* param = mParamName.c_str();
    const char* subCom = mSubComName.c_str();
    if (fault == QualifierFault::Unknown) {
        single ? mMessage.VariableUnknownQualif(variable, written, param, subCom)
               : mMessage.VarListUnknownQualif(variable, written, param, subCom);
    } else if (fault == QualifierFault::Repeated) {
        single ? mMessage.VariableRepeatQualif(variable, written, param, subCom)
               : mMessage.VarListRepeatQualif(variable, written, param, subCom);
    } else {
        single ? mMessage.VariableBadQualValue(variable, written, param, subCom)
               : mMessage.VarListBadQualValue(variable, written, param, subCom);
    }
}

// vars-and-quals := {name [qualifiers]}, no variable twice, at least one left after others
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
        if (!ReadVarAndQuals(tokens, pos, varQuals, others, qualDesc, quals)) {
            return false;
        }
    }
    UP_ASSERT("VarSpecObj", quals.size() == mValidVarList.size());
    if (mValidVarList.empty()) {
        mMessage.ExcludeAllVariables(mParamName.c_str(), mSubComName.c_str(), false);
        return false;
    }
    return true;
}

// var-and-quals := name [qualifiers]; a variable that others hold is read, checked and dropped
bool VarSpecObj::ReadVarAndQuals(const std::vector<TokenInfoObj>& tokens, int& pos,
                                 std::vector<TokenInfoObj>& varQuals,
                                 const std::vector<const VarSpecObj*>& others,
                                 const ParamDescriptor* qualDesc, std::vector<ParamObj>& quals) {
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
    ParamObj param(token, varQuals.empty() ? ParamKeyWord : ParamTokenList);
    param.setParentName(mParamName);
    param.setSubComExtName(mSubComName);
    if (!varQuals.empty()) {
        param.setTokenList(varQuals);
    }
    if (qualDesc != nullptr && !param.canGetValue(qualDesc, &mMessage)) {
        return false;
    }
    if (!HeldByOthers(index, others)) {
        AppendValid(index);
        quals.push_back(std::move(param));
        NoteElement(index, index, token, token);
    }
    return true;
}

bool VarSpecObj::HeldByOthers(int index, const std::vector<const VarSpecObj*>& others) const {
    return std::any_of(others.begin(), others.end(), [&](const VarSpecObj* other) {
        return other != nullptr && other != this && other->mValidVarFlags.test(index);
    });
}

bool VarSpecObj::ValidateVarsAndQuals(const std::vector<TokenInfoObj>& tokens,
                                      std::vector<ParamObj>& quals, const ParamDescriptor* qualDesc,
                                      const VarSpecObj* other) {
    return ValidateVarsAndQuals(tokens, quals, std::vector<const VarSpecObj*>{other}, qualDesc);
}

// blocks := var-list {var-list}; each block loses what later blocks or others hold, and the
// blocks left empty are dropped
bool VarSpecObj::ValidateVarBlocksAndQuals(const std::vector<TokenInfoObj>& tokens,
                                           std::vector<VarSpecObj>& blocks,
                                           const std::vector<const VarSpecObj*>& others) const {
    UP_ASSERT("VarSpecObj", !tokens.empty());
    blocks.clear();
    std::vector<VarSpecObj> found;
    const bool read = ReadVarBlocks(tokens, found);
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
    if (!read) {
        return false;
    }
    if (blocks.empty()) {
        ReportNoVars(ErrorMessage, mParamName.c_str());
        return false;
    }
    return true;
}

// Reads blocks until the tokens end or one fails; the blocks read so far stay in found.
bool VarSpecObj::ReadVarBlocks(const std::vector<TokenInfoObj>& tokens,
                               std::vector<VarSpecObj>& found) const {
    // Every block starts as this object with its lists already cleared, as the validator would
    // clear them: copying the lists once per block would make k blocks cost k times this list.
    VarSpecObj empty(*this);
    empty.ClearVarInfo();
    const int size = static_cast<int>(tokens.size());
    for (int pos = 0; pos < size;) {
        VarSpecObj block(empty);
        if (!block.ValidateVariables(tokens, RepeatVarsIgnore, pos, nullptr, false)) {
            return false;
        }
        found.push_back(std::move(block));
    }
    return true;
}

// category-value := text that the variable's format reads; numbers always with their point
bool VarSpecObj::ValidateCatValue(const std::string& value, OBS*& obs, TAVO_Format& format) const {
    UP_ASSERT("VarSpecObj", mValidVarList.size() == 1);
    ReleaseOBS(obs);
    const int index = mValidVarList.front();
    const TAVO_Variable& variable = mDataSource->GetVariable(index);
    const int type = variable.GetType();
    format = variable.GetFormat();
    if (type >= 0 && ConvertCatValue(value, type, obs, format)) {
        return true;
    }
    if (mErrorReport) {
        mMessage.InvalidCatValue(variable.GetName(), value.c_str(), mParamName.c_str(),
                                 mSubComName.c_str());
    }
    return false;
}

// The host converts the text, padded to the field's width, into cells sized for the format.
bool VarSpecObj::ConvertCatValue(const std::string& value, int type, OBS*& obs,
                                 TAVO_Format& format) {
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
        const std::size_t point = text.find('.');
        if (decimal != '.' && point != std::string::npos) {
            text[point] = decimal;
        }
    }
    if (text.size() > limit) {
        return false;
    }
    std::size_t units = 1;
    if (format.type == 1 && format.width > 8) {
        units = (format.width + 7u) / 8u;
    } else if (format.type == 2 && format.width / 2 > 8) {
        units = (format.width / 2u + 7u) / 8u;
    }
    // A number's field fits on the stack; only a long string's needs the heap.
    char field[64];
    std::string longField;
    char* buffer = field;
    if (limit + 1 > sizeof field) {
        longField.resize(limit + 1);
        buffer = &longField[0];
    }
    std::memset(buffer, ' ', limit);
    std::memcpy(buffer, text.data(), text.size());
    buffer[limit] = '\0';
    obs = new OBS[units];
    return FromString(buffer, format, obs) == 0;
}

void VarSpecObj::ReleaseOBS(OBS*& obs) {
    delete[] obs;
    obs = nullptr;
}
