#include <gtest/gtest.h>

#include <string>

#include "refhost/ReservedWords.h"
#include "uparser/host/MBString.h"
#include "uparser/host/VarName.h"

namespace {

TEST(RefhostVarNameTest, AcceptsHostNames) {
    const std::string longest(64, 'v');
    for (const std::string& name :
         {std::string("a"), std::string("A1"), std::string("@x"), std::string("#x"),
          std::string("$x"), std::string("x.y"), std::string("x_y"),
          std::string("\xC3\xA9t\xC3\xA9"), std::string("TOO"), std::string("alls"),
          std::string("to_"), longest}) {
        EXPECT_EQ(ValidateTAVOName(name.c_str()), 0) << name;
    }
}

TEST(RefhostVarNameTest, RefusesBadNamesAndReservedWordsInAnyCase) {
    EXPECT_NE(ValidateTAVOName(nullptr), 0);
    const std::string tooLong(65, 'v');
    for (const std::string& name :
         {std::string(""),     tooLong,           std::string("1a"),  std::string("_a"),
          std::string(".a"),   std::string("a."), std::string("a b"), std::string("a-b"),
          std::string("a'"),   std::string("TO"), std::string("to"),  std::string("All"),
          std::string("with"), std::string("BY"), std::string("and"), std::string("Or"),
          std::string("NOT"),  std::string("eq"), std::string("ne"),  std::string("lt"),
          std::string("le"),   std::string("gt"), std::string("GE")}) {
        EXPECT_NE(ValidateTAVOName(name.c_str()), 0) << name;
    }
}

// The verdict is the first finding in reading order: length, then each character (an ASCII
// run judged at once, then the rest one by one), then the final ".", then reserved words.
TEST(RefhostVarNameTest, VerdictIsTheFirstFindingWhereverTheTextLeavesAscii) {
    const struct {
        std::string name;
        int verdict;
    } cases[] = {
        {std::string(65, '-'), 1},
        {"-\xC3\xA9", 2},
        {"\xC3\xA9-", 3},
        {"a-\xFF", 3},
        {"a\xFF-", 6},
        {"1\xFF", 2},
        {"\xE2\x82\xAC", 2},
        {"a\xE2\x82\xAC", 3},
        {"\xC3\xA9t\xC3\xA9.", 4},
        {"x\xC3\xA9-", 3},
        {"#\xC3\xA9_1", 0},
        {"by", 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidateTAVOName(c.name.c_str()), c.verdict) << c.name;
    }
}

TEST(RefhostReservedWordsTest, ExtraCodesNeverCollideWithTheFixedOnes) {
    const int fixed[] = {0, 3, 10, 11, 13, 14, 17, 30, 31, 34, 35, 36, 37};
    const int extra[] = {
        refhost::AndWord,  refhost::OrWord,       refhost::NotWord,   refhost::EqWord,
        refhost::NeWord,   refhost::LtWord,       refhost::LeWord,    refhost::GtWord,
        refhost::GeWord,   refhost::Comma,        refhost::Plus,      refhost::Minus,
        refhost::Less,     refhost::Greater,      refhost::LessEqual, refhost::GreaterEqual,
        refhost::NotEqual, refhost::TildeEqual,   refhost::Ampersand, refhost::Bar,
        refhost::Colon,    refhost::OtherOperator};
    for (int code : extra) {
        for (int f : fixed) {
            EXPECT_NE(code, f);
        }
    }
    EXPECT_EQ(refhost::ReservedWordCode("wItH", 4), TokenSequenceBase::WithWord);
    EXPECT_EQ(refhost::ReservedWordCode("TOx", 2), TokenSequenceBase::ToWord);
    EXPECT_EQ(refhost::ReservedWordCode("TOx", 3), 0);
    EXPECT_EQ(refhost::ReservedWordCode(nullptr, 2), 0);
    // A word is told by its bytes and its length together: a NUL or a letter beyond ASCII
    // before or after a reserved word's letters makes another word.
    EXPECT_EQ(refhost::ReservedWordCode(std::string("\0TO", 3).c_str(), 3), 0);
    EXPECT_EQ(refhost::ReservedWordCode(std::string("BY\0", 3).c_str(), 3), 0);
    EXPECT_EQ(refhost::ReservedWordCode("\xC3\xA0LL", 4), 0);
    EXPECT_EQ(refhost::ReservedWordCode("gE", 2), refhost::GeWord);
    EXPECT_EQ(refhost::ReservedWordCode("All", 3), TokenSequenceBase::AllWord);
}

// é becomes É; the lone byte 0xE9 is not UTF-8 and stays as it is.
TEST(RefhostMBStringTest, UpperCasesLettersInPlaceAndKeepsBadBytes) {
    char text[] = "abc xyz-09_\xC3\xA9\xE9";
    EXPECT_EQ(TAVOMBstrupr_A(text), text);
    EXPECT_STREQ(text, "ABC XYZ-09_\xC3\x89\xE9");
    char empty[] = "";
    EXPECT_STREQ(TAVOMBstrupr_A(empty), "");
    EXPECT_EQ(TAVOMBstrupr_A(nullptr), nullptr);
}

TEST(RefhostMBStringTest, TrimsBlanksOnBothSides) {
    char text[] = " \t abc  def \r\n";
    char* trimmed = TAVOMBstrtrim_A(text);
    EXPECT_GE(trimmed, text);
    EXPECT_LT(trimmed, text + sizeof text);
    EXPECT_STREQ(trimmed, "abc  def");
    char blank[] = "   ";
    EXPECT_STREQ(TAVOMBstrtrim_A(blank), "");
    char none[] = "x";
    EXPECT_EQ(TAVOMBstrtrim_A(none), none);
    EXPECT_EQ(TAVOMBstrtrim_A(nullptr), nullptr);
}

TEST(RefhostMBStringTest, ComparesTheFirstNCharactersIgnoringCase) {
    EXPECT_EQ(TAVOMBstrnccmp_A("ABC", "abc", 3), 0);
    EXPECT_EQ(TAVOMBstrnccmp_A("ABC", "abcdef", 3), 0);
    EXPECT_NE(TAVOMBstrnccmp_A("ABC", "abcdef", 4), 0);
    EXPECT_NE(TAVOMBstrnccmp_A("ABC", "AB", 3), 0);
    EXPECT_LT(TAVOMBstrnccmp_A("ABC", "ABD", 3), 0);
    EXPECT_GT(TAVOMBstrnccmp_A("b", "A", 1), 0);
    EXPECT_EQ(TAVOMBstrnccmp_A("ab", "ab", 50), 0);  // stops at the terminator
    EXPECT_NE(TAVOMBstrnccmp_A("\xE9", "\xC9", 1), 0);
    EXPECT_EQ(TAVOMBstrnccmp_A("x", "y", 0), 0);
    EXPECT_NE(TAVOMBstrnccmp_A(nullptr, "y", 1), 0);
    EXPECT_NE(TAVOMBstrnccmp_A("y", nullptr, 1), 0);
}

}  // namespace
