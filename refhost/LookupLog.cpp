#include "refhost/LookupLog.h"

namespace refhost {

namespace {

// The innermost live log of this thread; each log links to the one it nests in.
thread_local LookupLog* gInnermost = nullptr;

}  // namespace

LookupLog::LookupLog() : mOuter(gInnermost) {
    gInnermost = this;
}

// Logs usually end innermost first; one that ends early is unlinked from the chain.
LookupLog::~LookupLog() {
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
    if (gInnermost != nullptr) {
        gInnermost->mLookups.push_back(LookedUp{procedure, english, found});
    }
}

}  // namespace refhost
