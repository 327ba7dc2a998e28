// Compound parameter values and the check of a value against its descriptor.
#include <algorithm>
#include <map>
#include <utility>

#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"
#include "uparser/detail/Assert.h"
#include "uparser/detail/ParamObjTokens.h"

using namespace UPSpecTypes;
using paramobj_detail::IsOperatorCode;
using paramobj_detail::TextOf;
using paramobj_detail::UpperTextOf;

namespace {

using Report = void (ParserMessage::*)(char const*, char const*) const;

// WrongValueType is overloaded; these pick the two-name forms.
const Report kWrongValueType = &ParserMessage::WrongValueType;

// Points the next report at the first token that fits, when one does and someone listens: the
// option or the number a finding names, rather than the whole value.
template <typename Fits>
void AtFirst(const ParserMessage* msg, const std::vector<TokenInfoObj>& tokens, Fits fits) {
    if (msg == nullptr || msg->GetDiagnosticObserver() == nullptr) {
        return;
    }
    const auto found = std::find_if(tokens.begin(), tokens.end(), fits);
    if (found != tokens.end()) {
        msg->At(*found);
    }
}

}  // namespace

struct ParamObj::PartNames {
    const char* syntaxParam;   // the parameter SyntaxErrorInParam names
    const char* bracketParam;  // the parameter SquareBracketRequired names
    const char* display;       // the parameter WrongValueType names
    const char* subCom;
};

