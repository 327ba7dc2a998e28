#ifndef REFHOST_VALUECONVERSION_H
#define REFHOST_VALUECONVERSION_H

#include <string_view>

// The reference host's side of value conversion. ToString and FromString themselves are the
// host functions declared in uparser/host/DataSource.h; this adds what a test or a tool needs
// to steer and reuse them.
//
// How the reference host writes and reads values:
//   F (type 5)    ToString rounds to `decimals` places and right-aligns the number in `width`
//                 characters with the decimal character. When it does not fit, decimals are
//                 dropped one by one (rounding again); when even the integer part does not fit,
//                 or the value is infinite or NaN, the field is filled with "*" and the result
//                 is 1. The system-missing value is written as a "." in the last position.
//   A (type 1)    the first `width` bytes of the cells.
//   AHEX (type 2) width / 2 bytes as upper-case hex digit pairs (an odd width leaves one blank).
// Any other type code: ToString writes an empty text and FromString stores nothing; both
// return -1. FromString treats a NUL inside the `width` characters as the end of the text and
// everything after it as blanks.
namespace refhost {

// The most negative finite double; what an all-blank numeric field reads as.
constexpr double kSystemMissing = -1.7976931348623157e308;

// The character between the integer part and the decimals, "." unless changed. A digit, a
// sign, a blank, "e"/"E" or NUL would make numbers unreadable and is refused (false).
bool SetDecimalCharacter(char decimalCharacter);
char GetDecimalCharacter();

// Reads a plain number (blanks around it ignored): optional sign, digits with an optional
// decimal character and decimals, optional exponent. False for anything else, for an empty or
// all-blank text and for a value too large for a double (a value too small reads as 0).
bool ReadNumber(std::string_view text, char decimalCharacter, double& value);

}  // namespace refhost

#endif
