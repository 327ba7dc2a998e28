#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "refhost/ValueConversion.h"
#include "uparser/host/DataSource.h"

namespace {

constexpr uint8_t kA = 1;
constexpr uint8_t kAHex = 2;
constexpr uint8_t kF = 5;

// Writes through a buffer with guard bytes after width + 1 and reports any write past it.
std::string write(double value, uint16_t width, uint8_t decimals, long* result = nullptr) {
    std::vector<char> buffer(width + 1 + 16, '#');
    OBS cell{};
    cell.f = value;
    const long code = ToString(&cell, TAVO_Format{width, kF, decimals}, buffer.data());
    if (result != nullptr) {
        *result = code;
    }
    for (std::size_t i = width + 1; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], '#') << "ToString wrote past width + 1 at " << i;
    }
    return std::string(buffer.data());
}

// Reads the text padded (or cut) to exactly width characters.
long read(std::string text, uint16_t width, uint8_t decimals, double& value) {
    text.resize(width, ' ');
    OBS cell{};
    cell.f = 12345.0;
    const long code = FromString(text.data(), TAVO_Format{width, kF, decimals}, &cell);
    value = cell.f;
    return code;
}

class RefhostConversionTest : public ::testing::Test {
  protected:
    void TearDown() override { refhost::SetDecimalCharacter('.'); }
};

TEST_F(RefhostConversionTest, WritesNumbersRightAlignedWithTheDecimalCharacter) {
    EXPECT_EQ(write(1.1, 3, 1), "1.1");
    EXPECT_EQ(write(3.14159, 8, 2), "    3.14");
    EXPECT_EQ(write(-2.5, 6, 1), "  -2.5");
    EXPECT_EQ(write(42, 5, 0), "   42");
    EXPECT_EQ(write(2.675, 6, 1), "   2.7");
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    EXPECT_EQ(refhost::GetDecimalCharacter(), ',');
    EXPECT_EQ(write(1.1, 3, 1), "1,1");
    EXPECT_EQ(write(-1234.5, 9, 2), " -1234,50");
}

TEST_F(RefhostConversionTest, NegativeZeroAfterRoundingIsWrittenAsZero) {
    EXPECT_EQ(write(-0.001, 5, 2), " 0.00");
    EXPECT_EQ(write(-0.0, 3, 0), "  0");
    EXPECT_EQ(write(-0.006, 5, 2), "-0.01");
}

TEST_F(RefhostConversionTest, NumbersThatDoNotFitLoseDecimalsThenBecomeAsterisks) {
    long code = -7;
    EXPECT_EQ(write(123456.78, 8, 2, &code), "123456.8");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(write(99.96, 4, 2), " 100");  // rounding to one decimal adds a digit
    EXPECT_EQ(write(1.5, 3, 255), "1.5");
    EXPECT_EQ(write(1e10, 8, 2, &code), "********");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(write(-100, 3, 0), "***");
    EXPECT_EQ(write(std::numeric_limits<double>::infinity(), 4, 0, &code), "****");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(write(std::nan(""), 2, 0), "**");
    EXPECT_EQ(write(1.7e308, 40, 2), std::string(40, '*'));
    EXPECT_EQ(write(1.7e308, 400, 20).size(), 400u);
    EXPECT_EQ(write(5, 0, 0), "");
}

TEST_F(RefhostConversionTest, SystemMissingIsWrittenAsAPointAndReadFromBlanks) {
    EXPECT_EQ(write(refhost::kSystemMissing, 6, 2), "     .");
    EXPECT_EQ(refhost::kSystemMissing, std::numeric_limits<double>::lowest());
    double value = 0;
    EXPECT_EQ(read("", 8, 2, value), 0);
    EXPECT_EQ(value, refhost::kSystemMissing);
    EXPECT_EQ(read(" \t ", 3, 0, value), 0);
    EXPECT_EQ(value, refhost::kSystemMissing);
    EXPECT_EQ(read("", 0, 0, value), 0);
    EXPECT_EQ(value, refhost::kSystemMissing);
}

TEST_F(RefhostConversionTest, ReadsSignsFractionsAndExponents) {
    struct Case {
        const char* text;
        uint8_t decimals;
        double expected;
    };
    const Case cases[] = {
        {"  12.5 ", 2, 12.5}, {"-.5", 0, -0.5},  {"+3", 0, 3.0},     {"1e3", 0, 1000.0},
        {"2.5E-2", 0, 0.025}, {"12.", 2, 12.0},  {"007", 0, 7.0},    {"-0", 0, 0.0},
        {"1e-999", 0, 0.0},   {"0e999", 0, 0.0}, {"1E+2", 0, 100.0}, {"3.25e1", 3, 32.5},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(read(c.text, 40, c.decimals, value), 0) << c.text;
        EXPECT_DOUBLE_EQ(value, c.expected) << c.text;
    }
}

