// uparse-lsp's server through scripted JSON-RPC conversations: the lifecycle, hostile framing
// and messages, and the diagnostics' ranges in both position encodings; and the documents'
// edits and per-command checks underneath.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "refhost/refhost.h"
#include "support/TempDir.h"
#include "tools/uparse-lsp/DocumentStore.h"
#include "tools/uparse-lsp/LspServer.h"
#include "tools/uparse-lsp/MessageReader.h"
#include "tools/uparse-lsp/Workspace.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/Procedures.h"

namespace {

using Json = nlohmann::json;
using uparselsp::Encoding;

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Request(int id, const std::string& method, const Json& params = Json::object()) {
    return Framed(
        Json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
}

std::string Notify(const std::string& method, const Json& params = Json::object()) {
    return Framed(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

std::string Initialize(int id, bool utf8 = false) {
    Json params = {{"processId", nullptr}, {"capabilities", Json::object()}};
    if (utf8) {
        params["capabilities"]["general"]["positionEncodings"] = {"utf-16", "utf-8"};
    }
    return Request(id, "initialize", params) + Notify("initialized");
}

std::string Open(const std::string& uri, const std::string& text) {
    return Notify("textDocument/didOpen",
                  {{"textDocument",
                    {{"uri", uri}, {"languageId", "syntax"}, {"version", 1}, {"text", text}}}});
}

Json Edit(long line, long from, long toLine, long to, const std::string& text) {
    return {{"range",
             {{"start", {{"line", line}, {"character", from}}},
              {"end", {{"line", toLine}, {"character", to}}}}},
            {"text", text}};
}

std::string Change(const std::string& uri, int version, const Json& changes) {
    return Notify("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", version}}},
                                             {"contentChanges", changes}});
}

const std::string kEnd = Request(99, "shutdown") + Notify("exit");

struct Conversation {
    int status = -1;
    std::vector<Json> messages;

    const Json* response(int id) const {
        for (const Json& message : messages) {
            if (message.contains("id") && message["id"] == id) {
                return &message;
            }
        }
        return nullptr;
    }
    std::vector<Json> notifications(const std::string& method) const {
        std::vector<Json> found;
        for (const Json& message : messages) {
            if (message.value("method", "") == method) {
                found.push_back(message["params"]);
            }
        }
        return found;
    }
    int errorCode(int id) const {
        const Json* found = response(id);
        return found != nullptr && found->contains("error") ? (*found)["error"]["code"].get<int>()
                                                            : 0;
    }
};

const uparse::Procedures kSamples;

// Plays input through a server over the sample procedures (or the given ones) and data,
// without a catalog, or over a workspace's, and reads back every framed message it wrote.
Conversation Play(const std::string& input, const uparse::Procedures& procedures = kSamples,
                  uparselsp::Workspace* workspace = nullptr) {
    static const refhost::Dictionary data = [] {
        refhost::Dictionary dictionary;
        std::string error;
        EXPECT_TRUE(uparse::LoadDictionary("", dictionary, error)) << error;
        return dictionary;
    }();
    std::istringstream in(input);
    std::ostringstream out;
    uparselsp::LspServer server(procedures, workspace != nullptr ? workspace->data() : data, out);
    if (workspace != nullptr) {
        server.onWorkspace(
            [workspace](const std::string& root) { return workspace->applyFile(root); });
    }
    Conversation conversation;
    conversation.status = server.run(in);
    std::istringstream written(out.str());
    uparselsp::MessageReader reader(written);
    std::string body;
    std::string problem;
    while (reader.next(body, problem) == uparselsp::MessageReader::Status::Message) {
        conversation.messages.push_back(Json::parse(body));
    }
    EXPECT_TRUE(written.eof()) << "unframed output: " << problem;
    return conversation;
}

Json RangeOf(long line, long from, long toLine, long to) {
    return {{"start", {{"line", line}, {"character", from}}},
            {"end", {{"line", toLine}, {"character", to}}}};
}

