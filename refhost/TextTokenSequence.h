#ifndef REFHOST_TEXTTOKENSEQUENCE_H
#define REFHOST_TEXTTOKENSEQUENCE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "uparser/host/TokenExtent.h"
#include "uparser/host/TokenSequence.h"

namespace refhost {

// A mistake in a command's text, an ill-formed UTF-8 sequence or an unterminated literal:
// where it starts and what it is.
struct TokenizerError {
    // Tokens after invalid UTF-8 are not to be trusted; an unterminated literal ends at its
    // line, and the tokens around it are what they seem.
    enum class Kind { InvalidUtf8, UnterminatedLiteral };

    long line;
    int column;
    std::size_t byteOffset;  // into the command text
    std::string message;     // "invalid UTF-8 byte 0xE9", "unterminated literal"
    Kind kind = Kind::InvalidUtf8;
};

// The tokens of one command's text, which is UTF-8; the first token is the command name.
//
// Tokens: words (a letter of any script, "@", "#" or "$", then also combining marks, decimal
// digits, "_" and "."; refhost/UnicodeText.h), with the reserved words of ReservedWords.h
// carrying their codes in any case; numbers ("12", "3.5", "1.", ".5", "1e3", "2.5E-2"; a "-"
// directly before a digit or before "." and a digit makes it negative; a value beyond the range
// of a double reads as infinity); literals between ' or " with a doubled quote standing for
// one, an unterminated literal ending at the end of its line (a CR before that line end is
// dropped); operators, one or two bytes, with the codes of TokenSequence.h and
// ReservedWords.h, any other character (NUL included, and any other character of any script)
// being an OtherOperator token of its own. Blanks, tabs, CR, LF, FF and VT separate tokens. A
// "." that is the last non-blank byte of the text ends the command: it and whatever follows it
// yield no token, also when it stands inside an unterminated literal. Upper texts are
// UpperCase of the text for words and literals (so their length may differ from the text's);
// operators and numbers have no case beyond ASCII.
//
// Invalid UTF-8 is reported, not refused: each ill-formed sequence (its maximal subpart) is
// an OtherOperator token of its own and an entry of errors(), with its line and column, so a
// program can tell the user where the bad byte is before it trusts the tokens. So is an
// unterminated literal: it is still a literal token, and an entry of errors() at its opening
// quote.
//
// Positions: 0 stands before the first token, k on the k-th token (1 to getTokenCount()),
// getTokenCount() + 1 after the last. next() from the last token moves past it and answers
// false. Off a token the stream reports NoToken with no text (null pointer), value 0 and
// column 0; its line is the first line before the tokens and the last token's line after.
// Columns count characters from 1 (a tab is one; an ill-formed sequence is one).
//
// Texts returned by getString/getUpperString stay valid until the sequence is destroyed.
class TextTokenSequence : public TAVO_TokenSequence, public TokenExtentSource {
  public:
    explicit TextTokenSequence(std::string commandText, long firstLine = 1);

    int getPosition() const override;
    bool next() override;
    bool atEnd() const override;              // true after the last token
    bool setPosition(int position) override;  // false, not moving, outside 0..count + 1
    int getTokenCount() const override;
    TokenType getType() const override;
    OperatorCode getOperatorCode() const override;
    void getString(char const** text, unsigned* length) const override;
    void getUpperString(char const** text, unsigned* length) const override;
    double getNumeric() const override;
    long getLineNumber() const override;
    int getColumn() const override;

    // Where the current token stands in the command text: its first byte (a literal's opening
    // quote), the bytes it spans (a literal's quotes included) and the column just past its
    // last character. All 0 off a token. The parser reads them through TokenExtentSource.
    std::size_t getByteOffset() const override;
    std::size_t getByteLength() const;
    int getEndColumn() const override;

    // The ill-formed UTF-8 sequences and unterminated literals of the tokenized text, in the
    // order they stand.
    const std::vector<TokenizerError>& errors() const;

  private:
    // 24 bytes. Offsets are 32-bit, so only the first 2 GiB of a command text are tokenized
    // (its literals may need as much again for their unescaped copies).
    struct Token {
        uint32_t offset;  // the token's bytes in mText, a literal's quotes included
        uint32_t length;
        uint32_t line;  // lines after the first
        int32_t column;
        // The operator code; for a number the index of its value in mNumbers; for a token
        // with ownTexts the index of its texts in mTexts.
        int32_t code;
        uint8_t type;
        bool ownTexts;  // a literal, or a word with characters beyond ASCII
    };

    // Texts that are not simply the token's bytes: a literal's without quotes (undoubled), a
    // word's upper text when Unicode case mapping may change its length.
    struct Texts {
        uint32_t offset;  // into mText
        uint32_t length;
        uint32_t upperOffset;  // into mUpper
        uint32_t upperLength;
    };

    // Tokens live in fixed-size blocks: a long command never moves the blocks already filled
    // (only the first, smaller block grows while it is filled).
    static constexpr std::size_t kBlockBits = 12;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;

    void tokenize();
    std::size_t scanLiteral(std::size_t i, std::size_t end, std::string& unescaped,
                            std::vector<std::size_t>& unescapedTexts, bool& closed);
    void findInvalidUtf8(std::size_t end);
    void addUpperTexts();
    // Once per token: inline, with the rare start of a block out of line.
    void push(const Token& token) {
        if (mCount % kBlockSize == 0) {
            startBlock();
        }
        mBlocks.back().push_back(token);
        ++mCount;
    }
    void startBlock();
    Token& at(std::size_t index);
    // The token at which the stream stands, or null off the tokens. Each of the parser's
    // seven queries per token asks for it, so it is a copy taken on each move.
    const Token* current() const { return mCurrent.type != NoToken ? &mCurrent : nullptr; }
    void standAt(std::size_t position);
    static std::size_t textsIndex(const Token& token) {
        return static_cast<std::size_t>(token.code);
    }

    // The command text, followed by the texts of literals that had doubled quotes.
    std::string mText;
    // mText with ASCII letters upper-cased, followed by the upper texts of words and literals
    // with characters beyond ASCII.
    std::string mUpper;
    std::vector<std::vector<Token>> mBlocks;
    std::size_t mCount = 0;
    std::vector<double> mNumbers;
    std::vector<Texts> mTexts;
    std::vector<TokenizerError> mErrors;
    long mFirstLine;
    // The tokenized text is ASCII: a token's characters are its bytes.
    bool mAscii = false;
    std::size_t mPosition = 0;
    Token mCurrent{};  // the token at mPosition; type NoToken off the tokens
};

}  // namespace refhost

#endif
