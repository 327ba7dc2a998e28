#include "tools/uparse-lsp/LspServer.h"

#include <iostream>
#include <utility>

#include "tools/uparse-lsp/CommandAssist.h"
#include "tools/uparse-lsp/MessageReader.h"
#include "tools/uparse-lsp/Workspace.h"

namespace uparselsp {

namespace {

// JSON-RPC and protocol error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

constexpr int kLogWarning = 2;
// The outline's kind for a command: what it does is run, like a function.
constexpr int kSymbolFunction = 12;
constexpr int kCompletionFunction = 3;
constexpr int kCompletionVariable = 6;
constexpr int kCompletionKeyword = 14;

bool IsValidId(const nlohmann::json& id) {
    return id.is_number_integer() || id.is_string();
}

Position ReadPosition(const nlohmann::json& position) {
    return Position{position.at("line").get<long>(), position.at("character").get<long>()};
}

nlohmann::json Written(const Position& position) {
    return {{"line", position.line}, {"character", position.character}};
}

nlohmann::json Written(const Range& range) {
    return {{"start", Written(range.start)}, {"end", Written(range.end)}};
}

nlohmann::json Written(const Finding& finding) {
    nlohmann::json diagnostic = {{"range", Written(finding.range)},
                                 {"severity", finding.severity},
                                 {"source", "uparse"},
                                 {"message", finding.message}};
    if (!finding.code.empty()) {
        diagnostic["code"] = finding.code;
    }
    return diagnostic;
}

bool Before(const Position& left, const Position& right) {
    return left.line < right.line || (left.line == right.line && left.character < right.character);
}

// Ranges that share a position, ends included: a cursor at a word's end still touches it.
bool Touch(const Range& left, const Range& right) {
    return !Before(left.end, right.start) && !Before(right.end, left.start);
}

bool SameRange(const Range& left, const Range& right) {
    const auto same = [](const Position& a, const Position& b) {
        return a.line == b.line && a.character == b.character;
    };
    return same(left.start, right.start) && same(left.end, right.end);
}

// Whether the client's filter of action kinds, when it gives one, admits quick fixes.
bool WantsQuickFix(const nlohmann::json& context) {
    const auto only = context.find("only");
    if (only == context.end()) {
        return true;
    }
    for (const nlohmann::json& kind : only->get<std::vector<nlohmann::json>>()) {
        if (kind == "quickfix") {
            return true;
        }
    }
    return false;
}

}  // namespace

LspServer::LspServer(const uparse::Procedures& procedures, const TAVO_DataSource& data,
                     std::ostream& out)
    : mProcedures(procedures), mData(data), mOut(out) {}

int LspServer::run(std::istream& in) {
    MessageReader reader(in);
    std::string body;
    std::string problem;
    for (;;) {
        const MessageReader::Status status = reader.next(body, problem);
        if (status == MessageReader::Status::End) {
            break;
        }
        if (status == MessageReader::Status::Bad) {
            log(problem);
            continue;
        }
        handle(body);
        if (mExited) {
            break;
        }
    }
    return mExited && mState == State::ShutDown ? 0 : 1;
}

void LspServer::handle(const std::string& body) {
    const Json message = Json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        fail(nullptr, kParseError, "the message is not valid JSON");
        return;
    }
    if (!message.is_object()) {
        fail(nullptr, kInvalidRequest, "a message must be a JSON object");
        return;
    }
    const auto method = message.find("method");
    const auto id = message.find("id");
    if (method == message.end() || !method->is_string()) {
        // A response to a request of ours (we send none) is dropped; anything else is invalid.
        if (id == message.end() ||
            (message.find("result") == message.end() && message.find("error") == message.end())) {
            fail(id != message.end() && IsValidId(*id) ? *id : Json(nullptr), kInvalidRequest,
                 "a request needs a method name");
        }
        return;
    }
    const auto params = message.find("params");
    const Json noParams = Json::object();
    const Json& given = params != message.end() ? *params : noParams;
    if (id == message.end()) {
        notification(method->get<std::string>(), given);
    } else if (!IsValidId(*id)) {
        fail(nullptr, kInvalidRequest, "a request id must be an integer or a string");
    } else {
        request(*id, method->get<std::string>(), given);
    }
}

