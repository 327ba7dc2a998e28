#include "uparser/VarSpecObj.h"

#include <algorithm>
#include <utility>

#include "uparser/CommandDescriptor.h"
#include "uparser/ParserUtility.h"
#include "uparser/detail/Assert.h"
#include "uparser/detail/ReservedWords.h"

using namespace UPSpecTypes;

VarSpecObj::VarSpecObj()
    : mDataSource(nullptr),
      mNumericVars(false),
      mAllVarsByDefault(false),
      mAllowQualifiers(false),
      mErrorReport(true),
      mWarningReport(false),
      mByCount(-1),
      mWithCount(-1) {}

VarSpecObj::VarSpecObj(const std::string& paramName, const std::string& subComName,
                       const std::string& commandName, const TAVO_DataSource* dataSource,
                       bool numericVars)
    : VarSpecObj() {
    mDataSource = dataSource;
    mParamName = paramName;
    mSubComName = subComName;
    mNumericVars = numericVars;
    mMessage.SetCommandName(commandName.c_str());
    if (mDataSource != nullptr) {
        mValidVarFlags.setColumns(mDataSource->ColumnCount());
    }
}

VarSpecObj::VarSpecObj(const std::string& paramName, const std::string& subComName,
                       const CommandDescriptor& command, const TAVO_DataSource* dataSource,
                       bool numericVars)
    : VarSpecObj(paramName, subComName, command.getCommandName(), dataSource, numericVars) {
    mMessage.SetProcedureTitle(command.getProcedureTitle().c_str());
}

VarSpecObj::VarSpecObj(const VarSpecObj& other) = default;
VarSpecObj::VarSpecObj(VarSpecObj&& other) noexcept = default;

// Copied whole before anything changes: a copy that runs out of memory half-way must not leave
// a list without its flags.
VarSpecObj& VarSpecObj::operator=(const VarSpecObj& other) {
    if (this != &other) {
        VarSpecObj copy(other);
        *this = std::move(copy);
    }
    return *this;
}

VarSpecObj& VarSpecObj::operator=(VarSpecObj&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    mDataSource = other.mDataSource;
    mParamName = std::move(other.mParamName);
    mSubComName = std::move(other.mSubComName);
    mMessage = std::move(other.mMessage);
    mNumericVars = other.mNumericVars;
    mAllVarsByDefault = other.mAllVarsByDefault;
    mAllowQualifiers = other.mAllowQualifiers;
    mErrorReport = other.mErrorReport;
    mWarningReport = other.mWarningReport;
    mNoVarsMessage = std::move(other.mNoVarsMessage);
    mValidVarList = std::move(other.mValidVarList);
    mValidVarFlags = std::move(other.mValidVarFlags);
    mQualTokenList = std::move(other.mQualTokenList);
    mElements = std::move(other.mElements);
    mByCount = other.mByCount;
    mWithCount = other.mWithCount;
    return *this;
}

VarSpecObj::~VarSpecObj() = default;

void VarSpecObj::InitMembers() {
    mAllVarsByDefault = false;
    mAllowQualifiers = false;
    mWarningReport = false;
    mErrorReport = true;
    mByCount = -1;
    mWithCount = -1;
    if (mDataSource != nullptr) {
        mValidVarFlags.setColumns(mDataSource->ColumnCount());
    }
}

int VarSpecObj::GetValidVarInd() const {
    return mValidVarList.size() == 1 ? mValidVarList.front() : -1;
}

void VarSpecObj::ClearVarInfo() {
    std::vector<int>().swap(mValidVarList);
    mValidVarFlags.clear();
    mQualTokenList.clear();
    mElements.clear();
    if (mByCount >= 0) {
        mByCount = 0;
    }
    if (mWithCount >= 0) {
        mWithCount = 0;
    }
}

void VarSpecObj::ReorderValidVarList() {
    std::sort(mValidVarList.begin(), mValidVarList.end());
}

