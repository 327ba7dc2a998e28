#ifndef TESTS_SUPPORT_HOSTFAULTS_H
#define TESTS_SUPPORT_HOSTFAULTS_H

#include <optional>
#include <string>
#include <vector>

#include "uparser/host/DataSource.h"
#include "uparser/host/TokenSequence.h"

namespace testsupport {

// What a faulty host service throws: deliberately no std::exception, so that only handlers
// that let everything through (or catch everything) pass it on.
struct HostFault {
    long call;  // the service call that threw, counted from 1
};

// Counts the calls of a host service and throws HostFault at a chosen one.
class CallCounter {
  public:
    // The call-th call from now throws (0: none).
    void throwAt(long call) { mThrowAt = call == 0 ? 0 : mCalls + call; }
    long calls() const { return mCalls; }

  protected:
    void count() const {
        if (++mCalls == mThrowAt) {
            throw HostFault{mCalls};
        }
    }

  private:
    long mThrowAt = 0;
    mutable long mCalls = 0;
};

// A host token stream with the liberties its contract allows: texts that are null, empty or
// hold NUL bytes, an upper text unlike the text. It counts the next() calls made after it
// said it has no more tokens.
class HostTokenStream : public TAVO_TokenSequence, public CallCounter {
  public:
    struct Token {
        TokenType type = NoToken;
        OperatorCode code = NoOperator;
        std::optional<std::string> text;  // nullopt: the host answers a null pointer
        std::optional<std::string> upper;
        double number = 0.0;
    };
    static Token NullWord() { return Token{StringToken, NoOperator, {}, {}, 0.0}; }
    static Token Word(const std::string& text, const std::string& upper) {
        return Token{StringToken, NoOperator, text, upper, 0.0};
    }

    // The tokens of the text as the reference tokenizer reads them (the command name first).
    explicit HostTokenStream(const std::string& commandText);

    std::vector<Token>& tokens() { return mTokens; }
    int nextCallsAfterEnd() const { return mNextAfterEnd; }

    int getPosition() const override;
    bool next() override;
    bool atEnd() const override;
    bool setPosition(int position) override;
    int getTokenCount() const override;
    TokenType getType() const override;
    OperatorCode getOperatorCode() const override;
    void getString(char const** text, unsigned* length) const override;
    void getUpperString(char const** text, unsigned* length) const override;
    double getNumeric() const override;
    long getLineNumber() const override;
    int getColumn() const override;

  private:
    // The current token, or null; every query counts as one call.
    const Token* at() const;

    std::vector<Token> mTokens;
    std::size_t mPos = 0;  // 0 before the first token, k on the k-th
    bool mEnded = false;
    int mNextAfterEnd = 0;
};

// A data dictionary that answers from another one, counting its calls.
class FaultyDataSource : public TAVO_DataSource, public CallCounter {
  public:
    explicit FaultyDataSource(const TAVO_DataSource& inner) : mInner(inner) {}

    int FindVarIndex(char const* name) const override;
    unsigned int ColumnCount() const override;
    const TAVO_Variable& GetVariable(int index) const override;

  private:
    const TAVO_DataSource& mInner;
};

}  // namespace testsupport

#endif
