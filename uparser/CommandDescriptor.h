#ifndef UPARSER_COMMANDDESCRIPTOR_H
#define UPARSER_COMMANDDESCRIPTOR_H

#include <map>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/GroupComDescriptor.h"
#include "uparser/SubComDescriptor.h"

// The root of a command's grammar: command name and procedure title (both as given), the
// subcommand groups, which of them is the global one, and which group each separator opens.
// A grammar that is not changed may be shared by parsers on any number of threads: parsing
// only reads it. Running out of memory while building one throws std::bad_alloc.
class UPARSER_API CommandDescriptor {
  public:
    CommandDescriptor();
    CommandDescriptor(const std::string& name);
    CommandDescriptor(const std::string& name, const std::string& title);

    const std::string& getCommandName() const;
    const std::string& getProcedureTitle() const;
    void setSubComArbitrary(bool arbitrary);
    bool areSubComArbitrary() const;
    // A descriptor without a command name carries no grammar.
    bool hasSettingInfo() const;

    // Appends a copy; a global group becomes the global one, and its separators now open it.
    // The rvalue forms of this and addSubComDesc take the descriptor over instead of copying
    // it, which matters for a subcommand of many parameters.
    void addGroupDesc(const GroupComDescriptor& group);
    void addGroupDesc(GroupComDescriptor&& group);
    // Adds to the global group, created on demand; ignored once separated groups exist.
    void addSubComDesc(const SubComDescriptor& subCom);
    void addSubComDesc(SubComDescriptor&& subCom);
    bool setOnlyGlobalGroup();
    bool groupIsOnlyGlobal() const;

    int getGroupDescListSize() const;
    int getGroupSepMapSize() const;
    const GroupComDescriptor* getGroupDesc(int index) const;
    const GroupComDescriptor* getGlobalGroupDesc() const;
    // The group that the separator opens; the global group for an empty name; -1 otherwise.
    int getGroupDescIndex(const std::string& name) const;
    const GroupComDescriptor* getGroupDesc(const std::string& name) const;
    bool isGroupSeparator(const std::string& name) const;
    // In how many groups a subcommand of that name occurs.
    int getSubComDescMult(const std::string& name) const;
    // Only for a command that is the global group alone; null otherwise.
    const SubComDescriptor* getSubComDesc(const std::string& name) const;

  private:
    std::string mCommandName;
    std::string mProcedureTitle;
    bool mSubComArbitrary;
    std::vector<GroupComDescriptor> mGroupDescs;
    int mGlobalGroupIndex;
    std::map<std::string, int> mGroupSepMap;
};

#endif
