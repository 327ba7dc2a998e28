// The sample procedures: correct commands give their typed settings and validated variables,
// typical mistakes give the library's own message and the token where the run stopped.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "examples/procedures/Bucket.h"
#include "examples/procedures/Sketch.h"
#include "examples/procedures/Sprout.h"
#include "examples/procedures/Trace.h"
#include "examples/procedures/Weave.h"
#include "refhost/refhost.h"
#include "support/SampleData.h"
#include "uparser/ParserUtility.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const refhost::Dictionary& Sample() {
    return SampleData();
}

struct Outcome {
    examples::RunResult result;
    std::vector<std::string> messages;

    // The names of the list with that role, "" joined by blanks; "-" when there is none.
    std::string list(const std::string& role) const {
        for (const examples::VariableList& list : result.variables) {
            if (list.role == role) {
                std::string names;
                for (const std::string& name : list.names) {
                    names += (names.empty() ? "" : " ") + name;
                }
                return names;
            }
        }
        return "-";
    }
    // Where the run stopped, as "line:column text".
    std::string stop() const {
        return std::to_string(result.stopToken.getLineNumber()) + ":" +
               std::to_string(result.stopToken.getColumn()) + " " + result.stopToken.getString();
    }
};

Outcome RunCommand(const examples::Procedure& procedure, const std::string& text) {
    refhost::TextTokenSequence tokens(text);
    refhost::MessageLog log;
    Outcome outcome{procedure.run(tokens, Sample()), {}};
    for (const refhost::Emitted& message : log.messages()) {
        outcome.messages.push_back(message.text);
    }
    return outcome;
}

// A command the procedure refuses: the parser's code (0 where the validation after the parse
// refused it), where the run stopped as "line:column text" and the last message; null where the
// test does not look.
struct Mistake {
    const char* text;
    int code;
    const char* stop;
    const char* message;
};

// Every mistake ends the run at its stage, with its code, stop and message; with oneMessage
// the message is the only one.
void ExpectMistakes(const examples::Procedure& procedure, const std::vector<Mistake>& mistakes,
                    bool oneMessage = false) {
    for (const Mistake& m : mistakes) {
        SCOPED_TRACE(m.text);
        const Outcome run = RunCommand(procedure, m.text);
        EXPECT_FALSE(run.result.ok());
        EXPECT_EQ(run.result.parseCode, m.code);
        EXPECT_EQ(run.result.stage,
                  m.code == 0 ? examples::Stage::Validation : examples::Stage::Parse);
        if (m.stop != nullptr) {
            EXPECT_EQ(run.stop(), m.stop);
        }
        ASSERT_FALSE(run.messages.empty());
        if (oneMessage) {
            EXPECT_EQ(run.messages.size(), 1u);
        }
        if (m.message != nullptr) {
            EXPECT_EQ(run.messages.back(), m.message);
        }
    }
}

const examples::Sketch kSketch;
const examples::Weave kWeave;
const examples::Sprout kSprout;
const examples::Bucket kBucket;
const examples::Trace kTrace;

TEST(ExamplesRegistry, FindsEveryProcedureByItsCommandName) {
    std::vector<std::string> names;
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        names.push_back(procedure->name());
        refhost::TextTokenSequence tokens(GetUpperString(procedure->name()) + " x.");
        EXPECT_EQ(examples::FindProcedure(tokens), procedure);
        // The stream is back at its start for the parser.
        ASSERT_TRUE(tokens.next());
        EXPECT_EQ(TokenInfoObj(tokens).getUpperString(), procedure->name());
    }
    EXPECT_THAT(names, ElementsAre("SKETCH", "WEAVE", "SPROUT", "BUCKET", "TRACE"));
    refhost::TextTokenSequence unknown("SKETC age.");
    EXPECT_EQ(examples::FindProcedure(unknown), nullptr);
    // Any case, and a longer word that begins with a name, as CheckCommandName has it.
    refhost::TextTokenSequence lower("bucketful age.");
    EXPECT_EQ(examples::FindProcedure(lower), examples::AllProcedures()[3]);
    refhost::TextTokenSequence beyondAscii("\xC3\xA9SKETCH age.");
    EXPECT_EQ(examples::FindProcedure(beyondAscii), nullptr);
}

