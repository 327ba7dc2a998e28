#ifndef UPARSER_DETAIL_ASSERT_H
#define UPARSER_DETAIL_ASSERT_H

#include <cstdio>
#include <cstdlib>

// Broken preconditions of the calling code (never bad command text): name the unit and the
// condition, then stop. These stay fatal in every build, so a broken call never runs on into
// undefined behaviour.
#define UP_ASSERT(unit, condition)                                                        \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s: assertion failed: %s (%s:%d)\n", unit, #condition,  \
                         __FILE__, __LINE__);                                             \
            std::abort();                                                                 \
        }                                                                                 \
    } while (false)

#endif
