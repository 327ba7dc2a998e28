#include "refhost/LookupLog.h"

#include <algorithm>
#include <iterator>

namespace refhost {

namespace {

// Live logs of this thread in order of creation; the last one is the innermost.
std::vector<LookupLog*>& liveLogs() {
    thread_local std::vector<LookupLog*> logs;
    return logs;
}

}  // namespace

LookupLog::LookupLog() {
    liveLogs().push_back(this);
}

LookupLog::~LookupLog() {
    std::vector<LookupLog*>& logs = liveLogs();
    const auto self = std::find(logs.rbegin(), logs.rend(), this);
    if (self != logs.rend()) {
        logs.erase(std::next(self).base());
    }
}

const std::vector<LookedUp>& LookupLog::lookups() const {
    return mLookups;
}

void LookupLog::clear() {
    mLookups.clear();
}

void RecordLookup(const std::string& procedure, const std::string& english, bool found) {
    std::vector<LookupLog*>& logs = liveLogs();
    if (!logs.empty()) {
        logs.back()->mLookups.push_back(LookedUp{procedure, english, found});
    }
}

}  // namespace refhost
