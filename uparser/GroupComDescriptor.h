#ifndef UPARSER_GROUPCOMDESCRIPTOR_H
#define UPARSER_GROUPCOMDESCRIPTOR_H

#include <cstdint>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/UPSpecTypes.h"

// The grammar of one group of subcommands: its kind, its subcommands, the ones that open it
// (separators) and the text diagnostics show while it is parsed.
class UPARSER_API GroupComDescriptor {
  public:
    GroupComDescriptor();
    // Required unless it is the global group.
    GroupComDescriptor(UPSpecTypes::GroupSpec type);
    GroupComDescriptor(UPSpecTypes::GroupSpec type, bool required);

    void setGroupType(UPSpecTypes::GroupSpec type);
    UPSpecTypes::GroupSpec getGroupType() const;
    void setGroupRequired(bool required);
    // The flag; a global group without it is required when one of its subcommands is.
    bool isGroupRequired() const;
    // Null stores ""; the getter answers null for an empty text.
    void setMessageText(const char* text);
    const char* getMessageText() const;

    // Adds the subcommand or replaces the one of the same name in place, and keeps the
    // separator list in step with isSeparator.
    void addSubComDesc(const SubComDescriptor& subCom, bool isSeparator);
    // The same, taking the descriptor over: a large subcommand is not copied.
    void addSubComDesc(SubComDescriptor&& subCom, bool isSeparator);
    int getSubComDescListSize() const;
    int getGroupSepListSize() const;
    int getSubComDescIndex(const std::string& name) const;
    bool containSubComDesc(const std::string& name) const;
    const SubComDescriptor* getSubComDesc(int index) const;
    const SubComDescriptor* getSubComDesc(const std::string& name) const;
    int getGroupSepIndex(const std::string& name) const;
    bool isGroupSeparator(const std::string& name) const;
    const char* getGroupSepName(int index) const;
    const std::vector<std::string>& getGroupSepNameList() const;

  private:
    // The command looks an upper-cased name up in every group without upper-casing it again.
    friend class CommandDescriptor;
    int findSubCom(const std::string& upperName) const;
    int findSeparator(const std::string& upperName) const;

    UPSpecTypes::GroupSpec mGroupType;
    bool mGroupRequired;
    std::vector<SubComDescriptor> mSubComDescs;
    // Upper-case name -> position in mSubComDescs: adding n subcommands, and finding the one a
    // command names, must not search the group in turn. Open addressing over slots of 8 bytes
    // that keep their name's hash, as a subcommand indexes its parameters.
    struct IndexSlot {
        std::uint32_t hash;
        std::int32_t position;  // -1: empty
    };
    std::vector<IndexSlot> mSubComIndex;
    std::vector<std::string> mGroupSepNameList;
    std::string mMessageText;
};

#endif
