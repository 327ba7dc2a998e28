#ifndef TESTS_SUPPORT_ROUTEDNEW_H
#define TESTS_SUPPORT_ROUTEDNEW_H

// Replaces the global allocation functions of a whole program, the libraries' calls included,
// routing every one to two functions that the program defines:
//   void* RoutedAllocate(std::size_t size);   // a block, or throws std::bad_alloc
//   void RoutedRelease(void* block) noexcept;  // null is allowed
// Include this header in exactly one source file of the program.
#include <cstddef>
#include <new>

void* RoutedAllocate(std::size_t size);
void RoutedRelease(void* block) noexcept;

void* operator new(std::size_t size) {
    return RoutedAllocate(size);
}
void* operator new[](std::size_t size) {
    return RoutedAllocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return RoutedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return RoutedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    RoutedRelease(block);
}
void operator delete[](void* block) noexcept {
    RoutedRelease(block);
}
void operator delete(void* block, std::size_t) noexcept {
    RoutedRelease(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    RoutedRelease(block);
}

#endif
