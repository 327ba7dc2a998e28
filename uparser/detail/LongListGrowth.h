#ifndef UPARSER_DETAIL_LONGLISTGROWTH_H
#define UPARSER_DETAIL_LONGLISTGROWTH_H

#include <cstddef>
#include <vector>

namespace long_list {

// Room for one more element, for lists that are built an element at a time and grow long (a
// group's subcommands). From kFourfoldFrom elements on a
// full list grows fourfold instead of twofold: every regrowth moves each element, some hundreds
// of bytes, through the cache, and a list of n elements then moves about n/3 of them in all
// instead of about n. The room left unused is at most three quarters of the list, against half
// when doubling; it is address space only until it is filled. Below that size, and when four
// times would exceed max_size(), the vector's own growth applies.
template <typename T>
void MakeRoomForOne(std::vector<T>& list) {
    constexpr std::size_t kFourfoldFrom = 1024;
    const std::size_t size = list.size();
    if (size == list.capacity() && size >= kFourfoldFrom && size <= list.max_size() / 4) {
        list.reserve(size * 4);
    }
}

}  // namespace long_list

#endif
