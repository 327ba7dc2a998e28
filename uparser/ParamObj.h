#ifndef UPARSER_PARAMOBJ_H
#define UPARSER_PARAMOBJ_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/VarCatList.h"
#include "uparser/detail/TokenList.h"
#include "uparser/host/TokenSequence.h"
#include "uparser/host/VarName.h"

class ParamDescriptor;
class ParserMessage;

// One parsed parameter: its keyword token, the names diagnostics use for it, its current value
// type and its value. The parser stores raw token lists (or a bare keyword); procedures read
// them back in the type they expect. Only the field that belongs to the current type is
// meaningful.
//
// Diagnostics name a parameter by its display name: getParamExtName(), or the subcommand's
// extended name when that is empty. A null ParserMessage silences every check.
class UPARSER_API ParamObj {
  public:
    ParamObj();
    ParamObj(const TokenInfoObj& keyword, UPSpecTypes::ParamSpec type);
    // The same, standing in the subcommand whose extended name is subComExtName.
    ParamObj(const TokenInfoObj& keyword, UPSpecTypes::ParamSpec type,
             const std::string& subComExtName);
    ParamObj(const ParamObj& other);
    ParamObj(ParamObj&& other) noexcept;
    ParamObj& operator=(const ParamObj& other);
    ParamObj& operator=(ParamObj&& other) noexcept;
    ~ParamObj();

    // Back to the state of a new object; the brackets flag is kept.
    void clear();

    void setType(UPSpecTypes::ParamSpec type);
    UPSpecTypes::ParamSpec getType();
    bool isNoType() const;
    bool isLeadingToken() const;
    bool isTokenList() const;

    void setParenUsed();
    void unsetParenUsed();
    bool areParenUsed() const;
    void setBracketsUsed(bool used);
    bool areBracketsUsed() const;

    void setKeyWordToken(const TokenInfoObj& keyword);
    const TokenInfoObj& getKeyWordToken() const;
    // The keyword token's upper-case text.
    std::string getParamName() const;
    // The parent name and the parameter name joined by a blank (either may be missing).
    std::string getParamExtName() const;
    void setParentName(const std::string& name);
    const std::string& getParentName() const;
    void setSubComExtName(const std::string& name);
    const std::string& getSubComExtName() const;

    // The first object of list whose name equals name ignoring case, or null.
    static const ParamObj* getParamObj(const std::string& name, const std::vector<ParamObj>& list);

    // Typed setters store only into the field of the current type and never change the type.
    bool setStringGeneric(const std::string& value);
    bool setLiteral(const std::string& value);
    bool setNumberValue(const double& value);
    bool setIntegerValue(const int& value);
    bool setVarName(const TavoVarName& value);
    bool setVarCatList(const VarCatList& value);
    bool setStringList(const std::vector<std::string>& values);
    bool setLiteralList(const std::vector<std::string>& values);
    bool setNumberList(const std::vector<double>& values);
    bool setIntegerList(const std::vector<int>& values);
    bool setVarList(const std::vector<TavoVarName>& values);
    bool setTokenList(const std::vector<TokenInfoObj>& tokens);
    bool addTokenObj(const TokenInfoObj& token);
    // Takes the token over; it is left as it was when the parameter is not a token list.
    bool addTokenObj(TokenInfoObj&& token);

    // Typed getters: from a token list of exactly one fitting token, or from a stored value of
    // the matching type. On false the output is left as it was.
    bool getStringGeneric(std::string& value) const;
    bool getUpStringGeneric(std::string& value) const;
    bool getLiteral(std::string& value) const;
    bool getStringOrLiteral(std::string& value, bool& isLiteral) const;
    bool getNumberValue(double& value) const;
    bool getIntegerValue(int& value) const;
    bool getVarName(TavoVarName& value) const;

    // List getters. getStringList, getUpStringList and getLiteralList append what they read from
    // a token list (the output is not emptied); the number, integer and variable lists are
    // emptied first. On a token that does not fit, what was appended so far stays.
    bool getStringList(std::vector<std::string>& values) const;
    bool getUpStringList(std::vector<std::string>& values) const;
    bool getLiteralList(std::vector<std::string>& values) const;
    bool getNumberList(std::vector<double>& values) const;
    bool getIntegerList(std::vector<int>& values) const;
    bool getVarList(std::vector<TavoVarName>& values) const;
    bool getTokenList(std::vector<TokenInfoObj>& tokens) const;

    // The resolved path on success; on rejection the path as written, so that the caller can
    // name it.
    bool getFilePath(std::string& path, bool validatorFlag, bool strictFlag) const;

