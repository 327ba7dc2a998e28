// Diagnostic records: every message the error service receives has one, in the same order, with
// the catalog entry that produced it and the range of the command it is about.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "examples/generic/FileProcedure.h"
#include "examples/generic/SampleGrammars.h"
#include "examples/procedures/Procedure.h"
#include "examples/procedures/Validation.h"
#include "refhost/refhost.h"
#include "support/SampleData.h"
#include "uparser/uparser.h"

namespace {

class Recorder : public DiagnosticObserver {
  public:
    void onDiagnostic(const Diagnostic& diagnostic) override { records.push_back(diagnostic); }
    std::vector<Diagnostic> records;
};

const refhost::Dictionary& Sample() {
    return SampleData();
}

const examples::Procedure& ProcedureNamed(const std::string& name) {
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        if (procedure->name() == name) {
            return *procedure;
        }
    }
    throw std::invalid_argument(name);
}

struct Outcome {
    std::vector<refhost::Emitted> messages;
    std::vector<Diagnostic> records;
    int code = -1;
};

Outcome RunWith(const examples::Procedure& procedure, TAVO_TokenSequence& tokens,
                const TAVO_DataSource& data, bool observe) {
    Outcome run;
    Recorder recorder;
    refhost::MessageLog log;
    run.code = procedure.run(tokens, data, observe ? &recorder : nullptr).parseCode;
    run.messages = log.messages();
    run.records = recorder.records;
    return run;
}

// The command through the procedure its first word names, with or without an observer.
Outcome RunCommand(TAVO_TokenSequence& tokens, const std::string& text,
               const TAVO_DataSource& data = Sample(), bool observe = true) {
    return RunWith(ProcedureNamed(text.substr(0, text.find_first_of(" .\t\n"))), tokens, data,
                   observe);
}

Outcome RunCommand(const std::string& text, const TAVO_DataSource& data = Sample(),
               bool observe = true) {
    refhost::TextTokenSequence tokens(text);
    return RunCommand(tokens, text, data, observe);
}

void ExpectOneRecordPerMessage(const Outcome& run) {
    ASSERT_EQ(run.records.size(), run.messages.size());
    for (std::size_t i = 0; i < run.records.size(); ++i) {
        EXPECT_EQ(run.records[i].level, run.messages[i].level);
    }
}

// A wrong command, the parse code, and the catalog entry and columns of the last message (the
// one that stopped the run). A range of one line; an end-of-command range is empty.
struct Case {
    const char* text;
    int code;
    const char* id;
    int column;
    int endColumn;
};

