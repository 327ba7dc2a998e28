#ifndef UPARSER_DETAIL_BLOCKLIST_H
#define UPARSER_DETAIL_BLOCKLIST_H

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace block_list {

// A list built an element at a time that never moves an element once it holds kBlock of
// them: the elements lie in blocks of kBlock, and a full list gets a new block instead of a
// larger copy of itself. A large list of big elements (a subcommand's parameter descriptors)
// is then written once, not again at every regrowth through the cache. The first block grows
// as a vector does, so a short list costs no more room than a vector. Every block but the last
// is full, which keeps an element's place a shift and a mask away. Copies are deep.
// Blocks of 512 descriptors (some 72 KB) stay below the size from which the allocator maps
// each block afresh from the system.
template <typename T, std::size_t kBlockBits = 9>
class BlockList {
  public:
    static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;

    BlockList() = default;
    BlockList(const BlockList&) = default;
    BlockList& operator=(const BlockList&) = default;
    // A list moved from is empty, as a vector moved from is.
    BlockList(BlockList&& other) noexcept
        : mBlocks(std::move(other.mBlocks)), mSize(std::exchange(other.mSize, 0)) {
        other.mBlocks.clear();
    }
    BlockList& operator=(BlockList&& other) noexcept {
        if (this != &other) {
            mBlocks = std::move(other.mBlocks);
            mSize = std::exchange(other.mSize, 0);
            other.mBlocks.clear();
        }
        return *this;
    }
    ~BlockList() = default;

    std::size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }

    T& operator[](std::size_t i) { return mBlocks[i >> kBlockBits][i & (kBlock - 1)]; }
    const T& operator[](std::size_t i) const {
        return mBlocks[i >> kBlockBits][i & (kBlock - 1)];
    }
    T& back() { return (*this)[mSize - 1]; }

    // Room for one more element; may throw, before anything changed. push_back then cannot
    // throw for an element whose move cannot.
    void makeRoomForOne() {
        if (!mBlocks.empty() && mBlocks.back().size() < kBlock) {
            std::vector<T>& last = mBlocks.back();
            if (last.size() == last.capacity()) {
                last.reserve(std::min(kBlock, std::max<std::size_t>(1, 2 * last.capacity())));
            }
            return;
        }
        std::vector<T> block;
        // The first block starts small; later ones are whole at once.
        block.reserve(mBlocks.empty() ? 1 : kBlock);
        mBlocks.push_back(std::move(block));
    }

    void push_back(T&& element) {
        makeRoomForOne();
        mBlocks.back().push_back(std::move(element));
        ++mSize;
    }

  private:
    std::vector<std::vector<T>> mBlocks;
    std::size_t mSize = 0;
};

}  // namespace block_list

#endif
