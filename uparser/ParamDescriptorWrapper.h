#ifndef UPARSER_PARAMDESCRIPTORWRAPPER_H
#define UPARSER_PARAMDESCRIPTORWRAPPER_H

#include <memory>

#include "uparser/Export.h"

class ParamDescriptor;

// Owns at most one ParamDescriptor, so that a descriptor can hold descriptors of its own kind.
// Copies are deep.
class UPARSER_API ParamDescriptorWrapper {
  public:
    ParamDescriptorWrapper();
    ParamDescriptorWrapper(const ParamDescriptorWrapper& other);
    ParamDescriptorWrapper(ParamDescriptorWrapper&& other) noexcept;
    ParamDescriptorWrapper& operator=(const ParamDescriptorWrapper& other);
    ParamDescriptorWrapper& operator=(ParamDescriptorWrapper&& other) noexcept;
    ~ParamDescriptorWrapper();

    // Holds a deep copy of descriptor, which may itself lie inside the held one.
    void SetDescriptor(const ParamDescriptor& descriptor);
    void Clear();
    const ParamDescriptor* GetDescriptor() const;

  private:
    // Copies and destroys nested descriptors without recursion.
    friend class ParamDescriptor;

    std::unique_ptr<ParamDescriptor> mDescriptor;
};

#endif
