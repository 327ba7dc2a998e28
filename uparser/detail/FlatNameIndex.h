#ifndef UPARSER_DETAIL_FLATNAMEINDEX_H
#define UPARSER_DETAIL_FLATNAMEINDEX_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

// An index from upper-case names to positions in a descriptor's vector, as open addressing
// over slots of 8 bytes that keep their name's hash: no node per name to allocate, chase or
// free, and growing the table never reads a descriptor. Slot is a struct of a std::uint32_t
// `hash` and a std::int32_t `position` (-1: empty); the names stay in the descriptors.
//
// A name's home slot comes from the high bits of its hash, so a table read in slot order meets
// the names in the order of their homes in any other table, larger or smaller. A table far
// larger than the cache would otherwise cost a miss (and a page walk) for every name added:
// one to learn that the name is new, one to write it. From kLargeTable slots on, the same
// vector therefore holds, after the main table:
//   - a filter of the names (two bits in a 32-bit block per name, about 8 bits per name), small
//     enough to stay in the cache: a clear bit means the name is not indexed;
//   - a small table of the names added last, written into the main table all together, in the
//     order of their homes, when it is half full;
//   - one slot whose `hash` counts the names in the small table.
// Look-ups search the small table after the main one, so the index answers the same at every
// moment; nothing is kept beside the vector.
namespace flat_name_index {

constexpr std::size_t kLargeTable = std::size_t{1} << 16;
// 16 KB: every addition writes a random slot of the small table, which at this size stays in
// the nearest caches while the descriptors being added stream past them.
constexpr std::size_t kRecentSlots = std::size_t{1} << 11;

inline std::uint32_t Hash(const std::string& upperName) {
    return static_cast<std::uint32_t>(std::hash<std::string>()(upperName));
}

// The main table's size: the highest bit of `slots` (the parts after the table are smaller).
// Every look-up and addition asks for it.
inline std::size_t TableSize(std::size_t slots) {
    if ((slots & (slots - 1)) == 0) {
        return slots;  // a small table alone, or none
    }
#if defined(__GNUC__)
    constexpr int kTopBit = std::numeric_limits<unsigned long long>::digits - 1;
    return std::size_t{1} << (kTopBit - __builtin_clzll(slots));
#else
    std::size_t table = slots;
    while ((table & (table - 1)) != 0) {
        table &= table - 1;  // clears the lowest bit set, at most three times here
    }
    return table;
#endif
}

inline std::size_t FilterSlots(std::size_t table) {
    return table >= kLargeTable ? table / 16 : 0;
}

// The home of a hash in a table of `table` slots (a power of two, at most 2^32).
inline std::size_t Home(std::uint32_t hash, std::size_t table) {
    return static_cast<std::size_t>((std::uint64_t{hash} * table) >> 32);
}

struct Layout {
    std::size_t table;
    std::size_t filter;  // first filter slot; == recent when there is none
    std::size_t recent;  // first slot of the small table
    std::size_t count;   // the counting slot; == recent when there is none

    bool large() const { return count != recent; }
};

inline Layout LayoutOf(std::size_t slots) {
    const std::size_t table = TableSize(slots);
    const std::size_t filter = FilterSlots(table);
    if (filter == 0) {
        return {table, table, table, table};
    }
    return {table, table, table + filter, table + filter + kRecentSlots};
}

inline std::size_t SlotsFor(std::size_t table) {
    return FilterSlots(table) == 0 ? table : table + FilterSlots(table) + kRecentSlots + 1;
}

struct FilterBits {
    std::size_t block;  // of 32 bits, two per slot
    std::uint32_t bits;
};

inline FilterBits FilterBitsOf(std::uint32_t hash, const Layout& layout) {
    // The block from the high bits, like the home: a table read in slot order sets the filter
    // of its larger successor in block order too. The bits come from the low ones.
    return {Home(hash, 2 * (layout.recent - layout.filter)),
            (std::uint32_t{1} << (hash & 31u)) | (std::uint32_t{1} << ((hash >> 5) & 31u))};
}

template <typename Slot>
void SetFilterBits(std::vector<Slot>& slots, const Layout& layout, std::uint32_t hash) {
    const FilterBits filter = FilterBitsOf(hash, layout);
    Slot& slot = slots[layout.filter + filter.block / 2];
    if (filter.block % 2 == 0) {
        slot.hash |= filter.bits;
    } else {
        slot.position = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot.position) |
                                                  filter.bits);
    }
}

// False only when no indexed name has that hash: a new name is then added without reading
// the main table. True for a small index.
template <typename Slot>
bool MayHold(const std::vector<Slot>& slots, std::uint32_t hash) {
    const Layout layout = LayoutOf(slots.size());
    if (!layout.large()) {
        return true;
    }
    const FilterBits filter = FilterBitsOf(hash, layout);
    const Slot& slot = slots[layout.filter + filter.block / 2];
    const std::uint32_t block =
        filter.block % 2 == 0 ? slot.hash : static_cast<std::uint32_t>(slot.position);
    return (block & filter.bits) == filter.bits;
}

