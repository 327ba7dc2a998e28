#include "grammar/GrammarKeys.h"

#include <algorithm>

namespace upgrammar {

namespace {

constexpr const char* kNames[kKeyCount] = {
    "$schema",      "commands",   "name",          "title",      "help",         "kind",
    "form",         "type",       "required",      "repeatable", "emptyAllowed", "valueRequired",
    "block",        "brackets",   "slash",         "lower",      "upper",        "included",
    "excluded",     "words",      "qualifierForm", "qualifiers", "mainPart",     "valuePart",
    "text",         "separators", "subcommands",   "groups",     "value",        "parameters",
    "variables",    "check",      "numeric",       "repeat",     "registry",     "within",
    "allByDefault", "role"};

struct SortedKey {
    std::string_view name;
    Key key;
};

// By name, for the binary search.
constexpr SortedKey kSorted[kKeyCount] = {{"$schema", kSchema},
                                          {"allByDefault", kAllByDefault},
                                          {"block", kBlock},
                                          {"brackets", kBrackets},
                                          {"check", kCheck},
                                          {"commands", kCommands},
                                          {"emptyAllowed", kEmptyAllowed},
                                          {"excluded", kExcluded},
                                          {"form", kForm},
                                          {"groups", kGroups},
                                          {"help", kHelp},
                                          {"included", kIncluded},
                                          {"kind", kKind},
                                          {"lower", kLower},
                                          {"mainPart", kMainPart},
                                          {"name", kName},
                                          {"numeric", kNumeric},
                                          {"parameters", kParameters},
                                          {"qualifierForm", kQualifierForm},
                                          {"qualifiers", kQualifiers},
                                          {"registry", kRegistry},
                                          {"repeat", kRepeat},
                                          {"repeatable", kRepeatable},
                                          {"required", kRequired},
                                          {"role", kRole},
                                          {"separators", kSeparators},
                                          {"slash", kSlash},
                                          {"subcommands", kSubcommands},
                                          {"text", kText},
                                          {"title", kTitle},
                                          {"type", kType},
                                          {"upper", kUpper},
                                          {"value", kValue},
                                          {"valuePart", kValuePart},
                                          {"valueRequired", kValueRequired},
                                          {"variables", kVariables},
                                          {"within", kWithin},
                                          {"words", kWords}};

}  // namespace

Key KeyOf(std::string_view name) {
    const auto found = std::lower_bound(
        std::begin(kSorted), std::end(kSorted), name,
        [](const SortedKey& entry, std::string_view wanted) { return entry.name < wanted; });
    return found != std::end(kSorted) && found->name == name ? found->key : kKeyCount;
}

const char* NameOf(Key key) {
    return key < kKeyCount ? kNames[key] : "";
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
