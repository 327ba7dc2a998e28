#ifndef UPARSER_PARSERMESSAGE_H
#define UPARSER_PARSERMESSAGE_H

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "uparser/Diagnostic.h"
#include "uparser/Export.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/host/VarName.h"

class FacSTDictionary;
class ParamDescriptor;
class TokenInfoObj;

// Tells a message object where the finding it is about to report stands, when the reporter
// said nothing more precise (ParserMessage::At). The parser answers with the token it holds,
// or the end of the command once its tokens ran out. Asked only while an observer listens.
class UPARSER_API DiagnosticLocator {
  public:
    virtual ~DiagnosticLocator();
    virtual SourceRange currentRange() const = 0;
};

// The library's only channel to the user. Every finding has a reporting method of its own; the
// method picks the English text and the arguments, and the object adds the context it carries
// (command, procedure, current subcommand group), translates through the host's string table
// and hands the result to the host's error service.
//
// Conventions of the reporting methods: they are const, return nothing and never throw. Names
// and texts may be null; a null or empty parameter or subcommand name means "not given". A null
// argument ends the argument list where it stands, so later placeholders stay unfilled. A
// report that memory is too short to build goes out as InsufficientParsingMemory's text
// instead; whatever else the string table or the error service throws ends the report silently.
// An object is used by one thread at a time; each owns its string-table dictionary.
class UPARSER_API ParserMessage {
  public:
    ParserMessage();
    explicit ParserMessage(int groupIndex);
    ParserMessage(int groupIndex, char const* groupMsgText);
    // Every object owns a dictionary of its own; copies create a fresh one. A move hands the
    // dictionary over, so that containers of objects holding a ParserMessage move them without
    // allocating; the moved-from object translates nothing until it is assigned again.
    ParserMessage(const ParserMessage& other);
    ParserMessage(ParserMessage&& other) noexcept;
    ParserMessage& operator=(const ParserMessage& other);
    ParserMessage& operator=(ParserMessage&& other) noexcept;
    ~ParserMessage();

    void SetCommandName(char const* name);
    char const* GetCommandName() const;
    // Also tells the dictionary which procedure's translations to use.
    void SetProcedureTitle(char const* title);
    char const* GetProcedureTitle() const;
    void SetGroupIndex(int index);
    int GetGroupIndex() const;
    void SetGroupMsgText(char const* text);
    char const* GetGroupMsgText() const;
    void SetGroupSepName(char const* name);
    char const* GetGroupSepName() const;

    // Diagnostic records (Diagnostic.h), beside what the error service receives and changing
    // nothing of it. Every emission through this object tells the observer, when one is
    // attached, its catalog entry, arguments, level and range. Copies keep the observer (a
    // copied variable list reports to the same host) and the default range, but not the
    // locator, which points into the object that owns this message: that owner attaches its
    // own. Moves take all three.
    void SetDiagnosticObserver(DiagnosticObserver* observer);
    DiagnosticObserver* GetDiagnosticObserver() const { return mObserver; }
    void SetDiagnosticLocator(const DiagnosticLocator* locator);
    // Where a report points when neither At nor a locator says more.
    void SetDefaultRange(const SourceRange& range);
    const SourceRange& GetDefaultRange() const { return mDefaultRange; }
    // Points the next report of this object at range (or token); the report after it falls
    // back to the locator and the default range again. Costs nothing without an observer, so
    // reporters call it unconditionally: message.At(token).VariableNotInDict(...).
    const ParserMessage& At(const SourceRange& range) const;
    const ParserMessage& At(const TokenInfoObj& token) const;
    const ParserMessage& At(const TokenInfoObj& first, const TokenInfoObj& last) const;
    // The reporter now looks at token: reports without At point there, until it looks
    // elsewhere. For a check that may or may not report, where At would be left for a later,
    // unrelated report. Costs nothing without an observer.
    const ParserMessage& LookAt(const TokenInfoObj& token) const;
    const ParserMessage& LookAt(const TokenInfoObj& first, const TokenInfoObj& last) const;
    // While a Subject lives, reports without At point at its range rather than where the
    // locator or the default range would, and then at what was there before. For a check that
    // is handed someone else's message object: ParamObj::canGetValue gets the parser's, whose
    // current token already lies past the value. Nothing happens without an observer.
    class UPARSER_API Subject {
      public:
        Subject(const ParserMessage* message, const TokenInfoObj& first, const TokenInfoObj& last);
        Subject(const Subject&) = delete;
        Subject& operator=(const Subject&) = delete;
        ~Subject();

