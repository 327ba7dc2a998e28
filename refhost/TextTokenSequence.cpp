#include "refhost/TextTokenSequence.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

#include "refhost/ReservedWords.h"
#include "refhost/ValueConversion.h"

namespace refhost {

namespace {

bool isSeparator(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool isWordStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80 || c == '@' || c == '#' ||
           c == '$';
}

bool isWordByte(unsigned char c) {
    return isWordStart(c) || isDigit(c) || c == '_' || c == '.';
}

// Where the tokens end: before a "." that is the last non-blank byte of the text.
std::size_t commandEnd(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && isSeparator(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return (end > 0 && text[end - 1] == '.') ? end - 1 : text.size();
}

// A number starts at i: a digit, "." and a digit, or "-" before either.
bool numberStartsAt(const char* text, std::size_t i, std::size_t end) {
    auto digitAt = [&](std::size_t k) {
        return k < end && isDigit(static_cast<unsigned char>(text[k]));
    };
    if (text[i] == '-') {
        ++i;
    }
    return digitAt(i) || (i < end && text[i] == '.' && digitAt(i + 1));
}

std::size_t scanNumber(const char* text, std::size_t i, std::size_t end) {
    auto digitAt = [&](std::size_t k) {
        return k < end && isDigit(static_cast<unsigned char>(text[k]));
    };
    if (text[i] == '-') {
        ++i;
    }
    while (digitAt(i)) {
        ++i;
    }
    if (i < end && text[i] == '.') {
        ++i;
        while (digitAt(i)) {
            ++i;
        }
    }
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < end && (text[k] == '+' || text[k] == '-')) {
            ++k;
        }
        if (digitAt(k)) {
            i = k;
            while (digitAt(i)) {
                ++i;
            }
        }
    }
    return i;
}

// Code and byte count of the operator at i.
std::pair<int32_t, std::size_t> scanOperator(const char* text, std::size_t i, std::size_t end) {
    const char next = i + 1 < end ? text[i + 1] : '\0';
    switch (text[i]) {
        case '=':
            return {TokenSequenceBase::EqualSign, 1};
        case '*':
            return {TokenSequenceBase::Asterisk, 1};
        case '/':
            return {TokenSequenceBase::Slash, 1};
        case '(':
            return {TokenSequenceBase::LeftParen, 1};
        case ')':
            return {TokenSequenceBase::RightParen, 1};
        case ';':
            return {TokenSequenceBase::CategorySeparator, 1};
        case '[':
            return {TokenSequenceBase::LeftBracket, 1};
        case ']':
            return {TokenSequenceBase::RightBracket, 1};
        case ',':
            return {Comma, 1};
        case '+':
            return {Plus, 1};
        case '-':
            return {Minus, 1};
        case '&':
            return {Ampersand, 1};
        case '|':
            return {Bar, 1};
        case ':':
            return {Colon, 1};
        case '<':
            if (next == '=') {
                return {LessEqual, 2};
            }
            if (next == '>') {
                return {NotEqual, 2};
            }
            return {Less, 1};
        case '>':
            if (next == '=') {
                return {GreaterEqual, 2};
            }
            return {Greater, 1};
        case '~':
            if (next == '=') {
                return {TildeEqual, 2};
            }
            return {OtherOperator, 1};
        default:
            return {OtherOperator, 1};
    }
}

constexpr std::size_t kMaxText = UINT32_MAX / 2;

uint32_t clampLength(std::size_t length) {
    return length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
}

int32_t clampColumn(std::size_t column) {
    return column > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(column);
}

}  // namespace

TextTokenSequence::TextTokenSequence(std::string commandText, long firstLine)
    : mText(std::move(commandText)), mFirstLine(firstLine) {
    tokenize();
}

