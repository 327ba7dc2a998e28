// uparse-lsp's answer to an edit: a 10,000-line syntax file is open, one command changes, and
// the server publishes the whole file's diagnostics again. Only the changed command is parsed
// again; the open, which checks every command, is measured beside it for the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <streambuf>
#include <string>

#include "BenchSummary.h"
#include "refhost/refhost.h"
#include "tools/uparse-lsp/LspServer.h"
#include "tools/uparse/Data.h"
#include "tools/uparse/Procedures.h"

namespace {

using Json = nlohmann::json;

constexpr long kLines = 10000;
const std::string kUri = "file:///bench/long.syntax";

// Counts what the server writes and keeps none of it.
class Discard : public std::streambuf {
  public:
    std::size_t written = 0;

  protected:
    int overflow(int c) override {
        ++written;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        written += static_cast<std::size_t>(n);
        return n;
    }
};

// Blocks of 12 lines, each command's text unique (the block's number is in it) so that no two
// share a cache entry, and one command in three with mistakes, as a file being written has.
std::string LongFile() {
    std::string text;
    for (long block = 0; block * 12 < kLines; ++block) {
        const std::string n = std::to_string(block);
        text +=
            "SKETCH age income spend score1 TO score4\n"
            "  /STATS CENTER SPREAD TRIM = 5\n"
            "  /FORMAT DIGITS = 1 ORDER = DESCENDING\n"
            "  /TITLE 'Household survey, wave " +
            n +
            "'.\n"
            "\n"
            "WEAVE /ROWWEIGHTS weight\n"
            "  /PANEL region BY gender\n"
            "  /CELLS COUNT ROWSHR\n"
            "  /SAVE OUTFILE = 'weave-" +
            n +
            ".txt' STYLE = CSV.\n"
            "\n"
            "SKETCH age incme /STATS CENTRE /TITLE 'mistakes " +
            n +
            "'.\n"
            "\n";
    }
    return text;
}

std::string Message(const std::string& method, const Json& params) {
    return Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump();
}

struct Session {
    const uparse::Procedures procedures;
    refhost::Dictionary data;
    Discard sink;
    std::ostream out{&sink};
    uparselsp::LspServer server{procedures, data, out};

    Session() {
        std::string error;
        if (!uparse::LoadDictionary("", data, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
        }
        server.handle(Json{{"jsonrpc", "2.0"},
                           {"id", 1},
                           {"method", "initialize"},
                           {"params", {{"capabilities", Json::object()}}}}
                          .dump());
    }
};

std::string Open(const std::string& text) {
    return Message("textDocument/didOpen",
                   {{"textDocument",
                     {{"uri", kUri}, {"languageId", "syntax"}, {"version", 1}, {"text", text}}}});
}

// Rewrites the title line of a command in the middle of the file, alternating between two
// texts, so that every change brings a command the server has not seen in the last check.
void ChangeOneCommand(benchmark::State& state) {
    Session session;
    const std::string text = LongFile();
    session.server.handle(Open(text));
    const long line = (kLines / 24) * 12 + 3;  // the TITLE line of a block halfway down
    const auto rewrite = [&](int version, const char* word) {
        const Json range = {{"start", {{"line", line}, {"character", 10}}},
                            {"end", {{"line", line}, {"character", 19}}}};
        return Message("textDocument/didChange",
                       {{"textDocument", {{"uri", kUri}, {"version", version}}},
                        {"contentChanges", {{{"range", range}, {"text", word}}}}});
    };
    const std::string changes[] = {rewrite(2, "Hausehold"), rewrite(3, "Household")};
    std::size_t turn = 0;
    for (auto _ : state) {
        session.server.handle(changes[turn++ % 2]);
    }
    state.counters["bytes_out"] = benchmark::Counter(static_cast<double>(session.sink.written) /
                                                     static_cast<double>(state.iterations()));
}

// Opening the file checks every command: what each change would cost without the cache.
void OpenWholeFile(benchmark::State& state) {
    Session session;
    const std::string open = Open(LongFile());
    for (auto _ : state) {
        session.server.handle(open);
    }
}

}  // namespace

BENCHMARK(ChangeOneCommand)->Name("lsp/change/10000")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenWholeFile)->Name("lsp/open/10000")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    const bench::MedianCollector medians = bench::RunAll(argc, argv);
    const auto* change = medians.find("lsp/change/10000");
    const auto* open = medians.find("lsp/open/10000");
    if (change != nullptr && open != nullptr) {
        std::printf(
            "\nMedian wall time, %ld-line file: change of one command %.2f ms, open %.2f ms "
            "(%.1fx)\n",
            kLines, change->realNs / 1e6, open->realNs / 1e6, open->realNs / change->realNs);
    }
    return 0;
}