TEST(LspLifecycle, AnswersAsTheProtocolSays) {
    const Conversation c =
        Play(Request(1, "textDocument/hover") + Open("file:///early.syntax", "SKECTH age.") +
             Initialize(2) + Request(3, "initialize") + Request(4, "textDocument/rename") +
             Notify("$/cancelRequest", {{"id", 4}}) + Notify("workspace/unknownThing") +
             Request(5, "shutdown") + Request(6, "shutdown") + Notify("exit") +
             Request(7, "after exit"));
    EXPECT_EQ(c.errorCode(1), -32002);
    EXPECT_TRUE(c.notifications("textDocument/publishDiagnostics").empty())
        << "a document opened before initialize is dropped";
    const Json& capabilities = (*c.response(2))["result"]["capabilities"];
    EXPECT_EQ(capabilities["positionEncoding"], "utf-16");
    EXPECT_EQ(capabilities["textDocumentSync"], (Json{{"openClose", true}, {"change", 2}}));
    EXPECT_EQ(c.errorCode(3), -32600);
    EXPECT_EQ(c.errorCode(4), -32601);
    EXPECT_EQ((*c.response(5))["result"], nullptr);
    EXPECT_EQ(c.errorCode(6), -32600) << "requests after shutdown are invalid";
    EXPECT_EQ(c.response(7), nullptr) << "nothing is read after exit";
    EXPECT_EQ(c.messages.size(), 6u) << "notifications are never answered";
    EXPECT_EQ(c.status, 0);

    EXPECT_EQ(Play(Initialize(1) + Notify("exit")).status, 1) << "exit without shutdown";
    EXPECT_EQ(Play(Initialize(1)).status, 1) << "input ended without exit";
}

TEST(LspLifecycle, HostileInputGetsAnErrorOrALogLineAndServingGoesOn) {
    const std::string noLength = "Content-Type: application/json\r\n\r\n";
    const Conversation c = Play(
        Framed("{\"jsonrpc\": \"2.0\", \"id\": 1, \"method\": ") + Framed("[1, 2]") +
        Framed("{\"jsonrpc\":\"2.0\",\"id\":{\"a\":1},\"method\":\"x\"}") + noLength +
        "Content-Length: 99999999999999999999999\r\n\r\n" + Initialize(2) +
        Request(3, "initialize", Json::array({1})) + Notify("textDocument/didOpen", {{"x", 1}}) +
        Change("file:///never-opened.syntax", 2, Json::array()) + Request(4, "shutdown") +
        "Content-Length: 500\r\n\r\n{\"jsonrpc\":");
    ASSERT_GE(c.messages.size(), 3u);
    EXPECT_EQ(c.messages[0]["error"]["code"], -32700);
    EXPECT_EQ(c.messages[0]["id"], nullptr);
    EXPECT_EQ(c.messages[1]["error"]["code"], -32600);
    EXPECT_EQ(c.messages[2]["error"]["code"], -32600);
    EXPECT_EQ(c.messages[2]["id"], nullptr);
    EXPECT_TRUE(c.response(2)->contains("result")) << "served after the bad headers";
    EXPECT_EQ(c.errorCode(3), -32600) << "already initialized";
    EXPECT_TRUE(c.response(4)->contains("result"));
    std::vector<std::string> logged;
    for (const Json& line : c.notifications("window/logMessage")) {
        logged.push_back(line["message"]);
    }
    using ::testing::HasSubstr;
    EXPECT_THAT(logged,
                ::testing::ElementsAre(HasSubstr("without a valid Content-Length"),
                                       HasSubstr("without a valid Content-Length"),
                                       HasSubstr("invalid parameters"), HasSubstr("not open"),
                                       HasSubstr("ended after 11 of the 500 bytes")));
    EXPECT_EQ(c.status, 1);
}

// One line whose mistake stands after characters of one, two and four bytes, one of them
// beyond the basic plane; then an unknown command.
const std::string kUri = "file:///home/user/mistakes.syntax";
const std::string kMistakes =
    "SKETCH age /TITLE 'Caf\xC3\xA9 \xF0\x9D\x84\x9E' /STATS CENTRE.\n\nSKECTH age.\n";