      private:
        const ParserMessage* mMessage = nullptr;
        const SourceRange* mPrevious = nullptr;
        SourceRange mRange;
    };

    // The range the next report would get.
    SourceRange CurrentRange() const;

    // Direct route: the text goes out untranslated (the output service translates it).
    void SimpleMessage(char const* text, bool warning, char const* a1 = nullptr,
                       char const* a2 = nullptr, char const* a3 = nullptr, char const* a4 = nullptr,
                       char const* a5 = nullptr) const;
    void SimpleError(char const* text, char const* a1 = nullptr, char const* a2 = nullptr,
                     char const* a3 = nullptr, char const* a4 = nullptr,
                     char const* a5 = nullptr) const;
    void SimpleWarning(char const* text, char const* a1 = nullptr, char const* a2 = nullptr,
                       char const* a3 = nullptr, char const* a4 = nullptr,
                       char const* a5 = nullptr) const;

    // Group-aware route: prefixed with the current group's context when there is one.
    void GenericMessage(char const* text, bool warning, char const* a1 = nullptr,
                        char const* a2 = nullptr, char const* a3 = nullptr,
                        char const* a4 = nullptr, char const* a5 = nullptr) const;
    void GenericError(char const* text, char const* a1 = nullptr, char const* a2 = nullptr,
                      char const* a3 = nullptr, char const* a4 = nullptr,
                      char const* a5 = nullptr) const;
    void GenericWarning(char const* text, char const* a1 = nullptr, char const* a2 = nullptr,
                        char const* a3 = nullptr, char const* a4 = nullptr,
                        char const* a5 = nullptr) const;

    std::string GetTranslatedText(char const* text, char const* a1 = nullptr,
                                  char const* a2 = nullptr, char const* a3 = nullptr,
                                  char const* a4 = nullptr, char const* a5 = nullptr) const;
    // The current group's context, or an empty string outside a group.
    std::string TranslateGroupMsgText() const;
    // "parameter P of subcommand S", "subcommand S", "parameter P" or the command line.
    std::string GetLocString(char const* param, char const* subCom) const;
    std::string GetLocStringCap(char const* param, char const* subCom) const;

    bool IsName(char const* name) const;
    bool EqualName(char const* name1, char const* name2) const;
    bool EqualLocation(char const* param1, char const* subCom1, char const* param2,
                       char const* subCom2) const;

    // Direct-route messages.
    void TooManyGroups(int count) const;
    void ModeUnknown(char const* mode) const;
    void NoTableRequested() const;
    void NoTableChartRequest() const;
    void DisableSplit() const;
    void DisableWeight() const;
    void InvalidSubComName(char const* name) const;
    void FileNameInvalid(char const* file) const;
    void FileNoAccess(char const* file) const;
    void FileNoSystem(char const* file) const;
    void SubComNotForBeta(char const* subCom) const;
    void ParamNotForBeta(char const* param, char const* subCom) const;
    void SubComRequired(std::vector<std::string> const& names) const;
    void NeedDepVarCatBinomSplits(TavoVarName var, char const* param, char const* subCom) const;
    void DependVarConstSplits(TavoVarName var, char const* param, char const* subCom) const;
    void AbsentCatValueSplits(char const* varName, char const* value, char const* param,
                              char const* subCom) const;
    void AbsentDepValueSplits(char const* varName, char const* value, char const* param,
                              char const* subCom) const;

