#include "uparser/TokenInfoObj.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "uparser/ParserUtility.h"

namespace {

// Where a snapshot's texts are written while it reads them: the object's inline bytes until
// they no longer fit, then a block of its own.
struct TextBuffer {
    char* data;
    std::size_t capacity;
    std::unique_ptr<char[]> block;

    // Room for size bytes, keeping the first kept ones.
    void reserve(std::size_t size, std::size_t kept) {
        if (size <= capacity) {
            return;
        }
        std::unique_ptr<char[]> grown(new char[size]);
        std::memcpy(grown.get(), data, kept);
        block = std::move(grown);
        data = block.get();
        capacity = size;
    }
};

// length bytes of text, then a NUL.
void CopyText(char* to, const char* text, unsigned length) {
    if (length > 0) {
        std::memcpy(to, text, length);
    }
    to[length] = '\0';
}

}  // namespace

TokenInfoObj::TokenInfoObj()
    : mType(TokenSequenceBase::NoToken),
      mOperatorCode(TokenSequenceBase::NoOperator),
      mNumeric(0.0),
      mLineNumber(0),
      mColumn(0),
      mEndColumn(0),
      mByteOffset(-1),
      mLength(0),
      mUpperLength(0),
      mInline() {}

TokenInfoObj::TokenInfoObj(const TAVO_TokenSequence& stream) : TokenInfoObj() {
    read(stream);
}

void TokenInfoObj::read(const TAVO_TokenSequence& stream) {
    releaseTexts();
    mNumeric = 0.0;
    mLineNumber = 0;
    mColumn = 0;
    mEndColumn = 0;
    mByteOffset = -1;
    // The host expects its queries in this order, each once.
    mType = stream.getType();
    mOperatorCode = stream.getOperatorCode();
    readTexts(stream);
    mNumeric = stream.getNumeric();
    mLineNumber = static_cast<int32_t>(stream.getLineNumber());
    mColumn = static_cast<int32_t>(stream.getColumn());
}

// A host may answer both text queries from one scratch buffer, so the text is copied before the
// upper text is asked for. It goes straight to where it will stay: into the object when it
// leaves room for an upper text, else into a block with room for an upper text as long as
// itself (the usual case), so that a snapshot allocates at most once unless upper-casing made
// the text longer.
void TokenInfoObj::readTexts(const TAVO_TokenSequence& stream) {
    char const* text = nullptr;
    unsigned length = 0;
    stream.getString(&text, &length);
    length = text != nullptr ? length : 0;
    TextBuffer buffer{mInline, kInlineBytes, nullptr};
    if (bufferSize(length, 0) > kInlineBytes) {
        buffer.reserve(bufferSize(length, length), 0);
    }
    CopyText(buffer.data, text, length);

    char const* upper = nullptr;
    unsigned upperLength = 0;
    stream.getUpperString(&upper, &upperLength);
    upperLength = upper != nullptr ? upperLength : 0;
    buffer.reserve(bufferSize(length, upperLength), std::size_t{length} + 1);
    CopyText(buffer.data + length + 1, upper, upperLength);
    // Inside the object exactly when both texts fit there (see isInline).
    if (buffer.block) {
        mHeap = buffer.block.release();
    }
    mLength = length;
    mUpperLength = upperLength;
}

void TokenInfoObj::setExtent(int endColumn, long long byteOffset) {
    mEndColumn = endColumn > 0 ? static_cast<int32_t>(endColumn) : 0;
    mByteOffset = byteOffset >= 0 && byteOffset <= INT32_MAX ? static_cast<int32_t>(byteOffset) : -1;
}

TokenInfoObj::TokenInfoObj(const TokenInfoObj& other)
    : mType(other.mType),
      mOperatorCode(other.mOperatorCode),
      mNumeric(other.mNumeric),
      mLineNumber(other.mLineNumber),
      mColumn(other.mColumn),
      mEndColumn(other.mEndColumn),
      mByteOffset(other.mByteOffset),
      mLength(0),
      mUpperLength(0),
      mInline() {
    setTexts(other.getString(), other.mLength, other.getUpperString(), other.mUpperLength);
}

TokenInfoObj::TokenInfoObj(TokenInfoObj&& other) noexcept
    : mType(other.mType),
      mOperatorCode(other.mOperatorCode),
      mNumeric(other.mNumeric),
      mLineNumber(other.mLineNumber),
      mColumn(other.mColumn),
      mEndColumn(other.mEndColumn),
      mByteOffset(other.mByteOffset),
      mLength(0),
      mUpperLength(0),
      mInline() {
    takeTexts(other);
}

TokenInfoObj& TokenInfoObj::operator=(const TokenInfoObj& other) {
    if (this != &other) {
        // Copied first, so that a failed allocation leaves this object as it was.
        TokenInfoObj copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TokenInfoObj& TokenInfoObj::operator=(TokenInfoObj&& other) noexcept {
    if (this != &other) {
        mType = other.mType;
        mOperatorCode = other.mOperatorCode;
        mNumeric = other.mNumeric;
        mLineNumber = other.mLineNumber;
        mColumn = other.mColumn;
        mEndColumn = other.mEndColumn;
        mByteOffset = other.mByteOffset;
        releaseTexts();
        takeTexts(other);
    }
    return *this;
}

TokenInfoObj::~TokenInfoObj() {
    releaseTexts();
}

void TokenInfoObj::setTexts(const char* text, unsigned length, const char* upper,
                            unsigned upperLength) {
    // Called on an object that holds the empty texts only.
    const std::size_t size = bufferSize(length, upperLength);
    char* buffer = mInline;
    if (size > kInlineBytes) {
        buffer = new char[size];
    }
    CopyText(buffer, text, length);
    CopyText(buffer + length + 1, upper, upperLength);
    if (buffer != mInline) {
        mHeap = buffer;
    }
    mLength = length;
    mUpperLength = upperLength;
}

void TokenInfoObj::releaseTexts() noexcept {
    if (!isInline()) {
        delete[] mHeap;
    }
    mLength = 0;
    mUpperLength = 0;
    mInline[0] = '\0';
    mInline[1] = '\0';
}

void TokenInfoObj::takeTexts(TokenInfoObj& other) noexcept {
    // This object holds the empty texts; other is left with them.
    if (other.isInline()) {
        std::memcpy(mInline, other.mInline, kInlineBytes);
    } else {
        mHeap = other.mHeap;
    }
    mLength = other.mLength;
    mUpperLength = other.mUpperLength;
    other.mLength = 0;
    other.mUpperLength = 0;
    other.mInline[0] = '\0';
    other.mInline[1] = '\0';
}

bool TokenInfoObj::IsVarName() const {
    // The host checks a C string; a text with an embedded NUL would be judged by its prefix.
    return IsPlainString() && std::memchr(getString(), '\0', mLength) == nullptr &&
           ValidateTAVOName(getString()) == 0;
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
    return IsVarName() ? TavoVarName(std::string(getString(), mLength)) : TavoVarName();
}

TavoVarName TokenInfoObj::getUpperVarName() const {
    return IsVarName() ? TavoVarName(std::string(getUpperString(), mUpperLength))
                       : TavoVarName();
}

std::string TokenInfoObj::getFilePath(bool validatorFlag, bool strictFlag) const {
    if (!IsLiteral() && !IsString()) {
        return std::string();
    }
    return GetExtendFilePath(std::string(getString(), mLength), validatorFlag, IsString(),
                             strictFlag);
}