TEST(LspDiagnostics, RangesCodesAndTextsInBothEncodings) {
    for (const bool utf8 : {false, true}) {
        SCOPED_TRACE(utf8 ? "utf-8" : "utf-16");
        const Conversation c = Play(Initialize(1, utf8) + Open(kUri, kMistakes) + kEnd);
        EXPECT_EQ((*c.response(1))["result"]["capabilities"]["positionEncoding"],
                  utf8 ? "utf-8" : "utf-16");
        const std::vector<Json> published = c.notifications("textDocument/publishDiagnostics");
        ASSERT_EQ(published.size(), 1u);
        EXPECT_EQ(published[0]["uri"], kUri);
        EXPECT_EQ(published[0]["version"], 1);
        const Json& found = published[0]["diagnostics"];
        ASSERT_EQ(found.size(), 4u) << found.dump(2);
        // CENTRE: code points 34 to 40; UTF-16 units 35 to 41; bytes 38 to 44.
        const Json centre = utf8 ? RangeOf(0, 38, 0, 44) : RangeOf(0, 35, 0, 41);
        EXPECT_EQ(found[0]["range"], centre);
        EXPECT_EQ(found[0]["severity"], 1);
        EXPECT_EQ(found[0]["code"], "WrongValueType");
        EXPECT_EQ(found[0]["message"],
                  "Parameter CENTRE of subcommand STATS does not have a proper value type...");
        EXPECT_EQ(found[1]["range"], centre) << "a note covers the word it is about";
        EXPECT_EQ(found[1]["severity"], 3);
        EXPECT_EQ(found[1]["message"], "did you mean CENTER?");
        EXPECT_FALSE(found[1].contains("code"));
        EXPECT_EQ(found[2]["range"], RangeOf(2, 0, 2, 6));
        EXPECT_EQ(found[2]["message"], "unknown command 'SKECTH'; parsed without a grammar");
        EXPECT_EQ(found[3]["message"], "did you mean SKETCH?");
    }
}

TEST(LspDiagnostics, FollowEditsAndCloseEmpty) {
    const Conversation c =
        Play(Initialize(1) + Open(kUri, kMistakes) +
             Change(kUri, 2, Json::array({Edit(0, 35, 0, 41, "CENTER")})) +
             Change(kUri, 3, Json::array({Edit(0, 0, 0, 0, "\n\n")})) +
             Change(kUri, 4, Json::array({Edit(9, 0, 9, 1, "x")})) +
             Change(kUri, 5, Json::array({{{"text", "SKETCH agee."}}})) +
             Notify("textDocument/didClose", {{"textDocument", {{"uri", kUri}}}}) + kEnd);
    const std::vector<Json> published = c.notifications("textDocument/publishDiagnostics");
    ASSERT_EQ(published.size(), 6u);
    EXPECT_EQ(published[1]["version"], 2);
    ASSERT_EQ(published[1]["diagnostics"].size(), 2u) << "only the unknown command is left";
    EXPECT_EQ(published[1]["diagnostics"][0]["range"], RangeOf(2, 0, 2, 6));
    // Two lines inserted above: the finding is placed where the command now stands.
    ASSERT_EQ(published[2]["diagnostics"].size(), 2u);
    EXPECT_EQ(published[2]["diagnostics"][0]["range"], RangeOf(4, 0, 4, 6));
    EXPECT_EQ(published[3]["diagnostics"], published[2]["diagnostics"])
        << "a change beyond the end leaves the text as it was";
    EXPECT_EQ(c.notifications("window/logMessage").size(), 1u);
    ASSERT_FALSE(published[4]["diagnostics"].empty()) << "full replacement";
    EXPECT_EQ(published[4]["diagnostics"][0]["range"], RangeOf(0, 7, 0, 11));
    EXPECT_EQ(published[5], (Json{{"uri", kUri}, {"diagnostics", Json::array()}}));
}

TEST(LspDocumentSymbols, OnePerCommandSpanningItsLines) {
    const std::string outline = "  SKETCH age\n  /STATS CENTER.\n\nSKECTH age.\n";
    const Json ask = {{"textDocument", {{"uri", kUri}}}};
    const Conversation c =
        Play(Initialize(1) + Request(2, "textDocument/documentSymbol", ask) + Open(kUri, outline) +
             Request(3, "textDocument/documentSymbol", ask) + kEnd);
    EXPECT_TRUE((*c.response(1))["result"]["capabilities"]["documentSymbolProvider"]);
    EXPECT_EQ((*c.response(2))["result"], nullptr) << "not open";
    const Json& symbols = (*c.response(3))["result"];
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0]["name"], "SKETCH");
    EXPECT_EQ(symbols[0]["range"], RangeOf(0, 0, 1, 16));
    EXPECT_EQ(symbols[0]["selectionRange"], RangeOf(0, 2, 0, 8));
    EXPECT_EQ(symbols[1]["name"], "SKECTH");
    EXPECT_EQ(symbols[1]["range"], RangeOf(3, 0, 3, 11));
    EXPECT_EQ(symbols[1]["selectionRange"], RangeOf(3, 0, 3, 6));
}

