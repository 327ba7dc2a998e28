// uparse from the outside: exit status, trees on standard output, diagnostics on standard
// error, JSON lines, data files, standard input, unknown commands, --list and --raw, and the
// commands of grammar files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "uparser/Version.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using Json = nlohmann::json;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Source(const std::string& path) {
    const char* dir = std::getenv("UPARSER_SOURCE_DIR");
    return std::string(dir != nullptr ? dir : "..") + "/" + path;
}

class Uparse : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef UPARSE_PATH
        GTEST_SKIP() << "uparse is not built in this configuration";
#endif
    }

    // Runs uparse with the arguments, input on standard input.
    Result run(const std::vector<std::string>& args, const std::string& input = "") {
        Result result;
#ifdef UPARSE_PATH
        std::string command = Quoted(UPARSE_PATH);
        for (const std::string& arg : args) {
            command += " " + Quoted(arg);
        }
        const std::string in = mDir.write("stdin.txt", input);
        command += " <" + Quoted(in) + " >" + Quoted(mDir.file("out.txt")) + " 2>" +
                   Quoted(mDir.file("err.txt"));
        const int status = std::system(command.c_str());
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = Slurp(mDir.file("out.txt"));
        result.err = Slurp(mDir.file("err.txt"));
#else
        (void)args;
        (void)input;
#endif
        return result;
    }

    std::vector<Json> jsonLines(const std::string& text) {
        std::vector<Json> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(Json::parse(line));
        }
        return lines;
    }

    testsupport::TempDir mDir;
};

TEST_F(Uparse, ExitStatusTellsSuccessFailureAndUsageErrors) {
    EXPECT_EQ(run({"-"}, "SKETCH age.\nTRACE score1.\n").status, 0);
    EXPECT_EQ(run({"-"}, "SKETCH age.\nSKETCH agee.\n").status, 1);
    EXPECT_EQ(run({"--bogus"}).status, 2);
    const Result missing = run({mDir.file("no-such.syntax")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_THAT(missing.err, HasSubstr("uparse: cannot read "));
    EXPECT_EQ(missing.out, "");
    const Result badData = run({"--data", mDir.file("none.csv"), "-"}, "SKETCH age.");
    EXPECT_EQ(badData.status, 2);
    EXPECT_THAT(badData.err, HasSubstr("none.csv"));
    const Result version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, HasSubstr("uparse 0.1.0"));
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("--data"));
}

// Trees wait in the output buffer, but where both streams go to one file each command's
// findings still stand right after its tree.
TEST_F(Uparse, FindingsFollowTheirTreeWhenBothStreamsShareAFile) {
#ifdef UPARSE_PATH
    const std::string in = mDir.write("both.syntax", "SKETCH agee.\nSKETCH age.\nSKETCH spnd.\n");
    const std::string both = mDir.file("both.txt");
    const std::string command = Quoted(UPARSE_PATH) + " --no-source " + Quoted(in) + " >" +
                                Quoted(both) + " 2>&1";
    ASSERT_NE(std::system(command.c_str()), -1);
    const std::string text = Slurp(both);
    const std::size_t first = text.find("both.syntax:1): validation failed");
    const std::size_t agee = text.find(":1:8: error: Variable agee");
    const std::size_t second = text.find("both.syntax:2): parsed and validated");
    const std::size_t third = text.find("both.syntax:3): validation failed");
    const std::size_t spnd = text.find(":3:8: error: Variable spnd");
    ASSERT_NE(spnd, std::string::npos) << text;
    EXPECT_LT(first, agee) << text;
    EXPECT_LT(agee, second) << text;
    EXPECT_LT(second, third) << text;
    EXPECT_LT(third, spnd) << text;
#endif
}

// Every input is checked in turn: one that cannot be read (missing, a directory) is reported
// where it stands and the others are still checked; the status tells at the end. The program's
// own messages share one form, with the system's reason.
TEST_F(Uparse, UnreadableInputsAreReportedAndTheRestStillChecked) {
    const std::string first = mDir.write("first.syntax", "SKETCH age.\n");
    const std::string last = mDir.write("last.syntax", "SKETCH agee.\n");
    const std::string missing = mDir.file("missing.syntax");
    const Result text = run({"--no-source", mDir.path(), first, missing, last});
    EXPECT_EQ(text.status, 2);
    EXPECT_THAT(text.out, HasSubstr("first.syntax:1): parsed and validated"));
    EXPECT_THAT(text.out, HasSubstr("last.syntax:1): validation failed"));
    EXPECT_EQ(text.err, "uparse: cannot read " + mDir.path() + ": Is a directory\n" +
                            "uparse: cannot read " + missing + ": No such file or directory\n" +
                            last + ":1:8: error: Variable agee for the SKETCH command is not " +
                            "in the dictionary.\n" + last + ":1:8: note: did you mean age?\n");
    const Result json = run({"--json", mDir.path(), first});
    EXPECT_EQ(json.status, 2);
    EXPECT_EQ(jsonLines(json.out).size(), 1u);
    EXPECT_EQ(json.err, "uparse: cannot read " + mDir.path() + ": Is a directory\n");

    EXPECT_EQ(run({"--data", mDir.path(), first}).err,
              "uparse: cannot read the data file " + mDir.path() + ": Is a directory\n");
    const std::string headless = mDir.write("headless.csv", "\n");
    EXPECT_EQ(run({"--data", headless, first}).err,
              "uparse: the data file " + headless + " has no header line\n");
    EXPECT_EQ(run({"--bogus"}).err,
              "uparse: the following argument was not expected: --bogus (see uparse --help)\n");
}

