#ifndef FUZZ_FUZZCHECK_H
#define FUZZ_FUZZCHECK_H

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one stops the run like a crash, so the fuzzer
// saves the input.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__,  \
                         __LINE__);                                                        \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

#endif
