#ifndef UPARSER_HOST_DATASOURCE_H
#define UPARSER_HOST_DATASOURCE_H

#include <cstdint>
#include <string>

#include "uparser/Export.h"

namespace TAVO_Variable_Enumerations {
// 1 and 2 are the categorical levels, 3 the continuous one; anything else means "not set".
enum MeasurementLevel : int32_t { Unknown = 0, Nominal = 1, Ordinal = 2, Scale = 3 };
}  // namespace TAVO_Variable_Enumerations

// Display format of a value: width in characters, type code, decimal places.
// Type codes: 1 string (A), 2 hexadecimal string (AHEX), 5 plain numeric (F).
struct TAVO_Format {
    uint16_t width;
    uint8_t type;
    uint8_t decimals;
};

// One value cell: a double for a numeric value; a string of width w takes ceil(w / 8) cells.
union OBS {
    double f;
    char s[8];
};

// One variable of the data dictionary.
class UPARSER_HOST_API TAVO_Variable {
public:
    TAVO_Variable(std::string name, int type, TAVO_Variable_Enumerations::MeasurementLevel level,
                  TAVO_Format format);

    char const* GetName() const;
    // 0 for a numeric variable, the string width (> 0) for a string variable.
    int GetType() const;
    TAVO_Format GetFormat() const;
    TAVO_Variable_Enumerations::MeasurementLevel GetMeasurementLevel() const;

private:
    std::string mName;
    int mType;
    TAVO_Variable_Enumerations::MeasurementLevel mLevel;
    TAVO_Format mFormat;
};

// The host's description of the active data file. Variables are numbered from 0 in file order.
// The library only reads it, through the const operations; threads that share one dictionary
// call them at the same time. Whatever they throw passes through the library to its caller.
class UPARSER_HOST_API TAVO_DataSource {
public:
    virtual ~TAVO_DataSource() = default;

    // Index of the variable of that name, or a negative value when there is none.
    virtual int FindVarIndex(char const* name) const = 0;
    virtual unsigned int ColumnCount() const = 0;
    // index must lie in [0, ColumnCount()).
    virtual const TAVO_Variable& GetVariable(int index) const = 0;
};

// Writes one value in the format, with the host's decimal character, into out (at least
// width + 1 bytes). The result code is not read: the library judges the text (see
// GetLocaleCharacter). Both conversions may throw; the exception passes through the library.
UPARSER_HOST_API long ToString(const OBS* value, const TAVO_Format& format, char* out);

// Reads exactly format.width characters of text as a value of the format into out.
// 0 on success, another value when the text is not a value of that format.
UPARSER_HOST_API long FromString(char const* text, const TAVO_Format& format, OBS* out);

#endif
