#include "uparser/UniversalParser.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <fstream>
#include <new>
#include <ostream>
#include <utility>

#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserUtility.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/detail/ParamLookup.h"

using namespace UPSpecTypes;

namespace {

using OperatorCode = TokenSequenceBase::OperatorCode;

bool IsWord(const TokenInfoObj& token) {
    return token.getType() == TokenSequenceBase::StringToken;
}

bool IsOperator(const TokenInfoObj& token) {
    return token.getType() == TokenSequenceBase::OperatorToken;
}

bool HasCode(const TokenInfoObj& token, OperatorCode code) {
    return token.getOperatorCode() == code;
}

bool IsSlash(const TokenInfoObj& token) {
    return IsOperator(token) && HasCode(token, TokenSequenceBase::Slash);
}

// Value types whose check is a check of each token on its own, in order: a run of tokens
// then fits exactly when the run before its last token fit and the last token fits alone.
bool ChecksEachToken(const ParamDescriptor* desc) {
    return desc != nullptr && GetParamTypeTraits(desc->getParamType()).list;
}

// Whether a token would fit the descriptor as a value of its own, checked silently. One
// list serves every token of a long value, so that the check allocates nothing for a token
// whose texts fit inside its snapshot. A one-token variable list fits exactly when the token
// is a variable name, so a name needs no list at all.
class SingleTokenCheck {
  public:
    explicit SingleTokenCheck(const ParamDescriptor* desc)
        : mDesc(desc),
          mNamesFit(desc != nullptr && desc->getParamType() == ParamVarList),
          mValue(TokenInfoObj(), ParamTokenList),
          mTokens(1) {}

    bool fits(const TokenInfoObj& token) {
        if (mNamesFit && token.IsVarName()) {
            return true;
        }
        mTokens.front() = token;
        mValue.setTokenList(mTokens);
        return mValue.canGetValue(mDesc, nullptr);
    }

  private:
    const ParamDescriptor* mDesc;
    bool mNamesFit;
    ParamObj mValue;
    std::vector<TokenInfoObj> mTokens;
};

// The parameter a word names in the subcommand. A subcommand without parameters answers null
// for every word, so the word is not copied for a look-up; the parser asks for nearly every
// word of a command. upperWord: the word's upper text where the caller holds it already.
// expected: where the next parameter is likely declared, moved past a hit.
const ParamDescriptor* NamedParam(const SubComDescriptor* subCom, const TokenInfoObj& word,
                                  const std::string* upperWord, int& expected) {
    const int declared = subCom != nullptr ? subCom->getParamDescListSize() : 0;
    if (declared == 0) {
        return nullptr;
    }
    // Past the last declared parameter the guess starts again from the first, as the next
    // occurrence of a repeated subcommand does.
    if (expected >= declared) {
        expected = 0;
    }
    const int index = upperWord != nullptr
                          ? param_lookup::FindExpected(*subCom, *upperWord, expected)
                          : param_lookup::FindExpected(*subCom, word.getUpperString(), expected);
    if (index >= 0) {
        expected = index + 1;
    }
    return subCom->getParamDesc(index);
}

// name equals a token's NUL-terminated upper text.
bool NamesText(const std::string& name, const char* text) {
    return std::strlen(text) == name.size() &&
           (name.empty() || std::memcmp(name.data(), text, name.size()) == 0);
}

bool IsBlockOption(BlockOptions option) {
    return option >= BlockNoValue && option <= BlockByParen;
}

}  // namespace

struct UniversalParser::BlockForm {
    bool opened;   // "=" or "(" introduces the value
    bool byEqual;  // written after "=": parentheses are not allowed
    bool byParen;  // written in parentheses
};

// equalFollows tells whether the "=" of an optional-equal value is there. An option outside
// the enumeration reads as BlockByEqual.
UniversalParser::BlockForm UniversalParser::blockForm(BlockOptions option, bool equalFollows) {
    switch (option) {
        case BlockNoValue:
            return {false, true, false};
        case BlockOptEqual:
            return {equalFollows, true, false};
        case BlockByParen:
            return {true, false, true};
        default:
            return {true, true, false};
    }
}

UniversalParser::UniversalParser(TAVO_TokenSequence& tokens, CommandSpec& spec,
                                 const CommandDescriptor& grammar)
    : mTokenSeq(tokens), mCommandSpec(spec), mCommandDesc(&grammar) {
    initMembers();
}

UniversalParser::UniversalParser(TAVO_TokenSequence& tokens, CommandSpec& spec)
    : mTokenSeq(tokens),
      mCommandSpec(spec),
      mCommandDesc(nullptr),
      mOwnedCommandDesc(std::make_shared<const CommandDescriptor>()) {
    mCommandDesc = mOwnedCommandDesc.get();
    initMembers();
}

UniversalParser::UniversalParser(const UniversalParser& other) = default;

UniversalParser::~UniversalParser() = default;

void UniversalParser::initMembers() {
    mExpectParam = true;
    mInParen = false;
    mAtCommandStart = true;
    mErrorCode = ParseCodes::Parsed;
    mGroupCount = 0;
    mCurGroupDesc = nullptr;
    mCurSubComDesc = nullptr;
    mCurParamDesc = nullptr;
    mHasCurToken = false;
    mHasNextToken = false;
    mConsumed = 0;
    mParsed = false;
}

int UniversalParser::getErrorCode() const {
    return mErrorCode;
}

void UniversalParser::display(std::ostream& /*out*/) const {}

void UniversalParser::display(const char* fileName) const {
    if (fileName != nullptr) {
        std::ofstream file(fileName, std::ios::out | std::ios::trunc);
    }
}

bool UniversalParser::hasCurrentToken() const {
    return mHasCurToken;
}

const TokenInfoObj& UniversalParser::getCurrentToken() const {
    return mCurToken;
}

void UniversalParser::tokenAsString(std::string& text) const {
    char const* data = nullptr;
    unsigned length = 0;
    mTokenSeq.getString(&data, &length);
    if (data != nullptr) {
        text.assign(data, length);
    } else {
        text.clear();
    }
}

void UniversalParser::tokenAsUpperString(std::string& text) const {
    char const* data = nullptr;
    unsigned length = 0;
    mTokenSeq.getUpperString(&data, &length);
    if (data != nullptr) {
        text.assign(data, length);
    } else {
        text.clear();
    }
}

void UniversalParser::setDiagnosticObserver(DiagnosticObserver* observer) {
    mMessage.SetDiagnosticObserver(observer);
}

