// uparse [options] [FILE...]: parses and validates command syntax with the sample procedures
// and the commands of grammar files.
#include <sys/stat.h>
#include <unistd.h>

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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

// Checks the commands of one input as they are read, each written before the next is read;
// false when one of them failed.
bool CheckOneByOne(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output) {
    bool allOk = true;
    refhost::CommandText command{std::string(), 0};
    while (input.next(command)) {
        const uparse::CommandReport report = Check(command, input.name(), checking);
        output.command(report);
        allOk = allOk && report.ok();
    }
    return allOk;
}

// A batch: enough commands that starting a thread for half of them costs little, few enough
// that a batch's texts and outputs stay small.
constexpr std::size_t kBatchCommands = 256;
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

// Checks and renders every other command of the batch from first on; ok[i] tells whether
// command i passed.
void CheckEveryOther(std::vector<refhost::CommandText>& batch, std::size_t first,
                     const std::string& file, const Checking& checking,
                     const uparse::Output& output, std::vector<uparse::Output::Rendered>& rendered,
                     std::vector<char>& ok) {
    for (std::size_t i = first; i < batch.size(); i += 2) {
        const uparse::CommandReport report = Check(batch[i], file, checking);
        output.render(report, rendered[i]);
        ok[i] = report.ok() ? 1 : 0;
    }
}

// Checks a file's commands a batch at a time, two at once on two threads, and writes them in
// their order, exactly as CheckOneByOne would. Commands share only const things: the
// procedures' grammars, the dictionary and the string table; each run keeps its messages in
// its own thread's log.
bool CheckInBatches(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output) {
    bool allOk = true;
    std::vector<refhost::CommandText> batch;
    std::vector<uparse::Output::Rendered> rendered;
    std::vector<char> ok;
    refhost::CommandText command{std::string(), 0};
    for (bool more = true; more;) {
        batch.clear();
        std::size_t bytes = 0;
        while (batch.size() < kBatchCommands && bytes < kBatchBytes &&
               (more = input.next(command))) {
            bytes += command.text.size();
            batch.push_back(std::move(command));
        }
        rendered.resize(batch.size());
        ok.assign(batch.size(), 0);
        std::exception_ptr failure;
        std::thread helper;
        if (batch.size() > 1) {
            try {
                helper = std::thread([&] {
                    try {
                        CheckEveryOther(batch, 1, input.name(), checking, output, rendered, ok);
                    } catch (...) {
                        failure = std::current_exception();
                    }
                });
            } catch (const std::system_error&) {
                // No thread to be had: this one does the whole batch.
            }
        }
        CheckEveryOther(batch, 0, input.name(), checking, output, rendered, ok);
        if (helper.joinable()) {
            helper.join();
            if (failure) {
                std::rethrow_exception(failure);
            }
        } else if (batch.size() > 1) {
            CheckEveryOther(batch, 1, input.name(), checking, output, rendered, ok);
        }
        for (std::size_t i = 0; i < batch.size(); ++i) {
            output.emit(rendered[i]);
            allOk = allOk && ok[i] != 0;
        }
    }
    return allOk;
}

// A regular file is checked in batches on two threads where there are two processors; a
// terminal or a pipe, command by command, so that each result shows as soon as its command
// is complete.
bool CheckInput(uparse::SyntaxInput& input, const Checking& checking, uparse::Output& output) {
    if (input.regularFile() && std::thread::hardware_concurrency() > 1) {
        return CheckInBatches(input, checking, output);
    }
    return CheckOneByOne(input, checking, output);
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
    if (!allRead) {
        return 2;
    }
    return allOk ? 0 : 1;
}
