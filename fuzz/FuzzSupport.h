#ifndef FUZZ_FUZZSUPPORT_H
#define FUZZ_FUZZSUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "support/HostFaults.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/host/TokenSequence.h"

namespace fuzzsupport {

// Reads choices from the fuzzer's bytes. Past the end every read answers 0, so any input,
// however short, is a complete program of choices.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    bool empty() const { return mPos >= mSize; }
    uint8_t byte() { return mPos < mSize ? mData[mPos++] : 0; }
    // A value in [0, count); count must be positive.
    unsigned pick(unsigned count) { return byte() % count; }
    bool chance(unsigned percent) { return pick(100) < percent; }
    int32_t int32();
    // Up to maxLength raw bytes, the length read first.
    std::string bytes(std::size_t maxLength);

  private:
    const uint8_t* mData;
    std::size_t mSize;
    std::size_t mPos = 0;
};

// One token as a host might hand it out; the upper text need not match the text.
struct RawToken {
    TokenSequenceBase::TokenType type = TokenSequenceBase::NoToken;
    TokenSequenceBase::OperatorCode code = TokenSequenceBase::NoOperator;
    std::string text;
    std::string upper;
    double number = 0.0;
};

// A host token stream over a fixed list of tokens, so that a snapshot can be taken of any
// type and code combination, including ones the reference tokenizer never produces.
class VectorTokenSequence : public TAVO_TokenSequence {
  public:
    explicit VectorTokenSequence(std::vector<RawToken> tokens) : mTokens(std::move(tokens)) {}

    int getPosition() const override { return static_cast<int>(mPos); }
    bool next() override;
    bool atEnd() const override { return mPos > mTokens.size(); }
    bool setPosition(int position) override;
    int getTokenCount() const override { return static_cast<int>(mTokens.size()); }
    TokenType getType() const override;
    OperatorCode getOperatorCode() const override;
    void getString(char const** text, unsigned* length) const override;
    void getUpperString(char const** text, unsigned* length) const override;
    double getNumeric() const override;
    long getLineNumber() const override { return 1; }
    int getColumn() const override { return static_cast<int>(mPos); }

  private:
    const RawToken* current() const;

    std::vector<RawToken> mTokens;
    std::size_t mPos = 0;  // 0 before the first token, k on the k-th
};

// Variable names of FuzzDictionary, in index order; lists are built from these and a few
// names the dictionary lacks.
const std::vector<std::string>& DictionaryNames();

// Fourteen variables of every kind the validators tell apart: numeric and string, nominal,
// ordinal, scale and unset levels.
refhost::Dictionary FuzzDictionary();

// Up to 23 variables named mostly as FuzzDictionary's (in another order, in other cases, now
// and then twice, which the dictionary refuses) or by any bytes, with any type, string width,
// measurement level and format the bytes choose.
refhost::Dictionary ReadDictionary(ByteReader& in);

// Up to maxTokens tokens chosen by the bytes: dictionary names, keywords that the fuzz
// descriptors accept, reserved words, numbers, literals, every operator the library tests,
// and now and then a raw token of any type, code and text.
RawToken ReadRawToken(ByteReader& in);
std::vector<RawToken> ReadRawTokens(ByteReader& in, std::size_t maxTokens);
// Tokens until the bytes or maxTokens run out: the long lists of a long input.
std::vector<RawToken> ReadAllRawTokens(ByteReader& in, std::size_t maxTokens);
// A command for a host stream: the command name, then tokens as ReadRawToken chooses them,
// now and then without text or with NUL bytes, until the bytes or maxTokens run out.
std::vector<testsupport::HostTokenStream::Token> ReadHostTokens(ByteReader& in,
                                                                std::size_t maxTokens);
std::vector<TokenInfoObj> Snapshots(const std::vector<RawToken>& tokens);

// A well-formed parameter descriptor chosen by the bytes: compound types always get the parts
// their readers require (a grammar without them breaks the caller's contract, which the
// library asserts); depth bounds the nesting.
ParamDescriptor ReadDescriptor(ByteReader& in, int depth);

// The same messages, in the same order, at the same levels: the answer of a repeated run.
bool SameMessages(const std::vector<refhost::Emitted>& a, const std::vector<refhost::Emitted>& b);

// A parse's code is one the parser has, and it said as much as the code promises.
void CheckParseAnswer(int code, const std::vector<refhost::Emitted>& messages);

}  // namespace fuzzsupport

#endif
