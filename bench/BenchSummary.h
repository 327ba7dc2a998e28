#ifndef BENCH_BENCHSUMMARY_H
#define BENCH_BENCHSUMMARY_H

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

// The console report, and beside it the median CPU time of every benchmark (in nanoseconds
// per iteration) with its counters, for the summary a program prints after the run.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    struct Median {
        double cpuNs = 0;
        double realNs = 0;
        std::map<std::string, double> counters;
    };

    // Plain columns: the output usually goes to a file or a log.
    MedianCollector() : benchmark::ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    // Keyed by the name the benchmark was registered under.
    const std::map<std::string, Median>& medians() const { return mMedians; }
    const Median* find(const std::string& name) const;

  private:
    std::map<std::string, Median> mMedians;
};

// Runs every registered benchmark with the command line's options, five repetitions by
// default, and returns the medians.
//
// --retain-heap (our own option) keeps freed memory in the process (no mmap'd blocks, no
// trimming), as a long-running host's heap does once it has served a large command. Without
// it, glibc hands every block above 32 MB back to the system when it is freed, so a
// million-token parse touches its result memory afresh on every iteration, and on this
// virtual machine a first touch costs about 20 us per 4 KiB page: such figures measure the
// machine's page faults more than the parser.
MedianCollector RunAll(int argc, char** argv);

}  // namespace bench

#endif
