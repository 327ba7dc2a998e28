#ifndef UPARSER_PARAMTYPETRAITS_H
#define UPARSER_PARAMTYPETRAITS_H

#include "uparser/Export.h"
#include "uparser/UPSpecTypes.h"

namespace UPSpecTypes {

// What one element of a value is read as. Checks, views and charts of a value switch over
// this, so a new value type is described once, in the traits table.
enum class ValueKind : int32_t {
    Tokens = 0,     // the raw tokens (ParamNoType, ParamTokenList)
    Keyword,        // the keyword alone, no value
    Word,           // a plain word
    Literal,        // a quoted literal
    Number,         // a number
    Integer,        // a number with an integral value
    VarName,        // a variable name
    CrossVars,      // variable names joined by BY or "*"
    VarCats,        // variables with rows of category values
    File,           // a file path
    CaseFile,       // a case (data) file
    KeywordValue,   // a keyword part, then a value part
    TokenQual,      // a leading token, then its qualifiers
    StringQual,     // one qualifier name with its value
    StringQualList  // qualifier names, each with its value
};

struct ParamTypeTraits {
    ParamSpec type;
    const char* name;   // the enumerator without its prefix: "NumberList"
    ValueKind element;  // what each element is read as
    bool list;          // a run of elements, each read on its own
    bool bounded;       // the descriptor's boundaries apply to each element
    bool wordStandsIn;  // an accepted word may stand alone for the value
};

// The traits of a type; a number outside the enumeration gets those of ParamNoType.
UPARSER_API const ParamTypeTraits& GetParamTypeTraits(ParamSpec type);

// The type named by a traits name ("NumberList"), compared exactly; false when none is.
UPARSER_API bool FindParamType(const char* name, ParamSpec& type);

}  // namespace UPSpecTypes

#endif