// Digits written without the decimal character carry the format's decimals; an exponent
// then scales that value.
TEST_F(RefhostConversionTest, DigitsWithoutDecimalCharacterCarryImpliedDecimals) {
    double value = 0;
    EXPECT_EQ(read("12", 8, 2, value), 0);
    EXPECT_DOUBLE_EQ(value, 0.12);
    EXPECT_EQ(read("-12345", 8, 3, value), 0);
    EXPECT_DOUBLE_EQ(value, -12.345);
    EXPECT_EQ(read("12e1", 8, 2, value), 0);
    EXPECT_DOUBLE_EQ(value, 1.2);
    EXPECT_EQ(read("12", 8, 0, value), 0);
    EXPECT_DOUBLE_EQ(value, 12.0);
}

TEST_F(RefhostConversionTest, RejectsTextThatIsNotANumber) {
    const char* bad[] = {"abc", "1 2",  "1e",  "e5",  ".",   "-",   "+-1", "1.2.3",
                         "1,5", "0x10", "inf", "nan", "1e+", "--1", "1-",  "1e999"};
    for (const char* text : bad) {
        double value = 0;
        EXPECT_NE(read(text, 20, 0, value), 0) << text;
        EXPECT_EQ(value, 12345.0) << "a failed read must not store: " << text;
    }
}

TEST_F(RefhostConversionTest, ReadsOnlyTheConfiguredDecimalCharacter) {
    ASSERT_TRUE(refhost::SetDecimalCharacter(','));
    double value = 0;
    EXPECT_EQ(read("1,5", 8, 2, value), 0);
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_NE(read("1.5", 8, 2, value), 0);
    for (char refused : {'5', ' ', '-', '+', 'e', 'E', '\0'}) {
        EXPECT_FALSE(refhost::SetDecimalCharacter(refused)) << int(refused);
    }
    EXPECT_EQ(refhost::GetDecimalCharacter(), ',');
}

TEST_F(RefhostConversionTest, NumbersSurviveARoundTrip) {
    const double values[] = {0.0, 1.25, -1.25, 1234.5, -0.75, 99999.99, 1e-2, 3.0};
    for (char decimal : {'.', ','}) {
        ASSERT_TRUE(refhost::SetDecimalCharacter(decimal));
        for (double v : values) {
            double back = 0;
            EXPECT_EQ(read(write(v, 12, 2), 12, 2, back), 0) << v;
            EXPECT_DOUBLE_EQ(back, v) << v << " with " << decimal;
        }
    }
}

TEST_F(RefhostConversionTest, NulEndsTheTextEarly) {
    double value = 0;
    EXPECT_EQ(read(std::string("12\0xyz", 6), 6, 0, value), 0);
    EXPECT_DOUBLE_EQ(value, 12.0);
    EXPECT_EQ(read(std::string("\0"
                               "99",
                               3),
                   3, 0, value),
              0);
    EXPECT_EQ(value, refhost::kSystemMissing);
}

TEST_F(RefhostConversionTest, StringsArePaddedToWholeCells) {
    OBS cells[2];
    std::memset(cells, 'x', sizeof cells);
    ASSERT_EQ(FromString("ab        ", TAVO_Format{10, kA, 0}, cells), 0);
    EXPECT_EQ(std::string(cells[0].s, 8) + std::string(cells[1].s, 8), "ab" + std::string(14, ' '));
    char out[11];
    ASSERT_EQ(ToString(cells, TAVO_Format{10, kA, 0}, out), 0);
    EXPECT_EQ(std::string(out), "ab        ");

    OBS one;
    ASSERT_EQ(FromString("a\0zz", TAVO_Format{4, kA, 0}, &one), 0);
    EXPECT_EQ(std::string(one.s, 8), "a       ");
}

TEST_F(RefhostConversionTest, HexStringsReadAndWritePairsOfDigits) {
    OBS cell;
    ASSERT_EQ(FromString("41a2  ", TAVO_Format{6, kAHex, 0}, &cell), 0);
    EXPECT_EQ(std::string(cell.s, 8), "A\xA2      ");
    char out[7];
    ASSERT_EQ(ToString(&cell, TAVO_Format{6, kAHex, 0}, out), 0);
    EXPECT_EQ(std::string(out), "41A220");
    ASSERT_EQ(ToString(&cell, TAVO_Format{5, kAHex, 0}, out), 0);
    EXPECT_EQ(std::string(out), "41A2 ");

    EXPECT_NE(FromString("414", TAVO_Format{3, kAHex, 0}, &cell), 0);
    EXPECT_NE(FromString("4G", TAVO_Format{2, kAHex, 0}, &cell), 0);
    EXPECT_NE(FromString(" 41", TAVO_Format{3, kAHex, 0}, &cell), 0);
}