// Every parse code a sample grammar can give, and each validation family. Where a finding is
// about a token of a list, the range is that token; a missing part points after the last token.
const std::vector<Case> kCases = {
    {"SKETCH age /STAT CENTER.", 6, "InvalidSubComName", 13, 17},
    {"SKETCH age /FORMAT DIGITS = 11.", 12, "ParamValueBreakBdry", 29, 31},
    {"SKETCH age /FORMAT DIGIT = 2.", 11, "InvalidParam", 20, 25},
    {"SKETCH age /STATS CENTER SPRED.", 12, "KeyWordNoValue", 26, 31},
    {"SKETCH /STATS CENTER.", 9, "SubComNotAtStart", 9, 14},
    {"SKETCH age /TITLE 'a' /TITLE 'b'.", 8, "SubComRepeated", 24, 29},
    {"SKETCH age /TITLE.", 10, "SubComEmpty", 18, 18},
    {"SKETCH age /FORMAT DIGITS = 2 DIGITS = 3.", 13, "ParamRepeated", 31, 37},
    {"SKETCH age /STATS CENTER /FORMAT DIGITS(2).", 15, "ParenNotAllowed", 40, 41},
    {"SKETCH agee.", 0, "VariableNotInDict", 8, 12},
    {"SKETCH age income TO age.", 0, "KeywordImproperVarList", 12, 25},
    {"SKETCH age TO.", 0, "WordNeedVarName", 12, 14},
    {"SKETCH age region /PARTITION region.", 0, "VariableTwoVarList", 30, 36},
    {"SKETCH age /FORMAT ORDER = SIDEWAYS.", 12, "InvalidParamOption", 28, 36},
    {"WEAVE /MISSING KEEP.", 5, "SubComRequired", 20, 20},
    {"WEAVE /PANEL a BY b /LAYOUT WIDTH(5) /LAYOUT WIDTH(6).", 4, "SubComNotAllowed", 39, 45},
    {"WEAVE /PANEL a BY b /SAVE OUTFILE = 'x' /LAYOUT WIDTH(5).", 2, "SubComRequired", 42, 48},
    {"WEAVE /PANEL region BY gender /MISSING SKIP.", 7, "SubComNotAllowed", 32, 39},
    {"WEAVE /PANEL region BY gender /SAVE STYLE = CSV.", 14, "ParamRequiredForSubCom", 48, 48},
    {"WEAVE /PANEL region BY gender /CELLS COUNT ROWPTC.", 12, "InvalidParamOption", 44, 50},
    // The value checks report a value of the wrong form through the typed WrongValueType.
    {"WEAVE /PANEL region gender.", 12, "WrongValueType", 14, 27},
    {"WEAVE /PANEL region BY gender /LIMIT N = 500.", 6, "InvalidSubComName", 32, 37},
    {"WEAVE /ROWWEIGHTS weight /PANEL weight BY region.", 0, "VariableTwoVarList", 33, 39},
    {"WEAVE /ROWWEIGHTS city /PANEL region BY gender.", 0, "VariableNotNumeric", 19, 23},
    {"SPROUT incme BY region.", 0, "VariableNotInDict", 8, 13},
    {"SPROUT income BY region WITH city.", 0, "VariableNotNumeric", 30, 34},
    {"SPROUT income BY region WITH region.", 0, "VariableFactorAndCovariate", 30, 36},
    {"SPROUT income BY region BY gender.", 0, "WordRepeatVarList", 25, 27},
    {"SPROUT income BY region WITH ALL ALL.", 0, "KeywordImproperVarList", 30, 33},
    {"SPROUT income BY region /CODING age (EFFECT).", 0, "InvalidFactorVarName", 33, 36},
    {"SPROUT income BY region /CODING region (EFFECT) /CODING region (ORDINAL).", 0,
     "VariableRepeatVarList", 57, 63},
    {"SPROUT income BY region /SELECT RULE = FORWARD(2).", 12, "ParamValueBreakBdry", 48, 49},
    {"SPROUT income BY region /SAVE FITVALUES(age).", 0, "OutputVarReused", 41, 44},
    {"SPROUT income BY region /SAVE FITVALUES(p) LEFTOVER(P).", 0, "OutputVarCreated", 53, 54},
    {"SPROUT income BY region /SETTINGS REPEATS = 5.", 16, "ParenRequired", 45, 46},
    {"BUCKET zone /LABELS 'a'.", 9, "SubComRequired", 24, 24},
    {"BUCKET zone /OTHERWISE COPY.", 9, "SubComRequired", 28, 28},
    {"BUCKET age /MAP region ; 1 10.", 0, "OutputVarReused", 8, 11},
    {"BUCKET zone /MAP region ; north 10.", 0, "InvalidCatValue", 27, 32},
    {"BUCKET zone /MAP region ; 1 10 /OTHERWISE VALUE = 9 COPY.", 0, "ParamExclusive", 53, 57},
    {"BUCKET zone /MAP region ; 1 10 /WRITE FILE = '/no/such/dir/zones.txt'.", 12,
     "FileNoAccess", 46, 70},
    {"TRACE score1 (STYLE = WAVY).", 0, "VariableBadQualOption", 23, 27},
    {"TRACE score1 score2 (WIDTH = 9).", 0, "VarListBadQualOption", 30, 31},
    {"TRACE score1 (STYLE = DASH.", 0, "VarListInvalidQualif", 14, 27},
    {"TRACE score1 (STILE = DASH).", 11, "InvalidParam", 15, 20},
    {"TRACE score1 /HIGHLIGHT 0 2.", 12, "ParamValueBreakBdry", 25, 26},
    {"TRACE score1 /RANGE LOW(10) HIGH(5).", 0, "ParamLessOtherParam", 34, 35},
    {"TRACE score1 /LEGEND PLACE = OUTSIDE(TOP).", 12, "InvalidParamOption", 38, 41},
    {"TRACE score1 /LEGEND FONT = SIZE(100).", 12, "ParamValueBreakBdry", 34, 37},
};

