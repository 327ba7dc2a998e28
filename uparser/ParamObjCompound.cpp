// Compound parameter values and the check of a value against its descriptor.
#include <algorithm>
#include <map>
#include <utility>

#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"
#include "uparser/detail/Assert.h"
#include "uparser/detail/ParamObjTokens.h"

using namespace UPSpecTypes;
using paramobj_detail::IsOperatorCode;
using paramobj_detail::TextOf;
using paramobj_detail::UpperTextOf;

struct ParamObj::PartNames {
    const char* syntaxParam;   // the parameter SyntaxErrorInParam names
    const char* bracketParam;  // the parameter SquareBracketRequired names
    const char* display;       // the parameter WrongValueType names
    const char* subCom;

    bool wrongType(const ParserMessage* msg) const {
        if (msg != nullptr) {
            msg->WrongValueType(display, subCom);
        }
        return false;
    }
};

namespace {

using QualifierUse = std::map<std::string, bool>;

// Whether a value part begins with an introducer, and which ones may serve.
struct Introducers {
    bool expected = true;
    bool equal = false;
    bool paren = false;
};

// Under QualifByBlock the block option decides: no introducer, "=", an optional "=", or "(".
Introducers IntroducersOf(const TokenInfoObj& first, QualifOptions qualOpt,
                          const ParamDescriptor* desc) {
    Introducers allowed;
    if (desc == nullptr || qualOpt != QualifByBlock) {
        return allowed;
    }
    allowed.equal = true;
    switch (desc->getBlockOption()) {
        case BlockNoValue:
            allowed.expected = false;
            break;
        case BlockOptEqual:
            allowed.expected = IsOperatorCode(first, TokenSequenceBase::EqualSign);
            break;
        case BlockByParen:
            allowed.equal = false;
            allowed.paren = true;
            break;
        default:  // BlockByEqual, and any value a grammar should not hold
            break;
    }
    return allowed;
}

// Every qualifier of a list, upper-cased, with whether the list has used it yet.
QualifierUse UnusedQualifiers(const std::vector<std::string>& qualNames) {
    const std::size_t nQuals = qualNames.size();
    UP_ASSERT("ParamObj", nQuals > 0);
    QualifierUse used;
    for (const std::string& name : qualNames) {
        const bool newName = used.emplace(GetUpperString(name), false).second;
        UP_ASSERT("ParamObj", newName);
    }
    return used;
}

// item := NAME {token}, ending before the next token that, by the qualifier option, starts one:
// a plain word before "=" or "(", or under QualifByBlock a plain word naming a qualifier.
std::size_t ItemEnd(const TokenInfoObj* tokens, std::size_t n, std::size_t first,
                    QualifOptions qualOpt, const QualifierUse& used) {
    const auto startsItem = [&](std::size_t j) {
        if (!tokens[j].IsPlainString()) {
            return false;
        }
        switch (qualOpt) {
            case QualifByEqual:
                return j + 1 < n && IsOperatorCode(tokens[j + 1], TokenSequenceBase::EqualSign);
            case QualifByParen:
                return j + 1 < n && IsOperatorCode(tokens[j + 1], TokenSequenceBase::LeftParen);
            case QualifByBlock:
                return used.count(UpperTextOf(tokens[j])) != 0;
            default:
                return false;
        }
    };
    std::size_t next = first + 1;
    while (next < n && !startsItem(next)) {
        ++next;
    }
    return next;
}

// value-start := an accepted word or a qualifier name of the value descriptor, with the
// introducer before it when one is expected; other value types leave all to the keyword.
const TokenInfoObj* ValueStart(const TokenInfoObj* first, const TokenInfoObj* last,
                               const ParamDescriptor& desc, const ParamDescriptor& valueDesc) {
    const ParamSpec valueType = valueDesc.getParamType();
    auto start = last;
    if (valueType == ParamString || valueType == ParamStringList) {
        const std::vector<std::string>& words = valueDesc.getStringValues();
        start = std::find_if(first, last, [&](const TokenInfoObj& token) {
            return std::find(words.begin(), words.end(), UpperTextOf(token)) != words.end();
        });
    } else if (valueType == ParamStringQual || valueType == ParamStringQualList) {
        start = std::find_if(first, last, [&](const TokenInfoObj& token) {
            return valueDesc.getQualifDesc(UpperTextOf(token)) != nullptr;
        });
    }
    if (start == last || start == first) {
        return start;
    }
    if (desc.getQualifOption() == QualifByBlock) {
        const BlockOptions block = valueDesc.getBlockOption();
        if (block == BlockNoValue ||
            (block == BlockOptEqual &&
             !IsOperatorCode(*(start - 1), TokenSequenceBase::EqualSign))) {
            return start;
        }
    }
    return start - 1;
}

// Points the next report at the first token that fits, when one does and someone listens: the
// option or the number a finding names, rather than the whole value.
template <typename Fits>
void AtFirst(const ParserMessage* msg, const uparser_detail::TokenList& tokens, Fits fits) {
    if (msg == nullptr || msg->GetDiagnosticObserver() == nullptr) {
        return;
    }
    const auto found = std::find_if(tokens.begin(), tokens.end(), fits);
    if (found != tokens.end()) {
        msg->At(*found);
    }
}

}  // namespace

