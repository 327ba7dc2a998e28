#ifndef UPARSER_UNIVERSALPARSER_H
#define UPARSER_UNIVERSALPARSER_H

#include <cstddef>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/Diagnostic.h"
#include "uparser/Export.h"
#include "uparser/GroupComDescriptor.h"
#include "uparser/GroupComObj.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParseCodes.h"
#include "uparser/ParserMessage.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/SubComObj.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/host/TokenExtent.h"
#include "uparser/host/TokenSequence.h"

// Walks the tokens of one command against its grammar and fills a CommandSpec. The stream,
// the CommandSpec and a given grammar belong to the caller and must outlive the parser. A
// parser, its stream and its CommandSpec are used by one thread at a time; the grammar is only
// read and may be shared by parsers on other threads.
//
// getCommandSpecifications answers 0, or the code of the first rule that failed after
// reporting it once (the codes are named in ParseCodes.h); what was built up to the failure
// stays in the CommandSpec.
class UPARSER_API UniversalParser {
  public:
    UniversalParser(TAVO_TokenSequence& tokens, CommandSpec& spec,
                    const CommandDescriptor& grammar);
    // Without a grammar: only the structure of subcommands, parameters and parentheses counts.
    UniversalParser(TAVO_TokenSequence& tokens, CommandSpec& spec);
    // Shares the stream, the CommandSpec and the grammar (an owned empty grammar included).
    UniversalParser(const UniversalParser& other);
    UniversalParser& operator=(const UniversalParser&) = delete;
    ~UniversalParser();

    // Parses the whole command; the stream stands before the command name. The result tree
    // given to the parser is emptied first. A parser parses once: later calls answer the
    // first call's code without reading the stream again.
    //
    // When memory runs out, the parse reports InsufficientParsingMemory and answers a failure
    // code (the code of a rule that had already failed, else 1); the result tree holds what was
    // complete before. An exception thrown by a host service (the token stream, the string
    // table) passes through unchanged; the result tree and the parser stay valid, the tree
    // holding what was complete before, and the parse counts as failed.
    int getCommandSpecifications();
    int getErrorCode() const;

    // Nothing to show; the file form only creates (or truncates) the file.
    void display(std::ostream& out) const;
    void display(const char* fileName) const;

    // Where the parser stands, for pointing diagnostics at a line and column; the token is
    // meaningful only while hasCurrentToken() holds.
    bool hasCurrentToken() const;
    const TokenInfoObj& getCurrentToken() const;

    // Tells observer of every message of the parse, with the range it is about
    // (Diagnostic.h); null detaches. Set before getCommandSpecifications. With an observer,
    // and a stream that also derives from TokenExtentSource, the snapshots carry the host's
    // token ends and byte offsets; without one the parse makes exactly the calls it made
    // before. Copies of the parser share the observer.
    void setDiagnosticObserver(DiagnosticObserver* observer);

  protected:
    void initMembers();

    // The cursor: one current token and one token of look-ahead. The stream always stands on
    // the look-ahead and is never asked again once it has said there is no further token.
    bool startToken();
    bool nextToken();
    // The text of the token at which the stream stands (the look-ahead).
    void tokenAsString(std::string& text) const;
    void tokenAsUpperString(std::string& text) const;

    bool atCommandStart() const;
    bool atCommandEnd() const;
    bool atGroupStart() const;
    bool atGroupEnd() const;
    bool atSubComStart() const;
    bool atSubComEnd() const;
    // These two also move the expect-parameter and in-parentheses flags.
    bool atParameterStart();
    bool atParameterEnd();

    void clearParamOccur();
    void clearSubComOccur();
    void clearGroupOccur();

    bool processGroupObj(GroupComObj& group);
    bool processSubCommand(SubComObj& subCom);
    bool processParamObj(ParamObj& param);
    bool processTokenList(std::vector<TokenInfoObj>& tokens);

