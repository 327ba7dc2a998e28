#ifndef UPARSER_VARSPECOBJ_H
#define UPARSER_VARSPECOBJ_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParserMessage.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/VarName.h"

class CommandDescriptor;
class ParamDescriptor;
class ParamObj;

// One validated list of dictionary variables for one parameter of one subcommand: which
// variables were named, in which order, and the tokens of a qualifier list that followed them.
// Every rule that fails is reported through the object's own ParserMessage, worded with the
// object's parameter and subcommand names.
//
// A message marked "guarded" below is given only while SetErrorReport(true) (the default);
// the result of an operation never depends on that setting.
//
// Every operation that looks variables up needs a data source; calling one on an object without
// a data source is a broken precondition of the caller, and so is an index outside
// [0, ColumnCount).
//
// When memory runs out (std::bad_alloc) or the dictionary or the value conversion throws, the
// exception passes to the caller and every object the operation touched stays consistent: a
// list holds exactly the variables its flags say. Exclusions and assignment leave the object
// as it was. An object is used by one thread at a time; any number of them, on any threads,
// may share one dictionary that nobody changes.
class UPARSER_API VarSpecObj {
  public:
    VarSpecObj();
    VarSpecObj(const std::string& paramName, const std::string& subComName,
               const std::string& commandName, const TAVO_DataSource* dataSource,
               bool numericVars = false);
    // Command name and procedure title come from the descriptor.
    VarSpecObj(const std::string& paramName, const std::string& subComName,
               const CommandDescriptor& command, const TAVO_DataSource* dataSource,
               bool numericVars = false);
    VarSpecObj(const VarSpecObj& other);
    // Moves never throw, so that vectors of lists (blocks) move them instead of copying.
    VarSpecObj(VarSpecObj&& other) noexcept;
    VarSpecObj& operator=(const VarSpecObj& other);
    VarSpecObj& operator=(VarSpecObj&& other) noexcept;
    ~VarSpecObj();

    // Settings back to their defaults (mNumericVars, names and lists stay); the flags follow
    // the dictionary's current size.
    void InitMembers();

    void SetNumericVars(bool numericVars) { mNumericVars = numericVars; }
    bool GetNumericVars() const { return mNumericVars; }
    void SetAllVarsByDefault(bool allVars) { mAllVarsByDefault = allVars; }
    bool GetAllVarsByDefault() const { return mAllVarsByDefault; }
    void SetAllowQualifiers(bool allow) { mAllowQualifiers = allow; }
    bool GetAllowQualifiers() const { return mAllowQualifiers; }
    void SetErrorReport(bool report) { mErrorReport = report; }
    bool GetErrorReport() const { return mErrorReport; }
    // Kept for the procedure; nothing in the library reads it.
    void SetWarningReport(bool report) { mWarningReport = report; }
    bool GetWarningReport() const { return mWarningReport; }
    // Tells observer of every message of this list (Diagnostic.h); copies keep it. A message
    // about one token of a list points at that token, and one about a variable of a list
    // already read at the element that brought it in (GetElementRange); any other points at
    // the tokens last given to an operation (the whole command for an empty list), or at the
    // range set here for the operations that take names without their tokens.
    void SetDiagnosticObserver(DiagnosticObserver* observer) {
        mMessage.SetDiagnosticObserver(observer);
    }
    void SetDefaultRange(const SourceRange& range) { mMessage.SetDefaultRange(range); }
    // Where the element of the list that brought variable index in was written: its name, its
    // "a TO b" (for the variables after a) or its ALL. The later checks of a list (subsets,
    // variables shared with another list, factors and covariates) point their findings there,
    // and a procedure may do the same for its own. Kept only while an observer is attached,
    // as nothing else needs it; Unknown without one, and for a variable that came in by index
    // or by a name given without its token.
    SourceRange GetElementRange(int index) const;
    // Replaces the catalog message when an exclusion leaves no variables; "" restores it.
    void SetNoVarsMessage(const std::string& text) { mNoVarsMessage = text; }
    const std::string& GetNoVarsMessage() const { return mNoVarsMessage; }

    const std::vector<int>& GetValidVarList() const { return mValidVarList; }
    const std::vector<TokenInfoObj>& GetQualTokenList() const { return mQualTokenList; }
    int GetNValidVars() const { return static_cast<int>(mValidVarList.size()); }
    // The index when the list holds exactly one entry, else -1.
    int GetValidVarInd() const;
    // False for any index that is not in the list, including indices outside the dictionary.
    bool IsValidVariable(int index) const { return mValidVarFlags.test(index); }
    void ClearVarInfo();
    // Dictionary order.
    void ReorderValidVarList();