    // Command, group and subcommand structure.
    void InsufficientParsingMemory() const;
    void CommandEmpty() const;
    void InvalidSubComComb() const;
    void NoGroup() const;
    void NoSubCom() const;
    void NoGroupInfo() const;
    void NoSubComInfo() const;
    void NoMode() const;
    void SubComNotAllowed(char const* subCom) const;
    void SubComNotAtStart(char const* subCom) const;
    void SubComRequired(char const* subCom) const;
    void SubComNeedSubCom(char const* subCom, char const* otherSubCom) const;
    void NeedSubComForMode(char const* subCom, char const* mode) const;
    void NeedSubComForParam(char const* subCom, char const* param, char const* value) const;
    void IgnoreSubComForParam(char const* subCom, char const* param, char const* value) const;
    void NeedSubComOtherValue(char const* subCom, char const* param, char const* value) const;
    void SubComRepeated(char const* subCom) const;
    void SubComEmpty(char const* subCom) const;
    void SubComExclusive(char const* subCom, char const* otherSubCom) const;
    void SubComUnknown(char const* subCom) const;
    void SubComNoGroupAllowed(char const* subCom) const;
    void SubComNewGroup(char const* subCom) const;
    void SubComRepeatInGroup(char const* subCom) const;
    void SubComNeedGroup(char const* subCom) const;
    void SubComFirstGroup(char const* subCom) const;
    void SubComOnlyOneMode(char const* subCom, char const* mode) const;
    void SubComOtherMode(char const* subCom, char const* mode) const;
    // subCom must not be null; the empty text stands for the global subcommand.
    void ParenNotAllowed(char const* subCom) const;
    void ParenRequired(char const* subCom) const;
    void TooManyParam(char const* subCom, int count) const;

    // Parameters.
    void ParamNoSubCom(char const* param) const;
    void SubComOnlyOneParam(char const* param, char const* subCom) const;
    void ParamOnlyOneMode(char const* param, char const* subCom, char const* mode) const;
    void ParamOtherMode(char const* param, char const* subCom, char const* mode) const;
    void ParamRepeated(char const* param, char const* subCom) const;
    void InvalidParam(char const* name, char const* subCom) const;
    void InvalidParamWithWeight(char const* name, char const* subCom) const;
    void IgnoredParam(char const* param, char const* subCom) const;
    void IgnoredParamOtherParamValue(char const* param, char const* otherParam, char const* value,
                                     char const* subCom) const;
    void IgnoredParamOtherSubcom(char const* param, char const* subCom,
                                 char const* otherSubCom) const;
    void IgnoredParamSplitFile(char const* param, char const* subCom) const;
    void IgnoredParamThisMode(char const* param, char const* subCom) const;
    void ParamOnlyInFirstGroup(char const* param, char const* subCom) const;
    void ParamRequiredForSubCom(char const* param, char const* subCom) const;
    void ParamNotAtStart(char const* param, char const* subCom) const;
    void ParamRequiredFirstGroup(char const* param, char const* subCom) const;
    void NeedParamNonFinalGroup(char const* param) const;
    void ParamNeedParam(char const* param, char const* otherParam, char const* value) const;
    void ParamNeedParamInSubCom(char const* param, char const* otherParam, char const* subCom,
                                char const* value) const;
    void ParamExclusive(char const* param, char const* otherParam, char const* subCom) const;
    void ParamExclAnyOther(char const* param, char const* subCom) const;
    void ParamLessOtherParam(char const* param, char const* otherParam, char const* subCom) const;
    void ParamNeedLessOtherParam(char const* param, char const* otherParam,
                                 char const* subCom) const;
    void SquareBracketRequired(char const* param, char const* subCom) const;
    void KeyWordNoValue(char const* keyword, char const* subCom) const;
    void InvalidKeyWord(char const* keyword, char const* subCom) const;
    void TokenNoQualif(char const* token, char const* subCom) const;
    void ParamNeedQualif(char const* param, char const* subCom, char const* qualifier) const;

    // Parameter values.
    void WrongValueType(char const* param, char const* subCom) const;
    // Reports through the message of the declared type, or the form above for types without one.
    void WrongValueType(char const* param, char const* subCom, UPSpecTypes::ParamSpec type) const;
    void ParamMustBeString(char const* param, char const* subCom) const;
    void ParamQuotedString(char const* param, char const* subCom) const;
    void ParamNeedStringList(char const* param, char const* subCom) const;
    void ParamNeedLiteralList(char const* param, char const* subCom) const;
    void ParamNeedNumber(char const* param, char const* subCom) const;
    void ParamNeedNumberList(char const* param, char const* subCom) const;
    void ParamNeedInteger(char const* param, char const* subCom) const;
    void ParamNeedIntegerList(char const* param, char const* subCom) const;
    void InvalidParamVarName(char const* param, char const* subCom) const;
    void ParamNeedVarList(char const* param, char const* subCom) const;
    void ParamNeedCrossVarList(char const* param, char const* subCom, char const* firstWord,
                               char const* secondWord) const;
    void ParamNeedVarCatList(char const* param, char const* subCom) const;
    void InvalidParamValue(char const* value, char const* param, char const* subCom) const;
    void InvalidParamValue(double value, char const* param, char const* subCom) const;
    void InvalidParamOption(char const* option, char const* param, char const* subCom) const;
    void IgnoredParamValue(char const* param, char const* subCom, char const* value) const;
    void InvalidParamValueThisGroup(char const* param, char const* subCom, char const* value) const;
    void ParamValueRepeat(char const* param, char const* subCom, char const* value) const;
    void TooLongVarList(char const* param, char const* subCom, int maximum) const;
    void SyntaxErrorInParam(char const* symbol, char const* param, char const* subCom) const;
    void ParamValueBreakBdry(double value, double lowerBound,
                             UPSpecTypes::LowerBdryOptions lowerOption, double upperBound,
                             UPSpecTypes::UpperBdryOptions upperOption, char const* param,
                             char const* subCom) const;
    // Names the descriptor's bounds; with a null descriptor the value is simply invalid.
    void ParamValueBreakBdry(double value, ParamDescriptor const* descriptor, char const* param,
                             char const* subCom) const;