SourceRange UniversalParser::Locator::currentRange() const {
    if (mParser->mHasCurToken) {
        return TokenRange(mParser->mCurToken);
    }
    if (mParser->mLastToken.getLineNumber() > 0) {
        return EndOfCommandAfter(mParser->mLastToken);
    }
    if (mParser->mNameToken.getLineNumber() > 0) {
        return EndOfCommandAfter(mParser->mNameToken);
    }
    return WholeCommand();
}

inline void UniversalParser::snapshot(TokenInfoObj& token) const {
    token.read(mTokenSeq);
    if (mExtents != nullptr) {
        token.setExtent(mExtents->getEndColumn(), static_cast<long long>(mExtents->getByteOffset()));
    }
}

bool UniversalParser::startToken() {
    // The stream's first token is the command name.
    mHasCurToken = mTokenSeq.next();
    if (mHasCurToken && mMessage.GetDiagnosticObserver() != nullptr) {
        snapshot(mNameToken);
    }
    if (mHasCurToken) {
        mHasCurToken = mTokenSeq.next();
    }
    if (mHasCurToken) {
        snapshot(mCurToken);
        mHasNextToken = mTokenSeq.next();
    } else {
        mHasNextToken = false;
    }
    if (mHasNextToken) {
        snapshot(mNextToken);
    }
    if (mMessage.GetDiagnosticObserver() != nullptr) {
        mFirstToken = mCurToken;
        mSecondToken = mNextToken;
    }
    return mHasCurToken;
}

void UniversalParser::atCommandOpening() const {
    mMessage.At(IsSlash(mFirstToken) && IsWord(mSecondToken) ? mSecondToken : mFirstToken);
}

bool UniversalParser::nextToken() {
    mAtCommandStart = false;
    if (mHasCurToken) {
        ++mConsumed;
        if (!mHasNextToken) {
            // Moving past the last token: kept so that a report can point after it.
            mLastToken = std::move(mCurToken);
        }
        mCurToken = std::move(mNextToken);
        mHasCurToken = mHasNextToken;
        mHasNextToken = mHasCurToken && mTokenSeq.next();
    } else {
        mHasNextToken = false;
    }
    if (mHasNextToken) {
        snapshot(mNextToken);  // in place: the look-ahead's object serves every token
    } else {
        mNextToken = TokenInfoObj();
    }
    return mHasCurToken;
}

bool UniversalParser::grammarApplies() const {
    return mCommandDesc->hasSettingInfo();
}

bool UniversalParser::atCommandStart() const {
    return mAtCommandStart;
}

bool UniversalParser::atCommandEnd() const {
    return !mHasCurToken;
}

bool UniversalParser::atGroupStart() const {
    if (!IsSlash(mCurToken)) {
        return mAtCommandStart;
    }
    if (!IsWord(mNextToken)) {
        return false;
    }
    if (mCommandDesc->groupIsOnlyGlobal() || mAtCommandStart) {
        return true;
    }
    return mCommandDesc->isGroupSeparator(mNextToken.getUpperString());
}

bool UniversalParser::atGroupEnd() const {
    if (!mHasCurToken) {
        return true;
    }
    if (IsSlash(mCurToken) && IsWord(mNextToken)) {
        return !mCommandDesc->groupIsOnlyGlobal() &&
               mCommandDesc->isGroupSeparator(mNextToken.getUpperString());
    }
    return false;
}

bool UniversalParser::atGroupSeparator() const {
    return IsSlash(mCurToken) && IsWord(mNextToken) && !mCommandDesc->groupIsOnlyGlobal() &&
           mCommandDesc->isGroupSeparator(mNextToken.getUpperString());
}

bool UniversalParser::atSubComStart() const {
    if (IsSlash(mCurToken)) {
        return IsWord(mNextToken);
    }
    return mAtCommandStart;
}

bool UniversalParser::atSubComEnd() const {
    if (!mHasCurToken) {
        return true;
    }
    if (!IsSlash(mCurToken)) {
        return false;
    }
    if (!grammarApplies() || mCurParamDesc == nullptr || !mCurParamDesc->isSlashAllowed()) {
        return true;
    }
    // A value that may hold "/" ends only where a subcommand name follows.
    return mHasNextToken && IsWord(mNextToken) &&
           mCommandDesc->getSubComDescMult(mNextToken.getUpperString()) > 0;
}

const ParamDescriptor* UniversalParser::currentNamedParam(const std::string* upperWord) {
    if (mNamedAt != mConsumed || mNamedSubCom != mCurSubComDesc) {
        mNamedDesc = NamedParam(mCurSubComDesc, mCurToken, upperWord, mNamedExpected);
        // A hit leaves the place after it to be tried next.
        mNamedIndex = mNamedDesc != nullptr ? mNamedExpected - 1 : -1;
        mNamedAt = mConsumed;
        mNamedSubCom = mCurSubComDesc;
    }
    return mNamedDesc;
}

bool UniversalParser::atParameterStart() {
    if (!IsWord(mCurToken)) {
        return false;
    }
    if (grammarApplies() && mCurSubComDesc != nullptr && mCurSubComDesc->areParamByBlock()) {
        const ParamDescriptor* param = currentNamedParam();
        mExpectParam = false;
        if (param == nullptr) {
            return false;
        }
        switch (param->getBlockOption()) {
            case BlockByEqual:
                return mHasNextToken && HasCode(mNextToken, TokenSequenceBase::EqualSign);
            case BlockByParen:
                // Set even when no "(" follows; the caller then rejects the word.
                mInParen = true;
                return mHasNextToken && HasCode(mNextToken, TokenSequenceBase::LeftParen);
            default:
                return true;
        }
    }
    if (!IsOperator(mNextToken)) {
        return mExpectParam;
    }
    switch (mNextToken.getOperatorCode()) {
        case TokenSequenceBase::LeftParen:
            mInParen = true;
            mExpectParam = false;
            return true;
        case TokenSequenceBase::Slash:
            return mExpectParam;
        case TokenSequenceBase::EqualSign:
            mExpectParam = false;
            return true;
        default:
            return false;
    }
}

// A value ends at the end of its subcommand, before the name of the next parameter, and at the
// parenthesis that closes it. Both rules that find a name also decide whether the next word
// may start a parameter.
inline bool UniversalParser::parameterEnds() {
    if (atSubComEnd()) {
        return true;
    }
    const bool grammar = grammarApplies();
    if (grammar && IsWord(mCurToken) && !mInParen) {
        const EndVerdict named = atParamName();
        if (named != EndVerdict::Undecided) {
            return named == EndVerdict::Ends;
        }
    }
    if (mExpectParam) {
        return true;
    }
    const EndVerdict paren = atValueParen(grammar);
    if (paren != EndVerdict::Undecided) {
        return paren == EndVerdict::Ends;
    }
    return IsWord(mCurToken) && atNameBeforeEqual(grammar);
}