void LspServer::request(const Json& id, const std::string& method, const Json& params) {
    if (mState == State::Uninitialized && method != "initialize") {
        fail(id, kServerNotInitialized, "the server is not initialized");
        return;
    }
    if (mState == State::ShutDown) {
        fail(id, kInvalidRequest, "the server is shut down");
        return;
    }
    try {
        if (method == "initialize") {
            if (mState != State::Uninitialized) {
                fail(id, kInvalidRequest, "the server is already initialized");
                return;
            }
            respond(id, initialize(params));
            mState = State::Running;
            openWorkspace(params);
        } else if (method == "textDocument/completion") {
            respond(id, completion(params));
        } else if (method == "textDocument/hover") {
            respond(id, hover(params));
        } else if (method == "textDocument/codeAction") {
            respond(id, codeActions(params));
        } else if (method == "textDocument/documentSymbol") {
            respond(id, documentSymbols(params));
        } else if (method == "shutdown") {
            mState = State::ShutDown;
            respond(id, nullptr);
        } else {
            fail(id, kMethodNotFound, "unknown method " + method);
        }
    } catch (const Json::exception& error) {
        fail(id, kInvalidParams, std::string("invalid parameters: ") + error.what());
    }
}

void LspServer::notification(const std::string& method, const Json& params) {
    if (method == "exit") {
        mExited = true;
        return;
    }
    if (mState != State::Running) {
        return;  // before initialize and after shutdown, notifications are dropped
    }
    try {
        if (method == "textDocument/didOpen") {
            didOpen(params);
        } else if (method == "textDocument/didChange") {
            didChange(params);
        } else if (method == "textDocument/didClose") {
            didClose(params);
        }
        // Everything else, $/cancelRequest included, needs nothing: requests are answered
        // in order as they come, so none is ever pending when a cancellation arrives.
    } catch (const Json::exception& error) {
        log(method + ": invalid parameters: " + error.what());
    }
}

