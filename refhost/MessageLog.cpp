#include "refhost/MessageLog.h"

#include <algorithm>
#include <cstdio>

namespace refhost {

namespace {

// The calling thread's live logs in order of creation; the last one is the innermost. Each
// thread has its own list, so threads that parse side by side never see each other's messages
// and share nothing here.
std::vector<MessageLog*>& liveLogs() {
    thread_local std::vector<MessageLog*> logs;
    return logs;
}

}  // namespace

MessageLog::MessageLog() {
    liveLogs().push_back(this);
}

// Logs usually die innermost first, but any order must leave the others registered.
MessageLog::~MessageLog() {
    std::vector<MessageLog*>& logs = liveLogs();
    const auto self = std::find(logs.rbegin(), logs.rend(), this);
    if (self != logs.rend()) {
        logs.erase(std::next(self).base());
    }
}

const std::vector<Emitted>& MessageLog::messages() const {
    return mMessages;
}

void MessageLog::clear() {
    mMessages.clear();
}

void EmitMessage(int level, int show, const std::string& text) {
    std::vector<MessageLog*>& logs = liveLogs();
    if (!logs.empty()) {
        logs.back()->mMessages.push_back(Emitted{level, show, text});
        return;
    }
    const char* kind = level >= 3 ? "error: " : "warning: ";
    std::fputs(kind, stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace refhost
