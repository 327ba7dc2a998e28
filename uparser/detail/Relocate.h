#ifndef UPARSER_DETAIL_RELOCATE_H
#define UPARSER_DETAIL_RELOCATE_H

#include <new>
#include <utility>

namespace uparser_detail {

namespace relocation {

// Carries an element to raw storage, after which `from` is storage to free and not to destroy:
// how the library's lists regrow. A type whose bytes are all it is may declare a hidden friend
// RelocateTo(T&, void*) that copies them without writing the old object, as regrowth needs no
// more. Callers say `using relocation::RelocateTo;` and call it unqualified.
template <typename T>
void RelocateTo(T& from, void* to) noexcept {
    new (to) T(std::move(from));
    from.~T();
}

}  // namespace relocation

}  // namespace uparser_detail

#endif
