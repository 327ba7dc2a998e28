#ifndef UPARSER_DETAIL_BLOCKLIST_H
#define UPARSER_DETAIL_BLOCKLIST_H

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "uparser/detail/Relocate.h"

namespace block_list {

// A list built an element at a time that never moves an element once it holds kBlock of
// them: past the first kBlock the elements lie in blocks of kBlock, and a full list gets a new
// block instead of a larger copy of itself. A long list of big elements (a subcommand's
// parameter descriptors, a group's subcommands) is then written once, not again at every
// regrowth through the cache. The first block grows twofold as a vector does, so a short list
// costs the room and the allocations of a vector. Every block but the last is full, which
// keeps an element's place a shift and a mask away. Copies are deep.
//
// The blocks are raw storage, so that a list whose elements would free nothing can be
// released without visiting each (releaseUndestroyed).
template <typename T, std::size_t kBlockBits = 9>
class BlockList {
    static_assert(std::is_nothrow_move_constructible<T>::value,
                  "regrowth of the first block moves the elements and must not fail half-way");

  public:
    static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;

    BlockList() noexcept = default;
    // Delegating: should a copy throw, the destructor releases what was copied.
    BlockList(const BlockList& other) : BlockList() {
        if (other.mSize == 0) {
            return;
        }
        // The first block only as large as what it holds of the original; later blocks whole.
        const std::size_t first = std::min(other.mSize, kBlock);
        mFirst = Allocate(first);
        mFirstCapacity = first;
        mRest.reserve(other.mRest.size());
        for (std::size_t i = 0; i < other.mSize; ++i) {
            emplace_back(other[i]);
        }
    }
    BlockList& operator=(const BlockList& other) {
        if (this != &other) {
            BlockList copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    // A list moved from is empty, as a vector moved from is.
    BlockList(BlockList&& other) noexcept { take(other); }
    BlockList& operator=(BlockList&& other) noexcept {
        if (this != &other) {
            clear();
            take(other);
        }
        return *this;
    }
    ~BlockList() { clear(); }

    std::size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }

    T& operator[](std::size_t i) { return *slot(i); }
    const T& operator[](std::size_t i) const { return *slot(i); }
    T& back() { return *slot(mSize - 1); }
    const T& back() const { return *slot(mSize - 1); }

    // Room for one more element; may throw, before anything changed. push_back then cannot
    // throw for an element whose move cannot.
    void makeRoomForOne() {
        if (mSize < kBlock) {
            if (mSize == mFirstCapacity) {
                growFirst();
            }
        } else if (mSize == kBlock * (1 + mRest.size())) {
            addBlock();
        }
    }

    void push_back(T&& element) { emplace_back(std::move(element)); }
    // args may refer to an element of the list: a regrown first block gets its new element
    // before the old ones move, and a later one only gains a block, which moves no element.
    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (mSize < kBlock && mSize == mFirstCapacity) {
            return emplaceGrowingFirst(std::forward<Args>(args)...);
        }
        makeRoomForOne();
        T* const place = slot(mSize);
        ::new (static_cast<void*>(place)) T(std::forward<Args>(args)...);
        ++mSize;
        return *place;
    }

    void pop_back() noexcept {
        --mSize;
        slot(mSize)->~T();
    }

    // Empties the list without destroying its elements: only for elements whose destructor
    // would do nothing. Releasing a long list then costs no pass over its elements.
    void releaseUndestroyed() noexcept {
        mSize = 0;
        clear();
    }

  private:
    using Allocator = std::allocator<T>;

    static T* Allocate(std::size_t count) { return Allocator().allocate(count); }
    static void Deallocate(T* block, std::size_t count) noexcept {
        Allocator().deallocate(block, count);
    }

    T* slot(std::size_t i) const {
        return i < kBlock ? mFirst + i : mRest[(i >> kBlockBits) - 1] + (i & (kBlock - 1));
    }

    void growFirst() {
        const std::size_t capacity = NextFirstCapacity(mFirstCapacity);
        T* const fresh = Allocate(capacity);
        moveFirstTo(fresh, capacity);
    }

    template <typename... Args>
    T& emplaceGrowingFirst(Args&&... args) {
        const std::size_t capacity = NextFirstCapacity(mFirstCapacity);
        T* const fresh = Allocate(capacity);
        try {
            ::new (static_cast<void*>(fresh + mSize)) T(std::forward<Args>(args)...);
        } catch (...) {
            Deallocate(fresh, capacity);
            throw;
        }
        moveFirstTo(fresh, capacity);
        return fresh[mSize++];
    }

    static std::size_t NextFirstCapacity(std::size_t capacity) {
        return std::min(kBlock, std::max<std::size_t>(1, 2 * capacity));
    }

    void moveFirstTo(T* fresh, std::size_t capacity) noexcept {
        using uparser_detail::relocation::RelocateTo;
        for (std::size_t i = 0; i < mSize; ++i) {
            RelocateTo(mFirst[i], fresh + i);
        }
        if (mFirst != nullptr) {
            Deallocate(mFirst, mFirstCapacity);
        }
        mFirst = fresh;
        mFirstCapacity = capacity;
    }

    void addBlock() {
        if (mRest.size() == mRest.capacity()) {
            mRest.reserve(std::max<std::size_t>(4, 2 * mRest.capacity()));
        }
        // Cannot throw now: the room is there.
        mRest.push_back(Allocate(kBlock));
    }

    void take(BlockList& other) noexcept {
        mFirst = std::exchange(other.mFirst, nullptr);
        mFirstCapacity = std::exchange(other.mFirstCapacity, 0);
        mRest = std::move(other.mRest);
        other.mRest.clear();
        mSize = std::exchange(other.mSize, 0);
    }

    // Destroys what is left and frees every block.
    void clear() noexcept {
        while (mSize > 0) {
            pop_back();
        }
        for (T* block : mRest) {
            Deallocate(block, kBlock);
        }
        mRest.clear();
        if (mFirst != nullptr) {
            Deallocate(mFirst, mFirstCapacity);
        }
        mFirst = nullptr;
        mFirstCapacity = 0;
    }

    T* mFirst = nullptr;
    std::size_t mFirstCapacity = 0;
    std::vector<T*> mRest;
    std::size_t mSize = 0;
};

}  // namespace block_list

#endif
