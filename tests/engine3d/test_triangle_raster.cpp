#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine3d/triangle_raster.h"

namespace quillo::engine3d {
namespace {

constexpr int side = 32;

struct Planes {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(side * side, 0);
    std::vector<float> depth = std::vector<float>(side * side, 1.0f);
    RasterTarget target() { return {pixels.data(), depth.data(), side, side}; }
};

RasterVertex vertex(float x, float y, float z = 0.5f, float r = 1, float g = 1, float b = 1)
{
    RasterVertex v{};
    v.x = snapToSubpixel(x);
    v.y = snapToSubpixel(y);
    v.z = z;
    v.invW = 1;
    v.r = r, v.g = g, v.b = b;
    return v;
}

RasterState plainState()
{
    RasterState s;
    s.specular = false;
    s.clip = Rect{0, 0, side - 1, side - 1};
    return s;
}

// How often each pixel is covered by the given triangles (drawn one at a time).
std::vector<int> coverage(const std::vector<std::array<RasterVertex, 3>>& triangles)
{
    std::vector<int> count(side * side, 0);
    for (const auto& t : triangles) {
        Planes p;
        Rect drawn;
        RasterState s = plainState();
        s.zEnable = false;
        rasterTriangle(t[0], t[1], t[2], s, p.target(), drawn);
        for (int i = 0; i < side * side; ++i) count[size_t(i)] += p.pixels[size_t(i)] != 0;
    }
    return count;
}

struct QuadCase {
    const char* name;
    float x0, y0, x1, y1; // corners of the quad, split along one diagonal
    bool otherDiagonal;
};

class SharedEdges : public ::testing::TestWithParam<QuadCase> {};

TEST_P(SharedEdges, CoverEachPixelOnce)
{
    const QuadCase q = GetParam();
    const RasterVertex a = vertex(q.x0, q.y0), b = vertex(q.x1, q.y0), c = vertex(q.x1, q.y1), d = vertex(q.x0, q.y1);
    std::vector<std::array<RasterVertex, 3>> tris;
    if (q.otherDiagonal) tris = {{a, b, d}, {b, c, d}};
    else tris = {{a, b, c}, {a, c, d}};
    const std::vector<int> n = coverage(tris);
    // Exactly the pixels of the quad as one rectangle: centres inside
    // [x0, x1) x [y0, y1), so a centre on the top or left edge is drawn and
    // one on the bottom or right edge is not.
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float cx = x + 0.5f, cy = y + 0.5f;
            const bool inside = cx >= q.x0 && cx < q.x1 && cy >= q.y0 && cy < q.y1;
            EXPECT_EQ(n[size_t(y * side + x)], inside ? 1 : 0) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Quads, SharedEdges,
                         ::testing::Values(QuadCase{"aligned", 2, 2, 10, 10, false},
                                           QuadCase{"alignedOther", 2, 2, 10, 10, true},
                                           QuadCase{"centresOnEdges", 2.5f, 3.5f, 12.5f, 9.5f, false},
                                           QuadCase{"fractional", 1.3f, 4.7f, 20.1f, 27.9f, true},
                                           QuadCase{"thin", 0, 5, 31, 6, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TriangleRaster, AFanAroundOnePointCoversEachPixelOnce)
{
    std::vector<std::array<RasterVertex, 3>> tris;
    const float cx = 15.3f, cy = 16.8f;
    for (int k = 0; k < 12; ++k) {
        const double t0 = k * 2 * M_PI / 12, t1 = (k + 1) * 2 * M_PI / 12;
        tris.push_back({vertex(cx, cy), vertex(cx + 13 * float(std::cos(t0)), cy + 13 * float(std::sin(t0))),
                        vertex(cx + 13 * float(std::cos(t1)), cy + 13 * float(std::sin(t1)))});
    }
    for (int c : coverage(tris)) EXPECT_LE(c, 1);
}

TEST(TriangleRaster, EqualDepthKeepsTheFirstPixel)
{
    Planes p;
    Rect drawn;
    rasterTriangle(vertex(0, 0, 0.5f, 1, 0, 0), vertex(0, 20, 0.5f, 1, 0, 0), vertex(20, 0, 0.5f, 1, 0, 0), plainState(),
                   p.target(), drawn);
    rasterTriangle(vertex(0, 0, 0.5f, 0, 1, 0), vertex(0, 20, 0.5f, 0, 1, 0), vertex(20, 0, 0.5f, 0, 1, 0), plainState(),
                   p.target(), drawn);
    EXPECT_EQ(p.pixels[size_t(2 * side + 2)], 0xFF0000u);
    // A nearer one wins.
    rasterTriangle(vertex(0, 0, 0.25f, 0, 0, 1), vertex(0, 20, 0.25f, 0, 0, 1), vertex(20, 0, 0.25f, 0, 0, 1),
                   plainState(), p.target(), drawn);
    EXPECT_EQ(p.pixels[size_t(2 * side + 2)], 0x0000FFu);
}

TEST(TriangleRaster, ReportsTheCoveredRectangleAndKeepsToTheClip)
{
    Planes p;
    Rect drawn;
    RasterState s = plainState();
    s.clip = Rect{4, 4, 9, 9};
    rasterTriangle(vertex(-50, -50), vertex(-50, 80), vertex(80, -50), s, p.target(), drawn);
    EXPECT_EQ(drawn, (Rect{4, 4, 9, 9}));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            EXPECT_EQ(p.pixels[size_t(y * side + x)] != 0, x >= 4 && x <= 9 && y >= 4 && y <= 9) << x << "," << y;
}

TEST(TriangleRaster, ADegenerateTriangleDrawsNothing)
{
    Planes p;
    Rect drawn;
    rasterTriangle(vertex(1, 1), vertex(10, 10), vertex(20, 20), plainState(), p.target(), drawn);
    EXPECT_TRUE(drawn.empty());
}

TEST(TriangleRaster, SnappingSaturates)
{
    EXPECT_EQ(snapToSubpixel(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(snapToSubpixel(1e30f), INT32_MAX);
    EXPECT_EQ(snapToSubpixel(-1e30f), INT32_MIN);
    EXPECT_EQ(snapToSubpixel(1.53f), 24); // 1.53 * 16 = 24.48
    EXPECT_EQ(snapToSubpixel(-0.03125f), 0);
}

TEST(TriangleRaster, ColoursClampAndPack)
{
    EXPECT_EQ(packColour(1.5f, 0.5f, -1.0f), 0xFF8000u);
    EXPECT_EQ(packColour(std::nanf(""), 0, 1), 0x0000FFu);
}

TEST(TriangleRaster, TexelsAreModulatedByTheColour)
{
    Surface t;
    t.width = 2, t.height = 1;
    t.pixels = {0xFF8040, 0x00FF00};
    Planes p;
    Rect drawn;
    RasterState s = plainState();
    s.texture = &t;
    s.perspective = false;
    RasterVertex a = vertex(0, 0, 0.5f, 0.5f, 1, 1), b = vertex(0, 30, 0.5f, 0.5f, 1, 1), c = vertex(30, 0, 0.5f, 0.5f, 1, 1);
    a.uw = b.uw = c.uw = 0.1f; // the left texel everywhere
    rasterTriangle(a, b, c, s, p.target(), drawn);
    EXPECT_EQ(p.pixels[size_t(side + 1)], packColour(0.5f, 128 / 255.0f, 64 / 255.0f));
}

} // namespace
} // namespace quillo::engine3d