bool UniversalParser::atParameterEnd() {
    return parameterEnds();
}

// name-end := PARAMNAME   (by block: any name of the subcommand, unless the value is by "(")
// Elsewhere a keyword, or a parameter whose value is optional, lets the word start a parameter.
UniversalParser::EndVerdict UniversalParser::atParamName() {
    const SubComDescriptor* const subCom = mCurSubComDesc;
    if (subCom != nullptr && subCom->areParamByBlock()) {
        const ParamDescriptor* const named = currentNamedParam();
        if (named == nullptr ||
            (mCurParamDesc != nullptr && mCurParamDesc->getBlockOption() == BlockByParen)) {
            return EndVerdict::Continues;
        }
        mExpectParam = true;
        return EndVerdict::Ends;
    }
    // Most subcommands have no such parameter, and their values' words need no look-up.
    if (subCom == nullptr || !subCom->hasOptionalValueParams()) {
        return EndVerdict::Undecided;
    }
    const ParamDescriptor* const named = currentNamedParam();
    if (named != nullptr && (named->getParamType() == ParamKeyWord || !named->isValueRequired())) {
        mExpectParam = true;
    }
    return EndVerdict::Undecided;
}

// paren-end := ("(" | ")") (END | "/" | WORD)
// Without a grammar any parenthesis ends the value. With one, an open parenthesised value ends
// at its last parenthesis before the end, before a "/" the value may not hold, or before a word
// (by block, only the name of a by-parenthesis parameter).
UniversalParser::EndVerdict UniversalParser::atValueParen(bool grammar) const {
    if (!HasCode(mCurToken, TokenSequenceBase::LeftParen) &&
        !HasCode(mCurToken, TokenSequenceBase::RightParen)) {
        return EndVerdict::Undecided;
    }
    if (!grammar) {
        return EndVerdict::Ends;
    }
    const ParamDescriptor* const desc = mCurParamDesc;
    if (!mHasNextToken || (HasCode(mNextToken, TokenSequenceBase::Slash) && desc != nullptr &&
                           !desc->isSlashAllowed())) {
        return mInParen ? EndVerdict::Ends : EndVerdict::Undecided;
    }
    if (!mInParen || !IsWord(mNextToken)) {
        return EndVerdict::Undecided;
    }
    const SubComDescriptor* const subCom = mCurSubComDesc;
    if (subCom == nullptr || !subCom->areParamByBlock()) {
        return EndVerdict::Ends;
    }
    int expected = mNamedExpected;  // a look ahead, not a parameter found
    const bool nextByParen = NamedParam(subCom, mNextToken, nullptr, expected) != nullptr &&
                             desc != nullptr && desc->getBlockOption() == BlockByParen;
    return nextByParen ? EndVerdict::Ends : EndVerdict::Continues;
}

// equal-end := WORD "="   (not inside parentheses, not a qualifier written with "=")
bool UniversalParser::atNameBeforeEqual(bool grammar) {
    // Asked first: most words of a value have no "=" after them.
    if (!IsOperator(mNextToken) || !HasCode(mNextToken, TokenSequenceBase::EqualSign)) {
        return false;
    }
    if (grammar) {
        if (mInParen) {
            return false;
        }
        // A qualifier written with "=" belongs to the value being collected.
        if (mCurParamDesc != nullptr && mCurParamDesc->isQualByEqual(mCurToken.getUpperString())) {
            return false;
        }
    }
    mExpectParam = false;
    return true;
}

void UniversalParser::clearParamOccur() {
    mCurParamDesc = nullptr;
    mParamOccur.clear();
}

bool UniversalParser::ParamOccurrences::add(std::size_t position) {
    if (position >= mStamps.size()) {
        // Grown to the largest subcommand the command uses, at least twofold.
        mStamps.resize(std::max(position + 1, mStamps.size() * 2), 0);
    }
    const bool first = mStamps[position] != mCurrent;
    mStamps[position] = mCurrent;
    return first;
}

bool UniversalParser::ParamOccurrences::has(std::size_t position) const {
    return position < mStamps.size() && mStamps[position] == mCurrent;
}

void UniversalParser::ParamOccurrences::clear() {
    if (++mCurrent == 0) {
        // After 2^32 subcommands the stamps of long ago would read as current.
        std::fill(mStamps.begin(), mStamps.end(), 0u);
        mCurrent = 1;
    }
}

int& UniversalParser::subComOccurrence(const std::string& name) {
    if (!mSubComOccurHint.valid || !param_lookup::SameText(mSubComOccurHint.place->first, name)) {
        mSubComOccurHint.place = mSubComOccur.try_emplace(name, 0).first;
        mSubComOccurHint.valid = true;
    }
    return mSubComOccurHint.place->second;
}

void UniversalParser::clearSubComOccur() {
    clearParamOccur();
    mCurSubComDesc = nullptr;
    mSubComOccurHint.valid = false;
    mSubComOccur.clear();
}

void UniversalParser::clearGroupOccur() {
    clearSubComOccur();
    mCurGroupDesc = nullptr;
    mLastSubComDesc.group = nullptr;
    mGroupOccur.clear();
}

// One parser parses one command: a later call answers the first call's code and touches
// neither the stream (which may have said it has nothing more) nor the result tree. Memory
// running out is a failure of the parse like any other, reported once; whatever else a host
// service throws passes through, and the parse counts as failed.
int UniversalParser::getCommandSpecifications() {
    if (mParsed) {
        return mErrorCode;
    }
    mParsed = true;
    // Set here rather than in the constructors, so that a copy's messages ask the copy.
    mLocator.mParser = this;
    mMessage.SetDiagnosticLocator(&mLocator);
    try {
        return parseCommand();
    } catch (const std::bad_alloc&) {
        mMessage.InsufficientParsingMemory();
    } catch (...) {
        failUnnamed();
        throw;
    }
    failUnnamed();
    return mErrorCode;
}

void UniversalParser::failUnnamed() {
    if (mErrorCode == ParseCodes::Parsed) {
        mErrorCode = ParseCodes::UnnamedFailure;
    }
}

