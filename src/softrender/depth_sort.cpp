#include "depth_sort.h"

#include <algorithm>

namespace quillo {

void DepthSort::sort(const std::vector<int64_t>& keys, std::vector<uint32_t>& order)
{
    const size_t n = keys.size();
    order.resize(n);
    if (n == 0) return;
    const auto [low, high] = std::minmax_element(keys.begin(), keys.end());
    const uint64_t base = uint64_t(*low);
    const uint64_t span = uint64_t(*high) - base; // keys as offsets from the smallest, never negative
    items_.resize(n);
    scratch_.resize(n);
    for (size_t i = 0; i < n; ++i) items_[i] = {uint64_t(keys[i]) - base, uint32_t(i)};

    constexpr int digitBits = 11;
    constexpr uint64_t digitMask = (1u << digitBits) - 1;
    for (int shift = 0; shift < 64 && (span >> shift) != 0; shift += digitBits) {
        uint32_t start[digitMask + 2] = {};
        for (const auto& item : items_) ++start[((item.first >> shift) & digitMask) + 1];
        for (size_t d = 1; d <= digitMask + 1; ++d) start[d] += start[d - 1];
        for (const auto& item : items_) scratch_[start[(item.first >> shift) & digitMask]++] = item;
        items_.swap(scratch_);
    }
    for (size_t i = 0; i < n; ++i) order[i] = items_[i].second;
}

} // namespace quillo
