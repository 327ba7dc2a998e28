#ifndef UPARSER_DETAIL_FLATNAMEINDEX_H
#define UPARSER_DETAIL_FLATNAMEINDEX_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// An index from upper-case names to positions in a descriptor's vector, as open addressing
// over slots of 8 bytes that keep their name's hash: no node per name to allocate, chase or
// free, and growing the table never reads a descriptor. Slot is a struct of a std::uint32_t
// `hash` and a std::int32_t `position` (-1: empty); the names stay in the descriptors.
namespace flat_name_index {

inline std::uint32_t Hash(const std::string& upperName) {
    return static_cast<std::uint32_t>(std::hash<std::string>()(upperName));
}

// The position whose name isNamed accepts among those of that hash, or -1.
template <typename Slot, typename IsNamed>
int Find(const std::vector<Slot>& slots, std::uint32_t hash, IsNamed isNamed) {
    if (slots.empty()) {
        return -1;
    }
    // At most half the slots are taken, so every probe ends at an empty one.
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.position < 0) {
            return -1;
        }
        if (slot.hash == hash && isNamed(slot.position)) {
            return slot.position;
        }
    }
}

// Into a free slot; never allocates.
template <typename Slot>
void Insert(std::vector<Slot>& slots, std::uint32_t hash, int position) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = hash & mask;
    while (slots[i].position >= 0) {
        i = (i + 1) & mask;
    }
    slots[i] = Slot{hash, position};
}

// Room for a name beyond the `names` indexed; may throw, before anything changed.
template <typename Slot>
void Reserve(std::vector<Slot>& slots, std::size_t names) {
    if (2 * (names + 1) <= slots.size()) {
        return;
    }
    std::vector<Slot> previous(std::max<std::size_t>(16, 2 * slots.size()), Slot{0, -1});
    previous.swap(slots);  // the index is now the larger, empty table
    for (const Slot& slot : previous) {
        if (slot.position >= 0) {
            Insert(slots, slot.hash, slot.position);
        }
    }
}

}  // namespace flat_name_index

#endif