TEST(LspAssist, CompletesNamesWhereTheyStandAndShowsTheChartOnHover) {
    const std::string text = "SKETCH age\n  /ST\n\n\nWEAVE /ROWWEIGHTS weight.\n";
    const auto at = [&](int id, const std::string& method, long line, long character) {
        return Request(id, method,
                       {{"textDocument", {{"uri", kUri}}},
                        {"position", {{"line", line}, {"character", character}}}});
    };
    const Conversation c =
        Play(Initialize(1) + Open(kUri, text) + at(2, "textDocument/completion", 1, 5) +
             at(3, "textDocument/completion", 0, 3) + at(4, "textDocument/completion", 3, 0) +
             at(5, "textDocument/completion", 0, 9) + at(6, "textDocument/hover", 1, 3) +
             at(7, "textDocument/hover", 2, 0) + at(8, "textDocument/completion", 4, 7) + kEnd);
    const auto labels = [&](int id) {
        std::vector<std::string> found;
        for (const Json& item : (*c.response(id))["result"]) {
            found.push_back(item["label"]);
        }
        return found;
    };
    using ::testing::Contains;
    using ::testing::Not;
    EXPECT_THAT(labels(2), ::testing::IsSupersetOf({"STATS", "FORMAT", "TITLE", "PARTITION"}));
    EXPECT_THAT(labels(2), Not(Contains("ROWWEIGHTS"))) << "another command's subcommand";
    EXPECT_THAT(labels(3), ::testing::IsSupersetOf({"SKETCH", "WEAVE", "SPROUT"}));
    EXPECT_EQ(labels(4), labels(3)) << "a line outside any command starts one";
    EXPECT_THAT(labels(5), ::testing::IsSupersetOf({"age", "income", "score1"}))
        << "the leading variable list";
    EXPECT_THAT(labels(8), Contains("ROWWEIGHTS"));
    const Json& hover = (*c.response(6))["result"]["contents"];
    EXPECT_EQ(hover["kind"], "markdown");
    EXPECT_THAT(hover["value"].get<std::string>(), ::testing::HasSubstr("/STATS"));
    EXPECT_EQ((*c.response(7))["result"], nullptr);
}

std::string At(int id, const std::string& method, long line, long character) {
    return Request(id, method,
                   {{"textDocument", {{"uri", kUri}}},
                    {"position", {{"line", line}, {"character", character}}}});
}

std::vector<std::string> Labels(const Conversation& c, int id, int kind = 0) {
    std::vector<std::string> found;
    for (const Json& item : (*c.response(id))["result"]) {
        if (kind == 0 || item["kind"] == kind) {
            found.push_back(item["label"]);
        }
    }
    return found;
}

TEST(LspAssist, CompletesWhatTheGrammarAndTheDictionaryTakeAtTheCursor) {
    const std::string text =
        "SKETCH age sp\n"
        "  /FORMAT ORDER = DE.\n"
        "SKETCH age /STATS CENTER TR /TITLE 'x'.\n"
        "WEAVE /PANEL region BY gen.\n"
        "BUCKET zone /MAP reg.\n";
    const Conversation c = Play(
        Initialize(1) + Open(kUri, text) + At(2, "textDocument/completion", 0, 13) +
        At(3, "textDocument/completion", 1, 20) + At(4, "textDocument/completion", 2, 27) +
        At(5, "textDocument/completion", 3, 26) + At(6, "textDocument/completion", 4, 20) + kEnd);
    using ::testing::Contains;
    using ::testing::IsSupersetOf;
    using ::testing::Not;
    constexpr int kVariable = 6;
    constexpr int kKeyword = 14;
    // The word being written does not count.
    EXPECT_THAT(Labels(c, 2, kVariable), IsSupersetOf({"age", "spend", "score4", "weight"}));
    EXPECT_TRUE(Labels(c, 2, kKeyword).empty());
    EXPECT_EQ(Labels(c, 3), (std::vector<std::string>{"ASLISTED", "ASCENDING", "DESCENDING"}))
        << "a keyword's accepted words, and no variables";
    EXPECT_THAT(Labels(c, 4), IsSupersetOf({"SPREAD", "RANGE", "SHAPE", "TRIM"}));
    EXPECT_THAT(Labels(c, 4), Not(Contains("CENTER"))) << "already given";
    EXPECT_THAT(Labels(c, 4), Not(Contains("age")));
    EXPECT_THAT(Labels(c, 5, kVariable), IsSupersetOf({"gender", "region", "educ"}))
        << "a crossed list";
    EXPECT_THAT(Labels(c, 6, kVariable), IsSupersetOf({"region", "gender"}))
        << "a table's variables, though the run fails before any check of them";
}

