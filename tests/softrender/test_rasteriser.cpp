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
} const rowShades;

struct Canvas {
    Frame frame;
    DrawTarget target;
    explicit Canvas(int w, int h, bool z = false, int pitch = 0)
        : frame(w, h, z, pitch), target(frame.target(rowShades.map))
    {
    }
    uint8_t at(int x, int y) const { return frame.pixel(x, y); }
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

TEST(RasteriserFill, CoversTheTriangleRowByRowWithItsColourAndLevel)
{
    Canvas c(64, 48);
    rasterShaded(c.target, corner(10, 10), corner(10, 30), corner(30, 30), 0, 200); // light 512: level 32
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = (y >= 10 && y < 30 && x >= 10 && x <= y) || (y == 30 && x >= 10 && x <= 30);
            EXPECT_EQ(c.at(x, y) == 32, inside) << x << "," << y;
        }
    rasterShaded(c.target, corner(40, 2, 1018), corner(40, 8, 1018), corner(46, 8, 1018), 3, 200);
    EXPECT_EQ(c.at(41, 6), 3 * 64 + 63); // light 1018 is level 63 of colour 3
}

TEST(RasteriserFill, BackFacesDrawNeitherFillNorOutline)
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
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(c.at(60, 10 + i), 200) << i; // A -> B
        EXPECT_EQ(c.at(60 + i, 30), 200) << i; // B -> C
        EXPECT_EQ(c.at(60 + i, 10 + i), 200) << i; // C -> A
    }
    EXPECT_EQ(c.count(200), 21 + 20 + 19);
    EXPECT_EQ(c.at(10, 20), 32); // the fill stays where it was
}

TEST(RasteriserFill, SpanEnds)
{
    Canvas c(20, 16, false, 32);
    std::memset(c.target.pixels, 0xEE, 32 * 16); // mark the padding between width and pitch
    for (int y = 0; y < 16; ++y) std::memset(c.target.pixels + y * 32, 0, 20);
    // All corners on one row: sorted with ties in winding order, the span
    // runs from the middle corner (B) to the bottom one (C).
    rasterShaded(c.target, corner(5, 8), corner(17, 8), corner(12, 8), 0, 200);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(c.at(x, 8) == 32, x >= 12 && x <= 17) << x;
    // From x = -10 (level 0) to x = 5 (level 60): four levels a pixel from pixel 0.
    rasterShaded(c.target, corner(-10, 4, 0), corner(-10, 4, 0), corner(5, 4, 960), 0, 200);
    for (int x = 0; x <= 5; ++x) EXPECT_EQ(c.at(x, 4), 40 + 4 * x) << x;
    EXPECT_EQ(c.at(6, 4), 0);
    // From x = 10 (level 0) to x = 40 (level 60): the last pixel takes the right end's colour.
    rasterShaded(c.target, corner(10, 3, 0), corner(10, 3, 0), corner(40, 3, 960), 0, 200);
    for (int x = 10; x < 19; ++x) EXPECT_EQ(c.at(x, 3), 2 * (x - 10)) << x;
    EXPECT_EQ(c.at(19, 3), 60);
    // A triangle reaching above row 0 is cut there: on row y its long edge is at x = y + 100.
    Canvas tall(256, 64);
    rasterShaded(tall.target, corner(0, -100), corner(0, 100), corner(200, 100), 0, 200);
    EXPECT_EQ(tall.at(100, 0), 32);
    EXPECT_EQ(tall.at(101, 0), 0);
    EXPECT_EQ(tall.at(163, 63), 32);
    EXPECT_EQ(tall.at(164, 63), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 20; x < 32; ++x) ASSERT_EQ(c.target.pixels[y * 32 + x], 0xEE);
}