// Findings about one element of a list read as names (a crossed list, a category table), or
// checked after the list was read (codings against the factors, the registries), point at the
// name of that element rather than at the whole list.
const std::vector<Case> kElementCases = {
    {"WEAVE /PANEL regio BY gender.", 0, "VariableNotInDict", 14, 19},
    {"WEAVE /PANEL region BY agee.", 0, "VariableNotInDict", 24, 28},
    {"WEAVE /PANEL region BY gender BY region.", 0, "VariableRepeatVarList", 34, 40},
    {"WEAVE /ROWWEIGHTS weight /PANEL region BY weight.", 0, "VariableTwoVarList", 43, 49},
    {"BUCKET zone /MAP region agee ; 1 2 10.", 0, "VariableNotInDict", 25, 29},
    {"BUCKET zone /MAP region region ; 1 2 10.", 0, "VariableRepeatVarList", 25, 31},
    {"SPROUT income BY region gender /CODING age region (EFFECT).", 0, "InvalidFactorVarName",
     40, 43},
    {"SPROUT income BY region gender /CODING region (EFFECT) /CODING gender region (ORDINAL).",
     0, "VariableRepeatVarList", 71, 77},
};

void ExpectCase(const Case& c, const Outcome& run) {
        EXPECT_EQ(run.code, c.code);
        ExpectOneRecordPerMessage(run);
        ASSERT_FALSE(run.records.empty());
        const Diagnostic& last = run.records.back();
        EXPECT_EQ(last.id, c.id);
        EXPECT_EQ(last.range.line, 1);
        EXPECT_EQ(last.range.endLine, 1);
        EXPECT_EQ(last.range.column, c.column);
        EXPECT_EQ(last.range.endColumn, c.endColumn);
        EXPECT_EQ(last.range.kind, c.column == c.endColumn ? SourceRange::Kind::EndOfCommand
                                                            : SourceRange::Kind::Tokens);
        // The host's extent reached the record: the bytes are those of the columns here.
        EXPECT_EQ(last.range.byteOffset, c.column - 1);
        EXPECT_EQ(last.range.byteEnd, c.endColumn - 1);
}

TEST(DiagnosticRanges, EveryFindingPointsAtItsToken) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        ExpectCase(c, RunCommand(c.text));
    }
}

// The same commands through the procedures that know the samples from their grammar files:
// their checks read the same lists and must point at the same elements.
TEST(DiagnosticRanges, ListFindingsPointAtTheirElement) {
    std::vector<upgrammar::GrammarFile> files;
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        files.push_back(examples::SampleGrammar(*procedure));
    }
    const auto generic = examples::FileProcedures(std::move(files));
    for (const Case& c : kElementCases) {
        SCOPED_TRACE(c.text);
        ExpectCase(c, RunCommand(c.text));
        const std::string text = c.text;
        const std::string name = text.substr(0, text.find(' '));
        for (const auto& procedure : generic) {
            if (procedure->name() != name) {
                continue;
            }
            SCOPED_TRACE("from its grammar file");
            refhost::TextTokenSequence tokens(text);
            ExpectCase(c, RunWith(*procedure, tokens, Sample(), true));
        }
    }
}

// A warning that ends nothing still points at its keyword; a later line keeps its line.
TEST(DiagnosticRanges, WarningsAndLaterLinesKeepTheirPlace) {
    const Outcome run = RunCommand("SPROUT income\n  WITH.");
    ExpectOneRecordPerMessage(run);
    ASSERT_EQ(run.records.size(), 1u);
    EXPECT_EQ(run.records[0].id, "NoCovariateAfterKeyword");
    EXPECT_EQ(run.records[0].level, 2);
    EXPECT_EQ(run.records[0].arguments.front(), "WITH");
    EXPECT_EQ(run.records[0].range.line, 2);
    EXPECT_EQ(run.records[0].range.column, 3);
    EXPECT_EQ(run.records[0].range.endColumn, 7);
}

// A host stream that offers nothing beyond the twelve operations.
class PlainStream : public TAVO_TokenSequence {
  public:
    explicit PlainStream(const std::string& text) : mInner(text) {}
    int getPosition() const override { return mInner.getPosition(); }
    bool next() override { return mInner.next(); }
    bool atEnd() const override { return mInner.atEnd(); }
    bool setPosition(int position) override { return mInner.setPosition(position); }
    int getTokenCount() const override { return mInner.getTokenCount(); }
    TokenType getType() const override { return mInner.getType(); }
    OperatorCode getOperatorCode() const override { return mInner.getOperatorCode(); }
    void getString(char const** text, unsigned* length) const override {
        mInner.getString(text, length);
    }
    void getUpperString(char const** text, unsigned* length) const override {
        mInner.getUpperString(text, length);
    }
    double getNumeric() const override { return mInner.getNumeric(); }
    long getLineNumber() const override { return mInner.getLineNumber(); }
    int getColumn() const override { return mInner.getColumn(); }

