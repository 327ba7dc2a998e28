#include "AllocationCounter.h"

#include <cstddef>

// Declared weak: present in a sanitizer build, absent (null) in a plain one.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onAllocate)(const volatile void*,
                                                                            std::size_t),
                                                         void (*onFree)(const volatile void*))
    __attribute__((weak));

namespace fuzzsupport {

namespace {

long gAllocations = 0;
long gBytes = 0;

void OnAllocate(const volatile void*, std::size_t size) {
    ++gAllocations;
    gBytes += static_cast<long>(size);
}

void OnFree(const volatile void*) {}

bool Install() {
    return __sanitizer_install_malloc_and_free_hooks != nullptr &&
           __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
}

}  // namespace

bool AllocationCounter::available() {
    static const bool installed = Install();
    return installed;
}

AllocationCounter::AllocationCounter() : mStart((available(), gAllocations)), mStartBytes(gBytes) {}

long AllocationCounter::count() const {
    return gAllocations - mStart;
}

long AllocationCounter::bytes() const {
    return gBytes - mStartBytes;
}

}  // namespace fuzzsupport
