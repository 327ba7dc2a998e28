// uparse [options] [FILE...]: parses and validates command syntax with the sample procedures.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "refhost/refhost.h"
#include "tools/uparse/CommandReport.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/JsonOutput.h"
#include "tools/uparse/Messages.h"
#include "tools/uparse/Options.h"
#include "tools/uparse/SyntaxChart.h"
#include "tools/uparse/TextOutput.h"

namespace {

struct Input {
    std::string name;
    std::string text;
};

bool ReadInput(const std::string& path, Input& input) {
    if (path == "-") {
        input.name = "<stdin>";
        input.text.assign(std::istreambuf_iterator<char>(std::cin), {});
        return !std::cin.bad();
    }
    input.name = path;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    input.text = text.str();
    return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
    uparse::Options options;
    const int status = uparse::ParseOptions(argc, argv, options);
    if (status >= 0) {
        return status;
    }
    if (options.list) {
        for (const examples::Procedure* procedure : examples::AllProcedures()) {
            std::cout << uparse::SyntaxChart(*procedure) << '\n';
        }
        return 0;
    }

    // Everything is read before anything is checked, so that a usage error shows no output.
    if (options.files.empty()) {
        options.files.push_back("-");
    }
    std::vector<Input> inputs;
    for (const std::string& path : options.files) {
        Input input;
        if (!ReadInput(path, input)) {
            std::cerr << "uparse: cannot read " << path << ": " << std::strerror(errno) << '\n';
            return 2;
        }
        inputs.push_back(std::move(input));
    }
    refhost::Dictionary dictionary;
    std::string error;
    if (!uparse::LoadDictionary(options.dataPath, dictionary, error)) {
        std::cerr << "uparse: " << (options.dataPath.empty() ? "built-in sample data: " : "")
                  << error << '\n';
        return 2;
    }

    uparse::MessageChoice messages = uparse::MessageChoice::LibraryTexts;
    if (!uparse::LoadMessages(options.messages, messages, error)) {
        std::cerr << "uparse: " << error << '\n';
        return 2;
    }

    bool allOk = true;
    for (const Input& input : inputs) {
        for (const refhost::CommandText& command : refhost::SplitCommands(input.text)) {
            uparse::CommandReport report =
                uparse::CheckCommand(command, input.name, dictionary, options.raw);
            if (options.json) {
                if (messages == uparse::MessageChoice::Catalog) {
                    uparse::AddLibraryTexts(command, dictionary, options.raw, report);
                }
                std::cout << uparse::JsonLine(report) << '\n';
            } else {
                uparse::PrintText(report, std::cout, std::cerr);
            }
            allOk = allOk && report.ok();
        }
    }
    return allOk ? 0 : 1;
}
