// Variables and value conversion. This host writes and reads plain numbers (F) and strings
// (A); it has no other format.
#include "uparser/host/DataSource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

TAVO_Variable::TAVO_Variable(std::string name, int type,
                             TAVO_Variable_Enumerations::MeasurementLevel level, TAVO_Format format)
    : mName(std::move(name)), mType(type), mLevel(level), mFormat(format) {}

char const* TAVO_Variable::GetName() const {
    return mName.c_str();
}
int TAVO_Variable::GetType() const {
    return mType;
}
TAVO_Format TAVO_Variable::GetFormat() const {
    return mFormat;
}
TAVO_Variable_Enumerations::MeasurementLevel TAVO_Variable::GetMeasurementLevel() const {
    return mLevel;
}

long ToString(const OBS* value, const TAVO_Format& format, char* out) {
    if (format.type == 5) {
        std::snprintf(out, format.width + 1u, "%*.*f", format.width, format.decimals, value->f);
        return 0;
    }
    if (format.type == 1) {
        std::memcpy(out, value->s, format.width);
        out[format.width] = '\0';
        return 0;
    }
    out[0] = '\0';
    return 1;
}

long FromString(char const* text, const TAVO_Format& format, OBS* out) {
    const std::string field(text, format.width);
    if (format.type == 1) {
        std::string cells = field;
        cells.resize((field.size() + 7) / 8 * 8, ' ');
        std::memcpy(out, cells.data(), cells.size());
        return 0;
    }
    const std::size_t first = field.find_first_not_of(' ');
    if (format.type != 5 || first == std::string::npos) {
        return 1;
    }
    const std::string number = field.substr(first, field.find_last_not_of(' ') + 1 - first);
    char* end = nullptr;
    out->f = std::strtod(number.c_str(), &end);
    return end == number.c_str() + number.size() ? 0 : 1;
}
