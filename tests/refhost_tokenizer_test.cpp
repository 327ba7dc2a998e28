#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "refhost/ReservedWords.h"
#include "refhost/TextTokenSequence.h"
#include "refhost/UnicodeText.h"

namespace {

using refhost::TextTokenSequence;
using TS = TokenSequenceBase;

struct Tok {
    int type;
    int code;
    std::string text;
    std::string upper;
    double numeric;
    long line;
    int column;
};

Tok snapshot(const TextTokenSequence& s) {
    Tok t{s.getType(), s.getOperatorCode(), "", "", 0.0, 0, 0};
    const char* text = nullptr;
    unsigned length = 0;
    s.getString(&text, &length);
    if (text != nullptr) {
        t.text.assign(text, length);
    }
    text = nullptr;
    length = 0;
    s.getUpperString(&text, &length);
    if (text != nullptr) {
        t.upper.assign(text, length);
    }
    t.numeric = s.getNumeric();
    t.line = s.getLineNumber();
    t.column = s.getColumn();
    return t;
}

std::vector<Tok> tokens(const std::string& text, long firstLine = 1) {
    TextTokenSequence s(text, firstLine);
    std::vector<Tok> out;
    while (s.next()) {
        out.push_back(snapshot(s));
    }
    return out;
}

// "type:code:text" per token, for compact expectations.
std::string brief(const std::string& text) {
    std::string out;
    for (const Tok& t : tokens(text)) {
        if (!out.empty()) {
            out += ' ';
        }
        out += std::to_string(t.type) + ":" + std::to_string(t.code) + ":" + t.text;
    }
    return out;
}

TEST(RefhostTokenizerTest, StreamStartsBeforeTheFirstTokenAndEndsPastTheLast) {
    TextTokenSequence s("SCAN a b", 7);
    EXPECT_EQ(s.getTokenCount(), 3);
    EXPECT_EQ(s.getPosition(), 0);
    EXPECT_FALSE(s.atEnd());
    Tok before = snapshot(s);
    EXPECT_EQ(before.type, TS::NoToken);
    EXPECT_EQ(before.line, 7);
    EXPECT_EQ(before.column, 0);
    const char* text = "preset";
    unsigned length = 9;
    s.getString(&text, &length);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(length, 0u);

    ASSERT_TRUE(s.next());
    EXPECT_EQ(snapshot(s).text, "SCAN");
    ASSERT_TRUE(s.next());
    ASSERT_TRUE(s.next());
    EXPECT_EQ(s.getPosition(), 3);
    EXPECT_FALSE(s.atEnd());
    EXPECT_FALSE(s.next());
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.getPosition(), 4);
    EXPECT_EQ(snapshot(s).type, TS::NoToken);
    EXPECT_EQ(snapshot(s).line, 7);
    EXPECT_FALSE(s.next());
    EXPECT_EQ(s.getPosition(), 4);

    EXPECT_TRUE(s.setPosition(0));
    ASSERT_TRUE(s.next());
    EXPECT_EQ(snapshot(s).text, "SCAN");
    EXPECT_TRUE(s.setPosition(3));
    EXPECT_EQ(snapshot(s).text, "b");
    EXPECT_FALSE(s.setPosition(5));
    EXPECT_FALSE(s.setPosition(-1));
    EXPECT_EQ(s.getPosition(), 3);
    s.getString(nullptr, nullptr);  // tolerated

    TextTokenSequence empty("  \n\t ");
    EXPECT_EQ(empty.getTokenCount(), 0);
    EXPECT_FALSE(empty.next());
    EXPECT_TRUE(empty.atEnd());
    EXPECT_TRUE(empty.setPosition(0));
    EXPECT_FALSE(empty.next());
}

TEST(RefhostTokenizerTest, WordsAndReservedWordsInAnyCase) {
    EXPECT_EQ(brief("to With bY ALL and Or NOT eq ne lt LE gt ge"),
              "2:30:to 2:31:With 2:34:bY 2:35:ALL 2:40:and 2:41:Or 2:42:NOT 2:43:eq 2:44:ne "
              "2:45:lt 2:46:LE 2:47:gt 2:48:ge");
    EXPECT_EQ(brief("to1 x.y_z @a #b $c TOO alls"),
              "2:0:to1 2:0:x.y_z 2:0:@a 2:0:#b 2:0:$c 2:0:TOO 2:0:alls");
    const std::vector<Tok> t = tokens("v1_a.b \xC3\xA9t\xC3\xA9x");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].upper, "V1_A.B");
    EXPECT_EQ(t[1].text, "\xC3\xA9t\xC3\xA9x");
    EXPECT_EQ(t[1].upper, "\xC3\x89T\xC3\x89X");  // ÉTÉX: letters beyond ASCII have case too
    EXPECT_EQ(t[0].numeric, 0.0);
    // "_" and digits cannot start a word.
    EXPECT_EQ(brief("_a"), "5:99:_ 2:0:a");
}

