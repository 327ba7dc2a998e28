#include "uparser/TokenInfoObj.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/TempDir.h"
#include "support/Tokens.h"

using ::testing::ElementsAre;

namespace {

// One token of the host's stream, with a record of the queries made to it.
class OneTokenStream : public TAVO_TokenSequence {
  public:
    TokenType type = StringToken;
    OperatorCode code = NoOperator;
    const char* text = nullptr;
    unsigned textLength = 0;
    const char* upper = nullptr;
    unsigned upperLength = 0;
    double numeric = 0.0;
    long line = 0;
    int column = 0;

    mutable std::vector<std::string> calls;

    int getPosition() const override { return record("getPosition", 1); }
    bool next() override { return record("next", false); }
    bool atEnd() const override { return record("atEnd", false); }
    bool setPosition(int) override { return record("setPosition", false); }
    int getTokenCount() const override { return record("getTokenCount", 1); }
    TokenType getType() const override { return record("getType", type); }
    OperatorCode getOperatorCode() const override { return record("getOperatorCode", code); }
    void getString(char const** out, unsigned* length) const override {
        record(preset(out, length) + "getString", 0);
        *out = text;
        *length = textLength;
    }
    void getUpperString(char const** out, unsigned* length) const override {
        record(preset(out, length) + "getUpperString", 0);
        *out = upper;
        *length = upperLength;
    }
    double getNumeric() const override { return record("getNumeric", numeric); }
    long getLineNumber() const override { return record("getLineNumber", line); }
    int getColumn() const override { return record("getColumn", column); }

  private:
    template <typename T>
    T record(const std::string& call, T result) const {
        calls.push_back(call);
        return result;
    }
    // Marks a call whose out-parameters were not preset to null and 0.
    static std::string preset(char const** out, unsigned* length) {
        return (*out == nullptr && *length == 0) ? "" : "unpreset ";
    }
};

const TokenInfoObj& Only(const std::vector<TokenInfoObj>& tokens) {
    EXPECT_EQ(tokens.size(), 1u);
    return tokens.front();
}

}  // namespace

TEST(TokenInfoObj, DefaultIsNoToken) {
    const TokenInfoObj token;
    EXPECT_TRUE(token.NoType());
    EXPECT_FALSE(token.AtEnd());
    EXPECT_FALSE(token.IsString());
    EXPECT_FALSE(token.IsNumber());
    EXPECT_FALSE(token.IsLiteral());
    EXPECT_FALSE(token.IsOperator());
    EXPECT_FALSE(token.IsReservedWord());
    EXPECT_FALSE(token.IsPlainString());
    EXPECT_FALSE(token.IsVarName());
    EXPECT_FALSE(token.IsInteger());
    EXPECT_EQ(token.getOperatorCode(), TokenSequenceBase::NoOperator);
    EXPECT_STREQ(token.getString(), "");
    EXPECT_STREQ(token.getUpperString(), "");
    EXPECT_EQ(token.getStringLength(), 0u);
    EXPECT_EQ(token.getNumeric(), 0.0);
    EXPECT_EQ(token.getLineNumber(), 0);
    EXPECT_EQ(token.getColumn(), 0);
    EXPECT_EQ(token.getInteger(), 0);
    EXPECT_TRUE(token.getVarName().empty());
    EXPECT_EQ(token.getFilePath(false, false), "");
    EXPECT_FALSE(token.IsFileSpec(false, false));
}

TEST(TokenInfoObj, SnapshotQueriesTheStreamOnceEachInOrder) {
    OneTokenStream stream;
    // Texts need not be terminated: only the reported bytes count.
    stream.text = "ageXYZ";
    stream.textLength = 3;
    stream.upper = "AGEXYZ";
    stream.upperLength = 3;
    stream.numeric = 2.5;
    stream.line = 12;
    stream.column = 7;

    const TokenInfoObj token(stream);
    EXPECT_THAT(stream.calls,
                ElementsAre("getType", "getOperatorCode", "getString", "getUpperString",
                            "getNumeric", "getLineNumber", "getColumn"));
    EXPECT_TRUE(token.IsString());
    EXPECT_STREQ(token.getString(), "age");
    EXPECT_EQ(token.getStringLength(), 3u);
    EXPECT_STREQ(token.getUpperString(), "AGE");
    EXPECT_EQ(token.getNumeric(), 2.5);
    EXPECT_EQ(token.getLineNumber(), 12);
    EXPECT_EQ(token.getColumn(), 7);
}