bool ParamObj::canGetValue(const ParamDescriptor* desc, const ParserMessage* msg) const {
    // Findings about the value point at its tokens, or at the keyword of a value-less one.
    const ParserMessage::Subject subject(
        msg, mTokenList.empty() ? mKeyWordToken : mTokenList.front(),
        mTokenList.empty() ? mKeyWordToken : mTokenList.back());
    const ParamSpec type = desc != nullptr ? desc->getParamType() : ParamTokenList;
    if (desc != nullptr && (type == ParamKeyWord || !desc->isValueRequired()) &&
        mType == ParamKeyWord) {
        return true;
    }
    const bool singleWord = mTokenList.size() == 1 && mTokenList.front().IsString();
    const bool hasWords = desc != nullptr && !desc->getStringValues().empty();
    const char* subCom = mSubComExtName.c_str();

    // Names are built only on the way to a diagnostic; a fitting value costs nothing extra.
    const auto reportWithDisplay = [&](Report report) {
        if (msg != nullptr) {
            (msg->*report)(getDisplayName().c_str(), subCom);
        }
        return false;
    };
    const auto reportOption = [&](const std::string& option) {
        if (msg != nullptr) {
            AtFirst(msg, mTokenList, [&](const TokenInfoObj& token) {
                return AreStringsEqualCase(TextOf(token), option);
            });
            msg->InvalidParamOption(option.c_str(), getParamExtName().c_str(), subCom);
        }
        return false;
    };
    const auto reportBoundary = [&](double value) {
        if (msg != nullptr) {
            AtFirst(msg, mTokenList, [&](const TokenInfoObj& token) {
                return token.IsNumber() && token.getNumeric() == value;
            });
            msg->ParamValueBreakBdry(value, desc, getParamExtName().c_str(), subCom);
        }
        return false;
    };
    // An accepted word may stand for a number, an integer or a literal, but only alone.
    const auto acceptedWord = [&]() {
        const std::string word = TextOf(mTokenList.front());
        return desc->possibleStringValue(word) || reportOption(word);
    };
    const auto filePath = [&](bool validatorFlag, bool strictFlag) {
        std::string path;
        if (getFilePath(path, validatorFlag, strictFlag)) {
            return true;
        }
        if (path.empty()) {
            return reportWithDisplay(kWrongValueType);
        }
        if (msg != nullptr) {
            msg->FileNoAccess(path.c_str(), getParamExtName().c_str(), subCom);
        }
        return false;
    };

    switch (type) {
        case ParamKeyWord:
            if (mType == ParamKeyWord) {
                return true;
            }
            if (msg != nullptr) {
                msg->KeyWordNoValue(getParamExtName().c_str(), subCom);
            }
            return false;
        case ParamString: {
            if (hasWords && singleWord) {
                return acceptedWord();
            }
            std::string value;
            if (!getStringGeneric(value)) {
                return reportWithDisplay(&ParserMessage::ParamMustBeString);
            }
            return desc->possibleStringValue(value) || reportOption(value);
        }
        case ParamLiteral: {
            if (hasWords && singleWord) {
                return acceptedWord();
            }
            std::string value;
            if (getLiteral(value)) {
                return true;
            }
            return reportWithDisplay(hasWords ? kWrongValueType
                                              : Report(&ParserMessage::ParamQuotedString));
        }
        case ParamStringList: {
            std::vector<std::string> values;
            if (!getStringList(values)) {
                return reportWithDisplay(&ParserMessage::ParamNeedStringList);
            }
            for (const std::string& value : values) {
                if (!desc->possibleStringValue(value)) {
                    return reportOption(value);
                }
            }
            return true;
        }
        case ParamLiteralList: {
            std::vector<std::string> values;
            return getLiteralList(values) ||
                   reportWithDisplay(&ParserMessage::ParamNeedLiteralList);
        }
        case ParamNumber: {
            if (hasWords && singleWord) {
                return acceptedWord();
            }
            double value = 0.0;
            if (!getNumberValue(value)) {
                return reportWithDisplay(hasWords ? kWrongValueType
                                                  : Report(&ParserMessage::ParamNeedNumber));
            }
            return desc->meetBdryCond(value) || reportBoundary(value);
        }
        case ParamInteger: {
            if (hasWords && singleWord) {
                return acceptedWord();
            }
            int value = 0;
            if (!getIntegerValue(value)) {
                return reportWithDisplay(hasWords ? kWrongValueType
                                                  : Report(&ParserMessage::ParamNeedInteger));
            }
            return desc->meetBdryCond(value) || reportBoundary(value);
        }
        case ParamNumberList: {
            std::vector<double> values;
            if (!getNumberList(values)) {
                return reportWithDisplay(&ParserMessage::ParamNeedNumberList);
            }
            for (const double value : values) {
                if (!desc->meetBdryCond(value)) {
                    return reportBoundary(value);
                }
            }
            return true;
        }
        case ParamIntegerList: {
            std::vector<int> values;
            if (!getIntegerList(values)) {
                return reportWithDisplay(&ParserMessage::ParamNeedIntegerList);
            }
            for (const int value : values) {
                if (!desc->meetBdryCond(value)) {
                    return reportBoundary(value);
                }
            }
            return true;
        }
        case ParamVarName: {
            TavoVarName name;
            return getVarName(name) || reportWithDisplay(&ParserMessage::InvalidParamVarName);
        }
        case ParamVarList:
            return readsAsVarList() || reportWithDisplay(&ParserMessage::ParamNeedVarList);
        case ParamCrossVarList: {
            std::vector<TavoVarName> names;
            if (getCrossVarList(names)) {
                return true;
            }
            if (msg != nullptr) {
                msg->ParamNeedCrossVarList(getDisplayName().c_str(), subCom, "BY", "*");
            }
            return false;
        }
        case ParamVarCatList: {
            VarCatList list;
            return getVarCatList(list) || reportWithDisplay(&ParserMessage::ParamNeedVarCatList);
        }
        case ParamFileSpec:
            return filePath(false, true);
        case ParamNewFileSpec:
            return filePath(true, true);
        case ParamAnyFileSpec:
            return filePath(false, false);
        case ParamSysFileIn:
        case ParamSysFileOut:
            return processSysFileSpec(type, msg);
        case ParamKeyWordValue: {
            ParamObj keywordParam;
            ParamObj valueParam;
            return processKeywordAndValue(&keywordParam, &valueParam, mTokenList, desc, msg);
        }
        case ParamTokenQual: {
            ParamObj tokenParam;
            ParamObj qualParam;
            return tokenAndQual(&tokenParam, &qualParam, mTokenList.begin(), mTokenList.end(), desc,
                                msg);
        }
        case ParamStringQual: {
            ParamObj qualParam;
            return tokenAndQual(nullptr, &qualParam, mTokenList.begin(), mTokenList.end(), desc,
                                msg);
        }
        case ParamStringQualList: {
            std::vector<ParamObj> items;
            return processStringQualList(items, mTokenList, desc, msg);
        }
        default:
            return mType == type || reportWithDisplay(kWrongValueType);
    }
}

