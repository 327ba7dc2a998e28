#ifndef EXAMPLES_PROCEDURES_VALIDATION_H
#define EXAMPLES_PROCEDURES_VALIDATION_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserValidator.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/VarSpecObj.h"
#include "uparser/host/DataSource.h"

namespace examples {

// The range of all tokens, or the whole command when there are none.
SourceRange RangeOf(const std::vector<TokenInfoObj>& tokens);
// The token that spells name (ignoring case), else RangeOf(tokens): where a finding about a
// name that came from tokens points.
SourceRange RangeOfName(const std::vector<TokenInfoObj>& tokens, const std::string& name);
// The tokens that spell the names of a crossed list (a BY b * c): every other token, when the
// list has that shape; else none, and findings about its names point at the whole list.
std::vector<TokenInfoObj> CrossedNameTokens(const std::vector<TokenInfoObj>& tokens);
// The tokens that spell the count variables of a category table: its first tokens, before the
// first ";".
std::vector<TokenInfoObj> TableNameTokens(const std::vector<TokenInfoObj>& tokens,
                                          std::size_t count);

// What a procedure needs while it checks one parsed command: the dictionary, one registry of
// the variables named across the command, a message object for the procedure's own findings,
// and the result in which accepted lists and the point of failure are recorded.
class Validation {
  public:
    // The observer, when given, hears every message of the lists, the registry and the
    // procedure's own findings.
    Validation(const CommandDescriptor& grammar, const TAVO_DataSource& data, RunResult& result,
               DiagnosticObserver* observer = nullptr);

    const TAVO_DataSource& data() const { return mData; }
    const CommandDescriptor& grammar() const { return mGrammar; }
    // Each variable may stand in one of the lists passed through here: a second use is
    // reported with both places.
    ParserValidator& registry() { return mRegistry; }
    // For findings of the procedure itself; carries the command name and procedure title.
    const ParserMessage& message() const { return mMessage; }
    DiagnosticObserver* observer() const { return mObserver; }

    // A list validator whose messages name this parameter and subcommand.
    VarSpecObj newList(const std::string& subCom, const std::string& param,
                       bool numericOnly = false) const;

    void accept(const std::string& subCom, const std::string& param, const std::string& role,
                const std::vector<int>& indices,
                std::vector<std::pair<std::string, std::string>> qualifiers = {});

    // Record where validation stopped; all answer false so that a check can end with them. The
    // stopIn forms are for variable lists.
    bool stopAt(const std::string& subCom, const std::string& param, const TokenInfoObj& token);
    // At tokens[hint] when that exists, else at the first plain word that names no variable of
    // the dictionary (or, for a list of numeric variables, a string variable), else at the
    // first token.
    bool stopIn(const std::string& subCom, const std::string& param,
                const std::vector<TokenInfoObj>& tokens, int hint = -1, bool numericOnly = false);
    // At the first token spelling name (ignoring case), else as stopIn.
    bool stopAtName(const std::string& subCom, const std::string& param,
                    const std::vector<TokenInfoObj>& tokens, const std::string& name);

    // Passes the variables of list through the registry as one list; on a variable already
    // named elsewhere, stops at its token.
    bool registerList(const std::string& subCom, const std::string& param, const VarSpecObj& list,
                      const std::vector<TokenInfoObj>& tokens);
    // Passes the variables of list, read from tokens, through registry one by one
    // (ValidateOtherVar; ValidateNewVar with asNew), each finding pointing where its variable
    // was written: its element of list (a name, a TO range, ALL) when the list kept one, else
    // the token that spells its name, else all of tokens. found receives the indices passed
    // before a failure.
    bool registerEach(ParserValidator& registry, const VarSpecObj& list,
                      const std::vector<TokenInfoObj>& tokens, const std::string& subCom,
                      const std::string& param, std::vector<int>& found,
                      bool asNew = false) const;

    std::vector<TavoVarName> namesOf(const std::vector<int>& indices) const;

    // After a failed dependents BY factors WITH covariates list: when every name is known, at
    // the string variable among the covariates (which must be numeric), else as stopIn.
    bool stopInModel(const std::string& subCom, const std::string& param,
                     const std::vector<TokenInfoObj>& tokens);

    // The values of the qualifier list that followed a validated list, each checked against
    // the qualifier of that name in desc (which declares at least one); qualifiers receives
    // the names and values given, in the order of desc. False, after reporting, at the first
    // that does not fit.
    bool checkQualifiers(const std::string& subCom, const std::string& param,
                         const VarSpecObj& list, const ParamDescriptor& desc,
                         std::vector<std::pair<std::string, std::string>>& qualifiers);

    // The rows of a category list: after the variables, ";", one value per variable and a
    // code. Every value must read as a value of its variable.
    bool checkCategoryValues(const std::string& subCom, const std::string& param,
                             const std::vector<int>& indices,
                             const std::vector<TokenInfoObj>& tokens);

  private:
    // stopAt for a token of a variable list, noting whether it names no variable (and so
    // expected one, numeric when the list takes only those).
    bool stopInList(const std::string& subCom, const std::string& param, const TokenInfoObj& token,
                    bool numericOnly);

    const CommandDescriptor& mGrammar;
    const TAVO_DataSource& mData;
    RunResult& mResult;
    DiagnosticObserver* mObserver;
    ParserValidator mRegistry;
    ParserMessage mMessage;
};

}  // namespace examples

#endif
