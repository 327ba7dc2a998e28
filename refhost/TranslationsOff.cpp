#include "refhost/TranslationsOff.h"

namespace refhost {

namespace {

// Scopes nest, so they are counted rather than flagged.
int& liveScopes() {
    thread_local int count = 0;
    return count;
}

}  // namespace

TranslationsOff::TranslationsOff() {
    ++liveScopes();
}

TranslationsOff::~TranslationsOff() {
    --liveScopes();
}

bool TranslationsAreOff() {
    return liveScopes() > 0;
}

}  // namespace refhost