// Upper text is made for the whole command at once: only "a" to "z" change, not their
// neighbours in the code table ("`", "{") nor any other byte below 0x80.
TEST(RefhostTokenizerTest, UpperTextChangesOnlyTheLettersAToZ) {
    std::string all;
    std::string upper;
    for (int c = 1; c < 0x80; ++c) {
        if (c != '\n' && c != '\'') {
            all += static_cast<char>(c);
            upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
    }
    const std::vector<Tok> t = tokens("'" + all + "'");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, all);
    EXPECT_EQ(t[0].upper, upper);
}

TEST(RefhostTokenizerTest, NumbersWithFractionsExponentsAndSigns) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"12", 12},        {"3.5", 3.5},  {".5", 0.5},   {"1e3", 1000},
                          {"2.5E-2", 0.025}, {"-4", -4},    {"-.5", -0.5}, {"1.0", 1},
                          {"0007", 7},       {"1E+2", 100}, {"1e-999", 0}};
    for (const Case& c : cases) {
        const std::vector<Tok> t = tokens(c.text);
        ASSERT_EQ(t.size(), 1u) << c.text;
        EXPECT_EQ(t[0].type, TS::NumberToken) << c.text;
        EXPECT_EQ(t[0].code, 0) << c.text;
        EXPECT_EQ(t[0].text, c.text);
        EXPECT_DOUBLE_EQ(t[0].numeric, c.value) << c.text;
    }
    EXPECT_EQ(brief("1e 12abc 1e3x 1.5.3"),
              "3:0:1 2:0:e 3:0:12 2:0:abc 3:0:1e3 2:0:x 3:0:1.5 3:0:.3");
    EXPECT_EQ(brief("1. 2"), "3:0:1. 3:0:2");
    const std::vector<Tok> huge = tokens("1e999 -1e999");
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_TRUE(std::isinf(huge[0].numeric) && huge[0].numeric > 0);
    EXPECT_TRUE(std::isinf(huge[1].numeric) && huge[1].numeric < 0);
}

TEST(RefhostTokenizerTest, MinusBeginsANumberOnlyDirectlyBeforeDigits) {
    EXPECT_EQ(brief("a - 1"), "2:0:a 5:62:- 3:0:1");
    EXPECT_EQ(brief("x-1"), "2:0:x 3:0:-1");
    EXPECT_EQ(brief("-a -. -"), "5:62:- 2:0:a 5:62:- 5:99:. 5:62:-");
}

TEST(RefhostTokenizerTest, LiteralsUndoubleQuotesAndEndAtTheLine) {
    EXPECT_EQ(brief("'it''s' \"say \"\"hi\"\"\" 'a\"b' \"a'b\""),
              "4:0:it's 4:0:say \"hi\" 4:0:a\"b 4:0:a'b");
    std::vector<Tok> t = tokens("'' x");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].type, TS::LiteralToken);
    EXPECT_EQ(t[0].text, "");
    TextTokenSequence s("''");
    ASSERT_TRUE(s.next());
    const char* text = nullptr;
    unsigned length = 7;
    s.getString(&text, &length);
    EXPECT_NE(text, nullptr) << "an empty literal still has a text";
    EXPECT_EQ(length, 0u);

    t = tokens("TITLE 'don''t stop\r\nnext 'x''");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1].text, "don't stop");
    EXPECT_EQ(t[1].upper, "DON'T STOP");
    EXPECT_EQ(t[1].column, 7);
    EXPECT_EQ(t[2].text, "next");
    EXPECT_EQ(t[2].line, 2);
    EXPECT_EQ(t[3].text, "x'");
    EXPECT_EQ(brief("'abc  "), "4:0:abc  ");
}

