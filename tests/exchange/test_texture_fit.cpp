// Imported textures: the planar fit finds, for each plane and rectangle the
// renderer may use, one that gives every corner its texel again; triangles
// whose coordinates no planar mapping gives are left out; pictures become
// 8-bit BMP patterns that the model's own reader shows as they were.
#include "exchange/texture_fit.h"
#include "exchange/texture_picture.h"

#include <gtest/gtest.h>

#include <map>

#include "model/bmp_pattern.h"
#include "model/colour_table.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

struct FitCase {
    const char* what;
    int32_t plane;
    PlanarFit rectangle;
    int32_t width, height;
    int32_t from, to, step; // the lattice of points on the plane, grid units
};

// An object whose points lie on a lattice of the plane, lifted off it along
// the third axis (the projection must ignore it), and two triangles per cell;
// as an exporter does, only those that reach the rectangle carry coordinates.
struct Lattice {
    ModelObject object{true};
    std::vector<TexturedTriangle> triangles;
    std::vector<std::array<int32_t, 3>> s, t; // plane coordinates of each triangle's corners

    explicit Lattice(FitCase c)
    {
        c.rectangle.plane = c.plane;
        const int n = (c.to - c.from) / c.step + 1;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const float a = float(c.from + i * c.step) * dt, b = float(c.from + j * c.step) * dt;
                const float lift = float((i * 7 + j * 3) % 5) * 40 * dt;
                Vertex v = c.plane == planeZY ? makeVertex(snap(lift), snap(b), snap(a))
                           : c.plane == planeXZ ? makeVertex(snap(a), snap(lift), snap(b))
                                                : makeVertex(snap(a), snap(b), snap(lift));
                object.vertices.append(v);
            }
        for (int j = 0; j + 1 < n; ++j)
            for (int i = 0; i + 1 < n; ++i) {
                const int32_t p = j * n + i;
                add(c, {p, p + 1, p + n + 1});
                add(c, {p, p + n + 1, p + n});
            }
    }
    void add(const FitCase& c, std::array<int32_t, 3> v)
    {
        TexturedTriangle tri{{v[0], v[1], v[2]}, {}};
        std::array<int32_t, 3> ss{}, tt{};
        for (int k = 0; k < 3; ++k) {
            planeCoordinates(c.plane, object.vertices[v[size_t(k)]], ss[size_t(k)], tt[size_t(k)]);
            tri.uv[k][0] = float(planarTexel(c.width, c.rectangle.x0, c.rectangle.x1, ss[size_t(k)])) / float(c.width);
            tri.uv[k][1] = float(planarTexel(c.height, c.rectangle.y0, c.rectangle.y1, tt[size_t(k)])) / float(c.height);
        }
        if (!touchesRectangle(c.rectangle, ss.data(), tt.data())) return;
        triangles.push_back(tri);
        s.push_back(ss);
        t.push_back(tt);
    }
};

class PlanarFitTable : public ::testing::TestWithParam<FitCase> {};

} // namespace

