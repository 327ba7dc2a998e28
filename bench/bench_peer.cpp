// The parser beside CLI11 on the same work, each from its own ready tokens.
//
// Two kinds of work, N tokens each:
// - list/<n>: a list of values. Ours: `BENCH v1 v2 ...`, the leading variable list of the
//   command (each name kept as a token of the result). CLI11: one positional option bound to
//   a std::vector<std::string>, given `v1 v2 ...`.
// - options/<n>: N/3 declared options, each given once with a number. Ours: a subcommand
//   `/OPTS P1 = 1 P2 = 2 ...` declaring N/3 number parameters (three tokens per option: name,
//   equals sign, value; each value converted and kept). CLI11: N/3 options `--p1`, `--p2`, ...
//   bound to doubles, given as `--p1 1 --p2 2 ...`, two argv items per option; time per token
//   divides its time by the same N as ours, so that the ratio is the ratio of the same work.
//
// What is not timed on either side: tokenising (ours runs over a TextTokenSequence made once
// and rewound; CLI11 gets a copy of a prepared, reversed vector of strings, made while the timer
// is paused, which its parse consumes) and building the grammar (the descriptors and the
// CLI::App are made once; the App is parsed again, as CLI11 clears its results itself).
// What is timed: ours builds a CommandSpec and a parser, parses and destroys the result;
// CLI11 parses, stores and converts the values into the bound variables. CLI11 checks nothing
// beyond its type conversion (no variable-name rules, no diagnostics of the host's kind), and
// matches names case-sensitively where ours folds case.
//
// grammar/<n> builds and destroys the options grammar of n tokens; stdmap/<n> keeps the same
// parameter descriptors in a std::unordered_map from name to descriptor instead, the standard
// library's index beside ours.
//
// CLI11 finds each long option by walking all declared options, so options/<n> is quadratic on
// its side: it runs up to kMaxPeerOptionsTokens only (about 0.2 s per parse at 10,000 tokens
// here, so some 20 s at 100,000 and half an hour at a million).
#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>
#include <benchmark/benchmark.h>

#include "BenchSummary.h"
#include "refhost/TextTokenSequence.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/UniversalParser.h"

