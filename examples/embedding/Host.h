#ifndef EMBEDDING_HOST_H
#define EMBEDDING_HOST_H

#include <string>
#include <vector>

#include "uparser/host/DataSource.h"
#include "uparser/host/TokenSequence.h"

// A small host of its own: the services of uparser/host/ are defined in services/, and this is
// the host's own side of them: its token stream, its data set and the messages its error
// service collected.
namespace embedding {

// One token as the host's tokenizer hands it over; the stream places it on its line.
struct Token {
    TokenSequenceBase::TokenType type;
    TokenSequenceBase::OperatorCode code;
    std::string text;
    double number;
};

Token Word(std::string text);
Token Operator(std::string text, TokenSequenceBase::OperatorCode code);
Token Number(std::string text);

// The tokens of one command on one line, separated by single blanks.
class TokenList : public TAVO_TokenSequence {
  public:
    explicit TokenList(std::vector<Token> tokens);

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
    struct Placed {
        Token token;
        std::string upper;
        int column;
    };
    const Placed* current() const;

    std::vector<Placed> mTokens;
    std::size_t mNext = 0;  // tokens read so far: 0 stands before the first
};

// The host's data set: variables in file order, found by name ignoring case.
class DataSet : public TAVO_DataSource {
  public:
    void addNumeric(const std::string& name, TAVO_Variable_Enumerations::MeasurementLevel level);
    void addString(const std::string& name, int width);

    int FindVarIndex(char const* name) const override;
    unsigned int ColumnCount() const override;
    const TAVO_Variable& GetVariable(int index) const override;

  private:
    std::vector<TAVO_Variable> mVariables;
};

// What the host's error service (BpError) was handed.
struct Message {
    int level;  // 3 error, 2 warning
    std::string text;
};

std::vector<Message>& Messages();

// The host's string table: the translation of an English text. It holds none, so every text
// stays in English.
std::string Translate(const std::string& english);

// How many texts the library looked up in the string table (FacSTDictionary::LookUp).
int& StringTableLookUps();

}  // namespace embedding

#endif
