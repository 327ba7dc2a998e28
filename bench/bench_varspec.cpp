// Variable-list validation as lists and dictionaries grow. Dictionaries and token lists are
// made outside the timed region; each iteration builds the validating object, as a procedure
// does for every list, and validates.
//   names/<n>/<m>   ValidateVariables over n distinct names, spread over a dictionary of m
//   lookup/<n>/<m>  the host's dictionary look-up of the same names alone, for comparison
//   all/<m>         ValidateVariables over "ALL"
//   range/<m>       ValidateVariables over "x0 TO x<m-1>"
//   blocks/<k>/<m>  ValidateVarBlocksAndQuals over k blocks "a b (Q = 1)"
//   registry/<n>    ParserValidator::ValidateNewVar for n distinct names
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSummary.h"
#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/Tokens.h"
#include "uparser/ParserValidator.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;

std::string VarName(std::size_t index) {
    return "x" + std::to_string(index);
}

// One dictionary at a time, of m numeric variables x0 ... x<m-1>.
const refhost::Dictionary& Dictionary(std::size_t m) {
    static std::unique_ptr<refhost::Dictionary> dictionary;
    if (!dictionary || dictionary->ColumnCount() != m) {
        dictionary.reset();
        dictionary = std::make_unique<refhost::Dictionary>();
        for (std::size_t i = 0; i < m; ++i) {
            dictionary->addNumeric(VarName(i));
        }
    }
    return *dictionary;
}

// The tokens of a variable list as the parser hands them to a procedure.
std::vector<TokenInfoObj> Tokens(const std::string& text) {
    return refhost::TokensOf(text);
}

void Validate(benchmark::State& state, const std::vector<TokenInfoObj>& tokens,
              const refhost::Dictionary& dictionary, std::size_t expected, double units) {
    refhost::MessageLog log;
    {
        // One untimed run first, so that a retained heap already has room for the list.
        VarSpecObj spec("VARIABLES", "", "BENCH", &dictionary);
        spec.ValidateVariables(tokens, RepeatVarsError);
    }
    for (auto _ : state) {
        VarSpecObj spec("VARIABLES", "", "BENCH", &dictionary);
        spec.SetAllowQualifiers(true);
        const bool ok = spec.ValidateVariables(tokens, RepeatVarsError);
        if (!ok || static_cast<std::size_t>(spec.GetNValidVars()) != expected) {
            state.SkipWithError("validation failed");
            break;
        }
        benchmark::DoNotOptimize(spec);
    }
    state.counters["units"] = units;
}

void Names(benchmark::State& state, std::size_t n, std::size_t m) {
    const refhost::Dictionary& dictionary = Dictionary(m);
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        text += ' ' + VarName(i * (m / n));
    }
    Validate(state, Tokens(text), dictionary, n, static_cast<double>(n));
}