bool ParamObj::parseTokenList(const std::vector<TokenInfoObj>& tokens, QualifOptions qualOpt,
                              const ParamDescriptor* desc, const ParserMessage* msg) {
    if (&tokens == &mTokenList) {
        // The value is appended to the own list, which must not be the list being read.
        const std::vector<TokenInfoObj> copy(tokens);
        return parseTokenRange(copy.begin(), copy.end(), qualOpt, desc, msg);
    }
    return parseTokenRange(tokens.begin(), tokens.end(), qualOpt, desc, msg);
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
    const PartNames names{mParentName.c_str(), extName.c_str(), display.c_str(),
                          mSubComExtName.c_str()};
    return readValuePart(first, last, qualOpt, desc, msg, names);
}

bool ParamObj::readValuePart(TokenIter first, TokenIter last, QualifOptions qualOpt,
                             const ParamDescriptor* desc, const ParserMessage* msg,
                             const PartNames& names) {
    // Whether an introducer ("=" or "(") is expected, and which one may serve.
    bool introduced = true;
    bool equalAllowed = false;
    bool parenAllowed = false;
    if (desc != nullptr && qualOpt == QualifByBlock) {
        equalAllowed = true;
        switch (desc->getBlockOption()) {
            case BlockNoValue:
                introduced = false;
                break;
            case BlockOptEqual:
                introduced = IsOperatorCode(*first, TokenSequenceBase::EqualSign);
                break;
            case BlockByParen:
                equalAllowed = false;
                parenAllowed = true;
                break;
            default:  // BlockByEqual, and any value a grammar should not hold
                break;
        }
    }

    auto start = first;
    if (introduced) {
        if (IsOperatorCode(*first, TokenSequenceBase::LeftParen) &&
            (desc == nullptr || parenAllowed || qualOpt == QualifByParen)) {
            mParenUsed = true;
        } else if (IsOperatorCode(*first, TokenSequenceBase::EqualSign) &&
                   (desc == nullptr || equalAllowed || qualOpt != QualifByParen)) {
            mParenUsed = false;
        } else {
            if (msg != nullptr) {
                msg->SyntaxErrorInParam(TextOf(*first).c_str(), names.syntaxParam, names.subCom);
            }
            return false;
        }
        ++start;
    }

    // The value runs from start up to end, inclusive; end is kept as one past it.
    auto end = last;
    if (mParenUsed) {
        if (last - start < 2 || !IsOperatorCode(*(last - 1), TokenSequenceBase::RightParen)) {
            if (msg != nullptr) {
                msg->WrongValueType(names.display, names.subCom);
            }
            return false;
        }
        --end;
    } else if (start == last) {
        if (msg != nullptr) {
            msg->WrongValueType(names.display, names.subCom);
        }
        return false;
    }

    if (desc != nullptr && desc->getBracketOption() != BracketNone) {
        const BracketOptions option = desc->getBracketOption();
        bool bracketed = false;
        if (end - start >= 2 && IsOperatorCode(*start, TokenSequenceBase::LeftBracket) &&
            IsOperatorCode(*(end - 1), TokenSequenceBase::RightBracket)) {
            ++start;
            --end;
            mBracketsUsed = true;
            bracketed = true;
        }
        if (!bracketed &&
            (option == BracketRequired || (option == BracketForList && end - start > 1))) {
            if (msg != nullptr) {
                msg->SquareBracketRequired(names.bracketParam, names.subCom);
            }
            return false;
        }
        if (start == end) {
            if (msg != nullptr) {
                msg->WrongValueType(names.display, names.subCom);
            }
            return false;
        }
    }

    mType = ParamTokenList;
    mTokenList.insert(mTokenList.end(), start, end);
    return desc == nullptr || canGetValue(desc, msg);
}

bool ParamObj::getKeywordAndValue(ParamObj& keywordParam, ParamObj& valueParam,
                                  const ParamDescriptor* desc, const ParserMessage* msg) const {
    if (&keywordParam == this || &valueParam == this) {
        // The parts are written while this object's tokens are read.
        const ParamObj source(*this);
        return source.processKeywordAndValue(&keywordParam, &valueParam, source.mTokenList, desc,
                                             msg);
    }
    return processKeywordAndValue(&keywordParam, &valueParam, mTokenList, desc, msg);
}

