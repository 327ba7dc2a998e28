#include "refhost/ValueConversion.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "uparser/host/DataSource.h"

namespace refhost {

namespace {

// Host-wide setting, as a real host's number formatting is.
char gDecimalCharacter = '.';

constexpr uint8_t kFormatA = 1;
constexpr uint8_t kFormatAHex = 2;
constexpr uint8_t kFormatF = 5;

// A decimal exponent beyond any double; larger written exponents are clamped to it so that
// adding the implied decimals cannot overflow an int.
constexpr long kExponentClamp = 100000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

enum class NumberStatus { Ok, Blank, Bad };

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A number of at most 15 digits with no exponent and no blanks, as nearly every number in
// syntax is: its digits are an exact double and so is the power of ten, so one division gives
// the correctly rounded value, the same one from_chars reads. Anything else answers false.
bool readShortDecimal(std::string_view text, char decimalCharacter, double& value) {
    constexpr int kMostDigits = 15;
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++at;
    }
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (isDigit(c)) {
            if (++count > kMostDigits) {
                return false;
            }
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            decimals += point ? 1 : 0;
        } else if (c == decimalCharacter && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (count == 0) {
        return false;
    }
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

// The grammar of a numeric field: [sign] digits [dec digits] [e [sign] digits], where the
// mantissa has at least one digit. impliedDecimals scales a mantissa written without the
// decimal character.
NumberStatus parseNumber(const char* begin, const char* end, char decimalCharacter,
                         int impliedDecimals, double& value) {
    while (begin < end && isBlank(*begin)) {
        ++begin;
    }
    // A field is padded to its width with spaces: they go eight at a time.
    while (end - begin >= 8 && std::memcmp(end - 8, "        ", 8) == 0) {
        end -= 8;
    }
    while (end > begin && isBlank(end[-1])) {
        --end;
    }
    if (begin == end) {
        return NumberStatus::Blank;
    }
    // Most fields hold a short plain number; implied decimals apply only without the point.
    const std::string_view field(begin, static_cast<std::size_t>(end - begin));
    if ((impliedDecimals <= 0 || field.find(decimalCharacter) != std::string_view::npos) &&
        readShortDecimal(field, decimalCharacter, value)) {
        return NumberStatus::Ok;
    }

    std::string normal;  // mantissa with "." and an explicit exponent, for from_chars
    normal.reserve(static_cast<std::size_t>(end - begin) + 12);
    const char* p = begin;
    if (*p == '+' || *p == '-') {
        if (*p == '-') {
            normal.push_back('-');
        }
        ++p;
    }
    long integerDigits = 0;
    long leadingZeros = 0;  // zeros before the first significant digit, both parts together
    bool significantSeen = false;
    long mantissaDigits = 0;
    for (; p < end && isDigit(*p); ++p) {
        normal.push_back(*p);
        ++integerDigits;
        ++mantissaDigits;
        if (*p != '0') {
            significantSeen = true;
        } else if (!significantSeen) {
            ++leadingZeros;
        }
    }
    bool decimalSeen = false;
    if (p < end && *p == decimalCharacter) {
        decimalSeen = true;
        normal.push_back('.');
        for (++p; p < end && isDigit(*p); ++p) {
            normal.push_back(*p);
            ++mantissaDigits;
            if (*p != '0') {
                significantSeen = true;
            } else if (!significantSeen) {
                ++leadingZeros;
            }
        }
    }
    if (mantissaDigits == 0) {
        return NumberStatus::Bad;
    }
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        if (p == end || !isDigit(*p)) {
            return NumberStatus::Bad;
        }
        for (; p < end && isDigit(*p); ++p) {
            if (exponent < kExponentClamp) {
                exponent = exponent * 10 + (*p - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    if (p != end) {
        return NumberStatus::Bad;
    }
    if (!decimalSeen && impliedDecimals > 0) {
        exponent -= impliedDecimals;
    }
    if (exponent != 0) {
        normal.push_back('e');
        normal += std::to_string(exponent);
    }

    double result = 0.0;
    const auto [last, error] = std::from_chars(normal.data(), normal.data() + normal.size(), result,
                                               std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (!significantSeen) {
            result = 0.0;
        } else {
            // The power of ten of the first significant digit tells overflow from underflow.
            const long magnitude = integerDigits - leadingZeros + exponent;
            if (magnitude > 0) {
                return NumberStatus::Bad;
            }
            result = 0.0;
        }
        if (normal[0] == '-') {
            result = -result;
        }
    } else if (error != std::errc() || last != normal.data() + normal.size()) {
        return NumberStatus::Bad;
    }
    value = result;
    return NumberStatus::Ok;
}

// The text to_chars writes for value with the given decimals, when the product of the
// magnitude by a power of ten is so far from a tie that rounding it cannot differ from rounding
// the exact value: most numbers a host formats. Its length, or 0 for the general path.
std::size_t writeShortFixed(double value, int decimals, char* text) {
    constexpr double kLargest = 1e12;  // the product's error stays below 1.2e-4
    constexpr double kTieMargin = 1e-3;
    if (decimals < 0 || decimals > 9) {
        return 0;
    }
    const double scaled = std::fabs(value) * kPowersOfTen[decimals];
    if (!(scaled < kLargest)) {
        return 0;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin) {
        return 0;
    }
    const auto rounded = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1u : 0u);
    const auto unit = static_cast<uint64_t>(kPowersOfTen[decimals]);
    char* at = text;
    if (std::signbit(value)) {
        *at++ = '-';
    }
    at = std::to_chars(at, at + 24, rounded / unit).ptr;
    if (decimals > 0) {
        *at++ = '.';
        uint64_t part = rounded % unit;
        for (int i = decimals - 1; i >= 0; --i) {
            at[i] = static_cast<char>('0' + part % 10);
            part /= 10;
        }
        at += decimals;
    }
    *at = '\0';
    return static_cast<std::size_t>(at - text);
}

long writeNumber(double value, std::size_t width, int decimals, char* out) {
    std::memset(out, ' ', width);
    out[width] = '\0';
    if (value == kSystemMissing) {
        if (width > 0) {
            out[width - 1] = '.';
        }
        return 0;
    }
    if (!std::isfinite(value)) {
        std::memset(out, '*', width);
        return 1;
    }
    // 309 integer digits, a sign, a point and 255 decimals at most.
    char text[640];
    std::size_t length = 0;
    for (;;) {
        length = writeShortFixed(value, decimals, text);
        if (length == 0) {
            const auto [last, error] = std::to_chars(text, text + sizeof text - 1, value,
                                                     std::chars_format::fixed, decimals);
            if (error != std::errc()) {
                std::memset(out, '*', width);
                return 1;
            }
            length = static_cast<std::size_t>(last - text);
            text[length] = '\0';
        }
        if (length <= width || decimals == 0) {
            break;
        }
        // Jump straight to the decimals that could fit; rounding may still add a digit.
        const std::size_t integerPart = length - static_cast<std::size_t>(decimals) - 1;
        const int room = width > integerPart + 1 ? static_cast<int>(width - integerPart - 1) : 0;
        decimals = room < decimals ? room : decimals - 1;
    }
    if (length > width) {
        std::memset(out, '*', width);
        return 1;
    }
    // "-0.00" after rounding is written as zero.
    if (text[0] == '-' && std::strspn(text + 1, "0.") == length - 1) {
        std::memmove(text, text + 1, length--);
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '.') {
            text[i] = gDecimalCharacter;
        }
    }
    std::memcpy(out + (width - length), text, length);
    return 0;
}

// Bytes of the text before a NUL, at most width.
std::size_t textLength(char const* text, std::size_t width) {
    const void* nul = std::memchr(text, '\0', width);
    return nul == nullptr ? width : static_cast<std::size_t>(static_cast<const char*>(nul) - text);
}

std::size_t cellBytes(std::size_t bytes) {
    return (bytes + 7) / 8 * 8;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

bool SetDecimalCharacter(char decimalCharacter) {
    if (decimalCharacter == '\0' || isDigit(decimalCharacter) || isBlank(decimalCharacter) ||
        decimalCharacter == '+' || decimalCharacter == '-' || decimalCharacter == 'e' ||
        decimalCharacter == 'E') {
        return false;
    }
    gDecimalCharacter = decimalCharacter;
    return true;
}

char GetDecimalCharacter() {
    return gDecimalCharacter;
}

bool ReadNumber(std::string_view text, char decimalCharacter, double& value) {
    if (readShortDecimal(text, decimalCharacter, value)) {
        return true;
    }
    return parseNumber(text.data(), text.data() + text.size(), decimalCharacter, 0, value) ==
           NumberStatus::Ok;
}

}  // namespace refhost

long ToString(const OBS* value, const TAVO_Format& format, char* out) {
    if (out == nullptr) {
        return -1;
    }
    const std::size_t width = format.width;
    if (value == nullptr) {
        out[0] = '\0';
        return -1;
    }
    switch (format.type) {
        case refhost::kFormatF:
            return refhost::writeNumber(value->f, width, format.decimals, out);
        case refhost::kFormatA:
            std::memcpy(out, reinterpret_cast<const char*>(value), width);
            out[width] = '\0';
            return 0;
        case refhost::kFormatAHex: {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            const auto* bytes = reinterpret_cast<const unsigned char*>(value);
            const std::size_t count = width / 2;
            for (std::size_t i = 0; i < count; ++i) {
                out[2 * i] = kDigits[bytes[i] >> 4];
                out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
            }
            if (width % 2 != 0) {
                out[width - 1] = ' ';
            }
            out[width] = '\0';
            return 0;
        }
        default:
            out[0] = '\0';
            return -1;
    }
}

long FromString(char const* text, const TAVO_Format& format, OBS* out) {
    if (text == nullptr || out == nullptr) {
        return -1;
    }
    const std::size_t width = format.width;
    const std::size_t length = refhost::textLength(text, width);
    switch (format.type) {
        case refhost::kFormatF: {
            double value = 0.0;
            switch (refhost::parseNumber(text, text + length, refhost::gDecimalCharacter,
                                         format.decimals, value)) {
                case refhost::NumberStatus::Blank:
                    out->f = refhost::kSystemMissing;
                    return 0;
                case refhost::NumberStatus::Ok:
                    out->f = value;
                    return 0;
                case refhost::NumberStatus::Bad:
                    break;
            }
            return 1;
        }
        case refhost::kFormatA: {
            char* cells = reinterpret_cast<char*>(out);
            std::memcpy(cells, text, length);
            std::memset(cells + length, ' ', refhost::cellBytes(width) - length);
            return 0;
        }
        case refhost::kFormatAHex: {
            std::size_t digits = length;
            while (digits > 0 && refhost::isBlank(text[digits - 1])) {
                --digits;
            }
            if (digits % 2 != 0) {
                return 1;
            }
            for (std::size_t i = 0; i < digits; ++i) {
                if (refhost::hexValue(text[i]) < 0) {
                    return 1;
                }
            }
            char* cells = reinterpret_cast<char*>(out);
            const std::size_t bytes = digits / 2;
            for (std::size_t i = 0; i < bytes; ++i) {
                cells[i] = static_cast<char>(refhost::hexValue(text[2 * i]) * 16 +
                                             refhost::hexValue(text[2 * i + 1]));
            }
            std::memset(cells + bytes, ' ', refhost::cellBytes(width / 2) - bytes);
            return 0;
        }
        default:
            return -1;
    }
}
