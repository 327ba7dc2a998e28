#ifndef REFHOST_TEXTTOKENSEQUENCE_H
#define REFHOST_TEXTTOKENSEQUENCE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "uparser/host/TokenSequence.h"

namespace refhost {

// A lexical mistake in a command's text: where it starts and what it is.
struct TokenizerError {
    long line;
    int column;
    std::size_t byteOffset;  // into the command text
    std::string message;     // "unterminated literal"
};

// The tokens of one command's text; the first token is the command name.
//
// Tokens: words (an ASCII letter, a byte of 0x80 or above, "@", "#" or "$", then also digits,
// "_" and "."), with the reserved words of ReservedWords.h carrying their codes in any case;
// numbers ("12", "3.5", "1.", ".5", "1e3", "2.5E-2"; a "-" directly before a digit or before
// "." and a digit makes it negative; a value beyond the range of a double reads as infinity);
// literals between ' or " with a doubled quote standing for one, an unterminated literal
// ending at the end of its line (a CR before that line end is dropped); operators, one or
// two bytes, with the codes of TokenSequence.h and ReservedWords.h, any other byte (NUL
// included) being an OtherOperator token of its own. Blanks, tabs, CR, LF, FF and VT
// separate tokens. A "." that is the last non-blank byte of the text ends the command: it
// and whatever follows it yield no token, also when it stands inside an unterminated literal.
//
// Mistakes are reported, not refused: an unterminated literal is still a literal token, and an
// entry of errors() at its opening quote tells a program to warn the user.
//
// Positions: 0 stands before the first token, k on the k-th token (1 to getTokenCount()),
// getTokenCount() + 1 after the last. next() from the last token moves past it and answers
// false. Off a token the stream reports NoToken with no text (null pointer), value 0 and
// column 0; its line is the first line before the tokens and the last token's line after.
//
// Texts returned by getString/getUpperString stay valid until the sequence is destroyed.
class TextTokenSequence : public TAVO_TokenSequence {
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

    // The lexical mistakes of the text, in the order they stand.
    const std::vector<TokenizerError>& errors() const;

  private:
    // 24 bytes. Offsets are 32-bit, so only the first 2 GiB of a command text are tokenized
    // (its literals may need as much again for their unescaped copies).
    struct Token {
        uint32_t offset;  // into mText and mUpper
        uint32_t length;
        uint32_t line;  // lines after the first
        int32_t column;
        int32_t code;  // operator code; for a number, the index of its value in mNumbers
        TokenType type;
    };

    // Tokens live in fixed-size blocks: a long command never moves the tokens already read.
    static constexpr std::size_t kBlockBits = 12;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;

    void tokenize();
    void push(const Token& token);
    Token& at(std::size_t index);
    const Token* current() const;
    long absoluteLine(uint32_t line) const;  // firstLine plus the lines after it

    // The command text, followed by the texts of literals that had doubled quotes.
    std::string mText;
    std::string mUpper;  // mText with ASCII letters upper-cased
    std::vector<std::vector<Token>> mBlocks;
    std::size_t mCount = 0;
    std::vector<double> mNumbers;
    long mFirstLine;
    std::size_t mPosition = 0;
    std::vector<TokenizerError> mErrors;
};

}  // namespace refhost

#endif