nlohmann::json LspServer::initialize(const Json& params) {
    mEncoding = Encoding::Utf16;
    const Json::json_pointer offered("/capabilities/general/positionEncodings");
    if (params.is_object() && params.contains(offered) && params.at(offered).is_array()) {
        for (const Json& encoding : params.at(offered)) {
            if (encoding == "utf-8") {
                mEncoding = Encoding::Utf8;
            }
        }
    }
    Json capabilities = {
        {"positionEncoding", mEncoding == Encoding::Utf8 ? "utf-8" : "utf-16"},
        {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
        {"documentSymbolProvider", true},
        {"completionProvider", {{"triggerCharacters", {"/"}}}},
        {"hoverProvider", true},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
    };
    return {{"capabilities", capabilities},
            {"serverInfo", {{"name", "uparse-lsp"}, {"version", UPARSE_VERSION}}}};
}

// The workspace's settings are read once the client may hear about them: a problem is shown,
// and the server goes on with what it had.
void LspServer::openWorkspace(const Json& params) {
    if (!mOnWorkspace) {
        return;
    }
    const std::string problem = mOnWorkspace(WorkspaceRoot(params));
    if (!problem.empty()) {
        std::cerr << "uparse-lsp: " << problem << std::endl;
        send({{"jsonrpc", "2.0"},
              {"method", "window/showMessage"},
              {"params", {{"type", kLogWarning}, {"message", problem}}}});
    }
}

const Document* LspServer::openDocument(const Json& params) const {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    const auto open = mDocuments.find(uri);
    return open != mDocuments.end() ? &open->second : nullptr;
}

// Command names at the start of a command, subcommand names after "/", and elsewhere in a
// command what its grammar and the dictionary take at the cursor.
nlohmann::json LspServer::completion(const Json& params) const {
    const Document* document = openDocument(params);
    Json items = Json::array();
    if (document == nullptr) {
        return items;
    }
    const Cursor cursor = CursorAt(*document, ReadPosition(params.at("position")), mEncoding);
    const auto add = [&](const std::vector<std::string>& names, int kind) {
        for (const std::string& name : names) {
            items.push_back({{"label", name}, {"kind", kind}});
        }
    };
    if (cursor.place == Cursor::Place::CommandName) {
        add(mProcedures.names(), kCompletionFunction);
        return items;
    }
    const examples::Procedure* procedure = ProcedureOf(cursor.command, mProcedures);
    if (procedure == nullptr) {
        return items;
    }
    if (cursor.place == Cursor::Place::SubCommand) {
        add(SubCommandNames(*procedure), kCompletionKeyword);
    } else {
        const Offer offer = OfferAt(cursor, *procedure, mData);
        add(offer.keywords, kCompletionKeyword);
        add(offer.variables, kCompletionVariable);
    }
    return items;
}

nlohmann::json LspServer::hover(const Json& params) const {
    const Document* document = openDocument(params);
    if (document == nullptr) {
        return nullptr;
    }
    const Cursor cursor = CursorAt(*document, ReadPosition(params.at("position")), mEncoding);
    const examples::Procedure* procedure = ProcedureOf(cursor.command, mProcedures);
    if (procedure == nullptr) {
        return nullptr;
    }
    return {{"contents", {{"kind", "markdown"}, {"value", HoverText(*procedure, cursor)}}}};
}

// A quick fix for every "did you mean" note the range touches: it replaces the word the note
// covers by the name it proposes, and resolves the findings about that word.
nlohmann::json LspServer::codeActions(const Json& params) const {
    const Document* document = openDocument(params);
    Json actions = Json::array();
    if (document == nullptr || !WantsQuickFix(params.value("context", Json::object()))) {
        return actions;
    }
    const Json& asked = params.at("range");
    const Range range{ReadPosition(asked.at("start")), ReadPosition(asked.at("end"))};
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    const std::vector<Finding>& findings = document->lastFindings();
    for (const Finding& note : findings) {
        if (note.replacement.empty() || !Touch(note.range, range)) {
            continue;
        }
        Json resolved = Json::array();
        for (const Finding& finding : findings) {
            if (SameRange(finding.range, note.range)) {
                resolved.push_back(Written(finding));
            }
        }
        const Json edit = {{"range", Written(note.range)}, {"newText", note.replacement}};
        actions.push_back({{"title", "Replace with " + note.replacement},
                           {"kind", "quickfix"},
                           {"diagnostics", resolved},
                           {"isPreferred", true},
                           {"edit", {{"changes", {{uri, Json::array({edit})}}}}}});
    }
    return actions;
}

nlohmann::json LspServer::documentSymbols(const Json& params) const {
    const Document* document = openDocument(params);
    if (document == nullptr) {
        return nullptr;  // a document the client never opened has no outline here
    }
    Json symbols = Json::array();
    for (const CommandSymbol& symbol : document->symbols(mEncoding)) {
        symbols.push_back({{"name", symbol.name},
                           {"kind", kSymbolFunction},
                           {"range", Written(symbol.range)},
                           {"selectionRange", Written(symbol.selection)}});
    }
    return symbols;
}

void LspServer::didOpen(const Json& params) {
    const Json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    auto opened = mDocuments.insert_or_assign(
        uri, Document(item.at("text").get<std::string>(), item.at("version").get<long>()));
    publish(uri, opened.first->second);
}

void LspServer::didChange(const Json& params) {
    const Json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    const auto open = mDocuments.find(uri);
    if (open == mDocuments.end()) {
        log("a change to " + uri + ", which is not open, was ignored");
        return;
    }
    Document& document = open->second;
    for (const Json& change : params.at("contentChanges")) {
        const auto range = change.find("range");
        const std::string text = change.at("text").get<std::string>();
        if (range == change.end()) {
            document.replaceAll(text);
        } else if (!document.replace(
                       Range{ReadPosition(range->at("start")), ReadPosition(range->at("end"))},
                       text, mEncoding)) {
            // The client and the server no longer agree on the text: say so, and keep what we
            // have rather than guess.
            log("a change to " + uri + " outside the document was ignored");
        }
    }
    document.setVersion(item.at("version").get<long>());
    publish(uri, document);
}

void LspServer::didClose(const Json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    if (mDocuments.erase(uri) > 0) {
        send({{"jsonrpc", "2.0"},
              {"method", "textDocument/publishDiagnostics"},
              {"params", {{"uri", uri}, {"diagnostics", Json::array()}}}});
    }
}

void LspServer::publish(const std::string& uri, Document& document) {
    const std::vector<Finding>& findings =
        document.findings(mEncoding, [&](refhost::CommandText command) {
            return uparse::CheckCommand(std::move(command), uri, mProcedures, mData, false)
                .diagnostics;
        });
    Json diagnostics = Json::array();
    for (const Finding& finding : findings) {
        diagnostics.push_back(Written(finding));
    }
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params",
           {{"uri", uri}, {"version", document.version()}, {"diagnostics", diagnostics}}}});
}

void LspServer::send(const Json& message) {
    // Invalid UTF-8 in a document's text is replaced rather than thrown over.
    const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
    mOut << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    mOut.flush();
}

void LspServer::respond(const Json& id, Json result) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void LspServer::fail(const Json& id, int code, const std::string& message) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void LspServer::log(const std::string& text) {
    std::cerr << "uparse-lsp: " << text << std::endl;
    send({{"jsonrpc", "2.0"},
          {"method", "window/logMessage"},
          {"params", {{"type", kLogWarning}, {"message", text}}}});
}

}  // namespace uparselsp
