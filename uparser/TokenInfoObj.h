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
    // Replaces this snapshot with one of the token at which the stream stands, asking the
    // stream what the constructor asks, in the same order; a cursor reuses its objects so.
    void read(const TAVO_TokenSequence& stream);

    TokenSequenceBase::TokenType getType() const { return mType; }
    TokenSequenceBase::OperatorCode getOperatorCode() const { return mOperatorCode; }
    char const* getString() const { return texts(); }
    unsigned int getStringLength() const { return mLength; }
    char const* getUpperString() const { return texts() + mLength + 1; }
    double getNumeric() const { return mNumeric; }
    long getLineNumber() const { return mLineNumber; }
    int getColumn() const { return mColumn; }

    // Where the token ends and where it starts in the command text, when the host told it
    // (host/TokenExtent.h): set by the parser for a stream that offers it while a diagnostic
    // observer listens; copies keep it. Unknown is an end column of 0 and a byte offset of -1
    // (also for an offset beyond 2 GiB). Diagnostic.h derives what is not known.
    bool hasExtent() const { return mEndColumn > 0; }
    int getEndColumn() const { return mEndColumn; }
    long long getByteOffset() const { return mByteOffset; }
    void setExtent(int endColumn, long long byteOffset);

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
    // 24 bytes keep the object at 64 with the extent: names up to 11 bytes stay inline.
    static constexpr std::size_t kInlineBytes = 24;

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
    int32_t mEndColumn;
    int32_t mByteOffset;
    unsigned mLength;       // bytes of the text
    unsigned mUpperLength;  // bytes of the upper text
    union {
        char mInline[kInlineBytes];
        char* mHeap;
    };
};

#endif