TEST(ExamplesSketch, ReadsEverySettingAndTheVariables) {
    const Outcome run =
        RunCommand(kSketch,
                   "SKETCH age income TO spend score3 /STATS SHAPE CENTER TRIM = 12.5\n"
                   "  /FORMAT DIGITS = 4 ORDER = descending /TITLE = 'Wave 1'\n"
                   "  /PARTITION region /NOTE one /NOTE two words.");
    ASSERT_TRUE(run.result.ok()) << run.stop();
    EXPECT_THAT(run.messages, IsEmpty());
    EXPECT_EQ(run.list("summarised"), "age income spend score3");
    EXPECT_EQ(run.list("groups"), "region");
    const examples::SketchSettings settings = kSketch.settings(run.result.spec);
    EXPECT_THAT(settings.figures, ElementsAre("SHAPE", "CENTER"));
    EXPECT_DOUBLE_EQ(settings.trim, 12.5);
    EXPECT_EQ(settings.digits, 4);
    EXPECT_EQ(settings.width, 80);
    EXPECT_EQ(settings.order, "DESCENDING");
    EXPECT_EQ(settings.title, "Wave 1");
    EXPECT_THAT(settings.notes, ElementsAre("one", "two words"));
}

TEST(ExamplesSketch, AllNamesEveryVariable) {
    const Outcome run = RunCommand(kSketch, "SKETCH ALL.");
    ASSERT_TRUE(run.result.ok());
    EXPECT_EQ(run.list("summarised"),
              "id age income spend region gender educ score1 score2 score3 score4 weight city");
}

TEST(ExamplesSketch, MistakesStopWithTheLibrarysMessageAtTheirToken) {
    const std::vector<Mistake> mistakes = {
        {"SKETCH age /STAT CENTER.", 6, "1:13 STAT", "STAT is not a valid subcommand name..."},
        {"SKETCH age /FORMAT DIGITS = 11.", 12, "1:29 11",
         "Value 11 breaks included lower boundary 0 or included upper boundary 10 for parameter "
         "parameter DIGITS of subcommand FORMAT......"},
        {"SKETCH age /FORMAT DIGIT = 2.", 11, "1:20 DIGIT",
         "DIGIT is not a valid parameter name in subcommand FORMAT..."},
        {"SKETCH age /STATS TRIM = 50.", 12, "1:26 50", nullptr},
        {"SKETCH age /STATS CENTER SPRED.", 12, "1:26 SPRED",
         "Keyword CENTER in subcommand STATS cannot have any value..."},
        {"SKETCH /STATS CENTER.", 9, "1:9 STATS",
         "Subcommand STATS is not allowed at the command SKETCH start..."},
        {"SKETCH age /TITLE /TITLE 'b'.", 10, "1:13 TITLE", "TITLE subcommand is empty..."},
        {"SKETCH age /TITLE 'a' /TITLE 'b'.", 8, "1:24 TITLE",
         "Subcommand TITLE has already been called..."},
        {"SKETCH agee.", 0, "1:8 agee",
         "Variable agee for parameter command line of SKETCH command... is not found in "
         "dictionary..."},
        {"SKETCH age income TO age.", 0, "1:22 age",
         "Keyword TO improperly used for range in parameter command line of SKETCH command... "
         "variable list..."},
        {"SKETCH age region /PARTITION region.", 0, "1:30 region",
         "Variable name region used for parameter subcommand PARTITION... cannot be used for "
         "parameter command line of SKETCH command......"},
    };
    ExpectMistakes(kSketch, mistakes, true);
}