TEST(RefhostTokenizerTest, AnUnterminatedLiteralIsReportedAtItsOpeningQuote) {
    // Closed literals, doubled quotes and the other quote inside are no mistake; an open
    // literal is, also after a doubled quote and when the command's final point cuts it.
    TextTokenSequence s("T 'it''s ok' \"a'b\"\n  /X 'don''t\nY \"cut.", 7);
    ASSERT_EQ(s.errors().size(), 2u);
    EXPECT_EQ(s.errors()[0].line, 8);
    EXPECT_EQ(s.errors()[0].column, 6);
    EXPECT_EQ(s.errors()[0].byteOffset, 24u);
    EXPECT_EQ(s.errors()[0].message, "unterminated literal");
    EXPECT_EQ(s.errors()[0].kind, refhost::TokenizerError::Kind::UnterminatedLiteral);
    EXPECT_EQ(s.errors()[1].line, 9);
    EXPECT_EQ(s.errors()[1].column, 3);
    EXPECT_EQ(s.errors()[1].byteOffset, 34u);
    EXPECT_EQ(s.getTokenCount(), 8) << "the open literals are still tokens";
    EXPECT_TRUE(TextTokenSequence("T 'a' \"b\" ''.").errors().empty());
    // Listed in the order they stand among the UTF-8 mistakes, which are found first.
    TextTokenSequence mixed("T 'x\xFF\nU \xFE");
    ASSERT_EQ(mixed.errors().size(), 3u);
    EXPECT_EQ(mixed.errors()[0].kind, refhost::TokenizerError::Kind::UnterminatedLiteral);
    EXPECT_EQ(mixed.errors()[1].byteOffset, 4u);
    EXPECT_EQ(mixed.errors()[2].byteOffset, 8u);
}

TEST(RefhostTokenizerTest, OperatorsCarryTheirCodes) {
    EXPECT_EQ(brief("= * / ( ) ; [ ]"), "5:3:= 5:10:* 5:11:/ 5:13:( 5:14:) 5:17:; 5:36:[ 5:37:]");
    EXPECT_EQ(brief(", + < > <= >= <> ~= & | :"),
              "5:60:, 5:61:+ 5:63:< 5:64:> 5:65:<= 5:66:>= 5:67:<> 5:68:~= 5:69:& 5:70:| 5:71::");
    EXPECT_EQ(brief("a<=b>c~d!"), "2:0:a 5:65:<= 2:0:b 5:64:> 2:0:c 5:99:~ 2:0:d 5:99:!");
    EXPECT_EQ(brief("(1;2)"), "5:13:( 3:0:1 5:17:; 3:0:2 5:14:)");
    const std::vector<Tok> nul = tokens(std::string("a\0b", 3));
    ASSERT_EQ(nul.size(), 3u);
    EXPECT_EQ(nul[1].type, TS::OperatorToken);
    EXPECT_EQ(nul[1].code, refhost::OtherOperator);
    EXPECT_EQ(nul[1].text, std::string(1, '\0'));
}

TEST(RefhostTokenizerTest, AFinalPointEndsTheCommandWithoutAToken) {
    EXPECT_EQ(brief("SCAN a."), "2:0:SCAN 2:0:a");
    EXPECT_EQ(brief("SCAN a.  \n \t"), "2:0:SCAN 2:0:a");
    EXPECT_EQ(brief("x 5."), "2:0:x 3:0:5");
    EXPECT_EQ(brief("x 5.."), "2:0:x 3:0:5.");
    EXPECT_EQ(brief("a.."), "2:0:a.");
    EXPECT_EQ(brief("a.b c"), "2:0:a.b 2:0:c");
    EXPECT_EQ(brief("a . b"), "2:0:a 5:99:. 2:0:b");
    EXPECT_EQ(brief("."), "");
    EXPECT_EQ(brief(" .\n"), "");
    EXPECT_EQ(brief("TITLE 'The end."), "2:0:TITLE 4:0:The end");
    EXPECT_EQ(brief("TITLE 'The end.'"), "2:0:TITLE 4:0:The end.");
    EXPECT_EQ(TextTokenSequence("a b.").getTokenCount(), 2);
}

