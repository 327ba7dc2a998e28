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

// A host token stream with the liberties the stream's contract allows and the faults a real
// host may have: texts that are null, empty, hold NUL bytes or an upper-case text unlike the
// text; a throw at any call; and a count of next() calls made after it answered false.
class HostTokenStream : public TAVO_TokenSequence {
  public:
    struct Token {
        TokenType type = NoToken;
        OperatorCode code = NoOperator;
        std::optional<std::string> text;   // nullopt: the host answers a null pointer
        std::optional<std::string> upper;
        double number = 0.0;
    };

    // The tokens of the text as the reference tokenizer reads them (the command name first).
    explicit HostTokenStream(const std::string& commandText);
    explicit HostTokenStream(std::vector<Token> tokens);

    // A word whose text and upper text are both null.
    static Token NullWord();
    static Token Word(const std::string& text, const std::string& upper);

    std::vector<Token>& tokens() { return mTokens; }
    // The call-th call of any stream operation throws HostFault (0: never).
    void throwAt(long call) { mThrowAt = call; }
    long calls() const { return mCalls; }
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
    void count() const;
    const Token* current() const;

    std::vector<Token> mTokens;
    std::size_t mPos = 0;  // 0 before the first token, k on the k-th
    bool mEnded = false;
    int mNextAfterEnd = 0;
    long mThrowAt = 0;
    mutable long mCalls = 0;
};

// A data dictionary that answers from another one and throws HostFault at a chosen call.
class FaultyDataSource : public TAVO_DataSource {
  public:
    explicit FaultyDataSource(const TAVO_DataSource& inner) : mInner(inner) {}

    void throwAt(long call) { mThrowAt = call; }
    long calls() const { return mCalls; }

    int FindVarIndex(char const* name) const override;
    unsigned int ColumnCount() const override;
    const TAVO_Variable& GetVariable(int index) const override;

  private:
    void count() const;

    const TAVO_DataSource& mInner;
    long mThrowAt = 0;
    mutable long mCalls = 0;
};

}  // namespace testsupport

#endif
