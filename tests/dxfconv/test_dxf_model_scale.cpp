#include "dxfconv/dxf_model_scale.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace quillo;

TEST(DxfModelScale, SizesAreBroughtIntoRangeByStepsOfTenInFloats)
{
    ModelScale s;
    ASSERT_TRUE(normaliseModelSize(1.6f, s));
    EXPECT_EQ(s.size, 1.6f);
    EXPECT_EQ(s.dt, 0.0125f);
    ASSERT_TRUE(normaliseModelSize(0.16f, s));
    EXPECT_EQ(s.size, 0.16f * 10.0f);
    EXPECT_EQ(s.dt, 0.0125f * 0.1f);
    ASSERT_TRUE(normaliseModelSize(16.0f, s));
    EXPECT_EQ(s.size, 16.0f * 0.1f);
    EXPECT_EQ(s.dt, 0.0125f * 10.0f);
    ASSERT_TRUE(normaliseModelSize(0.3f, s)); // the bounds are kept
    EXPECT_EQ(s.size, 0.3f);
    EXPECT_EQ(s.dt, 0.0125f);
    ASSERT_TRUE(normaliseModelSize(3.0f, s));
    EXPECT_EQ(s.size, 3.0f);
    ASSERT_TRUE(normaliseModelSize(0.0016f, s)); // three steps up
    EXPECT_EQ(s.dt, 0.0125f * 0.1f * 0.1f * 0.1f);
    EXPECT_GE(s.size, 0.3f);
    EXPECT_LE(s.size, 3.0f);
    ASSERT_TRUE(normaliseModelSize(1000.0f, s));
    EXPECT_EQ(s.dt, 0.0125f * 10.0f * 10.0f * 10.0f);
}

TEST(DxfModelScale, SizesThatNeverSettleAreRefused)
{
    ModelScale s{};
    EXPECT_FALSE(normaliseModelSize(0.0f, s));
    EXPECT_FALSE(normaliseModelSize(-0.0f, s));
    EXPECT_FALSE(normaliseModelSize(-1.6f, s));
    EXPECT_FALSE(normaliseModelSize(std::numeric_limits<float>::quiet_NaN(), s));
    EXPECT_FALSE(normaliseModelSize(std::numeric_limits<float>::infinity(), s));
    EXPECT_FALSE(normaliseModelSize(1e-44f, s)); // dt would vanish
    EXPECT_TRUE(normaliseModelSize(3e38f, s));   // large but dt stays finite
    EXPECT_TRUE(std::isfinite(s.dt));
}

TEST(DxfModelScale, UnitAndRoundingHalvesAwayFromZero)
{
    float u = drawingUnit(1.0f, 1.6f);
    EXPECT_EQ(u, (1.0f / 1.6f) * 0.000125f);
    int32_t n = 0;
    ASSERT_TRUE(gridCoordinate(0.5f, u, n));
    EXPECT_EQ(n, 6400);
    ASSERT_TRUE(gridCoordinate(2.5f, 1.0f, n));
    EXPECT_EQ(n, 3);
    ASSERT_TRUE(gridCoordinate(-2.5f, 1.0f, n));
    EXPECT_EQ(n, -3);
    ASSERT_TRUE(gridCoordinate(2.4999998f, 1.0f, n));
    EXPECT_EQ(n, 2);
    ASSERT_TRUE(gridCoordinate(-0.0f, 1.0f, n));
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(gridCoordinate(0.3f, 0.1f, n)); // divided in double: 2.99999..., then + 0.5
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(gridCoordinate(3e9f, 1.0f, n));
    EXPECT_FALSE(gridCoordinate(-3e9f, 1.0f, n));
    EXPECT_FALSE(gridCoordinate(1.0f, 0.0f, n));
    EXPECT_FALSE(gridCoordinate(1.0f, std::numeric_limits<float>::infinity(), n));
}
