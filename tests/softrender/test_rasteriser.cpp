#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "model/colour_table.h"
#include "softrender/frame.h"
#include "softrender/rasteriser.h"

using namespace quillo;

namespace {

// A shade map whose pixel value is the colour row itself (row & 255), so a
// pixel tells which colour index and level the rasteriser picked.
struct RowShades {
    uint8_t map[64 * 64 * 4];
    RowShades()
    {
        for (int i = 0; i < 64 * 64 * 4; ++i) map[i] = uint8_t(i >> 2);
    }
};

const RowShades rowShades;

struct Canvas {
    Frame frame;
    DrawTarget target;
    explicit Canvas(int w, int h, bool z = false, int pitch = 0)
        : frame(w, h, z, pitch), target(frame.target(rowShades.map))
    {
    }
    uint8_t at(int x, int y) const { return frame.pixel(x, y); }
    int32_t depth(int x, int y) const { return frame.depth(x, y); }
    int count(uint8_t value) const
    {
        int n = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) n += at(x, y) == value;
        return n;
    }
};

RasterVertex corner(int x, int y, int light = 512, int rz = 1000, int u = 0, int v = 0)
{
    return RasterVertex{x, y, rz, light, u, v};
}

} // namespace

TEST(RasteriserFill, CoversTheTriangleRowByRow)
{
    Canvas c(64, 48);
    // Light 512 is level 32; with colour 0 every pixel shows row 32.
    rasterShaded(c.target, corner(10, 10), corner(10, 30), corner(30, 30), 0, 200);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = (y >= 10 && y < 30 && x >= 10 && x <= y) || (y == 30 && x >= 10 && x <= 30);
            EXPECT_EQ(c.at(x, y) == 32, inside) << x << "," << y;
        }
    EXPECT_EQ(c.count(32), 231);
}

TEST(RasteriserFill, ColourIndexAndLevelPickTheShadeRow)
{
    Canvas c(32, 32);
    rasterShaded(c.target, corner(2, 2, 1018), corner(2, 20, 1018), corner(20, 20, 1018), 3, 200);
    EXPECT_EQ(c.at(3, 10), uint8_t(3 * 64 + 63)); // light 1018 is level 63 of colour 3
}

TEST(RasteriserFill, BackFaceDrawsNeitherFillNorOutline)
{
    Canvas c(64, 48);
    c.target.cx = 20;
    rasterShaded(c.target, corner(10, 10), corner(30, 30), corner(10, 30), 0, 200); // clockwise on screen
    EXPECT_EQ(c.count(0), 64 * 48);
}

TEST(RasteriserFill, OutlineIsDrawnShiftedByCx)
{
    Canvas c(100, 48);
    c.target.cx = 50;
    rasterShaded(c.target, corner(10, 10), corner(10, 30), corner(30, 30), 0, 200);
    for (int y = 10; y <= 30; ++y) EXPECT_EQ(c.at(60, y), 200) << y; // A -> B
    for (int x = 60; x <= 80; ++x) EXPECT_EQ(c.at(x, 30), 200) << x; // B -> C
    for (int i = 0; i <= 20; ++i) EXPECT_EQ(c.at(60 + i, 10 + i), 200) << i; // C -> A
    EXPECT_EQ(c.at(10, 20), 32); // the fill stays where it was
    EXPECT_EQ(c.count(200), 21 + 20 + 19);
}

TEST(RasteriserFill, CornersOnOneRowFillTheSpanFromMiddleToBottom)
{
    Canvas c(32, 16);
    // Sorted by y with ties in winding order: top A, middle B, bottom C.
    rasterShaded(c.target, corner(5, 8), corner(20, 8), corner(12, 8), 0, 200);
    for (int x = 0; x < 32; ++x) EXPECT_EQ(c.at(x, 8) == 32, x >= 12 && x <= 20) << x;
    EXPECT_EQ(c.count(32), 9);
}