TEST(TokenInfoObj, NullTextIsAnEmptyText) {
    OneTokenStream stream;
    stream.type = TokenSequenceBase::OperatorToken;
    stream.textLength = 5;  // ignored without a pointer
    stream.upperLength = 5;
    const TokenInfoObj token(stream);
    EXPECT_STREQ(token.getString(), "");
    EXPECT_EQ(token.getStringLength(), 0u);
    EXPECT_STREQ(token.getUpperString(), "");
}

TEST(TokenInfoObj, TextWithEmbeddedNulIsKeptButIsNoVariableName) {
    OneTokenStream stream;
    stream.text = "ab\0cd";
    stream.textLength = 5;
    stream.upper = "AB\0CD";
    stream.upperLength = 5;
    const TokenInfoObj token(stream);
    EXPECT_EQ(token.getStringLength(), 5u);
    EXPECT_TRUE(token.IsPlainString());
    EXPECT_FALSE(token.IsVarName());
    EXPECT_TRUE(token.getVarName().empty());
}

TEST(TokenInfoObj, HostCodesOutsideTheNamedOnesAreKept) {
    OneTokenStream stream;
    stream.type = static_cast<TokenSequenceBase::TokenType>(42);
    stream.code = static_cast<TokenSequenceBase::OperatorCode>(-3);
    const TokenInfoObj token(stream);
    EXPECT_EQ(token.getType(), 42);
    EXPECT_EQ(token.getOperatorCode(), -3);
    EXPECT_FALSE(token.NoType());
    EXPECT_FALSE(token.IsString());
    EXPECT_FALSE(token.IsReservedWord());
}

TEST(TokenInfoObj, ReservedWordsAreNeverVariableNames) {
    const TokenInfoObj all = Only(TokensOf("all"));
    EXPECT_TRUE(all.IsString());
    EXPECT_TRUE(all.IsReservedWord());
    EXPECT_EQ(all.getOperatorCode(), TokenSequenceBase::AllWord);
    EXPECT_FALSE(all.IsPlainString());
    EXPECT_FALSE(all.IsVarName());
    EXPECT_TRUE(all.getVarName().empty());
    EXPECT_TRUE(all.getUpperVarName().empty());
}

TEST(TokenInfoObj, WordsAsVariableNames) {
    const std::vector<TokenInfoObj> tokens =
        TokensOf("income abc. " + std::string(65, 'v') + " 'lit'");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_TRUE(tokens[0].IsVarName());
    EXPECT_EQ(tokens[0].getVarName().str(), "income");
    EXPECT_EQ(tokens[0].getUpperVarName().str(), "INCOME");

    // The upper text is set, but the name is judged on the text and rejected.
    EXPECT_TRUE(tokens[1].IsPlainString());
    EXPECT_STREQ(tokens[1].getUpperString(), "ABC.");
    EXPECT_FALSE(tokens[1].IsVarName());
    EXPECT_TRUE(tokens[1].getUpperVarName().empty());

    EXPECT_FALSE(tokens[2].IsVarName());
    EXPECT_FALSE(tokens[3].IsVarName());
    EXPECT_TRUE(tokens[3].getVarName().empty());
}

TEST(TokenInfoObj, OnlyWholeNumbersOfThirtyTwoBitsAreIntegers) {
    const std::vector<TokenInfoObj> tokens =
        TokensOf("3.0 3.5 -7 2147483647 2147483648 -2147483648 '3' x3");
    ASSERT_EQ(tokens.size(), 8u);
    EXPECT_TRUE(tokens[0].IsInteger());
    EXPECT_EQ(tokens[0].getInteger(), 3);
    EXPECT_FALSE(tokens[1].IsInteger());
    EXPECT_EQ(tokens[1].getInteger(), 0);
    EXPECT_EQ(tokens[2].getInteger(), -7);
    EXPECT_EQ(tokens[3].getInteger(), 2147483647);
    EXPECT_FALSE(tokens[4].IsInteger());
    EXPECT_EQ(tokens[4].getInteger(), 0);
    EXPECT_EQ(tokens[5].getInteger(), -2147483647 - 1);
    // Neither a literal nor a word is a number, whatever its text.
    EXPECT_TRUE(tokens[6].IsLiteral());
    EXPECT_FALSE(tokens[6].IsNumber());
    EXPECT_EQ(tokens[6].getInteger(), 0);
    EXPECT_FALSE(tokens[7].IsNumber());
}

