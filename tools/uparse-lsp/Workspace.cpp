#include "tools/uparse-lsp/Workspace.h"

#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "refhost/FileText.h"
#include "refhost/Translations.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/Messages.h"
#include "tools/uparse/ProgramError.h"

namespace uparselsp {

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

const char* const kSettingsFile = "uparse.json";

// nlohmann's messages start with "[json.exception.parse_error.101] "; the user needs the rest.
std::string WithoutExceptionName(const std::string& what) {
    const std::size_t end = what.find("] ");
    return what.rfind('[', 0) == 0 && end != std::string::npos ? what.substr(end + 2) : what;
}

std::string Resolved(const fs::path& root, const Json& value) {
    const fs::path path = value.get<std::string>();
    return (path.is_absolute() ? path : root / path).lexically_normal().string();
}

// Applies the settings of the file's JSON over settings; answers the first problem, or empty.
std::string ReadSettings(const Json& file, const fs::path& root, Settings& settings) {
    if (!file.is_object()) {
        return "the settings must be a JSON object";
    }
    for (const auto& [key, value] : file.items()) {
        if (key == "grammars") {
            if (!value.is_array()) {
                return "\"grammars\" must be a list of grammar files and directories";
            }
            settings.grammars.clear();
            settings.grammarDirs.clear();
            for (const Json& entry : value) {
                if (!entry.is_string()) {
                    return "\"grammars\" must be a list of grammar files and directories";
                }
                // A directory stands for its grammar files, as uparse's --grammar-dir.
                std::error_code failed;
                const std::string path = Resolved(root, entry);
                (fs::is_directory(path, failed) ? settings.grammarDirs : settings.grammars)
                    .push_back(path);
            }
        } else if (key == "data" || key == "messages") {
            if (!value.is_string()) {
                return "\"" + key + "\" must be a file name";
            }
            // "none" and "" mean what they mean on the command line: the library's texts, the
            // built-in sample or the English catalog.
            const std::string given = value.get<std::string>();
            const bool asGiven = given.empty() || (key == "messages" && given == "none");
            (key == "data" ? settings.dataPath : settings.messages) =
                asGiven ? given : Resolved(root, value);
        } else {
            // A misspelt setting silently ignored would leave the user wondering.
            return "unknown setting \"" + key + "\" (there are grammars, data and messages)";
        }
    }
    return "";
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

Workspace::Workspace(Settings commandLine) : mCommandLine(std::move(commandLine)) {}

bool Workspace::load(std::string& error) {
    return loadWith(mCommandLine, error);
}

// Everything is read aside and taken only when all of it could be read.
bool Workspace::loadWith(const Settings& settings, std::string& error) {
    uparse::Procedures procedures;
    refhost::Dictionary data;
    if (!procedures.load(settings.grammars, settings.grammarDirs, error) ||
        !uparse::LoadDictionary(settings.dataPath, data, error)) {
        return false;
    }
    // The string table is the reference host's own; it is filled afresh, so that no entry of
    // another catalog stays behind.
    uparse::MessageChoice choice = uparse::MessageChoice::LibraryTexts;
    refhost::ClearTranslations();
    if (!uparse::LoadMessages(settings.messages, choice, error)) {
        refhost::ClearTranslations();
        std::string ignored;
        uparse::LoadMessages(mCommandLine.messages, choice, ignored);
        return false;
    }
    mProcedures = std::move(procedures);
    mData = std::move(data);
    return true;
}

std::string Workspace::applyFile(const std::string& root) {
    if (root.empty()) {
        return "";
    }
    const fs::path file = fs::path(root) / kSettingsFile;
    std::error_code failed;
    if (!fs::exists(file, failed)) {
        return "";
    }
    const std::string where = file.string() + ": ";
    const std::string fallback = "; checking with the command line's settings";
    std::string text;
    if (!refhost::ReadFile(file.string(), text)) {
        return where + "cannot be read" + fallback;
    }
    Json parsed;
    try {
        parsed = Json::parse(text);
    } catch (const Json::exception& error) {
        return where + WithoutExceptionName(error.what()) + fallback;
    }
    Settings settings = mCommandLine;
    std::string problem = ReadSettings(parsed, fs::path(root), settings);
    if (problem.empty() && !loadWith(settings, problem)) {
        problem = uparse::LowerFirst(problem);
    }
    return problem.empty() ? "" : where + problem + fallback;
}

std::string PathOfFileUri(const std::string& uri) {
    const std::string scheme = "file://";
    if (uri.compare(0, scheme.size(), scheme) != 0) {
        return "";
    }
    // file:///path, or file://host/path of which only the path is ours to read.
    const std::size_t start = uri.find('/', scheme.size());
    if (start == std::string::npos) {
        return "";
    }
    std::string path;
    for (std::size_t i = start; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && IsHexDigit(uri[i + 1]) &&
            IsHexDigit(uri[i + 2])) {
            path += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return path;
}

std::string WorkspaceRoot(const nlohmann::json& params) {
    if (!params.is_object()) {
        return "";
    }
    const auto folders = params.find("workspaceFolders");
    if (folders != params.end() && folders->is_array() && !folders->empty() &&
        folders->front().is_object() && folders->front().value("uri", Json()).is_string()) {
        return PathOfFileUri(folders->front()["uri"].get<std::string>());
    }
    const auto uri = params.find("rootUri");
    if (uri != params.end() && uri->is_string()) {
        return PathOfFileUri(uri->get<std::string>());
    }
    const auto path = params.find("rootPath");
    return path != params.end() && path->is_string() ? path->get<std::string>() : "";
}

}  // namespace uparselsp
