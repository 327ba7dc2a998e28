#ifndef UPARSER_HOST_VARNAME_H
#define UPARSER_HOST_VARNAME_H

#include <string>

#include "uparser/Export.h"

// The host's variable-name value. It stands wherever a name is needed as a std::string.
// Comparison is exact; callers upper-case both sides first where case must not matter.
class UPARSER_HOST_API TavoVarName {
public:
    TavoVarName();
    TavoVarName(char const* text);  // NOLINT: a name is written as text; null gives an empty name
    TavoVarName(std::string text);  // NOLINT

    const std::string& str() const;
    operator const std::string&() const;  // NOLINT
    char const* c_str() const;
    bool empty() const;

    bool operator==(const TavoVarName& other) const;
    bool operator!=(const TavoVarName& other) const;
    bool operator<(const TavoVarName& other) const;  // byte order, for ordered containers

private:
    std::string mText;
};

// 0 when the text is acceptable as a variable name, another value otherwise. Says nothing of
// whether such a variable exists.
UPARSER_HOST_API int ValidateTAVOName(char const* name);

#endif
