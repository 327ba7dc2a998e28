// uparse-lsp [options]: a language server, over standard input and output, that checks syntax
// files as they are edited with the sample procedures and the commands of grammar files, with
// the settings of the command line or of the workspace's uparse.json.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "tools/uparse-lsp/LspServer.h"
#include "tools/uparse-lsp/Workspace.h"
#include "tools/uparse/ProgramError.h"
#include "uparser/Version.h"

namespace {

using uparselsp::Settings;

// Answers -1 when the server should start, else the exit status.
int ParseSettings(int argc, char** argv, Settings& settings) {
    CLI::App app(
        "Language server (LSP 3.17, over standard input and output) that checks syntax files "
        "as they are edited, as uparse checks them.",
        "uparse-lsp");
    app.add_option("--data", settings.dataPath,
                   "CSV data file whose header gives the dictionary (default: the built-in "
                   "sample data set)")
        ->option_text("FILE.csv");
    app.add_option("--messages", settings.messages,
                   "Message catalog (PO file), or \"none\" for the library's own texts "
                   "(default: the English catalog installed with the program)")
        ->option_text("FILE.po|none");
    app.add_option("--grammar", settings.grammars, "Grammar file; may be given more than once")
        ->allow_extra_args(false)
        ->option_text("FILE");
    app.add_option("--grammar-dir", settings.grammarDirs,
                   "Directory whose grammar files (*.json) are all read")
        ->allow_extra_args(false)
        ->option_text("DIR");
    // Many clients start a server with --stdio; it is the only transport there is.
    app.add_flag("--stdio", "Talk over standard input and output (the default)");
    app.set_version_flag("--version", std::string("uparse-lsp ") + UPARSE_VERSION +
                                          "\nuparser library " + UparserVersion());
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error);
        }
        std::cerr << "uparse-lsp: " << uparse::LowerFirst(error.what())
                  << " (see uparse-lsp --help)" << std::endl;
        return 2;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    const int status = ParseSettings(argc, argv, settings);
    if (status >= 0) {
        return status;
    }
    uparselsp::Workspace workspace(settings);
    std::string error;
    if (!workspace.load(error)) {
        std::cerr << "uparse-lsp: " << uparse::LowerFirst(error) << std::endl;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    uparselsp::LspServer server(workspace.procedures(), workspace.data(), std::cout);
    // A uparse.json at the workspace's root gives that workspace's settings.
    server.onWorkspace([&](const std::string& root) { return workspace.applyFile(root); });
    return server.run(std::cin);
}
