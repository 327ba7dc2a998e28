#include <cctype>
#include <utility>

#include "Host.h"

namespace embedding {

Token Word(std::string text) {
    return Token{TokenSequenceBase::StringToken, TokenSequenceBase::NoOperator, std::move(text),
                 0.0};
}

Token Operator(std::string text, TokenSequenceBase::OperatorCode code) {
    return Token{TokenSequenceBase::OperatorToken, code, std::move(text), 0.0};
}

Token Number(std::string text) {
    const double value = std::stod(text);
    return Token{TokenSequenceBase::NumberToken, TokenSequenceBase::NoOperator, std::move(text),
                 value};
}

TokenList::TokenList(std::vector<Token> tokens) {
    int column = 1;
    for (Token& token : tokens) {
        std::string upper = token.text;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        const int width = static_cast<int>(token.text.size());
        mTokens.push_back(Placed{std::move(token), std::move(upper), column});
        column += width + 1;
    }
}

const TokenList::Placed* TokenList::current() const {
    return mNext == 0 || mNext > mTokens.size() ? nullptr : &mTokens[mNext - 1];
}

int TokenList::getPosition() const {
    return static_cast<int>(mNext);
}

bool TokenList::next() {
    if (mNext >= mTokens.size()) {
        mNext = mTokens.size() + 1;
        return false;
    }
    ++mNext;
    return true;
}

bool TokenList::atEnd() const {
    return mNext > mTokens.size();
}

bool TokenList::setPosition(int position) {
    if (position < 0 || static_cast<std::size_t>(position) > mTokens.size()) {
        return false;
    }
    mNext = static_cast<std::size_t>(position);
    return true;
}

int TokenList::getTokenCount() const {
    return static_cast<int>(mTokens.size());
}

TokenSequenceBase::TokenType TokenList::getType() const {
    return current() != nullptr ? current()->token.type : NoToken;
}

TokenSequenceBase::OperatorCode TokenList::getOperatorCode() const {
    return current() != nullptr ? current()->token.code : NoOperator;
}

void TokenList::getString(char const** text, unsigned* length) const {
    if (const Placed* token = current()) {
        *text = token->token.text.data();
        *length = static_cast<unsigned>(token->token.text.size());
    }
}

void TokenList::getUpperString(char const** text, unsigned* length) const {
    if (const Placed* token = current()) {
        *text = token->upper.data();
        *length = static_cast<unsigned>(token->upper.size());
    }
}

double TokenList::getNumeric() const {
    return current() != nullptr ? current()->token.number : 0.0;
}

long TokenList::getLineNumber() const {
    return 1;
}

int TokenList::getColumn() const {
    return current() != nullptr ? current()->column : 0;
}

}  // namespace embedding