// value := the form its descriptor's type declares; a keyword alone fits any optional value
bool ParamObj::canGetValue(const ParamDescriptor* desc, const ParserMessage* msg) const {
    // Findings about the value point at its tokens, or at the keyword of a value-less one.
    const ParserMessage::Subject subject(
        msg, mTokenList.empty() ? mKeyWordToken : mTokenList.front(),
        mTokenList.empty() ? mKeyWordToken : mTokenList.back());
    if (desc == nullptr) {
        return mType == ParamTokenList || reportNeed(ParamNoType, msg);
    }
    const ParamSpec type = desc->getParamType();
    if ((type == ParamKeyWord || !desc->isValueRequired()) && mType == ParamKeyWord) {
        return true;
    }
    const ParamTypeTraits& traits = GetParamTypeTraits(type);
    const bool singleWord = mTokenList.size() == 1 && mTokenList.front().IsString();
    if (traits.wordStandsIn && singleWord && !desc->getStringValues().empty()) {
        return fitsAcceptedWord(*desc, msg);
    }
    return fitsKind(traits, *desc, msg);
}

// The check of each kind of value; the types of one kind differ only in their traits.
bool ParamObj::fitsKind(const ParamTypeTraits& traits, const ParamDescriptor& desc,
                        const ParserMessage* msg) const {
    switch (traits.element) {
        case ValueKind::Keyword:
            return fitsKeyword(msg);
        case ValueKind::Word:
            return traits.list ? fitsWordList(desc, msg) : fitsWord(desc, msg);
        case ValueKind::Literal:
            return traits.list ? fitsLiteralList(msg) : fitsLiteral(desc, msg);
        case ValueKind::Number:
        case ValueKind::Integer:
            return traits.list ? fitsNumberList(desc, msg) : fitsNumber(desc, msg);
        case ValueKind::VarName:
        case ValueKind::CrossVars:
        case ValueKind::VarCats:
            return fitsVariables(traits.type, msg);
        case ValueKind::File:
            return fitsFilePath(traits.type, msg);
        case ValueKind::CaseFile:
            return processSysFileSpec(traits.type, msg);
        case ValueKind::Tokens:
            // Also a type number that no grammar should hold: only the same number fits.
            return mType == desc.getParamType() || reportNeed(ParamNoType, msg);
        default:
            return fitsCompound(traits.element, desc, msg);
    }
}

// A value of the wrong form; the typed WrongValueType picks the message each type has.
bool ParamObj::reportNeed(ParamSpec type, const ParserMessage* msg) const {
    if (msg != nullptr) {
        msg->WrongValueType(getDisplayName().c_str(), mSubComExtName.c_str(), type);
    }
    return false;
}

bool ParamObj::reportOption(const std::string& option, const ParserMessage* msg) const {
    if (msg != nullptr) {
        AtFirst(msg, mTokenList, [&](const TokenInfoObj& token) {
            return AreStringsEqualCase(TextOf(token), option);
        });
        msg->InvalidParamOption(option.c_str(), getParamExtName().c_str(), mSubComExtName.c_str());
    }
    return false;
}

bool ParamObj::reportBoundary(double value, const ParamDescriptor& desc,
                              const ParserMessage* msg) const {
    if (msg != nullptr) {
        AtFirst(msg, mTokenList, [&](const TokenInfoObj& token) {
            return token.IsNumber() && token.getNumeric() == value;
        });
        msg->ParamValueBreakBdry(value, &desc, getParamExtName().c_str(), mSubComExtName.c_str());
    }
    return false;
}