    std::string getStringToken() const;
    std::string getUpStringToken() const;
    bool isStringValueCase(const std::string& value) const;
    bool isOperatorValue(const TokenSequenceBase::OperatorCode& op) const;
    unsigned getTokenListSize() const;
    bool isValidTokenIndex(unsigned index) const;
    const TokenInfoObj* getTokenObj(unsigned index) const;

    // Accepts a case file to read (ParamSysFileIn) or write (ParamSysFileOut) and reports why
    // not otherwise.
    bool processSysFileSpec(UPSpecTypes::ParamSpec type, const ParserMessage* msg) const;

    // Whether the value can be read as desc declares it; reports the first mismatch to msg.
    // A null desc accepts a token list only.
    bool canGetValue(const ParamDescriptor* desc, const ParserMessage* msg) const;

    // Compound values, read from the own token list.
    bool getKeywordAndValue(ParamObj& keywordParam, ParamObj& valueParam,
                            const ParamDescriptor* desc, const ParserMessage* msg) const;
    bool getTokenAndQual(ParamObj& tokenParam, ParamObj& qualParam, const ParamDescriptor* desc,
                         const ParserMessage* msg) const;
    bool getStringAndQual(ParamObj& qualParam, const ParamDescriptor* desc,
                          const ParserMessage* msg) const;
    bool getStringQualList(std::vector<ParamObj>& items, const ParamDescriptor* desc,
                           const ParserMessage* msg) const;
    // Variable names joined by BY or "*"; the separators are not kept.
    bool getCrossVarList(std::vector<TavoVarName>& names) const;
    // Variables, then groups of: category separator, one value per variable, a number.
    bool getVarCatList(VarCatList& list) const;

  protected:
    // Reads one part of a compound value (keyword part, value part) into this object.
    bool parseTokenList(const std::vector<TokenInfoObj>& tokens, UPSpecTypes::QualifOptions qualOpt,
                        const ParamDescriptor* desc, const ParserMessage* msg);
    bool processKeywordAndValue(ParamObj* keywordParam, ParamObj* valueParam,
                                const std::vector<TokenInfoObj>& tokens,
                                const ParamDescriptor* desc, const ParserMessage* msg) const;
    // A null tokenParam selects the form without a leading token.
    bool processTokenAndQual(ParamObj* tokenParam, ParamObj* qualParam,
                             const std::vector<TokenInfoObj>& tokens, const ParamDescriptor* desc,
                             const ParserMessage* msg) const;
    bool processStringQualList(std::vector<ParamObj>& items,
                               const std::vector<TokenInfoObj>& tokens, const ParamDescriptor* desc,
                               const ParserMessage* msg) const;
    bool processVarCatList(VarCatList& list) const;
    // Kept for subclasses. The own tokens are no longer held in a std::vector, so no iterator
    // of one points into them: the row reads as missing (false) and it stays where it was.
    bool processCatListVal(std::vector<std::string>& values, unsigned count, double& code,
                           std::vector<TokenInfoObj>::const_iterator& it) const;

  private:
    // The parser gives a value's token list room ahead (UniversalParser::collectValue); a
    // subcommand appends its count to its export parameter's name (SubComObj::setSubComCount).
    friend class UniversalParser;
    friend class SubComObj;
    // A subcommand's export parameter: an empty keyword, made with its name.
    ParamObj(UPSpecTypes::ParamSpec type, const std::string& subComExtName);
    // addTokenObj for a token list, inline for the parser's loop over a value's tokens. The
    // token list grows only through these, which keep mTokenTextBlocks.
    void appendToken(TokenInfoObj&& token) {
        mTokenTextBlocks |= token.hasTextBlock();  // read before the token moves
        mTokenList.push_back(std::move(token));
    }
    void appendToken(const TokenInfoObj& token);
    void appendTokens(const TokenInfoObj* first, const TokenInfoObj* last);
    using TokenIter = uparser_detail::TokenList::const_iterator;
    // getParamObj over a run of parameters, which a subcommand holds in no std::vector.
    static const ParamObj* findParamObj(const std::string& name, const ParamObj* first,
                                        const ParamObj* last);
    // Each qualifier of a qualifier list, upper-cased, with whether the list has used it.
    using QualifierUse = std::map<std::string, bool>;
    // The names that diagnostics about a value part carry.
    struct PartNames;