// Which rows a triangle fills, and how wide its first and last rows are:
// the top and bottom rows (a single apex pixel, or a whole flat edge) are
// drawn, and a triangle leaving the frame is drawn up to its last row.
TEST(RasteriserFill, RowsFromTopToBottomIncludedAndClippedAtTheFrame)
{
    const struct {
        int ax, ay, bx, by, cx, cy;
        int firstRow, lastRow, firstWidth, lastWidth;
    } cases[] = {
        {0, 0, 20, 0, 10, 10, 0, 10, 21, 1},        // pointing down: the apex row is one pixel
        {10, 0, 0, 10, 20, 10, 0, 10, 1, 21},       // pointing up: the flat bottom row is whole
        {0, 0, 20, 0, 10, 31, 0, 31, 21, -1},       // apex on the frame's last row
        {5, 5, 5, 100, 40, 100, 5, 31, -1, -1},     // leaves the frame at the bottom
        {0, 0, 30, 31, 10, 50, 0, 31, -1, -1},      // middle corner on the last row
        {0, 0, 30, 40, 10, 50, 0, 31, -1, -1},      // middle corner below the frame
        {3, -20, 30, 12, 3, 12, 0, 12, -1, 28},     // starts above the frame
        {2, 7, 9, 7, 30, 7, 7, 7, 22, 22},          // one row: from the middle corner to the last
        {2, 0, 9, 0, 30, 0, 0, 0, 22, 22},          // one row, the frame's first
    };
    using Draw = void (*)(const DrawTarget&, const RasterVertex&, const RasterVertex&, const RasterVertex&);
    const Draw variants[] = {
        [](const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
            rasterShaded(t, a, b, c, 0, 200);
        },
        [](const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
            rasterTexturedZ(t, a, b, c, TexelSource{nullptr, 0, 0, 0}, 200);
        },
    };
    for (Draw draw : variants)
        for (const auto& k : cases) {
            Canvas c(48, 32, true);
            c.target.cx = 100000; // the outline copy falls outside the frame
            const RasterVertex a = corner(k.ax, k.ay), b = corner(k.bx, k.by), d = corner(k.cx, k.cy);
            draw(c.target, a, b, d);
            if (c.count(0) == 48 * 32) draw(c.target, a, d, b); // the other winding faces the viewer
            std::vector<int> width(32, 0);
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 48; ++x) width[size_t(y)] += c.at(x, y) != 0;
            const std::string what = "triangle " + std::to_string(k.ax) + "," + std::to_string(k.ay) + " " +
                                     std::to_string(k.bx) + "," + std::to_string(k.by) + " " +
                                     std::to_string(k.cx) + "," + std::to_string(k.cy);
            for (int y = 0; y < 32; ++y)
                EXPECT_EQ(width[size_t(y)] > 0, y >= k.firstRow && y <= k.lastRow) << what << " row " << y;
            if (k.firstWidth >= 0) {
                EXPECT_EQ(width[size_t(k.firstRow)], k.firstWidth) << what;
            }
            if (k.lastWidth >= 0) {
                EXPECT_EQ(width[size_t(k.lastRow)], k.lastWidth) << what;
            }
        }
}

TEST(RasteriserFill, LevelSixtyThreeDithersThreeOfFourPixelsToWhite)
{
    GMTBL table;
    ASSERT_EQ(table.getm(255, 0, 0, 0.2f, 1.0f, 0.0f), 0);
    ASSERT_TRUE(table.buildShades());
    Frame frame(16, 16, false);
    const DrawTarget t = frame.target(table);
    rasterShaded(t, corner(0, 0, 1018), corner(0, 15, 1018), corner(15, 15, 1018), 0, 200);
    rasterShaded(t, corner(0, 0, 1018), corner(15, 15, 1018), corner(15, 0, 1018), 0, 200);
    // Ramp step 15 is (255, 0, 0), the static red of entry 249; the step
    // above the ramp is the static white, 255.
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            EXPECT_EQ(frame.pixel(x, y), (y % 2) * 2 + x % 2 == 2 ? 249 : 255) << x << "," << y;
}

TEST(RasteriserDepth, NearerWinsWhicheverIsFirstAndTiesKeepTheFirst)
{
    auto square = [](Canvas& c, int rz, int base) {
        rasterShadedZ(c.target, corner(0, 0, 512, rz), corner(0, 31, 512, rz), corner(31, 31, 512, rz), base, 200);
    };
    for (int order = 0; order < 2; ++order) {
        Canvas c(32, 32, true);
        square(c, order ? 1000 : 2000, order ? 2 : 1);
        square(c, order ? 2000 : 1000, order ? 1 : 2);
        EXPECT_EQ(c.at(5, 20), 64 + 32) << order;
        EXPECT_EQ(c.frame.depth(5, 20), 2000 * 2048);
    }
    Canvas c(32, 32, true);
    square(c, 1500, 1);
    square(c, 1500, 2);
    square(c, 0, 3); // depth 0 never beats a cleared buffer either
    EXPECT_EQ(c.at(5, 20), 64 + 32);
    EXPECT_EQ(c.count(2 * 64 + 32), 0); // only the later outlines (entry 200) cover the edges
    EXPECT_EQ(c.count(3 * 64 + 32), 0);
}