const char* VarSpecObj::VarName(int index) const {
    return mDataSource->GetVariable(index).GetName();
}

bool VarSpecObj::IsNumericVar(int index) const {
    return mDataSource->GetVariable(index).GetType() == 0;
}

// Room first, then the flag, then the entry that can no longer fail: when memory runs out the
// list and its flags are both as they were.
void VarSpecObj::AppendValid(int index) {
    if (mValidVarList.size() == mValidVarList.capacity()) {
        mValidVarList.reserve(mValidVarList.empty() ? 8 : mValidVarList.size() * 2);
    }
    mValidVarFlags.set(index);
    mValidVarList.push_back(index);
}

void VarSpecObj::NoteTokens(const std::vector<TokenInfoObj>& tokens) {
    if (mMessage.GetDiagnosticObserver() != nullptr) {
        mMessage.SetDefaultRange(tokens.empty() ? WholeCommand()
                                                : TokenRange(tokens.front(), tokens.back()));
    }
}

void VarSpecObj::AtVariable(const std::vector<TokenInfoObj>& tokens, int index) const {
    if (mMessage.GetDiagnosticObserver() == nullptr || mDataSource == nullptr) {
        return;
    }
    for (auto token = tokens.rbegin(); token != tokens.rend(); ++token) {
        if (token->IsVarName() && mDataSource->FindVarIndex(token->getString()) == index) {
            mMessage.At(*token);
            return;
        }
    }
}

void VarSpecObj::AddElement(int lo, int hi, const TokenInfoObj& first, const TokenInfoObj& last) {
    mElements.push_back({lo, hi, TokenRange(first, last)});
}

SourceRange VarSpecObj::GetElementRange(int index) const {
    for (const Element& element : mElements) {
        if (element.lo <= index && index <= element.hi) {
            return element.range;
        }
    }
    return SourceRange();
}

void VarSpecObj::AtElement(int index) const {
    if (mMessage.GetDiagnosticObserver() == nullptr) {
        return;
    }
    const SourceRange range = GetElementRange(index);
    if (range.known()) {
        mMessage.At(range);
    }
}

void VarSpecObj::SetListCounters() {
    mByCount = 0;
    mWithCount = 0;
}

int VarSpecObj::LookUpVarName(const char* text, const TavoVarName* name) const {
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    const int index = mDataSource->FindVarIndex(text);
    if (index >= 0 && (!mNumericVars || IsNumericVar(index))) {
        return index;
    }
    if (mErrorReport) {
        const TavoVarName named = name != nullptr ? *name : TavoVarName(text);
        if (index < 0) {
            mMessage.VariableNotInDict(named, mParamName.c_str(), mSubComName.c_str());
        } else {
            mMessage.VariableNotNumeric(named, mParamName.c_str(), mSubComName.c_str());
        }
    }
    return -1;
}

int VarSpecObj::GetVarIndex(const TavoVarName& name) const {
    return LookUpVarName(name.c_str(), &name);
}

int VarSpecObj::NameTokenIndex(const TokenInfoObj& token) const {
    mMessage.LookAt(token);
    // A valid name is never empty for the reference host; another host's empty name is
    // refused here as getVarName's empty result would be.
    if (token.getStringLength() == 0) {
        if (mErrorReport) {
            mMessage.InvalidVarName(token.getString(), mParamName.c_str(), mSubComName.c_str());
        }
        return -1;
    }
    // A name token holds no NUL, so its text as written is the whole name.
    return LookUpVarName(token.getString(), nullptr);
}

int VarSpecObj::GetVarIndex(const TokenInfoObj& token) const {
    mMessage.LookAt(token);
    if (!token.IsVarName()) {
        if (mErrorReport) {
            mMessage.InvalidVarName(token.getString(), mParamName.c_str(), mSubComName.c_str());
        }
        return -1;
    }
    return NameTokenIndex(token);
}