bool ParamObj::getTokenAndQual(ParamObj& tokenParam, ParamObj& qualParam,
                               const ParamDescriptor* desc, const ParserMessage* msg) const {
    if (&tokenParam == this || &qualParam == this) {
        const ParamObj source(*this);
        return source.processTokenAndQual(&tokenParam, &qualParam, source.mTokenList, desc, msg);
    }
    return processTokenAndQual(&tokenParam, &qualParam, mTokenList, desc, msg);
}

bool ParamObj::getStringAndQual(ParamObj& qualParam, const ParamDescriptor* desc,
                                const ParserMessage* msg) const {
    if (&qualParam == this) {
        const ParamObj source(*this);
        return source.processTokenAndQual(nullptr, &qualParam, source.mTokenList, desc, msg);
    }
    return processTokenAndQual(nullptr, &qualParam, mTokenList, desc, msg);
}

bool ParamObj::getStringQualList(std::vector<ParamObj>& items, const ParamDescriptor* desc,
                                 const ParserMessage* msg) const {
    return processStringQualList(items, mTokenList, desc, msg);
}

bool ParamObj::processKeywordAndValue(ParamObj* keywordParam, ParamObj* valueParam,
                                      const std::vector<TokenInfoObj>& tokens,
                                      const ParamDescriptor* pDescript,
                                      const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", pDescript != 0);
    const ParamDescriptor* keywordDesc = pDescript->getMainDesc();
    const ParamDescriptor* valueDesc = pDescript->getQualifDesc();
    UP_ASSERT("ParamObj", keywordDesc != 0);
    UP_ASSERT("ParamObj", keywordParam != 0);
    UP_ASSERT("ParamObj", valueDesc != 0);
    UP_ASSERT("ParamObj", valueParam != 0);

    keywordParam->mKeyWordToken = mKeyWordToken;
    keywordParam->mParentName = mParentName;
    keywordParam->mSubComExtName = mSubComExtName;
    valueParam->mSubComExtName = mSubComExtName;

    if (tokens.empty()) {
        if (msg != nullptr) {
            msg->WrongValueType(getDisplayName().c_str(), mSubComExtName.c_str());
        }
        return false;
    }

    // The value begins at the first word the value descriptor recognises: one of its accepted
    // words, or one of its qualifier names. Other value types leave everything to the keyword.
    const ParamSpec valueType = valueDesc->getParamType();
    auto valueStart = tokens.end();
    if (valueType == ParamString || valueType == ParamStringList) {
        const std::vector<std::string>& words = valueDesc->getStringValues();
        valueStart = std::find_if(tokens.begin(), tokens.end(), [&](const TokenInfoObj& token) {
            return std::find(words.begin(), words.end(), UpperTextOf(token)) != words.end();
        });
    } else if (valueType == ParamStringQual || valueType == ParamStringQualList) {
        valueStart = std::find_if(tokens.begin(), tokens.end(), [&](const TokenInfoObj& token) {
            return valueDesc->getQualifDesc(UpperTextOf(token)) != nullptr;
        });
    }

    if (valueStart != tokens.end()) {
        bool introducer = true;
        if (pDescript->getQualifOption() == QualifByBlock) {
            switch (valueDesc->getBlockOption()) {
                case BlockNoValue:
                    introducer = false;
                    break;
                case BlockOptEqual:
                    introducer = valueStart != tokens.begin() &&
                                 IsOperatorCode(*(valueStart - 1), TokenSequenceBase::EqualSign);
                    break;
                default:
                    break;
            }
        }
        if (introducer && valueStart != tokens.begin()) {
            --valueStart;
        }
    }

    if (!keywordParam->parseTokenRange(tokens.begin(), valueStart, QualifByBlock, keywordDesc,
                                       msg)) {
        return false;
    }

    if (keywordParam->mType == ParamTokenList && !keywordParam->mTokenList.empty() &&
        !AreStringsEqualCase(pDescript->getParamName(), valueDesc->getParamName())) {
        // The value is named after the keyword it follows.
        const std::size_t nKWTokens = keywordParam->mTokenList.size();
        UP_ASSERT("ParamObj", nKWTokens >= 1);
        std::string parentName = getParamExtName();
        for (std::size_t i = 0; i < nKWTokens; ++i) {
            if (i > 0 || !parentName.empty()) {
                parentName += ' ';
            }
            parentName += TextOf(keywordParam->mTokenList[i]);
        }
        valueParam->mParentName = std::move(parentName);
    } else {
        valueParam->mKeyWordToken = mKeyWordToken;
        valueParam->mParentName = mParentName;
    }

    return valueParam->parseTokenRange(valueStart, tokens.end(), pDescript->getQualifOption(),
                                       valueDesc, msg);
}

