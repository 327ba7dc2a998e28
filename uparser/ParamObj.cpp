#include "uparser/ParamObj.h"

#include <algorithm>
#include <new>
#include <utility>

#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"
#include "uparser/detail/ParamObjTokens.h"
#include "uparser/detail/TextInside.h"
#include "uparser/host/CaseFile.h"

using namespace UPSpecTypes;
using paramobj_detail::TextOf;
using paramobj_detail::UpperTextOf;

namespace {

// An empty name is made, not moved.
std::string TakeName(std::string& name) noexcept {
    return name.empty() ? std::string() : std::move(name);
}

}  // namespace

struct ParamObj::StoredValues {
    // Only parts of compound values and qualifiers have one: kept here, it costs the parse's
    // parameters no room.
    std::string mParentName;
    std::string mStringValue;
    std::string mLiteralValue;
    double mNumberValue = 0.0;
    int mIntegerValue = 0;
    TavoVarName mVarName;
    std::vector<std::string> mStringList;
    std::vector<std::string> mLiteralList;
    std::vector<double> mNumberList;
    std::vector<int> mIntegerList;
    std::vector<TavoVarName> mVarList;
    VarCatList mVarCatList;
};

const ParamObj::StoredValues& ParamObj::stored() const {
    // What an object without a block reads: every value at its initial state. Never written.
    static const StoredValues initial;
    return mValues ? *mValues : initial;
}

ParamObj::StoredValues& ParamObj::mutableStored() {
    if (!mValues) {
        mValues = std::make_unique<StoredValues>();
    }
    return *mValues;
}

ParamObj::ParamObj() = default;

ParamObj::ParamObj(const TokenInfoObj& keyword, ParamSpec type)
    : mType(type), mKeyWordToken(keyword) {}

// Every parameter the parser stores names its subcommand: the name is made with the object
// rather than assigned over an empty one.
ParamObj::ParamObj(const TokenInfoObj& keyword, ParamSpec type, const std::string& subComExtName)
    : mType(type), mKeyWordToken(keyword), mSubComExtName(subComExtName) {}

ParamObj::ParamObj(ParamSpec type, const std::string& subComExtName)
    : mType(type), mSubComExtName(subComExtName) {}

ParamObj::ParamObj(const ParamObj& other)
    : mType(other.mType),
      mParenUsed(other.mParenUsed),
      mBracketsUsed(other.mBracketsUsed),
      mTokenTextBlocks(other.mTokenTextBlocks),
      mKeyWordToken(other.mKeyWordToken),
      mSubComExtName(other.mSubComExtName),
      mTokenList(other.mTokenList),
      mValues(other.mValues ? std::make_unique<StoredValues>(*other.mValues) : nullptr) {}

// An empty name (the unnamed leading part's) is made, not moved: moving an empty string still
// copies its terminator through a library call. The name is moved as it is constructed:
// assigning it afterwards is a second library call.
ParamObj::ParamObj(ParamObj&& other) noexcept
    : mType(other.mType),
      mParenUsed(other.mParenUsed),
      mBracketsUsed(other.mBracketsUsed),
      mTokenTextBlocks(other.mTokenTextBlocks),
      mKeyWordToken(std::move(other.mKeyWordToken)),
      mSubComExtName(TakeName(other.mSubComExtName)),
      mTokenList(std::move(other.mTokenList)),
      mValues(std::move(other.mValues)) {}

