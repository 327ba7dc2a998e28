#include <cstddef>
#include <cstdint>
#include <vector>

#include "uparser/VarSpecObj.h"

namespace {

constexpr std::size_t kFirstCapacity = 8;  // a power of two
constexpr unsigned kFirstShift = 32 - 3;

// Fibonacci hashing: consecutive indices (ranges, ALL) spread over the whole table.
std::size_t SlotOf(int index, unsigned shift) {
    return static_cast<std::size_t>((static_cast<uint32_t>(index) * 2654435769u) >> shift);
}

}  // namespace

namespace {

// Probes from the index's home slot: true with slot on the index, or false with slot on the
// free slot where it would go. The table is never full.
bool Probe(const std::vector<int>& slots, unsigned shift, int index, std::size_t& slot) {
    const std::size_t mask = slots.size() - 1;
    for (slot = SlotOf(index, shift);; slot = (slot + 1) & mask) {
        if (slots[slot] == index) {
            return true;
        }
        if (slots[slot] < 0) {
            return false;
        }
    }
}

}  // namespace

bool VarSpecObj::FlagSet::sparseFind(int index, std::size_t& slot) const {
    return Probe(mSlots, mShift, index, slot);
}

bool VarSpecObj::FlagSet::test(int index) const {
    if (index < 0) {
        return false;
    }
    if (!mBits.empty()) {
        const std::size_t word = static_cast<std::size_t>(index) / 64;
        return word < mBits.size() && ((mBits[word] >> (index % 64)) & 1u) != 0;
    }
    std::size_t slot = 0;
    return !mSlots.empty() && sparseFind(index, slot);
}

// The new table is complete before it replaces the old one, so running out of memory here
// leaves the set as it was.
void VarSpecObj::FlagSet::sparseGrow() {
    const std::size_t capacity = mSlots.empty() ? kFirstCapacity : mSlots.size() * 2;
    const unsigned shift = mSlots.empty() ? kFirstShift : mShift - 1;
    std::vector<int> grown(capacity, -1);
    for (const int index : mSlots) {
        if (index >= 0) {
            std::size_t slot = 0;
            Probe(grown, shift, index, slot);
            grown[slot] = index;
        }
    }
    mSlots.swap(grown);
    mShift = shift;
}

void VarSpecObj::FlagSet::makeDense() {
    std::vector<uint64_t> bits((static_cast<std::size_t>(mColumns) + 63) / 64 + 1, 0);
    for (const int index : mSlots) {
        if (index >= 0) {
            bits[static_cast<std::size_t>(index) / 64] |= uint64_t{1} << (index % 64);
        }
    }
    mBits.swap(bits);
    std::vector<int>().swap(mSlots);
}

// Either the index is in afterwards or, when memory runs out, the set is unchanged.
void VarSpecObj::FlagSet::set(int index) {
    if (mBits.empty() && (mCount + 1) * 64 >= mColumns) {
        makeDense();
    }
    if (!mBits.empty()) {
        const std::size_t word = static_cast<std::size_t>(index) / 64;
        if (word >= mBits.size()) {
            mBits.resize(word + 1, 0);  // the dictionary grew after the object was made
        }
        const uint64_t bit = uint64_t{1} << (index % 64);
        if ((mBits[word] & bit) == 0) {
            mBits[word] |= bit;
            ++mCount;
        }
        return;
    }
    // Keep the table at most half full so that probes stay short.
    if ((mCount + 1) * 2 > mSlots.size()) {
        sparseGrow();
    }
    std::size_t slot = 0;
    if (!sparseFind(index, slot)) {
        mSlots[slot] = index;
        ++mCount;
    }
}

void VarSpecObj::FlagSet::clear() {
    mCount = 0;
    mShift = 0;
    std::vector<int>().swap(mSlots);
    std::vector<uint64_t>().swap(mBits);
}