void TextTokenSequence::tokenize() {
    // Token offsets are 32-bit (see Token); no command anyone writes comes near the limit.
    const std::size_t end = std::min(commandEnd(mText), kMaxText);
    const char* text = mText.data();
    std::string unescaped;  // literals with doubled quotes, appended to mText at the end
    std::vector<std::size_t> unescapedTokens;
    // getTokenCount() and the positions after the last token must fit an int.
    const std::size_t maxTokens = static_cast<std::size_t>(INT_MAX) - 1;

    uint32_t line = 0;
    std::size_t lineStart = 0;
    std::size_t i = 0;
    while (i < end && mCount < maxTokens) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            if (line < UINT32_MAX) {
                ++line;
            }
            lineStart = ++i;
            continue;
        }
        if (isSeparator(c)) {
            ++i;
            continue;
        }
        Token token{static_cast<uint32_t>(i), 0, line, clampColumn(i - lineStart + 1), 0, NoToken};
        if (isWordStart(c)) {
            while (i < end && isWordByte(static_cast<unsigned char>(text[i]))) {
                ++i;
            }
            token.type = StringToken;
            token.code = ReservedWordCode(text + token.offset, i - token.offset);
        } else if (numberStartsAt(text, i, end)) {
            i = scanNumber(text, i, end);
            double value = 0.0;
            if (!ReadNumber(std::string_view(text + token.offset, i - token.offset), '.', value)) {
                // The syntax is always readable, so only an overflow lands here.
                value = text[token.offset] == '-' ? -std::numeric_limits<double>::infinity()
                                                  : std::numeric_limits<double>::infinity();
            }
            token.type = NumberToken;
            token.code = static_cast<int32_t>(mNumbers.size());
            mNumbers.push_back(value);
        } else if (c == '\'' || c == '"') {
            const char quote = static_cast<char>(c);
            const std::size_t opening = i;
            std::size_t segment = ++i;
            bool doubled = false;
            std::size_t contentEnd = end;
            for (;;) {
                while (i < end && text[i] != quote && text[i] != '\n') {
                    ++i;
                }
                if (i < end && text[i] == quote) {
                    if (i + 1 < end && text[i + 1] == quote) {
                        if (!doubled) {
                            doubled = true;
                            token.offset = static_cast<uint32_t>(unescaped.size());
                        }
                        unescaped.append(text + segment, i + 1 - segment);
                        i += 2;
                        segment = i;
                        continue;
                    }
                    contentEnd = i++;
                } else {
                    contentEnd = i;  // unterminated: the line (or the command) ends it
                    if (contentEnd > segment && text[contentEnd - 1] == '\r') {
                        --contentEnd;
                    }
                    mErrors.push_back(
                        {absoluteLine(line), token.column, opening, "unterminated literal"});
                }
                break;
            }
            token.type = LiteralToken;
            if (doubled) {
                unescaped.append(text + segment, contentEnd - segment);
                token.length = clampLength(unescaped.size() - token.offset);
                unescapedTokens.push_back(mCount);
            } else {
                token.offset = static_cast<uint32_t>(segment);
                token.length = clampLength(contentEnd - segment);
            }
            push(token);
            continue;
        } else {
            const auto [code, bytes] = scanOperator(text, i, end);
            i += bytes;
            token.type = OperatorToken;
            token.code = code;
        }
        token.length = clampLength(i - token.offset);
        push(token);
    }

    if (!unescaped.empty()) {
        // Unescaped literals are never longer than their source, so they fit 32-bit offsets
        // once the text beyond the command end is dropped.
        mText.resize(end);
        const std::size_t base = mText.size();
        mText += unescaped;
        for (std::size_t index : unescapedTokens) {
            at(index).offset += static_cast<uint32_t>(base);
        }
    }
    mUpper = mText;
    for (char& ch : mUpper) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
}

void TextTokenSequence::push(const Token& token) {
    if (mCount % kBlockSize == 0) {
        mBlocks.emplace_back();
        mBlocks.back().reserve(kBlockSize);
    }
    mBlocks.back().push_back(token);
    ++mCount;
}

TextTokenSequence::Token& TextTokenSequence::at(std::size_t index) {
    return mBlocks[index >> kBlockBits][index & (kBlockSize - 1)];
}

const TextTokenSequence::Token* TextTokenSequence::current() const {
    if (mPosition == 0 || mPosition > mCount) {
        return nullptr;
    }
    const std::size_t index = mPosition - 1;
    return &mBlocks[index >> kBlockBits][index & (kBlockSize - 1)];
}

int TextTokenSequence::getPosition() const {
    return static_cast<int>(mPosition);
}

bool TextTokenSequence::next() {
    if (mPosition < mCount) {
        ++mPosition;
        return true;
    }
    mPosition = mCount + 1;
    return false;
}

bool TextTokenSequence::atEnd() const {
    return mPosition > mCount;
}

bool TextTokenSequence::setPosition(int position) {
    if (position < 0 || static_cast<std::size_t>(position) > mCount + 1) {
        return false;
    }
    mPosition = static_cast<std::size_t>(position);
    return true;
}

int TextTokenSequence::getTokenCount() const {
    return static_cast<int>(mCount);
}

TokenSequenceBase::TokenType TextTokenSequence::getType() const {
    const Token* token = current();
    return token == nullptr ? NoToken : token->type;
}

TokenSequenceBase::OperatorCode TextTokenSequence::getOperatorCode() const {
    const Token* token = current();
    if (token == nullptr || token->type == NumberToken) {
        return NoOperator;
    }
    return static_cast<OperatorCode>(token->code);
}

void TextTokenSequence::getString(char const** text, unsigned* length) const {
    const Token* token = current();
    if (text != nullptr) {
        *text = token == nullptr ? nullptr : mText.data() + token->offset;
    }
    if (length != nullptr) {
        *length = token == nullptr ? 0 : token->length;
    }
}

void TextTokenSequence::getUpperString(char const** text, unsigned* length) const {
    const Token* token = current();
    if (text != nullptr) {
        *text = token == nullptr ? nullptr : mUpper.data() + token->offset;
    }
    if (length != nullptr) {
        *length = token == nullptr ? 0 : token->length;
    }
}

double TextTokenSequence::getNumeric() const {
    const Token* token = current();
    if (token == nullptr || token->type != NumberToken) {
        return 0.0;
    }
    return mNumbers[static_cast<std::size_t>(token->code)];
}

long TextTokenSequence::getLineNumber() const {
    const Token* token = current();
    if (token == nullptr) {
        token = (mPosition == 0 || mCount == 0) ? nullptr : &mBlocks.back().back();
    }
    return absoluteLine(token == nullptr ? 0 : token->line);
}

long TextTokenSequence::absoluteLine(uint32_t line) const {
    const long offset = static_cast<long>(line);
    return mFirstLine > LONG_MAX - offset ? LONG_MAX : mFirstLine + offset;
}

const std::vector<TokenizerError>& TextTokenSequence::errors() const {
    return mErrors;
}

int TextTokenSequence::getColumn() const {
    const Token* token = current();
    return token == nullptr ? 0 : token->column;
}

}  // namespace refhost
