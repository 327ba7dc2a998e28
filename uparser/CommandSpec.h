#ifndef UPARSER_COMMANDSPEC_H
#define UPARSER_COMMANDSPEC_H

#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/GroupComObj.h"
#include "uparser/SubComObj.h"

// The parse of one command: its name and its subcommand groups in written order. After a
// failed parse it ends with the group, subcommand and parameter that failed.
class UPARSER_API CommandSpec {
  public:
    CommandSpec();
    CommandSpec(const CommandSpec& other);
    CommandSpec(CommandSpec&& other) noexcept;
    CommandSpec& operator=(const CommandSpec& other);
    CommandSpec& operator=(CommandSpec&& other) noexcept;
    ~CommandSpec();

    void setCommandName(const std::string& name);
    const std::string& getCommandName() const;

    void addGroupObj(const GroupComObj& group);
    void addGroupObj(GroupComObj&& group);
    unsigned int getGroupListSize() const;
    bool isValidGroupIndex(unsigned int index) const;
    const GroupComObj* getGroupObj(unsigned int index) const;
    // The first group when it is global; null otherwise.
    const GroupComObj* getGlobalGroupObj() const;
    // The groups opened by that separator (the name of their first subcommand), in order;
    // found is emptied first.
    unsigned int getGroupObj(std::vector<const GroupComObj*>& found, const std::string& name) const;
    // The groups opened by any of the names, each once, in group order.
    unsigned int getGroupObj(std::vector<const GroupComObj*>& found,
                             const std::vector<std::string>& names) const;

    // Shortcuts for a command without separated groups: they answer from the only group when
    // it is global, and otherwise give 0 or null (leaving found untouched).
    unsigned int getSubComListSize() const;
    const SubComObj* getSubComObj(unsigned int index) const;
    const SubComObj* getSubComObj(const std::string& name) const;
    unsigned int getSubComObj(std::vector<const SubComObj*>& found, const std::string& name) const;

  private:
    // The only group, when the command holds exactly one and it is global.
    const GroupComObj* onlyGlobalGroup() const;

    std::string mCommandName;
    std::vector<GroupComObj> mGroupList;
};

#endif
