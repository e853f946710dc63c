#include "dxfconv/record_index.h"

#include <gtest/gtest.h>
#include <random>

#include "dxfconv/dxf_records.h"

using namespace quillo;

TEST(RecordIndex, FindOrAddGivesTheSameIndexAsALinearSearch)
{
    Records<DxfTriangle> hashed;
    RecordIndex<DxfTriangle> index(hashed);
    Records<DxfTriangle> linear;
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        DxfTriangle t{int32_t(random() % 20), int32_t(random() % 20), int32_t(random() % 5), int32_t(random() % 3)};
        int expected = linear.appendUnique(t);
        ASSERT_EQ(index.findOrAdd(t), expected);
    }
    ASSERT_EQ(hashed.count(), linear.count());
    for (int i = 0; i < linear.count(); ++i) EXPECT_EQ(std::memcmp(&hashed[i], &linear[i], sizeof(DxfTriangle)), 0);
}

TEST(RecordIndex, ComparesBitsSoSignedZerosDifferAndRebuildKeepsTheFirstOfEqualRecords)
{
    Records<DxfVertex> vertices;
    RecordIndex<DxfVertex> index(vertices);
    EXPECT_EQ(index.findOrAdd({0.0f, 1.0f, 2.0f}), 0);
    EXPECT_EQ(index.findOrAdd({-0.0f, 1.0f, 2.0f}), 1);
    EXPECT_EQ(index.findOrAdd({0.0f, 1.0f, 2.0f}), 0);

    vertices.append({5.0f, 5.0f, 5.0f}); // indices 2 and 3 equal, added behind the index's back
    vertices.append({5.0f, 5.0f, 5.0f});
    index.rebuild();
    EXPECT_EQ(index.findOrAdd({5.0f, 5.0f, 5.0f}), 2);
    EXPECT_EQ(vertices.count(), 4);
}
