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

void Answer(const std::optional<std::string>& value, char const** text, unsigned* length) {
    if (value) {
        *text = value->data();
        *length = static_cast<unsigned>(value->size());
    }
}

}  // namespace

HostTokenStream::HostTokenStream(const std::string& commandText) {
    refhost::TextTokenSequence stream(commandText);
    while (stream.next()) {
        mTokens.push_back(Token{stream.getType(), stream.getOperatorCode(),
                                TextOf(&TAVO_TokenSequence::getString, stream),
                                TextOf(&TAVO_TokenSequence::getUpperString, stream),
                                stream.getNumeric()});
    }
}

const HostTokenStream::Token* HostTokenStream::at() const {
    count();
    return mPos >= 1 && mPos <= mTokens.size() ? &mTokens[mPos - 1] : nullptr;
}

int HostTokenStream::getPosition() const {
    count();
    return static_cast<int>(mPos);
}

bool HostTokenStream::atEnd() const {
    count();
    return mEnded;
}

int HostTokenStream::getTokenCount() const {
    count();
    return static_cast<int>(mTokens.size());
}

TokenSequenceBase::TokenType HostTokenStream::getType() const {
    const Token* token = at();
    return token != nullptr ? token->type : NoToken;
}

TokenSequenceBase::OperatorCode HostTokenStream::getOperatorCode() const {
    const Token* token = at();
    return token != nullptr ? token->code : NoOperator;
}

double HostTokenStream::getNumeric() const {
    const Token* token = at();
    return token != nullptr ? token->number : 0.0;
}

long HostTokenStream::getLineNumber() const {
    count();
    return 1;
}

int HostTokenStream::getColumn() const {
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

bool HostTokenStream::setPosition(int position) {
    count();
    mPos = position > 0 ? static_cast<std::size_t>(position) : 0;
    mEnded = mPos > mTokens.size();
    return true;
}

void HostTokenStream::getString(char const** text, unsigned* length) const {
    if (const Token* token = at()) {
        Answer(token->text, text, length);
    }
}

void HostTokenStream::getUpperString(char const** text, unsigned* length) const {
    if (const Token* token = at()) {
        Answer(token->upper, text, length);
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
