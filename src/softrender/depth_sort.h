// Orders the polygons of a frame by depth key: a stable radix sort on the
// bits in which the keys differ, so a frame's sort costs a few linear
// passes and equal keys keep their list order (every frame the same).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace quillo {

class DepthSort {
public:
    // Fills `order` with the indices of `keys`, smallest key first; equal
    // keys keep their index order.
    void sort(const std::vector<int64_t>& keys, std::vector<uint32_t>& order);

private:
    std::vector<std::pair<uint64_t, uint32_t>> items_, scratch_;
};

} // namespace quillo
