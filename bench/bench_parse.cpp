// The parse of long commands against the cost of merely walking their tokens.
//
// Every benchmark runs over a token stream made once, outside the timed region, from the
// command text (the reference tokenizer does its work in the constructor), and rewinds it with
// setPosition(0) on every iteration. The baseline, walk/<shape>/<n>, moves through the stream
// with next() and takes a TokenInfoObj snapshot of every token: the least any parser of this
// design does. parse/<shape>/<n> builds a CommandSpec and a parser over the same stream and
// parses; the timed region includes destroying the CommandSpec, as a procedure eventually
// does. keep/<shape>/<n> is the walk with every snapshot kept in a std::vector that grows as it
// goes: the least any parser does whose result holds a snapshot of every token, as ours does for
// a list (of a parameter it keeps the name and the value, not the equals sign); it shows what of
// the parse's cost, and of its growth with the size, is that memory.
// nogrammar/<n> parses the text of the "parameters" shape without a grammar. The
// "arbitrary" shape, a long variable list as the value of an arbitrary subcommand, guards
// against checking the value from its start again after every token.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchCommands.h"
#include "BenchSummary.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "uparser/CommandSpec.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/UniversalParser.h"

namespace {

using bench::Shape;

const std::size_t kSizes[] = {10000, 100000, 1000000};
const Shape kShapes[] = {Shape::VarList, Shape::SubCommands, Shape::Parameters,
                         Shape::Arbitrary};

// One stream at a time: the benchmarks of a shape and size run one after the other, and a
// million-token stream is large enough not to keep several.
refhost::TextTokenSequence& Stream(Shape shape, std::size_t tokens) {
    static std::unique_ptr<refhost::TextTokenSequence> stream;
    static Shape streamShape;
    static std::size_t streamTokens = 0;
    if (!stream || streamShape != shape || streamTokens != tokens) {
        stream.reset();
        stream = std::make_unique<refhost::TextTokenSequence>(bench::CommandText(shape, tokens));
        streamShape = shape;
        streamTokens = tokens;
    }
    return *stream;
}

void Walk(benchmark::State& state, Shape shape, std::size_t size) {
    refhost::TextTokenSequence& stream = Stream(shape, size);
    for (auto _ : state) {
        stream.setPosition(0);
        while (stream.next()) {
            TokenInfoObj token(stream);
            benchmark::DoNotOptimize(token);
        }
    }
    state.counters["tokens"] = stream.getTokenCount();
}

void KeepOnce(refhost::TextTokenSequence& stream) {
    std::vector<TokenInfoObj> kept;
    stream.setPosition(0);
    while (stream.next()) {
        kept.emplace_back(stream);
    }
    benchmark::DoNotOptimize(kept.data());
}

void Keep(benchmark::State& state, Shape shape, std::size_t size) {
    refhost::TextTokenSequence& stream = Stream(shape, size);
    KeepOnce(stream);  // untimed, as for the parse: a retained heap then has room
    for (auto _ : state) {
        KeepOnce(stream);
    }
    state.counters["tokens"] = stream.getTokenCount();
}

int ParseOnce(refhost::TextTokenSequence& stream, const CommandDescriptor* grammar,
              CommandSpec& spec) {
    stream.setPosition(0);
    if (grammar != nullptr) {
        UniversalParser parser(stream, spec, *grammar);
        return parser.getCommandSpecifications();
    }
    UniversalParser parser(stream, spec);
    return parser.getCommandSpecifications();
}

void Parse(benchmark::State& state, Shape shape, std::size_t size, bool withGrammar) {
    refhost::TextTokenSequence& stream = Stream(shape, size);
    const CommandDescriptor grammar = bench::Grammar(shape);
    const CommandDescriptor* used = withGrammar ? &grammar : nullptr;
    refhost::MessageLog log;
    {
        // One untimed parse first, so that a retained heap already has room for the result.
        CommandSpec spec;
        ParseOnce(stream, used, spec);
    }
    for (auto _ : state) {
        CommandSpec spec;
        const int code = ParseOnce(stream, used, spec);
        if (code != 0) {
            const std::string why = log.messages().empty() ? "" : log.messages().front().text;
            state.SkipWithError(("parse failed with code " + std::to_string(code) + ": " + why)
                                    .c_str());
            break;
        }
        benchmark::DoNotOptimize(spec);
    }
    state.counters["tokens"] = stream.getTokenCount();
}

std::string Name(const char* kind, const char* shape, std::size_t size) {
    return std::string(kind) + "/" + shape + "/" + std::to_string(size);
}

// The parse beside keeping the same tokens, the part of its cost that is their memory.
void SummarizeKeep(const bench::MedianCollector& results) {
    std::printf("\nKeeping every token: ns per token; parse as a multiple of keeping the same "
                "tokens\n");
    std::printf("%-24s %12s %12s %8s\n", "benchmark", "keep ns/tok", "parse ns/tok", "ratio");
    for (const Shape shape : kShapes) {
        for (const std::size_t size : kSizes) {
            const auto* p = results.find(Name("parse", bench::ShapeName(shape), size));
            const auto* k = results.find(Name("keep", bench::ShapeName(shape), size));
            if (p == nullptr || k == nullptr) {
                continue;
            }
            const double tokens = p->counters.at("tokens");
            std::printf("%-24s %12.1f %12.1f %8.2f\n",
                        Name("keep", bench::ShapeName(shape), size).c_str(), k->cpuNs / tokens,
                        p->cpuNs / tokens, p->cpuNs / k->cpuNs);
        }
    }
}

void Summarize(const bench::MedianCollector& results) {
    std::printf("\nMedian CPU time per token; parse as a multiple of the walk of the same stream\n");
    std::printf("%-24s %10s %12s %12s %8s\n", "benchmark", "tokens", "walk ns/tok",
                "parse ns/tok", "ratio");
    const auto row = [&](const std::string& parse, const std::string& walk) {
        const auto* p = results.find(parse);
        const auto* w = results.find(walk);
        if (p == nullptr || w == nullptr) {
            return;
        }
        const double tokens = p->counters.at("tokens");
        std::printf("%-24s %10.0f %12.1f %12.1f %8.2f\n", parse.c_str(), tokens,
                    w->cpuNs / tokens, p->cpuNs / tokens, p->cpuNs / w->cpuNs);
    };
    for (const Shape shape : kShapes) {
        for (const std::size_t size : kSizes) {
            row(Name("parse", bench::ShapeName(shape), size),
                Name("walk", bench::ShapeName(shape), size));
        }
    }
    for (const std::size_t size : kSizes) {
        row(Name("nogrammar", "parameters", size), Name("walk", "parameters", size));
    }

    SummarizeKeep(results);

    std::printf("\nGrowth: time per token at 1M tokens over time per token at 10k tokens\n");
    const auto growth = [&](const std::string& small, const std::string& large) {
        const auto* s = results.find(small);
        const auto* l = results.find(large);
        if (s == nullptr || l == nullptr) {
            return;
        }
        std::printf("%-24s %8.2f\n", large.c_str(),
                    (l->cpuNs / l->counters.at("tokens")) / (s->cpuNs / s->counters.at("tokens")));
    };
    for (const Shape shape : kShapes) {
        growth(Name("walk", bench::ShapeName(shape), 10000),
               Name("walk", bench::ShapeName(shape), 1000000));
        growth(Name("keep", bench::ShapeName(shape), 10000),
               Name("keep", bench::ShapeName(shape), 1000000));
        growth(Name("parse", bench::ShapeName(shape), 10000),
               Name("parse", bench::ShapeName(shape), 1000000));
    }
    growth(Name("nogrammar", "parameters", 10000), Name("nogrammar", "parameters", 1000000));
}

}  // namespace

int main(int argc, char** argv) {
    for (const Shape shape : kShapes) {
        for (const std::size_t size : kSizes) {
            const char* name = bench::ShapeName(shape);
            benchmark::RegisterBenchmark(Name("walk", name, size).c_str(), Walk, shape, size)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(Name("keep", name, size).c_str(), Keep, shape, size)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(Name("parse", name, size).c_str(), Parse, shape, size,
                                         true)
                ->Unit(benchmark::kMillisecond);
            if (shape == Shape::Parameters) {
                benchmark::RegisterBenchmark(Name("nogrammar", name, size).c_str(), Parse, shape,
                                             size, false)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    Summarize(bench::RunAll(argc, argv));
    return 0;
}
