#ifndef UPARSER_PARSERUTILITY_H
#define UPARSER_PARSERUTILITY_H

#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/host/VarName.h"

class TAVO_DataSource;
class TAVO_TokenSequence;

// The host's system-missing value: the most negative finite double. StringToNumber answers it
// for every text it cannot read.
constexpr double SystemMissingValue = -1.7976931348623157e308;

// Case and blanks are the host's business: these go through the host's multibyte functions.
UPARSER_API std::string GetUpperString(std::string const& text);
UPARSER_API bool AreStringsEqualCase(std::string const& left, std::string const& right);
UPARSER_API TavoVarName GetUpperVarName(TavoVarName const& name);
UPARSER_API bool AreVarNamesEqualCase(TavoVarName const& left, TavoVarName const& right);
UPARSER_API std::string TrimString(std::string const& text);

// A whole number in the range of a signed 32-bit integer; the guard before any conversion.
UPARSER_API bool IsValidInteger(double value);

// Six significant digits, as a default output stream writes a double.
UPARSER_API std::string NumberToString(double value);
UPARSER_API std::string IntegerToString(int value);
UPARSER_API std::string AppendIndexToString(std::string const& text, int index);

// The character with which the host writes decimals ("." or ",").
UPARSER_API char GetLocaleCharacter();

// The text read as a value of the numeric variable varIndex, in that variable's format;
// SystemMissingValue when it cannot be read (no source, bad index, string variable, bad text).
UPARSER_API double StringToNumber(std::string const& text, int varIndex,
                                  TAVO_DataSource const* source, char decimalChar);

// True when the stream's first token begins with name, ignoring case. The stream is always
// left at its start.
UPARSER_API bool CheckCommandName(std::string const& name, TAVO_TokenSequence& stream);

// The path resolved by the host when it is acceptable for the flags, else "".
UPARSER_API std::string GetExtendFilePath(std::string const& path, bool validatorFlag,
                                          bool wordFlag, bool strictFlag);

// Whether the dictionary variable at index (not negative) is categorical.
UPARSER_API bool IsCatVar(int index, TAVO_DataSource const& source);

// One dictionary index per name, negative for a name the dictionary lacks; true when all were
// found.
UPARSER_API bool ValidateVarList(std::vector<TavoVarName> const& names, std::vector<int>& indices,
                                 TAVO_DataSource const* source);

// Sorts the rows of a category list (one text per variable, optional numbers per row) by the
// values they denote. False, with both tables unchanged, when the tables do not fit together.
UPARSER_API bool SortValueLists(std::vector<int> const& varIndices,
                                std::vector<std::vector<std::string>>& textRows,
                                std::vector<std::vector<double>>& numberRows,
                                TAVO_DataSource const* source);

// Placeholders of a group message text: 1 when it uses ^1 alone, 0 when none, -1 when any
// other placeholder occurs.
UPARSER_API int HasBpCompArg(char const* text);

#endif
