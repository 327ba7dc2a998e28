#ifndef GRAMMAR_GRAMMARKEYS_H
#define GRAMMAR_GRAMMARKEYS_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The keys of grammar files. Each object's members are looked up once, by key, so that
// reading a large grammar compares each member's name once instead of at every question.
namespace upgrammar {

// In the order in which files write them and messages list them.
enum Key : unsigned {
    kSchema,
    kCommands,
    kName,
    kTitle,
    kHelp,
    kKind,
    kForm,
    kType,
    kRequired,
    kRepeatable,
    kEmptyAllowed,
    kValueRequired,
    kBlock,
    kBrackets,
    kSlash,
    kLower,
    kUpper,
    kIncluded,
    kExcluded,
    kWords,
    kQualifierForm,
    kQualifiers,
    kMainPart,
    kValuePart,
    kText,
    kSeparators,
    kSubcommands,
    kGroups,
    kValue,
    kParameters,
    kVariables,
    kCheck,
    kNumeric,
    kRepeat,
    kRegistry,
    kWithin,
    kAllByDefault,
    kRole,
    kKeyCount
};

using KeySet = std::uint64_t;

constexpr KeySet KeysOf(std::initializer_list<Key> keys) {
    KeySet set = 0;
    for (Key key : keys) {
        set |= KeySet(1) << key;
    }
    return set;
}

constexpr bool Contains(KeySet set, Key key) {
    return (set >> key) & 1U;
}

// The key of that name, or kKeyCount.
Key KeyOf(std::string_view name);
const char* NameOf(Key key);
// The names of the set, in key order, separated by ", ".
std::string NamesOf(KeySet set);

}  // namespace upgrammar

#endif
