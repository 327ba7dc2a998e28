#ifndef UPARSER_DETAIL_UPPERNAME_H
#define UPARSER_DETAIL_UPPERNAME_H

#include <string>

#include "uparser/ParserUtility.h"

namespace upper_name {

// Capital letters A to Z, digits and "_" are their own upper case in every code page the
// host may use, so a name made of them alone is upper-cased already: nearly every name a
// grammar declares and a command writes.
inline bool IsUpperAlready(const std::string& name) {
    for (const char c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) {
            return false;
        }
    }
    return true;
}

// name upper-cased: a copy, without a call into the host for a name upper-case already.
inline std::string UpperOf(const std::string& name) {
    return IsUpperAlready(name) ? name : GetUpperString(name);
}

// find(upper-case name): a name looked up by the parser, which already holds its upper-case
// form, then costs no copy and no call into the host.
template <typename Find>
auto FindUpper(const std::string& name, Find find) {
    return IsUpperAlready(name) ? find(name) : find(GetUpperString(name));
}

}  // namespace upper_name

#endif