    // Look-ups: the dictionary index or -1 (guarded reports); the lists are not changed.
    int GetVarIndex(const TavoVarName& name) const;
    int GetVarIndex(const TokenInfoObj& token) const;
    // On success the list becomes exactly this variable.
    int ValidateVariable(const TavoVarName& name);
    int ValidateVariable(const TokenInfoObj& token);
    // The list becomes exactly this index, even when the numeric check then fails.
    bool SetVariable(int index);
    // For a variable about to be created: the index of an existing variable of that name
    // (reported, and the list becomes that variable), else the negative look-up result.
    int CheckNewVariable(const TavoVarName& name);

    // The token-list validator: names, ranges "a TO b", "ALL", then an optional qualifier list.
    // pos is the first token and is advanced past what was consumed. word names the keyword
    // that introduced the list (for the message when no list follows); with checkEnd, only the
    // end of the list may follow a qualifier list.
    bool ValidateVariables(const std::vector<TokenInfoObj>& tokens,
                           UPSpecTypes::RepeatVarOptions repeat, int& pos, const char* word,
                           bool checkEnd);
    bool ValidateVariables(const std::vector<TokenInfoObj>& tokens,
                           UPSpecTypes::RepeatVarOptions repeat);
    bool ValidateVariables(const std::vector<TavoVarName>& names,
                           UPSpecTypes::RepeatVarOptions repeat);
    // The same for names that a procedure took from a parsed value (a crossed list, the
    // variables of a category table), with the token that spelled each: a message about
    // names[k] points at nameTokens[k]. Tokens whose count differs from the names' are ignored
    // and the messages fall back as above.
    bool ValidateVariables(const std::vector<TavoVarName>& names,
                           UPSpecTypes::RepeatVarOptions repeat,
                           const std::vector<TokenInfoObj>& nameTokens);
    bool SetVariables(const std::vector<int>& indices, UPSpecTypes::RepeatVarOptions repeat);

    // Every variable of the dictionary, then ExcludeCommonVars(others, level).
    bool ValidateAllVars(const std::vector<const VarSpecObj*>& others,
                         UPSpecTypes::MessageLevels level);
    // Every categorical (catVars) or every non-categorical variable; the latter must be
    // numeric.
    bool ValidateAllVars(bool catVars, const std::vector<const VarSpecObj*>& others,
                         UPSpecTypes::MessageLevels level);
    // Splits the dictionary: categorical variables here, the others (numeric) into contSpec.
    bool ValidateAllVars(VarSpecObj& contSpec, const std::vector<const VarSpecObj*>& others,
                         UPSpecTypes::MessageLevels level);

    // A free variable name made from root: root itself, else root_1, root_2, ...
    bool NewVarNameByRoot(const TavoVarName& root, TavoVarName& newName) const;
    // count free names root_01 ... root_NN (zero-padded to the digits of count); when any is
    // taken, the whole set with a further suffix _1, _2, ...  newNames changes only on success.
    // A count below 1 gives no name and true. The cost is linear in count and in the
    // dictionary's size; room for count names is taken first, so a count that memory cannot
    // hold throws std::bad_alloc at once.
    bool NewVarNamesByRoot(const TavoVarName& root, int count,
                           std::vector<TavoVarName>& newNames) const;

    // Between lists; an object has nothing in common with itself.
    bool CheckCommonVars(const VarSpecObj& other) const;
    int GetCommonVars(const VarSpecObj& other, std::vector<int>& common) const;
    bool ExcludeCommonVars(const VarSpecObj& other, UPSpecTypes::MessageLevels level);
    bool ExcludeCommonVars(const std::vector<const VarSpecObj*>& others,
                           UPSpecTypes::MessageLevels level);
    bool CheckVarListSubset(const VarSpecObj& other) const;

