#include "refhost/TranslationsOff.h"

#include <atomic>

namespace refhost {

namespace {

// Scopes nest, so they are counted rather than flagged: on this thread, and on all threads,
// so that a lookup while none lives does not touch thread-local storage.
thread_local int tScopes = 0;
std::atomic<int> gScopes{0};

}  // namespace

TranslationsOff::TranslationsOff() {
    ++tScopes;
    ++gScopes;
}

TranslationsOff::~TranslationsOff() {
    --tScopes;
    --gScopes;
}

bool TranslationsAreOff() {
    return gScopes.load(std::memory_order_relaxed) != 0 && tScopes > 0;
}

}  // namespace refhost
