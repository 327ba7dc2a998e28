// uparse [options] [FILE...]: parses and validates command syntax with the sample procedures
// and the commands of grammar files.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "refhost/refhost.h"
#include "tools/uparse/CommandPipeline.h"
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

// What a run needs besides the command itself.
struct Checking {
    const uparse::Procedures& procedures;
    const TAVO_DataSource& data;
    bool raw;
    // Give each library message its untranslated text too (JSON beside a catalog), which
    // needs the command once more when it has such messages.
    bool withLibraryTexts;
};

uparse::CommandReport Check(refhost::CommandText& command, const std::string& file,
                            const Checking& checking) {
    if (!checking.withLibraryTexts) {
        return uparse::CheckCommand(std::move(command), file, checking.procedures, checking.data,
                                    checking.raw);
    }
    uparse::CommandReport report =
        uparse::CheckCommand(command, file, checking.procedures, checking.data, checking.raw);
    uparse::AddLibraryTexts(command, checking.procedures, checking.data, checking.raw, report);
    return report;
}

// Each command keeps a memo of the files it names (refhost::FileStatusMemo) from its check
// to its output: showing an accepted path would otherwise ask the file system once more.

// Checks the commands of one input as they are read, each written before the next is read;
// false when one of them failed.
bool CheckOneByOne(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output) {
    bool allOk = true;
    refhost::CommandText command{std::string(), 0};
    while (input.next(command)) {
        const refhost::FileStatusMemo memo;
        const uparse::CommandReport report = Check(command, input.name(), checking);
        output.command(report);
        allOk = allOk && report.ok();
    }
    return allOk;
}

constexpr std::size_t kOutputBuffer = std::size_t{1} << 16;

// Threads that check a regular file: one per processor, the calling thread among them. Beyond
// a few, the one reader and writer would keep the others waiting.
constexpr unsigned kMostThreads = 8;

// Checks a file's commands on several threads and writes them in their order, exactly as
// CheckOneByOne would. Commands share only const things: the procedures' grammars, the
// dictionary and the string table; each run keeps its messages in its own thread's log.
bool CheckInParallel(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output,
                     unsigned threads) {
    uparse::CommandPipeline pipeline(
        input, output,
        [&](refhost::CommandText& command, uparse::Output::Rendered& rendered) {
            const refhost::FileStatusMemo memo;
            const uparse::CommandReport report = Check(command, input.name(), checking);
            output.render(report, rendered);
            return report.ok();
        },
        threads);
    return pipeline.run();
}

// A regular file is checked on several threads where there are several processors; a
// terminal or a pipe, command by command, so that each result shows as soon as its command
// is complete.
bool CheckInput(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output) {
    const unsigned processors = std::thread::hardware_concurrency();
    if (input.regularFile() && processors > 1) {
        return CheckInParallel(input, checking, output, std::min(processors, kMostThreads));
    }
    return CheckOneByOne(input, checking, output);
}

}  // namespace

int main(int argc, char** argv) {
    // Results bound for a file or a pipe go out in large blocks rather than the C library's
    // 4 KB; a terminal keeps its line buffering. This must come before any output, and the
    // buffer must outlive the flush at exit (the C library sizes a buffer of its own by the
    // device, whatever size is asked).
    static char outputBuffer[kOutputBuffer];
    if (isatty(STDOUT_FILENO) == 0) {
        std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    }
    // Findings bound for a file or pipe of their own are buffered likewise, and no longer
    // flush the results before every piece of a finding (as a stream tied to them does): a
    // file of wrong commands took a write call for each piece of each finding. Every line
    // still arrives whole and in order; a program error flushes both streams.
    static char errorBuffer[kOutputBuffer];
    if (isatty(STDERR_FILENO) == 0 && !SameFile(STDOUT_FILENO, STDERR_FILENO)) {
        std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);
        std::cerr.unsetf(std::ios_base::unitbuf);
        std::cerr.tie(nullptr);
    }
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

    // uparse never changes directory: relative file paths in commands resolve against the
    // directory it started in without asking the system for it again and again.
    refhost::FixWorkingDirectory();
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
    const Checking checking{procedures, dictionary, options.raw,
                            options.json && messages == uparse::MessageChoice::Catalog};

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
            allOk = CheckInput(input, checking, *output) && allOk;
        }
        if (!input.error().empty()) {
            uparse::ReportProgramError("cannot read " + input.name(), input.error());
            allRead = false;
        }
    }
    std::cout.flush();
    std::cerr.flush();
    if (!allRead) {
        return 2;
    }
    return allOk ? 0 : 1;
}