TEST(ExamplesWeave, PanelsAndTheFourGroupKinds) {
    const Outcome run = RunCommand(kWeave,
                                   "WEAVE /MISSING = KEEP /ROWWEIGHTS weight\n"
                                   "  /PANEL region BY gender * educ /CELLS ROWSHR EXPECTED\n"
                                   "  /PANEL educ BY gender\n"
                                   "  /LAYOUT LABELS(values) DECIMALS(3)\n"
                                   "  /SAVE OUTFILE = 'tables.txt' STYLE = CSV.");
    ASSERT_TRUE(run.result.ok()) << run.stop() << " " << run.messages.front();
    EXPECT_EQ(run.list("weight"), "weight");
    EXPECT_EQ(run.list("panel 1"), "region gender educ");
    EXPECT_EQ(run.list("panel 2"), "educ gender");
    const examples::WeaveSettings settings = kWeave.settings(run.result.spec);
    EXPECT_EQ(settings.missing, "KEEP");
    EXPECT_EQ(settings.weight, "weight");
    ASSERT_EQ(settings.panels.size(), 2u);
    EXPECT_THAT(settings.panels[0].cells, ElementsAre("ROWSHR", "EXPECTED"));
    EXPECT_THAT(settings.panels[1].cells, ElementsAre("COUNT"));
    EXPECT_EQ(settings.labels, "VALUES");
    EXPECT_EQ(settings.width, 10);
    EXPECT_EQ(settings.decimals, 3);
    EXPECT_EQ(settings.style, "CSV");
    // A new file is accepted where its directory exists, and resolved to a full path.
    EXPECT_EQ(settings.outfile.front(), '/');
    EXPECT_EQ(settings.outfile.substr(settings.outfile.size() - 11), "/tables.txt");
}

TEST(ExamplesWeave, GroupRulesAndVariableMistakes) {
    const std::vector<Mistake> mistakes = {
        {"WEAVE /MISSING KEEP.", 5, "1:16 KEEP", "Subcommand PANEL required..."},
        {"WEAVE /PANEL a BY b /LAYOUT WIDTH(5) /LAYOUT WIDTH(6).", 4, "1:39 LAYOUT",
         "Subcommand LAYOUT is not allowed in this context..."},
        {"WEAVE /PANEL a BY b /SAVE OUTFILE = 'x' /LAYOUT WIDTH(5).", 2, "1:42 LAYOUT",
         "Subcommand SAVE required..."},
        {"WEAVE /PANEL region BY gender /CELLS COUNT ROWPTC.", 12, "1:44 ROWPTC",
         "Panel 1. ROWPTC is not a valid option for parameter subcommand CELLS......"},
        {"WEAVE /PANEL region gender.", 12, "1:21 gender", nullptr},
        {"WEAVE /PANEL region BY regon.", 0, "1:24 regon",
         "Variable regon for parameter subcommand PANEL... is not found in dictionary..."},
        {"WEAVE /PANEL region BY region.", 0, "1:24 region",
         "Variable region for parameter subcommand PANEL... already used..."},
        {"WEAVE /ROWWEIGHTS weight /PANEL weight BY region.", 0, "1:33 weight",
         "Variable name weight used for parameter subcommand PANEL... cannot be used for "
         "parameter subcommand ROWWEIGHTS......"},
        {"WEAVE /ROWWEIGHTS city /PANEL region BY gender.", 0, "1:19 city",
         "Variable city for parameter subcommand ROWWEIGHTS... is not numerical..."},
    };
    ExpectMistakes(kWeave, mistakes);
}

TEST(ExamplesSprout, ModelListsCodingsRuleAndNewVariables) {
    const Outcome run = RunCommand(kSprout,
                                   "SPROUT income spend BY region gender WITH age\n"
                                   "  /SETTINGS REPEATS(40) DELTAMIN(1e-4) LEVEL(90)\n"
                                   "  /CODING region (EFFECT) /CODING gender (ordinal)\n"
                                   "  /SELECT RULE = BACKWARD(0.2)\n"
                                   "  /SAVE LEFTOVER(res) FITVALUES(fit) /WEIGHTBY weight.");
    ASSERT_TRUE(run.result.ok()) << run.stop() << " " << run.messages.front();
    EXPECT_EQ(run.list("dependents"), "income spend");
    EXPECT_EQ(run.list("factors"), "region gender");
    EXPECT_EQ(run.list("covariates"), "age");
    EXPECT_EQ(run.list("weight"), "weight");
    const examples::SproutSettings settings = kSprout.settings(run.result.spec);
    EXPECT_EQ(settings.repeats, 40);
    EXPECT_DOUBLE_EQ(settings.deltaMin, 1e-4);
    EXPECT_DOUBLE_EQ(settings.level, 90);
    ASSERT_EQ(settings.codings.size(), 2u);
    EXPECT_THAT(settings.codings[0].factors, ElementsAre("region"));
    EXPECT_EQ(settings.codings[0].scheme, "EFFECT");
    EXPECT_EQ(settings.codings[1].scheme, "ORDINAL");
    EXPECT_EQ(settings.rule, "BACKWARD");
    EXPECT_DOUBLE_EQ(settings.ruleLimit, 0.2);
    EXPECT_EQ(settings.fitValues, "fit");
    EXPECT_EQ(settings.leftover, "res");
}