  private:
    refhost::TextTokenSequence mInner;
};

// Columns count characters, a tab is one, and the byte offsets are the host's; a host without
// extents gets the same columns from the token's text, and no bytes.
TEST(DiagnosticRanges, CountCharactersNotBytes) {
    refhost::Dictionary data;
    data.addNumeric("größe");
    data.addNumeric("変数");
    for (const std::string& text : {std::string("SKETCH größe 変数 agee."),
                                    std::string("SKETCH größe\t変数 agee.")}) {
        SCOPED_TRACE(text);
        const Outcome run = RunCommand(text, data);
        ASSERT_EQ(run.records.size(), 1u);
        const SourceRange& range = run.records[0].range;
        EXPECT_EQ(run.records[0].id, "VariableNotInDict");
        EXPECT_EQ(range.column, 17);
        EXPECT_EQ(range.endColumn, 21);
        EXPECT_EQ(range.byteOffset, 22);
        EXPECT_EQ(range.byteEnd, 26);

        PlainStream plain(text);
        const Outcome derived = RunCommand(plain, text, data);
        ASSERT_EQ(derived.records.size(), 1u);
        EXPECT_EQ(derived.records[0].range.column, 17);
        EXPECT_EQ(derived.records[0].range.endColumn, 21);
        EXPECT_EQ(derived.records[0].range.byteOffset, -1);
    }
    // A literal's quotes belong to it, with or without the host's extent.
    const std::string literal = "BUCKET zone /MAP region ; 1 10 /WRITE FILE = 'ö/no/such/x.txt'.";
    PlainStream plain(literal);
    for (const Outcome& run : {RunCommand(literal), RunCommand(plain, literal)}) {
        ASSERT_FALSE(run.records.empty());
        EXPECT_EQ(run.records.back().range.column, 46);
        EXPECT_EQ(run.records.back().range.endColumn, 63);
    }
}

// A grammar that asks for square brackets: the one parse code no sample grammar gives.
TEST(DiagnosticRanges, MissingBracketsPointAtTheValue) {
    SubComDescriptor sub("LIST");
    sub.addParamDesc(ParamDescriptor("ITEMS", UPSpecTypes::ParamNumberList, false, false,
                                     UPSpecTypes::BracketRequired));
    CommandDescriptor grammar("BOX", "Box");
    grammar.addSubComDesc(sub);
    refhost::TextTokenSequence tokens("BOX /LIST ITEMS = 1 2 3.");
    CommandSpec spec;
    UniversalParser parser(tokens, spec, grammar);
    Recorder recorder;
    parser.setDiagnosticObserver(&recorder);
    refhost::MessageLog log;
    EXPECT_EQ(parser.getCommandSpecifications(), 17);
    ASSERT_EQ(recorder.records.size(), 1u);
    EXPECT_EQ(recorder.records[0].id, "SquareBracketRequired");
    EXPECT_EQ(recorder.records[0].range.column, 19);
    EXPECT_EQ(recorder.records[0].range.endColumn, 24);
}

