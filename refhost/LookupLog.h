#ifndef REFHOST_LOOKUPLOG_H
#define REFHOST_LOOKUPLOG_H

#include <string>
#include <vector>

namespace refhost {

// One question put to the string table or the output service (LookUpTranslation).
struct LookedUp {
    std::string procedure;
    std::string english;
    bool found;
};

// Records what the string table and the output service are asked on its thread while it
// lives: which texts a run needs, and which of them the loaded catalog lacks. Logs nest: the
// innermost live log of the thread records, the ones around it see nothing.
class LookupLog {
  public:
    LookupLog();
    ~LookupLog();
    LookupLog(const LookupLog&) = delete;
    LookupLog& operator=(const LookupLog&) = delete;

    const std::vector<LookedUp>& lookups() const { return mLookups; }
    void clear() { mLookups.clear(); }

  private:
    friend void RecordLookup(const std::string& procedure, const std::string& english, bool found);
    LookupLog* mOuter;  // the log this one nests in, or null
    std::vector<LookedUp> mLookups;
};

// Hands one lookup to the innermost live log of this thread, if there is one; copies nothing
// when there is none.
void RecordLookup(const std::string& procedure, const std::string& english, bool found);

}  // namespace refhost

#endif