namespace {

using namespace UPSpecTypes;

enum class Work { List, Options };

const std::size_t kSizes[] = {10000, 100000, 1000000};
const Work kWorks[] = {Work::List, Work::Options};
constexpr std::size_t kMaxPeerOptionsTokens = 10000;

const char* WorkName(Work work) { return work == Work::List ? "list" : "options"; }

// Ours: `BENCH` and n-1 names, or `BENCH / OPTS` and (n-3)/3 options of three tokens.
std::size_t OptionCount(std::size_t tokens) { return (tokens - 3) / 3; }

// The tokens of our command for that work; CLI11's per-token figure divides by the same count.
std::size_t TokenCount(Work work, std::size_t tokens) {
    return work == Work::List ? tokens : 3 + 3 * OptionCount(tokens);
}

std::string OurText(Work work, std::size_t tokens) {
    std::string text = "BENCH";
    if (work == Work::List) {
        for (std::size_t i = 1; i < tokens; ++i) {
            text += " v" + std::to_string(i);
        }
        return text;
    }
    text += " /OPTS";
    for (std::size_t i = 1; i <= OptionCount(tokens); ++i) {
        const std::string index = std::to_string(i);
        text += " P" + index + " = " + index;
    }
    return text;
}

CommandDescriptor OurGrammar(Work work, std::size_t tokens) {
    CommandDescriptor command("BENCH", "Benchmark");
    if (work == Work::List) {
        SubComDescriptor leading("", SubComByEqual, true);
        leading.setExportParamDesc(ParamVarList, true);
        command.addSubComDesc(leading);
        return command;
    }
    SubComDescriptor options("OPTS", SubComByEqual);
    for (std::size_t i = 1; i <= OptionCount(tokens); ++i) {
        options.addParamDesc(ParamDescriptor("P" + std::to_string(i), ParamNumber));
    }
    // Taken over, not copied, as a host builds a large grammar.
    command.addSubComDesc(std::move(options));
    return command;
}

// CLI11's argv without the program name, reversed, as App::parse(std::vector&) expects it.
std::vector<std::string> PeerArgs(Work work, std::size_t tokens) {
    std::vector<std::string> args;
    if (work == Work::List) {
        for (std::size_t i = 1; i < tokens; ++i) {
            args.push_back("v" + std::to_string(i));
        }
    } else {
        for (std::size_t i = 1; i <= OptionCount(tokens); ++i) {
            const std::string index = std::to_string(i);
            args.push_back("--p" + index);
            args.push_back(index);
        }
    }
    return {args.rbegin(), args.rend()};
}

// Time per token as a counter of the benchmark's own output (seconds per token).
benchmark::Counter PerToken(double tokens) {
    return benchmark::Counter(tokens, benchmark::Counter::kIsIterationInvariantRate |
                                          benchmark::Counter::kInvert);
}

void Ours(benchmark::State& state, Work work, std::size_t size) {
    refhost::TextTokenSequence stream(OurText(work, size));
    const CommandDescriptor grammar = OurGrammar(work, size);
    const auto parse = [&](CommandSpec& spec) {
        stream.setPosition(0);
        UniversalParser parser(stream, spec, grammar);
        return parser.getCommandSpecifications();
    };
    {
        // One untimed parse first, so that a retained heap already has room for the result.
        CommandSpec spec;
        parse(spec);
    }
    for (auto _ : state) {
        CommandSpec spec;
        const int code = parse(spec);
        if (code != 0) {
            state.SkipWithError(("parse failed with code " + std::to_string(code)).c_str());
            break;
        }
        benchmark::DoNotOptimize(spec);
    }
    const double tokens = stream.getTokenCount();
    state.counters["tokens"] = tokens;
    state.counters["per_token"] = PerToken(tokens);
}

void Peer(benchmark::State& state, Work work, std::size_t size) {
    const std::vector<std::string> prepared = PeerArgs(work, size);
    CLI::App app("Benchmark");
    std::vector<std::string> values;
    std::vector<double> numbers(OptionCount(size));
    if (work == Work::List) {
        app.add_option("values", values);
    } else {
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            app.add_option("--p" + std::to_string(i + 1), numbers[i]);
        }
    }
    std::vector<std::string> args;
    const auto parse = [&] {
        try {
            app.parse(args);
            return std::string();
        } catch (const CLI::ParseError& error) {
            return std::string(error.what());
        }
    };
    args = prepared;
    const std::string first = parse();
    // The untimed parse must have bound every value, or the timed ones measure something else.
    const bool bound = work == Work::List ? values.size() + 1 == size
                                          : !numbers.empty() &&
                                                numbers.back() == static_cast<double>(numbers.size());
    if (!first.empty() || !bound) {
        state.SkipWithError(("CLI11 did not bind the values: " + first).c_str());
    }
    for (auto _ : state) {
        state.PauseTiming();
        args = prepared;
        state.ResumeTiming();
        const std::string failure = parse();
        if (!failure.empty()) {
            state.SkipWithError(("CLI11 parse failed: " + failure).c_str());
            break;
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(numbers.data());
    }
    // Ours counts its command name (and subcommand) too: the same N for the same work.
    const double tokens = static_cast<double>(TokenCount(work, size));
    state.counters["tokens"] = tokens;
    state.counters["per_token"] = PerToken(tokens);
}

// Building the options grammar of n tokens (n/3 parameters) and destroying it: a grammar's
// cost must stay linear in its size.
void Build(benchmark::State& state, std::size_t size) {
    for (auto _ : state) {
        CommandDescriptor grammar = OurGrammar(Work::Options, size);
        benchmark::DoNotOptimize(grammar);
    }
    state.counters["params"] = static_cast<double>(OptionCount(size));
}

// The same parameters kept in a standard hash map from name to descriptor, made and destroyed
// the same way: what the options grammar would cost with the standard library's index in place
// of ours, and how that grows with the size.
void BuildStdMap(benchmark::State& state, std::size_t size) {
    for (auto _ : state) {
        std::unordered_map<std::string, ParamDescriptor> params;
        for (std::size_t i = 1; i <= OptionCount(size); ++i) {
            std::string name = "P" + std::to_string(i);
            ParamDescriptor param(name, ParamNumber);
            params.try_emplace(std::move(name), std::move(param));
        }
        benchmark::DoNotOptimize(params);
    }
    state.counters["params"] = static_cast<double>(OptionCount(size));
}

std::string Name(const char* side, Work work, std::size_t size) {
    return std::string(side) + "/" + WorkName(work) + "/" + std::to_string(size);
}

void Summarize(const bench::MedianCollector& results) {
    std::printf("\nMedian CPU time per token; ours as a multiple of CLI11 on the same work\n");
    std::printf("%-18s %10s %12s %12s %8s\n", "work", "tokens", "ours ns/tok", "CLI11 ns/tok",
                "ratio");
    for (const Work work : kWorks) {
        for (const std::size_t size : kSizes) {
            const auto* ours = results.find(Name("ours", work, size));
            const auto* peer = results.find(Name("cli11", work, size));
            if (ours == nullptr) {
                continue;
            }
            const double ourTokens = ours->counters.at("tokens");
            const std::string label = std::string(WorkName(work)) + "/" + std::to_string(size);
            if (peer == nullptr) {
                std::printf("%-18s %10.0f %12.1f %12s %8s\n", label.c_str(), ourTokens,
                            ours->cpuNs / ourTokens, "not run", "-");
                continue;
            }
            const double peerTokens = peer->counters.at("tokens");
            const double ourPerToken = ours->cpuNs / ourTokens;
            const double peerPerToken = peer->cpuNs / peerTokens;
            std::printf("%-18s %10.0f %12.1f %12.1f %8.3f\n", label.c_str(), ourTokens,
                        ourPerToken, peerPerToken, ourPerToken / peerPerToken);
        }
    }
    std::printf("(CLI11's options stop at %zu tokens: its look-up of an option is linear in the "
                "options declared)\n",
                kMaxPeerOptionsTokens);

    std::printf("\nGrowth of the time per token (per parameter for grammar/<n> and stdmap/<n>) "
                "from 10^4 to 10^6 tokens\n");
    const auto perUnit = [](const bench::MedianCollector::Median& m, const char* unit) {
        return m.cpuNs / m.counters.at(unit);
    };
    for (const char* kind : {"ours/list", "ours/options", "grammar/options", "stdmap/options"}) {
        const std::string base(kind);
        const auto* small = results.find(base + "/" + std::to_string(kSizes[0]));
        const auto* large = results.find(base + "/" + std::to_string(kSizes[2]));
        if (small == nullptr || large == nullptr) {
            continue;
        }
        const bool perParam = base == "grammar/options" || base == "stdmap/options";
        const char* unit = perParam ? "params" : "tokens";
        std::printf("%-18s %10.1f ns %10.1f ns %8.2f\n", kind, perUnit(*small, unit),
                    perUnit(*large, unit), perUnit(*large, unit) / perUnit(*small, unit));
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const Work work : kWorks) {
        for (const std::size_t size : kSizes) {
            benchmark::RegisterBenchmark(Name("ours", work, size).c_str(), Ours, work, size)
                ->Unit(benchmark::kMillisecond);
            if (work == Work::List || size <= kMaxPeerOptionsTokens) {
                benchmark::RegisterBenchmark(Name("cli11", work, size).c_str(), Peer, work, size)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    for (const std::size_t size : kSizes) {
        benchmark::RegisterBenchmark(("grammar/options/" + std::to_string(size)).c_str(), Build,
                                     size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("stdmap/options/" + std::to_string(size)).c_str(),
                                     BuildStdMap, size)
            ->Unit(benchmark::kMillisecond);
    }
    Summarize(bench::RunAll(argc, argv));
    return 0;
}
