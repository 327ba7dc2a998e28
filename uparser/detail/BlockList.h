#ifndef UPARSER_DETAIL_BLOCKLIST_H
#define UPARSER_DETAIL_BLOCKLIST_H

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace block_list {

// A list built an element at a time that never moves an element once it holds kBlock of
// them: past the first kBlock the elements lie in blocks of kBlock, and a full list gets a new
// block instead of a larger copy of itself. A long list of big elements (a subcommand's
// parameter descriptors, a group's subcommands) is then written once, not again at every
// regrowth through the cache. The first block is a vector of its own that grows as a vector
// does, so a short list costs the room and the allocations of a vector. Every block but the
// last is full, which keeps an element's place a shift and a mask away. Copies are deep.
template <typename T, std::size_t kBlockBits = 9>
class BlockList {
  public:
    static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;

    BlockList() = default;
    BlockList(const BlockList& other) : mFirst(other.mFirst), mSize(other.mSize) {
        mRest.reserve(other.mRest.size());
        for (const std::vector<T>& block : other.mRest) {
            // Whole blocks, as the original's: a block never regrows.
            mRest.push_back(newBlock());
            mRest.back().insert(mRest.back().end(), block.begin(), block.end());
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
    BlockList(BlockList&& other) noexcept
        : mFirst(std::move(other.mFirst)),
          mRest(std::move(other.mRest)),
          mSize(std::exchange(other.mSize, 0)) {
        other.mFirst.clear();
        other.mRest.clear();
    }
    BlockList& operator=(BlockList&& other) noexcept {
        if (this != &other) {
            mFirst = std::move(other.mFirst);
            mRest = std::move(other.mRest);
            mSize = std::exchange(other.mSize, 0);
            other.mFirst.clear();
            other.mRest.clear();
        }
        return *this;
    }
    ~BlockList() = default;

    std::size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }

    T& operator[](std::size_t i) {
        return i < kBlock ? mFirst[i] : mRest[(i >> kBlockBits) - 1][i & (kBlock - 1)];
    }
    const T& operator[](std::size_t i) const {
        return i < kBlock ? mFirst[i] : mRest[(i >> kBlockBits) - 1][i & (kBlock - 1)];
    }
    T& back() { return (*this)[mSize - 1]; }

    // Room for one more element; may throw, before anything changed. push_back then cannot
    // throw for an element whose move cannot.
    void makeRoomForOne() {
        if (mSize < kBlock) {
            if (mFirst.size() == mFirst.capacity()) {
                mFirst.reserve(std::min(kBlock, std::max<std::size_t>(1, 2 * mFirst.capacity())));
            }
        } else if (mRest.empty() || mRest.back().size() == kBlock) {
            mRest.push_back(newBlock());
        }
    }

    void push_back(T&& element) {
        makeRoomForOne();
        last().push_back(std::move(element));
        ++mSize;
    }
    // args may refer to an element of the list: the first block is a vector, which allows
    // that, and a later one only gains a block, which moves no element.
    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (mSize < kBlock) {
            mFirst.emplace_back(std::forward<Args>(args)...);
        } else {
            makeRoomForOne();
            mRest.back().emplace_back(std::forward<Args>(args)...);
        }
        ++mSize;
        return back();
    }

  private:
    static std::vector<T> newBlock() {
        std::vector<T> block;
        block.reserve(kBlock);
        return block;
    }
    std::vector<T>& last() { return mSize < kBlock ? mFirst : mRest.back(); }

    std::vector<T> mFirst;
    std::vector<std::vector<T>> mRest;
    std::size_t mSize = 0;
};

}  // namespace block_list

#endif
