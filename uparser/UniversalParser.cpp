#include "uparser/UniversalParser.h"

#include <cassert>
#include <fstream>
#include <new>
#include <ostream>
#include <utility>

#include "uparser/ParserUtility.h"
#include "uparser/UPSpecTypes.h"

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
    if (desc == nullptr) {
        return false;
    }
    switch (desc->getParamType()) {
        case ParamStringList:
        case ParamLiteralList:
        case ParamNumberList:
        case ParamIntegerList:
        case ParamVarList:
            return true;
        default:
            return false;
    }
}

bool FitsAlone(const TokenInfoObj& token, const ParamDescriptor& desc) {
    ParamObj one(TokenInfoObj(), ParamTokenList);
    one.addTokenObj(token);
    return one.canGetValue(&desc, nullptr);
}

// The name under which messages show a subcommand: repeatable ones carry their occurrence.
std::string ExtendedName(const std::string& name, bool repeatable, int count) {
    if (!repeatable || name.empty()) {
        return name;
    }
    return AppendIndexToString(name + " ", count);
}

}  // namespace

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
    mErrorCode = 0;
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

TokenInfoObj UniversalParser::snapshot() const {
    TokenInfoObj token(mTokenSeq);
    if (mExtents != nullptr) {
        token.setExtent(mExtents->getEndColumn(), static_cast<long long>(mExtents->getByteOffset()));
    }
    return token;
}

