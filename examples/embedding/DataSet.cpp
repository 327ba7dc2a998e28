#include <strings.h>

#include "Host.h"

namespace embedding {

void DataSet::addNumeric(const std::string& name,
                         TAVO_Variable_Enumerations::MeasurementLevel level) {
    mVariables.emplace_back(name, 0, level, TAVO_Format{8, 5, 2});
}

void DataSet::addString(const std::string& name, int width) {
    mVariables.emplace_back(name, width, TAVO_Variable_Enumerations::Nominal,
                            TAVO_Format{static_cast<uint16_t>(width), 1, 0});
}

int DataSet::FindVarIndex(char const* name) const {
    for (std::size_t i = 0; name != nullptr && i < mVariables.size(); ++i) {
        if (strcasecmp(mVariables[i].GetName(), name) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

unsigned int DataSet::ColumnCount() const {
    return static_cast<unsigned int>(mVariables.size());
}

const TAVO_Variable& DataSet::GetVariable(int index) const {
    return mVariables.at(static_cast<std::size_t>(index));
}

}  // namespace embedding