ParamObj& ParamObj::operator=(const ParamObj& other) {
    if (this != &other) {
        ParamObj copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ParamObj& ParamObj::operator=(ParamObj&& other) noexcept {
    if (this != &other) {
        mType = other.mType;
        mParenUsed = other.mParenUsed;
        mBracketsUsed = other.mBracketsUsed;
        mTokenTextBlocks = other.mTokenTextBlocks;
        mKeyWordToken = std::move(other.mKeyWordToken);
        mSubComExtName = std::move(other.mSubComExtName);
        mTokenList = std::move(other.mTokenList);
        mValues = std::move(other.mValues);
    }
    return *this;
}

ParamObj::~ParamObj() {
    if (!mTokenTextBlocks) {
        mTokenList.releaseUndestroyed();
    }
}

namespace {

bool AnyTextBlock(const TokenInfoObj* first, const TokenInfoObj* last) {
    return std::any_of(first, last, [](const TokenInfoObj& token) { return token.hasTextBlock(); });
}

}  // namespace

bool ParamObj::freesNothing() const {
    return !mValues && !mTokenTextBlocks && !mTokenList.hasBlock() &&
           !mKeyWordToken.hasTextBlock() && text_inside::TextInside(mSubComExtName);
}

void ParamObj::clear() {
    const bool bracketsUsed = mBracketsUsed;
    *this = ParamObj();
    mBracketsUsed = bracketsUsed;
}

void ParamObj::setType(ParamSpec type) {
    mType = type;
}

ParamSpec ParamObj::getType() {
    return mType;
}

bool ParamObj::isNoType() const {
    return mType == ParamNoType;
}

bool ParamObj::isLeadingToken() const {
    return mType == ParamKeyWord;
}

bool ParamObj::isTokenList() const {
    return mType == ParamTokenList;
}

void ParamObj::setParenUsed() {
    mParenUsed = true;
}

void ParamObj::unsetParenUsed() {
    mParenUsed = false;
}

bool ParamObj::areParenUsed() const {
    return mParenUsed;
}

void ParamObj::setBracketsUsed(bool used) {
    mBracketsUsed = used;
}

bool ParamObj::areBracketsUsed() const {
    return mBracketsUsed;
}

void ParamObj::setKeyWordToken(const TokenInfoObj& keyword) {
    mKeyWordToken = keyword;
}

const TokenInfoObj& ParamObj::getKeyWordToken() const {
    return mKeyWordToken;
}

std::string ParamObj::getParamName() const {
    return UpperTextOf(mKeyWordToken);
}

std::string ParamObj::getParamExtName() const {
    std::string name = getParamName();
    const std::string& parentName = getParentName();
    if (parentName.empty()) {
        return name;
    }
    if (name.empty()) {
        return parentName;
    }
    return parentName + " " + name;
}

std::string ParamObj::getDisplayName() const {
    return displayOf(getParamExtName());
}

const std::string& ParamObj::displayOf(const std::string& extName) const {
    return extName.empty() ? mSubComExtName : extName;
}

void ParamObj::setParentName(const std::string& name) {
    if (!name.empty() || mValues) {
        mutableStored().mParentName = name;
    }
}

const std::string& ParamObj::getParentName() const {
    return stored().mParentName;
}

void ParamObj::setSubComExtName(const std::string& name) {
    mSubComExtName = name;
}

const std::string& ParamObj::getSubComExtName() const {
    return mSubComExtName;
}

const ParamObj* ParamObj::getParamObj(const std::string& name, const std::vector<ParamObj>& list) {
    return findParamObj(name, list.data(), list.data() + list.size());
}

const ParamObj* ParamObj::findParamObj(const std::string& name, const ParamObj* first,
                                       const ParamObj* last) {
    const std::string upperName = GetUpperString(name);
    for (; first != last; ++first) {
        if (first->getParamName() == upperName) {
            return first;
        }
    }
    return nullptr;
}

bool ParamObj::setStringGeneric(const std::string& value) {
    if (mType != ParamString) {
        return false;
    }
    mutableStored().mStringValue = value;
    return true;
}

bool ParamObj::setLiteral(const std::string& value) {
    if (mType != ParamLiteral) {
        return false;
    }
    mutableStored().mLiteralValue = value;
    return true;
}

bool ParamObj::setNumberValue(const double& value) {
    if (mType != ParamNumber) {
        return false;
    }
    mutableStored().mNumberValue = value;
    return true;
}

bool ParamObj::setIntegerValue(const int& value) {
    if (mType != ParamInteger) {
        return false;
    }
    mutableStored().mIntegerValue = value;
    return true;
}

bool ParamObj::setVarName(const TavoVarName& value) {
    if (mType != ParamVarName) {
        return false;
    }
    mutableStored().mVarName = value;
    return true;
}

bool ParamObj::setVarCatList(const VarCatList& value) {
    if (mType != ParamVarCatList) {
        return false;
    }
    mutableStored().mVarCatList = value;
    return true;
}

bool ParamObj::setStringList(const std::vector<std::string>& values) {
    if (mType != ParamStringList) {
        return false;
    }
    mutableStored().mStringList = values;
    return true;
}

bool ParamObj::setLiteralList(const std::vector<std::string>& values) {
    if (mType != ParamLiteralList) {
        return false;
    }
    mutableStored().mLiteralList = values;
    return true;
}

bool ParamObj::setNumberList(const std::vector<double>& values) {
    if (mType != ParamNumberList) {
        return false;
    }
    mutableStored().mNumberList = values;
    return true;
}

bool ParamObj::setIntegerList(const std::vector<int>& values) {
    if (mType != ParamIntegerList) {
        return false;
    }
    mutableStored().mIntegerList = values;
    return true;
}

bool ParamObj::setVarList(const std::vector<TavoVarName>& values) {
    if (mType != ParamVarList) {
        return false;
    }
    mutableStored().mVarList = values;
    return true;
}

bool ParamObj::setTokenList(const std::vector<TokenInfoObj>& tokens) {
    if (mType != ParamTokenList) {
        return false;
    }
    const TokenInfoObj* const first = tokens.data();
    const TokenInfoObj* const last = first + tokens.size();
    mTokenList = uparser_detail::TokenList(first, last);
    mTokenTextBlocks = AnyTextBlock(first, last);
    return true;
}

bool ParamObj::addTokenObj(const TokenInfoObj& token) {
    if (mType != ParamTokenList) {
        return false;
    }
    appendToken(token);
    return true;
}

// A copy holds a block where its original does. Marked first: should the list fail to grow,
// the flag only makes releasing it visit each token.
void ParamObj::appendToken(const TokenInfoObj& token) {
    mTokenTextBlocks |= token.hasTextBlock();
    mTokenList.push_back(token);
}

void ParamObj::appendTokens(const TokenInfoObj* first, const TokenInfoObj* last) {
    mTokenTextBlocks = mTokenTextBlocks || AnyTextBlock(first, last);
    mTokenList.append(first, last);
}

bool ParamObj::addTokenObj(TokenInfoObj&& token) {
    if (mType != ParamTokenList) {
        return false;
    }
    appendToken(std::move(token));
    return true;
}

bool ParamObj::isOneToken() const {
    return mType == ParamTokenList && mTokenList.size() == 1;
}

bool ParamObj::getStringGeneric(std::string& value) const {
    if (isOneToken() && mTokenList.front().IsPlainString()) {
        value = TextOf(mTokenList.front());
        return true;
    }
    if (mType == ParamString) {
        value = stored().mStringValue;
        return true;
    }
    return false;
}

bool ParamObj::getUpStringGeneric(std::string& value) const {
    if (isOneToken() && mTokenList.front().IsPlainString()) {
        value = UpperTextOf(mTokenList.front());
        return true;
    }
    if (mType == ParamString) {
        value = GetUpperString(stored().mStringValue);
        return true;
    }
    return false;
}

bool ParamObj::getLiteral(std::string& value) const {
    if (isOneToken() && mTokenList.front().IsLiteral()) {
        value = TextOf(mTokenList.front());
        return true;
    }
    if (mType == ParamLiteral) {
        value = stored().mLiteralValue;
        return true;
    }
    return false;
}

bool ParamObj::getStringOrLiteral(std::string& value, bool& isLiteral) const {
    if (getStringGeneric(value)) {
        isLiteral = false;
        return true;
    }
    if (getLiteral(value)) {
        isLiteral = true;
        return true;
    }
    return false;
}

bool ParamObj::getNumberValue(double& value) const {
    if (isOneToken() && mTokenList.front().IsNumber()) {
        value = mTokenList.front().getNumeric();
        return true;
    }
    if (mType == ParamNumber) {
        value = stored().mNumberValue;
        return true;
    }
    if (mType == ParamNumberList && stored().mNumberList.size() == 1) {
        value = stored().mNumberList.front();
        return true;
    }
    return false;
}

bool ParamObj::getIntegerValue(int& value) const {
    if (isOneToken() && mTokenList.front().IsInteger()) {
        value = mTokenList.front().getInteger();
        return true;
    }
    if (mType == ParamInteger) {
        value = stored().mIntegerValue;
        return true;
    }
    if (mType == ParamIntegerList && stored().mIntegerList.size() == 1) {
        value = stored().mIntegerList.front();
        return true;
    }
    return false;
}

bool ParamObj::getVarName(TavoVarName& value) const {
    if (isOneToken() && mTokenList.front().IsVarName()) {
        value = mTokenList.front().getVarName();
        return true;
    }
    const StoredValues& values = stored();
    if (mType == ParamString && ValidateTAVOName(values.mStringValue.c_str()) == 0) {
        value = TavoVarName(values.mStringValue);
        return true;
    }
    if (mType == ParamVarName) {
        value = values.mVarName;
        return true;
    }
    if (mType == ParamVarList && values.mVarList.size() == 1) {
        value = values.mVarList.front();
        return true;
    }
    return false;
}

namespace {

// The token-list case of the list getters: appends the value of each token in order, and
// stops with false at the first token that does not fit (what was appended stays).
template <typename T, typename Value>
bool AppendTokenValues(const uparser_detail::TokenList& tokens,
                       bool (TokenInfoObj::*fits)() const, Value value, std::vector<T>& out) {
    for (const TokenInfoObj& token : tokens) {
        if (!(token.*fits)()) {
            return false;
        }
        out.push_back(value(token));
    }
    return true;
}

}  // namespace

bool ParamObj::getStringList(std::vector<std::string>& values) const {
    if (mType == ParamStringList) {
        values = stored().mStringList;
        return true;
    }
    // Reserved words count as words here, unlike in the one-token getters.
    return mType == ParamTokenList &&
           AppendTokenValues(mTokenList, &TokenInfoObj::IsString, TextOf, values);
}

bool ParamObj::getUpStringList(std::vector<std::string>& values) const {
    if (mType == ParamStringList) {
        const std::vector<std::string>& upperFrom = stored().mStringList;
        values.clear();
        values.reserve(upperFrom.size());
        for (const std::string& value : upperFrom) {
            values.push_back(GetUpperString(value));
        }
        return true;
    }
    return mType == ParamTokenList &&
           AppendTokenValues(mTokenList, &TokenInfoObj::IsString, UpperTextOf, values);
}

bool ParamObj::getLiteralList(std::vector<std::string>& values) const {
    if (mType == ParamLiteralList) {
        values = stored().mLiteralList;
        return true;
    }
    return mType == ParamTokenList &&
           AppendTokenValues(mTokenList, &TokenInfoObj::IsLiteral, TextOf, values);
}

bool ParamObj::getNumberList(std::vector<double>& values) const {
    std::vector<double>().swap(values);
    switch (mType) {
        case ParamTokenList:
            return AppendTokenValues(mTokenList, &TokenInfoObj::IsNumber,
                                     [](const TokenInfoObj& token) { return token.getNumeric(); },
                                     values);
        case ParamNumber:
            values.push_back(stored().mNumberValue);
            return true;
        case ParamNumberList:
            values = stored().mNumberList;
            return true;
        default:
            return false;
    }
}

bool ParamObj::getIntegerList(std::vector<int>& values) const {
    std::vector<int>().swap(values);
    switch (mType) {
        case ParamTokenList:
            return AppendTokenValues(mTokenList, &TokenInfoObj::IsInteger,
                                     [](const TokenInfoObj& token) { return token.getInteger(); },
                                     values);
        case ParamInteger:
            values.push_back(stored().mIntegerValue);
            return true;
        case ParamIntegerList:
            values = stored().mIntegerList;
            return true;
        default:
            return false;
    }
}

bool ParamObj::readsAsVarList() const {
    // The same cases as getVarList.
    switch (mType) {
        case ParamTokenList:
            return std::all_of(mTokenList.begin(), mTokenList.end(),
                               [](const TokenInfoObj& token) { return token.IsVarName(); });
        case ParamString:
            return ValidateTAVOName(stored().mStringValue.c_str()) == 0;
        case ParamVarName:
        case ParamVarList:
            return true;
        default:
            return false;
    }
}

bool ParamObj::getVarList(std::vector<TavoVarName>& values) const {
    values.clear();
    const StoredValues& own = stored();
    switch (mType) {
        case ParamTokenList:
            // The token is known to be a name, so its text is taken as it stands.
            return AppendTokenValues(
                mTokenList, &TokenInfoObj::IsVarName,
                [](const TokenInfoObj& token) { return TavoVarName(TextOf(token)); }, values);
        case ParamString:
            if (ValidateTAVOName(own.mStringValue.c_str()) != 0) {
                return false;
            }
            values.emplace_back(own.mStringValue);
            return true;
        case ParamVarName:
            values.push_back(own.mVarName);
            return true;
        case ParamVarList:
            values = own.mVarList;
            return true;
        default:
            return false;
    }
}

// Here rather than beside the other compound readers: a stored list lives in the value block.
bool ParamObj::getVarCatList(VarCatList& list) const {
    if (mType == ParamVarCatList) {
        list = stored().mVarCatList;
        return true;
    }
    return mType == ParamTokenList && processVarCatList(list);
}

bool ParamObj::getTokenList(std::vector<TokenInfoObj>& tokens) const {
    if (mType != ParamTokenList) {
        return false;
    }
    tokens.assign(mTokenList.begin(), mTokenList.end());
    return true;
}

bool ParamObj::getFilePath(std::string& path, bool validatorFlag, bool strictFlag) const {
    path.clear();
    std::string resolved;
    std::string written;
    if (mType == ParamLiteral) {
        written = stored().mLiteralValue;
        resolved = GetExtendFilePath(written, validatorFlag, false, strictFlag);
    } else if (mType == ParamString) {
        written = stored().mStringValue;
        resolved = GetExtendFilePath(written, validatorFlag, true, strictFlag);
    } else if (isOneToken()) {
        resolved = mTokenList.front().getFilePath(validatorFlag, strictFlag);
        written = TextOf(mTokenList.front());
    } else {
        return false;
    }
    if (resolved.empty()) {
        path = std::move(written);
        return false;
    }
    path = std::move(resolved);
    return true;
}

std::string ParamObj::getStringToken() const {
    return isOneToken() ? TextOf(mTokenList.front()) : std::string();
}

std::string ParamObj::getUpStringToken() const {
    return isOneToken() ? UpperTextOf(mTokenList.front()) : std::string();
}

bool ParamObj::isStringValueCase(const std::string& value) const {
    std::string upper;
    return getUpStringGeneric(upper) && upper == GetUpperString(value);
}

bool ParamObj::isOperatorValue(const TokenSequenceBase::OperatorCode& op) const {
    return isOneToken() && op != TokenSequenceBase::NoOperator &&
           mTokenList.front().getOperatorCode() == op;
}

unsigned ParamObj::getTokenListSize() const {
    return mType == ParamTokenList ? static_cast<unsigned>(mTokenList.size()) : 0U;
}

bool ParamObj::isValidTokenIndex(unsigned index) const {
    return index < mTokenList.size();
}

const TokenInfoObj* ParamObj::getTokenObj(unsigned index) const {
    return isValidTokenIndex(index) ? &mTokenList[index] : nullptr;
}

namespace {

enum class CaseFileCheck { Accepted, NoAccess, NotCaseData };

// Opening a file that is not case data throws the host's ErrorText; a host's file layer may
// fail in other ways too, and none of that escapes the library. A failure before the file is
// opened counts as no access, one while opening it as not case data. Memory running out is no
// finding about the file and goes on to the caller.
CaseFileCheck CheckCaseFile(const std::string& path, bool isLiteral, bool forWrite,
                            std::string& documentation) {
    try {
        UserCaseFileSpec spec;
        const bool accessible = spec.Init(path, isLiteral, forWrite) &&
                                (forWrite ? spec.IsValid() && !spec.IsInUse() && !spec.IsReadOnly()
                                          : spec.Exists() && spec.IsValid() && !spec.IsInUse());
        if (!accessible) {
            return CaseFileCheck::NoAccess;
        }
        documentation = spec.DocumentationString();
        if (forWrite) {
            // A file to be written is not opened here.
            return CaseFileCheck::Accepted;
        }
        try {
            const UserInputCaseFile file(spec, nullptr);
            return file.DataSource() != nullptr ? CaseFileCheck::Accepted
                                                : CaseFileCheck::NotCaseData;
        } catch (const ErrorText&) {
            return CaseFileCheck::NotCaseData;
        } catch (const std::bad_alloc&) {
            throw;
        } catch (...) {
            return CaseFileCheck::NotCaseData;
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return CaseFileCheck::NoAccess;
    }
}

}  // namespace

bool ParamObj::processSysFileSpec(ParamSpec type, const ParserMessage* msg) const {
    const bool forWrite = type == ParamSysFileOut;
    std::string path;
    bool isLiteral = false;
    if (getStringGeneric(path)) {
        isLiteral = false;
    } else if (getLiteral(path)) {
        isLiteral = true;
    } else {
        if (msg != nullptr) {
            msg->WrongValueType(getDisplayName().c_str(), mSubComExtName.c_str());
        }
        return false;
    }

    std::string documentation;
    switch (CheckCaseFile(path, isLiteral, forWrite, documentation)) {
        case CaseFileCheck::Accepted:
            return true;
        case CaseFileCheck::NoAccess:
            if (msg != nullptr) {
                msg->FileNoAccess(path.c_str(), getDisplayName().c_str(), mSubComExtName.c_str());
            }
            return false;
        case CaseFileCheck::NotCaseData:
            if (msg != nullptr) {
                msg->FileNoSystem(documentation.c_str(), getDisplayName().c_str(),
                                  mSubComExtName.c_str());
            }
            return false;
    }
    return false;
}