int VarSpecObj::ValidateVariable(const TavoVarName& name) {
    if (ValidateTAVOName(name.c_str()) != 0) {
        if (mErrorReport) {
            mMessage.InvalidVarName(name, mParamName.c_str(), mSubComName.c_str());
        }
        return -1;
    }
    const int index = GetVarIndex(name);
    if (index >= 0) {
        ClearVarInfo();
        AppendValid(index);
    }
    return index;
}

int VarSpecObj::ValidateVariable(const TokenInfoObj& token) {
    NoteTokens({token});
    const int index = GetVarIndex(token);
    if (index >= 0) {
        ClearVarInfo();
        AppendValid(index);
        NoteElement(index, index, token, token);
    }
    return index;
}

bool VarSpecObj::SetVariable(int index) {
    UP_ASSERT("VarSpecObj", index >= 0);
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    UP_ASSERT("VarSpecObj", static_cast<unsigned>(index) < mDataSource->ColumnCount());
    ClearVarInfo();
    AppendValid(index);
    if (mNumericVars && !IsNumericVar(index)) {
        if (mErrorReport) {
            mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(), mSubComName.c_str());
        }
        return false;
    }
    return true;
}

int VarSpecObj::CheckNewVariable(const TavoVarName& name) {
    UP_ASSERT("VarSpecObj", mDataSource != nullptr);
    const int index = mDataSource->FindVarIndex(name.c_str());
    if (index >= 0) {
        if (mErrorReport) {
            mMessage.OutputVarReused(name, mParamName.c_str(), mSubComName.c_str());
        }
        ClearVarInfo();
        AppendValid(index);
    }
    return index;
}

bool VarSpecObj::AddNewValidVar(int index, RepeatVarOptions repeat) {
    UP_ASSERT("VarSpecObj", index >= 0);
    if (!mValidVarFlags.test(index)) {
        AppendValid(index);
        return true;
    }
    switch (repeat) {
        case RepeatVarsError:
            mMessage.VariableRepeatVarList(VarName(index), mParamName.c_str(), mSubComName.c_str());
            return false;
        case RepeatVarsKeep:
            mValidVarList.push_back(index);
            return true;
        default:  // RepeatVarsDrop, RepeatVarsIgnore, and any code the enumeration does not name
            return true;
    }
}

bool VarSpecObj::ProcessVarInterval(int first, int last, RepeatVarOptions repeat) {
    if (first < 0 || last < 0 ||
        static_cast<long long>(first) == static_cast<long long>(last) + 1) {
        return true;
    }
    if (first > last) {
        mMessage.KeywordImproperVarList(reserved_words::kTo, mParamName.c_str(),
                                        mSubComName.c_str());
        return false;
    }
    for (int index = first; index <= last; ++index) {
        if (mNumericVars && !IsNumericVar(index)) {
            mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(), mSubComName.c_str());
            return false;
        }
        if (!AddNewValidVar(index, repeat)) {
            return false;
        }
        if (index == last) {
            break;  // last may be INT_MAX
        }
    }
    return true;
}

// var-list := (ALL | name {[TO] name}) [qualifiers]
bool VarSpecObj::ValidateVariables(const std::vector<TokenInfoObj>& tokens, RepeatVarOptions repeat,
                                   int& pos, const char* word, bool checkEnd) {
    NoteTokens(tokens);
    const int columns = mDataSource != nullptr ? static_cast<int>(mDataSource->ColumnCount()) : 0;
    if (!AtGlobalVar(tokens, pos)) {
        ReportMissingList(tokens, pos, word);
        return false;
    }
    ClearVarInfo();
    // What qualifier messages speak of: ALL, or the last variable named, upper-cased. Only
    // the messages of a qualifier list use it, so it is made only when one follows.
    const TokenInfoObj* lastName = nullptr;
    if (columns > 0 &&
        tokens[static_cast<std::size_t>(pos)].getOperatorCode() == TokenSequenceBase::AllWord) {
        if (!ReadAllVariables(tokens, columns, repeat, pos)) {
            return false;
        }
    } else if (!ReadNamedVariables(tokens, repeat, pos, lastName)) {
        return false;
    }
    std::string lastWord;
    if (lastName == nullptr) {
        lastWord = reserved_words::kAll;
    } else if (static_cast<std::size_t>(pos) < tokens.size() &&
               tokens[static_cast<std::size_t>(pos)].getOperatorCode() ==
                   TokenSequenceBase::LeftParen) {
        lastWord = GetUpperString(std::string(lastName->getString(), lastName->getStringLength()));
    }
    return ProcessQualTokens(tokens, pos, mQualTokenList, lastWord.c_str(), false, checkEnd);
}

