#ifndef UPARSER_PARSERVALIDATOR_H
#define UPARSER_PARSERVALIDATOR_H

#include <map>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParserMessage.h"
#include "uparser/VariableLocation.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/VarName.h"

class CommandDescriptor;

// The variables named anywhere in one command, by name (case does not matter), each with the
// place where it was first named. A name passed a second time is reported with both places.
// Parameter and subcommand names may be null, which counts as empty.
//
// When memory runs out, or the dictionary throws, the exception passes to the caller; a name
// is registered whole or not at all, and the duplicate reported last stays one duplicate. An
// object is used by one thread at a time.
class UPARSER_API ParserValidator {
  public:
    ParserValidator();
    ParserValidator(const std::string& commandName, const TAVO_DataSource* dataSource,
                    bool numericVars = false);
    // Command name and procedure title come from the descriptor.
    ParserValidator(const CommandDescriptor& command, const TAVO_DataSource* dataSource,
                    bool numericVars = false);

    void SetNumericVars(bool numericVars) { mNumericVars = numericVars; }
    bool GetNumericVars() const { return mNumericVars; }
    void SetErrorReport(bool report) { mErrorReport = report; }
    bool GetErrorReport() const { return mErrorReport; }

    // Tells observer of every message (Diagnostic.h). The validator sees names, not tokens:
    // its messages point at the range set last, which a caller sets to the token of the name
    // it is about to pass.
    void SetDiagnosticObserver(DiagnosticObserver* observer) {
        mMessage.SetDiagnosticObserver(observer);
    }
    void SetDefaultRange(const SourceRange& range) { mMessage.SetDefaultRange(range); }

    // The dictionary index, negative when there is none (reported when error reports are on).
    // Without a data source every name is unknown.
    int GetVarIndex(const TavoVarName& name, const char* paramName, const char* subComName) const;
    // The same, and the variable must be numeric whatever GetNumericVars() says; -1 otherwise.
    int GetNumericVarIndex(const TavoVarName& name, const char* paramName,
                           const char* subComName) const;

    // Registers the name at this place and looks it up; -1 for a name registered before (the
    // first place is kept and reported as "already used" / "cannot be used for").
    int ValidateNewVar(const TavoVarName& name, const char* paramName, const char* subComName);
    int ValidateOtherVar(const TavoVarName& name, const char* paramName, const char* subComName);
    // Name by name until the first failure; indices holds the indices found before it.
    bool ValidateNewVarList(const std::vector<TavoVarName>& names, std::vector<int>& indices,
                            const char* paramName, const char* subComName);
    bool ValidateOtherVarList(const std::vector<TavoVarName>& names, std::vector<int>& indices,
                              const char* paramName, const char* subComName);

    // The last duplicate found: its name as passed, where it came again, where it came first.
    // False when no duplicate has been found.
    bool GetDuplicationInfo(TavoVarName& name, VariableLocation& location,
                            VariableLocation& previousLocation) const;

  private:
    void SetDuplicationInfo(const TavoVarName& name, const VariableLocation& location,
                            const VariableLocation& previousLocation);
    void ResetDuplicationInfo();
    // Both registries share one map; twoLists selects the wording of the duplicate message.
    int Register(const TavoVarName& name, const char* paramName, const char* subComName,
                 bool twoLists);

    const TAVO_DataSource* mDataSource;
    ParserMessage mMessage;
    bool mNumericVars;
    bool mErrorReport;
    std::map<TavoVarName, VariableLocation> mVarLocations;
    TavoVarName mDupVarName;
    VariableLocation mDupLocation;
    VariableLocation mPrevLocation;
};

#endif