// command := NAME [group] {group}
int UniversalParser::parseCommand() {
    const CommandDescriptor& grammar = *mCommandDesc;
    // The tree describes this command alone; the rules about the whole command below (a
    // missing required group, the first stored group) read it so.
    mCommandSpec = CommandSpec();
    mCommandSpec.setCommandName(grammar.getCommandName());
    mMessage.SetCommandName(grammar.getCommandName().c_str());
    mMessage.SetProcedureTitle(grammar.getProcedureTitle().c_str());
    if (mMessage.GetDiagnosticObserver() != nullptr) {
        mExtents = dynamic_cast<const TokenExtentSource*>(&mTokenSeq);
    }

    startToken();
    clearGroupOccur();
    if (mHasCurToken && !processGroups()) {
        failUnnamed();
        return mErrorCode;
    }
    checkRequiredGroups();
    return mErrorCode;
}

// groups := group {"/" SEPARATOR group}
bool UniversalParser::processGroups() {
    const bool onlyGlobal = mCommandDesc->groupIsOnlyGlobal();
    // A command that opens with a separator has no global first group (unless the grammar is
    // the global group alone).
    bool global = onlyGlobal || !atGroupSeparator();
    while (true) {
        [[maybe_unused]] const long consumed = mConsumed;
        // A group that does not start properly is still parsed, so that it reports why.
        const bool starts = atGroupStart();
        GroupComObj group;
        if (starts && global) {
            group.setGroupGlobal();
        }
        const bool done = processGroupObj(group);
        mCommandSpec.addGroupObj(std::move(group));
        if (!starts || !done || !mHasCurToken) {
            return done;
        }
        assert(mConsumed > consumed);
        ++mGroupCount;
        global = onlyGlobal;
    }
}

// Every required group occurs in the command.
void UniversalParser::checkRequiredGroups() {
    if (!grammarApplies()) {
        return;
    }
    const CommandDescriptor& grammar = *mCommandDesc;
    const int groupCount = grammar.getGroupDescListSize();
    for (int index = 0; index < groupCount; ++index) {
        const GroupComDescriptor* groupDesc = grammar.getGroupDesc(index);
        if (!groupDesc->isGroupRequired() || mGroupOccur.count(index) != 0) {
            continue;
        }
        mErrorCode = ParseCodes::GroupMissing;
        if (mCommandSpec.getGroupListSize() == 0) {
            mMessage.CommandEmpty();
        } else if (groupDesc->getGroupType() == GroupGlobal) {
            const SubComObj* first = mCommandSpec.getGroupObj(0u)->getSubComObj(0u);
            atCommandOpening();
            mMessage.SubComNotAtStart(first != nullptr ? first->getSubComName().c_str() : "");
        } else if (groupDesc->getGroupSepListSize() == 1) {
            mMessage.SubComRequired(groupDesc->getGroupSepName(0));
        } else {
            mMessage.SubComRequired(groupDesc->getGroupSepNameList());
        }
        return;
    }
}

// group := ["/" SEPARATOR] subcommands
bool UniversalParser::processGroupObj(GroupComObj& group) {
    const std::string sepName = group.isGroupGlobal() ? std::string() : mNextToken.getUpperString();
    const bool slashFirst = IsSlash(mCurToken);
    const std::string subName = slashFirst ? mNextToken.getUpperString() : std::string();

    clearSubComOccur();

    const bool groupRules = grammarApplies() || mCommandDesc->getGroupDescListSize() > 0;
    if (groupRules && !enterGroup(sepName, subName)) {
        return false;
    }
    if (!processSubComs(group, slashFirst, subName) || !checkRequiredSubComs(group)) {
        return false;
    }
    if (groupRules) {
        mMessage.SetGroupIndex(-1);
        mMessage.SetGroupMsgText("");
        mMessage.SetGroupSepName("");
    }
    return true;
}

// The rules of a group's start: it may follow the group before, its separator opens a group of
// the grammar, and only a repeatable group occurs twice. Its messages then name the group.
bool UniversalParser::enterGroup(const std::string& sepName, const std::string& subName) {
    const CommandDescriptor& grammar = *mCommandDesc;
    // mCurGroupDesc is still the previous group's. The checks after this one still run and may
    // report once more.
    const bool afterFinal = followsFinalGroup();
    const int index = grammar.getGroupDescIndex(sepName);
    mCurGroupDesc = grammar.getGroupDesc(index);
    if (mCurGroupDesc == nullptr) {
        mErrorCode = ParseCodes::GroupNotAllowed;
        mMessage.At(IsSlash(mCurToken) ? mNextToken : mCurToken).SubComNotAllowed(subName.c_str());
        return false;
    }
    // Counted before the check: a rejected repetition counts too.
    const int occurrence = ++mGroupOccur[index];
    if (occurrence > 1 && mCurGroupDesc->getGroupType() != GroupRepeatable) {
        mErrorCode = ParseCodes::GroupRepeated;
        mMessage.At(mNextToken).SubComNotAllowed(sepName.c_str());
        return false;
    }
    if (afterFinal) {
        return false;
    }
    mMessage.SetGroupIndex(mCurGroupDesc->getGroupType() == GroupGlobal ? 0 : occurrence);
    mMessage.SetGroupMsgText(mCurGroupDesc->getMessageText());
    mMessage.SetGroupSepName(mCurGroupDesc->getGroupSepName(0));
    return true;
}

// Nothing may follow a final group; reports it and answers true when a group does.
bool UniversalParser::followsFinalGroup() {
    if (mCurGroupDesc == nullptr || mCurGroupDesc->getGroupType() != GroupFinal) {
        return false;
    }
    mErrorCode = ParseCodes::GroupNotAllowed;
    // About the group that may not come: its name. A required subcommand that is missing
    // (code 9) points where the group ended instead.
    mMessage.At(mNextToken);
    if (mCurGroupDesc->getGroupSepListSize() == 1) {
        mMessage.SubComRequired(mCurGroupDesc->getGroupSepName(0));
    } else {
        mMessage.InvalidSubComComb();
    }
    return true;
}

