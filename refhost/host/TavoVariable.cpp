#include <utility>

#include "uparser/host/DataSource.h"

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
