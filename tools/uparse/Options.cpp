#include "tools/uparse/Options.h"

#include <CLI/CLI.hpp>

#include "tools/uparse/ProgramError.h"
#include "uparser/Version.h"

namespace uparse {

namespace {

// One example per option; a test keeps this list and the options in step.
const char* const kExamples =
    "Examples:\n"
    "  uparse job.syntax                  check a syntax file against the sample data\n"
    "  uparse - < job.syntax              the same, from standard input\n"
    "  uparse --data survey.csv job.syntax\n"
    "                                     check the variables against a CSV file's header\n"
    "  uparse --messages po/de.po job.syntax\n"
    "                                     the library's messages in German\n"
    "  uparse --json job.syntax           one JSON object per command, for tools\n"
    "  uparse --raw job.syntax            the structure only: subcommands, parameters\n"
    "  uparse --grammar orchard.json orchard.syntax\n"
    "                                     check the commands a grammar file declares\n"
    "  uparse --grammar-dir grammars job.syntax\n"
    "                                     the same with every grammar file of a directory\n"
    "  uparse --list                      the syntax chart of every sample procedure\n"
    "  uparse --list --json               the grammars as JSON\n"
    "  uparse --version                   uparse's version and the library's\n"
    "  uparse --help                      this text\n"
    "\n"
    "Exit status: 0 when every command parsed and validated, 1 when any did not, 2 for a\n"
    "usage error or an input, data, catalog or grammar file that could not be read (the\n"
    "other inputs are still checked).";

}  // namespace

int ParseOptions(int argc, char** argv, Options& options) {
    CLI::App app(
        "Parses and validates command syntax with the sample procedures, or with the commands "
        "of grammar files, and shows what the parser made of each command. Reads the FILEs in "
        "turn, or standard input when there is none or a FILE is \"-\".",
        "uparse");
    app.add_option("FILE", options.files, "Syntax file; \"-\" for standard input");
    app.add_option("--data", options.dataPath,
                   "CSV data file whose header gives the dictionary (default: the built-in "
                   "sample data set)")
        ->option_text("FILE.csv");
    app.add_option("--messages", options.messages,
                   "Message catalog (PO file) the library's messages are shown through, or "
                   "\"none\" for the library's own texts (default: the English catalog "
                   "installed with uparse)")
        ->option_text("FILE.po|none");
    app.add_option("--grammar", options.grammars,
                   "Grammar file whose commands are checked with its grammar and validated as "
                   "it declares, besides the samples; may be given more than once")
        ->allow_extra_args(false)
        ->option_text("FILE");
    app.add_option("--grammar-dir", options.grammarDirs,
                   "Directory whose grammar files (*.json) are all read, as with --grammar")
        ->allow_extra_args(false)
        ->option_text("DIR");
    app.add_flag("--json", options.json,
                 "One JSON object per command and line, diagnostics included; with --list, "
                 "one per grammar");
    app.add_flag("--raw", options.raw, "Parse every command without a grammar");
    app.add_flag("--list", options.list,
                 "Show the syntax chart of every command of the grammar files, with their help "
                 "texts (of every sample procedure when no grammar file is given) and exit");
    app.set_version_flag(
        "--version",
        std::string("uparse ") + UPARSE_VERSION + "\nuparser library " + UparserVersion(),
        "Print the version of uparse and of the library it runs with, and exit");
    app.footer(kExamples);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error);  // --help or --version, printed
        }
        ReportProgramError(LowerFirst(error.what()) + " (see uparse --help)");
        return 2;
    }
    return -1;
}

}  // namespace uparse