// keyword := NAME, written without a value
bool ParamObj::fitsKeyword(const ParserMessage* msg) const {
    if (mType == ParamKeyWord) {
        return true;
    }
    if (msg != nullptr) {
        msg->KeyWordNoValue(getParamExtName().c_str(), mSubComExtName.c_str());
    }
    return false;
}

// value := accepted-word, alone in place of a word, a literal, a number or an integer
bool ParamObj::fitsAcceptedWord(const ParamDescriptor& desc, const ParserMessage* msg) const {
    const std::string word = TextOf(mTokenList.front());
    return desc.possibleStringValue(word) || reportOption(word, msg);
}

// word := a plain word, among the accepted words when there are any
bool ParamObj::fitsWord(const ParamDescriptor& desc, const ParserMessage* msg) const {
    // The parser's case, a single word and no accepted words, needs no copy of the word.
    if (isOneToken() && mTokenList.front().IsPlainString() && desc.getStringValues().empty()) {
        return true;
    }
    std::string value;
    if (!getStringGeneric(value)) {
        return reportNeed(ParamString, msg);
    }
    return desc.possibleStringValue(value) || reportOption(value, msg);
}

// words := word {word}; the first word not accepted is the one reported
bool ParamObj::fitsWordList(const ParamDescriptor& desc, const ParserMessage* msg) const {
    std::vector<std::string> values;
    if (!getStringList(values)) {
        return reportNeed(ParamStringList, msg);
    }
    for (const std::string& value : values) {
        if (!desc.possibleStringValue(value)) {
            return reportOption(value, msg);
        }
    }
    return true;
}

// literal := a quoted literal, never compared with the accepted words
bool ParamObj::fitsLiteral(const ParamDescriptor& desc, const ParserMessage* msg) const {
    std::string value;
    // A single literal token fits as getLiteral reads it, without the copy.
    if ((isOneToken() && mTokenList.front().IsLiteral()) || getLiteral(value)) {
        return true;
    }
    // With accepted words the value could have been a word too, so only the generic complaint
    // fits.
    return reportNeed(desc.getStringValues().empty() ? ParamLiteral : ParamNoType, msg);
}

// literals := literal {literal}
bool ParamObj::fitsLiteralList(const ParserMessage* msg) const {
    std::vector<std::string> values;
    return getLiteralList(values) || reportNeed(ParamLiteralList, msg);
}

// number := a number (an integral one for an integer) within the boundaries
bool ParamObj::fitsNumber(const ParamDescriptor& desc, const ParserMessage* msg) const {
    const ParamSpec type = desc.getParamType();
    double value = 0.0;
    int integer = 0;
    const bool read = type == ParamInteger ? getIntegerValue(integer) : getNumberValue(value);
    if (!read) {
        // As with a literal, accepted words leave only the generic complaint.
        return reportNeed(desc.getStringValues().empty() ? type : ParamNoType, msg);
    }
    if (type == ParamInteger) {
        value = integer;
    }
    return desc.meetBdryCond(value) || reportBoundary(value, desc, msg);
}

// numbers := number {number}; the first one outside the boundaries is the one reported
bool ParamObj::fitsNumberList(const ParamDescriptor& desc, const ParserMessage* msg) const {
    const auto firstOutside = [&](const auto& values) {
        for (const auto value : values) {
            if (!desc.meetBdryCond(value)) {
                return reportBoundary(value, desc, msg);
            }
        }
        return true;
    };
    const bool integers = desc.getParamType() == ParamIntegerList;
    if (mType == ParamTokenList) {
        // Read from the tokens in place: the parser checks every written list, and a copy of
        // its numbers would cost an allocation each time.
        const auto fits = integers ? &TokenInfoObj::IsInteger : &TokenInfoObj::IsNumber;
        for (const TokenInfoObj& token : mTokenList) {
            if (!(token.*fits)()) {
                return reportNeed(integers ? ParamIntegerList : ParamNumberList, msg);
            }
        }
        for (const TokenInfoObj& token : mTokenList) {
            const double value = integers ? token.getInteger() : token.getNumeric();
            if (!desc.meetBdryCond(value)) {
                return reportBoundary(value, desc, msg);
            }
        }
        return true;
    }
    if (integers) {
        std::vector<int> values;
        return getIntegerList(values) ? firstOutside(values) : reportNeed(ParamIntegerList, msg);
    }
    std::vector<double> values;
    return getNumberList(values) ? firstOutside(values) : reportNeed(ParamNumberList, msg);
}