bool ParamObj::processTokenAndQual(ParamObj* tokenParam, ParamObj* qualParam,
                                   const std::vector<TokenInfoObj>& tokens,
                                   const ParamDescriptor* desc, const ParserMessage* msg) const {
    return tokenAndQual(tokenParam, qualParam, tokens.begin(), tokens.end(), desc, msg);
}

bool ParamObj::tokenAndQual(ParamObj* tokenParam, ParamObj* qualParam, TokenIter first,
                            TokenIter last, const ParamDescriptor* desc,
                            const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", qualParam != 0);
    const char* subCom = mSubComExtName.c_str();
    if (first == last) {
        if (msg != nullptr) {
            msg->WrongValueType(getDisplayName().c_str(), subCom);
        }
        return false;
    }
    const std::string extName = getParamExtName();
    const auto syntaxError = [&](const TokenInfoObj& token) {
        if (msg != nullptr) {
            msg->SyntaxErrorInParam(TextOf(token).c_str(), extName.c_str(), subCom);
        }
        return false;
    };
    if (mType != ParamTokenList) {
        return syntaxError(*first);
    }

    const bool leadingToken = tokenParam != nullptr;
    if (leadingToken) {
        *tokenParam = ParamObj();
        tokenParam->mKeyWordToken = mKeyWordToken;
        tokenParam->mSubComExtName = mSubComExtName;
        tokenParam->mType = ParamTokenList;
        tokenParam->mTokenList.push_back(*first);
    } else {
        if (!first->IsPlainString() && !first->NoType()) {
            return syntaxError(*first);
        }
        *qualParam = ParamObj();
        qualParam->mKeyWordToken = *first;
        qualParam->mParentName = extName;
        qualParam->mSubComExtName = mSubComExtName;
    }
    // In the leading-token form the qualifiers have no name of their own.
    const std::string qualExtName = leadingToken ? std::string() : qualParam->getParamExtName();
    const std::string qualDisplay = qualExtName.empty() ? mSubComExtName : qualExtName;

    const ParamDescriptor* qualDesc = nullptr;
    if (desc != nullptr) {
        if (leadingToken) {
            qualDesc = desc->getQualifDesc();
            const ParamDescriptor* mainDesc = desc->getMainDesc();
            if (mainDesc != nullptr && !tokenParam->canGetValue(mainDesc, msg)) {
                return false;
            }
        } else {
            qualDesc = desc->getQualifDesc(TextOf(*first));
            if (qualDesc == nullptr) {
                if (msg != nullptr) {
                    msg->InvalidParamOption(TextOf(*first).c_str(), getDisplayName().c_str(),
                                            subCom);
                }
                return false;
            }
        }
    }

    if (last - first == 1) {
        if (qualDesc == nullptr || qualDesc->getParamType() == ParamKeyWord ||
            !qualDesc->isValueRequired()) {
            if (!leadingToken) {
                qualParam->mType = ParamKeyWord;
            }
            return true;
        }
        if (msg != nullptr) {
            msg->WrongValueType(qualDisplay.c_str(), subCom);
        }
        return false;
    }
    if (qualDesc != nullptr && qualDesc->getParamType() == ParamKeyWord) {
        if (msg != nullptr) {
            msg->TokenNoQualif(qualDisplay.c_str(), subCom);
        }
        return false;
    }
    // Without a descriptor the option is never consulted: any introducer is accepted.
    const QualifOptions qualOpt = desc != nullptr ? desc->getQualifOption() : QualifByParen;
    // A malformed value part is the whole parameter's fault; only the bracket rule names the
    // qualifier.
    const std::string display = getDisplayName();
    const PartNames names{extName.c_str(), qualExtName.c_str(), display.c_str(), subCom};
    return qualParam->readValuePart(first + 1, last, qualOpt, qualDesc, msg, names);
}

