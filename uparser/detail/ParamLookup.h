#ifndef UPARSER_DETAIL_PARAMLOOKUP_H
#define UPARSER_DETAIL_PARAMLOOKUP_H

#include <cstring>
#include <string>

#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/detail/UpperName.h"

namespace param_lookup {

// Whether two names are equal: the lengths first, inline, as most guesses that miss differ in
// length; std::string's operator== is a call of its own here.
inline bool SameText(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           (left.empty() || std::memcmp(left.data(), right.data(), left.size()) == 0);
}

// The position of the parameter named upperName in subCom, or -1. Parameters are mostly
// written in the order of their declaration, so the one at `expected` (the place after the
// last one found) is compared first: in a subcommand of many parameters the index is a table
// far larger than the cache, and a hit here reads the descriptor that follows the last one
// instead. Names are unique in a subcommand, so a hit is the index's answer too; a name that
// is not upper-case already goes the index's way, which upper-cases it again.
inline int FindExpected(const SubComDescriptor& subCom, const std::string& upperName,
                        int expected) {
    const ParamDescriptor* guess = subCom.getParamDesc(expected);
    if (guess != nullptr && SameText(guess->getParamName(), upperName) &&
        upper_name::IsUpperAlready(upperName)) {
        return expected;
    }
    return subCom.getParamDescIndex(upperName);
}

}  // namespace param_lookup

#endif
