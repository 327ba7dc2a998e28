// The reference host's UTF-8 code page: reading characters, case rules in several scripts, and
// the agreement between the library's upper-cased comparisons and the dictionary's look-ups.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "refhost/Dictionary.h"
#include "refhost/TextTokenSequence.h"
#include "refhost/UnicodeText.h"
#include "uparser/ParserUtility.h"
#include "uparser/host/MBString.h"
#include "uparser/host/VarName.h"

namespace {

constexpr std::size_t npos = std::string::npos;

struct Utf8Row {
    std::string bytes;
    std::size_t firstInvalid;
    std::size_t characters;
};

// The check reads eight bytes at a time: a byte beyond ASCII is found in the first word, a
// later one or the bytes after the last whole word, and DEL is still ASCII.
TEST(RefhostUnicodeTest, AByteBeyondAsciiIsFoundWhereverItStands) {
    EXPECT_TRUE(refhost::IsAscii(""));
    for (std::size_t size = 1; size <= 20; ++size) {
        const std::string ascii(size, '\x7F');
        EXPECT_TRUE(refhost::IsAscii(ascii)) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string text = ascii;
            text[at] = '\x80';
            EXPECT_FALSE(refhost::IsAscii(text)) << size << " bytes, at " << at;
        }
    }
}

TEST(RefhostUnicodeTest, IllFormedSequencesAreFoundAndCountAsOneCharacterEach) {
    const Utf8Row rows[] = {
        {"abc", npos, 3},
        {"\xC3\xA9t\xC3\xA9", npos, 3},           // été
        {"\xF0\x9F\x98\x80", npos, 1},            // a four-byte character
        {"\xE9t\xE9", 0, 3},                      // Latin-1 été
        {"a\xE2\x82" "A", 1, 3},                  // a cut three-byte sequence, then A
        {"\xF0\x9F\x98", 0, 1},                   // cut off by the end of the text
        {"\xED\xA0\x80", 0, 3},                   // a surrogate
        {"\xC0\xAF", 0, 2},                       // overlong "/"
        {"\xE0\x80\xAF", 0, 3},                   // overlong, three bytes
        {"\xF4\x90\x80\x80", 0, 4},               // above U+10FFFF
        {"ok\x80", 2, 3},                         // a stray continuation byte
        {"\xFF\xFE", 0, 2},
    };
    for (const Utf8Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.bytes));
        EXPECT_EQ(refhost::FindInvalidUtf8(row.bytes), row.firstInvalid);
        EXPECT_EQ(refhost::CountCharacters(row.bytes), row.characters);
        EXPECT_EQ(refhost::Characters(row.bytes).size(), row.characters);
    }
    EXPECT_EQ(refhost::ReadUtf8("\xE2\x82\xAC", 0).code, U'\u20AC');
    EXPECT_EQ(refhost::DescribeInvalidUtf8("x\xE9", 1), "invalid UTF-8 byte 0xE9");
    const refhost::TextPosition at = refhost::PositionOf("ab\n\t\xC3\xB6\xE9", 6);
    EXPECT_EQ(at.line, 2);
    EXPECT_EQ(at.column, 3);
}

// One row: two spellings and whether they are one name.
struct CaseRow {
    const char* script;
    std::string a;
    std::string b;
    bool same;
};

const CaseRow kCaseRows[] = {
    {"latin", "öl", "ÖL", true},
    {"latin", "Ärger", "ÄRGER", true},
    {"latin", "größe", "GRÖSSE", true},
    {"latin", "größe", "Größe", true},
    {"latin", "GrÖßE", "grösse", true},
    {"latin", "o\u0308l", "öl", true},  // combining diaeresis against the precomposed letter
    {"latin", "O\u0308L", "öl", true},
    {"latin", "öl", "ol", false},
    {"latin", "ärger", "arger", false},
    {"greek", "άλφα", "ΆΛΦΑ", true},
    {"greek", "α\u0301λφα", "Άλφα", true},
    {"greek", "λόγος", "ΛΌΓΟΣ", true},  // final sigma
    {"greek", "λόγος", "λόγοσ", true},
    {"greek", "ΑΛΦΑ", "άλφα", false},  // the tonos is an accent, not case
    {"cyrillic", "имя", "ИМЯ", true},
    {"cyrillic", "Имя", "иМЯ", true},
    {"cyrillic", "ёлка", "ЁЛКА", true},
    {"cyrillic", "е\u0308лка", "ЁЛКА", true},
    {"cyrillic", "имя", "ймя", false},
    {"cjk", "変数", "変数", true},
    {"cjk", "変数", "変量", false},
    {"cjk", "ｖａｒ", "ＶＡＲ", true},  // full-width letters have case
    {"cjk", "ｖａｒ", "var", false},   // but are not ASCII letters
    {"turkish", "kapi", "KAPI", true},
    {"turkish", "kapı", "KAPI", false},  // dotless i folds to itself
    {"turkish", "kapı", "kapi", false},
    {"turkish", "ılık", "ılık", true},
    {"turkish", "İstanbul", "i\u0307stanbul", true},
    {"turkish", "İSTANBUL", "i\u0307stanbul", true},
    {"turkish", "İstanbul", "istanbul", false},
};