TEST_P(PlanarFitTable, EveryTexturedCornerGetsItsTexelBack)
{
    dt = defaultGridStep;
    FitCase c = GetParam();
    c.rectangle.plane = c.plane;
    Lattice lattice(c);
    ASSERT_GT(lattice.triangles.size(), 0u) << c.what;

    PlanarFit fit;
    std::vector<char> fits;
    ASSERT_TRUE(fitPlanarTexture(lattice.object.vertices, lattice.triangles, c.width, c.height, fit, fits)) << c.what;
    EXPECT_EQ(fit.plane, c.plane) << c.what;
    size_t fitted = 0;
    for (size_t i = 0; i < fits.size(); ++i) {
        if (!fits[i]) continue;
        ++fitted;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(planarTexel(c.width, fit.x0, fit.x1, lattice.s[i][size_t(k)]),
                      planarTexel(c.width, c.rectangle.x0, c.rectangle.x1, lattice.s[i][size_t(k)]))
                << c.what << " triangle " << i;
            EXPECT_EQ(planarTexel(c.height, fit.y0, fit.y1, lattice.t[i][size_t(k)]),
                      planarTexel(c.height, c.rectangle.y0, c.rectangle.y1, lattice.t[i][size_t(k)]))
                << c.what << " triangle " << i;
        }
    }
    EXPECT_EQ(fitted, lattice.triangles.size()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Planes, PlanarFitTable,
    ::testing::Values(FitCase{"dice face: the rectangle is the face", planeXY, {0, -800, -800, 800, 800}, 4, 4, -800, 800, 1600},
                      FitCase{"lattice of the rectangle", planeXY, {0, -800, -800, 800, 800}, 16, 16, -800, 800, 200},
                      FitCase{"rectangle inside a larger lattice", planeZY, {0, -500, -300, 700, 300}, 16, 8, -1000, 1000, 250},
                      FitCase{"mirrored rectangle", planeXZ, {0, 600, -400, -200, 400}, 8, 8, -800, 800, 100},
                      FitCase{"texels of an odd size", planeXY, {0, 0, 0, 100, 50}, 64, 32, -21, 119, 7}),
    [](const auto& info) { return std::string("case") + std::to_string(info.index); });

TEST(PlanarFit, CornersNoPlanarMappingGivesAreLeftOut)
{
    dt = defaultGridStep;
    const FitCase c{"", planeXY, {planeXY, -800, -800, 800, 800}, 16, 16, -800, 800, 200};
    Lattice lattice(c);
    // Every third triangle gets coordinates turned half a picture: no one rectangle gives them.
    for (size_t i = 0; i < lattice.triangles.size(); i += 3)
        for (auto& uv : lattice.triangles[i].uv) uv[0] = uv[0] < 0.5f ? uv[0] + 0.5f : uv[0] - 0.5f;
    PlanarFit fit;
    std::vector<char> fits;
    ASSERT_TRUE(fitPlanarTexture(lattice.object.vertices, lattice.triangles, 16, 16, fit, fits));
    EXPECT_EQ(fit.x0, -800);
    EXPECT_EQ(fit.x1, 800);
    for (size_t i = 0; i < fits.size(); ++i) EXPECT_EQ(bool(fits[i]), i % 3 != 0) << i;

    // Coordinates that vary along no axis of any plane fit nothing.
    std::vector<TexturedTriangle> flat = lattice.triangles;
    for (auto& tri : flat)
        for (auto& uv : tri.uv) uv[0] = uv[1] = 0.25f;
    EXPECT_FALSE(fitPlanarTexture(lattice.object.vertices, flat, 16, 16, fit, fits));
}

namespace {

// A picture from rows of letters, each a colour ('.' transparent), top row first.
RgbaPicture picture(const std::vector<std::string>& rows)
{
    static const std::map<char, std::array<unsigned char, 4>> colours = {
        {'.', {9, 9, 9, 0}}, {'r', {255, 0, 0, 255}}, {'g', {0, 255, 0, 255}}, {'b', {0, 0, 255, 255}},
        {'w', {255, 255, 255, 255}}, {'k', {0, 0, 0, 255}}};
    RgbaPicture p;
    p.height = int32_t(rows.size());
    p.width = int32_t(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row) {
            const auto& rgba = colours.at(c);
            p.rgba.insert(p.rgba.end(), rgba.begin(), rgba.end());
        }
    return p;
}

// The pattern written as a BMP file and read back through the model's own
// pattern reader with a texture of `key` colour: RGBA as the editor shows it.
std::vector<unsigned char> shown(const PatternPicture& pattern, std::array<int, 3> key, int32_t& w, int32_t& h)
{
    test::TempDir dir;
    test::writeText(dir / "p.bmp", encodeBmp8(pattern));
    Texture t = makeTexture();
    std::snprintf(t.files[0], pathSize, "%s", (dir / "p.bmp").c_str());
    t.patternCount = 1;
    t.red = key[0], t.green = key[1], t.blue = key[2];
    GMTBL table;
    EXPECT_EQ(checkPattern(t, t.files[0], table), 1);
    std::vector<unsigned char> rgba;
    EXPECT_EQ(patternRgba(t, 0, rgba, w, h), 1);
    return rgba;
}

} // namespace