TEST_F(RefhostConversionTest, UnknownFormatsAndNullArgumentsFailCleanly) {
    OBS cell{};
    cell.f = 1.0;
    char out[9];
    std::memset(out, '#', sizeof out);
    EXPECT_NE(ToString(&cell, TAVO_Format{8, 9, 0}, out), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out[1], '#');
    EXPECT_NE(FromString("12345678", TAVO_Format{8, 0, 0}, &cell), 0);
    EXPECT_EQ(cell.f, 1.0);
    EXPECT_NE(ToString(nullptr, TAVO_Format{8, kF, 2}, out), 0);
    EXPECT_NE(ToString(&cell, TAVO_Format{8, kF, 2}, nullptr), 0);
    EXPECT_NE(FromString(nullptr, TAVO_Format{8, kF, 2}, &cell), 0);
    EXPECT_NE(FromString("1", TAVO_Format{1, kF, 0}, nullptr), 0);
}

TEST_F(RefhostConversionTest, ReadNumberIsThePlainReadingWithoutImpliedDecimals) {
    double value = 0;
    EXPECT_TRUE(refhost::ReadNumber(" 12 ", '.', value));
    EXPECT_DOUBLE_EQ(value, 12.0);
    EXPECT_TRUE(refhost::ReadNumber("1,5", ',', value));
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_FALSE(refhost::ReadNumber("", '.', value));
    EXPECT_FALSE(refhost::ReadNumber("  ", '.', value));
    EXPECT_FALSE(refhost::ReadNumber("12a", '.', value));
}

// Short numbers take a quicker road than long ones and those with exponents; every road must
// give the correctly rounded double that strtod gives, signed zeros included.
TEST_F(RefhostConversionTest, ReadNumberRoundsShortAndLongNumbersAlike) {
    const char* const texts[] = {"0.1", "0.0001", "-0", "-0.0", "+7", "5.", ".5", "-.25",
                                 "123456789012345", "1234567890123456", "0.123456789012345",
                                 "9007199254740993", "3.14159265358979", "2.5E-2", "1e3",
                                 "000000000000000000001", "0.30000000000000004", "99999999999999.9"};
    for (const char* text : texts) {
        double value = 42;
        ASSERT_TRUE(refhost::ReadNumber(text, '.', value)) << text;
        const double expected = std::strtod(text, nullptr);
        EXPECT_EQ(value, expected) << text;
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    }
    double value = 42;
    EXPECT_FALSE(refhost::ReadNumber("-", '.', value));
    EXPECT_FALSE(refhost::ReadNumber("1.2.3", '.', value));
    EXPECT_FALSE(refhost::ReadNumber("1,5", '.', value));
    EXPECT_EQ(value, 42);
}

// Short numbers are written by scaling, the rest by the general path; both must round the
// exact binary value as printf does, ties and near-ties included, negative zero as zero;
// reading the text back gives the double strtod gives.
TEST_F(RefhostConversionTest, WritingRoundsTheExactValueOnEveryPath) {
    std::vector<double> values = {0.125,  0.375, 2.675, 1.005,    -0.05, -0.04, 0.5, 1.5,
                                   2.5,    1e11,  1e12,  999999.5, 123456.789e6, -7.0,
                                   0.1 + 0.2, 5e-10, 4.35, 1.0 / 3};
    std::srand(21);
    for (int i = 0; i < 2000; ++i) {
        const double scale = std::pow(10.0, std::rand() % 14 - 4);
        values.push_back((std::rand() - RAND_MAX / 2) / static_cast<double>(RAND_MAX) * scale);
    }
    for (const double value : values) {
        for (int decimals = 0; decimals <= 12; decimals += 1 + decimals / 4) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%40.*f", decimals, value);
            std::string text(expected);
            const std::size_t minus = text.find('-');
            if (minus != std::string::npos &&
                text.find_first_not_of("0.", minus + 1) == std::string::npos) {
                text[minus] = ' ';
            }
            EXPECT_EQ(write(value, 40, static_cast<uint8_t>(decimals)), text)
                << value << " with " << decimals;
            double back = 0;
            EXPECT_EQ(read(text, 40, static_cast<uint8_t>(decimals), back), 0) << text;
            EXPECT_EQ(back, std::strtod(text.c_str(), nullptr)) << text;
            // Left-aligned, as a value padded to its field's width is handed over.
            const std::string left = text.substr(text.find_first_not_of(' ')) + "\t";
            EXPECT_EQ(read(left, 40, static_cast<uint8_t>(decimals), back), 0) << left;
            EXPECT_EQ(back, std::strtod(text.c_str(), nullptr)) << left;
        }
    }
}

}  // namespace
