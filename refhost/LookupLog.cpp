#include "refhost/LookupLog.h"

#include <atomic>

namespace refhost {

namespace {

// The innermost live log of this thread; each log links to the one it nests in.
thread_local LookupLog* gInnermost = nullptr;

// Live logs on all threads: while there are none, a lookup does not touch thread-local
// storage, which costs a call in a shared library.
std::atomic<int> gLiveLogs{0};

}  // namespace

LookupLog::LookupLog() : mOuter(gInnermost) {
    gInnermost = this;
    ++gLiveLogs;
}

// Logs usually end innermost first; one that ends early is unlinked from the chain.
LookupLog::~LookupLog() {
    --gLiveLogs;
    if (gInnermost == this) {
        gInnermost = mOuter;
        return;
    }
    for (LookupLog* log = gInnermost; log != nullptr; log = log->mOuter) {
        if (log->mOuter == this) {
            log->mOuter = mOuter;
            return;
        }
    }
}

void RecordLookup(const std::string& procedure, const std::string& english, bool found) {
    if (gLiveLogs.load(std::memory_order_relaxed) != 0 && gInnermost != nullptr) {
        gInnermost->mLookups.push_back(LookedUp{procedure, english, found});
    }
}

}  // namespace refhost
