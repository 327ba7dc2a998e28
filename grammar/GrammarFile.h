#ifndef GRAMMAR_GRAMMARFILE_H
#define GRAMMAR_GRAMMARFILE_H

#include <string>
#include <vector>

#include "grammar/GrammarExport.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/UPSpecTypes.h"

// What a grammar file holds: one or more command grammars, each a CommandDescriptor together
// with what the descriptors themselves do not carry: help texts for charts and editors, and,
// for values that name variables, how a generic procedure checks them against the data
// dictionary.
namespace upgrammar {

// How the variables a value names are checked.
enum class VariableKind {
    Existing,  // variables of the dictionary: names, TO ranges, ALL
    New,       // names of variables the procedure creates: none may exist yet
    Model,     // dependents [BY factors] [WITH covariates]
    Blocks     // lists of variables, each followed by a qualifier list of its own
};

// Which other lists of the command the variables are checked against.
enum class VariableRegistry {
    Command,  // one registry for the whole command: a variable stands in one such list only
    Check,    // checked against that registry but not entered, so it may repeat here
    Own,      // a registry of this value's own: a variable at most once over all occurrences
    None      // no check against other lists
};

// Which variables of the command's Model list the names must be.
enum class VariableScope { Any, Factors, Covariates, Model };

struct VariableCheck {
    VariableKind kind = VariableKind::Existing;
    bool numeric = false;
    UPSpecTypes::RepeatVarOptions repeat = UPSpecTypes::RepeatVarsError;
    // A qualifier list may follow the variables; its values must fit the value's qualifiers.
    bool qualifiers = false;
    VariableRegistry registry = VariableRegistry::Command;
    VariableScope within = VariableScope::Any;
    // Model only: without BY and WITH every other variable becomes a factor or covariate.
    bool allByDefault = false;
    // What the procedure uses the list for, as reports show it; may be empty.
    std::string role;
};

// The notes of one ParamDescriptor, in the shape of its tree: qualifiers in the order of
// getQualifNames, and the two parts of a compound value.
struct ValueNotes {
    std::string help;
    bool checksVariables = false;
    VariableCheck variables;
    std::vector<ValueNotes> qualifiers;
    std::vector<ValueNotes> mainPart;   // empty or one entry
    std::vector<ValueNotes> valuePart;  // empty or one entry

    const ValueNotes* main() const { return mainPart.empty() ? nullptr : &mainPart.front(); }
    const ValueNotes* value() const { return valuePart.empty() ? nullptr : &valuePart.front(); }
};

struct SubComNotes {
    std::string help;
    ValueNotes value;                    // the subcommand's own (leading) value
    std::vector<ValueNotes> parameters;  // in the order of the descriptor's parameters
};

struct GroupNotes {
    std::vector<SubComNotes> subCommands;  // in the order of the group's subcommands
};

// One command. The notes run parallel to the descriptor: groups, subcommands and parameters
// by index; missing entries mean no help and no variable check.
struct UPGRAMMAR_API CommandGrammar {
    CommandDescriptor descriptor;
    std::string help;
    std::vector<GroupNotes> groups;

    // The notes of subcommand `sub` of group `group`, or null.
    const SubComNotes* subCommand(int group, int sub) const;
    // The notes of the subcommand named `name` (any case) in the group at `group`, or null.
    const SubComNotes* subCommand(int group, const std::string& name) const;
    SubComNotes& notesAt(int group, int sub);
};

struct GrammarFile {
    std::string schema;  // the file's "$schema" reference, written back as read
    std::vector<CommandGrammar> commands;
};

}  // namespace upgrammar

#endif
