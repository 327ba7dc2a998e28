#ifndef UPARSER_VARCATLIST_H
#define UPARSER_VARCATLIST_H

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/host/VarName.h"

class TAVO_DataSource;

// A few variables and a table from rows of category texts (one text per variable, in
// variable order) to a number. Filled in two phases: all variables first, then the rows.
class UPARSER_API VarCatList {
  public:
    VarCatList();
    explicit VarCatList(const std::vector<TavoVarName>& names);
    explicit VarCatList(const TavoVarName& name);
    VarCatList(const VarCatList& other);
    VarCatList(VarCatList&& other) noexcept;
    VarCatList& operator=(const VarCatList& other);
    VarCatList& operator=(VarCatList&& other) noexcept;
    ~VarCatList();

    // Refused once the table holds a row: every row must keep one text per variable.
    bool addVarName(const TavoVarName& name);
    unsigned getVarListSize() const;
    int getVarNameIndex(const TavoVarName& name) const;
    const TavoVarName* getVarNameByIndex(int index) const;
    bool findVarName(const TavoVarName& name) const;
    void copyVarList(std::vector<TavoVarName>& names) const;

    bool isCatListOK(const std::vector<std::string>& row) const;
    bool addStringToCatList(std::vector<std::string>& row, const std::string& text) const;
    // The last number given for a row wins.
    bool addCatList(const std::vector<std::string>& row, double value);
    bool addCatListInt(const std::vector<std::string>& row, double value);
    unsigned getMapSize() const;
    bool findCatList(const std::vector<std::string>& row) const;
    const double* getCatValue(const std::vector<std::string>& row) const;

    // The returned text lives inside the row passed in, so a temporary row is refused.
    const char* getCatString(const TavoVarName& name, const std::vector<std::string>& row) const;
    const char* getCatString(const TavoVarName& name,
                             std::vector<std::string>&& row) const = delete;
    const char* getCatStringByIndex(int index, const std::vector<std::string>& row) const;
    const char* getCatStringByIndex(int index, std::vector<std::string>&& row) const = delete;

    // rows must already hold getMapSize() entries; copies in table order.
    bool copyMapKeyVal(std::vector<std::vector<std::string>>& rows,
                       std::vector<double>& values) const;
    // As above, but ordered by the values the categories denote in the dictionary.
    bool copyMapKeyVal(std::vector<std::vector<std::string>>& rows, std::vector<double>& values,
                       const TAVO_DataSource* dataSource) const;

    void updateValueInfo();
    bool getValueInfo(double& minValue, double& maxValue, bool& allInt);
    double getMinValue() const;
    double getMaxValue() const;
    bool areAllValuesInt() const;

    void display(std::ostream& out) const;

  private:
    std::vector<TavoVarName> mVarList;
    std::map<std::vector<std::string>, double> mCatMap;
    double mMinValue = 0.0;
    double mMaxValue = 0.0;
    bool mAllValuesInt = true;
};

#endif