TEST(RefhostTokenizerTest, LinesCountFromTheFirstAndColumnsFromOne) {
    const std::vector<Tok> t = tokens("SCAN\n  VARS=a\tb\r\n\n/X", 10);
    ASSERT_EQ(t.size(), 7u);
    const long lines[] = {10, 11, 11, 11, 11, 13, 13};
    const int columns[] = {1, 3, 7, 8, 10, 1, 2};
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].line, lines[i]) << i;
        EXPECT_EQ(t[i].column, columns[i]) << i;
    }
}

TEST(RefhostTokenizerTest, WordsOfEveryScriptWithCharacterColumnsAndByteOffsets) {
    const std::string text = "SKETCH größe\t変数 o\u0308l ΆΛΦΑ kapı a€b 'ä''ö'.";
    TextTokenSequence s(text);
    struct Expected {
        int type;
        std::string text;
        std::string upper;
        int column;
        int endColumn;
        std::size_t offset;
    };
    const Expected expected[] = {
        {TS::StringToken, "SKETCH", "SKETCH", 1, 7, 0},
        {TS::StringToken, "größe", "GRÖSSE", 8, 13, 7},
        {TS::StringToken, "変数", "変数", 14, 16, 15},
        {TS::StringToken, "o\u0308l", "ÖL", 17, 20, 22},
        {TS::StringToken, "ΆΛΦΑ", "ΆΛΦΑ", 21, 25, 27},
        {TS::StringToken, "kapı", "KAPı", 26, 30, 36},
        {TS::StringToken, "a", "A", 31, 32, 42},
        {TS::OperatorToken, "€", "€", 32, 33, 43},
        {TS::StringToken, "b", "B", 33, 34, 46},
        {TS::LiteralToken, "ä'ö", "Ä'Ö", 35, 41, 48},
    };
    for (const Expected& e : expected) {
        ASSERT_TRUE(s.next()) << e.text;
        const Tok t = snapshot(s);
        EXPECT_EQ(t.type, e.type) << e.text;
        EXPECT_EQ(t.text, e.text);
        EXPECT_EQ(t.upper, e.upper);
        EXPECT_EQ(t.column, e.column) << e.text;
        EXPECT_EQ(s.getEndColumn(), e.endColumn) << e.text;
        EXPECT_EQ(s.getByteOffset(), e.offset) << e.text;
        EXPECT_EQ(t.code, e.type == TS::OperatorToken ? refhost::OtherOperator : 0);
    }
    EXPECT_FALSE(s.next());
    EXPECT_EQ(s.getByteOffset(), 0u);
    EXPECT_EQ(s.getEndColumn(), 0);
    EXPECT_TRUE(s.errors().empty());
}

TEST(RefhostTokenizerTest, InvalidUtf8IsReportedWhereItStandsAndTokenizingGoesOn) {
    // Latin-1 bytes in a word and in a literal, and a sequence cut short by the command's end.
    TextTokenSequence s("SKETCH gr\xF6\xDF" "e\n  'caf\xE9' \xE2\x82x\xC3.", 5);
    std::vector<std::string> texts;
    std::vector<int> columns;
    while (s.next()) {
        const Tok t = snapshot(s);
        texts.push_back(t.text);
        columns.push_back(t.column);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"SKETCH", "gr", "\xF6", "\xDF", "e", "caf\xE9",
                                               "\xE2\x82", "x", "\xC3"}));
    EXPECT_EQ(columns, (std::vector<int>{1, 8, 10, 11, 12, 3, 10, 11, 12}));
    const std::vector<refhost::TokenizerError>& errors = s.errors();
    ASSERT_EQ(errors.size(), 5u);
    const long lines[] = {5, 5, 6, 6, 6};
    const int errorColumns[] = {10, 11, 7, 10, 12};
    const std::size_t offsets[] = {9, 10, 19, 22, 25};
    for (std::size_t i = 0; i < errors.size(); ++i) {
        EXPECT_EQ(errors[i].line, lines[i]) << i;
        EXPECT_EQ(errors[i].column, errorColumns[i]) << i;
        EXPECT_EQ(errors[i].byteOffset, offsets[i]) << i;
    }
    EXPECT_EQ(errors[0].message, "invalid UTF-8 byte 0xF6");
    EXPECT_EQ(errors[3].message, "invalid UTF-8 byte 0xE2");
}