    // Files.
    void FileNoAccess(char const* file, char const* param, char const* subCom) const;
    void FileNoSystem(char const* file, char const* param, char const* subCom) const;
    void FileTwoSubCom(char const* file, char const* subCom, char const* otherSubCom) const;

    // Variables and variable lists.
    void VarNameRepeated(TavoVarName var) const;
    void VarAlreadyExist(TavoVarName var, char const* param, char const* subCom) const;
    void OutputVarReused(TavoVarName var, char const* param, char const* subCom) const;
    void OutputVarCreated(TavoVarName var, char const* param, char const* subCom) const;
    void VariableNotInDict(TavoVarName var, char const* param, char const* subCom) const;
    void InvalidVarName(TavoVarName var, char const* param, char const* subCom) const;
    void VariableNotNumeric(TavoVarName var, char const* param, char const* subCom) const;
    void VariableRepeatVarList(TavoVarName var, char const* param, char const* subCom) const;
    void VariableRepeatVarList(TavoVarName var, char const* param1, char const* subCom1,
                               char const* param2, char const* subCom2) const;
    void VariableTwoVarList(TavoVarName var, char const* param1, char const* param2) const;
    void VariableTwoVarList(TavoVarName var, char const* param1, char const* subCom1,
                            char const* param2, char const* subCom2) const;
    // other is the message object of the second list, which may belong to another command or
    // group; may be null.
    void VariableTwoVarList(TavoVarName var, char const* param1, char const* subCom1,
                            char const* param2, char const* subCom2,
                            ParserMessage const* other) const;
    void VariableNeedVarList(TavoVarName var, char const* param1, char const* param2) const;
    void VariableNeedVarList(TavoVarName var, char const* param1, char const* param2,
                             char const* subCom) const;
    void VariableNeedVarList(TavoVarName var, char const* param1, char const* subCom1,
                             char const* param2, char const* subCom2) const;
    void AnyVariableNeedVarList(char const* param1, char const* param2) const;
    void VariableNeedValue(char const* varName, char const* param, char const* subCom) const;
    void WordRepeatVarList(char const* word, char const* param, char const* subCom) const;
    void WordNeedVarName(char const* word, char const* param, char const* subCom) const;
    void KeywordImproperVarList(char const* keyword, char const* param, char const* subCom) const;
    void SyntaxErrorInText(char const* text, char const* param, char const* subCom) const;
    void SyntaxErrorAfterText(char const* text, char const* param, char const* subCom) const;
    void SyntaxErrorInVarList(char const* symbol, char const* listName) const;

    // Dependent variables, factors and covariates.
    void NeedDepVarCat(TavoVarName var, char const* param, char const* subCom) const;
    void NeedDepVarCatBinom(TavoVarName var, char const* param, char const* subCom) const;
    void NeedDepVarCont(TavoVarName var, char const* param, char const* subCom) const;
    void DependVarConst(TavoVarName var, char const* param, char const* subCom) const;
    void VariableDependAndFactor(TavoVarName var, char const* param, char const* subCom) const;
    void VariableDependAndCovariate(TavoVarName var, char const* param, char const* subCom) const;
    void VariableFactorAndCovariate(TavoVarName var, char const* param, char const* subCom) const;
    void NoFactorAfterKeyword(char const* keyword, char const* param, char const* subCom) const;
    void NoCovariateAfterKeyword(char const* keyword, char const* param, char const* subCom) const;
    void ExcludeAllFactorCovariate(char const* param, char const* subCom, bool warning) const;
    void ExcludeAllVariables(char const* param, char const* subCom, bool warning) const;
    void NoDependVar() const;
    void InvalidFactorList() const;
    void InvalidCovariateList() const;
    void InvalidFactorVarName(char const* name, char const* param, char const* subCom) const;
    void InvalidCovariateVarName(char const* name, char const* param, char const* subCom) const;
    void InvalidFactOrCovarVarName(char const* name, char const* param, char const* subCom) const;
    void RepeatFactorVar(char const* name, char const* param, char const* subCom) const;
    void RepeatCovariateVar(char const* name, char const* param, char const* subCom) const;