// The position in the table of `size` slots from `first` whose name isNamed accepts among
// those of that hash, or -1. At most three quarters of the slots are taken, so every probe
// ends at an empty one.
template <typename Slot, typename IsNamed>
int FindIn(const std::vector<Slot>& slots, std::size_t first, std::size_t size,
           std::uint32_t hash, const IsNamed& isNamed) {
    const std::size_t mask = size - 1;
    for (std::size_t i = Home(hash, size);; i = (i + 1) & mask) {
        const Slot& slot = slots[first + i];
        if (slot.position < 0) {
            return -1;
        }
        if (slot.hash == hash && isNamed(slot.position)) {
            return slot.position;
        }
    }
}

// The position whose name isNamed accepts among those of that hash, or -1.
template <typename Slot, typename IsNamed>
int Find(const std::vector<Slot>& slots, std::uint32_t hash, IsNamed isNamed) {
    if (slots.empty()) {
        return -1;
    }
    const Layout layout = LayoutOf(slots.size());
    const int found = FindIn(slots, 0, layout.table, hash, isNamed);
    if (found >= 0 || !layout.large()) {
        return found;
    }
    return FindIn(slots, layout.recent, kRecentSlots, hash, isNamed);
}

// Into a free slot of the table of `size` slots from `first`; never allocates.
template <typename Slot>
void InsertIn(std::vector<Slot>& slots, std::size_t first, std::size_t size, const Slot& entry) {
    const std::size_t mask = size - 1;
    std::size_t i = Home(entry.hash, size);
    while (slots[first + i].position >= 0) {
        i = (i + 1) & mask;
    }
    slots[first + i] = entry;
}

// Asks for the cache line of a slot that is about to be written.
inline void PrefetchForWrite(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address, 1);
#else
    static_cast<void>(address);
#endif
}

// The small table's names into the main table, in slot order so that the writes go forward.
// Their homes lie far apart in a table larger than the cache: the home of a name some places
// ahead is fetched while this one is written, so that the misses overlap instead of queueing.
template <typename Slot>
void MergeRecent(std::vector<Slot>& slots, const Layout& layout) {
    constexpr std::size_t kAhead = 32;  // slots of the small table, about half of them taken
    for (std::size_t i = layout.recent; i < layout.count; ++i) {
        if (i + kAhead < layout.count) {
            PrefetchForWrite(&slots[Home(slots[i + kAhead].hash, layout.table)]);
        }
        if (slots[i].position >= 0) {
            InsertIn(slots, 0, layout.table, slots[i]);
            slots[i] = Slot{0, -1};
        }
    }
    slots[layout.count].hash = 0;
}

// Indexes a name that Find does not know; never allocates.
template <typename Slot>
void Add(std::vector<Slot>& slots, std::uint32_t hash, int position) {
    const Layout layout = LayoutOf(slots.size());
    if (!layout.large()) {
        InsertIn(slots, 0, layout.table, Slot{hash, position});
        return;
    }
    SetFilterBits(slots, layout, hash);
    InsertIn(slots, layout.recent, kRecentSlots, Slot{hash, position});
    if (++slots[layout.count].hash == kRecentSlots / 2) {
        MergeRecent(slots, layout);
    }
}

// Room for a name beyond the `names` indexed; may throw, before anything changed.
template <typename Slot>
void Reserve(std::vector<Slot>& slots, std::size_t names) {
    const Layout layout = LayoutOf(slots.size());
    // A small table is filled up to one half and grows twofold, fourfold from a quarter of the
    // large size so that it reaches the large layout in one step. A large table is filled up to
    // three quarters and grows twofold: a probe past the home mostly stays in its cache line of
    // eight slots, while the table, its filter and the writing of each new table (the costs of a
    // table larger than the cache) stay within 1.3 to 2.7 slots per name instead of 2 to 8.
    const std::size_t room = layout.large() ? layout.table / 4 * 3 : layout.table / 2;
    if (names + 1 <= room) {
        return;
    }
    const std::size_t factor = !layout.large() && layout.table >= kLargeTable / 4 ? 4 : 2;
    const std::size_t grown = std::max<std::size_t>(16, factor * layout.table);
    std::vector<Slot> larger(SlotsFor(grown), Slot{0, -1});
    const Layout target = LayoutOf(larger.size());
    std::fill(larger.begin() + static_cast<std::ptrdiff_t>(target.filter),
              larger.begin() + static_cast<std::ptrdiff_t>(target.recent), Slot{0, 0});
    if (target.large()) {
        larger[target.count] = Slot{0, 0};
    }
    // The old main table in slot order, then the small one: in the order of the new homes.
    for (std::size_t i = 0; i < layout.count; ++i) {
        if (i == layout.filter) {
            i = layout.recent;
            if (i == layout.count) {
                break;
            }
        }
        if (slots[i].position >= 0) {
            InsertIn(larger, 0, target.table, slots[i]);
            if (target.large()) {
                SetFilterBits(larger, target, slots[i].hash);
            }
        }
    }
    larger.swap(slots);
}

}  // namespace flat_name_index

#endif
