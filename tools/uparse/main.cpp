// uparse [options] [FILE...]: parses and validates command syntax with the sample procedures
// and the commands of grammar files.
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "examples/procedures/Procedure.h"
#include "refhost/refhost.h"
#include "tools/uparse/CommandReport.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/Messages.h"
#include "tools/uparse/Options.h"
#include "tools/uparse/Output.h"
#include "tools/uparse/Procedures.h"
#include "tools/uparse/ProgramError.h"
#include "tools/uparse/SyntaxInput.h"

namespace {

// Whether two descriptors lead to the same file, terminal or pipe (as with 2>&1).
bool SameFile(int first, int second) {
    struct stat one {};
    struct stat two {};
    return fstat(first, &one) == 0 && fstat(second, &two) == 0 && one.st_dev == two.st_dev &&
           one.st_ino == two.st_ino;
}

// Checks the commands of one input as they are read; false when one of them failed.
// withLibraryTexts: give each library message its untranslated text too (JSON beside a
// catalog), which needs the command once more.
bool CheckInput(uparse::SyntaxInput& input, const uparse::Procedures& procedures,
                const TAVO_DataSource& data, const uparse::Options& options, bool withLibraryTexts,
                uparse::Output& output) {
    bool allOk = true;
    refhost::CommandText command{std::string(), 0};
    while (input.next(command)) {
        uparse::CommandReport report;
        if (withLibraryTexts) {
            report = uparse::CheckCommand(command, input.name(), procedures, data, options.raw);
            uparse::AddLibraryTexts(command, procedures, data, options.raw, report);
        } else {
            report = uparse::CheckCommand(std::move(command), input.name(), procedures, data,
                                          options.raw);
        }
        output.command(report);
        allOk = allOk && report.ok();
    }
    return allOk;
}

}  // namespace

int main(int argc, char** argv) {
    uparse::Options options;
    const int status = uparse::ParseOptions(argc, argv, options);
    if (status >= 0) {
        return status;
    }
    // A grammar file that cannot be read is reported where it stands inside the file.
    uparse::Procedures procedures;
    std::string problem;
    if (!procedures.load(options.grammars, options.grammarDirs, problem)) {
        std::cout.flush();
        std::cerr << problem << std::endl;
        return 2;
    }
    // Findings bound for the file the results go to are written through the same buffered
    // stream, so that a file of wrong commands is not written a finding at a time.
    std::ostream& diagnostics = SameFile(STDOUT_FILENO, STDERR_FILENO) ? std::cout : std::cerr;
    const std::unique_ptr<uparse::Output> output =
        uparse::MakeOutput(options.json, std::cout, diagnostics, options.source);
    if (options.list) {
        for (const examples::Procedure* procedure : procedures.listed()) {
            output->grammar(*procedure);
        }
        return 0;
    }

    refhost::Dictionary dictionary;
    std::string error;
    if (!uparse::LoadDictionary(options.dataPath, dictionary, error)) {
        uparse::ReportProgramError(error);
        return 2;
    }
    uparse::MessageChoice messages = uparse::MessageChoice::LibraryTexts;
    if (!uparse::LoadMessages(options.messages, messages, error)) {
        uparse::ReportProgramError(uparse::LowerFirst(error));
        return 2;
    }
    const bool withLibraryTexts = options.json && messages == uparse::MessageChoice::Catalog;

    if (options.files.empty()) {
        options.files.push_back("-");
    }
    // File by file: one that cannot be read is reported where it stands, and the rest are
    // still checked.
    bool allOk = true;
    bool allRead = true;
    for (const std::string& path : options.files) {
        uparse::SyntaxInput input(path);
        if (input.open()) {
            allOk = CheckInput(input, procedures, dictionary, options, withLibraryTexts, *output) &&
                    allOk;
        }
        if (!input.error().empty()) {
            uparse::ReportProgramError("cannot read " + input.name(), input.error());
            allRead = false;
        }
    }
    std::cout.flush();
    if (!allRead) {
        return 2;
    }
    return allOk ? 0 : 1;
}
