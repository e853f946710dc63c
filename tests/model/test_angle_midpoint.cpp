#include "model/angle_midpoint.h"
#include "model/messages.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

using namespace quillo;

namespace {

uint32_t bits(float v) { return std::bit_cast<uint32_t>(v); }

struct MidpointCase {
    const char* what;
    PoseAngles A, B;
    uint32_t a, b, c; // expected result, bit for bit
};

// Expected bits from a separate reference that rounds every float step to
// float32 and evaluates the trigonometry in double.
const MidpointCase kCases[] = {
    {"twists 3 and -3 meet the short way, through pi", {0, 3.0f, 0}, {0, -3.0f, 0}, 0x0, 0xc0490fdb, 0x0},
    {"azimuths 0 and 2 give 1", {0, 0, 0}, {0, 0, 2.0f}, 0x0, 0x0, 0x3f800000},
    {"both straight up: no azimuth", {kHalfPi, 0, 0}, {kHalfPi, 0, 0}, 0x3fc90fda, 0x0, 0x0},
    {"equal poses give the same pose", {0.3f, -0.2f, 1.1f}, {0.3f, -0.2f, 1.1f}, 0x3e99999a, 0xbe4ccccd, 0x3f8ccccd},
    {"flipped B, no twist correction", {0, 0, 0}, {0, 3.0f, 3.0f}, 0x3525e0a7, 0xbd90fdb0, 0x3fc00001},
    {"flipped B with twist -0.0", {0.5f, -2.0f, 0.25f}, {-0.7f, -0.0f, -2.5f}, 0xbee8302d, 0xc02487ee, 0xbf4ab439},
    {"flipped B across the turn seam", {0.1f, 2.9f, -3.0f}, {0.2f, -2.9f, 3.0f}, 0x3e1b2109, 0x3fc90fdb, 0xc048fe30},
    {"general pose, no flip", {-1.2f, 0.4f, 2.0f}, {1.0f, -1.9f, -0.3f}, 0xbe626a2c, 0x3f521fb6, 0x3edec2ae},
};

} // namespace

TEST(AngleMidpoint, GoldenResultsToTheLastBit)
{
    MessageLog log;
    for (const MidpointCase& t : kCases) {
        SCOPED_TRACE(t.what);
        bool failed = false;
        const PoseAngles r = angleMidpoint(t.A, t.B, &failed);
        EXPECT_EQ(bits(r.a), t.a) << r.a;
        EXPECT_EQ(bits(r.b), t.b) << r.b;
        EXPECT_EQ(bits(r.c), t.c) << r.c;
        EXPECT_FALSE(failed);
    }
    EXPECT_TRUE(log.messages.empty());
}

TEST(AngleMidpoint, TwistsThreeAndMinusThreeGiveMinusPi)
{
    EXPECT_EQ(angleMidpoint({0, 3.0f, 0}, {0, -3.0f, 0}).b, -3.1415927f);
    EXPECT_EQ(angleMidpoint({0, 0, 0}, {0, 0, 2.0f}).c, 1.0f);
}

TEST(AngleMidpoint, OppositeDirectionsReportOnceAndStillGiveAResult)
{
    MessageLog log;
    bool failed = false;
    // X = Y = Z = 0: no halfway direction. L is taken as 1, so r.a = asin(0).
    const PoseAngles r = angleMidpointFromSum({0, 0.5f, 0}, {0, 0.25f, 0}, false, 0.0, 0.0, 0.0, &failed);
    EXPECT_TRUE(failed);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "補間に失敗しました");
    EXPECT_EQ(r.a, 0.0f);
    EXPECT_EQ(r.b, 0.375f);
    EXPECT_EQ(r.c, 0.0f); // x and y below 0.0001
}

TEST(AngleMidpoint, SumStraightUpGivesAQuarterTurnOfElevation)
{
    const PoseAngles r = angleMidpointFromSum({0, 0, 0}, {0, 0, 0}, false, 0.0, 0.0, 2.0, nullptr);
    EXPECT_EQ(r.a, kHalfPi);
    EXPECT_EQ(r.c, 0.0f);
}

TEST(AngleMidpoint, FlippedResultFarFromATurnsTheTwistBack)
{
    // Step 7: with B flipped, a result azimuth more than a quarter turn from
    // A's gets half a turn of twist added.
    const PoseAngles r = angleMidpointFromSum({0, 0, 0}, {0, 0, 0}, true, -1.0, 0.0, 0.0, nullptr);
    EXPECT_EQ(r.c, static_cast<float>(3.141592653589793));
    EXPECT_EQ(r.b, kPi);
}

TEST(AngleMidpoint, PositionsAreSummedInFloatThenHalved)
{
    EXPECT_EQ(positionMidpoint(1.0f, 2.0f), 1.5f);
    // 16777216 + 1 rounds to 16777216 in float32 before halving.
    EXPECT_EQ(positionMidpoint(16777216.0f, 1.0f), 8388608.0f);
    EXPECT_EQ(positionMidpoint(-3.5f, 3.5f), 0.0f);
}
