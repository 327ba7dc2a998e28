#ifndef TOOLS_POTGEN_TEXTMATCH_H
#define TOOLS_POTGEN_TEXTMATCH_H

#include <functional>
#include <map>
#include <string>

namespace potgen {

// What filled one placeholder of a text, and what it stands for.
struct Filling {
    std::string value;
    std::string meaning;
    bool list = false;  // it filled a list group [P:Q:]k
};

// Placeholder k of a text (a list group [P:Q:]k is placeholder k too) -> its filling.
using Fillings = std::map<int, Filling>;

// Says what a value stands for, or answers false when it cannot tell. list is true for the
// filling of a list group, which may be empty.
using Explain = std::function<bool(const std::string& value, bool list, std::string& meaning)>;

// Finds how text arose from pattern by filling its placeholders: each placeholder takes a
// piece of text that explain can tell the meaning of, the same piece wherever it recurs.
// Shorter pieces are tried first. False when no such filling exists.
bool MatchFilling(const std::string& pattern, const std::string& text, const Explain& explain,
                  Fillings& fillings);

}  // namespace potgen

#endif
