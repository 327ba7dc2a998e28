#ifndef UPARSER_HOST_TOKENSEQUENCE_H
#define UPARSER_HOST_TOKENSEQUENCE_H

#include <cstdint>

#include "uparser/Export.h"

// The host's token stream. Both enumerations have a fixed 32-bit underlying type, so any
// code a host's tokenizer hands out is a valid value even when it is not named here.
class UPARSER_HOST_API TokenSequenceBase {
public:
    enum TokenType : int32_t {
        NoToken = 0,
        EndToken = 1,
        StringToken = 2,
        NumberToken = 3,
        LiteralToken = 4,
        OperatorToken = 5
    };

    enum OperatorCode : int32_t {
        NoOperator = 0,
        EqualSign = 3,
        Asterisk = 10,
        Slash = 11,
        LeftParen = 13,
        RightParen = 14,
        CategorySeparator = 17,
        ToWord = 30,
        WithWord = 31,
        ByWord = 34,
        AllWord = 35,
        LeftBracket = 36,
        RightBracket = 37
    };
};

// One command's tokens. The stream stands on one token at a time and every query describes
// that token. The library moves it forward with next() and back to its start with
// setPosition(0); it never creates, copies or destroys a stream. Any operation may throw: the
// exception passes through the parser unchanged and the parse counts as failed.
class UPARSER_HOST_API TAVO_TokenSequence : public TokenSequenceBase {
public:
    virtual ~TAVO_TokenSequence() = default;

    virtual int getPosition() const = 0;
    // True when the stream moved to a further token; false when the command has none.
    virtual bool next() = 0;
    virtual bool atEnd() const = 0;
    virtual bool setPosition(int position) = 0;
    virtual int getTokenCount() const = 0;
    virtual TokenType getType() const = 0;
    virtual OperatorCode getOperatorCode() const = 0;
    // The text need not be NUL-terminated; a null pointer means the token has no text.
    virtual void getString(char const** text, unsigned* length) const = 0;
    virtual void getUpperString(char const** text, unsigned* length) const = 0;
    virtual double getNumeric() const = 0;
    virtual long getLineNumber() const = 0;
    virtual int getColumn() const = 0;
};

#endif