TEST_F(Uparse, AnUnterminatedLiteralIsAnErrorAtItsOpeningQuote) {
    const std::string open = "SKETCH age\n  /TITLE 'no end.\n";
    const Result text = run({"-"}, open);
    EXPECT_EQ(text.status, 1);
    EXPECT_THAT(text.out, HasSubstr("SKETCH (<stdin>:1): lexical error; parsed and validated"));
    EXPECT_EQ(text.err, "<stdin>:2:10: error: unterminated literal\n");
    const std::vector<Json> json = jsonLines(run({"--json", "-"}, open).out);
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0]["ok"], false);
    EXPECT_EQ(
        json[0]["diagnostics"],
        Json::array(
            {{{"level", "error"}, {"line", 2}, {"column", 10}, {"text", "unterminated literal"}}}));
}

// Text output escapes what could upset a terminal (C0 and C1 controls, a bidirectional
// override) and shortens a very long token; JSON keeps both as they were.
TEST_F(Uparse, TextOutputIsSafeForATerminalAndJsonKeepsEverything) {
    const std::string word(1000000, 'w');
    const std::string input =
        "SKETCH age /TITLE 'a\x1b[2J\x07\xc2\x9b\xe2\x80\xae\tb'.\n\nSKETCH " + word + ".\n";
    const Result text = run({"-"}, input);
    EXPECT_THAT(text.out, HasSubstr("/TITLE: 'a\\x1B[2J\\x07\\u009B\\u202E\\tb'  [literal]"));
    // Checked without printing the output, which is a megabyte long when the test fails.
    EXPECT_NE(text.err.find(": error: " + word.substr(0, 80) + "...[1000000 bytes] is not"),
              std::string::npos);
    for (const std::string* printed : {&text.out, &text.err}) {
        EXPECT_LT(printed->size(), 2000u);
        EXPECT_EQ(std::count_if(printed->begin(), printed->end(),
                                [](char c) { return c != '\n' && (c < 0x20 || c >= 0x7f); }),
                  0);
    }
    const std::vector<Json> json = jsonLines(run({"--json", "-"}, input).out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["tree"][0]["subcommands"][1]["leading"]["value"],
              "a\x1b[2J\x07\xc2\x9b\xe2\x80\xae\tb");
    EXPECT_TRUE(json[1]["tree"][0]["subcommands"][0]["leading"]["value"][0] == word);
}

// Numbers are written as "%.15g" writes them; whole numbers of up to 15 digits take a quicker
// road, whose edges are negative zero and the 16th digit. The tokenizer reads short numbers
// on a quicker road too.
TEST_F(Uparse, NumbersReadAndWrittenAlikeOnEveryRoad) {
    const Result result = run({"-"},
                              "TRACE score1 /AXIS TICKS = -0 0.5 -7 123456789012345 "
                              "1234567890123456 1e20 0.1 -2.5E-2 999999999999999.\n");
    EXPECT_THAT(result.out, HasSubstr("      TICKS = -0 0.5 -7 123456789012345 1.23456789012346e+15 "
                                      "1e+20 0.1 -0.025 999999999999999  [numbers]\n"));
}

// JSON lines are written directly, and must be what a dump of the same document gives:
// escapes, texts beyond ASCII, numbers (floating ones always with a point or exponent).
TEST_F(Uparse, JsonLinesAreInTheDumpedForm) {
    const std::string input =
        "SKETCH age /TITLE 'q\"\\\x01\xc3\xa4'.\n\n"
        "TRACE score1 /AXIS TICKS = -0 0.5 -7 123456789012345 1234567890123456 1e20 0.1.\n\n"
        "BUCKET zone /MAP region gender ; 1 1 10 ; 1 2 11 ; 2 1 20 ; 2 2 21 /OTHERWISE VALUE = 99 "
        "/LABELS 'a' 'b' 'c' 'd'.\n\nWEAVE /PANEL nosuch BY gender.\n";
    const std::string out = run({"--json", "-"}, input).out;
    using Ordered = nlohmann::ordered_json;
    std::istringstream in(out);
    std::string dumped;
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        dumped += Ordered::parse(line).dump(-1, ' ', false, Ordered::error_handler_t::replace);
        dumped += '\n';
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(out, dumped);
    EXPECT_THAT(out, HasSubstr("\"value\":\"q\\\"\\\\\\u0001\xc3\xa4\""));
    EXPECT_THAT(out, HasSubstr("[-0.0,0.5,-7.0,123456789012345.0,1.234567890123456e+15,1e+20,0.1]"));
}