    // Qualifiers of variables; the VarList forms speak of the last variable of a list.
    void VariableInvalidQualif(TavoVarName var, char const* param, char const* subCom) const;
    void VariableUnknownQualif(TavoVarName var, char const* qualifier, char const* param,
                               char const* subCom) const;
    void VariableRepeatQualif(TavoVarName var, char const* qualifier, char const* param,
                              char const* subCom) const;
    void VariableBadQualValue(TavoVarName var, char const* qualifier, char const* param,
                              char const* subCom) const;
    void VariableBadQualOption(TavoVarName var, char const* qualifier, char const* value,
                               char const* param, char const* subCom) const;
    void VariableNoQualif(TavoVarName var, char const* param, char const* subCom) const;
    void VarListInvalidQualif(char const* varName, char const* param, char const* subCom) const;
    void VarListUnknownQualif(TavoVarName var, char const* qualifier, char const* param,
                              char const* subCom) const;
    void VarListRepeatQualif(TavoVarName var, char const* qualifier, char const* param,
                             char const* subCom) const;
    void VarListBadQualValue(TavoVarName var, char const* qualifier, char const* param,
                             char const* subCom) const;
    void VarListBadQualOption(TavoVarName var, char const* qualifier, char const* value,
                              char const* param, char const* subCom) const;
    void VarListBadQualOptionSplits(TavoVarName var, char const* qualifier, char const* value,
                                    char const* param, char const* subCom) const;
    void VarListNoQualif(char const* varName, char const* param, char const* subCom) const;

    // Category values and fractions.
    void AbsentCatValue(char const* varName, char const* value, char const* param,
                        char const* subCom, bool warning) const;
    void AbsentDepValue(char const* varName, char const* value, char const* param,
                        char const* subCom, bool warning) const;
    void InvalidCatValue(char const* varName, char const* value, char const* param,
                         char const* subCom) const;
    void InvalidCatValue(char const* varName, char const* value, int row, int column) const;
    void SymbolNotNumber(char const* symbol, char const* param, char const* subCom) const;
    void NoNumberAfterSymbol(char const* symbol, char const* param, char const* subCom) const;
    void NoVarNameAfterSymbol(char const* symbol, char const* param, char const* subCom) const;
    void DenomNotNumber(char const* denominator, char const* param, char const* subCom) const;
    void NonPositiveDenom(char const* denominator, char const* param, char const* subCom) const;
    void NoDenominator(char const* numerator, char const* param, char const* subCom) const;

  private:
    // Names the reporting method for the records of the messages emitted while it lives; the
    // outermost one wins, so a method that delegates keeps its own name.
    class ReportScope;

    // Tells the observer of one emission; text, level and the arguments up to the first null
    // one, as the error service got them.
    void notify(char const* text, bool warning, std::initializer_list<char const*> args) const
        noexcept;

    std::string mCommandName;
    std::string mProcedureTitle;
    int mGroupIndex;
    std::string mGroupMsgText;
    int mGroupMsgArgKind;
    std::string mGroupSepName;
    std::unique_ptr<FacSTDictionary> mDictionary;
    DiagnosticObserver* mObserver = nullptr;
    const DiagnosticLocator* mLocator = nullptr;
    // Where the reporter looks (LookAt); mutable as At's range is, for the const checks.
    mutable SourceRange mDefaultRange;
    // Set by At for the next report; consumed when the outermost report scope ends.
    mutable SourceRange mPendingRange;
    mutable const SourceRange* mSubject = nullptr;
    mutable bool mHasPendingRange = false;
    mutable char const* mReportId = nullptr;
};

#endif