TEST(ExamplesSprout, RuleWithoutLimitKeepsTheDefault) {
    const Outcome run = RunCommand(kSprout, "SPROUT income BY region /SELECT RULE = ALLIN.");
    ASSERT_TRUE(run.result.ok());
    const examples::SproutSettings settings = kSprout.settings(run.result.spec);
    EXPECT_EQ(settings.rule, "ALLIN");
    EXPECT_DOUBLE_EQ(settings.ruleLimit, 0.05);
    EXPECT_EQ(run.list("covariates"), "");
}

TEST(ExamplesSprout, ModelMistakes) {
    const std::vector<Mistake> mistakes = {
        {"SPROUT incme BY region.", 0, "1:8 incme",
         "Variable incme for parameter command line of SPROUT command... is not found in "
         "dictionary..."},
        {"SPROUT income BY region WITH city.", 0, "1:30 city",
         "Variable city for parameter command line of SPROUT command... is not numerical..."},
        {"SPROUT income BY region WITH region.", 0, nullptr, nullptr},
        {"SPROUT income BY region /CODING age (EFFECT).", 0, "1:33 age",
         "age for CODING is not a factor name, subcommand CODING 1 ..."},
        {"SPROUT income BY region /CODING region (EFFECT) /CODING region (DUMMY).", 12, nullptr,
         nullptr},
        {"SPROUT income BY region /CODING region (EFFECT) /CODING region (ORDINAL).", 0,
         "1:57 region",
         "Variable region for parameter subcommand CODING 2... already occured in parameter "
         "subcommand CODING 1......"},
        {"SPROUT income BY region /SELECT RULE = FORWARD(2).", 12, "1:48 2", nullptr},
        {"SPROUT income BY region /SAVE FITVALUES(age).", 0, "1:41 age",
         "Output variable age for parameter parameter FITVALUES of subcommand SAVE... already "
         "exists..."},
        {"SPROUT income BY region /SAVE FITVALUES(p) LEFTOVER(P).", 0, "1:53 P",
         "Output variable P for parameter parameter LEFTOVER of subcommand SAVE... already "
         "created..."},
        {"SPROUT income BY region /WEIGHTBY region.", 0, "1:35 region",
         "Variable name region used for parameter subcommand WEIGHTBY... cannot be used for "
         "parameter command line of SPROUT command......"},
        {"SPROUT income BY region /SETTINGS REPEATS = 5.", 16, nullptr, nullptr},
    };
    ExpectMistakes(kSprout, mistakes);
}

TEST(ExamplesBucket, CategoryRowsOtherwiseLabelsAndFile) {
    const Outcome run = RunCommand(kBucket,
                                   "BUCKET zone /MAP region gender ; 2 1 20 ; 1 2 11 ; 1 1 10\n"
                                   "  /OTHERWISE VALUE = -1 /LABELS 'a' 'b, c'\n"
                                   "  /WRITE FILE = 'zones.txt' SEPARATOR = tab.");
    ASSERT_TRUE(run.result.ok()) << run.stop() << " " << run.messages.front();
    EXPECT_EQ(run.list("sources"), "region gender");
    const examples::BucketSettings settings = kBucket.settings(run.result.spec);
    EXPECT_EQ(settings.target, "zone");
    EXPECT_THAT(settings.sources, ElementsAre("region", "gender"));
    ASSERT_EQ(settings.rows.size(), 3u);
    EXPECT_THAT(settings.rows[0].values, ElementsAre("1", "1"));
    EXPECT_DOUBLE_EQ(settings.rows[0].code, 10);
    EXPECT_DOUBLE_EQ(settings.rows[2].code, 20);
    EXPECT_TRUE(settings.hasOtherwise);
    EXPECT_DOUBLE_EQ(settings.otherwise, -1);
    EXPECT_FALSE(settings.copy);
    EXPECT_THAT(settings.labels, ElementsAre("a", "b, c"));
    EXPECT_EQ(settings.separator, "TAB");
    EXPECT_EQ(settings.file.substr(settings.file.size() - 10), "/zones.txt");
}