// Every option of --help has an example there and an entry in the manual page; --version
// names the library that is loaded.
TEST_F(Uparse, HelpAndManualPageCoverEveryOption) {
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    const std::size_t options = help.out.find("Options:\n");
    const std::size_t examples = help.out.find("Examples:\n");
    ASSERT_NE(options, std::string::npos);
    ASSERT_NE(examples, std::string::npos);
    std::string entries;  // the manual's list items, where the options are described
    std::istringstream manual(Slurp(Source("tools/uparse/uparse.1")));
    for (std::string line; std::getline(manual, line);) {
        if (line.rfind(".It ", 0) == 0) {
            entries += line + "\n";
        }
    }
    std::istringstream lines(help.out.substr(options, examples - options));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("--");
        if (at == std::string::npos) {
            continue;
        }
        const std::string option = line.substr(at, line.find(' ', at) - at);
        ++count;
        EXPECT_NE(help.out.find("\n  uparse " + option, examples), std::string::npos) << option;
        const std::string entry = "Fl " + option.substr(1);
        EXPECT_TRUE(entries.find(entry + " ") != std::string::npos ||
                    entries.find(entry + "\n") != std::string::npos)
            << option;
    }
    EXPECT_EQ(count, 10);
    EXPECT_THAT(run({"--version"}).out,
                HasSubstr(std::string("\nuparser library ") + UparserVersion() + "\n"));
}

TEST_F(Uparse, DemoShowsTreesAndPointsAtEveryMistake) {
    const std::string demo = Source("examples/demo.syntax");
    const Result result = run({"--no-source", "--messages", "none", demo});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("SKETCH (" + demo +
                                      ":1): parsed and validated\n"
                                      "  group 1 (global)\n"
                                      "    (leading part): age income spend score1 TO score4"));
    EXPECT_THAT(result.out, HasSubstr("      TRIM = 5  [number]\n"));
    EXPECT_THAT(result.out, HasSubstr("      LABELS(BOTH)  [word]\n"));
    EXPECT_THAT(result.out, HasSubstr("    /CODING 1: keyword: region; value: EFFECT"));
    EXPECT_THAT(result.out, HasSubstr("    summarised: age income spend score1 score2 score3"));
    EXPECT_THAT(result.out, HasSubstr("    lines: score3 score4 (STYLE=DOT) (WIDTH=2)\n"));
    const std::string expected =
        demo + ":32:20: error: STAT is not a valid subcommand name...\n" + demo +
        ":32:20: note: did you mean STATS?\n" + demo +
        ":34:8: error: Variable incme for parameter command line of SPROUT command... is "
        "not found in dictionary...\n" +
        demo + ":34:8: note: did you mean income?\n" + demo +
        ":36:29: error: Value 25 breaks included lower boundary 0 or included upper "
        "boundary 10 for parameter parameter DIGITS of subcommand FORMAT......\n" +
        demo + ":38:28: error: Subcommand MAP required...\n" + demo +
        ":40:1: error: unknown command 'SKECTH'; parsed without a grammar\n" + demo +
        ":40:1: note: did you mean SKETCH?\n";
    EXPECT_EQ(result.err, expected);
}

TEST_F(Uparse, JsonGivesOneObjectPerCommand) {
    const Result result = run({"--json", Source("examples/demo.syntax")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    const std::vector<Json> lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), 10u);

    const Json& sketch = lines[0];
    EXPECT_EQ(sketch["command"], "SKETCH");
    EXPECT_EQ(sketch["procedure"], "SKETCH");
    EXPECT_EQ(sketch["line"], 1);
    EXPECT_EQ(sketch["code"], 0);
    EXPECT_EQ(sketch["ok"], true);
    EXPECT_EQ(sketch["variables"][0]["role"], "summarised");
    EXPECT_EQ(sketch["variables"][0]["variables"],
              Json({"age", "income", "spend", "score1", "score2", "score3", "score4"}));
    const Json& stats = sketch["tree"][0]["subcommands"][1];
    EXPECT_EQ(stats["name"], "STATS");
    EXPECT_EQ(stats["parameters"][2]["name"], "TRIM");
    EXPECT_EQ(stats["parameters"][2]["kind"], "number");
    EXPECT_EQ(stats["parameters"][2]["value"], 5);
    EXPECT_EQ(sketch["tree"][0]["subcommands"][4]["leading"]["value"], "region");

    const Json& bucket = lines[3];
    const Json& map = bucket["tree"][0]["subcommands"][1]["leading"];
    EXPECT_EQ(map["kind"], "categories");
    EXPECT_EQ(map["variables"], Json({"region", "gender"}));
    EXPECT_EQ(map["rows"][1]["values"], Json({"1", "2"}));
    EXPECT_EQ(map["rows"][1]["code"], 11);

    const Json& trace = lines[4];
    EXPECT_EQ(trace["variables"][1]["qualifiers"], Json({{"STYLE", "DOT"}, {"WIDTH", "2"}}));

    const Json& misspelt = lines[6];
    EXPECT_EQ(misspelt["line"], 34);
    EXPECT_EQ(misspelt["ok"], false);
    EXPECT_EQ(misspelt["stage"], "validation");
    ASSERT_EQ(misspelt["diagnostics"].size(), 2u);
    EXPECT_EQ(misspelt["diagnostics"][0]["level"], "error");
    EXPECT_EQ(misspelt["diagnostics"][0]["column"], 8);
    EXPECT_EQ(
        misspelt["diagnostics"][1],
        Json({{"level", "note"}, {"line", 34}, {"column", 8}, {"text", "did you mean income?"}}));

    const Json& bounds = lines[7];
    EXPECT_EQ(bounds["code"], 12);
    EXPECT_EQ(bounds["stage"], "parse");

    const Json& unknown = lines[9];
    EXPECT_EQ(unknown["procedure"], nullptr);
    EXPECT_EQ(unknown["ok"], false);
    EXPECT_EQ(unknown["code"], 0);
    EXPECT_EQ(unknown["diagnostics"][0]["text"],
              "unknown command 'SKECTH'; parsed without a grammar");
}