// subcommands := subcommand {"/" NAME subcommand}
bool UniversalParser::processSubComs(GroupComObj& group, bool slashFirst, std::string subName) {
    while (true) {
        [[maybe_unused]] const long consumed = mConsumed;
        const bool starts = atSubComStart();
        bool named = starts;
        if (slashFirst) {
            // A host may hand out a word without text (or one whose upper text starts with
            // NUL, which names compare as empty). It names no subcommand: the unnamed leading
            // part is never written after "/", and the parser steps past "/" and a name only
            // when there is a name.
            // A repeated subcommand's name is mostly the one before.
            const char* upper = mNextToken.getUpperString();
            if (!NamesText(subName, upper)) {
                subName = upper;
            }
            named = IsWord(mNextToken) && !subName.empty();
        }
        if (!named) {
            mErrorCode = ParseCodes::UnknownSubCom;
            // The name after "/", or the "/" that has none.
            mMessage.At(slashFirst && IsWord(mNextToken) ? mNextToken : mCurToken);
            mMessage.InvalidSubComName(subName.c_str());
        }
        // Stored before it is parsed, so that it is stored in every case. Should the parse
        // throw, the group being built is dropped with it.
        SubComObj& subCom = group.emplaceSubComObj(subName);
        const bool done = starts && named ? processSubCommand(subCom) : named;
        if (!starts || !done || !mHasCurToken || atGroupSeparator()) {
            return done;
        }
        assert(mConsumed > consumed);
        slashFirst = true;
    }
}

// Every required subcommand of the group occurs in it.
bool UniversalParser::checkRequiredSubComs(const GroupComObj& group) {
    if (!grammarApplies() || mCurGroupDesc == nullptr) {
        return true;
    }
    const int subComCount = mCurGroupDesc->getSubComDescListSize();
    for (int i = 0; i < subComCount; ++i) {
        const SubComDescriptor* subDesc = mCurGroupDesc->getSubComDesc(i);
        const std::string& name = subDesc->getSubComName();
        if (!subDesc->isSubComRequired() || mSubComOccur.count(name) != 0) {
            continue;
        }
        mErrorCode = ParseCodes::SubComMissing;
        // The unnamed leading part can only be missing because another subcommand came first.
        if (group.isGroupGlobal() && mGroupCount == 0 && group.getSubComListSize() > 0 &&
            name.empty()) {
            atCommandOpening();
            mMessage.SubComNotAtStart(group.getSubComObj(0u)->getSubComName().c_str());
        } else {
            mMessage.SubComRequired(name.c_str());
        }
        return false;
    }
    return true;
}

// subcommand := ["/" NAME] [value] {parameter}
bool UniversalParser::processSubCommand(SubComObj& subCom) {
    mExpectParam = true;
    mInParen = false;
    const std::string& name = subCom.getSubComName();
    bool counted = false;
    bool known = !grammarApplies() || enterSubCom(subCom, counted);
    // The name messages use: a counted occurrence's extended name, which the subcommand has
    // just formed; the unnamed part's messages name nothing.
    const std::string& extName = counted && !name.empty() ? subCom.getSubComExtName() : name;

    // Past the "/" and the name; a rejected name stays current.
    if (!name.empty()) {
        if (!nextToken()) {
            known = false;
        } else if (known) {
            nextToken();
        }
    }
    // Decided before the parameter state is cleared: a "/" after the name ends the subcommand
    // as the value before it would see it.
    const bool empty = known && atSubComEnd();
    clearParamOccur();
    if (!known) {
        return false;
    }
    if (!empty) {
        if (mLastParamCount.count > 1) {
            reserveParams(subCom);
        }
        const bool parsed = processSubComContent(subCom, extName);
        rememberParams(subCom);
        if (!parsed) {
            return false;
        }
    }
    return checkSubComContent(subCom, extName);
}

void UniversalParser::reserveParams(SubComObj& subCom) const {
    if (subCom.getSubComName() == mLastParamCount.subComName) {
        subCom.mParamList.reserve(mLastParamCount.count);
    }
}

// A subcommand that gives many parameters, with many more declared, gets room for all it
// declares once that is within three doublings: a list of 333,333 parameters then makes a
// quarter of the moves its doublings made, and ends without room to spare. The declared
// count bounds the room taken ahead to eight times what the list holds.
void UniversalParser::roomForDeclaredParams(SubComObj& subCom) const {
    constexpr std::size_t kMany = 64;
    uparser_detail::InlineList<ParamObj>& list = subCom.mParamList;
    const std::size_t size = list.size();
    if (size < kMany || size != list.capacity() || mCurSubComDesc == nullptr) {
        return;
    }
    const auto declared = static_cast<std::size_t>(mCurSubComDesc->getParamDescListSize());
    if (declared > 2 * size && declared <= 8 * size) {
        list.reserve(declared);
    }
}

void UniversalParser::rememberParams(const SubComObj& subCom) {
    mLastParamCount.count = subCom.getParamListSize();
    // One parameter or none needs no room ahead, and then the name is not compared.
    if (mLastParamCount.count > 1 && subCom.getSubComName() != mLastParamCount.subComName) {
        mLastParamCount.subComName = subCom.getSubComName();
    }
}

// The rules of a subcommand's name: the group knows it, and only a repeatable one occurs twice.
// Repeatable ones are counted, and their messages carry the count.
bool UniversalParser::enterSubCom(SubComObj& subCom, bool& counted) {
    const std::string& name = subCom.getSubComName();
    mCurSubComDesc = findSubComDesc(name);
    // The cursor stands on the "/" before the name: findings about the subcommand itself
    // point at the name.
    const TokenInfoObj& nameToken = IsSlash(mCurToken) ? mNextToken : mCurToken;
    if (mCurSubComDesc == nullptr) {
        if (mCommandDesc->getSubComDescMult(name) > 0) {
            mErrorCode = ParseCodes::SubComOfOtherGroup;
            mMessage.At(nameToken).SubComNotAllowed(name.c_str());
        } else {
            mErrorCode = ParseCodes::UnknownSubCom;
            mMessage.At(nameToken).InvalidSubComName(name.c_str());
        }
        return false;
    }
    const int count = ++subComOccurrence(name);
    if (!mCurSubComDesc->isSubComRepeatable()) {
        if (count == 1) {
            return true;
        }
        mErrorCode = ParseCodes::SubComRepeated;
        mMessage.At(nameToken).SubComRepeated(name.c_str());
        return false;
    }
    subCom.setSubComCount(count);
    counted = true;
    return true;
}

const SubComDescriptor* UniversalParser::findSubComDesc(const std::string& name) {
    if (mCurGroupDesc == nullptr) {
        return nullptr;
    }
    LastSubComDesc& last = mLastSubComDesc;
    if (last.group != mCurGroupDesc || !param_lookup::SameText(last.name, name)) {
        // Kept whole should copying the name fail: the group is set last.
        last.group = nullptr;
        last.name = name;
        last.desc = mCurGroupDesc->getSubComDesc(name);
        last.group = mCurGroupDesc;
    }
    return last.desc;
}

