// Reading and writing grammar files. The grammar is one command of N subcommands with 20
// parameters each, of every common value type with bounds, accepted words, help texts and a
// variable check, written once (untimed) in the canonical layout. read/<N> is ReadGrammar on
// that text in memory: the JSON parse, the descriptors and notes built from it, and their
// destruction. write/<N> is WriteGrammar of the grammar read. The target: 1,000 x 20 read in
// under 50 ms.
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSummary.h"
#include "grammar/grammar.h"

namespace {

using namespace UPSpecTypes;

constexpr int kParameters = 20;
const int kSizes[] = {100, 1000};

ParamDescriptor Parameter(int index) {
    ParamDescriptor param("P" + std::to_string(index));
    switch (index % 5) {
        case 0:
            param.setParamType(ParamInteger);
            param.setLowerBoundary(0, LowerIncluded);
            param.setUpperBoundary(100 + index, UpperIncluded);
            break;
        case 1:
            param.setParamType(ParamNumber);
            param.setLowerBoundary(0, LowerExcluded);
            break;
        case 2:
            param.setParamType(ParamString);
            for (const char* word : {"LOW", "MIDDLE", "HIGH"}) {
                param.addStringValue(word);
            }
            break;
        case 3:
            param.setParamType(ParamVarList);
            break;
        default:
            param.setParamType(ParamLiteral);
            param.setParamRequired(index == 4);
            break;
    }
    return param;
}

upgrammar::GrammarFile Grammar(int subCommands) {
    upgrammar::GrammarFile file;
    file.commands.push_back({CommandDescriptor("LARGE", "Large"), "A large grammar", {}});
    upgrammar::CommandGrammar& command = file.commands.front();
    for (int s = 0; s < subCommands; ++s) {
        SubComDescriptor sub("SUB" + std::to_string(s), s % 2 == 0 ? SubComByEqual : SubComByParen);
        for (int p = 0; p < kParameters; ++p) {
            sub.addParamDesc(Parameter(p));
        }
        command.descriptor.addSubComDesc(sub);
        upgrammar::SubComNotes& notes = command.notesAt(0, s);
        notes.help = "Subcommand number " + std::to_string(s);
        notes.parameters.resize(kParameters);
        for (int p = 0; p < kParameters; ++p) {
            notes.parameters[p].help = "What parameter " + std::to_string(p) + " sets";
        }
        notes.parameters[3].checksVariables = true;
    }
    return file;
}

const std::string& Text(int subCommands) {
    static std::string text;
    static int made = -1;
    if (made != subCommands) {
        text = upgrammar::WriteGrammar(Grammar(subCommands));
        made = subCommands;
    }
    return text;
}

void Read(benchmark::State& state, int subCommands) {
    const std::string& text = Text(subCommands);
    for (auto _ : state) {
        upgrammar::GrammarFile grammar;
        upgrammar::GrammarError error;
        if (!upgrammar::ReadGrammar(text, "large.json", grammar, error)) {
            state.SkipWithError(error.text().c_str());
            break;
        }
        benchmark::DoNotOptimize(grammar);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void Write(benchmark::State& state, int subCommands) {
    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    upgrammar::ReadGrammar(Text(subCommands), "large.json", grammar, error);
    for (auto _ : state) {
        benchmark::DoNotOptimize(upgrammar::WriteGrammar(grammar));
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const int size : kSizes) {
        benchmark::RegisterBenchmark(("read/" + std::to_string(size)).c_str(), Read, size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("write/" + std::to_string(size)).c_str(), Write, size)
            ->Unit(benchmark::kMillisecond);
    }
    const bench::MedianCollector results = bench::RunAll(argc, argv);
    std::printf("\nMedian CPU time of %d parameters per subcommand\n", kParameters);
    std::printf("%-12s %12s %10s %12s\n", "benchmark", "bytes", "ms", "MB/s");
    for (const int size : kSizes) {
        const auto* read = results.find("read/" + std::to_string(size));
        const auto* write = results.find("write/" + std::to_string(size));
        if (read == nullptr || write == nullptr) {
            continue;
        }
        const double bytes = read->counters.at("bytes");
        for (const auto& [name, median] :
             {std::make_pair("read", read), std::make_pair("write", write)}) {
            std::printf("%-12s %12.0f %10.2f %12.1f\n",
                        (std::string(name) + "/" + std::to_string(size)).c_str(), bytes,
                        median->cpuNs / 1e6, bytes / (median->cpuNs / 1e9) / 1e6);
        }
    }
    return 0;
}