TEST(LspAssist, HoverShowsTheSubcommandUnderTheCursorWithItsHelp) {
    const char* source = std::getenv("UPARSER_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    uparse::Procedures fromFiles;
    std::string error;
    ASSERT_TRUE(fromFiles.load({std::string(source) + "/examples/grammars/sketch.json"}, {}, error))
        << error;
    const std::string text = "SKETCH age\n  /STATS CENTER\n  /FORMAT DIGITS = 2 /TITLE 'a/b'.\n";
    const Conversation c =
        Play(Initialize(1) + Open(kUri, text) + At(2, "textDocument/hover", 1, 10) +
                 At(3, "textDocument/hover", 0, 8) + At(4, "textDocument/hover", 2, 30) +
                 At(5, "textDocument/hover", 1, 2) + kEnd,
             fromFiles);
    const auto shown = [&](int id) {
        return (*c.response(id))["result"]["contents"]["value"].get<std::string>();
    };
    using ::testing::HasSubstr;
    using ::testing::Not;
    EXPECT_THAT(shown(2), HasSubstr("/STATS [CENTER]"));
    EXPECT_THAT(shown(2), HasSubstr("Skewness and tails")) << "the parameters' help";
    EXPECT_THAT(shown(2), Not(HasSubstr("/FORMAT"))) << "that subcommand alone";
    EXPECT_THAT(shown(3), HasSubstr("/FORMAT")) << "before any subcommand: the whole command";
    EXPECT_THAT(shown(3), HasSubstr("/STATS"));
    EXPECT_THAT(shown(4), HasSubstr("/TITLE")) << "a slash inside a literal is no subcommand";
    EXPECT_THAT(shown(4), Not(HasSubstr("/FORMAT")));
    EXPECT_EQ(shown(5), shown(2)) << "on the slash itself";
}

TEST(LspCodeAction, DidYouMeanIsAQuickFixThatReplacesTheWord) {
    const auto ask = [](int id, const Json& range, const Json& context = Json::object()) {
        return Request(id, "textDocument/codeAction",
                       {{"textDocument", {{"uri", kUri}}}, {"range", range}, {"context", context}});
    };
    const Conversation c =
        Play(Initialize(1) + Open(kUri, kMistakes) + ask(2, RangeOf(0, 38, 0, 38)) +
             ask(3, RangeOf(2, 0, 2, 11)) + ask(4, RangeOf(0, 0, 0, 10)) +
             ask(5, RangeOf(0, 38, 0, 38), {{"only", {"refactor"}}}) + kEnd);
    EXPECT_EQ((*c.response(1))["result"]["capabilities"]["codeActionProvider"],
              (Json{{"codeActionKinds", {"quickfix"}}}));
    const Json& fixes = (*c.response(2))["result"];
    ASSERT_EQ(fixes.size(), 1u) << fixes.dump(2);
    EXPECT_EQ(fixes[0]["title"], "Replace with CENTER");
    EXPECT_EQ(fixes[0]["kind"], "quickfix");
    const Json centre = RangeOf(0, 35, 0, 41);  // UTF-16 units, after "é" and "𝄞"
    EXPECT_EQ(fixes[0]["edit"],
              (Json{{"changes", {{kUri, {{{"range", centre}, {"newText", "CENTER"}}}}}}}));
    ASSERT_EQ(fixes[0]["diagnostics"].size(), 2u) << "the error and its note";
    EXPECT_EQ(fixes[0]["diagnostics"][0]["code"], "WrongValueType");
    EXPECT_EQ((*c.response(3))["result"][0]["edit"]["changes"][kUri][0]["newText"], "SKETCH")
        << "an unknown command's name";
    EXPECT_EQ((*c.response(4))["result"], Json::array()) << "nothing to fix there";
    EXPECT_EQ((*c.response(5))["result"], Json::array()) << "the client wants other kinds";
}

TEST(LspDocument, OnlyTheCommandsAnEditTouchedRunAgain) {
    uparselsp::Document document("SKETCH age.\nSKETCH income\n  /STATS CENTER.\n\nSKETCH age.\n",
                                 1);
    std::vector<std::string> checked;
    const auto check = [&](refhost::CommandText command) {
        checked.push_back(command.text);
        EXPECT_EQ(command.firstLine, 1) << "findings are kept relative to the command";
        return std::vector<uparse::Diagnostic>();
    };
    document.findings(Encoding::Utf16, check);
    EXPECT_EQ(checked.size(), 2u) << "a command written twice is checked once";
    checked.clear();
    ASSERT_TRUE(document.replace({{2, 9}, {2, 15}}, "SPREAD", Encoding::Utf16));
    document.findings(Encoding::Utf16, check);
    EXPECT_THAT(checked, ::testing::ElementsAre("SKETCH income\n  /STATS SPREAD."));
    checked.clear();
    document.findings(Encoding::Utf16, check);
    EXPECT_TRUE(checked.empty());
}

TEST(LspDocument, EditsCountCharactersInTheNegotiatedEncoding) {
    // "é" is one UTF-16 unit and two bytes; "𝄞" a surrogate pair and four bytes.
    uparselsp::Document document("a\r\n\xC3\xA9\xF0\x9D\x84\x9Ex\n", 1);
    ASSERT_TRUE(document.replace({{1, 3}, {1, 4}}, "y", Encoding::Utf16));
    ASSERT_TRUE(document.replace({{1, 6}, {1, 7}}, "z", Encoding::Utf8));
    EXPECT_EQ(document.text(), "a\r\n\xC3\xA9\xF0\x9D\x84\x9Ez\n");
    ASSERT_TRUE(document.replace({{1, 2}, {1, 2}}, "<", Encoding::Utf16))
        << "inside the pair: before it";
    ASSERT_TRUE(document.replace({{0, 50}, {0, 80}}, ">", Encoding::Utf16))
        << "past the line's end: its end, before CR LF";
    EXPECT_EQ(document.text(), "a>\r\n\xC3\xA9<\xF0\x9D\x84\x9Ez\n");
    const std::string before = document.text();
    EXPECT_FALSE(document.replace({{3, 0}, {3, 0}}, "x", Encoding::Utf16)) << "no such line";
    EXPECT_FALSE(document.replace({{1, 2}, {1, 1}}, "x", Encoding::Utf16)) << "start after end";
    EXPECT_FALSE(document.replace({{-1, 0}, {0, 0}}, "x", Encoding::Utf16));
    EXPECT_EQ(document.text(), before);
    EXPECT_TRUE(document.replace({{2, 0}, {2, 0}}, "end", Encoding::Utf16))
        << "the empty line after the last LF is there";
}

// A workspace in a directory whose name needs escaping in a URI, with the orchard language in a
// grammar directory, a data file of its own and a one-entry catalog.
class LspWorkspace : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* source = std::getenv("UPARSER_SOURCE_DIR");
        ASSERT_NE(source, nullptr) << "run by CTest, which names the source tree";
        root = dir.path() + "/my work";
        std::filesystem::create_directories(root + "/lang");
        std::filesystem::copy_file(std::string(source) + "/examples/grammars/orchard.json",
                                   root + "/lang/orchard.json");
        Write("people.csv", "a,b,age\n1,2,30\n");
        Write("short.po",
              "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
              "msgid \"Parameter ^1 of subcommand ^2 does not have a proper value type...\"\n"
              "msgstr \"^1 in ^2: wrong type.\"\n");
    }
    void TearDown() override { refhost::ClearTranslations(); }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(root + "/" + name, std::ios::binary) << text;
    }

    // The messages of the diagnostics published for kText.
    std::vector<std::string> Check(uparselsp::Workspace& workspace, const Json& initialize,
                                   std::vector<Json>* shown = nullptr) const {
        const Conversation c = Play(Request(1, "initialize", initialize) + Open(kUri, kText) + kEnd,
                                    workspace.procedures(), &workspace);
        if (shown != nullptr) {
            *shown = c.notifications("window/showMessage");
        }
        std::vector<std::string> messages;
        for (const Json& published : c.notifications("textDocument/publishDiagnostics")) {
            for (const Json& diagnostic : published["diagnostics"]) {
                messages.push_back(diagnostic["message"]);
            }
        }
        return messages;
    }

    Json InitializeAt(const std::string& path) const {
        std::string uri = "file://";
        for (const char c : path) {
            uri += c == ' ' ? std::string("%20") : std::string(1, c);
        }
        return {{"processId", nullptr}, {"capabilities", Json::object()}, {"rootUri", uri}};
    }

    const std::string kText = "PLUCK a b.\nSKETCH age /STATS CENTRE.\nSKETCH income.\n";
    testsupport::TempDir dir;
    std::string root;
};

