#ifndef TOOLS_POTGEN_CATALOGCALLS_H
#define TOOLS_POTGEN_CATALOGCALLS_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "uparser/ParserMessage.h"

namespace potgen {

// One call of a reporting method (or of a text service of the message engine) in one of its
// variants. The arguments are the names of what they stand for in braces, "{variable}",
// "{subcommand}", so that the text the library makes of them shows which placeholder took
// which argument; numbers and other plain values are listed in `values`.
struct CatalogCall {
    std::string method;
    // Reports through the object, answering "", or answers the text of a text service.
    std::function<std::string(ParserMessage&)> run;
    // Plain arguments as they appear in the text, and what each stands for.
    std::vector<std::pair<std::string, std::string>> values;
    // What the list of the text's bracket group [P:Q:]k holds, for the texts that have one.
    std::string list;
    // A hint for translators beyond what each placeholder stands for.
    std::string note;
    // False for a call that only hands its finding to another method, or fills a placeholder
    // with nothing: it is run for coverage and explains no text.
    bool explains = true;
};

// Every reporting method of ParserMessage in each of its variants, and the text services
// whose texts reach the user inside other messages (location phrases, group prefixes).
// Each call gets a fresh ParserMessage whose command name is "{command}".
const std::vector<CatalogCall>& AllCatalogCalls();

// The command name every call's message object carries.
extern const char kCommandSentinel[];

}  // namespace potgen

#endif
