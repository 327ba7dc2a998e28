#ifndef TOOLS_UPARSE_LSP_LSPSERVER_H
#define TOOLS_UPARSE_LSP_LSPSERVER_H

#include <functional>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <utility>

#include "tools/uparse-lsp/DocumentStore.h"
#include "tools/uparse/Procedures.h"
#include "uparser/host/DataSource.h"

namespace uparselsp {

// The language server's protocol side: one JSON-RPC message at a time in, responses and
// notifications out, framed with Content-Length. Every command of an open document is checked
// the way uparse checks it, with the same procedures, dictionary and loaded catalog.
class LspServer {
  public:
    LspServer(const uparse::Procedures& procedures, const TAVO_DataSource& data, std::ostream& out);

    // Serves messages from in until exit or the end of the input; answers the exit status:
    // 0 after shutdown then exit, 1 otherwise.
    int run(std::istream& in);
    // Handles one message body.
    void handle(const std::string& body);
    bool exited() const { return mExited; }

    // Called after initialize with the workspace's directory (empty when the client names
    // none); answers a problem to show the user, or empty.
    using WorkspaceHook = std::function<std::string(const std::string& root)>;
    void onWorkspace(WorkspaceHook hook) { mOnWorkspace = std::move(hook); }

  private:
    enum class State { Uninitialized, Running, ShutDown };
    using Json = nlohmann::json;

    void request(const Json& id, const std::string& method, const Json& params);
    void notification(const std::string& method, const Json& params);
    Json initialize(const Json& params);
    void openWorkspace(const Json& params);

    Json documentSymbols(const Json& params) const;
    Json completion(const Json& params) const;
    Json hover(const Json& params) const;
    Json codeActions(const Json& params) const;
    const Document* openDocument(const Json& params) const;
    void didOpen(const Json& params);
    void didChange(const Json& params);
    void didClose(const Json& params);
    void publish(const std::string& uri, Document& document);

    void send(const Json& message);
    void respond(const Json& id, Json result);
    void fail(const Json& id, int code, const std::string& message);
    void log(const std::string& text);

    const uparse::Procedures& mProcedures;
    const TAVO_DataSource& mData;
    std::ostream& mOut;
    State mState = State::Uninitialized;
    bool mExited = false;
    Encoding mEncoding = Encoding::Utf16;
    std::map<std::string, Document> mDocuments;  // by URI
    WorkspaceHook mOnWorkspace;
};

}  // namespace uparselsp

#endif