// content := arbitrary | [value] {parameter}
bool UniversalParser::processSubComContent(SubComObj& subCom, const std::string& extName) {
    const bool grammar = grammarApplies();
    bool arbitrary = mCommandDesc->areSubComArbitrary();
    if (grammar) {
        arbitrary = mCurSubComDesc->isSubComArbitrary();
        mCurParamDesc = mCurSubComDesc->getExportParamDesc();
    }
    if (arbitrary) {
        return processArbitraryValue(subCom);
    }
    if (grammar && mCurParamDesc != nullptr) {
        if (!processExportValue(subCom, extName)) {
            return false;
        }
        if (atSubComEnd()) {
            return true;
        }
    }
    return processParamLoop(subCom, extName);
}

// arbitrary := {token}   (the subcommand's value, checked after every token)
bool UniversalParser::processArbitraryValue(SubComObj& subCom) {
    const bool grammar = grammarApplies();
    // For a list whose tokens are checked one by one, a run that fit so far needs a look at
    // its new token only: checking the whole run again would make a long subcommand cost the
    // square of its length. A token that does not fit alone gets the full check, which
    // reports it.
    const bool eachToken = grammar && ChecksEachToken(mCurParamDesc);
    SingleTokenCheck alone(mCurParamDesc);
    while (!atSubComEnd()) {
        // Checked before it is moved into the value: the check asks the stream nothing.
        const bool fits = eachToken && alone.fits(mCurToken);
        // nextToken() replaces the current snapshot right away, so it is moved into the value;
        // the command's last token is copied, as the cursor keeps it for reports after it.
        if (mHasNextToken) {
            subCom.addParamExportToken(std::move(mCurToken));
        } else {
            subCom.addParamExportToken(mCurToken);
        }
        nextToken();
        if (!grammar || fits) {
            continue;
        }
        if (!subCom.exportParamObj()->canGetValue(mCurParamDesc, &mMessage)) {
            mErrorCode = ParseCodes::WrongValue;
            return false;
        }
    }
    return true;
}

// value := ["=" | "("] {token} [")"]   (the subcommand's unnamed leading value)
bool UniversalParser::processExportValue(SubComObj& subCom, const std::string& extName) {
    BlockForm form = {false, false, false};
    if (mCurSubComDesc->areParamByBlock()) {
        const BlockOptions option = mCurParamDesc->getBlockOption();
        form = blockForm(option, mHasNextToken && HasCode(mCurToken, TokenSequenceBase::EqualSign));
        // Under an option outside the enumeration the value is collected as it stands.
        form.opened = form.opened && IsBlockOption(option);
    }
    mExpectParam = false;
    if (form.opened) {
        if (HasCode(mCurToken, TokenSequenceBase::LeftParen) ||
            HasCode(mCurToken, TokenSequenceBase::EqualSign)) {
            return processOpenedExportValue(subCom, extName, form);
        }
        if (IsWord(mCurToken) && currentNamedParam() != nullptr) {
            // No leading value: the subcommand starts with its parameters.
            return checkExportValue(subCom);
        }
        if (!atParameterEnd()) {
            failValue(std::string(), extName);
            return false;
        }
    }
    collectExportTokens(subCom);
    return checkExportValue(subCom);
}

// opened-value := ("=" | "(") {token} [")"]
bool UniversalParser::processOpenedExportValue(SubComObj& subCom, const std::string& extName,
                                               const BlockForm& form) {
    if (HasCode(mCurToken, TokenSequenceBase::LeftParen)) {
        mInParen = true;
        if (!checkOpeningParen(form, extName, mCurToken)) {
            return false;
        }
    }
    if (!nextToken()) {
        return false;
    }
    collectExportTokens(subCom);
    if (!checkValueParens(form, extName, nullptr) || !closeExportValue(extName)) {
        return false;
    }
    return checkExportValue(subCom);
}

// export-tokens := {token}   (up to the end of the value)
void UniversalParser::collectExportTokens(SubComObj& subCom) {
    while (!parameterEnds()) {
        // nextToken() replaces the current snapshot right away, so it is moved into the value;
        // the command's last token is copied, as the cursor keeps it for reports after it.
        if (mHasNextToken) {
            subCom.addParamExportToken(std::move(mCurToken));
        } else {
            subCom.addParamExportToken(mCurToken);
        }
        nextToken();
    }
}

// close := ")"   (where the leading value was opened by "("; no other operator may follow it)
bool UniversalParser::closeExportValue(const std::string& extName) {
    if (!atSubComEnd() && IsOperator(mCurToken)) {
        const bool closing = mInParen && HasCode(mCurToken, TokenSequenceBase::RightParen);
        nextToken();
        if (!closing) {
            failValue(std::string(), extName);
            return false;
        }
        mInParen = false;
        return true;
    }
    if (mInParen) {
        // The ")" is missing, also when the subcommand ends here.
        failValue(std::string(), extName);
        return false;
    }
    return true;
}

// The leading value has the type its descriptor asks for.
bool UniversalParser::checkExportValue(SubComObj& subCom) {
    mExpectParam = true;
    if (mCurParamDesc->getParamType() != ParamTokenList && subCom.getTokenListSize() == 0) {
        return true;
    }
    if (!subCom.exportParamObj()->canGetValue(mCurParamDesc, &mMessage)) {
        mErrorCode = ParseCodes::WrongValue;
        return false;
    }
    return true;
}

// parameters := parameter {parameter}
bool UniversalParser::processParamLoop(SubComObj& subCom, const std::string& extName) {
    while (true) {
        [[maybe_unused]] const long consumed = mConsumed;
        const bool done = processParameter(subCom, extName);
        mInParen = false;
        if (!done) {
            return false;
        }
        assert(mConsumed > consumed);
        if (atSubComEnd()) {
            return true;
        }
    }
}

// parameter := NAME [value]   (stored in the subcommand even when it fails)
bool UniversalParser::processParameter(SubComObj& subCom, const std::string& extName) {
    const bool grammar = grammarApplies();
    const std::string word = mCurToken.getUpperString();
    const bool starts = startsParameter(word, extName);
    if (grammar) {
        roomForDeclaredParams(subCom);
    }
    // Stored before it is parsed, as it is stored in every case (see processSubComs).
    ParamObj& param = subCom.emplaceParamObj(mCurToken, extName);
    // The word is the keyword's upper text, the parameter's name.
    const bool parsed = starts && processParamObj(param, word, true);
    const bool done = parsed && (!grammar || checkParamValue(param));

    const bool parenUsed = param.areParenUsed();
    const ParamSpec type = param.getType();
    if (starts && !parsed && !grammar) {
        // Without a grammar the value's form failed silently; say so here.
        mErrorCode = ParseCodes::WrongValue;
        mMessage.WrongValueType(word.c_str(), extName.c_str());
    }
    if (!done) {
        return false;
    }
    if (parenUsed) {
        subCom.setParenUsed();
    } else if (type != ParamNoType && type != ParamKeyWord) {
        subCom.setEqualUsed();
    }
    return true;
}