TEST(RasteriserFill, SpanFromLeftOfTheFrameStartsWithTheInterpolatedColour)
{
    Canvas c(32, 16);
    // A span from x = -10 (level 0) to x = 5 (level 60): four levels a pixel.
    rasterShaded(c.target, corner(-10, 4, 0), corner(-10, 4, 0), corner(5, 4, 960), 0, 200);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(c.at(x, 4), 40 + 4 * x) << x;
    EXPECT_EQ(c.at(5, 4), 60);
    EXPECT_EQ(c.at(6, 4), 0);
}

TEST(RasteriserFill, SpanPastTheRightEdgeEndsWithTheRightColour)
{
    Canvas c(20, 8, false, 32);
    std::memset(c.target.pixels, 0xEE, size_t(32 * 8)); // mark the padding between width and pitch
    for (int y = 0; y < 8; ++y) std::memset(c.target.pixels + y * 32, 0, 20);
    // From x = 10 (level 0) to x = 40 (level 60): two levels a pixel.
    rasterShaded(c.target, corner(10, 3, 0), corner(10, 3, 0), corner(40, 3, 960), 0, 200);
    for (int x = 10; x < 19; ++x) EXPECT_EQ(c.at(x, 3), 2 * (x - 10)) << x;
    EXPECT_EQ(c.at(19, 3), 60);
    for (int y = 0; y < 8; ++y)
        for (int x = 20; x < 32; ++x) EXPECT_EQ(c.target.pixels[y * 32 + x], 0xEE);
}

TEST(RasteriserFill, TriangleAboveTheFrameIsCutAtRowZero)
{
    Canvas c(256, 64);
    rasterShaded(c.target, corner(0, -100), corner(0, 100), corner(200, 100), 0, 200);
    // On row y the long edge is at x = y + 100.
    EXPECT_EQ(c.at(100, 0), 32);
    EXPECT_EQ(c.at(101, 0), 0);
    EXPECT_EQ(c.at(163, 63), 32);
    EXPECT_EQ(c.at(164, 63), 0);
}

TEST(RasteriserFill, RejectsTrianglesWhollyOffOneSide)
{
    Canvas c(32, 32);
    rasterShaded(c.target, corner(-10, 5), corner(-10, 20), corner(-1, 20), 0, 200);
    rasterShaded(c.target, corner(5, 40), corner(5, 60), corner(20, 60), 0, 200);
    EXPECT_EQ(c.count(0), 32 * 32);
}

TEST(RasteriserDither, LevelSixtyThreeDithersThreeOfFourPixelsToWhite)
{
    GMTBL table;
    ASSERT_EQ(table.getm(255, 0, 0, 0.2f, 1.0f, 0.0f), 0);
    ASSERT_TRUE(table.buildShades());
    Frame frame(16, 16, false);
    DrawTarget t = frame.target(table);
    rasterShaded(t, corner(0, 0, 1018), corner(0, 15, 1018), corner(15, 15, 1018), 0, 200);
    rasterShaded(t, corner(0, 0, 1018), corner(15, 15, 1018), corner(15, 0, 1018), 0, 200);
    // Step 15 of the ramp is (255, 0, 0): the static red, entry 249.
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x) {
            const int k = (y % 2) * 2 + x % 2;
            EXPECT_EQ(frame.pixel(x, y), k == 2 ? 249 : 255) << x << "," << y;
        }
}

TEST(RasteriserDepth, NearerTriangleWinsWhicheverIsDrawnFirst)
{
    for (int order = 0; order < 2; ++order) {
        Canvas c(32, 32, true);
        auto nearer = [&] { rasterShadedZ(c.target, corner(0, 0, 512, 2000), corner(0, 31, 512, 2000), corner(31, 31, 512, 2000), 1, 200); };
        auto farther = [&] { rasterShadedZ(c.target, corner(0, 0, 512, 1000), corner(0, 31, 512, 1000), corner(31, 31, 512, 1000), 2, 200); };
        if (order == 0) {
            nearer();
            farther();
        } else {
            farther();
            nearer();
        }
        EXPECT_EQ(c.at(5, 20), 64 + 32) << order;
        EXPECT_EQ(c.depth(5, 20), 2000 * 2048);
    }
}

