#include "BenchSummary.h"

#include <malloc.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace bench {

void MedianCollector::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The median of the repetitions; a run of one repetition stands for itself.
        const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (!isMedian && (run.run_type != Run::RT_Iteration ||
                          mMedians.count(run.run_name.function_name) > 0)) {
            continue;
        }
        Median median;
        const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        median.cpuNs = run.GetAdjustedCPUTime() * toNs;
        median.realNs = run.GetAdjustedRealTime() * toNs;
        for (const auto& counter : run.counters) {
            median.counters[counter.first] = counter.second.value;
        }
        mMedians[run.run_name.function_name] = median;
    }
}

const MedianCollector::Median* MedianCollector::find(const std::string& name) const {
    const auto found = mMedians.find(name);
    return found != mMedians.end() ? &found->second : nullptr;
}

MedianCollector RunAll(int argc, char** argv) {
    // Medians of five repetitions unless the command line says otherwise: this machine is
    // shared, and a single repetition can be off by a lot.
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--retain-heap") == 0) {
            mallopt(M_MMAP_MAX, 0);
            mallopt(M_TRIM_THRESHOLD, INT_MAX);
            std::printf("heap: retained between iterations (no mmap, no trim)\n");
        } else {
            args.push_back(argv[i]);
        }
    }
    static char repetitions[] = "--benchmark_repetitions=5";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    bool hasRepetitions = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        hasRepetitions |= std::strncmp(args[i], "--benchmark_repetitions", 23) == 0;
    }
    if (!hasRepetitions) {
        args.insert(args.begin() + 1, repetitions);
        args.insert(args.begin() + 2, aggregates);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    return collector;
}

}  // namespace bench