    TAVO_TokenSequence& mTokenSeq;
    CommandSpec& mCommandSpec;
    const CommandDescriptor* mCommandDesc;
    // The empty grammar of a parser built without one, shared by its copies.
    std::shared_ptr<const CommandDescriptor> mOwnedCommandDesc;
    ParserMessage mMessage;
    int mGroupCount;
    const GroupComDescriptor* mCurGroupDesc;
    std::map<int, int> mGroupOccur;
    const SubComDescriptor* mCurSubComDesc;
    std::map<std::string, int> mSubComOccur;
    const ParamDescriptor* mCurParamDesc;
    bool mExpectParam;
    bool mInParen;
    bool mAtCommandStart;
    ParseCodes::ParseCode mErrorCode;
    // The predicates read the snapshots directly; they hold everything the token offers.
    TokenInfoObj mCurToken;
    bool mHasCurToken;
    TokenInfoObj mNextToken;
    bool mHasNextToken;
    // Tokens the cursor has moved past: every loop of the parse must raise it or stop.
    long mConsumed;
    bool mParsed;

  private:
    // Answers the message object's question where a report stands: the current token, or,
    // once the tokens ran out, the end of the command. Attached when the parse starts.
    class Locator : public DiagnosticLocator {
      public:
        SourceRange currentRange() const override;
        const UniversalParser* mParser = nullptr;
    };

    // Reads the token at which the stream stands into token, with its extent when the host
    // offers it and someone listens.
    void snapshot(TokenInfoObj& token) const;
    // atParameterEnd, inline where a loop asks it at every token.
    inline bool parameterEnds();

    Locator mLocator;
    const TokenExtentSource* mExtents = nullptr;
    // The command name and the last token, known once the cursor passed them; the first only
    // while an observer listens, as it costs host calls the parse does not need otherwise.
    TokenInfoObj mNameToken;
    TokenInfoObj mLastToken;
    // The command's first two tokens after its name, while an observer listens: where a
    // subcommand that may not open the command stands.
    TokenInfoObj mFirstToken;
    TokenInfoObj mSecondToken;
    // The parameter the current word names in the current subcommand. Ending a value and
    // entering the next parameter both ask about the same word; the answer is kept for the
    // token and subcommand it was found for, so that the name is upper-cased and hashed once.
    // upperWord: the word's upper text, for a caller that holds it already.
    const ParamDescriptor* currentNamedParam(const std::string* upperWord = nullptr);
    long mNamedAt = -1;
    const SubComDescriptor* mNamedSubCom = nullptr;
    const ParamDescriptor* mNamedDesc = nullptr;
    // mNamedDesc's position among its subcommand's declarations, or -1.
    int mNamedIndex = -1;
    // The place after the parameter last found by name: where the next one is tried first.
    int mNamedExpected = 0;
    // Which declared parameters of the current subcommand occurrence were given, by their
    // position in its descriptor; names are unique among a subcommand's declarations, so a
    // position stands for a name. A command may hold hundreds of thousands of subcommand
    // occurrences, so emptying only moves to a new stamp: a position was given when it carries
    // the current one.
    class ParamOccurrences {
      public:
        // Whether the parameter had not been given yet; from now on it has.
        bool add(std::size_t position);
        bool has(std::size_t position) const;
        void clear();