// A suggestion comes only from the names valid where the run stopped, whenever one is close.
TEST_F(Uparse, DidYouMeanOffersOnlyWhatIsValidWhereTheRunStopped) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // The option's own words, not the subcommand's other parameter FILE.
        {"BUCKET zone /MAP region ; 1 10 /WRITE FILE='out.csv' SEPARATOR=PIPE.", ""},
        {"BUCKET zone /MAP region ; 1 10 /WRITE SEPARATOR=TABB.", "1:49 TAB"},
        // A misspelt parameter where a parameter was expected, or swallowed as a value.
        {"SKETCH age /STATS CENTRE.", "1:19 CENTER"},
        {"SKETCH age /STATS RANGE SHAPES.", "1:25 SHAPE"},
        {"BUCKET zone /MAP region ; 1 10 /OTHERWISE VALUE=3 COPPY.", "1:51 COPY"},
        // The word meant to begin a keyword's value, not the keyword part it was read into.
        {"SPROUT income BY region /CODING region (EFECT).", "1:41 EFFECT"},
        // Not a parameter already given, nor a subcommand that may not follow here.
        {"SKETCH age /STATS RANGE RANGES.", ""},
        {"WEAVE /PANEL region /MISING SKIP.", ""},
        {"WEAVE /MISING SKIP /PANEL region.", "1:8 MISSING"},
        {"WEAVE /PANEL region /CELS COUNT /PANEL educ /CELS COUNT.", "1:22 CELLS"},
        // A numeric list is offered numeric variables only.
        {"SKETCH citi.", "1:8 city"},
        {"TRACE citi.", ""},
    };
    for (const auto& [command, note] : cases) {
        const Result result = run({"-"}, command);
        const std::size_t at = result.err.find(": note: did you mean ");
        std::string found;
        if (at != std::string::npos) {
            const std::size_t place = result.err.rfind("<stdin>:", at) + 8;
            const std::size_t name = at + 21;
            found = result.err.substr(place, at - place) + " " +
                    result.err.substr(name, result.err.find('?', name) - name);
        }
        EXPECT_EQ(found, note) << command << "\n" << result.err;
    }
}

// By default the library's messages read as po/en.po has them; --json keeps the library's own
// text beside each.
TEST_F(Uparse, ShowsMessagesThroughTheChosenCatalog) {
    const std::string syntax = "SKETCH age /FORMAT DIGITS = 25.\nBUCKET zone /OTHERWISE COPY.\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"--messages", Source("po/en.po")}}) {
        const std::string err = run(args, syntax).err;
        EXPECT_THAT(err, HasSubstr(": error: Value 25 for parameter DIGITS of subcommand FORMAT "
                                   "must be from 0 to 10.\n"));
        EXPECT_THAT(err, HasSubstr(": error: Subcommand MAP is missing or out of place.\n"));
    }
    const std::string german = run({"--messages", Source("po/de.po")}, syntax).err;
    EXPECT_THAT(german, HasSubstr(": error: Der Wert 25 für Parameter DIGITS von Unterbefehl "
                                  "FORMAT muss im Bereich von 0 bis 10 liegen.\n"));
    EXPECT_THAT(german,
                HasSubstr(": error: Unterbefehl MAP fehlt oder steht an der falschen Stelle.\n"));

    const std::string library =
        "Value 25 breaks included lower boundary 0 or included upper boundary 10 for "
        "parameter parameter DIGITS of subcommand FORMAT......";
    const std::vector<Json> lines = jsonLines(run({"--json", "-"}, syntax).out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["diagnostics"][0]["text"],
              "Value 25 for parameter DIGITS of subcommand FORMAT must be from 0 to 10.");
    EXPECT_EQ(lines[0]["diagnostics"][0]["libraryText"], library);
    EXPECT_EQ(lines[1]["diagnostics"][0]["libraryText"], "Subcommand MAP required...");
    const Json untranslated = jsonLines(run({"--json", "--messages", "none"}, syntax).out)[0];
    EXPECT_EQ(untranslated["diagnostics"][0]["text"], library);
    EXPECT_EQ(untranslated["diagnostics"][0]["libraryText"], library);

    const std::string bad = mDir.write("bad.po", "msgid \"x\"\nmsgstr \"y\"\nmsgid \"x\"\n");
    const Result refused = run({"--messages", bad}, syntax);
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.err, HasSubstr("uparse: " + bad + ":3: "));
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(run({"--messages", mDir.file("none.po")}, syntax).status, 2);
}

