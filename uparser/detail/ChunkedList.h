#ifndef UPARSER_DETAIL_CHUNKEDLIST_H
#define UPARSER_DETAIL_CHUNKEDLIST_H

#include <cstddef>
#include <utility>
#include <vector>

namespace uparser_detail {

// A list built an element at a time that may grow long, of elements that are costly to move (a
// group's subcommands, some hundreds of bytes each). The first kHead elements live in a vector
// that regrows as usual; the rest in chunks of kChunk that are never regrown, so an element
// beyond the head is never moved once made, and a long list is not copied through the cache
// at every regrowth. Most lists are short and use the head alone, with its allocations.
//
// Only what a group needs: append, size, read by index. Running out of memory throws
// std::bad_alloc and leaves the elements as they were.
template <typename T>
class ChunkedList {
  public:
    ChunkedList() = default;
    ChunkedList(const ChunkedList& other) : mHead(other.mHead) {
        mTail.reserve(other.mTail.size());
        for (const std::vector<T>& chunk : other.mTail) {
            // A copy keeps each chunk's room, which a vector's copy would not.
            mTail.push_back(newChunk());
            mTail.back().insert(mTail.back().end(), chunk.begin(), chunk.end());
        }
    }
    ChunkedList(ChunkedList&& other) noexcept = default;
    ChunkedList& operator=(const ChunkedList& other) {
        if (this != &other) {
            ChunkedList copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    ChunkedList& operator=(ChunkedList&& other) noexcept = default;
    ~ChunkedList() = default;

    // A failed append may leave an empty last chunk; it counts nothing, as every chunk before
    // it is full.
    std::size_t size() const {
        return mTail.empty() ? mHead.size() : kHead + (mTail.size() - 1) * kChunk + mTail.back().size();
    }
    const T& operator[](std::size_t index) const {
        return index < kHead ? mHead[index] : mTail[(index - kHead) / kChunk][(index - kHead) % kChunk];
    }

    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (mHead.size() < kHead) {
            mHead.emplace_back(std::forward<Args>(args)...);
            return mHead.back();
        }
        if (mTail.empty() || mTail.back().size() == kChunk) {
            // No element moves here, so args may still refer to one.
            mTail.push_back(newChunk());
        }
        mTail.back().emplace_back(std::forward<Args>(args)...);
        return mTail.back().back();
    }

  private:
    static constexpr std::size_t kHead = 64;
    // Some 64 KB of subcommands: below the size at which the C library maps a block of its own.
    static constexpr std::size_t kChunk = 128;

    static std::vector<T> newChunk() {
        std::vector<T> chunk;
        chunk.reserve(kChunk);
        return chunk;
    }

    std::vector<T> mHead;
    std::vector<std::vector<T>> mTail;
};

}  // namespace uparser_detail

#endif