// No list where one must stand: after a keyword, at a token that is no name, or at the end.
void VarSpecObj::ReportMissingList(const std::vector<TokenInfoObj>& tokens, int pos,
                                   const char* word) const {
    if (word != nullptr && *word != '\0') {
        // The keyword before pos, or the end of the list.
        if (pos > 0 && static_cast<std::size_t>(pos) <= tokens.size()) {
            mMessage.At(tokens[static_cast<std::size_t>(pos) - 1]);
        }
        mMessage.WordNeedVarName(word, mParamName.c_str(), mSubComName.c_str());
    } else if (!tokens.empty()) {
        // The message names the first token of the whole vector, not the one at pos.
        mMessage.At(tokens.front())
            .InvalidVarName(tokens.front().getString(), mParamName.c_str(), mSubComName.c_str());
    } else {
        mMessage.ParamNeedVarList(mParamName.c_str(), mSubComName.c_str());
    }
}

// A list ends at the end of its block or at the "(" of its qualifiers.
bool VarSpecObj::VarListEndsAt(const std::vector<TokenInfoObj>& tokens, int pos) const {
    return AtBlockVarListEnd(tokens, pos) ||
           tokens[static_cast<std::size_t>(pos)].getOperatorCode() == TokenSequenceBase::LeftParen;
}

// all := ALL, every variable of the dictionary, alone in its list
bool VarSpecObj::ReadAllVariables(const std::vector<TokenInfoObj>& tokens, int columns,
                                  RepeatVarOptions repeat, int& pos) {
    const TokenInfoObj& all = tokens[static_cast<std::size_t>(pos)];
    mMessage.LookAt(all);
    if (!ProcessVarInterval(0, columns - 1, repeat)) {
        return false;
    }
    NoteElement(0, columns - 1, all, all);
    ++pos;
    if (VarListEndsAt(tokens, pos)) {
        return true;
    }
    mMessage.At(all).KeywordImproperVarList(reserved_words::kAll, mParamName.c_str(),
                                            mSubComName.c_str());
    return false;
}

// names := name {[TO name] | name}; a range a TO b adds a+1 ... b, a being in already
bool VarSpecObj::ReadNamedVariables(const std::vector<TokenInfoObj>& tokens,
                                    RepeatVarOptions repeat, int& pos,
                                    const TokenInfoObj*& lastName) {
    int prevIndex = -1;
    bool afterRange = false;
    const bool observed = mMessage.GetDiagnosticObserver() != nullptr;
    for (;;) {
        if (tokens[static_cast<std::size_t>(pos)].getOperatorCode() == TokenSequenceBase::ToWord) {
            if (!SkipRangeWord(tokens, afterRange, pos)) {
                return false;
            }
        } else {
            prevIndex = -1;
        }
        const TokenInfoObj& token = tokens[static_cast<std::size_t>(pos)];
        mMessage.LookAt(token);
        if (!token.IsVarName()) {
            mMessage.InvalidVarName(token.getString(), mParamName.c_str(), mSubComName.c_str());
            return false;
        }
        const TokenInfoObj* previousName = lastName;
        lastName = &token;
        const int index = NameTokenIndex(token);
        if (index >= 0 && prevIndex >= 0 && previousName != nullptr) {
            mMessage.LookAt(*previousName, token);  // a range's findings: the whole range
        }
        const bool added =
            index >= 0 && (prevIndex >= 0 ? ProcessVarInterval(prevIndex + 1, index, repeat)
                                          : AddNewValidVar(index, repeat));
        if (!added) {
            return false;
        }
        if (observed) {
            const bool range = prevIndex >= 0;
            AddElement(range ? prevIndex + 1 : index, index, range ? *previousName : token, token);
        }
        afterRange = prevIndex >= 0;
        prevIndex = index;
        if (VarListEndsAt(tokens, ++pos)) {
            return true;
        }
    }
}

