#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
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

// The fill rules stated pixel by pixel: a pixel is drawn when its centre is
// inside all three edges (top-left edges own the centres on them) and its
// depth is less than the stored one; its depth and colour come from the
// weights of b and c. rasterTriangle must give exactly these pixels, whether
// a span goes pixel by pixel or four pixels at a time.
void referenceTriangle(const RasterVertex& a, RasterVertex b, RasterVertex c, const RasterState& s,
                       const RasterTarget& target)
{
    auto edge = [](const RasterVertex& p, const RasterVertex& q, int64_t x, int64_t y) {
        return int64_t(q.x - p.x) * (y - p.y) - int64_t(q.y - p.y) * (x - p.x);
    };
    auto owns = [](const RasterVertex& p, const RasterVertex& q) { return (q.y == p.y && q.x > p.x) || q.y < p.y; };
    int64_t area = edge(a, b, c.x, c.y);
    if (area == 0) return;
    if (area < 0) std::swap(b, c), area = -area;
    const float inv = 1.0f / float(area);
    for (int32_t y = std::max(s.clip.y1, 0); y <= std::min(s.clip.y2, target.height - 1); ++y)
        for (int32_t x = std::max(s.clip.x1, 0); x <= std::min(s.clip.x2, target.width - 1); ++x) {
            const int64_t px = int64_t(x) * 16 + 8, py = int64_t(y) * 16 + 8;
            const int64_t ea = edge(b, c, px, py), eb = edge(c, a, px, py), ec = edge(a, b, px, py);
            if (ea < 0 || eb < 0 || ec < 0) continue;
            if ((ea == 0 && !owns(b, c)) || (eb == 0 && !owns(c, a)) || (ec == 0 && !owns(a, b))) continue;
            const float wb = float(eb) * inv, wc = float(ec) * inv;
            const float z = a.z + wb * (b.z - a.z) + wc * (c.z - a.z);
            float& depth = target.depth[size_t(y) * size_t(target.width) + size_t(x)];
            if (s.zEnable && !(z < depth)) continue;
            auto channel = [&](float RasterVertex::*m, float RasterVertex::*shine) {
                float v = a.*m + wb * (b.*m - a.*m) + wc * (c.*m - a.*m);
                if (s.specular) v += a.*shine + wb * (b.*shine - a.*shine) + wc * (c.*shine - a.*shine);
                return v;
            };
            target.pixels[size_t(y) * size_t(target.width) + size_t(x)] =
                packColour(channel(&RasterVertex::r, &RasterVertex::sr), channel(&RasterVertex::g, &RasterVertex::sg),
                           channel(&RasterVertex::b, &RasterVertex::sb));
            if (s.zEnable && s.zWrite) depth = z;
        }
}

TEST(TriangleRaster, RandomTrianglesMatchThePixelByPixelRules)
{
    // An odd width, so that rows do not start on a four-pixel boundary.
    constexpr int32_t width = 61, height = 37;
    std::mt19937 random(7);
    auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    auto coin = [&](int in) { return std::uniform_int_distribution<int>(0, in - 1)(random) == 0; };
    for (int scene = 0; scene < 40; ++scene) {
        std::vector<uint32_t> pixels[2] = {std::vector<uint32_t>(width * height), std::vector<uint32_t>(width * height)};
        std::vector<float> depth[2] = {std::vector<float>(width * height, 1.0f),
                                       std::vector<float>(width * height, 1.0f)};
        for (int n = 0; n < 60; ++n) {
            // Mostly on the screen, some far past it (edge values beyond 32
            // bits), depths on a coarse grid and often level so that equal
            // depths are common, colours a little outside 0..1 so that
            // clamping is exercised.
            const float reach = coin(8) ? 3e5f : 30.0f;
            const bool level = coin(2);
            const float z = float(int(uniform(0, 8))) / 8;
            RasterVertex v[3];
            for (RasterVertex& p : v) {
                p = vertex(uniform(-reach, width + reach), uniform(-reach, height + reach),
                           level ? z : float(int(uniform(0, 8))) / 8, uniform(-0.2f, 1.2f), uniform(-0.2f, 1.2f),
                           uniform(-0.2f, 1.2f));
                p.sr = uniform(0, 0.3f), p.sg = uniform(0, 0.3f), p.sb = uniform(0, 0.3f);
            }
            RasterState s;
            s.specular = coin(2);
            s.zEnable = !coin(6);
            s.zWrite = !coin(6);
            s.clip = coin(4) ? Rect{3, 2, width - 5, height - 4} : Rect{0, 0, width - 1, height - 1};
            Rect drawn;
            rasterTriangle(v[0], v[1], v[2], s, {pixels[0].data(), depth[0].data(), width, height}, drawn);
            referenceTriangle(v[0], v[1], v[2], s, {pixels[1].data(), depth[1].data(), width, height});
            ASSERT_EQ(pixels[0], pixels[1]) << "scene " << scene << " triangle " << n;
            ASSERT_EQ(depth[0], depth[1]) << "scene " << scene << " triangle " << n;
        }
    }
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
    EXPECT_EQ(snapToSubpixel(-0.03125f), 0);   // exactly half rounds up
    EXPECT_EQ(snapToSubpixel(-1.53f), -24);    // -24.48
    EXPECT_EQ(snapToSubpixel(-0.04f), -1);     // -0.64
    EXPECT_EQ(snapToSubpixel(-134217728.0f), INT32_MIN); // -2^31 exactly
    EXPECT_EQ(snapToSubpixel(134217720.0f), 2147483520);
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
