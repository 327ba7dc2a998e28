#ifndef TOOLS_UPARSE_LSP_WORKSPACE_H
#define TOOLS_UPARSE_LSP_WORKSPACE_H

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "tools/uparse/Procedures.h"

namespace uparselsp {

// What the server checks with: uparse's settings.
struct Settings {
    std::vector<std::string> grammars;
    std::vector<std::string> grammarDirs;
    std::string dataPath;
    std::string messages;  // as uparse's --messages: empty for the English catalog, or "none"
};

// The procedures, dictionary and message catalog the server checks with: first those of the
// command line, then, once the client names its workspace, those of the workspace's uparse.json.
// The objects keep their addresses when settings change, so a server may hold references.
class Workspace {
  public:
    explicit Workspace(Settings commandLine);

    // Loads the command line's settings; false with the reason in error.
    bool load(std::string& error);

    // Reads uparse.json in the directory root, if there is one: each setting it gives takes
    // the place of the command line's, paths relative to root. Answers what went wrong, for
    // the user, leaving the settings as they were; empty when all went well or there is no
    // file.
    std::string applyFile(const std::string& root);

    const uparse::Procedures& procedures() const { return mProcedures; }
    const refhost::Dictionary& data() const { return mData; }

  private:
    bool loadWith(const Settings& settings, std::string& error);

    Settings mCommandLine;
    uparse::Procedures mProcedures;
    refhost::Dictionary mData;
};

// The workspace's directory named by initialize's parameters (the first workspace folder,
// else rootUri, else rootPath); empty when they name none or only a URI that is not a file.
std::string WorkspaceRoot(const nlohmann::json& initializeParams);

// The path of a file: URI, percent escapes decoded; empty for any other URI.
std::string PathOfFileUri(const std::string& uri);

}  // namespace uparselsp

#endif