// range := TO name, never right after another range (a TO b TO c)
bool VarSpecObj::SkipRangeWord(const std::vector<TokenInfoObj>& tokens, bool afterRange,
                               int& pos) const {
    const TokenInfoObj& keyword = tokens[static_cast<std::size_t>(pos)];
    ++pos;
    if (!AtGlobalVar(tokens, pos)) {
        mMessage.At(keyword).WordNeedVarName(reserved_words::kTo, mParamName.c_str(),
                                             mSubComName.c_str());
        return false;
    }
    if (afterRange) {
        mMessage.At(keyword).KeywordImproperVarList(reserved_words::kTo, mParamName.c_str(),
                                        mSubComName.c_str());
        return false;
    }
    return true;
}

bool VarSpecObj::ValidateVariables(const std::vector<TokenInfoObj>& tokens,
                                   RepeatVarOptions repeat) {
    int pos = 0;
    return ValidateVariables(tokens, repeat, pos, nullptr, true);
}

bool VarSpecObj::ValidateVariables(const std::vector<TavoVarName>& names, RepeatVarOptions repeat) {
    return ValidateNames(names, repeat, nullptr);
}

bool VarSpecObj::ValidateVariables(const std::vector<TavoVarName>& names, RepeatVarOptions repeat,
                                   const std::vector<TokenInfoObj>& nameTokens) {
    return ValidateNames(names, repeat,
                         nameTokens.size() == names.size() ? nameTokens.data() : nullptr);
}

bool VarSpecObj::ValidateNames(const std::vector<TavoVarName>& names, RepeatVarOptions repeat,
                               const TokenInfoObj* nameTokens) {
    ClearVarInfo();
    for (std::size_t k = 0; k < names.size(); ++k) {
        const TavoVarName& name = names[k];
        if (nameTokens != nullptr) {
            mMessage.LookAt(nameTokens[k]);
        }
        if (ValidateTAVOName(name.c_str()) != 0) {
            if (mErrorReport) {
                mMessage.InvalidVarName(name, mParamName.c_str(), mSubComName.c_str());
            }
            return false;
        }
        const int index = GetVarIndex(name);
        if (index < 0 || !AddNewValidVar(index, repeat)) {
            return false;
        }
        if (nameTokens != nullptr) {
            NoteElement(index, index, nameTokens[k], nameTokens[k]);
        }
    }
    return true;
}

bool VarSpecObj::SetVariables(const std::vector<int>& indices, RepeatVarOptions repeat) {
    ClearVarInfo();
    mValidVarList.reserve(indices.size());
    for (const int index : indices) {
        UP_ASSERT("VarSpecObj", index >= 0);
        UP_ASSERT("VarSpecObj", mDataSource != nullptr);
        UP_ASSERT("VarSpecObj", static_cast<unsigned>(index) < mDataSource->ColumnCount());
        if (mNumericVars && !IsNumericVar(index)) {
            if (mErrorReport) {
                mMessage.VariableNotNumeric(VarName(index), mParamName.c_str(),
                                            mSubComName.c_str());
            }
            return false;
        }
        if (!AddNewValidVar(index, repeat)) {
            return false;
        }
    }
    return true;
}