    // The qualifier list (name = value ...) split by qualifier name: one token per name, in the
    // order of names; a default token where no value was given. Needs accepted variables.
    bool SplitQualValues(const std::vector<std::string>& names,
                         std::vector<TokenInfoObj>& values) const;
    // Single variables, each with its own optional qualifier list; quals[k] belongs to
    // GetValidVarList()[k]. Variables listed by others are dropped silently.
    bool ValidateVarsAndQuals(const std::vector<TokenInfoObj>& tokens, std::vector<ParamObj>& quals,
                              const std::vector<const VarSpecObj*>& others,
                              const ParamDescriptor* qualDesc);
    bool ValidateVarsAndQuals(const std::vector<TokenInfoObj>& tokens, std::vector<ParamObj>& quals,
                              const ParamDescriptor* qualDesc, const VarSpecObj* other);
    // Variable lists each ended by its own qualifier list, one new object per block; a variable
    // named in two blocks stays only in the later one. This object is not changed.
    bool ValidateVarBlocksAndQuals(const std::vector<TokenInfoObj>& tokens,
                                   std::vector<VarSpecObj>& blocks,
                                   const std::vector<const VarSpecObj*>& others) const;
    // Reads a category value typed by the user as a value of the one accepted variable. obs is
    // (re)allocated here and must be given back with ReleaseOBS whatever the result.
    bool ValidateCatValue(const std::string& value, OBS*& obs, TAVO_Format& format) const;
    static void ReleaseOBS(OBS*& obs);