TEST(RasteriserTexture, ReadsTexelsAndFallsBackOutsideThePattern)
{
    // A 4 x 4 pattern of colour 2 with colour 3 at column 2, row 1.
    int32_t texels[16];
    const int32_t* rows[4];
    for (int i = 0; i < 16; ++i) texels[i] = 2 * 64;
    texels[1 * 4 + 2] = 3 * 64;
    for (int r = 0; r < 4; ++r) rows[r] = texels + 4 * r;
    const TexelSource pattern{rows, 4, 4, 5 * 64};
    Canvas c(32, 8, true);
    // Row 2: u from -2 to 6 texels over x = 0..16 (half a texel a pixel), v at row 1, level 10.
    rasterTexturedZ(c.target, corner(0, 2, 160, 1000, -2 << 10, 1 << 10), corner(0, 2, 160, 1000, -2 << 10, 1 << 10),
                    corner(16, 2, 160, 1000, 6 << 10, 1 << 10), pattern, 200);
    for (int x = 0; x <= 16; ++x) {
        const int u = -2 * 1024 + x * 512;
        const int row = u < 0 || (u >> 10) >= 4 ? 5 * 64 : (u >> 10) == 2 ? 3 * 64 : 2 * 64;
        EXPECT_EQ(c.at(x, 2), uint8_t(row + 10)) << x;
    }
    const TexelSource none{nullptr, 4, 4, 7 * 64}; // nothing loaded: the material's own colour
    rasterTextured(c.target, corner(0, 4), corner(0, 4), corner(3, 4), none, 200);
    EXPECT_EQ(c.at(1, 4), uint8_t(7 * 64 + 32));
}

TEST(RasteriserLines, StepIn16Dot16AndAreClippedToTheFrame)
{
    Canvas c(16, 16);
    drawLine(c.target, 0, 0, 10, 3, 9);
    drawLine(c.target, 0, 13, 10, 10, 8);
    drawLine(c.target, 12, 1, 14, 9, 7);
    const int rising[11] = {0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 3}; // y for x = 0..10
    for (int x = 0; x <= 10; ++x) {
        EXPECT_EQ(c.at(x, rising[x]), 9) << x;
        EXPECT_EQ(c.at(x, 13 - rising[x]), 8) << x; // falling: rounded the same way
    }
    const int steep[9] = {12, 12, 12, 13, 13, 13, 14, 14, 14}; // x for y = 1..9
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(c.at(steep[y - 1], y), 7) << y;
    EXPECT_EQ(c.count(9) + c.count(8) + c.count(7), 11 + 11 + 9);

    Canvas d(20, 20);
    drawLine(d.target, -50, 10, 50, 10, 9);
    EXPECT_EQ(d.count(9), 20);
    drawLine(d.target, -1000, -1000, 1000, 1000, 8);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(d.at(i, i), 8) << i;
    drawLine(d.target, -5, -5, -1, 30, 7); // wholly left of the frame
    drawLine(d.target, 3, 25, 40, 21, 7);  // wholly below it
    EXPECT_EQ(d.count(7), 0);
}

TEST(RasteriserSafety, WildCornersNeverWriteOutsideTheFrame)
{
    std::mt19937 random(7);
    auto wild = [&](int32_t range) { return int32_t(std::uniform_int_distribution<int64_t>(-range, range)(random)); };
    int32_t texels[16] = {};
    const int32_t* rows[4] = {texels, texels + 4, texels + 8, texels + 12};
    const TexelSource pattern{rows, 4, 4, 64};
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + int(random() % 40), h = 1 + int(random() % 30);
        Canvas c(w, h, true, w + 8);
        std::memset(c.target.pixels, 0xEE, size_t((w + 8) * h));
        c.frame.clear();
        c.target.cx = wild(100);
        const int32_t range = round % 3 == 0 ? INT32_MAX : round % 3 == 1 ? 100000 : 60;
        RasterVertex v[3];
        for (auto& k : v)
            k = RasterVertex{wild(range), wild(range), wild(range), wild(range), wild(range), wild(range)};
        switch (round % 4) {
        case 0: rasterShaded(c.target, v[0], v[1], v[2], int(random()), uint8_t(round)); break;
        case 1: rasterShadedZ(c.target, v[0], v[1], v[2], int(random()), uint8_t(round)); break;
        case 2: rasterTextured(c.target, v[0], v[1], v[2], pattern, uint8_t(round)); break;
        default: rasterTexturedZ(c.target, v[0], v[1], v[2], pattern, uint8_t(round)); break;
        }
        drawLine(c.target, wild(range), wild(range), wild(range), wild(range), 1);
        for (int y = 0; y < h; ++y)
            for (int x = w; x < w + 8; ++x) ASSERT_EQ(c.target.pixels[y * (w + 8) + x], 0xEE) << round;
    }
}