// variables := a name, a list of names, names crossed by BY or "*", or names with categories
bool ParamObj::fitsVariables(ParamSpec type, const ParserMessage* msg) const {
    bool read = false;
    if (type == ParamVarName && mType == ParamTokenList) {
        // getVarName's case of a token list, without building the name.
        read = isOneToken() && mTokenList.front().IsVarName();
    } else if (type == ParamVarName) {
        TavoVarName name;
        read = getVarName(name);
    } else if (type == ParamVarList) {
        read = readsAsVarList();
    } else if (type == ParamCrossVarList) {
        std::vector<TavoVarName> names;
        read = getCrossVarList(names);
    } else {
        VarCatList list;
        read = getVarCatList(list);
    }
    return read || reportNeed(type, msg);
}

// path := a word or literal that the host's path check accepts
bool ParamObj::fitsFilePath(ParamSpec type, const ParserMessage* msg) const {
    std::string path;
    if (getFilePath(path, type == ParamNewFileSpec, type != ParamAnyFileSpec)) {
        return true;
    }
    if (path.empty()) {
        return reportNeed(ParamNoType, msg);
    }
    if (msg != nullptr) {
        msg->FileNoAccess(path.c_str(), getParamExtName().c_str(), mSubComExtName.c_str());
    }
    return false;
}

// compound := keyword value | token qualifiers | qualifier value | {qualifier value}
bool ParamObj::fitsCompound(ValueKind kind, const ParamDescriptor& desc,
                            const ParserMessage* msg) const {
    ParamObj first;
    ParamObj second;
    switch (kind) {
        case ValueKind::KeywordValue:
            return keywordAndValue(&first, &second, mTokenList.begin(), mTokenList.end(), &desc,
                                   msg);
        case ValueKind::TokenQual:
            return tokenAndQual(&first, &second, mTokenList.begin(), mTokenList.end(), &desc, msg);
        case ValueKind::StringQual:
            return tokenAndQual(nullptr, &second, mTokenList.begin(), mTokenList.end(), &desc, msg);
        default: {
            std::vector<ParamObj> items;
            return stringQualList(items, mTokenList.begin(), mTokenList.end(), &desc, msg);
        }
    }
}

bool ParamObj::parseTokenList(const std::vector<TokenInfoObj>& tokens, QualifOptions qualOpt,
                              const ParamDescriptor* desc, const ParserMessage* msg) {
    // The value is appended to the own list, which no vector can be.
    return parseTokenRange(tokens.data(), tokens.data() + tokens.size(), qualOpt, desc, msg);
}

bool ParamObj::parseTokenRange(TokenIter first, TokenIter last, QualifOptions qualOpt,
                               const ParamDescriptor* desc, const ParserMessage* msg) {
    if (first == last) {
        if (desc == nullptr || desc->getParamType() == ParamKeyWord || !desc->isValueRequired()) {
            mType = ParamKeyWord;
            return true;
        }
        if (msg != nullptr) {
            msg->WrongValueType(getDisplayName().c_str(), mSubComExtName.c_str());
        }
        return false;
    }
    const std::string display = getDisplayName();
    if (desc != nullptr && desc->getParamType() == ParamKeyWord) {
        if (msg != nullptr) {
            msg->TokenNoQualif(display.c_str(), mSubComExtName.c_str());
        }
        return false;
    }
    const std::string extName = getParamExtName();
    const PartNames names{getParentName().c_str(), extName.c_str(), display.c_str(),
                          mSubComExtName.c_str()};
    return readValuePart(first, last, qualOpt, desc, msg, names);
}

// value-part := [introducer] ["["] token {token} ["]"] [")"]
bool ParamObj::readValuePart(TokenIter first, TokenIter last, QualifOptions qualOpt,
                             const ParamDescriptor* desc, const ParserMessage* msg,
                             const PartNames& names) {
    auto start = first;
    auto end = last;
    if (!skipIntroducer(start, qualOpt, desc, msg, names) ||
        !dropClosingParen(start, end, msg, names) ||
        (desc != nullptr && !dropBrackets(start, end, desc->getBracketOption(), msg, names))) {
        return false;
    }
    mType = ParamTokenList;
    appendTokens(start, end);
    return desc == nullptr || canGetValue(desc, msg);
}

