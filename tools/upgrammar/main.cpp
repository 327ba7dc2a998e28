// upgrammar [--write] FILE... | --samples DIR: checks grammar files, or writes the grammar
// files of the sample procedures.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "examples/generic/SampleGrammars.h"
#include "grammar/grammar.h"

namespace {

int ExportSamples(const std::string& root) {
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        const std::string path = root + "/" + examples::SampleGrammarPath(*procedure);
        std::ofstream out(path, std::ios::binary);
        out << upgrammar::WriteGrammar(examples::SampleGrammar(*procedure));
        if (!out) {
            std::cerr << "upgrammar: cannot write " << path << '\n';
            return 2;
        }
        std::cout << path << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    bool write = false;
    std::string samplesRoot;
    CLI::App app(
        "Checks grammar files: each is read as uparse --grammar reads it, and the first problem "
        "of each is reported as FILE:LINE:COLUMN: error: TEXT.\n"
        "Exit status: 0 when every file was read, 1 when any was not, 2 for a usage error.",
        "upgrammar");
    app.add_option("FILE", files, "Grammar file");
    app.add_flag("--write", write, "Print each file as the writer writes it (its canonical form)");
    app.add_option("--samples", samplesRoot,
                   "Write the grammar files of the sample procedures to "
                   "ROOT/examples/grammars/ and exit")
        ->option_text("ROOT");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }
    if (!samplesRoot.empty()) {
        return ExportSamples(samplesRoot);
    }
    if (files.empty()) {
        std::cerr << "upgrammar: no grammar file given\n" << app.help();
        return 2;
    }
    bool allRead = true;
    for (const std::string& path : files) {
        upgrammar::GrammarFile grammar;
        upgrammar::GrammarError error;
        if (!upgrammar::ReadGrammarFile(path, grammar, error)) {
            std::cerr << error.text() << '\n';
            allRead = false;
        } else if (write) {
            std::cout << upgrammar::WriteGrammar(grammar);
        }
    }
    return allRead ? 0 : 1;
}
