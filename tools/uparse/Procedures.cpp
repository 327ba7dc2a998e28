#include "tools/uparse/Procedures.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "grammar/GrammarReader.h"
#include "uparser/ParserUtility.h"

namespace uparse {

namespace {

namespace fs = std::filesystem;

bool GrammarFilesIn(const std::string& dir, std::vector<std::string>& paths, std::string& error) {
    std::error_code code;
    std::vector<std::string> found;
    for (fs::directory_iterator entry(dir, code), end; !code && entry != end;
         entry.increment(code)) {
        if (entry->path().extension() == ".json" && entry->is_regular_file(code)) {
            found.push_back(entry->path().string());
        }
    }
    if (code) {
        error = dir + ": error: cannot read the directory: " + code.message();
        return false;
    }
    if (found.empty()) {
        error = dir + ": error: no grammar files (*.json) in the directory";
        return false;
    }
    std::sort(found.begin(), found.end());
    paths.insert(paths.end(), found.begin(), found.end());
    return true;
}

}  // namespace

bool Procedures::load(const std::vector<std::string>& files, const std::vector<std::string>& dirs,
                      std::string& error) {
    std::vector<std::string> paths = files;
    for (const std::string& dir : dirs) {
        if (!GrammarFilesIn(dir, paths, error)) {
            return false;
        }
    }
    for (const std::string& path : paths) {
        upgrammar::GrammarFile grammar;
        upgrammar::GrammarError problem;
        if (!upgrammar::ReadGrammarFile(path, grammar, problem)) {
            error = problem.text();
            return false;
        }
        for (upgrammar::CommandGrammar& command : grammar.commands) {
            const std::string& name = command.descriptor.getCommandName();
            for (std::size_t i = 0; i < mFromFiles.size(); ++i) {
                if (AreStringsEqualCase(mFromFiles[i]->name(), name)) {
                    error =
                        path + ": error: command " + name + " is also declared in " + mSources[i];
                    return false;
                }
            }
            mFromFiles.push_back(std::make_unique<examples::FileProcedure>(std::move(command)));
            mSources.push_back(path);
        }
    }
    return true;
}

const examples::Procedure* Procedures::find(TAVO_TokenSequence& tokens) const {
    for (const auto& procedure : mFromFiles) {
        if (CheckCommandName(procedure->name(), tokens)) {
            return procedure.get();
        }
    }
    return examples::FindProcedure(tokens);
}

std::vector<const examples::Procedure*> Procedures::listed() const {
    if (mFromFiles.empty()) {
        return examples::AllProcedures();
    }
    std::vector<const examples::Procedure*> listed;
    for (const auto& procedure : mFromFiles) {
        listed.push_back(procedure.get());
    }
    return listed;
}

std::vector<std::string> Procedures::names() const {
    std::vector<std::string> names;
    for (const auto& procedure : mFromFiles) {
        names.push_back(procedure->name());
    }
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        names.push_back(procedure->name());
    }
    return names;
}

}  // namespace uparse