// introducer := "(" | "=", each where the qualifier and block options allow it
bool ParamObj::skipIntroducer(TokenIter& start, QualifOptions qualOpt, const ParamDescriptor* desc,
                              const ParserMessage* msg, const PartNames& names) {
    const Introducers allowed = IntroducersOf(*start, qualOpt, desc);
    if (!allowed.expected) {
        return true;  // the parentheses flag stays as it was
    }
    if (IsOperatorCode(*start, TokenSequenceBase::LeftParen) &&
        (desc == nullptr || allowed.paren || qualOpt == QualifByParen)) {
        mParenUsed = true;
    } else if (IsOperatorCode(*start, TokenSequenceBase::EqualSign) &&
               (desc == nullptr || allowed.equal || qualOpt != QualifByParen)) {
        mParenUsed = false;
    } else {
        if (msg != nullptr) {
            msg->SyntaxErrorInParam(TextOf(*start).c_str(), names.syntaxParam, names.subCom);
        }
        return false;
    }
    ++start;
    return true;
}

// A value opened by "(" ends with ")"; either way at least one token remains.
bool ParamObj::dropClosingParen(TokenIter start, TokenIter& end, const ParserMessage* msg,
                                const PartNames& names) const {
    if (!mParenUsed) {
        return start != end || names.wrongType(msg);
    }
    if (end - start < 2 || !IsOperatorCode(*(end - 1), TokenSequenceBase::RightParen)) {
        return names.wrongType(msg);
    }
    --end;
    return true;
}

// brackets := "[" token {token} "]", required always, only for more than one token, or never
bool ParamObj::dropBrackets(TokenIter& start, TokenIter& end, BracketOptions option,
                            const ParserMessage* msg, const PartNames& names) {
    if (option == BracketNone) {
        return true;
    }
    if (end - start >= 2 && IsOperatorCode(*start, TokenSequenceBase::LeftBracket) &&
        IsOperatorCode(*(end - 1), TokenSequenceBase::RightBracket)) {
        ++start;
        --end;
        mBracketsUsed = true;
    } else if (option == BracketRequired || (option == BracketForList && end - start > 1)) {
        if (msg != nullptr) {
            msg->SquareBracketRequired(names.bracketParam, names.subCom);
        }
        return false;
    }
    return start != end || names.wrongType(msg);
}

bool ParamObj::getKeywordAndValue(ParamObj& keywordParam, ParamObj& valueParam,
                                  const ParamDescriptor* desc, const ParserMessage* msg) const {
    if (&keywordParam == this || &valueParam == this) {
        // The parts are written while this object's tokens are read.
        const ParamObj source(*this);
        return source.keywordAndValue(&keywordParam, &valueParam, source.mTokenList.begin(),
                                      source.mTokenList.end(), desc, msg);
    }
    return keywordAndValue(&keywordParam, &valueParam, mTokenList.begin(), mTokenList.end(), desc,
                           msg);
}

bool ParamObj::getTokenAndQual(ParamObj& tokenParam, ParamObj& qualParam,
                               const ParamDescriptor* desc, const ParserMessage* msg) const {
    if (&tokenParam == this || &qualParam == this) {
        const ParamObj source(*this);
        return source.tokenAndQual(&tokenParam, &qualParam, source.mTokenList.begin(),
                                   source.mTokenList.end(), desc, msg);
    }
    return tokenAndQual(&tokenParam, &qualParam, mTokenList.begin(), mTokenList.end(), desc, msg);
}

bool ParamObj::getStringAndQual(ParamObj& qualParam, const ParamDescriptor* desc,
                                const ParserMessage* msg) const {
    if (&qualParam == this) {
        const ParamObj source(*this);
        return source.tokenAndQual(nullptr, &qualParam, source.mTokenList.begin(),
                                   source.mTokenList.end(), desc, msg);
    }
    return tokenAndQual(nullptr, &qualParam, mTokenList.begin(), mTokenList.end(), desc, msg);
}

bool ParamObj::getStringQualList(std::vector<ParamObj>& items, const ParamDescriptor* desc,
                                 const ParserMessage* msg) const {
    return stringQualList(items, mTokenList.begin(), mTokenList.end(), desc, msg);
}

bool ParamObj::processKeywordAndValue(ParamObj* keywordParam, ParamObj* valueParam,
                                      const std::vector<TokenInfoObj>& tokens,
                                      const ParamDescriptor* desc, const ParserMessage* msg) const {
    return keywordAndValue(keywordParam, valueParam, tokens.data(), tokens.data() + tokens.size(),
                           desc, msg);
}

