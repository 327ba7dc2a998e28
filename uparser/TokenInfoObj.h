#ifndef UPARSER_TOKENINFOOBJ_H
#define UPARSER_TOKENINFOOBJ_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "uparser/Export.h"
#include "uparser/host/TokenSequence.h"
#include "uparser/host/VarName.h"

// A value copy of one token of the host's stream, usable after the stream has moved on.
class UPARSER_API TokenInfoObj {
  public:
    TokenInfoObj();
    // Snapshot of the token at which the stream stands; the stream does not move.
    explicit TokenInfoObj(const TAVO_TokenSequence& stream);
    TokenInfoObj(const TokenInfoObj& other);
    TokenInfoObj(TokenInfoObj&& other) noexcept;
    TokenInfoObj& operator=(const TokenInfoObj& other);
    TokenInfoObj& operator=(TokenInfoObj&& other) noexcept;
    ~TokenInfoObj();

    TokenSequenceBase::TokenType getType() const { return mType; }
    TokenSequenceBase::OperatorCode getOperatorCode() const { return mOperatorCode; }
    char const* getString() const { return texts(); }
    unsigned int getStringLength() const { return mLength; }
    char const* getUpperString() const { return texts() + mLength + 1; }
    double getNumeric() const { return mNumeric; }
    long getLineNumber() const { return mLineNumber; }
    int getColumn() const { return mColumn; }

    bool NoType() const { return mType == TokenSequenceBase::NoToken; }
    bool AtEnd() const { return mType == TokenSequenceBase::EndToken; }
    bool IsString() const { return mType == TokenSequenceBase::StringToken; }
    bool IsNumber() const { return mType == TokenSequenceBase::NumberToken; }
    bool IsLiteral() const { return mType == TokenSequenceBase::LiteralToken; }
    bool IsOperator() const { return mType == TokenSequenceBase::OperatorToken; }
    bool IsReservedWord() const {
        return IsString() && mOperatorCode != TokenSequenceBase::NoOperator;
    }
    bool IsPlainString() const {
        return IsString() && mOperatorCode == TokenSequenceBase::NoOperator;
    }
    // A plain word that the host accepts as a variable name.
    bool IsVarName() const;
    // A number token whose value is a 32-bit whole number.
    bool IsInteger() const;
    bool IsFileSpec(bool validatorFlag, bool strictFlag) const;

    // 0 unless IsInteger().
    int getInteger() const;
    // Empty unless IsVarName(); the upper form is judged by the text as written.
    TavoVarName getVarName() const;
    TavoVarName getUpperVarName() const;
    // A word or literal resolved as a path by the host; "" when it is not acceptable.
    std::string getFilePath(bool validatorFlag, bool strictFlag) const;

  private:
    // Both texts live in one buffer, "text\0UPPER\0", inside the object when they fit and in
    // one heap block otherwise: a token list of short words then costs no allocation per
    // token. The lengths are kept because a text may itself contain NUL bytes.
    static constexpr std::size_t kInlineBytes = 32;

    static std::size_t bufferSize(unsigned length, unsigned upperLength) {
        return std::size_t{length} + upperLength + 2;
    }
    bool isInline() const { return bufferSize(mLength, mUpperLength) <= kInlineBytes; }
    const char* texts() const { return isInline() ? mInline : mHeap; }
    void readTexts(const TAVO_TokenSequence& stream);
    void setTexts(const char* text, unsigned length, const char* upper, unsigned upperLength);
    void releaseTexts() noexcept;
    void takeTexts(TokenInfoObj& other) noexcept;

    TokenSequenceBase::TokenType mType;
    TokenSequenceBase::OperatorCode mOperatorCode;
    double mNumeric;
    int32_t mLineNumber;
    int32_t mColumn;
    unsigned mLength;       // bytes of the text
    unsigned mUpperLength;  // bytes of the upper text
    union {
        char mInline[kInlineBytes];
        char* mHeap;
    };
};

#endif