    // The range forms spare the compound readers from copying token runs, and read the own
    // list, which is no std::vector, where the protected forms take one.
    bool keywordAndValue(ParamObj* keywordParam, ParamObj* valueParam, TokenIter first,
                         TokenIter last, const ParamDescriptor* desc, const ParserMessage* msg) const;
    bool stringQualList(std::vector<ParamObj>& items, TokenIter first, TokenIter last,
                        const ParamDescriptor* desc, const ParserMessage* msg) const;
    // it walks the own token list.
    bool catListRow(std::vector<std::string>& values, unsigned count, double& code,
                    TokenIter& it) const;
    bool parseTokenRange(TokenIter first, TokenIter last, UPSpecTypes::QualifOptions qualOpt,
                         const ParamDescriptor* desc, const ParserMessage* msg);
    bool readValuePart(TokenIter first, TokenIter last, UPSpecTypes::QualifOptions qualOpt,
                       const ParamDescriptor* desc, const ParserMessage* msg,
                       const PartNames& names);
    bool skipIntroducer(TokenIter& start, UPSpecTypes::QualifOptions qualOpt,
                        const ParamDescriptor* desc, const ParserMessage* msg,
                        const PartNames& names);
    bool dropClosingParen(TokenIter start, TokenIter& end, const ParserMessage* msg,
                          const PartNames& names) const;
    bool dropBrackets(TokenIter& start, TokenIter& end, UPSpecTypes::BracketOptions option,
                      const ParserMessage* msg, const PartNames& names);
    bool tokenAndQual(ParamObj* tokenParam, ParamObj* qualParam, TokenIter first, TokenIter last,
                      const ParamDescriptor* desc, const ParserMessage* msg) const;
    bool startTokenAndQual(ParamObj* tokenParam, ParamObj& qualParam, const TokenInfoObj& first,
                           const std::string& extName) const;
    bool findQualifDesc(const ParamObj* tokenParam, const TokenInfoObj& first,
                        const ParamDescriptor& desc, const ParserMessage* msg,
                        const ParamDescriptor*& qualDesc) const;
    bool qualifierAlone(ParamObj* namedQual, const ParamDescriptor* qualDesc,
                        const std::string& qualDisplay, const ParserMessage* msg) const;
    void nameValuePart(const ParamObj& keywordParam, ParamObj& valueParam,
                       const ParamDescriptor& desc, const ParamDescriptor& valueDesc) const;
    bool claimQualifier(const TokenInfoObj& nameToken, QualifierUse& used,
                        const ParserMessage* msg) const;
    bool requiredQualifiersUsed(const std::vector<std::string>& qualNames, QualifierUse& used,
                                const ParamDescriptor& desc, const ParserMessage* msg) const;
    std::string getDisplayName() const;
    // How a part with this extended name is named in a message: by the name, or by the
    // subcommand when it has none.
    const std::string& displayOf(const std::string& extName) const;

    // The rules of canGetValue, one per kind of value, and the reports they share.
    bool fitsKind(const UPSpecTypes::ParamTypeTraits& traits, const ParamDescriptor& desc,
                  const ParserMessage* msg) const;
    bool fitsKeyword(const ParserMessage* msg) const;
    bool fitsAcceptedWord(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsWord(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsWordList(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsLiteral(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsLiteralList(const ParserMessage* msg) const;
    bool fitsNumber(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsNumberList(const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool fitsVariables(UPSpecTypes::ParamSpec type, const ParserMessage* msg) const;
    bool fitsFilePath(UPSpecTypes::ParamSpec type, const ParserMessage* msg) const;
    bool fitsCompound(UPSpecTypes::ValueKind kind, const ParamDescriptor& desc,
                      const ParserMessage* msg) const;
    bool reportNeed(UPSpecTypes::ParamSpec type, const ParserMessage* msg) const;
    bool reportOption(const std::string& option, const ParserMessage* msg) const;
    bool reportBoundary(double value, const ParamDescriptor& desc, const ParserMessage* msg) const;
    bool isOneToken() const;
    // Whether getVarList would succeed, without building the list: the value check of a long
    // variable list then costs no copy of every name.
    bool readsAsVarList() const;
    // Whether destroying the parameter would free nothing: it holds no heap block, neither
    // in its texts, its names, its token list nor its stored values.
    bool freesNothing() const;

    // The values of the typed setters. The parser only ever fills the keyword, the names and
    // the token list, so these live in a block of their own that exists only once a typed
    // setter has stored something; without it every value reads as its initial one.
    struct StoredValues;
    const StoredValues& stored() const;
    StoredValues& mutableStored();

    UPSpecTypes::ParamSpec mType = UPSpecTypes::ParamNoType;
    bool mParenUsed = false;
    bool mBracketsUsed = false;
    // Whether a token of mTokenList may hold a text block; without one the list is released
    // without a visit to each token (a list of a million names is 56 MB). Kept by
    // appendToken(s), setTokenList and the copies and moves of a whole parameter.
    bool mTokenTextBlocks = false;
    TokenInfoObj mKeyWordToken;
    std::string mSubComExtName;
    // Room for one token inside: a one-token value, the usual one, needs no heap block.
    uparser_detail::TokenList mTokenList;
    std::unique_ptr<StoredValues> mValues;
};

#endif