bool ParamObj::processStringQualList(std::vector<ParamObj>& items,
                                     const std::vector<TokenInfoObj>& tokens,
                                     const ParamDescriptor* pDescript,
                                     const ParserMessage* msg) const {
    UP_ASSERT("ParamObj", pDescript != 0);
    items.clear();
    if (tokens.empty()) {
        return true;
    }
    std::vector<std::string> qualNames;
    pDescript->getQualifNames(qualNames);
    const std::size_t nQuals = qualNames.size();
    UP_ASSERT("ParamObj", nQuals > 0);
    std::map<std::string, bool> used;
    for (const std::string& name : qualNames) {
        const bool newName = used.emplace(GetUpperString(name), false).second;
        UP_ASSERT("ParamObj", newName);
    }

    const char* subCom = mSubComExtName.c_str();
    const QualifOptions qualOpt = pDescript->getQualifOption();
    const std::size_t n = tokens.size();
    // Whether the token at j (never an item's first) begins the next item.
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

    for (std::size_t i = 0; i < n;) {
        const TokenInfoObj& nameToken = tokens[i];
        const auto entry = used.find(UpperTextOf(nameToken));
        if (entry == used.end()) {
            if (msg != nullptr) {
                msg->InvalidParamOption(TextOf(nameToken).c_str(), getDisplayName().c_str(),
                                        subCom);
            }
            return false;
        }
        if (entry->second) {
            if (msg != nullptr) {
                const std::string extName = getParamExtName();
                const std::string repeatName =
                    extName.empty() ? TextOf(nameToken)
                                    : GetUpperString(extName) + " " + TextOf(nameToken);
                msg->ParamRepeated(repeatName.c_str(), subCom);
            }
            return false;
        }
        entry->second = true;

        std::size_t next = i + 1;
        while (next < n && !startsItem(next)) {
            ++next;
        }
        ParamObj item;
        if (!tokenAndQual(nullptr, &item, tokens.begin() + static_cast<std::ptrdiff_t>(i),
                          tokens.begin() + static_cast<std::ptrdiff_t>(next), pDescript, msg)) {
            return false;
        }
        items.push_back(std::move(item));
        i = next;
    }

    for (const std::string& name : qualNames) {
        const ParamDescriptor* qualDesc = pDescript->getQualifDesc(name);
        UP_ASSERT("ParamObj", qualDesc != 0);
        if (qualDesc->isParamRequired() && !used[GetUpperString(name)]) {
            // The missing qualifier's name comes first and the subcommand last, as with
            // every other finding of a qualifier list; the catalog text fills its
            // placeholders in that order.
            if (msg != nullptr) {
                msg->ParamNeedQualif(name.c_str(), getDisplayName().c_str(), subCom);
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
    auto it = mTokenList.cbegin();
    for (; it != mTokenList.cend() && it->IsPlainString(); ++it) {
        if (!list.addVarName(TavoVarName(TextOf(*it)))) {
            return false;
        }
    }
    const unsigned nVars = list.getVarListSize();
    if (nVars == 0 || it == mTokenList.cend()) {
        return false;
    }
    while (it != mTokenList.cend()) {
        if (!IsOperatorCode(*it, TokenSequenceBase::CategorySeparator)) {
            return false;
        }
        ++it;
        std::vector<std::string> values;
        double code = 0.0;
        const bool read = processCatListVal(values, nVars, code, it);
        // The row goes in with whatever was read; a short row is refused by the list itself.
        const bool added = list.addCatList(values, code);
        if (!read || !added) {
            return false;
        }
    }
    list.updateValueInfo();
    return true;
}

bool ParamObj::processCatListVal(std::vector<std::string>& values, unsigned count, double& code,
                                 std::vector<TokenInfoObj>::const_iterator& it) const {
    if (it == mTokenList.cend()) {
        return false;
    }
    values.clear();
    for (unsigned k = 0; k < count; ++k) {
        if (it == mTokenList.cend() || !(it->IsString() || it->IsNumber() || it->IsLiteral())) {
            return false;
        }
        values.push_back(TextOf(*it));
        ++it;
    }
    if (it == mTokenList.cend() || !it->IsNumber()) {
        return false;
    }
    code = it->getNumeric();
    ++it;
    return true;
}
