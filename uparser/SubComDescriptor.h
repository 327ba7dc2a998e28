#ifndef UPARSER_SUBCOMDESCRIPTOR_H
#define UPARSER_SUBCOMDESCRIPTOR_H

#include <cstdint>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/detail/BlockList.h"

// The grammar of one subcommand: its name (upper-cased), how its parameters are written, the
// parameters themselves and the descriptor of its own (export) value.
class UPARSER_API SubComDescriptor {
  public:
    SubComDescriptor(std::string name = "",
                     UPSpecTypes::SubComSpec type = UPSpecTypes::SubComByEqual,
                     bool required = false, bool repeatable = false);

    void setSubComName(const std::string& name);
    const std::string& getSubComName() const;
    // Also resets the export value's type: a token list for an arbitrary subcommand, none
    // otherwise.
    void setSubComType(UPSpecTypes::SubComSpec type);
    UPSpecTypes::SubComSpec getSubComType() const;
    void setSubComRequired(bool required);
    bool isSubComRequired() const;
    void setSubComRepeatable(bool repeatable);
    bool isSubComRepeatable() const;
    void allowSubComEmpty(bool allowed);
    bool isEmptyAllowed() const;

    bool isSubComArbitrary() const;
    bool areParamByEqual() const;
    bool areParamByParen() const;
    bool areParamByBlock() const;
    bool hasParameters() const;

    // Adds the parameter, or replaces the one of the same name in place. Brackets only count in
    // by-equal subcommands, and a parenthesised value never takes "/".
    void addParamDesc(const ParamDescriptor& param);
    void addParamDesc(ParamDescriptor&& param);
    void addParamDesc(const std::string& name, UPSpecTypes::ParamSpec type, bool paramRequired,
                      bool valueRequired, UPSpecTypes::BracketOptions bracket);
    // 0 when the kind has no parameters.
    int getParamDescListSize() const;
    // Whether some parameter is a keyword or takes its value optionally: only the name of such
    // a parameter, met inside another parameter's value, lets a new parameter start there.
    bool hasOptionalValueParams() const;
    // How many parameters are required: a finished subcommand's check of them can stop after
    // the last one instead of reading every descriptor.
    int getRequiredParamCount() const;
    // Searches whatever the kind; -1 when absent.
    int getParamDescIndex(const std::string& name) const;
    bool containParamDesc(const std::string& name) const;
    // Null when out of range or when the kind has no parameters.
    const ParamDescriptor* getParamDesc(int index) const;
    const ParamDescriptor* getParamDesc(const std::string& name) const;

    void setExportParamDesc(UPSpecTypes::ParamSpec type, bool required);
    // Stored nameless, with a required value and no brackets.
    void setExportParamDesc(const ParamDescriptor& param);
    // Always present for an arbitrary subcommand; otherwise null until a type is declared.
    const ParamDescriptor* getExportParamDesc() const;

  private:
    std::string mSubComName;
    UPSpecTypes::SubComSpec mSubComType;
    bool mSubComRequired;
    bool mSubComRepeatable;
    bool mEmptyAllowed;
    // Never moved once written: a large grammar's descriptors are not copied as it grows.
    // Blocks of 512 (some 32 KB) stay below the size from which the allocator maps each block
    // afresh from the system.
    block_list::BlockList<ParamDescriptor> mParamDescs;
    // Upper-case name -> position in mParamDescs. The parser looks a name up for every
    // parameter of a command, so a subcommand with many parameters must not be searched in
    // turn. Open addressing over slots of 8 bytes that keep their name's hash.
    struct IndexSlot {
        std::uint32_t hash;
        std::int32_t position;  // -1: empty
    };
    std::vector<IndexSlot> mParamIndex;
    int findParam(const std::string& upperName, std::uint32_t hash) const;
    // How many of mParamDescs hasOptionalValueParams counts: the parser then looks up the
    // words of a value only where a name could end it.
    int mOptionalValueParams = 0;
    int mRequiredParams = 0;
    ParamDescriptor mExportParamDesc;
};

#endif