// keyword-value := keyword-part value-part; the value part begins at a word its descriptor knows
bool ParamObj::keywordAndValue(ParamObj* keywordParam, ParamObj* valueParam, TokenIter first,
                               TokenIter last, const ParamDescriptor* pDescript,
                               const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", pDescript != 0);
    const ParamDescriptor* keywordDesc = pDescript->getMainDesc();
    const ParamDescriptor* valueDesc = pDescript->getQualifDesc();
    UP_ASSERT("ParamObj", keywordDesc != 0);
    UP_ASSERT("ParamObj", keywordParam != 0);
    UP_ASSERT("ParamObj", valueDesc != 0);
    UP_ASSERT("ParamObj", valueParam != 0);

    keywordParam->mKeyWordToken = mKeyWordToken;
    keywordParam->setParentName(getParentName());
    keywordParam->mSubComExtName = mSubComExtName;
    valueParam->mSubComExtName = mSubComExtName;
    if (first == last) {
        return reportNeed(ParamNoType, msg);
    }
    const TokenIter valueStart = ValueStart(first, last, *pDescript, *valueDesc);
    if (!keywordParam->parseTokenRange(first, valueStart, QualifByBlock, keywordDesc, msg)) {
        return false;
    }
    nameValuePart(*keywordParam, *valueParam, *pDescript, *valueDesc);
    return valueParam->parseTokenRange(valueStart, last, pDescript->getQualifOption(), valueDesc,
                                       msg);
}

// The value part is named after the keyword it follows, unless it is the parameter itself.
void ParamObj::nameValuePart(const ParamObj& keywordParam, ParamObj& valueParam,
                             const ParamDescriptor& desc, const ParamDescriptor& valueDesc) const {
    if (keywordParam.mType != ParamTokenList || keywordParam.mTokenList.empty() ||
        AreStringsEqualCase(desc.getParamName(), valueDesc.getParamName())) {
        valueParam.mKeyWordToken = mKeyWordToken;
        valueParam.setParentName(getParentName());
        return;
    }
    const std::size_t nKWTokens = keywordParam.mTokenList.size();
    UP_ASSERT("ParamObj", nKWTokens >= 1);
    std::string parentName = getParamExtName();
    for (std::size_t i = 0; i < nKWTokens; ++i) {
        if (i > 0 || !parentName.empty()) {
            parentName += ' ';
        }
        parentName += TextOf(keywordParam.mTokenList[i]);
    }
    valueParam.setParentName(parentName);
}

bool ParamObj::processTokenAndQual(ParamObj* tokenParam, ParamObj* qualParam,
                                   const std::vector<TokenInfoObj>& tokens,
                                   const ParamDescriptor* desc, const ParserMessage* msg) const {
    return tokenAndQual(tokenParam, qualParam, tokens.data(), tokens.data() + tokens.size(), desc,
                        msg);
}

// token-qualifiers := token [value]  |  qualifier := NAME [value], NAME a qualifier of desc
bool ParamObj::tokenAndQual(ParamObj* tokenParam, ParamObj* qualParam, TokenIter first,
                            TokenIter last, const ParamDescriptor* desc,
                            const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", qualParam != 0);
    if (first == last) {
        return reportNeed(ParamNoType, msg);
    }
    const std::string extName = getParamExtName();
    if (mType != ParamTokenList || !startTokenAndQual(tokenParam, *qualParam, *first, extName)) {
        if (msg != nullptr) {
            msg->SyntaxErrorInParam(TextOf(*first).c_str(), extName.c_str(),
                                    mSubComExtName.c_str());
        }
        return false;
    }
    const ParamDescriptor* qualDesc = nullptr;
    if (desc != nullptr && !findQualifDesc(tokenParam, *first, *desc, msg, qualDesc)) {
        return false;
    }
    // In the leading-token form the qualifiers have no name of their own.
    const std::string qualExtName =
        tokenParam != nullptr ? std::string() : qualParam->getParamExtName();
    const std::string qualDisplay = displayOf(qualExtName);
    if (last - first == 1) {
        return qualifierAlone(tokenParam == nullptr ? qualParam : nullptr, qualDesc, qualDisplay,
                              msg);
    }
    if (qualDesc != nullptr && qualDesc->getParamType() == ParamKeyWord) {
        if (msg != nullptr) {
            msg->TokenNoQualif(qualDisplay.c_str(), mSubComExtName.c_str());
        }
        return false;
    }
    // Without a descriptor the option is never consulted: any introducer is accepted.
    const QualifOptions qualOpt = desc != nullptr ? desc->getQualifOption() : QualifByParen;
    // A malformed value part is the whole parameter's fault; only the bracket rule names the
    // qualifier. The name built above is this object's unless an out parameter is this
    // object, which startTokenAndQual has reset.
    const bool aliased = qualParam == this || tokenParam == this;
    const std::string display = aliased ? getDisplayName() : displayOf(extName);
    const PartNames names{extName.c_str(), qualExtName.c_str(), display.c_str(),
                          mSubComExtName.c_str()};
    return qualParam->readValuePart(first + 1, last, qualOpt, qualDesc, msg, names);
}