// Every token must be the bytes found at its byte offset (literals aside), on its line, at its
// column counted in characters, with its end column past its last character; upper texts are
// the host's for words and literals and ASCII-only for the others; an ill-formed sequence in
// the text is reported exactly when there is one.
void checkSane(const std::string& text) {
    TextTokenSequence s(text, 1);
    const int count = s.getTokenCount();
    ASSERT_LE(static_cast<std::size_t>(count), text.size());
    bool invalidUtf8 = false;
    for (const refhost::TokenizerError& error : s.errors()) {
        invalidUtf8 = invalidUtf8 || error.kind == refhost::TokenizerError::Kind::InvalidUtf8;
        ASSERT_TRUE(error.kind == refhost::TokenizerError::Kind::InvalidUtf8 ||
                    text[error.byteOffset] == '\'' || text[error.byteOffset] == '"');
    }
    ASSERT_EQ(!invalidUtf8, refhost::FindInvalidUtf8(text) == std::string::npos);
    std::vector<std::size_t> lineStarts{0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            lineStarts.push_back(i + 1);
        }
    }
    int seen = 0;
    while (s.next()) {
        ++seen;
        ASSERT_LE(seen, count);
        const Tok t = snapshot(s);
        ASSERT_GE(t.type, TS::StringToken);
        ASSERT_LE(t.type, TS::OperatorToken);
        ASSERT_GE(t.line, 1);
        ASSERT_LE(static_cast<std::size_t>(t.line), lineStarts.size());
        const std::size_t at = s.getByteOffset();
        const std::size_t lineStart = lineStarts[static_cast<std::size_t>(t.line - 1)];
        ASSERT_GE(at, lineStart);
        ASSERT_LT(at, text.size());
        ASSERT_EQ(static_cast<std::size_t>(t.column),
                  refhost::CountCharacters(text.substr(lineStart, at - lineStart)) + 1);
        ASSERT_EQ(static_cast<std::size_t>(s.getEndColumn()),
                  t.column + refhost::CountCharacters(text.substr(at, s.getByteLength())));
        if (t.type == TS::LiteralToken) {
            ASSERT_TRUE(text[at] == '\'' || text[at] == '"');
            ASSERT_LE(t.text.size(), text.size() - at);
        } else {
            ASSERT_FALSE(t.text.empty());
            ASSERT_EQ(s.getByteLength(), t.text.size());
            ASSERT_EQ(text.compare(at, t.text.size(), t.text), 0) << "token " << seen;
        }
        if (t.type == TS::StringToken || t.type == TS::LiteralToken) {
            ASSERT_EQ(t.upper, refhost::UpperCase(t.text));
        } else {
            ASSERT_EQ(t.upper.size(), t.text.size());
        }
    }
    ASSERT_EQ(seen, count);
    ASSERT_TRUE(s.atEnd());
}

TEST(RefhostTokenizerTest, EveryByteAloneAndInContextIsHandled) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        SCOPED_TRACE(b);
        checkSane(byte);
        checkSane("a" + byte + "1");
        checkSane("x " + byte + "'" + byte + "'" + byte + "-" + byte + ".");
        checkSane(byte + byte + "\n" + byte + ".5e" + byte);
    }
}

TEST(RefhostTokenizerTest, RandomBytesAlwaysTerminateWithSaneTokens) {
    std::mt19937 random(20240531);
    const std::string alphabet = "aZ09._-+eE.'\"=<>~/()[];, \t\r\n\x80\xff@#$";
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 64, '\0');
        for (char& c : text) {
            c = (random() % 2 == 0) ? alphabet[random() % alphabet.size()]
                                    : static_cast<char>(random() % 256);
        }
        SCOPED_TRACE(round);
        checkSane(text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(RefhostTokenizerTest, AMillionTokensAreAllReachable) {
    std::string text = "INSPECT";
    const std::string chunk = " v1 TO v99 = ( 1.5 'it''s' ) /\n";  // 9 tokens
    const int repeats = 1000000 / 9 + 1;
    text.reserve(chunk.size() * repeats + 16);
    for (int i = 0; i < repeats; ++i) {
        text += chunk;
    }
    text += ".";
    TextTokenSequence s(std::move(text));
    int count = 0;
    double sum = 0;
    while (s.next()) {
        ++count;
        sum += s.getNumeric();
    }
    EXPECT_EQ(count, 1 + 9 * repeats);
    EXPECT_DOUBLE_EQ(sum, 1.5 * repeats);
    EXPECT_TRUE(s.setPosition(count));
    EXPECT_EQ(s.getLineNumber(), repeats);
}

}  // namespace
