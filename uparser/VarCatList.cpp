#include "uparser/VarCatList.h"

#include <ostream>
#include <utility>

#include "uparser/ParserUtility.h"

VarCatList::VarCatList() = default;

VarCatList::VarCatList(const std::vector<TavoVarName>& names) : mVarList(names) {}

VarCatList::VarCatList(const TavoVarName& name) : mVarList(1, name) {}

VarCatList::VarCatList(const VarCatList& other) = default;

VarCatList::VarCatList(VarCatList&& other) noexcept = default;

VarCatList& VarCatList::operator=(const VarCatList& other) = default;

VarCatList& VarCatList::operator=(VarCatList&& other) noexcept {
    if (this != &other) {
        mVarList = std::move(other.mVarList);
        mCatMap = std::move(other.mCatMap);
        mMinValue = other.mMinValue;
        mMaxValue = other.mMaxValue;
        mAllValuesInt = other.mAllValuesInt;
    }
    return *this;
}

VarCatList::~VarCatList() = default;

bool VarCatList::addVarName(const TavoVarName& name) {
    if (!mCatMap.empty()) {
        return false;
    }
    mVarList.push_back(name);
    return true;
}

unsigned VarCatList::getVarListSize() const {
    return static_cast<unsigned>(mVarList.size());
}

int VarCatList::getVarNameIndex(const TavoVarName& name) const {
    for (std::size_t i = 0; i < mVarList.size(); ++i) {
        if (mVarList[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const TavoVarName* VarCatList::getVarNameByIndex(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= mVarList.size()) {
        return nullptr;
    }
    return &mVarList[static_cast<std::size_t>(index)];
}

bool VarCatList::findVarName(const TavoVarName& name) const {
    return getVarNameIndex(name) >= 0;
}

void VarCatList::copyVarList(std::vector<TavoVarName>& names) const {
    names = mVarList;
}

bool VarCatList::isCatListOK(const std::vector<std::string>& row) const {
    return row.size() == mVarList.size();
}

bool VarCatList::addStringToCatList(std::vector<std::string>& row, const std::string& text) const {
    if (row.size() >= mVarList.size()) {
        return false;
    }
    row.push_back(text);
    return true;
}

bool VarCatList::addCatList(const std::vector<std::string>& row, double value) {
    if (!isCatListOK(row)) {
        return false;
    }
    mCatMap.insert_or_assign(row, value);
    return true;
}

bool VarCatList::addCatListInt(const std::vector<std::string>& row, double value) {
    if (!IsValidInteger(value)) {
        return false;
    }
    return addCatList(row, value);
}

unsigned VarCatList::getMapSize() const {
    return static_cast<unsigned>(mCatMap.size());
}

bool VarCatList::findCatList(const std::vector<std::string>& row) const {
    return mCatMap.find(row) != mCatMap.end();
}

const double* VarCatList::getCatValue(const std::vector<std::string>& row) const {
    const auto found = mCatMap.find(row);
    return found == mCatMap.end() ? nullptr : &found->second;
}

const char* VarCatList::getCatString(const TavoVarName& name,
                                     const std::vector<std::string>& row) const {
    return getCatStringByIndex(getVarNameIndex(name), row);
}

const char* VarCatList::getCatStringByIndex(int index, const std::vector<std::string>& row) const {
    if (index < 0 || static_cast<std::size_t>(index) >= mVarList.size() || !findCatList(row)) {
        return nullptr;
    }
    return row[static_cast<std::size_t>(index)].c_str();
}

bool VarCatList::copyMapKeyVal(std::vector<std::vector<std::string>>& rows,
                               std::vector<double>& values) const {
    if (rows.size() != mCatMap.size()) {
        return false;
    }
    values.clear();
    values.reserve(mCatMap.size());
    std::size_t k = 0;
    for (const auto& [row, value] : mCatMap) {
        rows[k++] = row;
        values.push_back(value);
    }
    return true;
}

bool VarCatList::copyMapKeyVal(std::vector<std::vector<std::string>>& rows,
                               std::vector<double>& values,
                               const TAVO_DataSource* dataSource) const {
    if (!copyMapKeyVal(rows, values)) {
        return false;
    }
    // Unknown names come back as negative indices; their texts then sort as plain text.
    std::vector<int> indices;
    ValidateVarList(mVarList, indices, dataSource);

    // The numbers travel with their rows through the sort as one-element number rows.
    std::vector<std::vector<double>> numberRows;
    numberRows.reserve(values.size());
    for (const double value : values) {
        numberRows.emplace_back(1, value);
    }
    if (!SortValueLists(indices, rows, numberRows, dataSource)) {
        return false;
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        values[k] = numberRows[k].front();
    }
    return true;
}

void VarCatList::updateValueInfo() {
    if (mCatMap.empty()) {
        return;
    }
    auto entry = mCatMap.begin();
    double minValue = entry->second;
    double maxValue = entry->second;
    bool allInt = true;
    for (; entry != mCatMap.end(); ++entry) {
        const double value = entry->second;
        if (value < minValue) {
            minValue = value;
        }
        if (value > maxValue) {
            maxValue = value;
        }
        if (!IsValidInteger(value)) {
            allInt = false;
        }
    }
    mMinValue = minValue;
    mMaxValue = maxValue;
    mAllValuesInt = allInt;
}

bool VarCatList::getValueInfo(double& minValue, double& maxValue, bool& allInt) {
    if (mCatMap.empty()) {
        return false;
    }
    updateValueInfo();
    minValue = mMinValue;
    maxValue = mMaxValue;
    allInt = mAllValuesInt;
    return true;
}

double VarCatList::getMinValue() const {
    return mMinValue;
}

double VarCatList::getMaxValue() const {
    return mMaxValue;
}

bool VarCatList::areAllValuesInt() const {
    return mAllValuesInt;
}

void VarCatList::display(std::ostream& out) const {
    for (const TavoVarName& name : mVarList) {
        out << name.str() << ' ';
    }
    out << '\n';
    for (const auto& [row, value] : mCatMap) {
        out << "     ";
        for (const std::string& text : row) {
            out << text << ' ';
        }
        out << value << '\n';
    }
}
