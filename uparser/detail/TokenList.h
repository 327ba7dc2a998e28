#ifndef UPARSER_DETAIL_TOKENLIST_H
#define UPARSER_DETAIL_TOKENLIST_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>

#include "uparser/TokenInfoObj.h"

// Regrowth is rare; kept out of line, it leaves the callers' loops small enough to inline
// what they call on every token.
#if defined(__GNUC__)
#define UPARSER_DETAIL_NOINLINE __attribute__((noinline))
#elif defined(_MSC_VER)
#define UPARSER_DETAIL_NOINLINE __declspec(noinline)
#else
#define UPARSER_DETAIL_NOINLINE
#endif

namespace uparser_detail {

// The tokens of one parameter value. Almost every value is one token, so the list has room for
// one inside the object and needs no heap block then; a longer list lives in one block that
// grows twofold. A stored value thus costs no allocation and no release for the common case.
//
// Only what the parameter needs: append, reserve, read by index or as a pointer range, copy,
// move. Running out of memory throws std::bad_alloc and leaves the list as it was.
class TokenList {
  public:
    using const_iterator = const TokenInfoObj*;

    // Pointed in the body: clang takes the address of a member not yet constructed, in the
    // initializer list, for a use of it.
    TokenList() noexcept { mData = &mOne; }
    // Delegating: should a copy throw, the destructor releases the block.
    TokenList(const_iterator first, const_iterator last) : TokenList() { append(first, last); }
    TokenList(const TokenList& other) : TokenList(other.begin(), other.end()) {}
    TokenList(TokenList&& other) noexcept : TokenList() { take(other); }
    TokenList& operator=(const TokenList& other) {
        if (this != &other) {
            TokenList copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    TokenList& operator=(TokenList&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~TokenList() { release(); }

    std::size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }
    const_iterator begin() const { return mData; }
    const_iterator end() const { return mData + mSize; }
    const TokenInfoObj& operator[](std::size_t index) const { return mData[index]; }
    const TokenInfoObj& front() const { return mData[0]; }
    const TokenInfoObj& back() const { return mData[mSize - 1]; }

    void reserve(std::size_t count) {
        if (count > mCapacity) {
            moveTo(count);
        }
    }
    void push_back(const TokenInfoObj& token) {
        if (mSize < mCapacity) {
            new (mData + mSize) TokenInfoObj(token);
        } else {
            // The copy comes first: token may be one of this list's own.
            TokenInfoObj copy(token);
            moveTo(grown());
            new (mData + mSize) TokenInfoObj(std::move(copy));
        }
        ++mSize;
    }
    // token must not be one of this list's own.
    void push_back(TokenInfoObj&& token) {
        if (mSize == mCapacity) {
            moveTo(grown());
        }
        new (mData + mSize) TokenInfoObj(std::move(token));
        ++mSize;
    }
    // [first, last) must not lie in this list.
    void append(const_iterator first, const_iterator last) {
        reserve(mSize + static_cast<std::size_t>(last - first));
        const std::uint32_t oldSize = mSize;
        try {
            for (; first != last; ++first) {
                new (mData + mSize) TokenInfoObj(*first);
                ++mSize;
            }
        } catch (...) {
            truncate(oldSize);
            throw;
        }
    }
    void clear() noexcept { truncate(0); }

  private:
    static constexpr std::uint32_t kInline = 1;
    // Counts are 32-bit, which keeps the object at one token, a pointer and two counts.
    static constexpr std::size_t kMaxTokens =
        std::min<std::size_t>(std::numeric_limits<std::uint32_t>::max(),
                              std::numeric_limits<std::size_t>::max() / sizeof(TokenInfoObj));

    bool isInline() const { return mCapacity == kInline; }
    // A second token usually starts a short list: room for four then, rather than two and three.
    std::size_t grown() const { return mCapacity < 4 ? 4 : std::size_t{mCapacity} * 2; }

    void truncate(std::uint32_t size) noexcept {
        TokenInfoObj* const tokens = mData;
        while (mSize > size) {
            tokens[--mSize].~TokenInfoObj();
        }
    }
    // Moves the tokens into a block for count of them; nothing changes when it cannot be had.
    UPARSER_DETAIL_NOINLINE void moveTo(std::size_t count) {
        if (count > kMaxTokens) {
            throw std::bad_alloc();
        }
        auto* block = static_cast<TokenInfoObj*>(::operator new(count * sizeof(TokenInfoObj)));
        // Held in locals: the stores of the moves might otherwise be taken to change mData.
        TokenInfoObj* const tokens = mData;
        const std::uint32_t size = mSize;
        for (std::uint32_t i = 0; i < size; ++i) {
            new (block + i) TokenInfoObj(std::move(tokens[i]));
            tokens[i].~TokenInfoObj();
        }
        if (!isInline()) {
            ::operator delete(mData);
        }
        mData = block;
        mCapacity = static_cast<std::uint32_t>(count);
    }
    // Takes over other's tokens; this list is empty and inline, other becomes so.
    void take(TokenList& other) noexcept {
        if (other.isInline()) {
            if (other.mSize == 1) {
                new (&mOne) TokenInfoObj(std::move(other.mOne));
                other.mOne.~TokenInfoObj();
            }
        } else {
            mData = other.mData;
            mCapacity = other.mCapacity;
            other.mData = &other.mOne;
            other.mCapacity = kInline;
        }
        mSize = other.mSize;
        other.mSize = 0;
    }
    // Back to an empty inline list.
    void release() noexcept {
        clear();
        if (!isInline()) {
            ::operator delete(mData);
            mData = &mOne;
            mCapacity = kInline;
        }
    }

    // mOne, or the heap block; a move points it again.
    TokenInfoObj* mData;
    std::uint32_t mSize = 0;
    std::uint32_t mCapacity = kInline;
    // In a union, so that the list alone constructs and destroys it.
    union {
        TokenInfoObj mOne;
    };
};

}  // namespace uparser_detail

#undef UPARSER_DETAIL_NOINLINE

#endif
