#include "uparser/ParamDescriptorWrapper.h"

#include "uparser/ParamDescriptor.h"

ParamDescriptorWrapper::ParamDescriptorWrapper() = default;

ParamDescriptorWrapper::ParamDescriptorWrapper(const ParamDescriptorWrapper& other)
    : mDescriptor(other.mDescriptor ? std::make_unique<ParamDescriptor>(*other.mDescriptor)
                                    : nullptr) {}

ParamDescriptorWrapper::ParamDescriptorWrapper(ParamDescriptorWrapper&& other) noexcept = default;

ParamDescriptorWrapper& ParamDescriptorWrapper::operator=(const ParamDescriptorWrapper& other) {
    if (this != &other) {
        // Copy before releasing: the source may live inside the descriptor held here.
        std::unique_ptr<ParamDescriptor> copy =
            other.mDescriptor ? std::make_unique<ParamDescriptor>(*other.mDescriptor) : nullptr;
        mDescriptor = std::move(copy);
    }
    return *this;
}

ParamDescriptorWrapper& ParamDescriptorWrapper::operator=(ParamDescriptorWrapper&& other) noexcept =
    default;

ParamDescriptorWrapper::~ParamDescriptorWrapper() = default;

void ParamDescriptorWrapper::SetDescriptor(const ParamDescriptor& descriptor) {
    mDescriptor = std::make_unique<ParamDescriptor>(descriptor);
}

void ParamDescriptorWrapper::Clear() {
    mDescriptor.reset();
}

const ParamDescriptor* ParamDescriptorWrapper::GetDescriptor() const {
    return mDescriptor.get();
}