TEST(RasteriserDepth, EqualDepthKeepsTheFirstDrawn)
{
    Canvas c(32, 32, true);
    rasterShadedZ(c.target, corner(0, 0, 512, 1500), corner(0, 31, 512, 1500), corner(31, 31, 512, 1500), 1, 200);
    rasterShadedZ(c.target, corner(0, 0, 512, 1500), corner(0, 31, 512, 1500), corner(31, 31, 512, 1500), 2, 200);
    EXPECT_EQ(c.at(5, 20), 64 + 32);
    EXPECT_EQ(c.count(2 * 64 + 32), 0);
}

TEST(RasteriserDepth, FarthestDepthZeroNeverBeatsAClearedBuffer)
{
    Canvas c(16, 16, true);
    rasterShadedZ(c.target, corner(0, 0, 512, 0), corner(0, 15, 512, 0), corner(15, 15, 512, 0), 1, 200);
    EXPECT_EQ(c.count(64 + 32), 0);
}

namespace {

// A 4 x 4 pattern of colour 2 (texel 128) with one texel of colour 3.
struct Pattern {
    int32_t texels[16];
    const int32_t* rows[4];
    Pattern()
    {
        for (int i = 0; i < 16; ++i) texels[i] = 2 * 64;
        texels[1 * 4 + 2] = 3 * 64; // column 2, row 1
        for (int r = 0; r < 4; ++r) rows[r] = texels + 4 * r;
    }
    TexelSource source() const { return TexelSource{rows, 4, 4, 5 * 64}; }
};

} // namespace

TEST(RasteriserTexture, ReadsTexelsAndFallsBackOutsideThePattern)
{
    const Pattern p;
    Canvas c(32, 8);
    // One span on row 2 from u = -2 to u = 6 texels over x = 0..16, v at row 1.
    rasterTextured(c.target, corner(0, 2, 0, 1000, -2 << 10, 1 << 10), corner(0, 2, 0, 1000, -2 << 10, 1 << 10),
                   corner(16, 2, 0, 1000, 6 << 10, 1 << 10), p.source(), 200);
    // Half a texel a pixel: x 0..3 have u < 0, x 4..11 are inside, x 12.. beyond the width.
    for (int x = 0; x <= 16; ++x) {
        const int u = -2 * 1024 + x * 512;
        const uint8_t expected = u < 0 || (u >> 10) >= 4 ? 5 * 64 & 255 : (u >> 10) == 2 ? 3 * 64 : 2 * 64;
        EXPECT_EQ(c.at(x, 2), expected) << x;
    }
}

TEST(RasteriserTexture, LightAddsItsLevelToTheTexelRow)
{
    const Pattern p;
    Canvas c(32, 8, true);
    rasterTexturedZ(c.target, corner(0, 2, 160, 1000, 0, 0), corner(0, 2, 160, 1000, 0, 0),
                    corner(3, 2, 160, 1000, 0, 0), p.source(), 200);
    EXPECT_EQ(c.at(1, 2), 2 * 64 + 10);
    EXPECT_EQ(c.depth(1, 2), 1000 * 2048);
}

TEST(RasteriserTexture, MissingImageDrawsTheFallbackColour)
{
    Canvas c(16, 16);
    const TexelSource none{nullptr, 4, 4, 7 * 64};
    rasterTextured(c.target, corner(0, 0, 0), corner(0, 15, 0), corner(15, 15, 0), none, 200);
    EXPECT_EQ(c.at(2, 10), 7 * 64 & 255);
}