TEST_F(LspWorkspace, UparseJsonAtTheRootGivesGrammarsDataAndCatalog) {
    Write("uparse.json",
          R"({"grammars": ["lang"], "data": "people.csv", "messages": "./short.po"})");
    uparselsp::Workspace workspace({{}, {}, "", "none"});
    std::string error;
    ASSERT_TRUE(workspace.load(error)) << error;
    std::vector<Json> shown;
    using ::testing::HasSubstr;
    // The first workspace folder counts before rootUri and rootPath.
    Json initialize = InitializeAt(dir.path());
    initialize["workspaceFolders"] = {{{"uri", InitializeAt(root)["rootUri"]}, {"name", "w"}}};
    initialize["rootPath"] = "/nonexistent";
    EXPECT_THAT(Check(workspace, initialize, &shown),
                ::testing::ElementsAre("CENTRE in STATS: wrong type.", "did you mean CENTER?",
                                       HasSubstr("income")));
    EXPECT_TRUE(shown.empty()) << shown[0].dump();

    // Without a settings file the command line's settings stand.
    uparselsp::Workspace plain({{}, {}, "", "none"});
    ASSERT_TRUE(plain.load(error)) << error;
    EXPECT_THAT(Check(plain, InitializeAt(dir.path())),
                ::testing::Contains(HasSubstr("unknown command 'PLUCK'")));
}