// A parameter starts with a word at which one may start.
bool UniversalParser::startsParameter(const std::string& word, const std::string& extName) {
    if (!IsWord(mCurToken)) {
        mErrorCode = ParseCodes::InvalidParam;
        mMessage.InvalidParam(word.c_str(), extName.c_str());
        return false;
    }
    if (!atParameterStart()) {
        mErrorCode = ParseCodes::WrongValue;
        mMessage.WrongValueType(word.c_str(), extName.c_str());
        return false;
    }
    return true;
}

// The parameter's value has the type its descriptor asks for.
bool UniversalParser::checkParamValue(ParamObj& param) {
    if (!param.canGetValue(mCurParamDesc, &mMessage)) {
        mErrorCode = ParseCodes::WrongValue;
        return false;
    }
    return true;
}

// A subcommand holds what its grammar requires: its required parameters, a required leading
// value before any parameter, and some content unless it may be empty.
bool UniversalParser::checkSubComContent(const SubComObj& subCom, const std::string& extName) {
    if (!grammarApplies()) {
        return true;
    }
    const SubComDescriptor& subDesc = *mCurSubComDesc;
    if (subDesc.hasParameters()) {
        const int paramCount = subDesc.getParamDescListSize();
        int requiredLeft = subDesc.getRequiredParamCount();
        for (int i = 0; i < paramCount && requiredLeft > 0; ++i) {
            const ParamDescriptor* desc = subDesc.getParamDesc(i);
            if (!desc->isParamRequired()) {
                continue;
            }
            --requiredLeft;
            if (!mParamOccur.has(static_cast<std::size_t>(i))) {
                mErrorCode = ParseCodes::ParamMissing;
                mMessage.ParamRequiredForSubCom(desc->getParamName().c_str(), extName.c_str());
                return false;
            }
        }
    }
    const ParamDescriptor* exportDesc = subDesc.getExportParamDesc();
    if (subCom.getTokenListSize() == 0 && exportDesc != nullptr && exportDesc->isParamRequired()) {
        if (subCom.getParamListSize() > 0) {
            mErrorCode = ParseCodes::ParamMissing;
            mMessage.At(subCom.getParamObj(0u)->getKeyWordToken());
            mMessage.ParamNotAtStart(subCom.getParamObj(0u)->getParamName().c_str(),
                                     extName.c_str());
        } else {
            mErrorCode = ParseCodes::SubComEmpty;
            mMessage.SubComEmpty(extName.c_str());
        }
        return false;
    }
    if (subCom.getParamListSize() == 0 && subCom.getTokenListSize() == 0 &&
        !subDesc.isEmptyAllowed()) {
        mErrorCode = ParseCodes::SubComEmpty;
        mMessage.SubComEmpty(extName.c_str());
        return false;
    }
    return true;
}

void UniversalParser::failValue(const std::string& paramName, const std::string& extName) {
    if (grammarApplies()) {
        mErrorCode = ParseCodes::WrongValue;
        mMessage.WrongValueType(paramName.c_str(), extName.c_str());
    }
}

// parameter := NAME | NAME "=" value | NAME "(" value ")"
bool UniversalParser::processParamObj(ParamObj& param) {
    const std::string paramName = param.getParamName();
    return processParamObj(param, paramName,
                           NamesText(paramName, mCurToken.getUpperString()));
}

bool UniversalParser::processParamObj(ParamObj& param, const std::string& paramName,
                                      bool namesCurrent) {
    const bool grammar = grammarApplies();
    // processParameter gave the parameter the name of the subcommand it stands in.
    const std::string none;
    const std::string& extName = grammar ? param.getSubComExtName() : none;
    if (grammar && !enterParameter(paramName, extName, namesCurrent)) {
        return false;
    }

    // A keyword standing alone.
    if (mExpectParam && (!IsOperator(mNextToken) || IsSlash(mNextToken))) {
        param.setType(ParamKeyWord);
        nextToken();
        return true;
    }

    BlockForm form = {true, false, false};
    if (grammar && mCurSubComDesc != nullptr && mCurSubComDesc->areParamByBlock()) {
        form = blockForm(mCurParamDesc->getBlockOption(),
                         mHasNextToken && HasCode(mNextToken, TokenSequenceBase::EqualSign));
    }
    if (!openParamValue(form, extName)) {
        return false;
    }
    nextToken();
    // A block keyword that takes no value here.
    if (!form.opened && atParameterEnd()) {
        param.setType(ParamKeyWord);
        return true;
    }
    if (!startsValue(paramName, extName) || !collectValue(param, paramName, extName)) {
        return false;
    }
    if (grammar && !checkValueParens(form, extName, &param)) {
        return false;
    }
    return closeParamValue(param, paramName, extName);
}

// The rules of a parameter's name: the subcommand knows it, and it occurs once in each
// occurrence of the subcommand.
bool UniversalParser::enterParameter(const std::string& paramName, const std::string& extName,
                                     bool namesCurrent) {
    // The position, not the address: declarations lie in blocks, not in one array.
    int index = -1;
    if (mCurSubComDesc != nullptr && namesCurrent) {
        // The usual case: the parameter is named by the current word, often looked up already.
        mCurParamDesc = currentNamedParam(&paramName);
        index = mNamedIndex;
    } else {
        index = mCurSubComDesc != nullptr ? mCurSubComDesc->getParamDescIndex(paramName) : -1;
        mCurParamDesc = mCurSubComDesc != nullptr ? mCurSubComDesc->getParamDesc(index) : nullptr;
    }
    if (mCurParamDesc == nullptr) {
        mErrorCode = ParseCodes::InvalidParam;
        mMessage.InvalidParam(paramName.c_str(), extName.c_str());
        return false;
    }
    if (!mParamOccur.add(static_cast<std::size_t>(index))) {
        mErrorCode = ParseCodes::ParamRepeated;
        mMessage.ParamRepeated(paramName.c_str(), extName.c_str());
        return false;
    }
    return true;
}