// The later checks of lists that were read from tokens point at the element that brought the
// variable in: a name, a range, ALL. Without an observer nothing is kept.
TEST(DiagnosticRanges, ChecksAfterReadingPointAtTheElement) {
    Recorder recorder;
    refhost::MessageLog log;
    const auto list = [&](const std::string& text, bool observe = true) {
        VarSpecObj made("VARIABLES", "", "SKETCH", &Sample());
        made.SetDiagnosticObserver(observe ? &recorder : nullptr);
        EXPECT_TRUE(made.ValidateVariables(refhost::TokensOf(text), UPSpecTypes::RepeatVarsError));
        return made;
    };
    const VarSpecObj other = list("age region");
    const auto expectLast = [&](const char* id, int column, int endColumn) {
        ASSERT_FALSE(recorder.records.empty());
        EXPECT_EQ(recorder.records.back().id, id);
        EXPECT_EQ(recorder.records.back().range.column, column);
        EXPECT_EQ(recorder.records.back().range.endColumn, endColumn);
    };
    // income and spend came in by "age TO spend", after region and age passed. The element
    // at fault is never the last one read, where a message would point without its element.
    EXPECT_FALSE(list("region age TO spend gender").CheckVarListSubset(other));
    expectLast("VariableNeedVarList", 8, 20);
    EXPECT_FALSE(list("gender  score1 region age").CheckCommonVars(other));
    expectLast("VariableTwoVarList", 16, 22);
    EXPECT_FALSE(list("score1 gender").CheckFactAndCovar(&other, nullptr));
    expectLast("InvalidFactorVarName", 1, 7);
    VarSpecObj single("VARIABLES", "", "SKETCH", &Sample());
    single.SetDiagnosticObserver(&recorder);
    std::vector<ParamObj> quals;
    ASSERT_TRUE(single.ValidateVarsAndQuals(refhost::TokensOf("age score1 region"), quals, {},
                                            nullptr));
    EXPECT_FALSE(single.CheckVarListSubset(other));
    expectLast("VariableNeedVarList", 5, 11);
    EXPECT_EQ(recorder.records.size(), log.messages().size());

    EXPECT_EQ(list("income").GetElementRange(2).column, 1);
    EXPECT_FALSE(list("income", false).GetElementRange(2).known());
    EXPECT_FALSE(list("income").GetElementRange(1).known());
}

// A variable that a range brought in has no token of its own: a registry's finding about it
// points at the range.
TEST(DiagnosticRanges, RegistryFindingsPointAtTheRange) {
    Recorder recorder;
    refhost::MessageLog log;
    examples::RunResult result;
    examples::Validation check(ProcedureNamed("SKETCH").grammar(), Sample(), result, &recorder);
    const auto read = [&](const std::string& text) {
        VarSpecObj list = check.newList("", "");
        EXPECT_TRUE(list.ValidateVariables(refhost::TokensOf(text), UPSpecTypes::RepeatVarsError));
        return list;
    };
    EXPECT_TRUE(check.registerList("PARTITION", "", read("income"), refhost::TokensOf("income")));
    const std::vector<TokenInfoObj> tokens = refhost::TokensOf("score1 age TO region");
    EXPECT_FALSE(check.registerList("", "", read("score1 age TO region"), tokens));
    ASSERT_EQ(recorder.records.size(), 1u);
    EXPECT_EQ(recorder.records[0].id, "VariableTwoVarList");
    EXPECT_EQ(recorder.records[0].range.column, 8);
    EXPECT_EQ(recorder.records[0].range.endColumn, 21);
}

// Listening changes nothing of what the host's error service receives.
TEST(DiagnosticRecords, AnObserverChangesNoMessage) {
    std::vector<Case> cases = kCases;
    cases.insert(cases.end(), kElementCases.begin(), kElementCases.end());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Outcome observed = RunCommand(c.text);
        const Outcome plain = RunCommand(c.text, Sample(), false);
        EXPECT_EQ(observed.code, plain.code);
        ASSERT_EQ(observed.messages.size(), plain.messages.size());
        for (std::size_t i = 0; i < plain.messages.size(); ++i) {
            EXPECT_EQ(observed.messages[i].text, plain.messages[i].text);
            EXPECT_EQ(observed.messages[i].level, plain.messages[i].level);
        }
    }
}