TEST_F(LspWorkspace, ABadSettingsFileIsShownAndTheCommandLineServes) {
    using ::testing::HasSubstr;
    const std::vector<std::pair<std::string, std::string>> bad = {
        {R"({"grammars": ["lang"], )", "parse error at line 1, column 24"},
        {R"(["lang"])", "must be a JSON object"},
        {R"({"grammars": "lang"})", "\"grammars\" must be a list"},
        {R"({"grammar": ["lang"]})", "unknown setting \"grammar\""},
        {R"({"data": 7})", "\"data\" must be a file name"},
        {R"({"grammars": ["lang", "missing.json"]})", "missing.json"},
        {R"({"data": "people.csv", "messages": "missing.po"})", "missing.po"},
    };
    // The command line asked for the short catalog: it stays loaded after a bad one.
    uparselsp::Workspace workspace({{}, {}, "", root + "/short.po"});
    std::string error;
    ASSERT_TRUE(workspace.load(error)) << error;
    for (const auto& [file, problem] : bad) {
        SCOPED_TRACE(file);
        Write("uparse.json", file);
        std::vector<Json> shown;
        const std::vector<std::string> messages = Check(workspace, InitializeAt(root), &shown);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0]["type"], 2);
        EXPECT_THAT(shown[0]["message"].get<std::string>(),
                    ::testing::AllOf(HasSubstr(root + "/uparse.json: "), HasSubstr(problem),
                                     ::testing::EndsWith("checking with the command line's "
                                                         "settings")));
        EXPECT_THAT(messages, ::testing::Contains(HasSubstr("unknown command 'PLUCK'")));
        EXPECT_THAT(messages, ::testing::Contains("CENTRE in STATS: wrong type."));
    }
}

}  // namespace