TEST(TokenInfoObj, OperatorsAndPositions) {
    const std::vector<TokenInfoObj> tokens = TokensOf("cmd /sub=\n  (x)");
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_TRUE(tokens[1].IsOperator());
    EXPECT_EQ(tokens[1].getOperatorCode(), TokenSequenceBase::Slash);
    EXPECT_EQ(tokens[3].getOperatorCode(), TokenSequenceBase::EqualSign);
    EXPECT_EQ(tokens[4].getOperatorCode(), TokenSequenceBase::LeftParen);
    EXPECT_EQ(tokens[2].getLineNumber(), 1);
    EXPECT_EQ(tokens[2].getColumn(), 6);
    EXPECT_EQ(tokens[5].getLineNumber(), 2);
    EXPECT_EQ(tokens[5].getColumn(), 4);
    EXPECT_FALSE(tokens[1].IsReservedWord());
}

TEST(TokenInfoObj, FilePathsFromLiteralsAndWords) {
    const testsupport::TempDir dir;
    const std::string existing = dir.write("data.csv", "a\n1\n");
    const std::string fresh = dir.file("new.csv");
    const std::vector<TokenInfoObj> tokens =
        TokensOf("'" + existing + "' '" + fresh + "' '" + dir.path() + "' 12 =");
    ASSERT_EQ(tokens.size(), 5u);

    EXPECT_EQ(tokens[0].getFilePath(false, false), existing);
    EXPECT_TRUE(tokens[0].IsFileSpec(false, true));
    // The first flag lets a file that does not exist yet pass; the second demands a file.
    EXPECT_EQ(tokens[1].getFilePath(true, false), fresh);
    EXPECT_EQ(tokens[1].getFilePath(false, false), "");
    EXPECT_TRUE(tokens[2].IsFileSpec(false, false));
    EXPECT_FALSE(tokens[2].IsFileSpec(false, true));
    EXPECT_FALSE(tokens[2].IsFileSpec(true, false));

    EXPECT_EQ(tokens[3].getFilePath(false, false), "");
    EXPECT_FALSE(tokens[3].IsFileSpec(true, false));
    EXPECT_FALSE(tokens[4].IsFileSpec(true, false));

    // A host may hand a whole path over as one word.
    OneTokenStream stream;
    stream.text = existing.c_str();
    stream.textLength = static_cast<unsigned>(existing.size());
    const TokenInfoObj word(stream);
    ASSERT_TRUE(word.IsString());
    EXPECT_EQ(word.getFilePath(false, true), existing);
}

TEST(TokenInfoObj, CopiesAndMovesCarryEveryField) {
    static_assert(std::is_nothrow_move_constructible<TokenInfoObj>::value, "cheap in vectors");
    static_assert(std::is_nothrow_move_assignable<TokenInfoObj>::value, "cheap in vectors");

    const TokenInfoObj original = TokensOf("x\n  'a long literal that is not a short string'")[1];
    TokenInfoObj copy(original);
    EXPECT_STREQ(copy.getString(), original.getString());
    EXPECT_STREQ(copy.getUpperString(), "A LONG LITERAL THAT IS NOT A SHORT STRING");
    EXPECT_EQ(copy.getType(), TokenSequenceBase::LiteralToken);
    EXPECT_EQ(copy.getLineNumber(), 2);
    EXPECT_EQ(copy.getColumn(), 3);

    TokenInfoObj moved(std::move(copy));
    EXPECT_STREQ(moved.getString(), original.getString());
    TokenInfoObj assigned;
    assigned = moved;
    EXPECT_EQ(assigned.getColumn(), 3);
    EXPECT_STREQ(assigned.getString(), original.getString());
    EXPECT_NE(assigned.getString(), moved.getString());
}
