#include "support/HostFaults.h"

#include <utility>

#include "refhost/TextTokenSequence.h"

namespace testsupport {

namespace {

std::string TextOf(void (TAVO_TokenSequence::*query)(char const**, unsigned*) const,
                   const TAVO_TokenSequence& stream) {
    char const* text = nullptr;
    unsigned length = 0;
    (stream.*query)(&text, &length);
    return text != nullptr ? std::string(text, length) : std::string();
}

}  // namespace

HostTokenStream::HostTokenStream(const std::string& commandText) {
    refhost::TextTokenSequence stream(commandText);
    while (stream.next()) {
        Token token;
        token.type = stream.getType();
        token.code = stream.getOperatorCode();
        token.text = TextOf(&TAVO_TokenSequence::getString, stream);
        token.upper = TextOf(&TAVO_TokenSequence::getUpperString, stream);
        token.number = stream.getNumeric();
        mTokens.push_back(std::move(token));
    }
}

HostTokenStream::HostTokenStream(std::vector<Token> tokens) : mTokens(std::move(tokens)) {}

HostTokenStream::Token HostTokenStream::NullWord() {
    Token token;
    token.type = StringToken;
    return token;
}

HostTokenStream::Token HostTokenStream::Word(const std::string& text, const std::string& upper) {
    Token token;
    token.type = StringToken;
    token.text = text;
    token.upper = upper;
    return token;
}

void HostTokenStream::count() const {
    if (++mCalls == mThrowAt) {
        throw HostFault{mCalls};
    }
}

const HostTokenStream::Token* HostTokenStream::current() const {
    return mPos >= 1 && mPos <= mTokens.size() ? &mTokens[mPos - 1] : nullptr;
}

int HostTokenStream::getPosition() const {
    count();
    return static_cast<int>(mPos);
}

bool HostTokenStream::next() {
    count();
    if (mEnded) {
        ++mNextAfterEnd;
        return false;
    }
    ++mPos;
    mEnded = mPos > mTokens.size();
    return !mEnded;
}

bool HostTokenStream::atEnd() const {
    count();
    return mEnded;
}

bool HostTokenStream::setPosition(int position) {
    count();
    mPos = position > 0 ? static_cast<std::size_t>(position) : 0;
    mEnded = mPos > mTokens.size();
    return true;
}

int HostTokenStream::getTokenCount() const {
    count();
    return static_cast<int>(mTokens.size());
}

TokenSequenceBase::TokenType HostTokenStream::getType() const {
    count();
    return current() != nullptr ? current()->type : NoToken;
}

TokenSequenceBase::OperatorCode HostTokenStream::getOperatorCode() const {
    count();
    return current() != nullptr ? current()->code : NoOperator;
}

void HostTokenStream::getString(char const** text, unsigned* length) const {
    count();
    if (current() != nullptr && current()->text) {
        *text = current()->text->data();
        *length = static_cast<unsigned>(current()->text->size());
    }
}

void HostTokenStream::getUpperString(char const** text, unsigned* length) const {
    count();
    if (current() != nullptr && current()->upper) {
        *text = current()->upper->data();
        *length = static_cast<unsigned>(current()->upper->size());
    }
}

double HostTokenStream::getNumeric() const {
    count();
    return current() != nullptr ? current()->number : 0.0;
}

long HostTokenStream::getLineNumber() const {
    count();
    return 1;
}

int HostTokenStream::getColumn() const {
    count();
    return static_cast<int>(mPos);
}

void FaultyDataSource::count() const {
    if (++mCalls == mThrowAt) {
        throw HostFault{mCalls};
    }
}

int FaultyDataSource::FindVarIndex(char const* name) const {
    count();
    return mInner.FindVarIndex(name);
}

unsigned int FaultyDataSource::ColumnCount() const {
    count();
    return mInner.ColumnCount();
}

const TAVO_Variable& FaultyDataSource::GetVariable(int index) const {
    count();
    return mInner.GetVariable(index);
}

}  // namespace testsupport
