#ifndef REFHOST_DICTIONARY_H
#define REFHOST_DICTIONARY_H

#include <cstdint>
#include <string>
#include <vector>

#include "uparser/host/DataSource.h"

namespace refhost {

// The reference host's data dictionary: variables in the order they were added, looked up by
// name ignoring case: two names are one when their NFC-normalised, case-folded forms are equal
// (refhost/UnicodeText.h), so "GRÖSSE" finds "größe" and "ÖL" finds "öl".
class Dictionary : public TAVO_DataSource {
  public:
    using Level = TAVO_Variable_Enumerations::MeasurementLevel;

    // Appends the variable and returns its index; -1, adding nothing, when a variable of that
    // name (ignoring case) is already there.
    int addVariable(const TAVO_Variable& variable);
    // A numeric variable in format F8.decimals; -1 also for decimals outside 0..255.
    int addNumeric(const std::string& name, Level level = TAVO_Variable_Enumerations::Scale,
                   int decimals = 2);
    // A string variable of width bytes in format A<width>; -1 also for a width outside
    // 1..32767.
    int addString(const std::string& name, int width,
                  Level level = TAVO_Variable_Enumerations::Nominal);

    int FindVarIndex(char const* name) const override;
    unsigned int ColumnCount() const override;
    // index must lie in [0, ColumnCount()); anything else stops the program.
    const TAVO_Variable& GetVariable(int index) const override;

    // The dictionary of a CSV data file: one variable per header column, in order. A column
    // is numeric (F8.2) when every non-empty cell reads as a number with "." as decimal
    // character, Nominal with at most 10 distinct values and Scale otherwise; any other
    // column is a Nominal string as wide as its widest cell (at least 1, at most 32767).
    // Quoted fields ("" for a quote; commas and line ends inside), CRLF or LF line ends, a
    // UTF-8 byte order mark and a missing final line end are accepted; rows shorter than the
    // header leave cells empty, cells beyond the header are ignored, empty lines are skipped.
    // Throws ErrorText when the file cannot be read or its first line is not a list of valid,
    // distinct variable names (blanks around a name are ignored; invalid UTF-8 there is named
    // with its line and column). Invalid UTF-8 further on only earns a warning through the
    // host's error service, with its line and column: string values are bytes to the host.
    static Dictionary fromCsv(const std::string& path);

  private:
    // The name index is one flat table probed linearly: a slot holds the hash of a name's key
    // and the variable's index, so a look-up reads one or two slots and compares keys only
    // where the hashes agree. The table is at most half full. The key of a name is its
    // UpperCase form; an ASCII name is its own key (compared ignoring ASCII case), which spares
    // ASCII look-ups any allocation and leaves its mKeys entry empty.
    struct Slot {
        uint32_t hash;
        int32_t index;  // -1: empty
    };

    // The slot of the variable with that key, or the empty slot where it would go.
    std::size_t probe(const char* key, uint32_t hash) const;
    // FindVarIndex for a name beyond ASCII, which is looked up by its UpperCase key.
    int findByKey(const char* name) const;
    const char* keyAt(std::size_t index) const;
    void growIndex();

    std::vector<TAVO_Variable> mVariables;
    std::vector<std::string> mKeys;  // beside mVariables; empty for ASCII names
    std::vector<Slot> mSlots;  // empty, or a power of two in size
};

}  // namespace refhost

#endif
