#ifndef REFHOST_MESSAGELOG_H
#define REFHOST_MESSAGELOG_H

#include <string>
#include <vector>

namespace refhost {

// One message handed to the error service.
struct Emitted {
    int level;  // 3 error, 2 warning
    int show;
    std::string text;
};

// Captures what the error service emits on the thread that created the log, while the object
// lives. Logs nest per thread: the innermost (most recently created) live log of the emitting
// thread records; the ones around it, and the logs of other threads, see nothing. A log is
// created, read and destroyed on one thread.
class MessageLog {
  public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<Emitted>& messages() const;
    void clear();

  private:
    friend void EmitMessage(int level, int show, const std::string& text);
    std::vector<Emitted> mMessages;
};

// The error service's sink: the calling thread's innermost live MessageLog, or else standard
// error as "error: TEXT" (level 3 and above) or "warning: TEXT" (below).
void EmitMessage(int level, int show, const std::string& text);

}  // namespace refhost

#endif