TEST(ExamplesBucket, StringCategoriesAreLiterals) {
    const Outcome run =
        RunCommand(kBucket, "BUCKET place /MAP city ; 'Lyon' 1 ; 'Gent' 2 /OTHERWISE COPY.");
    ASSERT_TRUE(run.result.ok());
    const examples::BucketSettings settings = kBucket.settings(run.result.spec);
    EXPECT_TRUE(settings.copy);
    EXPECT_FALSE(settings.hasOtherwise);
    ASSERT_EQ(settings.rows.size(), 2u);
    EXPECT_THAT(settings.rows[0].values, ElementsAre("Gent"));
}

TEST(ExamplesBucket, Mistakes) {
    const std::vector<Mistake> mistakes = {
        {"BUCKET zone /LABELS 'a'.", 9, nullptr, "Subcommand MAP required..."},
        {"BUCKET age /MAP region ; 1 10.", 0, "1:8 age",
         "Output variable age for parameter command line of BUCKET command... already "
         "exists..."},
        {"BUCKET zone /MAP region ; north 10.", 0, "1:27 north",
         "Variable region specified for subcommand MAP... has value north of invalid type or "
         "format..."},
        {"BUCKET zone /MAP region gender ; 1 10.", 12, "1:18 region", nullptr},
        {"BUCKET zone /MAP region ; 1 10 /OTHERWISE VALUE = 9 COPY.", 0, "1:53 COPY",
         "Parameter COPY of subcommand OTHERWISE cannot be used with parameter VALUE..."},
        {"BUCKET zone /MAP region ; 1 10 /WRITE FILE = '/no/such/dir/zones.txt'.", 12, nullptr,
         nullptr},
    };
    ExpectMistakes(kBucket, mistakes);
}

TEST(ExamplesTrace, BlocksCarryTheirOwnQualifiers) {
    const Outcome run = RunCommand(kTrace,
                                   "TRACE score1 score2 (STYLE = dash) score3 TO score4 (WIDTH = 3 "
                                   "STYLE = DOT) age\n"
                                   "  /AXIS TICKS = 0 2.5 5 LABELS = 'lo' 'hi' STEP = 2.5\n"
                                   "  /HIGHLIGHT 2 4 /RANGE LOW(-1) HIGH(30)\n"
                                   "  /LEGEND PLACE = OUTSIDE(BOTTOM) FONT = FACE(MONO) SIZE(12).");
    ASSERT_TRUE(run.result.ok()) << run.stop() << " " << run.messages.front();
    const std::vector<examples::VariableList>& lines = run.result.variables;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_THAT(lines[0].names, ElementsAre("score1", "score2"));
    EXPECT_EQ(lines[0].qualifiers,
              (std::vector<std::pair<std::string, std::string>>{{"STYLE", "DASH"}}));
    EXPECT_THAT(lines[1].names, ElementsAre("score3", "score4"));
    EXPECT_EQ(lines[1].qualifiers,
              (std::vector<std::pair<std::string, std::string>>{{"STYLE", "DOT"}, {"WIDTH", "3"}}));
    EXPECT_THAT(lines[2].names, ElementsAre("age"));
    EXPECT_THAT(lines[2].qualifiers, IsEmpty());
    const examples::TraceSettings settings = kTrace.settings(run.result.spec);
    EXPECT_THAT(settings.ticks, ElementsAre(0, 2.5, 5));
    EXPECT_THAT(settings.tickLabels, ElementsAre("lo", "hi"));
    EXPECT_DOUBLE_EQ(settings.step, 2.5);
    EXPECT_THAT(settings.highlight, ElementsAre(2, 4));
    EXPECT_TRUE(settings.hasLow && settings.hasHigh);
    EXPECT_DOUBLE_EQ(settings.low, -1);
    EXPECT_EQ(settings.place, "OUTSIDE");
    EXPECT_EQ(settings.side, "BOTTOM");
    EXPECT_EQ(settings.fontFace, "MONO");
    EXPECT_EQ(settings.fontSize, 12);
}

TEST(ExamplesTrace, LegendWithoutSide) {
    const Outcome run = RunCommand(kTrace, "TRACE score1 /LEGEND PLACE = NONE.");
    ASSERT_TRUE(run.result.ok());
    const examples::TraceSettings settings = kTrace.settings(run.result.spec);
    EXPECT_EQ(settings.place, "NONE");
    EXPECT_EQ(settings.side, "");
}

