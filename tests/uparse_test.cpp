// uparse from the outside: exit status, trees on standard output, diagnostics on standard
// error, JSON lines, data files, standard input, unknown commands, --list and --raw.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

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

TEST_F(Uparse, DemoShowsTreesAndPointsAtEveryMistake) {
    const std::string demo = Source("examples/demo.syntax");
    const Result result = run({"--messages", "none", demo});
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
        demo + ":38:24: error: Subcommand MAP required...\n" + demo +
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
    const Result result = run({"--messages", "none", "--data", data, syntax});
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
    const Result found = run({"--data", data, "-"},
                             "SKETCH ÖL ÄRGER ΆΛΦΑ ИМЯ.\nSKETCH GRÖSSE 変数 O\u0308L.\n");
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.err, "");
    // The validated lists carry the dictionary's own spellings.
    EXPECT_THAT(found.out, HasSubstr("    summarised: öl Ärger άλφα имя\n"));
    EXPECT_THAT(found.out, HasSubstr("    summarised: größe 変数 öl\n"));

    // ΑΛΦΑ lacks the tonos of άλφα and kapi the dotless i of kapı: near, but not the same.
    const Result misspelt = run({"--messages", "none", "--data", data, "-"},
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

TEST_F(Uparse, RefusesDuplicateNamesAndPointsAtInvalidUtf8) {
    const Result twice = run({"--data", mDir.write("twice.csv", "id,ÖL,öl\n1,2,3\n"), "-"},
                             "SKETCH id.");
    EXPECT_EQ(twice.status, 2);
    EXPECT_THAT(twice.err, HasSubstr("names the variable öl twice (as ÖL and öl)"));

    const Result latin1 = run({"--data", mDir.write("latin1.csv", "id,gr\xF6\xDF" "e\n1,2\n"), "-"},
                              "SKETCH id.");
    EXPECT_EQ(latin1.status, 2);
    EXPECT_THAT(latin1.err, HasSubstr("invalid UTF-8 byte 0xF6 at line 1, column 6"));

    const std::string syntax = mDir.write("latin1.syntax", "SKETCH öl.\nSKETCH gr\xF6\xDF" "e.\n");
    const Result text = run({"--data", Source("examples/data/names.csv"), syntax});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, syntax + ":2:10: error: invalid UTF-8 byte 0xF6\n" + syntax +
                            ":2:11: error: invalid UTF-8 byte 0xDF\n");
    EXPECT_THAT(text.out, HasSubstr("SKETCH (" + syntax + ":2): not parsed: the text is not valid UTF-8"));
    const std::vector<Json> lines = jsonLines(
        run({"--json", "--data", Source("examples/data/names.csv"), syntax}).out);
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

TEST_F(Uparse, UnknownCommandsFailUnlessRawAsksForNoGrammar) {
    const Result unknown = run({"-"}, "TABULATE a b /c d.");
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
                                      "      /PANEL variable BY variable...\n"));
    EXPECT_THAT(result.out, HasSubstr("      /LAYOUT [LABELS({NAMES|VALUES|BOTH})] "
                                      "[WIDTH(integer [4,40])] [DECIMALS(integer [0,6])]\n"));
    EXPECT_THAT(result.out, HasSubstr("[TRIM=number [0,50)]"));
    EXPECT_THAT(result.out, HasSubstr("  TRACE tokens... [(STYLE={SOLID|DASH|DOT} "
                                      "WIDTH=integer [1,5])]\n"));
    EXPECT_THAT(result.out, Not(HasSubstr("error")));
}

}  // namespace