TEST_F(Uparse, ValidatesAgainstTheHeaderOfACsvDataFile) {
    const std::string data = mDir.write("heights.csv", "height,mass,team\n181,77,A\n166,60,B\n");
    const std::string syntax =
        mDir.write("heights.syntax", "SKETCH height mass.\n\nSKETCH\n  hieght.\n");
    const Result result = run({"--no-source", "--messages", "none", "--data", data, syntax});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("    summarised: height mass\n"));
    EXPECT_EQ(result.err, syntax +
                              ":4:3: error: Variable hieght for parameter command line of "
                              "SKETCH command... is not found in dictionary...\n" +
                              syntax + ":4:3: note: did you mean height?\n");
    // The sample's variables are not in this dictionary.
    EXPECT_EQ(run({"--data", data, "-"}, "SKETCH age.").status, 1);
}

// examples/data/names.csv: id,größe,変数,öl,Ärger,άλφα,имя,kapı
TEST_F(Uparse, FindsNamesOfEveryScriptInAnyCaseAndCountsColumnsInCharacters) {
    const std::string data = Source("examples/data/names.csv");
    const Result found =
        run({"--data", data, "-"}, "SKETCH ÖL ÄRGER ΆΛΦΑ ИМЯ.\nSKETCH GRÖSSE 変数 O\u0308L.\n");
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.err, "");
    // The validated lists carry the dictionary's own spellings.
    EXPECT_THAT(found.out, HasSubstr("    summarised: öl Ärger άλφα имя\n"));
    EXPECT_THAT(found.out, HasSubstr("    summarised: größe 変数 öl\n"));

    // ΑΛΦΑ lacks the tonos of άλφα and kapi the dotless i of kapı: near, but not the same.
    const Result misspelt =
        run({"--no-source", "--messages", "none", "--data", data, "-"},
            "SKETCH ΆΛΦΑ ΑΛΦΑ.\nSKETCH kapi.\n");
    EXPECT_EQ(misspelt.status, 1);
    EXPECT_EQ(misspelt.err,
              "<stdin>:1:13: error: Variable ΑΛΦΑ for parameter command line of SKETCH "
              "command... is not found in dictionary...\n"
              "<stdin>:1:13: note: did you mean άλφα?\n"
              "<stdin>:2:8: error: Variable kapi for parameter command line of SKETCH "
              "command... is not found in dictionary...\n"
              "<stdin>:2:8: note: did you mean kapı?\n");
}

// The library's records place each message: the caret stands under the range as a terminal
// shows it (an escaped tab two columns, a wide character two), JSON gives id and range, and a
// catalog's wording for the reporting method in particular wins over the general one.
TEST_F(Uparse, DiagnosticsShowTheirRangeAndReportingMethod) {
    const Result repeated = run({"--messages", "none", "-"}, "SPROUT income BY region WITH region.");
    EXPECT_EQ(repeated.status, 1);
    EXPECT_THAT(repeated.err, HasSubstr("<stdin>:1:30: error: "));
    EXPECT_THAT(repeated.err, HasSubstr("\n SPROUT income BY region WITH region.\n" +
                                       std::string(30, ' ') + "^~~~~~\n"));

    const std::string data = mDir.write("wide.csv", "größe,変数\n1,2\n");
    const Result wide = run({"--data", data, "-"}, "SKETCH größe\t変数 agee.");
    EXPECT_THAT(wide.err, HasSubstr("<stdin>:1:17: error: "));
    EXPECT_THAT(wide.err, HasSubstr("\n SKETCH größe\\t変数 agee.\n" + std::string(20, ' ') +
                                    "^~~~\n"));

    const Result json = run({"--json", "-"}, "BUCKET zone /OTHERWISE COPY.");
    const nlohmann::json line = nlohmann::json::parse(json.out);
    const nlohmann::json& missing = line["diagnostics"][0];
    EXPECT_EQ(missing["id"], "SubComRequired");
    EXPECT_EQ(missing["range"], nlohmann::json({{"line", 1}, {"column", 28}, {"endLine", 1},
                                                {"endColumn", 28}}));

    const std::string catalog = mDir.write(
        "context.po",
        "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
        "msgid \"Subcommand ^1 has already been called...\"\nmsgstr \"Subcommand ^1 again.\"\n\n"
        "msgctxt \"SubComRepeated\"\nmsgid \"Subcommand ^1 has already been called...\"\n"
        "msgstr \"Subcommand ^1 is repeated.\"\n");
    const Result context =
        run({"--no-source", "--messages", catalog, "-"}, "SKETCH age /TITLE 'a' /TITLE 'b'.");
    EXPECT_EQ(context.err, "<stdin>:1:24: error: Subcommand TITLE is repeated.\n");
}

