#include "refhost/TextTokenSequence.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

#include "refhost/NoInline.h"
#include "refhost/ReservedWords.h"
#include "refhost/UnicodeText.h"
#include "refhost/ValueConversion.h"

namespace refhost {

namespace {

// The classes of ASCII bytes the scanner asks about for nearly every byte, in one table.
enum ByteClass : uint8_t { kSeparator = 1, kNameContinuation = 2 };

constexpr std::array<uint8_t, 256> kByteClasses = [] {
    std::array<uint8_t, 256> classes{};
    for (const char c : {' ', '\t', '\n', '\r', '\f', '\v'}) {
        classes[static_cast<unsigned char>(c)] = kSeparator;
    }
    for (unsigned c = 0; c < 0x80; ++c) {
        if (IsAsciiNameContinuation(static_cast<unsigned char>(c))) {
            classes[c] = kNameContinuation;
        }
    }
    return classes;
}();

bool isSeparator(unsigned char c) {
    return (kByteClasses[c] & kSeparator) != 0;
}

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// A letter of any script, "@", "#" or "$".
bool wordStartsAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        return IsAsciiNameStart(c);
    }
    const Utf8Char character = ReadUtf8(text, i);
    return character.valid && IsNameStart(character.code);
}

// The end of the word that starts at i; ascii tells whether it stayed within ASCII.
std::size_t scanWord(std::string_view text, std::size_t i, bool& ascii) {
    ascii = true;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((kByteClasses[c] & kNameContinuation) != 0) {
            ++i;
            continue;
        }
        if (c < 0x80) {
            break;
        }
        const Utf8Char character = ReadUtf8(text, i);
        if (!character.valid || !IsNameContinuation(character.code)) {
            break;
        }
        ascii = false;
        i += character.length;
    }
    return i;
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

void deliver(const char* at, unsigned bytes, char const** text, unsigned* length) {
    if (text != nullptr) {
        *text = at;
    }
    if (length != nullptr) {
        *length = bytes;
    }
}

uint32_t clampLength(std::size_t length) {
    return length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
}

int32_t clampColumn(std::size_t column) {
    return column > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(column);
}

// Kept out of line: inlined, its loop made every call of getEndColumn save and restore
// registers, ASCII text (nearly all) included.
REFHOST_NOINLINE std::size_t countCharacters(const char* text, std::size_t length) {
    return CountCharacters(std::string_view(text, length));
}

}  // namespace

TextTokenSequence::TextTokenSequence(std::string commandText, long firstLine)
    : mText(std::move(commandText)), mFirstLine(firstLine) {
    tokenize();
}

