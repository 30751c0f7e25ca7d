#pragma once

#include <algorithm>
#include <cstddef>

// Where a new source goes in a receiver's preallocated table: the first slot `isFree` accepts
// (a source that has gone), else a new slot at the end of a growing table while it holds fewer
// than `capacity`. Returns the end when the table is full. What the slot holds is the caller's
// to reset.
template <typename Table, typename IsFree>
auto claimSourceSlot(Table &table, std::size_t capacity, IsFree isFree) {
    auto found = std::find_if(table.begin(), table.end(), isFree);
    if constexpr (requires { table.emplace_back(); }) {
        if (found == table.end() && table.size() < capacity)
            found = table.emplace(table.end());
    }
    return found;
}