TEST_F(Uparse, RefusesDuplicateNamesAndPointsAtInvalidUtf8) {
    const Result twice =
        run({"--data", mDir.write("twice.csv", "id,ÖL,öl\n1,2,3\n"), "-"}, "SKETCH id.");
    EXPECT_EQ(twice.status, 2);
    EXPECT_THAT(twice.err, HasSubstr("names the variable öl twice (as ÖL and öl)"));

    const Result latin1 = run({"--data",
                               mDir.write("latin1.csv",
                                          "id,gr\xF6\xDF"
                                          "e\n1,2\n"),
                               "-"},
                              "SKETCH id.");
    EXPECT_EQ(latin1.status, 2);
    EXPECT_THAT(latin1.err, HasSubstr("invalid UTF-8 byte 0xF6 at line 1, column 6"));

    const std::string syntax = mDir.write("latin1.syntax",
                                          "SKETCH öl.\nSKETCH gr\xF6\xDF"
                                          "e.\n");
    const Result text = run({"--data", Source("examples/data/names.csv"), syntax});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, syntax + ":2:10: error: invalid UTF-8 byte 0xF6\n" + syntax +
                            ":2:11: error: invalid UTF-8 byte 0xDF\n");
    EXPECT_THAT(text.out,
                HasSubstr("SKETCH (" + syntax + ":2): not parsed: the text is not valid UTF-8"));
    const std::vector<Json> lines =
        jsonLines(run({"--json", "--data", Source("examples/data/names.csv"), syntax}).out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["ok"], true);
    EXPECT_EQ(lines[1]["ok"], false);
    EXPECT_EQ(lines[1]["diagnostics"][1]["column"], 11);
}

TEST_F(Uparse, BuiltInSampleIsTheSampleCsv) {
    const std::string demo = Source("examples/demo.syntax");
    const Result builtIn = run({"--json", demo});
    const Result fromFile = run({"--json", "--data", Source("examples/data/sample.csv"), demo});
    EXPECT_EQ(builtIn.out, fromFile.out);
}

TEST_F(Uparse, ReadsStandardInputWithoutFileOrWithDash) {
    const Result implicit = run({}, "SKETCH agee.");
    EXPECT_EQ(implicit.status, 1);
    EXPECT_THAT(implicit.err, HasSubstr("<stdin>:1:8: error: Variable agee"));
    const Result files = run({mDir.write("a.syntax", "SKETCH age.\n"), "-"}, "TRACE city.");
    EXPECT_EQ(files.status, 1);
    EXPECT_THAT(files.out, HasSubstr("a.syntax:1): parsed and validated"));
    EXPECT_THAT(files.err, HasSubstr("<stdin>:1:7: error: Variable city"));
}

// Input is read in large blocks and cut into lines: lines and commands across the blocks'
// edges, CR LF line ends and a last line without its LF all read as written.
TEST_F(Uparse, LinesAcrossReadBlocksAreReadWhole) {
    // The first line is longer than the buffer that is kept: the lines after it are read
    // from a buffer given back to its usual size.
    std::string text =
        "SKETCH age" + std::string(std::size_t{3} << 19, ' ') + "\r\n  /TITLE 'wide'.\n";
    int commands = 1;  // of two lines each
    while (text.size() < (std::size_t{2} << 20)) {
        text += "SKETCH age\r\n  /TITLE '" + std::string(commands % 37, 't') + "'.\n";
        ++commands;
    }
    const long lastLine = 1 + 2L * commands;
    text += "SKETCH\n income";
    ++commands;
    const Result result = run({mDir.write("blocks.syntax", text)}, "");
    EXPECT_EQ(result.status, 0) << result.err.substr(0, 500);
    std::size_t passed = 0;
    for (std::size_t at = 0; (at = result.out.find("): parsed and validated\n", at)) !=
                             std::string::npos;
         ++at) {
        ++passed;
    }
    EXPECT_EQ(passed, static_cast<std::size_t>(commands));
    EXPECT_THAT(result.out, HasSubstr("blocks.syntax:" + std::to_string(lastLine) +
                                      "): parsed and validated\n  group 1 (global)\n"
                                      "    (leading part): income  [tokens]\n"));
}