void TextTokenSequence::tokenize() {
    // Token offsets are 32-bit (see Token); no command anyone writes comes near the limit.
    const std::size_t end = std::min(commandEnd(mText), kMaxText);
    const std::string_view source(mText.data(), end);
    const char* text = mText.data();
    const bool ascii = IsAscii(source);
    mAscii = ascii;
    if (!ascii) {
        findInvalidUtf8(end);
    }
    std::string unescaped;  // literals with doubled quotes, appended to mText at the end
    std::vector<std::size_t> unescapedTexts;
    // A command of a line or two has a handful of numbers: room for them once, instead of
    // regrowing from one.
    mNumbers.reserve(std::min<std::size_t>(end / 8 + 4, kBlockSize));
    // getTokenCount() and the positions after the last token must fit an int.
    const std::size_t maxTokens = static_cast<std::size_t>(INT_MAX) - 1;

    uint32_t line = 0;
    std::size_t lineStart = 0;
    // Columns count characters: beyond ASCII they are counted from the last token start.
    std::size_t countedTo = 0;
    std::size_t characters = 0;
    auto columnAt = [&](std::size_t at) {
        if (ascii) {
            return clampColumn(at - lineStart + 1);
        }
        characters += CountCharacters(source.substr(countedTo, at - countedTo));
        countedTo = at;
        return clampColumn(characters + 1);
    };
    bool unterminated = false;
    std::size_t i = 0;
    while (i < end && mCount < maxTokens) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            if (line < UINT32_MAX) {
                ++line;
            }
            lineStart = countedTo = ++i;
            characters = 0;
            continue;
        }
        if (isSeparator(c)) {
            ++i;
            continue;
        }
        Token token{static_cast<uint32_t>(i), 0, line, columnAt(i), 0, NoToken, false};
        if (wordStartsAt(source, i)) {
            bool asciiWord = true;
            i = scanWord(source, i, asciiWord);
            token.type = StringToken;
            if (asciiWord) {
                // Most words are longer than any reserved word: no call for them.
                const std::size_t length = i - token.offset;
                token.code = length <= kLongestReservedWord
                                 ? ReservedWordCode(text + token.offset, length)
                                 : 0;
            } else {  // its upper text may differ in length: see addUpperTexts
                token.ownTexts = true;
                token.code = static_cast<int32_t>(mTexts.size());
                mTexts.push_back({token.offset, clampLength(i - token.offset), 0, 0});
            }
        } else if (c >= 0x80) {  // any other character, or an ill-formed sequence
            i += ReadUtf8(source, i).length;
            token.type = OperatorToken;
            token.code = OtherOperator;
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
            bool closed = true;
            i = scanLiteral(i, end, unescaped, unescapedTexts, closed);
            if (!closed) {
                unterminated = true;
                const long offset = static_cast<long>(line);
                mErrors.push_back({mFirstLine > LONG_MAX - offset ? LONG_MAX : mFirstLine + offset,
                                   token.column, token.offset, "unterminated literal",
                                   TokenizerError::Kind::UnterminatedLiteral});
            }
            token.type = LiteralToken;
            token.ownTexts = true;
            token.code = static_cast<int32_t>(mTexts.size() - 1);
        } else {
            const auto [code, bytes] = scanOperator(text, i, end);
            i += bytes;
            token.type = OperatorToken;
            token.code = code;
        }
        token.length = clampLength(i - token.offset);
        push(token);
    }
    if (unterminated && !ascii) {
        // The UTF-8 mistakes were all listed before the tokens were read.
        std::stable_sort(mErrors.begin(), mErrors.end(),
                         [](const TokenizerError& left, const TokenizerError& right) {
                             return left.byteOffset < right.byteOffset;
                         });
    }

    if (!unescaped.empty()) {
        // Unescaped literals are never longer than their source, so they fit 32-bit offsets
        // once the text beyond the command end is dropped.
        mText.resize(end);
        const std::size_t base = mText.size();
        mText += unescaped;
        for (std::size_t index : unescapedTexts) {
            mTexts[index].offset += static_cast<uint32_t>(base);
        }
    }
    mUpper = mText;
    // Without a branch, so that the compiler does it many bytes at a time.
    for (char& ch : mUpper) {
        const auto c = static_cast<unsigned char>(ch);
        ch = static_cast<char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 0x20 : 0));
    }
    addUpperTexts();
}

// Reads the literal whose quote stands at i and adds its texts; returns where it ends, with
// closed false when the line (or the command) ended it before its closing quote. A text with
// doubled quotes is built in unescaped, to be appended to mText when all are read.
std::size_t TextTokenSequence::scanLiteral(std::size_t i, std::size_t end, std::string& unescaped,
                                           std::vector<std::size_t>& unescapedTexts, bool& closed) {
    const char* text = mText.data();
    const char quote = text[i];
    std::size_t segment = ++i;
    Texts texts{static_cast<uint32_t>(segment), 0, 0, 0};
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
                    texts.offset = static_cast<uint32_t>(unescaped.size());
                }
                unescaped.append(text + segment, i + 1 - segment);
                i += 2;
                segment = i;
                continue;
            }
            contentEnd = i++;
        } else {
            closed = false;
            contentEnd = i;  // unterminated: the line (or the command) ends it
            if (contentEnd > segment && text[contentEnd - 1] == '\r') {
                --contentEnd;
            }
            i = contentEnd;
        }
        break;
    }
    if (doubled) {
        unescaped.append(text + segment, contentEnd - segment);
        texts.length = clampLength(unescaped.size() - texts.offset);
        unescapedTexts.push_back(mTexts.size());
    } else {
        texts.length = clampLength(contentEnd - segment);
    }
    mTexts.push_back(texts);
    return i;
}

void TextTokenSequence::findInvalidUtf8(std::size_t end) {
    const std::string_view source(mText.data(), end);
    long line = mFirstLine;
    std::size_t column = 1;
    for (std::size_t at = 0; at < end;) {
        const auto c = static_cast<unsigned char>(source[at]);
        if (c < 0x80) {
            if (c == '\n') {
                line = line < LONG_MAX ? line + 1 : line;
                column = 1;
            } else {
                ++column;
            }
            ++at;
            continue;
        }
        const Utf8Char character = ReadUtf8(source, at);
        if (!character.valid) {
            mErrors.push_back({line, clampColumn(column), at, DescribeInvalidUtf8(source, at)});
        }
        ++column;
        at += character.length;
    }
}