// Whatever compares the names, the library through the host's upper-casing or the dictionary
// through its index, must come to the same answer as the case folding that defines a name.
TEST(RefhostUnicodeTest, EveryComparisonAgreesWithCaseFolding) {
    for (const CaseRow& row : kCaseRows) {
        SCOPED_TRACE(std::string(row.script) + ": " + row.a + " / " + row.b);
        EXPECT_EQ(refhost::FoldCase(row.a) == refhost::FoldCase(row.b), row.same);
        EXPECT_EQ(refhost::UpperCase(row.a) == refhost::UpperCase(row.b), row.same);
        EXPECT_EQ(AreStringsEqualCase(row.a, row.b), row.same);
        EXPECT_EQ(TAVOMBstrnccmp_A(row.a.c_str(), row.b.c_str(),
                                   std::max(row.a.size(), row.b.size())) == 0,
                  row.same);
        const std::string upper = refhost::UpperCase(row.a);
        EXPECT_EQ(refhost::UpperCase(upper), upper);

        refhost::Dictionary d;
        d.addNumeric("x");
        ASSERT_EQ(d.addNumeric(row.a), 1);
        EXPECT_EQ(d.FindVarIndex(row.b.c_str()), row.same ? 1 : -1);
        EXPECT_EQ(d.addNumeric(row.b), row.same ? -1 : 2);
    }
}

TEST(RefhostUnicodeTest, UpperCaseFormsAndTheRuleForFormsThatDoNotFit) {
    const std::pair<std::string, std::string> forms[] = {
        {"größe", "GRÖSSE"}, {"άλφα", "ΆΛΦΑ"},   {"имя", "ИМЯ"},
        {"o\u0308l", "ÖL"},  {"kapı", "KAPı"},   {"i\u0307", "İ"},
        {"変数", "変数"},    {"ǆemal", "ǄEMAL"}, {"x\xE9y", "X\xE9Y"},
    };
    for (const auto& [text, upper] : forms) {
        EXPECT_EQ(refhost::UpperCase(text), upper) << text;
        EXPECT_EQ(GetUpperString(text), upper) << text;  // in place: these fit
    }
    // A capital longer than its letter cannot replace it in place: the letter stays, the rest
    // is upper-cased all the same. "ſ" becomes a shorter "S".
    EXPECT_EQ(refhost::UpperCase("ɐb"), "ⱯB");
    EXPECT_EQ(GetUpperString("ɐb"), "ɐB");
    EXPECT_EQ(GetUpperString("և"), "և");
    EXPECT_EQ(GetUpperString("ſ"), "S");
    char buffer[] = "\xC9\x90z";  // ɐz, with no byte to spare
    EXPECT_STREQ(TAVOMBstrupr_A(buffer), "\xC9\x90Z");
}

TEST(RefhostUnicodeTest, TrimmingTakesUnicodeSpacesButNotBadBytes) {
    EXPECT_EQ(TrimString("\u00A0 größe\u3000\t"), "größe");
    EXPECT_EQ(TrimString("\u2003a b\u2028"), "a b");
    EXPECT_EQ(TrimString(" \xA0x "), "\xA0x");
    EXPECT_EQ(TrimString("\u3000"), "");
}

TEST(RefhostUnicodeTest, CommandNamesCompareByteLengthsOfUpperCasedText) {
    const std::pair<const char*, const char*> matches[] = {
        {"öl", "ÖL x"}, {"ÖL", "ölen"}, {"größe", "GRÖSSE"}, {"GRÖSSE", "größe"}, {"имя", "ИМЯ"}};
    for (const auto& [name, text] : matches) {
        refhost::TextTokenSequence stream(text);
        EXPECT_TRUE(CheckCommandName(name, stream)) << name << " in " << text;
    }
    refhost::TextTokenSequence dotless("KAPI");
    EXPECT_FALSE(CheckCommandName("kapı", dotless));
    refhost::TextTokenSequence shorter("Ö");
    EXPECT_FALSE(CheckCommandName("öl", shorter));
}

TEST(RefhostUnicodeTest, NamesBeginWithALetterOfAnyScript) {
    const std::string thirtyTwoAccents = [] {
        std::string name;
        for (int i = 0; i < 32; ++i) {
            name += "é";
        }
        return name;
    }();
    for (const std::string& name :
         {std::string("größe"), std::string("変数"), std::string("άλφα"), std::string("имя"),
          std::string("o\u0308l"), std::string("x\u0661"), std::string("ılık"),
          std::string("@ö"), thirtyTwoAccents}) {
        EXPECT_EQ(ValidateTAVOName(name.c_str()), 0) << name;
    }
    for (const std::string& name :
         {std::string("\u0308o"), std::string("1変"), std::string("a€"), std::string("€"),
          std::string("\u00A0a"), std::string("\xC3"), std::string("\xE9t\xE9"),
          std::string("a\xC0\xAF"), std::string("\xED\xA0\x80"), std::string("ı."),
          thirtyTwoAccents + "e"}) {
        EXPECT_NE(ValidateTAVOName(name.c_str()), 0) << name;
    }
}

}  // namespace