// A regular file is checked in batches on two threads, a pipe command by command; both must
// write the same texts in the same order, findings after their tree, over several batches of
// commands that pass and fail in every way.
TEST_F(Uparse, AFileGivesWhatThePipeGivesCommandForCommand) {
#ifdef UPARSE_PATH
    const std::vector<std::string> commands = {
        "SKETCH age income\n  /STATS CENTER SPREAD TRIM = 5\n  /TITLE 'Wave 1'.\n",
        "SKETCH agee.\n",
        "SKETCH age /FORMAT DIGITS = 25.\n",
        "SKECTH age.\n",
        "WEAVE /PANEL region BY gender /LAYOUT WIDTH(12) WIDTH(14).\n",
        "TRACE score1 'open.\n",
        "BUCKET zone /MAP region gender ; 1 1 10 ; 2 2 21 /OTHERWISE VALUE = 99.\n",
    };
    std::string text;
    for (int i = 0; i < 700; ++i) {
        text += commands[static_cast<std::size_t>(i * 3 % 7)];
    }
    const std::string in = mDir.write("many.syntax", text);
    // Standard input from the file itself, or from a pipe; status and both streams, in one.
    const auto check = [&](const std::string& options, bool pipe) {
        const std::string out = mDir.file("out.txt");
        const std::string command = (pipe ? "cat " + Quoted(in) + " | " : std::string()) +
                                    Quoted(UPARSE_PATH) + " " + options + " -" +
                                    (pipe ? std::string() : " <" + Quoted(in)) + " >" +
                                    Quoted(out) + " 2>&1";
        const int status = std::system(command.c_str());
        return std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "\n" + Slurp(out);
    };
    for (const char* options : {"", "--json"}) {
        const std::string batches = check(options, false);
        EXPECT_EQ(batches.substr(0, 2), "1\n");
        EXPECT_GT(batches.size(), text.size());
        EXPECT_EQ(batches, check(options, true)) << options;
    }
#endif
}

TEST_F(Uparse, UnknownCommandsFailUnlessRawAsksForNoGrammar) {
    const Result unknown = run({"--no-source", "-"}, "TABULATE a b /c d.");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err,
              "<stdin>:1:1: error: unknown command 'TABULATE'; parsed without a grammar\n");
    EXPECT_THAT(unknown.out, HasSubstr("unknown command; parsed without a grammar"));
    EXPECT_THAT(unknown.out, HasSubstr("    /C\n      D  [keyword]\n"));

    // Without a grammar the misspelt subcommand is just a subcommand.
    const Result raw = run({"--raw", "-"}, "SKETCH age /STAT CENTER.\nTABULATE a.");
    EXPECT_EQ(raw.status, 0);
    EXPECT_EQ(raw.err, "");
    EXPECT_THAT(raw.out, HasSubstr("SKETCH (<stdin>:1): parsed without a grammar\n"));
    EXPECT_THAT(raw.out, HasSubstr("    /STAT\n      CENTER  [keyword]\n"));
    EXPECT_EQ(run({"--raw", "-"}, "ANY a /b = 1.").status, 1);
}

TEST_F(Uparse, ListShowsEveryGrammarAsASyntaxChart) {
    const Result result = run({"--list"});
    EXPECT_EQ(result.status, 0);
    for (const char* name : {"SKETCH - ", "WEAVE - ", "SPROUT - ", "BUCKET - ", "TRACE - "}) {
        EXPECT_THAT(result.out, HasSubstr(name));
    }
    EXPECT_THAT(result.out, HasSubstr("    group PANEL, required, may repeat:\n"
                                      "      /PANEL variable [{BY|*} variable]...\n"));
    EXPECT_THAT(
        result.out,
        HasSubstr("      /LAYOUT [LABELS({NAMES|VALUES|BOTH})] "
                  "[WIDTH(integer [4,40])] [DECIMALS(integer [0,6])]  -- at least one part\n"));
    EXPECT_THAT(result.out, HasSubstr("[TRIM=number [0,50)]"));
    EXPECT_THAT(result.out, HasSubstr("  TRACE tokens... [([STYLE={SOLID|DASH|DOT}] "
                                      "[WIDTH=integer [1,5]])] ...\n"));
    EXPECT_THAT(result.out, Not(HasSubstr("error")));
}

