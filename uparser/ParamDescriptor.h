#ifndef UPARSER_PARAMDESCRIPTOR_H
#define UPARSER_PARAMDESCRIPTOR_H

#include <memory>
#include <string>
#include <vector>

#include "uparser/Export.h"
#include "uparser/ParamDescriptorWrapper.h"
#include "uparser/UPSpecTypes.h"

// The grammar of one parameter: keyword, value type, how the value is written and bounded, the
// words it accepts, and nested descriptors for qualifiers and compound value parts. Names are
// stored upper-cased; copies are deep.
class UPARSER_API ParamDescriptor {
  public:
    ParamDescriptor(std::string name = "",
                    UPSpecTypes::ParamSpec type = UPSpecTypes::ParamTokenList,
                    bool paramRequired = false, bool valueRequired = true,
                    UPSpecTypes::BracketOptions bracket = UPSpecTypes::BracketNone);
    ParamDescriptor(const ParamDescriptor& other);
    ParamDescriptor(ParamDescriptor&& other) noexcept;
    ParamDescriptor& operator=(const ParamDescriptor& other);
    ParamDescriptor& operator=(ParamDescriptor&& other) noexcept;
    ~ParamDescriptor();

    void setParamName(const std::string& name);
    const std::string& getParamName() const;
    void setParamType(UPSpecTypes::ParamSpec type);
    UPSpecTypes::ParamSpec getParamType() const;
    void setParamRequired(bool required);
    bool isParamRequired() const;
    void setValueRequired(bool required);
    bool isValueRequired() const;
    void setBlockOption(UPSpecTypes::BlockOptions option);
    UPSpecTypes::BlockOptions getBlockOption() const;
    void setBracketOption(UPSpecTypes::BracketOptions option);
    UPSpecTypes::BracketOptions getBracketOption() const;
    void allowSlash(bool allowed);
    bool isSlashAllowed() const;

    void setLowerBoundary(double value, UPSpecTypes::LowerBdryOptions option);
    double getLowerBdryValue() const;
    UPSpecTypes::LowerBdryOptions getLowerBdryOption() const;
    void setUpperBoundary(double value, UPSpecTypes::UpperBdryOptions option);
    double getUpperBdryValue() const;
    UPSpecTypes::UpperBdryOptions getUpperBdryOption() const;
    // Both active bounds hold; a NaN fails every active bound.
    bool meetBdryCond(double value) const;

    // Accepted words; none means any word.
    void addStringValue(const std::string& word);
    const std::vector<std::string>& getStringValues() const;
    bool possibleStringValue(const std::string& word) const;

    void setQualifOption(UPSpecTypes::QualifOptions option);
    UPSpecTypes::QualifOptions getQualifOption() const;
    // Adds the qualifier, or replaces the one of the same name in its first position.
    void addQualifDesc(const ParamDescriptor& qualifier);
    void addQualifDesc(const std::string& name);
    const ParamDescriptor* getQualifDesc(const std::string& name) const;
    int getQualifNames(std::vector<std::string>& names) const;
    // Whether the word before an "=" is a qualifier of this parameter's value.
    bool isQualByEqual(const std::string& name) const;
    // The same for a token's text: no string is built for a parameter without qualifiers.
    bool isQualByEqual(const char* name) const;

    // Compound values: store deep copies; null empties the slot.
    void setMainDesc(const ParamDescriptor* main);
    void setQualifDesc(const ParamDescriptor* qualif);
    void setMainQualDesc(const ParamDescriptor* main, const ParamDescriptor* qualif);
    const ParamDescriptor* getMainDesc() const;
    const ParamDescriptor* getQualifDesc() const;

  private:
    // Nested descriptors are copied, destroyed and searched with a list of the ones still to
    // visit, not by recursion: a grammar may nest them deeper than the stack would allow.
    struct ShallowCopy {};
    // Every member but the nested descriptors, whose slots stay empty.
    ParamDescriptor(const ParamDescriptor& other, ShallowCopy);
    void copyNested(const ParamDescriptor& source);
    bool isQualByEqualUpper(const std::string& upperName) const;

    // What few parameters have: bounds, accepted words, qualifiers and compound parts. Null
    // until one is set, so that a plain descriptor stays small: a large grammar is written
    // and read through the cache a descriptor at a time.
    struct Rare;
    Rare& rare();
    static bool hasNested(const Rare* rare);

    std::string mParamName;
    std::unique_ptr<Rare> mRare;
    UPSpecTypes::ParamSpec mParamType;
    UPSpecTypes::BlockOptions mBlockOption;
    UPSpecTypes::BracketOptions mBracketOption;
    UPSpecTypes::QualifOptions mQualifOption;
    bool mParamRequired;
    bool mValueRequired;
    bool mSlashAllowed;
};

#endif