TEST(PatternPicture, AKeyedPictureReadsBackAsItWas)
{
    const RgbaPicture p = picture({"rgbw", "r..w", "kkbb", ".gg."});
    const PatternPicture pattern = patternPicture(p);
    ASSERT_TRUE(pattern.keyed);
    EXPECT_EQ(pattern.pixels[12], 0); // the bottom-left texel is the key
    EXPECT_EQ(pattern.palette.size(), 6u); // the key and five colours, kept exactly
    int32_t w = 0, h = 0;
    const std::vector<unsigned char> back = shown(pattern, {1, 2, 3}, w, h);
    ASSERT_EQ(w, 4);
    ASSERT_EQ(h, 4);
    for (size_t i = 0; i < 16; ++i) {
        if (p.rgba[i * 4 + 3] == 0) { // transparent: the key, shown in the texture's colour
            EXPECT_EQ(back[i * 4 + 3], 0) << i;
            EXPECT_EQ(back[i * 4], 1) << i;
        } else {
            for (size_t k = 0; k < 4; ++k) EXPECT_EQ(back[i * 4 + k], p.rgba[i * 4 + k]) << i << " " << k;
        }
    }
}

TEST(PatternPicture, WidthsBecomePowersOfTwoAndColoursAreReduced)
{
    // Six texels wide: four remain; the bottom-left texel (blue) is opaque, so its colour is the key.
    const PatternPicture narrow = patternPicture(picture({"rrggbb", "bbwwkk"}));
    EXPECT_FALSE(narrow.keyed);
    EXPECT_EQ(narrow.width, 4);
    EXPECT_EQ(narrow.height, 2);
    const auto& key = narrow.palette[narrow.pixels[4]];
    EXPECT_EQ(key, (std::array<uint8_t, 3>{0, 0, 255}));

    // 64 greys in a ramp: at most 15 colours, each texel near its grey.
    RgbaPicture ramp;
    ramp.width = 64;
    ramp.height = 1;
    for (int i = 0; i < 64; ++i) ramp.rgba.insert(ramp.rgba.end(), {uint8_t(i * 4), uint8_t(i * 4), uint8_t(i * 4), 255});
    const PatternPicture reduced = patternPicture(ramp);
    EXPECT_LE(int(reduced.palette.size()), patternColours);
    for (int i = 0; i < 64; ++i)
        EXPECT_LE(std::abs(int(reduced.palette[reduced.pixels[size_t(i)]][0]) - i * 4), 16) << i;
    int32_t w = 0, h = 0;
    const std::vector<unsigned char> back = shown(reduced, {0, 0, 0}, w, h);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(back.size(), 64u * 4);
}

TEST(PatternPicture, BytesThatAreNoPictureOrTooLargeAreRefused)
{
    RgbaPicture out;
    std::string why;
    const unsigned char text[] = "not a picture at all";
    EXPECT_FALSE(decodePicture(text, sizeof text, out, why));
    EXPECT_FALSE(why.empty());
    // A PNG header stating 100000 x 100000 texels: refused before anything is decoded.
    const unsigned char huge[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                  0, 1, 0x86, 0xa0, 0, 1, 0x86, 0xa0, 8, 6, 0, 0, 0};
    why.clear();
    EXPECT_FALSE(decodePicture(huge, sizeof huge, out, why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    // A JPEG whose frame header states 9000 texels across.
    const unsigned char jpeg[] = {0xff, 0xd8, 0xff, 0xe0, 0, 4, 0, 0, 0xff, 0xc0, 0, 11, 8, 0, 16, 0x23, 0x28, 3, 1, 0x11, 0};
    why.clear();
    EXPECT_FALSE(decodePicture(jpeg, sizeof jpeg, out, why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
}