// The host's share of names/<n>/<m>: the dictionary look-up of the same n names alone.
void Lookups(benchmark::State& state, std::size_t n, std::size_t m) {
    const refhost::Dictionary& dictionary = Dictionary(m);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < n; ++i) {
        names.push_back(VarName(i * (m / n)));
    }
    for (auto _ : state) {
        long sum = 0;
        for (const std::string& name : names) {
            sum += dictionary.FindVarIndex(name.c_str());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["units"] = static_cast<double>(n);
}

void All(benchmark::State& state, std::size_t m) {
    Validate(state, Tokens("ALL"), Dictionary(m), m, static_cast<double>(m));
}

void Range(benchmark::State& state, std::size_t m) {
    Validate(state, Tokens(VarName(0) + " TO " + VarName(m - 1)), Dictionary(m), m,
             static_cast<double>(m));
}

void Blocks(benchmark::State& state, std::size_t k, std::size_t m) {
    const refhost::Dictionary& dictionary = Dictionary(m);
    std::string text;
    for (std::size_t b = 0; b < k; ++b) {
        const std::size_t first = 2 * b * (m / (2 * k));
        text += ' ' + VarName(first) + ' ' + VarName(first + 1) + " (Q = 1)";
    }
    const std::vector<TokenInfoObj> tokens = Tokens(text);
    refhost::MessageLog log;
    VarSpecObj warm("VARIABLES", "", "BENCH", &dictionary);
    warm.SetAllowQualifiers(true);
    std::vector<VarSpecObj> warmBlocks;
    warm.ValidateVarBlocksAndQuals(tokens, warmBlocks, {});
    warmBlocks = std::vector<VarSpecObj>();
    for (auto _ : state) {
        VarSpecObj spec("VARIABLES", "", "BENCH", &dictionary);
        spec.SetAllowQualifiers(true);
        std::vector<VarSpecObj> blocks;
        if (!spec.ValidateVarBlocksAndQuals(tokens, blocks, {}) || blocks.size() != k) {
            state.SkipWithError("block validation failed");
            break;
        }
        benchmark::DoNotOptimize(blocks);
    }
    state.counters["units"] = static_cast<double>(k);
}

void Registry(benchmark::State& state, std::size_t n) {
    const refhost::Dictionary& dictionary = Dictionary(n);
    std::vector<TavoVarName> names;
    for (std::size_t i = 0; i < n; ++i) {
        names.emplace_back(VarName(i));
    }
    refhost::MessageLog log;
    {
        ParserValidator warm("BENCH", &dictionary);
        for (const TavoVarName& name : names) {
            warm.ValidateNewVar(name, "VARIABLES", "TABLES");
        }
    }
    for (auto _ : state) {
        ParserValidator registry("BENCH", &dictionary);
        for (std::size_t i = 0; i < n; ++i) {
            if (registry.ValidateNewVar(names[i], "VARIABLES", "TABLES") < 0) {
                state.SkipWithError("registry refused a name");
                break;
            }
        }
        benchmark::DoNotOptimize(registry);
    }
    state.counters["units"] = static_cast<double>(n);
}

void Register(const std::string& name, void (*function)(benchmark::State&, std::size_t),
              std::size_t a) {
    benchmark::RegisterBenchmark(name.c_str(), function, a)->Unit(benchmark::kMillisecond);
}

void Register(const std::string& name,
              void (*function)(benchmark::State&, std::size_t, std::size_t), std::size_t a,
              std::size_t b) {
    benchmark::RegisterBenchmark(name.c_str(), function, a, b)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t sizes[] = {1000, 10000, 100000};
    const std::size_t dictionaries[] = {10000, 100000, 1000000};

    // Grouped by dictionary so that each one is built once.
    for (const std::size_t m : dictionaries) {
        const std::size_t n = m / 10;
        Register("names/" + std::to_string(n) + "/" + std::to_string(m), Names, n, m);
        Register("lookup/" + std::to_string(n) + "/" + std::to_string(m), Lookups, n, m);
        Register("all/" + std::to_string(m), All, m);
        Register("range/" + std::to_string(m), Range, m);
    }
    for (const std::size_t k : sizes) {
        Register("blocks/" + std::to_string(k) + "/1000000", Blocks, k, 1000000);
    }
    for (const std::size_t m : {100000, 1000000}) {  // names/1000/10000 is above
        Register("names/1000/" + std::to_string(m), Names, 1000, m);
    }
    for (const std::size_t n : sizes) {
        Register("registry/" + std::to_string(n), Registry, n);
    }

    const bench::MedianCollector results = bench::RunAll(argc, argv);

    std::printf("\nMedian CPU time per unit (name, variable or block) and its growth\n");
    const auto show = [&](const std::vector<std::string>& names) {
        double first = 0;
        for (const std::string& name : names) {
            const auto* median = results.find(name);
            if (median == nullptr) {
                continue;
            }
            const double perUnit = median->cpuNs / median->counters.at("units");
            if (first == 0) {
                first = perUnit;
            }
            std::printf("%-24s %12.1f ns/unit %8.2f x the smallest\n", name.c_str(), perUnit,
                        perUnit / first);
        }
    };
    show({"names/1000/10000", "names/10000/100000", "names/100000/1000000"});
    show({"lookup/1000/10000", "lookup/10000/100000", "lookup/100000/1000000"});
    show({"names/1000/10000", "names/1000/100000", "names/1000/1000000"});
    show({"all/10000", "all/100000", "all/1000000"});
    show({"range/10000", "range/100000", "range/1000000"});
    show({"blocks/1000/1000000", "blocks/10000/1000000", "blocks/100000/1000000"});
    show({"registry/1000", "registry/10000", "registry/100000"});
    return 0;
}