// Words and literals beyond ASCII get their upper texts from Unicode's case rules; ASCII ones
// find theirs in mUpper at their own offsets.
void TextTokenSequence::addUpperTexts() {
    for (Texts& texts : mTexts) {
        const std::string_view text(mText.data() + texts.offset, texts.length);
        texts.upperOffset = texts.offset;
        texts.upperLength = texts.length;
        if (IsAscii(text)) {
            continue;
        }
        const std::string upper = UpperCase(text);
        if (mUpper.size() + upper.size() <= UINT32_MAX) {
            texts.upperOffset = static_cast<uint32_t>(mUpper.size());
            texts.upperLength = static_cast<uint32_t>(upper.size());
            mUpper += upper;
        }
    }
}

void TextTokenSequence::startBlock() {
    // A command of a line or two has a few dozen tokens: its first block starts at about one
    // token per four bytes and grows as a vector does, up to a block's size. Reserving the
    // whole block made every command allocate and free 96 KB.
    const std::size_t expected = mCount == 0 ? mText.size() / 4 + 8 : kBlockSize;
    mBlocks.emplace_back();
    mBlocks.back().reserve(std::min(expected, kBlockSize));
}

TextTokenSequence::Token& TextTokenSequence::at(std::size_t index) {
    return mBlocks[index >> kBlockBits][index & (kBlockSize - 1)];
}

void TextTokenSequence::standAt(std::size_t position) {
    mPosition = position;
    mCurrent = position == 0 || position > mCount ? Token{} : at(position - 1);
}

int TextTokenSequence::getPosition() const {
    return static_cast<int>(mPosition);
}

bool TextTokenSequence::next() {
    if (mPosition < mCount) {
        standAt(mPosition + 1);
        return true;
    }
    standAt(mCount + 1);
    return false;
}

bool TextTokenSequence::atEnd() const {
    return mPosition > mCount;
}

bool TextTokenSequence::setPosition(int position) {
    if (position < 0 || static_cast<std::size_t>(position) > mCount + 1) {
        return false;
    }
    standAt(static_cast<std::size_t>(position));
    return true;
}

int TextTokenSequence::getTokenCount() const {
    return static_cast<int>(mCount);
}

TokenSequenceBase::TokenType TextTokenSequence::getType() const {
    const Token* token = current();
    return token == nullptr ? NoToken : static_cast<TokenType>(token->type);
}

TokenSequenceBase::OperatorCode TextTokenSequence::getOperatorCode() const {
    const Token* token = current();
    if (token == nullptr || token->type == NumberToken || token->ownTexts) {
        return NoOperator;
    }
    return static_cast<OperatorCode>(token->code);
}

// Both text queries are on every token's way through the parser: kept small enough to inline.
void TextTokenSequence::getString(char const** text, unsigned* length) const {
    const Token* token = current();
    const Texts* own = token != nullptr && token->ownTexts ? &mTexts[textsIndex(*token)] : nullptr;
    deliver(token == nullptr ? nullptr : mText.data() + (own ? own->offset : token->offset),
            token == nullptr ? 0 : (own ? own->length : token->length), text, length);
}

void TextTokenSequence::getUpperString(char const** text, unsigned* length) const {
    const Token* token = current();
    const Texts* own = token != nullptr && token->ownTexts ? &mTexts[textsIndex(*token)] : nullptr;
    deliver(token == nullptr ? nullptr : mUpper.data() + (own ? own->upperOffset : token->offset),
            token == nullptr ? 0 : (own ? own->upperLength : token->length), text, length);
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
    const long offset = token == nullptr ? 0 : static_cast<long>(token->line);
    return mFirstLine > LONG_MAX - offset ? LONG_MAX : mFirstLine + offset;
}

int TextTokenSequence::getColumn() const {
    const Token* token = current();
    return token == nullptr ? 0 : token->column;
}

std::size_t TextTokenSequence::getByteOffset() const {
    const Token* token = current();
    return token == nullptr ? 0 : token->offset;
}

std::size_t TextTokenSequence::getByteLength() const {
    const Token* token = current();
    return token == nullptr ? 0 : token->length;
}

int TextTokenSequence::getEndColumn() const {
    const Token* token = current();
    if (token == nullptr) {
        return 0;
    }
    // Asked for every token when findings carry positions: ASCII text needs no counting.
    const std::size_t characters =
        mAscii ? token->length : countCharacters(mText.data() + token->offset, token->length);
    return clampColumn(static_cast<std::size_t>(token->column) + characters);
}

const std::vector<TokenizerError>& TextTokenSequence::errors() const {
    return mErrors;
}

}  // namespace refhost
