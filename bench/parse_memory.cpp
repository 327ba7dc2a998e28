// Peak heap of one parse of a million-token command, per token.
//
// Every operator new and delete of the process (the libraries' included) goes through the
// counting functions below (tests/support/RoutedNew.h routes them), which keep the bytes in
// use and their peak. The token stream is made first; the peak is then reset to what is in use,
// the command is parsed once, and the peak minus that starting level is what the parse needed
// at its worst, the CommandSpec it returns included. getrusage's maximum resident size is shown beside it for comparison (it
// also counts the stream and the allocator's slack, and never goes down).
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "BenchCommands.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "tests/support/RoutedNew.h"
#include "uparser/CommandSpec.h"
#include "uparser/UniversalParser.h"

namespace {

std::atomic<long long> gInUse{0};
std::atomic<long long> gPeak{0};

// A header in front of every block remembers its size; 16 bytes keep the alignment of new.
constexpr std::size_t kHeader = 16;

long MaxRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Measure(bench::Shape shape, bool withGrammar) {
    const refhost::TextTokenSequence stream(bench::CommandText(shape, 1000000));
    auto& rewound = const_cast<refhost::TextTokenSequence&>(stream);
    const double tokens = stream.getTokenCount();
    const CommandDescriptor grammar = bench::Grammar(shape);
    refhost::MessageLog log;

    const long rssBefore = MaxRssKiB();
    const long long before = gInUse.load();
    gPeak = before;
    long long retained = 0;
    int code = 0;
    {
        CommandSpec spec;
        if (withGrammar) {
            UniversalParser parser(rewound, spec, grammar);
            code = parser.getCommandSpecifications();
        } else {
            UniversalParser parser(rewound, spec);
            code = parser.getCommandSpecifications();
        }
        retained = gInUse.load() - before;
    }
    const long long peak = gPeak.load() - before;
    const long rssAfter = MaxRssKiB();
    std::printf("%-12s %-9s %8.0f tokens  code %d  peak %7.1f B/token  result %7.1f B/token  "
                "max RSS +%ld KiB (%.1f B/token)\n",
                bench::ShapeName(shape), withGrammar ? "grammar" : "none", tokens, code,
                static_cast<double>(peak) / tokens, static_cast<double>(retained) / tokens,
                rssAfter - rssBefore, 1024.0 * static_cast<double>(rssAfter - rssBefore) / tokens);
}

}  // namespace

void* RoutedAllocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    const long long now = gInUse += static_cast<long long>(size);
    long long peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void RoutedRelease(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    void* block = static_cast<char*>(pointer) - kHeader;
    gInUse -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

int main() {
    std::printf("Heap of one parse of a command of a million tokens (stream excluded)\n");
    Measure(bench::Shape::VarList, true);
    Measure(bench::Shape::SubCommands, true);
    Measure(bench::Shape::Parameters, true);
    Measure(bench::Shape::Parameters, false);
    return 0;
}
