// The cost of one diagnostic: choosing the text, adding the context, looking it up in the
// string table, substituting the arguments and handing it to the error service, which here is
// a refhost::MessageLog (cleared every 1024 messages, so that the log stays small).
#include <benchmark/benchmark.h>

#include "BenchSummary.h"
#include "refhost/MessageLog.h"
#include "refhost/Translations.h"
#include "uparser/ParserMessage.h"

namespace {

template <typename Emit>
void Emitting(benchmark::State& state, const ParserMessage& message, const Emit& emit) {
    refhost::MessageLog log;
    std::size_t count = 0;
    for (auto _ : state) {
        emit(message);
        if (++count % 1024 == 0) {
            log.clear();
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

ParserMessage Command() {
    ParserMessage message;
    message.SetCommandName("COUNTVALUES");
    message.SetProcedureTitle("CountValues");
    return message;
}

void NoArguments(benchmark::State& state) {
    Emitting(state, Command(), [](const ParserMessage& m) { m.CommandEmpty(); });
}

void ThreeArguments(benchmark::State& state) {
    Emitting(state, Command(), [](const ParserMessage& m) {
        m.VariableNotInDict(TavoVarName("income"), "VARIABLES", "TABLES");
    });
}

void InGroup(benchmark::State& state) {
    ParserMessage message = Command();
    message.SetGroupIndex(2);
    message.SetGroupMsgText("In design ^1:");
    message.SetGroupSepName("MODELS");
    Emitting(state, message,
             [](const ParserMessage& m) { m.WrongValueType("CUT", "SETTINGS"); });
}

void Translated(benchmark::State& state) {
    refhost::SetTranslation("CountValues", "Variable ^1 for parameter ^2 is not found in dictionary...",
                            "La variable ^1 du paramètre ^2 manque au dictionnaire...");
    Emitting(state, Command(), [](const ParserMessage& m) {
        m.VariableNotInDict(TavoVarName("income"), "VARIABLES", "TABLES");
    });
    refhost::ClearTranslations();
}

// The messages of a validating object are made once per list: the cost of a fresh one.
void Construct(benchmark::State& state) {
    for (auto _ : state) {
        ParserMessage message = Command();
        benchmark::DoNotOptimize(message);
    }
}

}  // namespace

BENCHMARK(NoArguments);
BENCHMARK(ThreeArguments);
BENCHMARK(InGroup);
BENCHMARK(Translated);
BENCHMARK(Construct);

int main(int argc, char** argv) {
    bench::RunAll(argc, argv);
    return 0;
}
