#include "uparser/TokenInfoObj.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/TempDir.h"
#include "support/Tokens.h"

using ::testing::ElementsAre;

namespace {

// One token of a host stream that records the queries made to it.
class OneTokenStream : public TAVO_TokenSequence {
  public:
    TokenType type = StringToken;
    const char* text = nullptr;
    unsigned textLength = 0;
    const char* upper = nullptr;
    unsigned upperLength = 0;
    mutable std::vector<std::string> calls;

    int getPosition() const override { return log("getPosition", 1); }
    bool next() override { return log("next", false); }
    bool atEnd() const override { return log("atEnd", false); }
    bool setPosition(int) override { return log("setPosition", false); }
    int getTokenCount() const override { return log("getTokenCount", 1); }
    TokenType getType() const override { return log("getType", type); }
    OperatorCode getOperatorCode() const override { return log("getOperatorCode", NoOperator); }
    void getString(char const** out, unsigned* length) const override {
        hand("getString", out, length, text, textLength);
    }
    void getUpperString(char const** out, unsigned* length) const override {
        hand("getUpperString", out, length, upper, upperLength);
    }
    double getNumeric() const override { return log("getNumeric", 2.5); }
    long getLineNumber() const override { return log("getLineNumber", 12L); }
    int getColumn() const override { return log("getColumn", 7); }

  private:
    template <typename T>
    T log(const char* call, T result) const {
        calls.emplace_back(call);
        return result;
    }
    // Out-parameters must arrive preset to null and 0.
    void hand(const char* call, char const** out, unsigned* length, const char* value,
              unsigned valueLength) const {
        calls.push_back(std::string(*out == nullptr && *length == 0 ? "" : "unpreset ") + call);
        *out = value;
        *length = valueLength;
    }
};

}  // namespace

TEST(TokenInfoObj, DefaultIsNoToken) {
    const TokenInfoObj token;
    EXPECT_TRUE(token.NoType());
    EXPECT_FALSE(token.AtEnd() || token.IsString() || token.IsNumber() || token.IsLiteral() ||
                 token.IsOperator() || token.IsVarName() || token.IsInteger());
    EXPECT_STREQ(token.getString(), "");
    EXPECT_EQ(token.getLineNumber(), 0);
    EXPECT_EQ(token.getInteger(), 0);
    EXPECT_EQ(token.getFilePath(false, false), "");
}

TEST(TokenInfoObj, SnapshotQueriesTheStreamOnceEachInOrder) {
    OneTokenStream stream;
    // Not terminated: only the reported bytes count.
    stream.text = "ageXYZ";
    stream.textLength = 3;
    stream.upper = "AGEXYZ";
    stream.upperLength = 3;
    const TokenInfoObj token(stream);
    EXPECT_THAT(stream.calls,
                ElementsAre("getType", "getOperatorCode", "getString", "getUpperString",
                            "getNumeric", "getLineNumber", "getColumn"));
    EXPECT_STREQ(token.getString(), "age");
    EXPECT_EQ(token.getStringLength(), 3u);
    EXPECT_STREQ(token.getUpperString(), "AGE");
    EXPECT_EQ(token.getNumeric(), 2.5);
    EXPECT_EQ(token.getLineNumber(), 12);
    EXPECT_EQ(token.getColumn(), 7);
}

TEST(TokenInfoObj, NullTextIsEmptyAndEmbeddedNulIsNoName) {
    OneTokenStream stream;
    stream.textLength = 5;  // ignored without a pointer
    EXPECT_STREQ(TokenInfoObj(stream).getString(), "");
    EXPECT_EQ(TokenInfoObj(stream).getStringLength(), 0u);

    stream.text = "ab\0cd";
    const TokenInfoObj withNul(stream);
    EXPECT_EQ(withNul.getStringLength(), 5u);
    EXPECT_TRUE(withNul.IsPlainString());
    EXPECT_FALSE(withNul.IsVarName());
}

