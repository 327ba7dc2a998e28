#ifndef UPARSER_DETAIL_INLINELIST_H
#define UPARSER_DETAIL_INLINELIST_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

#include "uparser/detail/Relocate.h"

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

// A list that holds its first element inside the object and needs no heap block for it; a
// longer list lives in one block that grows twofold (fourfold at the second element, which
// usually starts a short list). Made for the result's lists that nearly always hold one element:
// a parameter value's tokens, a subcommand's parameters.
//
// Only what those need: append, reserve, read by index or as a pointer range, copy, move.
// Running out of memory throws std::bad_alloc and leaves the list as it was.
template <typename T>
class InlineList {
    static_assert(std::is_nothrow_move_constructible<T>::value,
                  "regrowth moves the elements and must not fail half-way");

  public:
    using iterator = T*;
    using const_iterator = const T*;

    InlineList() noexcept {}
    // Delegating: should a copy throw, the destructor releases the block.
    InlineList(const_iterator first, const_iterator last) : InlineList() { append(first, last); }
    InlineList(const InlineList& other) : InlineList(other.begin(), other.end()) {}
    InlineList(InlineList&& other) noexcept : InlineList() { take(other); }
    InlineList& operator=(const InlineList& other) {
        if (this != &other) {
            InlineList copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    InlineList& operator=(InlineList&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~InlineList() { release(); }

    std::size_t size() const { return mSize; }
    std::size_t capacity() const { return mCapacity; }
    bool empty() const { return mSize == 0; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + mSize; }
    iterator begin() { return data(); }
    iterator end() { return data() + mSize; }
    const T& operator[](std::size_t index) const { return data()[index]; }
    T& operator[](std::size_t index) { return data()[index]; }
    const T& front() const { return data()[0]; }
    const T& back() const { return data()[mSize - 1]; }
    T& back() { return data()[mSize - 1]; }
    // Whether the elements live in a heap block rather than inside the list.
    bool hasBlock() const { return !isInline(); }

    void reserve(std::size_t count) {
        if (count > mCapacity) {
            moveTo(count);
        }
    }
    void push_back(const T& element) { emplace_back(element); }
    // element must not be one of this list's own.
    void push_back(T&& element) {
        if (mSize == mCapacity) {
            moveTo(grown());
        }
        new (data() + mSize) T(std::move(element));
        ++mSize;
    }
    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (mSize < mCapacity) {
            new (data() + mSize) T(std::forward<Args>(args)...);
        } else {
            // Made first: the arguments may refer to this list's own elements.
            T made(std::forward<Args>(args)...);
            moveTo(grown());
            new (data() + mSize) T(std::move(made));
        }
        return data()[mSize++];
    }
    // [first, last) must not lie in this list.
    void append(const_iterator first, const_iterator last) {
        reserve(mSize + static_cast<std::size_t>(last - first));
        const std::uint32_t oldSize = mSize;
        T* const elements = data();
        try {
            for (; first != last; ++first) {
                new (elements + mSize) T(*first);
                ++mSize;
            }
        } catch (...) {
            truncate(oldSize);
            throw;
        }
    }
    void clear() noexcept { truncate(0); }
    void pop_back() noexcept { truncate(mSize - 1); }
    // Empties the list without destroying its elements: only for elements whose destructor
    // would do nothing. Releasing a long list then costs no pass over its elements.
    void releaseUndestroyed() noexcept {
        if (!isInline()) {
            ::operator delete(mHeap);
            mCapacity = kInline;
        }
        mSize = 0;
    }

  private:
    static constexpr std::uint32_t kInline = 1;
    // Counts are 32-bit, which keeps the object at one element (or a pointer) and two counts.
    static constexpr std::size_t kMaxElements =
        std::min<std::size_t>(std::numeric_limits<std::uint32_t>::max(),
                              std::numeric_limits<std::size_t>::max() / sizeof(T));

    // A block is never made for fewer than two elements.
    bool isInline() const { return mCapacity == kInline; }
    T* data() { return isInline() ? &mOne : mHeap; }
    const T* data() const { return isInline() ? &mOne : mHeap; }
    // A second element usually starts a short list: room for four then, rather than two and
    // three.
    std::size_t grown() const { return mCapacity < 4 ? 4 : std::size_t{mCapacity} * 2; }

    void truncate(std::uint32_t size) noexcept {
        T* const elements = data();
        while (mSize > size) {
            elements[--mSize].~T();
        }
    }
    // Moves the elements into a block for count of them; nothing changes when it cannot be had.
    UPARSER_DETAIL_NOINLINE void moveTo(std::size_t count) {
        if (count > kMaxElements) {
            throw std::bad_alloc();
        }
        auto* block = static_cast<T*>(::operator new(count * sizeof(T)));
        // Held in locals: the stores of the moves might otherwise be taken to change the list.
        T* const elements = data();
        const std::uint32_t size = mSize;
        using relocation::RelocateTo;
        for (std::uint32_t i = 0; i < size; ++i) {
            RelocateTo(elements[i], block + i);
        }
        if (!isInline()) {
            ::operator delete(mHeap);
        }
        // The inline element, if there was one, is gone: the pointer takes its place.
        mHeap = block;
        mCapacity = static_cast<std::uint32_t>(count);
    }
    // Takes over other's elements; this list is empty and inline, other becomes so.
    void take(InlineList& other) noexcept {
        if (other.isInline()) {
            if (other.mSize == 1) {
                new (&mOne) T(std::move(other.mOne));
                other.mOne.~T();
            }
        } else {
            mHeap = other.mHeap;
            mCapacity = other.mCapacity;
            other.mCapacity = kInline;
        }
        mSize = other.mSize;
        other.mSize = 0;
    }
    // Back to an empty inline list.
    void release() noexcept {
        clear();
        if (!isInline()) {
            ::operator delete(mHeap);
            mCapacity = kInline;
        }
    }

    std::uint32_t mSize = 0;
    std::uint32_t mCapacity = kInline;
    // The one element inside, or the block once the list has outgrown it: a long list keeps
    // no room for an element it does not use. In a union, so that the list alone constructs
    // and destroys them.
    union {
        T mOne;
        T* mHeap;
    };
};

}  // namespace uparser_detail

#undef UPARSER_DETAIL_NOINLINE

#endif