// opening := "=" | "("   (none for a block keyword without a value)
bool UniversalParser::openParamValue(const BlockForm& form, const std::string& extName) {
    if (!form.opened) {
        mExpectParam = false;
        return true;
    }
    if (IsOperator(mNextToken) && HasCode(mNextToken, TokenSequenceBase::LeftParen)) {
        mInParen = true;
    } else if (!IsOperator(mNextToken) || !HasCode(mNextToken, TokenSequenceBase::EqualSign)) {
        return false;
    }
    mExpectParam = false;
    if (grammarApplies() && !checkOpeningParen(form, extName, mNextToken)) {
        return false;
    }
    return nextToken();
}

// A value written in parentheses where neither the subcommand nor its block option allows them.
bool UniversalParser::checkOpeningParen(const BlockForm& form, const std::string& extName,
                                        const TokenInfoObj& paren) {
    if (mInParen && !mCurSubComDesc->areParamByParen() && !form.byParen) {
        mErrorCode = ParseCodes::ParenNotAllowed;
        mMessage.At(paren).ParenNotAllowed(extName.c_str());
        return false;
    }
    return true;
}

// Parentheses around a collected value, as the subcommand and the block option want them.
bool UniversalParser::checkValueParens(const BlockForm& form, const std::string& extName,
                                       const ParamObj* value) {
    if (mInParen && (mCurSubComDesc->areParamByEqual() || form.byEqual)) {
        mErrorCode = ParseCodes::ParenNotAllowed;
        mMessage.ParenNotAllowed(extName.c_str());
        return false;
    }
    if (!mInParen && (mCurSubComDesc->areParamByParen() || form.byParen)) {
        mErrorCode = ParseCodes::ParenRequired;
        // A parameter's value, when it has tokens; the export value stays at the cursor.
        if (value != nullptr && value->getTokenListSize() > 0) {
            mMessage.At(*value->getTokenObj(0), *value->getTokenObj(value->getTokenListSize() - 1));
        }
        mMessage.ParenRequired(extName.c_str());
        return false;
    }
    return true;
}

// A value begins with a token of the command, and not with the ")" of empty parentheses.
bool UniversalParser::startsValue(const std::string& paramName, const std::string& extName) {
    if (!mHasCurToken) {
        failValue(paramName, extName);
        return false;
    }
    if (mCurToken.getType() == TokenSequenceBase::NoToken ||
        mCurToken.getType() == TokenSequenceBase::EndToken) {
        return false;
    }
    if (mInParen && HasCode(mCurToken, TokenSequenceBase::RightParen)) {
        failValue(paramName, extName);
        return false;
    }
    return true;
}

// close := [")"]   (the ")" of a value opened by "("; no other operator may follow a value)
bool UniversalParser::closeParamValue(ParamObj& param, const std::string& paramName,
                                      const std::string& extName) {
    const bool closing = mInParen && HasCode(mCurToken, TokenSequenceBase::RightParen);
    if (!atSubComEnd() && IsOperator(mCurToken) && !closing) {
        nextToken();
        failValue(paramName, extName);
        return false;
    }
    if (!mInParen) {
        return true;
    }
    if (!closing) {
        failValue(paramName, extName);
        return false;
    }
    nextToken();
    param.setParenUsed();
    mInParen = false;
    mExpectParam = true;
    return true;
}

// value := token {token}   (without the square brackets the grammar allows around it)
bool UniversalParser::collectValue(ParamObj& param, const std::string& paramName,
                                   const std::string& extName) {
    const bool brackets = grammarApplies() && mCurParamDesc->getBracketOption() != BracketNone;
    if (!brackets && param.isNoType()) {
        // Straight into the parameter: the tokens of a long value are not copied twice.
        if (atParameterEnd()) {
            failValue(paramName, extName);
            return false;
        }
        param.setType(ParamTokenList);
        // The list holds one token without a heap block. A number or literal after it never
        // ends the value, so such a value is a list: room for four at once then.
        if (mHasNextToken && (mNextToken.IsNumber() || mNextToken.IsLiteral())) {
            param.mTokenList.reserve(4);
        }
        while (true) {
            if (mHasNextToken) {
                param.appendToken(std::move(mCurToken));  // as in collectExportTokens
            } else {
                param.addTokenObj(mCurToken);
            }
            nextToken();
            if (atParameterEnd()) {
                return true;
            }
            // Most values are one token and get room for one. A second token makes a list,
            // usually of a few: room for four then, rather than regrowing at two and at three.
            if (param.mTokenList.size() == 1) {
                param.mTokenList.reserve(4);
            }
        }
    }
    std::vector<TokenInfoObj> tokens;
    if (!processTokenList(tokens)) {
        failValue(paramName, extName);
        return false;
    }
    if (brackets && !removeBrackets(tokens, param, paramName, extName)) {
        return false;
    }
    param.setType(ParamTokenList);
    return param.setTokenList(tokens);
}

// bracketed := "[" {token} "]"   (required always, or for a list of two tokens or more)
bool UniversalParser::removeBrackets(std::vector<TokenInfoObj>& tokens, ParamObj& param,
                                     const std::string& paramName, const std::string& extName) {
    const ParamDescriptor& desc = *mCurParamDesc;
    const BracketOptions option = desc.getBracketOption();
    if (tokens.size() >= 2 && HasCode(tokens.front(), TokenSequenceBase::LeftBracket) &&
        HasCode(tokens.back(), TokenSequenceBase::RightBracket)) {
        tokens.pop_back();
        tokens.erase(tokens.begin());
        param.setBracketsUsed(true);
    } else if (option == BracketRequired || (option == BracketForList && tokens.size() >= 2)) {
        mErrorCode = ParseCodes::BracketsRequired;
        if (!tokens.empty()) {
            mMessage.At(tokens.front(), tokens.back());
        }
        mMessage.SquareBracketRequired(paramName.c_str(), extName.c_str());
        return false;
    }
    if (desc.isValueRequired() && tokens.empty()) {
        failValue(paramName, extName);
        return false;
    }
    return true;
}

// tokens := token {token}   (up to the end of the value)
bool UniversalParser::processTokenList(std::vector<TokenInfoObj>& tokens) {
    tokens.clear();
    if (atParameterEnd()) {
        return false;
    }
    do {
        // nextToken() replaces the current snapshot right away; nothing reads it in between.
        tokens.push_back(std::move(mCurToken));
        nextToken();
    } while (!atParameterEnd());
    return true;
}
