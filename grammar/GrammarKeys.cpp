#include "grammar/GrammarKeys.h"

namespace upgrammar {

namespace {

constexpr std::string_view kNames[kKeyCount] = {
    "$schema",      "commands",   "name",          "title",      "help",         "kind",
    "form",         "type",       "required",      "repeatable", "emptyAllowed", "valueRequired",
    "block",        "brackets",   "slash",         "lower",      "upper",        "included",
    "excluded",     "words",      "qualifierForm", "qualifiers", "mainPart",     "valuePart",
    "text",         "separators", "subcommands",   "groups",     "value",        "parameters",
    "variables",    "check",      "numeric",       "repeat",     "registry",     "within",
    "allByDefault", "role"};

}  // namespace

// Most names differ from a key in length or first letter, which are compared before the text.
Key KeyOf(std::string_view name) {
    for (unsigned key = 0; key < kKeyCount; ++key) {
        const std::string_view candidate = kNames[key];
        if (candidate.size() == name.size() && !name.empty() && candidate[0] == name[0] &&
            candidate == name) {
            return static_cast<Key>(key);
        }
    }
    return kKeyCount;
}

const char* NameOf(Key key) {
    // Each name is a literal, so the view's data ends in a NUL.
    return key < kKeyCount ? kNames[key].data() : "";
}

std::string NamesOf(KeySet set) {
    std::string text;
    for (unsigned key = 0; key < kKeyCount; ++key) {
        if (Contains(set, static_cast<Key>(key))) {
            text += (text.empty() ? "" : ", ") + std::string(kNames[key]);
        }
    }
    return text;
}

}  // namespace upgrammar
