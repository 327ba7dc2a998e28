// A language server session made of the input: framed and unframed bytes, headers whose
// Content-Length lies, messages that are not JSON-RPC, and the lifecycle's requests and
// notifications, documents opened, edited at any position (beyond the end, backwards, inside a
// surrogate pair) and asked about (completion, hover, outline, quick fixes), in either position
// encoding. The server must answer in well framed JSON and never more than once per request;
// and a document's findings after the edits, kept per command from one check to the next, must
// be those of the same text checked afresh.
#include <cstddef>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "refhost/Dictionary.h"
#include "tools/uparse-lsp/DocumentStore.h"
#include "tools/uparse-lsp/LspServer.h"
#include "tools/uparse-lsp/MessageReader.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/Procedures.h"

namespace {

using fuzzsupport::ByteReader;
using Json = nlohmann::json;

const std::vector<std::string> kPieces = {
    "SKETCH",  "WEAVE",   "SKECTH", " age", " income",  " /STATS",
    " CENTRE", " CENTER", " /",     " = ",  "'",        ".",
    "\n",      "\r\n",    "\n\n",   " ",    "\xC3\xA9", "\xF0\x9D\x84\x9E",
    "\xFF",    "(",       ")",      " BY ", "\t"};

const std::vector<std::string> kUris = {"file:///a.syntax", "file:///b%20c.syntax", ""};

std::string ReadText(ByteReader& in, unsigned maxPieces) {
    std::string text;
    for (unsigned n = in.pick(maxPieces + 1); n > 0 && !in.empty(); --n) {
        text +=
            in.chance(90) ? kPieces[in.pick(static_cast<unsigned>(kPieces.size()))] : in.bytes(3);
    }
    return text;
}

// Small positions mostly, now and then any 32-bit number.
long ReadNumber(ByteReader& in) {
    return in.chance(90) ? static_cast<long>(in.pick(12)) : static_cast<long>(in.int32());
}

uparselsp::Position ReadPosition(ByteReader& in) {
    const long line = ReadNumber(in);
    return {line, ReadNumber(in)};
}

Json Written(const uparselsp::Position& position) {
    return {{"line", position.line}, {"character", position.character}};
}

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Message(const std::string& method, const Json& params, long id = -1) {
    Json message = {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
    if (id >= 0) {
        message["id"] = id;
    }
    // Invalid UTF-8 of the pieces reaches the server as U+FFFD here, and as itself in the
    // unframed and raw bodies.
    return Framed(message.dump(-1, ' ', false, Json::error_handler_t::replace));
}

// The client's side of the session: the bytes sent, the number of requests among them, and
// whether raw bytes (which may hold requests of their own) were sent too.
struct Session {
    std::string input;
    long requests = 0;
    bool raw = false;
};

void AddMessage(ByteReader& in, Session& s) {
    const std::string uri = kUris[in.pick(static_cast<unsigned>(kUris.size()))];
    const Json document = {{"uri", uri}, {"version", in.pick(4)}};
    const unsigned kind = in.pick(12);
    s.raw = s.raw || kind < 3;
    switch (kind) {
        case 0:
            s.input += in.bytes(48);  // anything, framing included
            break;
        case 1:
            s.input += Framed(in.bytes(64));
            break;
        case 2:  // a length that is not the body's
            s.input +=
                "Content-Length: " + std::to_string(ReadNumber(in)) + "\r\n\r\n" + in.bytes(16);
            break;
        case 3: {
            Json params = {{"capabilities", Json::object()}};
            if (in.chance(50)) {
                params["capabilities"]["general"]["positionEncodings"] = {"utf-8"};
            }
            s.input += Message("initialize", params, s.requests++);
            s.input += Message("initialized", Json::object());
            break;
        }
        case 4:
            s.input += Message(
                "textDocument/didOpen",
                {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", ReadText(in, 40)}}}});
            break;
        case 5:
        case 6: {
            Json changes = Json::array();
            for (unsigned n = 1 + in.pick(3); n > 0; --n) {
                Json change = {{"text", ReadText(in, 6)}};
                if (in.chance(90)) {
                    change["range"] = {{"start", Written(ReadPosition(in))},
                                       {"end", Written(ReadPosition(in))}};
                }
                changes.push_back(change);
            }
            s.input += Message("textDocument/didChange",
                               {{"textDocument", document}, {"contentChanges", changes}});
            break;
        }
        case 7:
        case 8: {
            static const char* const kAsked[] = {"textDocument/completion", "textDocument/hover",
                                                 "textDocument/documentSymbol",
                                                 "textDocument/codeAction"};
            // One set of parameters that serves every request asked about a place.
            const uparselsp::Position at = ReadPosition(in);
            const Json context = {
                {"diagnostics", Json::array()},
                {"only", in.chance(50) ? Json::array({"quickfix"}) : Json::array({"refactor"})}};
            s.input +=
                Message(kAsked[in.pick(4)],
                        {{"textDocument", document},
                         {"position", Written(at)},
                         {"range", {{"start", Written(at)}, {"end", Written(ReadPosition(in))}}},
                         {"context", context}},
                        s.requests++);
            break;
        }
        case 9:
            s.input += Message("textDocument/didClose", {{"textDocument", document}});
            break;
        case 10:
            s.input += Message("shutdown", nullptr, s.requests++);
            break;
        default:  // a request whose parameters are of the wrong shape
            s.input += Message("textDocument/hover", in.chance(50) ? Json(7) : Json::array(),
                               s.requests++);
            break;
    }
}

const uparse::Procedures& Samples() {
    static const uparse::Procedures procedures;
    return procedures;
}

const refhost::Dictionary& SampleData() {
    static const refhost::Dictionary data = [] {
        refhost::Dictionary dictionary;
        std::string error;
        FUZZ_CHECK(uparse::LoadDictionary("", dictionary, error));
        return dictionary;
    }();
    return data;
}

void CheckServer(const Session& s) {
    std::istringstream in(s.input);
    std::ostringstream out;
    uparselsp::LspServer server(Samples(), SampleData(), out);
    server.run(in);

    std::istringstream written(out.str());
    uparselsp::MessageReader reader(written);
    std::string body;
    std::string problem;
    std::map<long, int> answers;
    while (reader.next(body, problem) == uparselsp::MessageReader::Status::Message) {
        const Json message = Json::parse(body, nullptr, false);
        FUZZ_CHECK(message.is_object() && message.value("jsonrpc", "") == "2.0");
        if (message.contains("method")) {
            FUZZ_CHECK(!message.contains("id"));  // the server sends no requests
            continue;
        }
        const auto error = message.find("error");
        FUZZ_CHECK(message.contains("result") != (error != message.end()));
        if (error != message.end()) {
            FUZZ_CHECK(error->at("code").is_number_integer() && error->at("message").is_string());
        }
        const Json& id = message.at("id");
        if (id.is_number_integer()) {
            ++answers[id.get<long>()];
        }
    }
    FUZZ_CHECK(written.eof());
    // Requests of the session's own are answered once each, those after exit not at all.
    if (!s.raw) {
        for (const auto& [id, count] : answers) {
            FUZZ_CHECK(id < s.requests && count == 1);
        }
    }
}

// A document's findings, each written out whole.
std::vector<std::string> Findings(uparselsp::Document& document, uparselsp::Encoding encoding) {
    std::vector<std::string> out;
    const auto check = [](refhost::CommandText command) {
        return uparse::CheckCommand(std::move(command), "", Samples(), SampleData(), false)
            .diagnostics;
    };
    for (const uparselsp::Finding& f : document.findings(encoding, check)) {
        out.push_back(std::to_string(f.range.start.line) + ":" +
                      std::to_string(f.range.start.character) + "-" +
                      std::to_string(f.range.end.line) + ":" +
                      std::to_string(f.range.end.character) + " " + std::to_string(f.severity) +
                      " " + f.code + " " + f.message + " " + f.replacement);
    }
    return out;
}

// Edits applied straight to a document, checked after each, against a fresh check at the end.
void CheckEdits(ByteReader& in) {
    const uparselsp::Encoding encoding =
        in.chance(50) ? uparselsp::Encoding::Utf8 : uparselsp::Encoding::Utf16;
    uparselsp::Document document(ReadText(in, 60), 1);
    Findings(document, encoding);
    for (unsigned n = in.pick(8); n > 0 && !in.empty(); --n) {
        const std::string before = document.text();
        const uparselsp::Range range{ReadPosition(in), ReadPosition(in)};
        if (!document.replace(range, ReadText(in, 8), encoding)) {
            FUZZ_CHECK(document.text() == before);
        }
        FUZZ_CHECK(document.lineCount() >= 1);
        Findings(document, encoding);
    }
    uparselsp::Document fresh(document.text(), 1);
    FUZZ_CHECK(Findings(document, encoding) == Findings(fresh, encoding));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    if (in.chance(50)) {
        CheckEdits(in);
        return 0;
    }
    Session s;
    for (unsigned n = 0; n < 48 && !in.empty(); ++n) {
        AddMessage(in, s);
    }
    if (in.chance(80)) {
        s.input += Message("exit", Json::object());
    }
    CheckServer(s);
    return 0;
}