    // dependents BY factors WITH covariates, from pos on (which must be BY or WITH).
    bool ValidateFactAndCovar(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                              VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                              int& pos, const std::vector<const VarSpecObj*>& others);
    // Exactly one dependent, then BY/WITH lists.
    bool ValidateRegrVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                             VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                             const std::vector<const VarSpecObj*>& others);
    bool ValidateRegrVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                             VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                             const VarSpecObj* other);
    // One or more dependents (a full variable list), then BY/WITH lists.
    bool ValidateRegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                               VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                               const std::vector<const VarSpecObj*>& others);
    // The same with every dependent a single variable with its own qualifier list.
    bool ValidateRegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                               VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                               const std::vector<const VarSpecObj*>& others,
                               std::vector<ParamObj>& quals, const ParamDescriptor* qualDesc);
    // The tokens before the first BY or WITH; pos is left on that keyword (or the end).
    bool GetDependVarTokens(const std::vector<TokenInfoObj>& tokens,
                            std::vector<TokenInfoObj>& dependents, int& pos);
    // Every variable of this list must be a factor or a covariate (at least one given).
    bool CheckFactAndCovar(const VarSpecObj* factors, const VarSpecObj* covariates) const;

  protected:
    bool AddNewValidVar(int index, UPSpecTypes::RepeatVarOptions repeat);
    bool ProcessVarInterval(int first, int last, UPSpecTypes::RepeatVarOptions repeat);
    // A variable list can start at pos / the variable list ends at pos.
    bool AtGlobalVar(const std::vector<TokenInfoObj>& tokens, const int& pos) const;
    bool AtBlockVarListEnd(const std::vector<TokenInfoObj>& tokens, const int& pos) const;
    // Collects the tokens of a "( ... )" at pos into quals (not emptied first); no "(" is fine.
    bool ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos,
                           std::vector<TokenInfoObj>& quals, const char* word, bool single,
                           bool checkEnd) const;
    bool ProcessQualTokens(const std::vector<TokenInfoObj>& tokens, int& pos, const char* word,
                           bool single, bool checkEnd);

  private:
    // Membership of dictionary indices, answered in constant time. A list is usually short
    // against the dictionary, and blocks copy the object once per block, so a dense
    // dictionary-sized array would make every copy, clear and allocation cost O(m). Small sets
    // live in an open-addressing hash table sized by the set; once the set reaches 1/64 of the
    // dictionary a bitmap is no larger than that table and takes over. clear() releases
    // whichever is in use, so it never walks the dictionary.
    class FlagSet {
      public:
        void setColumns(unsigned columns) { mColumns = columns; }
        unsigned columns() const { return mColumns; }
        bool test(int index) const;
        void set(int index);
        void clear();

      private:
        bool sparseFind(int index, std::size_t& slot) const;
        void sparseGrow();
        void makeDense();

        unsigned mColumns = 0;
        std::size_t mCount = 0;
        unsigned mShift = 0;
        std::vector<int> mSlots;      // sparse: -1 marks a free slot
        std::vector<uint64_t> mBits;  // dense when not empty
    };

    const char* VarName(int index) const;
    bool IsNumericVar(int index) const;
    // GetVarIndex for text already known to be a valid name; name, when given, is that text as
    // a name, else one is made only if a message needs it.
    int LookUpVarName(const char* text, const TavoVarName* name) const;
    // GetVarIndex for a token that has passed IsVarName.
    int NameTokenIndex(const TokenInfoObj& token) const;
    void AppendValid(int index);
    // Drops from the list every index flagged by a non-null entry of others other than this
    // object, or by extra.
    void RemoveFlagged(const VarSpecObj* const* othersBegin, const VarSpecObj* const* othersEnd,
                       const FlagSet* extra);
    // The report of an exclusion that left the list empty.
    void ReportNoVars(UPSpecTypes::MessageLevels level, const char* paramName) const;
    // BY and WITH end lists from now on.
    void SetListCounters();
    // Messages without a token of their own point at these tokens from now on.
    void NoteTokens(const std::vector<TokenInfoObj>& tokens);
    // Points the next message at the last token of tokens that names variable index, when one
    // does; a variable that a range or ALL brought in has none.
    void AtVariable(const std::vector<TokenInfoObj>& tokens, int index) const;
    // Notes, while an observer listens, that the tokens first..last brought in the variables
    // lo..hi; AtElement points the next message at the element that brought index in. The
    // check is inline: an unobserved list pays a branch per name, not a call.
    void NoteElement(int lo, int hi, const TokenInfoObj& first, const TokenInfoObj& last) {
        if (mMessage.GetDiagnosticObserver() != nullptr) {
            AddElement(lo, hi, first, last);
        }
    }
    void AddElement(int lo, int hi, const TokenInfoObj& first, const TokenInfoObj& last);
    void AtElement(int index) const;
    // ValidateVariables over names; nameTokens, when given, holds one token per name.
    bool ValidateNames(const std::vector<TavoVarName>& names, UPSpecTypes::RepeatVarOptions repeat,
                       const TokenInfoObj* nameTokens);
    enum class QualifierFault { None, Unknown, Repeated, BadValue };
    void AimAtQualifiers(const std::vector<TokenInfoObj>& tokens, int start, int pos) const;
    void ReportQualifiers(bool noneAllowed, const char* word, bool single) const;
    void ReportQualifierValue(QualifierFault fault, const TavoVarName& variable,
                              const char* written) const;
    bool ReadVarAndQuals(const std::vector<TokenInfoObj>& tokens, int& pos,
                         std::vector<TokenInfoObj>& varQuals,
                         const std::vector<const VarSpecObj*>& others,
                         const ParamDescriptor* qualDesc, std::vector<ParamObj>& quals);
    bool HeldByOthers(int index, const std::vector<const VarSpecObj*>& others) const;
    bool ReadVarBlocks(const std::vector<TokenInfoObj>& tokens,
                       std::vector<VarSpecObj>& found) const;
    static bool ConvertCatValue(const std::string& value, int type, OBS*& obs, TAVO_Format& format);
    void ReportMissingList(const std::vector<TokenInfoObj>& tokens, int pos, const char* word) const;
    bool VarListEndsAt(const std::vector<TokenInfoObj>& tokens, int pos) const;
    bool ReadAllVariables(const std::vector<TokenInfoObj>& tokens, int columns,
                          UPSpecTypes::RepeatVarOptions repeat, int& pos);
    bool ReadNamedVariables(const std::vector<TokenInfoObj>& tokens,
                            UPSpecTypes::RepeatVarOptions repeat, int& pos,
                            const TokenInfoObj*& lastName);
    bool SkipRangeWord(const std::vector<TokenInfoObj>& tokens, bool afterRange, int& pos) const;
    bool ReadFactorPart(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                        VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat, int& pos);
    bool ReadAllFactors(const std::vector<TokenInfoObj>& tokens, VarSpecObj& target, bool factors,
                        int& pos);
    bool ExcludeFromFactors(VarSpecObj& factors, VarSpecObj& covariates,
                            const std::vector<const VarSpecObj*>& others) const;
    bool RegrMDVarList(const std::vector<TokenInfoObj>& tokens, VarSpecObj& factors,
                       VarSpecObj& covariates, UPSpecTypes::RepeatVarOptions repeat,
                       const std::vector<const VarSpecObj*>& others, std::vector<ParamObj>* quals,
                       const ParamDescriptor* qualDesc);

    const TAVO_DataSource* mDataSource;
    std::string mParamName;
    std::string mSubComName;
    ParserMessage mMessage;
    bool mNumericVars;
    bool mAllVarsByDefault;
    bool mAllowQualifiers;
    bool mErrorReport;
    bool mWarningReport;
    std::string mNoVarsMessage;
    std::vector<int> mValidVarList;
    FlagSet mValidVarFlags;
    std::vector<TokenInfoObj> mQualTokenList;
    // One entry per element as written (a name, a range, ALL), not per variable, so that a
    // range over the whole dictionary costs one entry; filled only while observed.
    struct Element {
        int lo;
        int hi;
        SourceRange range;
    };
    std::vector<Element> mElements;
    int mByCount;
    int mWithCount;
};

#endif