// The language of examples/grammars/orchard.json: its syntax file parses and validates as the
// file declares, --list charts it with its help texts, and a broken grammar file is a usage
// error with its position.
TEST_F(Uparse, GrammarFilesBringCommandsOfTheirOwn) {
    const std::string orchard = Source("examples/grammars/orchard.json");
    const Result result = run({"--no-source", "--grammar", orchard, Source("examples/orchard.syntax")});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("PLUCK (" + Source("examples/orchard.syntax") +
                                      ":1): parsed and validated"));
    EXPECT_THAT(result.out, HasSubstr("    picked: score3 score4 (SHADE=SLATE) (SIZE=2)\n"));
    EXPECT_THAT(result.out, HasSubstr("    grown stocks (/ROOTSTOCK 2): gender\n"));
    EXPECT_THAT(result.out, HasSubstr("    row (/ROW): educ gender\n"));
    std::vector<std::string> stops;
    std::istringstream errors(result.err);
    for (std::string line; std::getline(errors, line);) {
        stops.push_back(line.substr(line.find(".syntax:") + 8,
                                    line.find(": error") - line.find(".syntax:") - 8));
    }
    EXPECT_THAT(stops, ElementsAre("17:23", "19:44", "21:57", "23:30"));
    EXPECT_THAT(result.err,
                HasSubstr("Output variable income for subcommand SCION already exists."));

    // Samples stay available, and --json names the file's procedure.
    const std::vector<Json> lines =
        jsonLines(run({"--grammar-dir", Source("examples/grammars"), "--json", "-"},
                      "PLUCK score1.\nTRACE score1.\nGRAFT age BY region /SCION age.")
                      .out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]["procedure"], "PLUCK");
    EXPECT_EQ(lines[1]["ok"], true);
    EXPECT_EQ(lines[2]["stage"], "validation");

    const Result list = run({"--grammar", orchard, "--list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_THAT(list.out, HasSubstr("TRELLIS - Lays crossed variables out row by row"));
    EXPECT_THAT(list.out, HasSubstr("    group ROW, required, may repeat:\n"));
    EXPECT_THAT(list.out, HasSubstr("  help:\n    (leading part)  Variables to pick"));
    EXPECT_THAT(list.out, HasSubstr("      CUTOFF  Smallest gain worth a further round\n"));
    EXPECT_THAT(list.out, Not(HasSubstr("SKETCH")));

    const Result broken =
        run({"--grammar", Source("tests/grammars/broken/unknown-key.json"), "-"}, "PLUCK a.");
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");
    EXPECT_THAT(broken.err, HasSubstr("unknown-key.json:6:26: error: unknown key \"frm\""));
    const Result twice = run({"--grammar", orchard, "--grammar", orchard, "--list"});
    EXPECT_EQ(twice.status, 2);
    EXPECT_THAT(twice.err, HasSubstr("command PLUCK is also declared in"));
}

TEST_F(Uparse, ListWithJsonGivesTheGrammarsAsData) {
    const Result result = run({"--list", "--json"});
    EXPECT_EQ(result.status, 0);
    const std::vector<Json> grammars = jsonLines(result.out);
    ASSERT_EQ(grammars.size(), 5u);
    const std::vector<std::string> charts = [&] {
        std::vector<std::string> texts;
        std::istringstream in(run({"--list"}).out);
        for (std::string line, chart; std::getline(in, line);) {
            chart += line + "\n";
            if (line.empty()) {
                texts.push_back(chart.substr(0, chart.size() - 1));
                chart.clear();
            }
        }
        return texts;
    }();
    ASSERT_EQ(charts.size(), 5u);
    for (std::size_t i = 0; i < grammars.size(); ++i) {
        EXPECT_EQ(grammars[i]["chart"], charts[i]);
    }
    const Json& weave = grammars[1];
    EXPECT_EQ(weave["name"], "WEAVE");
    const Json& panel = weave["groups"][1];
    EXPECT_EQ(panel["kind"], "Repeatable");
    EXPECT_EQ(panel["separators"], Json({"PANEL"}));
    EXPECT_EQ(panel["subcommands"][0]["value"]["type"], "CrossVarList");
    const Json& width = weave["groups"][2]["subcommands"][0]["parameters"][1];
    EXPECT_EQ(width["name"], "WIDTH");
    EXPECT_EQ(width["lower"], Json({{"included", 4}}));
    const Json& trace = grammars[4]["groups"][0]["subcommands"][0]["value"];
    EXPECT_EQ(trace["qualifierForm"], "ByEqual");
    EXPECT_EQ(trace["qualifiers"][0]["words"], Json({"SOLID", "DASH", "DOT"}));
}

// What a chart leaves out may be left out, what it repeats may repeat, and what it requires
// is required.
TEST_F(Uparse, ChartsSayWhatTheGrammarsAccept) {
    const std::string charts = run({"--list"}).out;
    const struct {
        const char* chart;
        const char* command;
        int status;
    } cases[] = {
        {"/PANEL variable [{BY|*} variable]...\n", "WEAVE /PANEL region /PANEL region * gender.",
         0},
        {"/MAP [=]variable... ; value... code [; value... code]...\n",
         "BUCKET zone /MAP region ; 1 10 ; 2 20.", 0},
        {"TRACE tokens... [([STYLE={SOLID|DASH|DOT}] [WIDTH=integer [1,5]])] ...\n",
         "TRACE score1 (WIDTH=2) score2 score3 (STYLE=DOT).", 0},
        {"[/STATS [CENTER] [SPREAD] [RANGE] [SHAPE] [TRIM=number [0,50)]]  -- at least one part\n",
         "SKETCH age /STATS.", 1},
        {"[/SELECT RULE={FORWARD|BACKWARD|ALLIN}[(number (0,1))]]\n",
         "SPROUT income BY region /SELECT.", 1},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(charts, HasSubstr(c.chart));
        EXPECT_EQ(run({"-"}, c.command).status, c.status) << c.command;
    }
}

}  // namespace