TEST(ExamplesTrace, Mistakes) {
    const std::vector<Mistake> mistakes = {
        {"TRACE score1 (STYLE = WAVY).", 0, "1:23 WAVY",
         "Qualifier STYLE of variable score1 used for parameter command line of TRACE "
         "command... has an invalid value WAVY..."},
        {"TRACE score1 score2 (WIDTH = 9).", 0, "1:30 9",
         "Qualifier WIDTH of last variable score2 used for parameter command line of TRACE "
         "command... has an invalid value 9..."},
        {"TRACE score1 (STILE = DASH).", 11, "1:15 STILE",
         "STILE is not a valid parameter name in command TRACE..."},
        {"TRACE score1 city.", 0, "1:14 city",
         "Variable city for parameter command line of TRACE command... is not numerical..."},
        {"TRACE score1 /HIGHLIGHT 0 2.", 12, "1:25 0",
         "Value 0 should be greater than or equal 1 for parameter subcommand HIGHLIGHT......"},
        {"TRACE score1 /RANGE LOW(10) HIGH(5).", 0, "1:34 5",
         "Parameter HIGH cannot be less than LOW, subcommand RANGE..."},
        {"TRACE score1 /LEGEND PLACE = INSIDE(LEFT).", 12, "1:37 LEFT",
         "LEFT is not a valid option for parameter parameter PLACE INSIDE of subcommand "
         "LEGEND......"},
        {"TRACE score1 /LEGEND FONT = SIZE(100).", 12, "1:34 100", nullptr},
    };
    ExpectMistakes(kTrace, mistakes);
}

// Whatever the text, a run ends with a result: a failure always says where it stopped (or that
// there was nothing to point at), and a success names no stop.
TEST(ExamplesRobustness, AnyTextEndsInAResult) {
    const char* texts[] = {
        "X",
        "X /",
        "X //",
        "X ((((",
        "X ))) /(",
        "X = = =",
        "X 'open",
        "X /STATS (",
        "X a TO",
        "X TO a",
        "X ALL ALL",
        "X a BY",
        "X a BY b WITH",
        "X ; ; 1 2",
        "X /PANEL",
        "X /PANEL a BY",
        "X /LAYOUT WIDTH(",
        "X /SAVE OUTFILE =",
        "X /CODING (EFFECT)",
        "X /SELECT RULE = FORWARD(",
        "X /MAP a ;",
        "X a (STYLE",
        "X a (STYLE =) b",
        "X /LEGEND FONT = SIZE SIZE",
        "X [ ] [",
        "X /NOTE /NOTE /NOTE",
        "X \x01\x7f\xff @#$ 1e999 -.5e-3",
    };
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        for (const char* text : texts) {
            SCOPED_TRACE(procedure->name() + " with " + text);
            const Outcome run = RunCommand(*procedure, text);
            EXPECT_NE(run.result.stage, examples::Stage::Internal);
            if (run.result.ok()) {
                EXPECT_EQ(run.result.stage, examples::Stage::Done);
                EXPECT_EQ(run.result.stopToken.getLineNumber(), 0);
            } else {
                EXPECT_NE(run.result.stage, examples::Stage::Done);
                EXPECT_FALSE(run.messages.empty());
            }
        }
    }
}

TEST(ExamplesRobustness, ParsingWithoutAGrammarOnlyChecksTheStructure) {
    refhost::TextTokenSequence good("ANY a b /c d = 1 2 /e.");
    const examples::RunResult parsed = examples::ParseWithoutGrammar(good);
    EXPECT_TRUE(parsed.ok());
    ASSERT_EQ(parsed.spec.getSubComListSize(), 3u);
    EXPECT_EQ(parsed.spec.getSubComObj(1)->getSubComName(), "C");

    refhost::TextTokenSequence bad("ANY a /b = 1.");
    refhost::MessageLog log;
    const examples::RunResult failed = examples::ParseWithoutGrammar(bad);
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.stage, examples::Stage::Parse);
    EXPECT_EQ(failed.stopToken.getColumn(), 10);
    EXPECT_EQ(log.messages().size(), 1u);
}

}  // namespace