TEST(TokenInfoObj, WordsReservedWordsAndVariableNames) {
    const std::vector<TokenInfoObj> tokens =
        TokensOf("all income abc. " + std::string(65, 'v') + " 'lit' =");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_TRUE(tokens[0].IsString());
    EXPECT_TRUE(tokens[0].IsReservedWord());
    EXPECT_FALSE(tokens[0].IsPlainString());
    EXPECT_TRUE(tokens[0].getVarName().empty());

    EXPECT_EQ(tokens[1].getVarName().str(), "income");
    EXPECT_EQ(tokens[1].getUpperVarName().str(), "INCOME");
    // The upper text is set, but the name is judged on the text and rejected.
    EXPECT_STREQ(tokens[2].getUpperString(), "ABC.");
    EXPECT_TRUE(tokens[2].getUpperVarName().empty());
    EXPECT_FALSE(tokens[3].IsVarName());
    EXPECT_FALSE(tokens[4].IsVarName());
    EXPECT_TRUE(tokens[5].IsOperator());
    EXPECT_FALSE(tokens[5].IsReservedWord());
}

TEST(TokenInfoObj, OnlyWholeNumbersOfThirtyTwoBitsAreIntegers) {
    const std::vector<TokenInfoObj> tokens =
        TokensOf("3.0 3.5 2147483647 2147483648 -2147483648 '3'");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[0].getInteger(), 3);
    EXPECT_FALSE(tokens[1].IsInteger());
    EXPECT_EQ(tokens[1].getInteger(), 0);
    EXPECT_EQ(tokens[2].getInteger(), 2147483647);
    EXPECT_EQ(tokens[3].getInteger(), 0);
    EXPECT_EQ(tokens[4].getInteger(), -2147483647 - 1);
    EXPECT_FALSE(tokens[5].IsNumber());
    EXPECT_EQ(tokens[5].getInteger(), 0);
}

TEST(TokenInfoObj, FilePathsPassBothFlagsOn) {
    const testsupport::TempDir dir;
    const std::string existing = dir.write("data.csv", "a\n1\n");
    const std::string fresh = dir.file("new.csv");
    const std::vector<TokenInfoObj> tokens =
        TokensOf("'" + existing + "' '" + fresh + "' '" + dir.path() + "' 12");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0].getFilePath(false, true), existing);
    EXPECT_EQ(tokens[1].getFilePath(true, false), fresh);
    EXPECT_FALSE(tokens[1].IsFileSpec(false, false));
    EXPECT_TRUE(tokens[2].IsFileSpec(false, false));
    EXPECT_FALSE(tokens[2].IsFileSpec(false, true));
    EXPECT_FALSE(tokens[3].IsFileSpec(true, false));

    OneTokenStream word;  // a host may hand a whole path over as one word
    word.text = existing.c_str();
    word.textLength = static_cast<unsigned>(existing.size());
    EXPECT_EQ(TokenInfoObj(word).getFilePath(false, true), existing);
}

namespace {

static_assert(std::is_nothrow_move_constructible<TokenInfoObj>::value, "cheap in vectors");
static_assert(std::is_nothrow_move_assignable<TokenInfoObj>::value, "cheap in vectors");
static_assert(sizeof(TokenInfoObj) <= 64, "a million-token list stays small");
static_assert(sizeof(void*) != 8 || sizeof(TokenInfoObj) <= 56, "under 100 bytes a token");

// The exact bytes of both texts, embedded NULs included.
std::string TextBytes(const TokenInfoObj& token) {
    return std::string(token.getString(), token.getStringLength());
}

std::string UpperBytes(const TokenInfoObj& token, std::size_t length) {
    return std::string(token.getUpperString(), length);
}

}  // namespace

