#ifndef UPARSER_TOKENINFOOBJ_H
#define UPARSER_TOKENINFOOBJ_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
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
    char const* getString() const { return isInline() ? mTexts : heapData(); }
    unsigned int getStringLength() const {
        return isInline() ? inlineLength() : heapLength(kHeapLength);
    }
    char const* getUpperString() const {
        return isInline() ? mTexts + inlineLength() + 1 : heapData() + heapLength(kHeapLength) + 1;
    }
    double getNumeric() const { return mNumeric; }
    long getLineNumber() const { return mLineNumber; }
    int getColumn() const { return mColumn; }

    // Whether the texts live in a heap block of their own (they are too long to fit inside);
    // destroying a snapshot without one frees nothing.
    bool hasTextBlock() const { return !isInline(); }

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

    // Carries a snapshot to raw storage for a regrowing list of the library's: a copy of the
    // bytes, which never writes the old object; that then ends without its destructor, its
    // texts being the new one's.
    friend void RelocateTo(TokenInfoObj& from, void* to) noexcept {
        new (to) TokenInfoObj(Relocated{}, from);
    }

  private:
    struct Relocated {};
    TokenInfoObj(Relocated, const TokenInfoObj& from) noexcept {
        copyFields(from);
        std::memcpy(mTexts, from.mTexts, kTextBytes);
    }

    // Both texts live in one buffer, "text\0UPPER\0", inside the object when they fit and in
    // one heap block otherwise: a token list of short words then costs no allocation per
    // token, and a snapshot stays at 56 bytes (a million-token list is a vector of them).
    //
    // Inside, the last byte holds the bytes left unused, so that it is the upper text's NUL
    // when both texts fill the room exactly: names of up to 11 bytes stay inside. The text's
    // length is where its NUL stands, so a text with a NUL byte of its own goes outside.
    // Outside, the room holds the block's address and both lengths, and the last byte kHeap.
    static constexpr std::size_t kTextBytes = 24;
    static constexpr std::size_t kSpareAt = kTextBytes - 1;
    static constexpr std::size_t kMaxInline = kTextBytes - 2;  // both lengths together
    static constexpr unsigned char kHeap = 0xFF;
    static constexpr std::size_t kHeapLength = sizeof(char*);
    static constexpr std::size_t kHeapUpperLength = kHeapLength + sizeof(unsigned);

    static std::size_t bufferSize(unsigned length, unsigned upperLength) {
        return std::size_t{length} + upperLength + 2;
    }
    bool isInline() const { return static_cast<unsigned char>(mTexts[kSpareAt]) != kHeap; }
    unsigned inlineLength() const {
        unsigned length = 0;
        while (mTexts[length] != '\0') {
            ++length;
        }
        return length;
    }
    char* heapData() const {
        char* data = nullptr;
        std::memcpy(&data, mTexts, sizeof data);
        return data;
    }
    unsigned heapLength(std::size_t at) const {
        unsigned length = 0;
        std::memcpy(&length, mTexts + at, sizeof length);
        return length;
    }
    unsigned upperLength() const;
    void setHeap(char* data, unsigned length, unsigned upperLength);
    // Both texts are in place; 0 spare bytes is the upper text's NUL.
    void setInlineSpare(unsigned length, unsigned upperLength) {
        mTexts[kSpareAt] = static_cast<char>(kMaxInline - length - upperLength);
    }
    void setEmptyTexts() noexcept {
        mTexts[0] = '\0';
        mTexts[1] = '\0';
        setInlineSpare(0, 0);
    }
    bool readInlineText(const char* text, unsigned length);
    void readTexts(const TAVO_TokenSequence& stream);
    void readLongTexts(const TAVO_TokenSequence& stream, const char* text, unsigned length);
    void moveTextsOut(const char* upper, unsigned upperLength);
    void copyFields(const TokenInfoObj& other) noexcept;  // all but the texts
    void copyTexts(const TokenInfoObj& other);
    void releaseTexts() noexcept;

    TokenSequenceBase::TokenType mType;
    TokenSequenceBase::OperatorCode mOperatorCode;
    double mNumeric;
    int32_t mLineNumber;
    int32_t mColumn;
    int32_t mEndColumn;
    int32_t mByteOffset;
    alignas(char*) char mTexts[kTextBytes];
};

// The moves are inline: the parser moves its look-ahead into the current token at every token,
// and a regrowing token list moves every snapshot; both are a copy of the bytes and, at most,
// the release of the texts this object held.
inline TokenInfoObj::TokenInfoObj(TokenInfoObj&& other) noexcept {
    copyFields(other);
    std::memcpy(mTexts, other.mTexts, kTextBytes);
    other.setEmptyTexts();
}

inline TokenInfoObj& TokenInfoObj::operator=(TokenInfoObj&& other) noexcept {
    if (this != &other) {
        if (!isInline()) {
            delete[] heapData();
        }
        copyFields(other);
        std::memcpy(mTexts, other.mTexts, kTextBytes);
        other.setEmptyTexts();
    }
    return *this;
}

inline TokenInfoObj::~TokenInfoObj() {
    if (!isInline()) {
        delete[] heapData();
    }
}

inline void TokenInfoObj::copyFields(const TokenInfoObj& other) noexcept {
    mType = other.mType;
    mOperatorCode = other.mOperatorCode;
    mNumeric = other.mNumeric;
    mLineNumber = other.mLineNumber;
    mColumn = other.mColumn;
    mEndColumn = other.mEndColumn;
    mByteOffset = other.mByteOffset;
}

inline void TokenInfoObj::releaseTexts() noexcept {
    if (!isInline()) {
        delete[] heapData();
    }
    setEmptyTexts();
}

#endif
