#include "tools/uparse/Options.h"

#include <CLI/CLI.hpp>

namespace uparse {

int ParseOptions(int argc, char** argv, Options& options) {
    CLI::App app(
        "Parses and validates command syntax with the sample procedures and shows what the "
        "parser made of each command.\n"
        "Reads the FILEs in turn, or standard input when there is none or a FILE is \"-\".\n"
        "Exit status: 0 when every command parsed and validated, 1 when any did not, 2 for "
        "a usage error.",
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
    app.add_flag("--json", options.json,
                 "One JSON object per command and line, diagnostics included");
    app.add_flag("--raw", options.raw, "Parse every command without a grammar");
    app.add_flag("--list", options.list,
                 "Show the syntax chart of every sample procedure and exit");
    app.set_version_flag("--version", std::string("uparse ") + UPARSE_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }
    return -1;
}

}  // namespace uparse