// Random commands of the samples' words: whatever is reported, each record's range lies within
// the text of its command, and there is a record for every message.
TEST(DiagnosticRanges, RandomCommandsStayInsideTheirText) {
    const std::vector<std::string> words = {
        "/",      "/",       "=",     "(",     ")",      ";",        "[",      "]",      "BY",
        "WITH",   "TO",      "ALL",   "age",   "income", "region",   "gender", "city",   "score1",
        "weight", "größe",   "PANEL", "STATS", "FORMAT", "DIGITS",   "TITLE",  "CODING", "SAVE",
        "LEGEND", "PLACE",   "INSIDE", "TOP",  "MAP",    "OTHERWISE", "COPY",  "VALUE",  "1",
        "2.5",    "-3",      "'a b'", "'x''y'", "\t",    "\n",       "変数",   "LAYOUT", "WIDTH"};
    const std::vector<std::string> names = {"SKETCH", "WEAVE", "SPROUT", "BUCKET", "TRACE"};
    std::mt19937 random(15);
    std::size_t placed = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = names[random() % names.size()];
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            text += " " + words[random() % words.size()];
        }
        text += ".";
        SCOPED_TRACE(text);
        const Outcome run = RunCommand(text);
        ExpectOneRecordPerMessage(run);
        // Each line's length in characters: a range may end one past its last character.
        std::vector<int> widths{0};
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] == '\n') {
                widths.push_back(0);
            } else if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
                ++widths.back();
            }
        }
        for (const Diagnostic& record : run.records) {
            const SourceRange& range = record.range;
            SCOPED_TRACE(record.id);
            ASSERT_NE(range.kind, SourceRange::Kind::Unknown);
            if (range.kind == SourceRange::Kind::WholeCommand && range.line == 0) {
                continue;
            }
            ++placed;
            ASSERT_GE(range.line, 1);
            ASSERT_LE(range.endLine, static_cast<long>(widths.size()));
            ASSERT_LE(range.line, range.endLine);
            EXPECT_GE(range.column, 1);
            EXPECT_LE(range.endColumn, widths[static_cast<std::size_t>(range.endLine - 1)] + 1);
            if (range.line == range.endLine) {
                EXPECT_LE(range.column, range.endColumn);
            }
            EXPECT_LE(range.byteEnd, static_cast<long long>(text.size()));
        }
    }
    EXPECT_GT(placed, 300u);  // the commands reached the reports, not only the first rule
}

class MessageRecords : public ::testing::Test {
  protected:
    Recorder recorder;
    refhost::MessageLog log;
    TokenInfoObj TokenAt(const std::string& text) {
        tokens.reset(new refhost::TextTokenSequence(text));
        tokens->next();
        return TokenInfoObj(*tokens);
    }
    std::unique_ptr<refhost::TextTokenSequence> tokens;
};

// At is for the next report alone, also when the report it was meant for said nothing; copies
// report to the same observer; a delegating method keeps its own name.
TEST_F(MessageRecords, AtPointsOneReportAndCopiesKeepTheObserver) {
    ParserMessage message;
    message.SetDiagnosticObserver(&recorder);
    const TokenInfoObj word = TokenAt("   word");
    message.At(word).SimpleError(nullptr);  // emits nothing
    message.SubComUnknown("X");
    message.At(word).SubComUnknown("Y");
    message.SubComUnknown("Z");
    const ParserMessage copy(message);
    copy.WrongValueType("P", "S", UPSpecTypes::ParamNumber);
    ASSERT_EQ(recorder.records.size(), 4u);
    EXPECT_FALSE(recorder.records[0].range.known());
    EXPECT_EQ(recorder.records[1].range.column, 4);
    EXPECT_EQ(recorder.records[1].range.endColumn, 8);
    EXPECT_FALSE(recorder.records[2].range.known());
    EXPECT_EQ(recorder.records[3].id, "WrongValueType");
    EXPECT_EQ(recorder.records[3].text,
              "Parameter ^1 of subcommand ^2 does not have a numerical value...");
    EXPECT_EQ(recorder.records[3].arguments, (std::vector<std::string>{"P", "S"}));
    EXPECT_EQ(log.messages().size(), 4u);
}

class Throwing : public DiagnosticObserver {
  public:
    void onDiagnostic(const Diagnostic&) override { throw std::runtime_error("observer"); }
};

// An observer that throws loses its record, never the message; a message of a group keeps
// its catalog text and arguments apart from the prefix the user reads.
TEST_F(MessageRecords, ThrowingObserversAndGroupPrefixes) {
    Throwing throwing;
    ParserMessage message(2, "Panel ^1");
    message.SetDiagnosticObserver(&throwing);
    EXPECT_NO_THROW(message.SubComRepeated("CELLS"));
    message.SetDiagnosticObserver(&recorder);
    message.SubComRequired(std::vector<std::string>{"A", "B"});
    message.SubComRepeated("CELLS");
    ASSERT_EQ(log.messages().size(), 3u);
    EXPECT_EQ(log.messages()[0].text, log.messages()[2].text);
    ASSERT_EQ(recorder.records.size(), 2u);
    EXPECT_EQ(recorder.records[0].id, "SubComRequired");
    EXPECT_EQ(recorder.records[0].level, 2);
    EXPECT_EQ(recorder.records[0].arguments, (std::vector<std::string>{"A, B"}));
    EXPECT_EQ(recorder.records[1].text, "Subcommand ^1 has already been called...");
    EXPECT_EQ(recorder.records[1].arguments, (std::vector<std::string>{"CELLS"}));
}

}  // namespace
