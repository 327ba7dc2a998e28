#ifndef GRAMMAR_GRAMMARNAMES_H
#define GRAMMAR_GRAMMARNAMES_H

#include <cstddef>
#include <string>
#include <string_view>

// The names under which grammar files write the enumerations: each enumerator's name without
// the prefix of its enumeration (ParamInteger is "Integer", SubComByParen "ByParen").
namespace upgrammar {

struct EnumName {
    std::string_view name;  // a literal
    int value;
};

class EnumNames {
  public:
    template <std::size_t N>
    constexpr EnumNames(const char* what, const EnumName (&entries)[N])
        : mWhat(what), mEntries(entries), mSize(N) {}

    // What the enumeration is, for messages ("value type", "group kind").
    const char* what() const { return mWhat; }
    bool find(const std::string& name, int& value) const;
    // The name of a value; null for a value that has none.
    const char* nameOf(int value) const;
    // Every name, separated by ", ".
    std::string choices() const;

  private:
    const char* mWhat;
    const EnumName* mEntries;
    std::size_t mSize;
};

extern const EnumNames kParamTypes;      // UPSpecTypes::ParamSpec
extern const EnumNames kSubComForms;     // UPSpecTypes::SubComSpec
extern const EnumNames kGroupKinds;      // UPSpecTypes::GroupSpec
extern const EnumNames kBracketOptions;  // UPSpecTypes::BracketOptions
extern const EnumNames kBlockOptions;    // UPSpecTypes::BlockOptions
extern const EnumNames kQualifOptions;   // UPSpecTypes::QualifOptions
extern const EnumNames kRepeatOptions;   // UPSpecTypes::RepeatVarOptions
extern const EnumNames kVariableKinds;   // VariableKind
extern const EnumNames kRegistries;      // VariableRegistry
extern const EnumNames kScopes;          // VariableScope

}  // namespace upgrammar

#endif