bool UniversalParser::startToken() {
    // The stream's first token is the command name.
    mHasCurToken = mTokenSeq.next();
    if (mHasCurToken && mMessage.GetDiagnosticObserver() != nullptr) {
        mNameToken = snapshot();
    }
    if (mHasCurToken) {
        mHasCurToken = mTokenSeq.next();
    }
    if (mHasCurToken) {
        mCurToken = snapshot();
        mHasNextToken = mTokenSeq.next();
    } else {
        mHasNextToken = false;
    }
    if (mHasNextToken) {
        mNextToken = snapshot();
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
        mNextToken = snapshot();
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

bool UniversalParser::atParameterStart() {
    if (!IsWord(mCurToken)) {
        return false;
    }
    if (grammarApplies() && mCurSubComDesc != nullptr && mCurSubComDesc->areParamByBlock()) {
        const ParamDescriptor* param = mCurSubComDesc->getParamDesc(mCurToken.getUpperString());
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

bool UniversalParser::atParameterEnd() {
    if (atSubComEnd()) {
        return true;
    }
    const bool grammar = grammarApplies();
    const ParamDescriptor* const desc = mCurParamDesc;
    const SubComDescriptor* const subCom = mCurSubComDesc;
    const bool byBlock = subCom != nullptr && subCom->areParamByBlock();
    const bool word = IsWord(mCurToken);

    // A word that names a parameter of the subcommand closes the value before it.
    if (grammar && word && !mInParen) {
        const ParamDescriptor* named =
            subCom != nullptr ? subCom->getParamDesc(mCurToken.getUpperString()) : nullptr;
        if (byBlock) {
            if (named == nullptr) {
                return false;
            }
            if (desc != nullptr && desc->getBlockOption() == BlockByParen) {
                return false;
            }
            mExpectParam = true;
            return true;
        }
        if (named != nullptr &&
            (named->getParamType() == ParamKeyWord || !named->isValueRequired())) {
            mExpectParam = true;
        }
    }
    if (mExpectParam) {
        return true;
    }

    if (HasCode(mCurToken, TokenSequenceBase::LeftParen) ||
        HasCode(mCurToken, TokenSequenceBase::RightParen)) {
        if (!grammar) {
            return true;
        }
        if (!mHasNextToken || (HasCode(mNextToken, TokenSequenceBase::Slash) && desc != nullptr &&
                               !desc->isSlashAllowed())) {
            if (mInParen) {
                return true;
            }
        } else if (mInParen && IsWord(mNextToken)) {
            if (!byBlock) {
                return true;
            }
            return subCom->getParamDesc(mNextToken.getUpperString()) != nullptr &&
                   desc != nullptr && desc->getBlockOption() == BlockByParen;
        }
    }

    if (word) {
        if (grammar) {
            if (mInParen) {
                return false;
            }
            // A qualifier written with "=" belongs to the value being collected.
            if (desc != nullptr && desc->isQualByEqual(mCurToken.getUpperString())) {
                return false;
            }
        }
        if (IsOperator(mNextToken) && HasCode(mNextToken, TokenSequenceBase::EqualSign)) {
            mExpectParam = false;
            return true;
        }
    }
    return false;
}

void UniversalParser::clearParamOccur() {
    mCurParamDesc = nullptr;
    mParamOccur.clear();
}

void UniversalParser::clearSubComOccur() {
    clearParamOccur();
    mCurSubComDesc = nullptr;
    mSubComOccur.clear();
}

void UniversalParser::clearGroupOccur() {
    clearSubComOccur();
    mCurGroupDesc = nullptr;
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
    if (mErrorCode == 0) {
        mErrorCode = 1;
    }
}

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

    bool onlyGlobal = false;
    bool firstGlobal = false;
    bool more = false;
    bool ok = true;
    if (mHasCurToken) {
        onlyGlobal = grammar.groupIsOnlyGlobal();
        // A command that opens with a separator has no global first group (unless the
        // grammar is the global group alone).
        firstGlobal = true;
        if (IsSlash(mCurToken) && IsWord(mNextToken) &&
            grammar.isGroupSeparator(mNextToken.getUpperString())) {
            firstGlobal = onlyGlobal;
        }
        more = true;
        ok = false;
    }

    clearGroupOccur();

    while (more) {
        [[maybe_unused]] const long consumed = mConsumed;
        // A group that does not start properly is still parsed, so that it reports why.
        if (!atGroupStart()) {
            more = false;
        }
        GroupComObj group;
        if (more && firstGlobal) {
            group.setGroupGlobal();
        }
        ok = processGroupObj(group);
        mCommandSpec.addGroupObj(std::move(group));
        if (more) {
            if (ok && mHasCurToken) {
                assert(mConsumed > consumed);
                ++mGroupCount;
                firstGlobal = onlyGlobal;
            } else {
                more = false;
            }
        }
    }

    if (!ok) {
        failUnnamed();
        return mErrorCode;
    }

    if (grammarApplies()) {
        const int groupCount = grammar.getGroupDescListSize();
        for (int index = 0; index < groupCount; ++index) {
            const GroupComDescriptor* groupDesc = grammar.getGroupDesc(index);
            if (!groupDesc->isGroupRequired() || mGroupOccur.count(index) != 0) {
                continue;
            }
            mErrorCode = 5;
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
            return mErrorCode;
        }
    }
    return mErrorCode;
}

bool UniversalParser::processGroupObj(GroupComObj& group) {
    const CommandDescriptor& grammar = *mCommandDesc;
    bool ok = true;
    bool result = false;
    const std::string sepName = group.isGroupGlobal() ? std::string() : mNextToken.getUpperString();
    bool slashFirst = IsSlash(mCurToken);
    std::string subName = slashFirst ? mNextToken.getUpperString() : std::string();

    clearSubComOccur();

    const bool groupRules = grammarApplies() || grammar.getGroupDescListSize() > 0;
    if (groupRules) {
        // mCurGroupDesc is still the previous group's: nothing may follow a final group.
        // The checks below still run and may report once more.
        if (mCurGroupDesc != nullptr && mCurGroupDesc->getGroupType() == GroupFinal) {
            mErrorCode = 2;
            // About the group that may not come: its name. A required subcommand that is
            // missing (code 9) points where the group ended instead.
            mMessage.At(mNextToken);
            if (mCurGroupDesc->getGroupSepListSize() == 1) {
                mMessage.SubComRequired(mCurGroupDesc->getGroupSepName(0));
            } else {
                mMessage.InvalidSubComComb();
            }
            ok = false;
        }
        const int index = grammar.getGroupDescIndex(sepName);
        mCurGroupDesc = grammar.getGroupDesc(index);
        if (mCurGroupDesc == nullptr) {
            mErrorCode = 2;
            mMessage.At(slashFirst ? mNextToken : mCurToken).SubComNotAllowed(subName.c_str());
            return false;
        }
        // Counted before the check: a rejected repetition counts too.
        const int occurrence = ++mGroupOccur[index];
        if (occurrence > 1 && mCurGroupDesc->getGroupType() != GroupRepeatable) {
            mErrorCode = 4;
            mMessage.At(mNextToken).SubComNotAllowed(sepName.c_str());
            return false;
        }
        if (!ok) {
            return false;
        }
        mMessage.SetGroupIndex(mCurGroupDesc->getGroupType() == GroupGlobal ? 0 : occurrence);
        mMessage.SetGroupMsgText(mCurGroupDesc->getMessageText());
        mMessage.SetGroupSepName(mCurGroupDesc->getGroupSepName(0));
    }

    while (ok) {
        [[maybe_unused]] const long consumed = mConsumed;
        if (!atSubComStart()) {
            ok = false;
        }
        if (slashFirst) {
            // A host may hand out a word without text (or one whose upper text starts with
            // NUL, which names compare as empty). It names no subcommand: the unnamed leading
            // part is never written after "/", and the parser steps past "/" and a name only
            // when there is a name.
            subName = mNextToken.getUpperString();
            result = IsWord(mNextToken) && !subName.empty();
        } else {
            result = ok;
        }
        if (!result) {
            mErrorCode = 6;
            // The name after "/", or the "/" that has none.
            mMessage.At(slashFirst && IsWord(mNextToken) ? mNextToken : mCurToken);
            mMessage.InvalidSubComName(subName.c_str());
            ok = false;
        }
        SubComObj subCom(subName);
        if (ok && result) {
            result = processSubCommand(subCom);
        }
        group.addSubComObj(std::move(subCom));
        if (ok && result) {
            assert(mConsumed > consumed);
            if (!mHasCurToken || atGroupSeparator()) {
                ok = false;
            } else {
                slashFirst = true;
            }
        }
        if (!result) {
            ok = false;
        }
    }

    if (result && grammarApplies() && mCurGroupDesc != nullptr) {
        const int subComCount = mCurGroupDesc->getSubComDescListSize();
        for (int i = 0; i < subComCount; ++i) {
            const SubComDescriptor* subDesc = mCurGroupDesc->getSubComDesc(i);
            const std::string& name = subDesc->getSubComName();
            if (!subDesc->isSubComRequired() || mSubComOccur.count(name) != 0) {
                continue;
            }
            mErrorCode = 9;
            // The unnamed leading part can only be missing because another subcommand came
            // first.
            if (group.isGroupGlobal() && mGroupCount == 0 && group.getSubComListSize() > 0 &&
                name.empty()) {
                atCommandOpening();
                mMessage.SubComNotAtStart(group.getSubComObj(0u)->getSubComName().c_str());
            } else {
                mMessage.SubComRequired(name.c_str());
            }
            result = false;
            break;
        }
    }

    if (result && groupRules) {
        mMessage.SetGroupIndex(-1);
        mMessage.SetGroupMsgText("");
        mMessage.SetGroupSepName("");
    }
    return result;
}

bool UniversalParser::processSubCommand(SubComObj& subCom) {
    const bool grammar = grammarApplies();
    mExpectParam = true;
    mInParen = false;
    bool ok = true;
    bool done = false;
    const std::string& name = subCom.getSubComName();
    std::string extName = name;

    if (grammar) {
        mCurSubComDesc = mCurGroupDesc != nullptr ? mCurGroupDesc->getSubComDesc(name) : nullptr;
        // The cursor stands on the "/" before the name: findings about the subcommand
        // itself point at the name.
        const TokenInfoObj& nameToken = IsSlash(mCurToken) ? mNextToken : mCurToken;
        if (mCurSubComDesc == nullptr) {
            if (mCommandDesc->getSubComDescMult(name) > 0) {
                mErrorCode = 7;
                mMessage.At(nameToken).SubComNotAllowed(name.c_str());
            } else {
                mErrorCode = 6;
                mMessage.At(nameToken).InvalidSubComName(name.c_str());
            }
            ok = false;
        } else {
            const int count = ++mSubComOccur[name];
            const bool repeatable = mCurSubComDesc->isSubComRepeatable();
            if (count > 1 && !repeatable) {
                mErrorCode = 8;
                mMessage.At(nameToken).SubComRepeated(name.c_str());
                ok = false;
            }
            if (repeatable) {
                subCom.setSubComCount(count);
                extName = ExtendedName(name, true, count);
            }
        }
    }

    // Past the "/" and the name.
    if (!name.empty()) {
        if (!nextToken()) {
            ok = false;
        } else if (ok) {
            nextToken();
        }
    }

    if (ok) {
        done = true;
        if (atSubComEnd()) {
            ok = false;
        }
    }

    clearParamOccur();

    if (ok) {
        bool arbitrary;
        if (grammar) {
            arbitrary = mCurSubComDesc->isSubComArbitrary();
            mCurParamDesc = mCurSubComDesc->getExportParamDesc();
        } else {
            arbitrary = mCommandDesc->areSubComArbitrary();
        }
        if (arbitrary) {
            // The value is checked after every token. For a list whose tokens are checked one
            // by one, a run that fit so far needs a look at its new token only: checking the
            // whole run again would make a long subcommand cost the square of its length. A
            // token that does not fit alone gets the full check, which reports it.
            const bool eachToken = grammar && ChecksEachToken(mCurParamDesc);
            while (!atSubComEnd()) {
                subCom.addParamExportToken(mCurToken);
                nextToken();
                if (grammar) {
                    const unsigned count = subCom.getTokenListSize();
                    if (eachToken && done && FitsAlone(*subCom.getTokenObj(count - 1),
                                                       *mCurParamDesc)) {
                        continue;
                    }
                    done = subCom.exportParamObj()->canGetValue(mCurParamDesc, &mMessage);
                    if (!done) {
                        mErrorCode = 12;
                        break;
                    }
                }
            }
        } else {
            bool parameters = true;
            if (grammar && mCurParamDesc != nullptr) {
                if (!processExportValue(subCom, extName, done)) {
                    return false;
                }
                parameters = !atSubComEnd();
            }
            if (parameters) {
                processParamLoop(subCom, extName, done);
            }
        }
    }

    if (done && !checkSubComContent(subCom, extName)) {
        return false;
    }
    return done;
}

bool UniversalParser::processExportValue(SubComObj& subCom, const std::string& extName,
                                         bool& done) {
    const SubComDescriptor& subDesc = *mCurSubComDesc;
    const ParamDescriptor& desc = *mCurParamDesc;
    bool ok = true;
    bool opened = false;
    bool forbidsParen = false;
    bool needsParen = false;
    bool open = false;
    mExpectParam = false;

    if (subDesc.areParamByBlock()) {
        forbidsParen = true;
        switch (desc.getBlockOption()) {
            case BlockNoValue:
                break;
            case BlockByEqual:
                open = true;
                break;
            case BlockOptEqual:
                open = mHasNextToken && HasCode(mCurToken, TokenSequenceBase::EqualSign);
                break;
            case BlockByParen:
                forbidsParen = false;
                needsParen = true;
                open = true;
                break;
            default:
                break;
        }
    }

    if (open) {
        opened = true;
        if (HasCode(mCurToken, TokenSequenceBase::LeftParen)) {
            mInParen = true;
        } else if (HasCode(mCurToken, TokenSequenceBase::EqualSign)) {
            // The value follows the "=".
        } else if (IsWord(mCurToken) &&
                   subDesc.getParamDesc(mCurToken.getUpperString()) != nullptr) {
            // No leading value: the subcommand starts with its parameters.
            ok = false;
            opened = false;
        } else if (atParameterEnd()) {
            opened = false;
        } else {
            failValue(std::string(), extName);
            return false;
        }
        if (mInParen && !subDesc.areParamByParen() && !needsParen) {
            mErrorCode = 15;
            mMessage.ParenNotAllowed(extName.c_str());
            return false;
        }
        if (opened && ok && !nextToken()) {
            return false;
        }
    }

    if (ok) {
        while (!atParameterEnd()) {
            subCom.addParamExportToken(mCurToken);
            nextToken();
        }
    }

    if (opened && ok) {
        if (!mInParen && (subDesc.areParamByParen() || needsParen)) {
            mErrorCode = 16;
            mMessage.ParenRequired(extName.c_str());
            return false;
        }
        if (mInParen && (subDesc.areParamByEqual() || forbidsParen)) {
            mErrorCode = 15;
            mMessage.ParenNotAllowed(extName.c_str());
            return false;
        }
        const bool subComEnd = atSubComEnd();
        if (!subComEnd && IsOperator(mCurToken)) {
            const bool closing = mInParen && HasCode(mCurToken, TokenSequenceBase::RightParen);
            nextToken();
            if (!closing) {
                failValue(std::string(), extName);
                return false;
            }
            done = true;
            mInParen = false;
        } else if (mInParen) {
            // The ")" is missing, also when the subcommand ends here.
            failValue(std::string(), extName);
            return false;
        }
    }

    mExpectParam = true;
    if (desc.getParamType() == ParamTokenList || subCom.getTokenListSize() > 0) {
        done = subCom.exportParamObj()->canGetValue(&desc, &mMessage);
        if (!done) {
            mErrorCode = 12;
            return false;
        }
    }
    return true;
}

void UniversalParser::processParamLoop(SubComObj& subCom, const std::string& extName, bool& done) {
    const bool grammar = grammarApplies();
    bool more = true;
    while (more) {
        [[maybe_unused]] const long consumed = mConsumed;
        const std::string word = mCurToken.getUpperString();
        if (IsWord(mCurToken)) {
            more = atParameterStart();
            if (!more) {
                mErrorCode = 12;
                mMessage.WrongValueType(word.c_str(), extName.c_str());
            }
        } else {
            mErrorCode = 11;
            mMessage.InvalidParam(word.c_str(), extName.c_str());
            more = false;
        }

        ParamObj param(mCurToken, ParamNoType);
        param.setSubComExtName(extName);
        if (more) {
            done = processParamObj(param);
            if (grammar) {
                if (!done) {
                    more = false;
                } else {
                    done = param.canGetValue(mCurParamDesc, &mMessage);
                    if (!done) {
                        mErrorCode = 12;
                        more = false;
                    }
                }
            }
        } else {
            done = false;
        }

        const bool parenUsed = param.areParenUsed();
        const ParamSpec type = param.getType();
        subCom.addParamObj(std::move(param));

        if (done) {
            assert(mConsumed > consumed);
            if (parenUsed) {
                subCom.setParenUsed();
            } else if (type != ParamNoType && type != ParamKeyWord) {
                subCom.setEqualUsed();
            }
        } else if (more) {
            // Without a grammar the value's form failed silently; say so here.
            mErrorCode = 12;
            mMessage.WrongValueType(word.c_str(), extName.c_str());
            more = false;
        }
        mInParen = false;
        if (atSubComEnd()) {
            more = false;
        }
    }
}

bool UniversalParser::checkSubComContent(const SubComObj& subCom, const std::string& extName) {
    if (!grammarApplies()) {
        return true;
    }
    const SubComDescriptor& subDesc = *mCurSubComDesc;
    if (subDesc.hasParameters()) {
        const int paramCount = subDesc.getParamDescListSize();
        for (int i = 0; i < paramCount; ++i) {
            const ParamDescriptor* desc = subDesc.getParamDesc(i);
            if (desc->isParamRequired() && mParamOccur.count(desc->getParamName()) == 0) {
                mErrorCode = 14;
                mMessage.ParamRequiredForSubCom(desc->getParamName().c_str(), extName.c_str());
                return false;
            }
        }
    }
    const ParamDescriptor* exportDesc = subDesc.getExportParamDesc();
    if (subCom.getTokenListSize() == 0 && exportDesc != nullptr && exportDesc->isParamRequired()) {
        if (subCom.getParamListSize() > 0) {
            mErrorCode = 14;
            mMessage.At(subCom.getParamObj(0u)->getKeyWordToken());
            mMessage.ParamNotAtStart(subCom.getParamObj(0u)->getParamName().c_str(),
                                     extName.c_str());
        } else {
            mErrorCode = 10;
            mMessage.SubComEmpty(extName.c_str());
        }
        return false;
    }
    if (subCom.getParamListSize() == 0 && subCom.getTokenListSize() == 0 &&
        !subDesc.isEmptyAllowed()) {
        mErrorCode = 10;
        mMessage.SubComEmpty(extName.c_str());
        return false;
    }
    return true;
}

void UniversalParser::failValue(const std::string& paramName, const std::string& extName) {
    if (grammarApplies()) {
        mErrorCode = 12;
        mMessage.WrongValueType(paramName.c_str(), extName.c_str());
    }
}

bool UniversalParser::processParamObj(ParamObj& param) {
    const bool grammar = grammarApplies();
    const SubComDescriptor* const subDesc = mCurSubComDesc;
    const std::string paramName = param.getParamName();
    std::string extName;

    if (grammar) {
        mCurParamDesc = subDesc != nullptr ? subDesc->getParamDesc(paramName) : nullptr;
        if (subDesc != nullptr) {
            const auto occur = mSubComOccur.find(subDesc->getSubComName());
            extName = ExtendedName(subDesc->getSubComName(), subDesc->isSubComRepeatable(),
                                   occur != mSubComOccur.end() ? occur->second : 0);
        }
        if (mCurParamDesc == nullptr) {
            mErrorCode = 11;
            mMessage.InvalidParam(paramName.c_str(), extName.c_str());
            return false;
        }
        // A rejected repetition is counted too.
        if (++mParamOccur[paramName] > 1) {
            mErrorCode = 13;
            mMessage.ParamRepeated(paramName.c_str(), extName.c_str());
            return false;
        }
    }
    const ParamDescriptor* const desc = mCurParamDesc;
    const bool byBlock = grammar && subDesc != nullptr && subDesc->areParamByBlock();

    // A keyword standing alone.
    if (mExpectParam && (!IsOperator(mNextToken) || IsSlash(mNextToken))) {
        param.setType(ParamKeyWord);
        nextToken();
        return true;
    }

    bool byEqual = false;
    bool byParen = false;
    bool opened = true;
    if (byBlock) {
        byEqual = true;
        switch (desc->getBlockOption()) {
            case BlockNoValue:
                opened = false;
                break;
            case BlockOptEqual:
                opened = mHasNextToken && HasCode(mNextToken, TokenSequenceBase::EqualSign);
                break;
            case BlockByParen:
                byEqual = false;
                byParen = true;
                break;
            default:  // BlockByEqual, and any value outside the enumeration
                break;
        }
    }
    if (opened) {
        if (IsOperator(mNextToken) && HasCode(mNextToken, TokenSequenceBase::LeftParen)) {
            mInParen = true;
        } else if (!IsOperator(mNextToken) || !HasCode(mNextToken, TokenSequenceBase::EqualSign)) {
            return false;
        }
        mExpectParam = false;
        if (grammar && mInParen && !subDesc->areParamByParen() && !byParen) {
            mErrorCode = 15;
            mMessage.At(mNextToken).ParenNotAllowed(extName.c_str());
            return false;
        }
        if (!nextToken()) {
            return false;
        }
    } else {
        mExpectParam = false;
    }

    nextToken();
    if (!opened && byBlock && atParameterEnd()) {
        param.setType(ParamKeyWord);
        return true;
    }

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

    if (!collectValue(param, paramName, extName)) {
        return false;
    }

    if (grammar) {
        if (mInParen && (subDesc->areParamByEqual() || byEqual)) {
            mErrorCode = 15;
            mMessage.ParenNotAllowed(extName.c_str());
            return false;
        }
        if (!mInParen && (subDesc->areParamByParen() || byParen)) {
            mErrorCode = 16;
            if (param.getTokenListSize() > 0) {
                mMessage.At(*param.getTokenObj(0), *param.getTokenObj(param.getTokenListSize() - 1));
            }
            mMessage.ParenRequired(extName.c_str());
            return false;
        }
    }

    const bool closing = mInParen && HasCode(mCurToken, TokenSequenceBase::RightParen);
    if (atSubComEnd() || !IsOperator(mCurToken) || closing) {
        if (mInParen) {
            if (!closing) {
                failValue(paramName, extName);
                return false;
            }
            nextToken();
            param.setParenUsed();
            mInParen = false;
            mExpectParam = true;
        }
        return true;
    }
    // An operator that cannot follow a value.
    nextToken();
    failValue(paramName, extName);
    return false;
}

bool UniversalParser::collectValue(ParamObj& param, const std::string& paramName,
                                   const std::string& extName) {
    const ParamDescriptor* const desc = mCurParamDesc;
    const bool grammar = grammarApplies();
    if (!(grammar && desc->getBracketOption() != BracketNone) && param.isNoType()) {
        // Straight into the parameter: the tokens of a long value are not copied twice.
        if (atParameterEnd()) {
            failValue(paramName, extName);
            return false;
        }
        param.setType(ParamTokenList);
        do {
            param.addTokenObj(mCurToken);
            nextToken();
        } while (!atParameterEnd());
        return true;
    }

    std::vector<TokenInfoObj> tokens;
    if (!processTokenList(tokens)) {
        failValue(paramName, extName);
        return false;
    }
    if (grammar && desc->getBracketOption() != BracketNone) {
        const BracketOptions option = desc->getBracketOption();
        bool brackets = false;
        if (tokens.size() >= 2 && HasCode(tokens.front(), TokenSequenceBase::LeftBracket) &&
            HasCode(tokens.back(), TokenSequenceBase::RightBracket)) {
            tokens.pop_back();
            tokens.erase(tokens.begin());
            param.setBracketsUsed(true);
            brackets = true;
        }
        if (!brackets &&
            (option == BracketRequired || (option == BracketForList && tokens.size() >= 2))) {
            mErrorCode = 17;
            if (!tokens.empty()) {
                mMessage.At(tokens.front(), tokens.back());
            }
            mMessage.SquareBracketRequired(paramName.c_str(), extName.c_str());
            return false;
        }
        if (desc->isValueRequired() && tokens.empty()) {
            failValue(paramName, extName);
            return false;
        }
    }
    param.setType(ParamTokenList);
    return param.setTokenList(tokens);
}

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