      private:
        std::vector<unsigned> mStamps;
        unsigned mCurrent = 1;
    };
    ParamOccurrences mParamOccur;
    // An entry of an occurrence map, valid until the map is emptied; a copy of the parser
    // starts without one.
    struct OccurHint {
        OccurHint() = default;
        OccurHint(const OccurHint&) {}
        OccurHint& operator=(const OccurHint&) {
            valid = false;
            return *this;
        }
        std::map<std::string, int>::iterator place;
        bool valid = false;
    };
    // The entry of mSubComOccur last counted: a repeated subcommand counts the same one again.
    OccurHint mSubComOccurHint;
    // mSubComOccur[name].
    int& subComOccurrence(const std::string& name);
    // The subcommand last looked up by name and the group it was looked up in: a repeated
    // subcommand takes its descriptor from here instead of upper-casing and hashing its name
    // again. The grammar does not change during a parse.
    struct LastSubComDesc {
        const GroupComDescriptor* group = nullptr;
        std::string name;
        const SubComDescriptor* desc = nullptr;
    };
    LastSubComDesc mLastSubComDesc;
    const SubComDescriptor* findSubComDesc(const std::string& name);
    // How many parameters the last subcommand of that name held. A repeated subcommand mostly
    // holds as many as before, so its list gets that room at once instead of growing by
    // doubling, which moved every parameter about twice.
    struct LastParamCount {
        std::string subComName;
        std::size_t count = 0;
    };
    LastParamCount mLastParamCount;
    void reserveParams(SubComObj& subCom) const;
    void roomForDeclaredParams(SubComObj& subCom) const;
    void rememberParams(const SubComObj& subCom);
    // Points the next report at the subcommand that opens the command.
    void atCommandOpening() const;
    // What a rule of a value's end says about the token at hand.
    enum class EndVerdict { Ends, Continues, Undecided };
    // The written form of a value in a by-block subcommand, by its descriptor's block option.
    struct BlockForm;
    static BlockForm blockForm(UPSpecTypes::BlockOptions option, bool equalFollows);

    int parseCommand();
    // A failure that no rule named gets code 1.
    void failUnnamed();
    bool grammarApplies() const;
    bool atGroupSeparator() const;
    EndVerdict atParamName();
    EndVerdict atValueParen(bool grammar) const;
    bool atNameBeforeEqual(bool grammar);

    // The grammar's rules, a function each: a rule reports its own failure and answers false,
    // and its caller stops at once.
    bool processGroups();
    void checkRequiredGroups();
    bool enterGroup(const std::string& sepName, const std::string& subName);
    bool followsFinalGroup();
    bool processSubComs(GroupComObj& group, bool slashFirst, std::string subName);
    bool checkRequiredSubComs(const GroupComObj& group);
    bool enterSubCom(SubComObj& subCom, bool& counted);
    bool processSubComContent(SubComObj& subCom, const std::string& extName);
    bool processArbitraryValue(SubComObj& subCom);
    // The leading (export) value of a subcommand.
    bool processExportValue(SubComObj& subCom, const std::string& extName);
    bool processOpenedExportValue(SubComObj& subCom, const std::string& extName,
                                  const BlockForm& form);
    void collectExportTokens(SubComObj& subCom);
    bool closeExportValue(const std::string& extName);
    bool checkExportValue(SubComObj& subCom);
    bool checkSubComContent(const SubComObj& subCom, const std::string& extName);
    // The named parameters of a subcommand.
    bool processParamLoop(SubComObj& subCom, const std::string& extName);
    bool processParameter(SubComObj& subCom, const std::string& extName);
    // processParamObj for a caller that holds the parameter's name already; namesCurrent: the
    // name is the current word's upper text.
    bool processParamObj(ParamObj& param, const std::string& paramName, bool namesCurrent);
    bool startsParameter(const std::string& word, const std::string& extName);
    bool checkParamValue(ParamObj& param);
    bool enterParameter(const std::string& paramName, const std::string& extName,
                        bool namesCurrent);
    bool openParamValue(const BlockForm& form, const std::string& extName);
    bool checkOpeningParen(const BlockForm& form, const std::string& extName,
                           const TokenInfoObj& paren);
    bool checkValueParens(const BlockForm& form, const std::string& extName, const ParamObj* value);
    bool startsValue(const std::string& paramName, const std::string& extName);
    bool closeParamValue(ParamObj& param, const std::string& paramName, const std::string& extName);
    // The value's tokens, without the square brackets the grammar allows around them.
    bool collectValue(ParamObj& param, const std::string& paramName, const std::string& extName);
    bool removeBrackets(std::vector<TokenInfoObj>& tokens, ParamObj& param,
                        const std::string& paramName, const std::string& extName);
    // Sets the code and reports WrongValueType, when the grammar applies.
    void failValue(const std::string& paramName, const std::string& extName);
};

#endif
