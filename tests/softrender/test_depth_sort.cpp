#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "softrender/depth_sort.h"

using namespace quillo;

namespace {

std::vector<uint32_t> reference(const std::vector<int64_t>& keys)
{
    std::vector<uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    return order;
}

} // namespace

TEST(DepthSort, SmallestFirstAndEqualKeysInListOrder)
{
    DepthSort sorter;
    std::vector<uint32_t> order;
    sorter.sort({30, 10, 20, 10, -5, 30}, order);
    EXPECT_EQ(order, (std::vector<uint32_t>{4, 1, 3, 2, 0, 5}));
    sorter.sort({}, order);
    EXPECT_TRUE(order.empty());
    sorter.sort({7}, order);
    EXPECT_EQ(order, (std::vector<uint32_t>{0}));
}

TEST(DepthSort, MatchesAStableSortOverAnyKeyRange)
{
    DepthSort sorter;
    std::mt19937_64 random(31);
    std::vector<uint32_t> order;
    for (int round = 0; round < 60; ++round) {
        const size_t n = random() % 3000;
        std::vector<int64_t> keys(n);
        for (auto& k : keys) {
            switch (round % 4) {
            case 0: k = int64_t(random() % 16); break; // many ties
            case 1: k = int64_t(random() % 200000); break; // sums of in-front depths
            case 2: k = int64_t(random() % 6000000000ull) - 3000000000; break; // both signs, beyond 32 bits
            default: k = int64_t(random()); break; // the whole range
            }
        }
        if (round == 3 && n > 1) {
            keys[0] = INT64_MIN;
            keys[1] = INT64_MAX;
        }
        sorter.sort(keys, order);
        ASSERT_EQ(order, reference(keys)) << round;
    }
}