// The leading token becomes an object of its own; a qualifier's name must be a plain word.
bool ParamObj::startTokenAndQual(ParamObj* tokenParam, ParamObj& qualParam,
                                 const TokenInfoObj& first, const std::string& extName) const {
    if (tokenParam != nullptr) {
        *tokenParam = ParamObj();
        tokenParam->mKeyWordToken = mKeyWordToken;
        tokenParam->mSubComExtName = mSubComExtName;
        tokenParam->mType = ParamTokenList;
        tokenParam->appendToken(first);
        return true;
    }
    if (!first.IsPlainString() && !first.NoType()) {
        return false;
    }
    qualParam = ParamObj();
    qualParam.mKeyWordToken = first;
    qualParam.setParentName(extName);
    qualParam.mSubComExtName = mSubComExtName;
    return true;
}

// The leading token must fit the main descriptor; a qualifier's name must be one of desc's.
bool ParamObj::findQualifDesc(const ParamObj* tokenParam, const TokenInfoObj& first,
                              const ParamDescriptor& desc, const ParserMessage* msg,
                              const ParamDescriptor*& qualDesc) const {
    if (tokenParam != nullptr) {
        qualDesc = desc.getQualifDesc();
        const ParamDescriptor* mainDesc = desc.getMainDesc();
        return mainDesc == nullptr || tokenParam->canGetValue(mainDesc, msg);
    }
    qualDesc = desc.getQualifDesc(TextOf(first));
    if (qualDesc != nullptr) {
        return true;
    }
    if (msg != nullptr) {
        msg->InvalidParamOption(TextOf(first).c_str(), getDisplayName().c_str(),
                                mSubComExtName.c_str());
    }
    return false;
}

// A qualifier written without value fits when it needs none; a named one is then a keyword.
bool ParamObj::qualifierAlone(ParamObj* namedQual, const ParamDescriptor* qualDesc,
                              const std::string& qualDisplay, const ParserMessage* msg) const {
    if (qualDesc == nullptr || qualDesc->getParamType() == ParamKeyWord ||
        !qualDesc->isValueRequired()) {
        if (namedQual != nullptr) {
            namedQual->mType = ParamKeyWord;
        }
        return true;
    }
    if (msg != nullptr) {
        msg->WrongValueType(qualDisplay.c_str(), mSubComExtName.c_str());
    }
    return false;
}

bool ParamObj::processStringQualList(std::vector<ParamObj>& items,
                                     const std::vector<TokenInfoObj>& tokens,
                                     const ParamDescriptor* desc, const ParserMessage* msg) const {
    return stringQualList(items, tokens.data(), tokens.data() + tokens.size(), desc, msg);
}

// qualifier-list := {NAME [value]}, each qualifier once, every required one present
bool ParamObj::stringQualList(std::vector<ParamObj>& items, TokenIter first, TokenIter last,
                              const ParamDescriptor* pDescript, const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", pDescript != 0);
    items.clear();
    const std::size_t n = static_cast<std::size_t>(last - first);
    if (n == 0) {
        return true;
    }
    std::vector<std::string> qualNames;
    pDescript->getQualifNames(qualNames);
    QualifierUse used = UnusedQualifiers(qualNames);
    for (std::size_t i = 0; i < n;) {
        if (!claimQualifier(first[i], used, msg)) {
            return false;
        }
        const std::size_t next = ItemEnd(first, n, i, pDescript->getQualifOption(), used);
        // Read in place; an item that fails is not kept.
        ParamObj& item = items.emplace_back();
        if (!tokenAndQual(nullptr, &item, first + i, first + next, pDescript, msg)) {
            items.pop_back();
            return false;
        }
        i = next;
    }
    return requiredQualifiersUsed(qualNames, used, *pDescript, msg);
}

