#ifndef UPARSER_GROUPCOMOBJ_H
#define UPARSER_GROUPCOMOBJ_H

#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/SubComObj.h"
#include "uparser/detail/BlockList.h"

// One parsed subcommand group: its subcommands in written order. A group is known by the name
// of its first subcommand, the separator that opened it.
class UPARSER_API GroupComObj {
  public:
    GroupComObj();
    explicit GroupComObj(const std::vector<SubComObj>& subComs);
    explicit GroupComObj(const SubComObj& subCom);
    GroupComObj(const GroupComObj& other);
    GroupComObj(GroupComObj&& other) noexcept;
    GroupComObj& operator=(const GroupComObj& other);
    GroupComObj& operator=(GroupComObj&& other) noexcept;
    // Inline: a plain list is released without a call per subcommand.
    ~GroupComObj() {
        if (mPlainSubComs && mSubComList.size() > 1) {
            mSubComList.pop_back();
            mSubComList.releaseUndestroyed();
        }
    }

    // The command's global group: not opened by a separator.
    void setGroupGlobal();
    void unsetGroupGlobal();
    bool isGroupGlobal() const;

    void addSubComObj(const SubComObj& subCom);
    void addSubComObj(SubComObj&& subCom);
    unsigned int getSubComListSize() const;
    bool isValidSubComIndex(unsigned int index) const;
    const SubComObj* getSubComObj(unsigned int index) const;
    // The first subcommand of that name, compared ignoring case.
    const SubComObj* getSubComObj(const std::string& name) const;
    // Every occurrence of a (repeatable) subcommand, in written order; found is emptied first.
    unsigned int getSubComObj(std::vector<const SubComObj*>& found, const std::string& name) const;

  private:
    // The parser builds each subcommand where it will stay, rather than moving a finished one
    // of some 450 bytes into the list.
    friend class UniversalParser;
    SubComObj& emplaceSubComObj(const std::string& name);
    void judgeLastSubCom();

    // A long list is never moved whole as it grows. Blocks of 128 subcommands (some 56 KB)
    // stay below the size from which the allocator maps each block afresh from the system.
    block_list::BlockList<SubComObj, 7> mSubComList;
    bool mGroupGlobal = false;
    // Whether every subcommand but the last frees nothing when destroyed: a long run of
    // repeated subcommands is then released without visiting each. The last may still be
    // being filled, so it is judged only once another follows it, and always destroyed.
    bool mPlainSubComs = true;
};

#endif
