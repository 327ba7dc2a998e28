#include "uparser/TokenInfoObj.h"

#include <cmath>

#include "uparser/ParserUtility.h"

TokenInfoObj::TokenInfoObj()
    : mType(TokenSequenceBase::NoToken),
      mOperatorCode(TokenSequenceBase::NoOperator),
      mNumeric(0.0),
      mLineNumber(0),
      mColumn(0) {}

TokenInfoObj::TokenInfoObj(const TAVO_TokenSequence& stream) : TokenInfoObj() {
    // The host expects its queries in this order, each once.
    mType = stream.getType();
    mOperatorCode = stream.getOperatorCode();

    char const* text = nullptr;
    unsigned length = 0;
    stream.getString(&text, &length);
    if (text != nullptr) {
        mString.assign(text, length);
    }

    text = nullptr;
    length = 0;
    stream.getUpperString(&text, &length);
    if (text != nullptr) {
        mUpperString.assign(text, length);
    }

    mNumeric = stream.getNumeric();
    mLineNumber = static_cast<int32_t>(stream.getLineNumber());
    mColumn = static_cast<int32_t>(stream.getColumn());
}

TokenInfoObj::TokenInfoObj(const TokenInfoObj& other) = default;

TokenInfoObj::TokenInfoObj(TokenInfoObj&& other) noexcept = default;

TokenInfoObj& TokenInfoObj::operator=(const TokenInfoObj& other) = default;

TokenInfoObj& TokenInfoObj::operator=(TokenInfoObj&& other) noexcept = default;

TokenInfoObj::~TokenInfoObj() = default;

bool TokenInfoObj::IsVarName() const {
    // The host checks a C string; a text with an embedded NUL would be judged by its prefix.
    return IsPlainString() && mString.find('\0') == std::string::npos &&
           ValidateTAVOName(mString.c_str()) == 0;
}

bool TokenInfoObj::IsInteger() const {
    return IsNumber() && IsValidInteger(mNumeric);
}

bool TokenInfoObj::IsFileSpec(bool validatorFlag, bool strictFlag) const {
    return !getFilePath(validatorFlag, strictFlag).empty();
}

int TokenInfoObj::getInteger() const {
    return IsInteger() ? static_cast<int>(std::floor(mNumeric)) : 0;
}

TavoVarName TokenInfoObj::getVarName() const {
    return IsVarName() ? TavoVarName(mString) : TavoVarName();
}

TavoVarName TokenInfoObj::getUpperVarName() const {
    return IsVarName() ? TavoVarName(mUpperString) : TavoVarName();
}

std::string TokenInfoObj::getFilePath(bool validatorFlag, bool strictFlag) const {
    if (!IsLiteral() && !IsString()) {
        return std::string();
    }
    return GetExtendFilePath(mString, validatorFlag, IsString(), strictFlag);
}