// An item begins with a qualifier of the list that has not been used before in it.
bool ParamObj::claimQualifier(const TokenInfoObj& nameToken, QualifierUse& used,
                              const ParserMessage* msg) const {
    const auto entry = used.find(UpperTextOf(nameToken));
    if (entry == used.end()) {
        if (msg != nullptr) {
            msg->InvalidParamOption(TextOf(nameToken).c_str(), getDisplayName().c_str(),
                                    mSubComExtName.c_str());
        }
        return false;
    }
    if (entry->second) {
        if (msg != nullptr) {
            const std::string extName = getParamExtName();
            const std::string repeatName = extName.empty()
                                               ? TextOf(nameToken)
                                               : GetUpperString(extName) + " " + TextOf(nameToken);
            msg->ParamRepeated(repeatName.c_str(), mSubComExtName.c_str());
        }
        return false;
    }
    entry->second = true;
    return true;
}

// Every required qualifier was given; the first missing one, in the list's order, is reported.
bool ParamObj::requiredQualifiersUsed(const std::vector<std::string>& qualNames, QualifierUse& used,
                                      const ParamDescriptor& desc, const ParserMessage* msg) const {
    for (const std::string& name : qualNames) {
        const ParamDescriptor* qualDesc = desc.getQualifDesc(name);
        UP_ASSERT("ParamObj", qualDesc != 0);
        if (qualDesc->isParamRequired() && !used[GetUpperString(name)]) {
            // The missing qualifier's name comes first and the subcommand last, as with
            // every other finding of a qualifier list; the catalog text fills its
            // placeholders in that order.
            if (msg != nullptr) {
                msg->ParamNeedQualif(name.c_str(), getDisplayName().c_str(),
                                     mSubComExtName.c_str());
            }
            return false;
        }
    }
    return true;
}

bool ParamObj::getCrossVarList(std::vector<TavoVarName>& names) const {
    if (mType != ParamTokenList || mTokenList.empty()) {
        return false;
    }
    names.clear();
    const auto isSeparator = [](const TokenInfoObj& token) {
        return (token.IsString() && token.getOperatorCode() == TokenSequenceBase::ByWord) ||
               IsOperatorCode(token, TokenSequenceBase::Asterisk);
    };
    const std::size_t n = mTokenList.size();
    if (!mTokenList.front().IsVarName()) {
        return false;
    }
    names.emplace_back(TextOf(mTokenList.front()));
    for (std::size_t i = 1; i < n; i += 2) {
        if (!isSeparator(mTokenList[i]) || i + 1 >= n || !mTokenList[i + 1].IsVarName()) {
            return false;
        }
        names.emplace_back(TextOf(mTokenList[i + 1]));
    }
    return true;
}

bool ParamObj::processVarCatList(VarCatList& list) const {
    auto it = mTokenList.begin();
    for (; it != mTokenList.end() && it->IsPlainString(); ++it) {
        if (!list.addVarName(TavoVarName(TextOf(*it)))) {
            return false;
        }
    }
    const unsigned nVars = list.getVarListSize();
    if (nVars == 0 || it == mTokenList.end()) {
        return false;
    }
    while (it != mTokenList.end()) {
        if (!IsOperatorCode(*it, TokenSequenceBase::CategorySeparator)) {
            return false;
        }
        ++it;
        std::vector<std::string> values;
        double code = 0.0;
        const bool read = catListRow(values, nVars, code, it);
        // The row goes in with whatever was read; a short row is refused by the list itself.
        const bool added = list.addCatList(values, code);
        if (!read || !added) {
            return false;
        }
    }
    list.updateValueInfo();
    return true;
}

bool ParamObj::processCatListVal(std::vector<std::string>& /*values*/, unsigned /*count*/,
                                 double& /*code*/,
                                 std::vector<TokenInfoObj>::const_iterator& /*it*/) const {
    return false;
}

bool ParamObj::catListRow(std::vector<std::string>& values, unsigned count, double& code,
                          TokenIter& it) const {
    if (it == mTokenList.end()) {
        return false;
    }
    values.clear();
    for (unsigned k = 0; k < count; ++k) {
        if (it == mTokenList.end() || !(it->IsString() || it->IsNumber() || it->IsLiteral())) {
            return false;
        }
        values.push_back(TextOf(*it));
        ++it;
    }
    if (it == mTokenList.end() || !it->IsNumber()) {
        return false;
    }
    code = it->getNumeric();
    ++it;
    return true;
}