TEST(RasteriserLines, StepIn16Dot16AndSetBothEnds)
{
    Canvas c(16, 16);
    drawLine(c.target, 0, 0, 10, 3, 9);
    drawLine(c.target, 0, 13, 10, 10, 8);
    drawLine(c.target, 12, 1, 14, 9, 7);
    const std::vector<std::pair<int, int>> rising = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1},
                                                     {6, 2}, {7, 2}, {8, 3}, {9, 3}, {10, 3}};
    const std::vector<std::pair<int, int>> falling = {{0, 13}, {1, 13}, {2, 13}, {3, 12}, {4, 12}, {5, 12},
                                                      {6, 11}, {7, 11}, {8, 10}, {9, 10}, {10, 10}};
    const std::vector<std::pair<int, int>> steep = {{12, 1}, {12, 2}, {12, 3}, {13, 4}, {13, 5},
                                                    {13, 6}, {14, 7}, {14, 8}, {14, 9}};
    for (auto [x, y] : rising) EXPECT_EQ(c.at(x, y), 9) << x << "," << y;
    for (auto [x, y] : falling) EXPECT_EQ(c.at(x, y), 8) << x << "," << y;
    for (auto [x, y] : steep) EXPECT_EQ(c.at(x, y), 7) << x << "," << y;
    EXPECT_EQ(c.count(9), 11);
    EXPECT_EQ(c.count(8), 11);
    EXPECT_EQ(c.count(7), 9);
}

TEST(RasteriserLines, AreClippedToTheFrame)
{
    Canvas c(20, 20);
    drawLine(c.target, -50, 10, 50, 10, 9);
    EXPECT_EQ(c.count(9), 20);
    drawLine(c.target, -1000, -1000, 1000, 1000, 8);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(c.at(i, i), 8) << i;
    EXPECT_EQ(c.count(9), 19); // the diagonal crossed the first line at (10, 10)
    drawLine(c.target, -5, -5, -1, 30, 7); // wholly left of the frame
    drawLine(c.target, 3, 25, 40, 21, 7);  // wholly below it
    EXPECT_EQ(c.count(7), 0);
}

TEST(RasteriserLines, PenKeepsTheLastEndPoint)
{
    Canvas c(20, 20);
    LinePen pen(c.target);
    pen.moveTo(2, 2);
    pen.lineTo(2, 6, 9);
    pen.lineTo(8, 6, 9);
    EXPECT_EQ(pen.x(), 8);
    EXPECT_EQ(pen.y(), 6);
    EXPECT_EQ(c.count(9), 5 + 6);
}

TEST(RasteriserSafety, WildCornersNeverWriteOutsideTheFrame)
{
    std::mt19937 random(7);
    auto wild = [&](int32_t range) { return int32_t(std::uniform_int_distribution<int64_t>(-range, range)(random)); };
    const Pattern p;
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + int(random() % 40), h = 1 + int(random() % 30);
        Canvas c(w, h, true, w + 8);
        std::memset(c.target.pixels, 0xEE, size_t((w + 8) * h));
        for (int y = 0; y < h; ++y) std::memset(c.target.pixels + y * (w + 8), 0, size_t(w));
        c.target.cx = wild(100);
        const int32_t range = round % 3 == 0 ? INT32_MAX : round % 3 == 1 ? 100000 : 60;
        RasterVertex v[3];
        for (auto& k : v) k = RasterVertex{wild(range), wild(range), wild(range), wild(range), wild(range), wild(range)};
        const TexelSource s = p.source();
        switch (round % 4) {
        case 0: rasterShaded(c.target, v[0], v[1], v[2], int(random()), uint8_t(round)); break;
        case 1: rasterShadedZ(c.target, v[0], v[1], v[2], int(random()), uint8_t(round)); break;
        case 2: rasterTextured(c.target, v[0], v[1], v[2], s, uint8_t(round)); break;
        default: rasterTexturedZ(c.target, v[0], v[1], v[2], s, uint8_t(round)); break;
        }
        drawLine(c.target, wild(range), wild(range), wild(range), wild(range), 1);
        for (int y = 0; y < h; ++y)
            for (int x = w; x < w + 8; ++x) ASSERT_EQ(c.target.pixels[y * (w + 8) + x], 0xEE) << round;
    }
}