// Short texts are kept inside the object and longer ones outside it; every length on both
// sides of that limit must survive snapshots, copies, moves and assignments byte for byte,
// with a NUL inside the text and an upper text of another length, or a plain text and an upper
// text of the same length or one starting with a NUL; and so must every other field.
TEST(TokenInfoObj, TextsOfEveryLengthSurviveCopiesAndMoves) {
    for (int shape = 0; shape < 3; ++shape) {
        for (unsigned length = 0; length <= 40; ++length) {
            std::string text(length, 'a');
            for (unsigned i = 0; i < length; ++i) {
                text[i] = static_cast<char>('a' + i % 26);
            }
            if (length > 2 && shape == 0) {
                text[1] = '\0';
            }
            // Upper-casing may shorten or lengthen a text; both must fit wherever the text went.
            const std::string changed =
                std::string(length % 2 == 0 ? length / 2 + 1 : length + 3, 'U') + "x";
            const std::string upper = shape == 0 ? changed
                                      : shape == 1
                                          ? std::string(length, 'U')
                                          : std::string(1, '\0') + std::string(length, 'U');
            OneTokenStream stream;
            stream.text = text.c_str();
            stream.textLength = length;
            stream.upper = upper.c_str();
            stream.upperLength = static_cast<unsigned>(upper.size());
            SCOPED_TRACE(std::to_string(shape) + "/" + std::to_string(length));

            auto source = std::make_unique<TokenInfoObj>(stream);
            source->setExtent(40, 123456);
            const auto check = [&](const TokenInfoObj& token) {
                EXPECT_EQ(TextBytes(token), text);
                EXPECT_EQ(token.getString()[length], '\0');
                EXPECT_EQ(UpperBytes(token, upper.size()), upper);
                EXPECT_EQ(token.getUpperString()[upper.size()], '\0');
                EXPECT_TRUE(token.IsString());
                EXPECT_EQ(token.getNumeric(), 2.5);
                EXPECT_EQ(token.getLineNumber(), 12);
                EXPECT_EQ(token.getColumn(), 7);
                EXPECT_EQ(token.getEndColumn(), 40);
                EXPECT_EQ(token.getByteOffset(), 123456);
            };
            check(*source);

            TokenInfoObj copy(*source);
            TokenInfoObj longTarget = TokensOf("'" + std::string(50, 'q') + "'")[0];
            TokenInfoObj shortTarget = TokensOf("q")[0];
            longTarget = *source;
            shortTarget = *source;
            source.reset();  // nothing may still point into it
            check(copy);
            check(longTarget);
            check(shortTarget);

            TokenInfoObj moved(std::move(copy));
            check(moved);
            EXPECT_EQ(copy.getStringLength(), 0u);  // NOLINT: a moved-from token is empty
            EXPECT_STREQ(copy.getString(), "");
            EXPECT_STREQ(copy.getUpperString(), "");
            TokenInfoObj& self = moved;
            moved = self;
            moved = std::move(self);
            check(moved);
            shortTarget = std::move(moved);
            check(shortTarget);
        }
    }
}

// A host that answers both text queries from one scratch buffer: the text must be taken
// before the upper text overwrites it.
TEST(TokenInfoObj, TextIsTakenBeforeTheUpperTextIsAskedFor) {
    class ScratchStream : public OneTokenStream {
      public:
        void getString(char const** out, unsigned* length) const override {
            scratch = "lower case text of some length";
            *out = scratch.data();
            *length = static_cast<unsigned>(scratch.size());
        }
        void getUpperString(char const** out, unsigned* length) const override {
            scratch = "UPPER";
            *out = scratch.data();
            *length = static_cast<unsigned>(scratch.size());
        }

      private:
        mutable std::string scratch = std::string(64, ' ');
    };
    ScratchStream stream;
    const TokenInfoObj token(stream);
    EXPECT_EQ(std::string(token.getString(), token.getStringLength()),
              "lower case text of some length");
    EXPECT_STREQ(token.getUpperString(), "UPPER");
}
