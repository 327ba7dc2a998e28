#ifndef EXAMPLES_PROCEDURES_PROCEDURE_H
#define EXAMPLES_PROCEDURES_PROCEDURE_H

#include <string>
#include <utility>
#include <vector>

#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParseCodes.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/TokenSequence.h"

// Sample procedures written the way a host's procedure uses the library: each declares the
// grammar of its command, parses with UniversalParser, reads the values through the typed
// getters of ParamObj and validates every variable list against the data dictionary.
namespace examples {

class Validation;

// The variables that one parameter named, as accepted by the dictionary.
struct VariableList {
    std::string subCommand;  // "" for the command's own leading part
    std::string parameter;   // "" for a subcommand's leading value
    std::string role;        // what the procedure uses the list for
    std::vector<int> indices;
    std::vector<std::string> names;  // the dictionary's spelling, in list order
    // Qualifiers written after the list, by name, with their values as written.
    std::vector<std::pair<std::string, std::string>> qualifiers;
};

enum class Stage {
    Done,        // parsed and validated
    Parse,       // the parser rejected the command
    Validation,  // a value or variable list did not pass the procedure's checks
    Internal     // the library or the procedure threw; see RunResult::internalError
};

// What would have been valid where a run stopped, for a failure about a word written there:
// the names the grammar takes at that place (ExpectedNames.h), or a variable of the dictionary.
struct Expected {
    enum class Variable { None, Any, Numeric };

    std::vector<std::string> names;
    Variable variable = Variable::None;
};

// Everything one run of a procedure leaves behind. After a failure the result tree ends with
// the group, subcommand and parameter that failed, and stopToken is the token at which parsing
// or validation stopped (a default token, line 0, when the command had no tokens after its
// name); stopSubCommand and stopParameter name where in the command that was.
struct RunResult {
    int parseCode = -1;
    bool validated = false;
    CommandSpec spec;
    std::vector<VariableList> variables;
    Stage stage = Stage::Done;
    TokenInfoObj stopToken;
    std::string stopSubCommand;
    std::string stopParameter;
    Expected expected;
    std::string internalError;

    bool ok() const { return parseCode == ParseCodes::Parsed && validated; }
};

class Procedure {
  public:
    virtual ~Procedure() = default;

    // The command name, as the grammar carries it.
    const std::string& name() const { return mGrammar.getCommandName(); }
    // One line on what the procedure does.
    const char* summary() const { return mSummary.c_str(); }
    const CommandDescriptor& grammar() const { return mGrammar; }

    // Parses the command held by tokens (its first token is the command name; the stream is
    // moved back to its start first) and validates it against data. Every finding has been
    // reported through the host's error service when this returns. Never throws.
    RunResult run(TAVO_TokenSequence& tokens, const TAVO_DataSource& data) const;

  protected:
    // The derived procedure declares its grammar into mGrammar in its constructor.
    Procedure(const char* name, const char* title, const char* summary)
        : mGrammar(name, title), mSummary(summary) {}

    // Reads the parsed command and checks its values and variable lists; answers false at the
    // first failure, after reporting it and recording through check where it was.
    virtual bool validate(const CommandSpec& spec, Validation& check) const = 0;

    CommandDescriptor mGrammar;

  private:
    std::string mSummary;
};

// Every sample procedure, in a fixed order.
const std::vector<const Procedure*>& AllProcedures();

// The procedure whose name the command's first token begins with (CheckCommandName), or null.
// The stream is left at its start.
const Procedure* FindProcedure(TAVO_TokenSequence& tokens);

// Parses a command without a grammar: only subcommands, parameters and parentheses count.
// validated mirrors the parse, as there is nothing to validate.
RunResult ParseWithoutGrammar(TAVO_TokenSequence& tokens);

}  // namespace examples

#endif
