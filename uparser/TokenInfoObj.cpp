#include "uparser/TokenInfoObj.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "uparser/ParserUtility.h"

namespace {

// length bytes of text, then a NUL.
void CopyText(char* to, const char* text, unsigned length) {
    if (length > 0) {
        std::memcpy(to, text, length);
    }
    to[length] = '\0';
}

}  // namespace

// Lengths are whole on 64-bit hosts; the point of the layout is the size of a token list.
static_assert(sizeof(void*) != 8 || sizeof(TokenInfoObj) == 56, "a snapshot is 56 bytes");

TokenInfoObj::TokenInfoObj()
    : mType(TokenSequenceBase::NoToken),
      mOperatorCode(TokenSequenceBase::NoOperator),
      mNumeric(0.0),
      mLineNumber(0),
      mColumn(0),
      mEndColumn(0),
      mByteOffset(-1),
      mTexts() {
    setEmptyTexts();
}

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

unsigned TokenInfoObj::upperLength() const {
    if (!isInline()) {
        return heapLength(kHeapUpperLength);
    }
    const auto spare = static_cast<unsigned char>(mTexts[kSpareAt]);
    return static_cast<unsigned>(kMaxInline) - spare - inlineLength();
}

void TokenInfoObj::setHeap(char* data, unsigned length, unsigned upperLength) {
    std::memcpy(mTexts, &data, sizeof data);
    std::memcpy(mTexts + kHeapLength, &length, sizeof length);
    std::memcpy(mTexts + kHeapUpperLength, &upperLength, sizeof upperLength);
    mTexts[kSpareAt] = static_cast<char>(kHeap);
}

// Copies the text inside with an empty upper text, so that the object is whole whatever
// happens next; false, leaving the empty texts, when it is too long or holds a NUL.
bool TokenInfoObj::readInlineText(const char* text, unsigned length) {
    if (length > kMaxInline) {
        return false;
    }
    for (unsigned i = 0; i < length; ++i) {
        if (text[i] == '\0') {
            setEmptyTexts();
            return false;
        }
        mTexts[i] = text[i];
    }
    mTexts[length] = '\0';
    mTexts[length + 1] = '\0';
    setInlineSpare(length, 0);
    return true;
}

// A host may answer both text queries from one scratch buffer, so the text is copied before the
// upper text is asked for. It goes straight to where it will stay: into the object when it
// leaves room for an upper text (the usual case, kept free of the heap path's bookkeeping), else
// into a block (readLongTexts).
void TokenInfoObj::readTexts(const TAVO_TokenSequence& stream) {
    char const* text = nullptr;
    unsigned length = 0;
    stream.getString(&text, &length);
    length = text != nullptr ? length : 0;
    if (!readInlineText(text, length)) {
        readLongTexts(stream, text, length);
        return;
    }
    char const* upper = nullptr;
    unsigned upperLength = 0;
    stream.getUpperString(&upper, &upperLength);
    upperLength = upper != nullptr ? upperLength : 0;
    if (upperLength > kMaxInline - length) {
        moveTextsOut(upper, upperLength);
        return;
    }
    char* const to = mTexts + length + 1;
    for (unsigned i = 0; i < upperLength; ++i) {
        to[i] = upper[i];
    }
    to[upperLength] = '\0';
    setInlineSpare(length, upperLength);
}

// The text does not stay inside: it goes into a block with room for an upper text as long as
// itself, so that a snapshot allocates once unless upper-casing made the text longer.
void TokenInfoObj::readLongTexts(const TAVO_TokenSequence& stream, const char* text,
                                 unsigned length) {
    std::unique_ptr<char[]> block(new char[bufferSize(length, length)]);
    CopyText(block.get(), text, length);
    char const* upper = nullptr;
    unsigned upperLength = 0;
    stream.getUpperString(&upper, &upperLength);
    upperLength = upper != nullptr ? upperLength : 0;
    if (upperLength > length) {
        std::unique_ptr<char[]> grown(new char[bufferSize(length, upperLength)]);
        CopyText(grown.get(), block.get(), length);
        block = std::move(grown);
    }
    CopyText(block.get() + length + 1, upper, upperLength);
    setHeap(block.release(), length, upperLength);
}

// The text is inside, and with the upper text the two outgrow the object.
void TokenInfoObj::moveTextsOut(const char* upper, unsigned upperLength) {
    const unsigned length = inlineLength();
    std::unique_ptr<char[]> block(new char[bufferSize(length, upperLength)]);
    CopyText(block.get(), mTexts, length);
    CopyText(block.get() + length + 1, upper, upperLength);
    setHeap(block.release(), length, upperLength);
}

void TokenInfoObj::setExtent(int endColumn, long long byteOffset) {
    mEndColumn = endColumn > 0 ? static_cast<int32_t>(endColumn) : 0;
    mByteOffset =
        byteOffset >= 0 && byteOffset <= INT32_MAX ? static_cast<int32_t>(byteOffset) : -1;
}

TokenInfoObj::TokenInfoObj(const TokenInfoObj& other)
    : mType(other.mType),
      mOperatorCode(other.mOperatorCode),
      mNumeric(other.mNumeric),
      mLineNumber(other.mLineNumber),
      mColumn(other.mColumn),
      mEndColumn(other.mEndColumn),
      mByteOffset(other.mByteOffset),
      mTexts() {
    setEmptyTexts();
    copyTexts(other);
}

TokenInfoObj& TokenInfoObj::operator=(const TokenInfoObj& other) {
    if (this == &other) {
        return *this;
    }
    if (!other.isInline()) {
        // Copied first, so that a failed allocation leaves this object as it was.
        TokenInfoObj copy(other);
        return *this = std::move(copy);
    }
    // Texts kept inside copy with the room, and nothing can fail.
    releaseTexts();
    copyFields(other);
    copyTexts(other);
    return *this;
}

// Called on an object that holds the empty texts only.
void TokenInfoObj::copyTexts(const TokenInfoObj& other) {
    if (other.isInline()) {
        std::memcpy(mTexts, other.mTexts, kTextBytes);
        return;
    }
    const unsigned length = other.getStringLength();
    const unsigned upper = other.upperLength();
    char* buffer = new char[bufferSize(length, upper)];
    CopyText(buffer, other.getString(), length);
    CopyText(buffer + length + 1, other.getUpperString(), upper);
    setHeap(buffer, length, upper);
}

bool TokenInfoObj::IsVarName() const {
    // The host checks a C string; a text with an embedded NUL would be judged by its prefix.
    // A text kept inside the object has none.
    return IsPlainString() &&
           (isInline() || std::memchr(getString(), '\0', getStringLength()) == nullptr) &&
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
    return IsVarName() ? TavoVarName(std::string(getString(), getStringLength())) : TavoVarName();
}

TavoVarName TokenInfoObj::getUpperVarName() const {
    return IsVarName() ? TavoVarName(std::string(getUpperString(), upperLength())) : TavoVarName();
}

std::string TokenInfoObj::getFilePath(bool validatorFlag, bool strictFlag) const {
    if (!IsLiteral() && !IsString()) {
        return std::string();
    }
    return GetExtendFilePath(std::string(getString(), getStringLength()), validatorFlag, IsString(),
                             strictFlag);
}
