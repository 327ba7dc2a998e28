#ifndef UPARSER_DETAIL_PARAMOBJTOKENS_H
#define UPARSER_DETAIL_PARAMOBJTOKENS_H

#include <string>

#include "uparser/TokenInfoObj.h"
#include "uparser/host/TokenSequence.h"

// Token tests shared by the two source units of ParamObj.
namespace paramobj_detail {

inline std::string TextOf(const TokenInfoObj& token) {
    const char* text = token.getString();
    return text != nullptr ? std::string(text, token.getStringLength()) : std::string();
}

inline std::string UpperTextOf(const TokenInfoObj& token) {
    const char* text = token.getUpperString();
    return text != nullptr ? std::string(text) : std::string();
}

// Codes are compared only on operator tokens, so no word can pass for punctuation.
inline bool IsOperatorCode(const TokenInfoObj& token, TokenSequenceBase::OperatorCode code) {
    return token.IsOperator() && token.getOperatorCode() == code;
}

}  // namespace paramobj_detail

#endif
