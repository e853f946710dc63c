#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "device_fixture.h"
#include "engine3d/gmtbl.h"
#include "engine3d/load_surface.h"
#include "engine3d/texture_entry.h"
#include "model/messages.h"
#include "support/bmp_writer.h"

namespace quillo::engine3d::test {
namespace {

using quillo::test::BmpShape;
using quillo::test::TempDir;
using quillo::test::writeBmp;
using quillo::test::writeText;

struct Pictures {
    TempDir dir;
    MessageLog log;
    std::string write(const std::string& name, const BmpShape& shape)
    {
        writeBmp(dir / name, shape);
        return dir / name;
    }
};

struct DepthCase {
    uint16_t bits;
    std::vector<uint32_t> palette;
};

class SurfaceDepths : public ::testing::TestWithParam<DepthCase> {};

TEST_P(SurfaceDepths, UnpackEveryPixelBottomRowFirst)
{
    Pictures p;
    BmpShape s;
    s.bitsPerPixel = GetParam().bits;
    s.palette = GetParam().palette;
    s.width = 5, s.height = 3;
    const int colours = int(s.palette.size());
    for (int i = 0; i < 15; ++i) s.pixels.push_back(uint8_t((i * 7 + i / 5) % colours));
    Surface out;
    ASSERT_TRUE(loadsurface(p.write("p.bmp", s), out, false, KeyColour()));
    EXPECT_TRUE(p.log.messages.empty());
    ASSERT_EQ(out.width, 5);
    ASSERT_EQ(out.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(out.at(x, y), s.palette[s.pixels[size_t(y * 5 + x)]]) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Bits, SurfaceDepths,
                         ::testing::Values(DepthCase{1, {0x000000, 0xFFFFFF}}, DepthCase{2, {0x010203, 0xA0B0C0, 0xFF0000, 0x00FF00}},
                                           DepthCase{4, {0x000000, 0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x123456}},
                                           DepthCase{8, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080}}),
                         [](const auto& info) { return std::to_string(info.param.bits) + "bit"; });

struct RefusalCase {
    const char* name;
    BmpShape shape;
    std::string bytesOverride; // used instead of the shape when not empty
    const char* message;       // with %s for the path
};

class SurfaceRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SurfaceRefusals, GiveOneMessageAndLeaveTheSurface)
{
    Pictures p;
    const RefusalCase& c = GetParam();
    const std::string path = p.dir / "bad.bmp";
    if (c.bytesOverride.empty()) writeBmp(path, c.shape);
    else writeText(path, c.bytesOverride);
    Surface s;
    s.width = 1, s.height = 1, s.pixels = {0x123456};
    EXPECT_FALSE(loadsurface(path, s, false, KeyColour()));
    ASSERT_EQ(p.log.messages.size(), 1u);
    EXPECT_EQ(p.log.messages[0], formatMessage(c.message, path.c_str()).substr(0, p.log.messages[0].size()));
    EXPECT_EQ(s.pixels, std::vector<uint32_t>{0x123456});
}

BmpShape with(void (*change)(BmpShape&))
{
    BmpShape s;
    change(s);
    return s;
}

// A 4 x 4 file whose header claims another width (its pixels are not written for it).
std::string withWidth(int32_t width)
{
    std::string b = quillo::test::bmpBytes(BmpShape());
    for (int i = 0; i < 4; ++i) b[size_t(18 + i)] = char((uint32_t(width) >> (8 * i)) & 0xFF);
    return b;
}

const char* const notBmp = "%s はｂｍｐファイルではありません";
const char* const not256 = "%s は２５６色ｂｍｐファイルではありません";
const char* const unreadable = "%s の形式のｂｍｐファイルは読めません";

INSTANTIATE_TEST_SUITE_P(
    Files, SurfaceRefusals,
    ::testing::Values(
        RefusalCase{"notBm", BmpShape(), "XM0000000000000000000000000000000000000000000000000000000", notBmp},
        RefusalCase{"empty", BmpShape(), std::string("B"), notBmp},
        RefusalCase{"header12", with([](BmpShape& s) { s.headerSize = 12; }), "", not256},
        RefusalCase{"bits24", with([](BmpShape& s) { s.bitsPerPixel = 24; }), "", unreadable},
        RefusalCase{"rle8", with([](BmpShape& s) { s.compression = 1; }), "", unreadable},
        RefusalCase{"bits3", with([](BmpShape& s) { s.bitsPerPixel = 3; }), "", unreadable},
        RefusalCase{"topDown", with([](BmpShape& s) { s.height = -4; }), "", unreadable},
        RefusalCase{"zeroWidth", with([](BmpShape& s) { s.width = 0; }), "", unreadable},
        RefusalCase{"absurd", BmpShape(), withWidth(1 << 30), unreadable},
        RefusalCase{"truncated", BmpShape(), quillo::test::bmpBytes(BmpShape()).substr(0, 70), notBmp}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadSurface, AMissingFileIsNamed)
{
    Pictures p;
    Surface s;
    EXPECT_FALSE(loadsurface(p.dir / "none.bmp", s, false, KeyColour()));
    ASSERT_EQ(p.log.messages.size(), 1u);
    EXPECT_EQ(p.log.messages[0], "ファイル " + (p.dir / "none.bmp") + " が見つかりません");
}

TEST(LoadSurface, AReloadOfAnotherSizeIsRefused)
{
    Pictures p;
    BmpShape small;
    Surface s;
    ASSERT_TRUE(loadsurface(p.write("a.bmp", small), s, false, KeyColour()));
    BmpShape big;
    big.width = 8;
    EXPECT_FALSE(loadsurface(p.write("b.bmp", big), s, true, KeyColour()));
    ASSERT_EQ(p.log.messages.size(), 1u);
    EXPECT_EQ(p.log.messages[0], "ｂｍｐファイルのサイズが違います\nloadsurface関数");
    EXPECT_EQ(s.width, 4);
}

TEST(LoadSurface, TheKeyColourReplacesTheBottomLeftColourAndMissingEntriesAreBlack)
{
    Pictures p;
    BmpShape s;
    s.width = 2, s.height = 2;
    s.palette = {0x000000, 0xFF0000};
    s.pixels = {1, 9, 1, 0}; // top row, then the bottom row starting with index 1
    Surface out;
    ASSERT_TRUE(loadsurface(p.write("k.bmp", s), out, false, KeyColour{10, 20, 300}));
    EXPECT_EQ(out.at(0, 1), 0x0A14FFu);
    EXPECT_EQ(out.at(0, 0), 0x0A14FFu); // every pixel of that index
    EXPECT_EQ(out.at(1, 0), 0x000000u); // index 9 is not in the file's palette
    EXPECT_EQ(out.at(1, 1), 0x000000u);
}

TEST(LoadSurface, EveryFileOfTheBmpSuiteLoadsOrIsRefusedWithOneMessage)
{
    const std::filesystem::path suite = std::filesystem::path(QUILLO_CORPUS_DIR) / "bmpsuite";
    if (!std::filesystem::exists(suite)) GTEST_SKIP() << "no BMP Suite at " << suite;
    int files = 0, loaded = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(suite)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".bmp") continue;
        ++files;
        MessageLog log;
        Surface s;
        const bool ok = loadsurface(entry.path().string(), s, false, KeyColour());
        if (ok) {
            ++loaded;
            EXPECT_TRUE(log.messages.empty()) << entry.path();
            EXPECT_EQ(s.pixels.size(), size_t(s.width) * size_t(s.height)) << entry.path();
        } else {
            EXPECT_EQ(log.messages.size(), 1u) << entry.path();
        }
    }
    EXPECT_GT(files, 20);
    EXPECT_GT(loaded, 5);
}

class TextureTest : public DeviceFixture {
public:
    Pictures pictures;
    TextureEntry entry = makeTextureEntry();

    void addPattern(const std::string& path)
    {
        std::snprintf(entry.patternPaths[entry.patternCount++], texturePathSize, "%s", path.c_str());
    }
    void TearDown() override { releaseTextureEntry(device, entry); }
};

TEST_F(TextureTest, PatternsSwitchBehindOneHandle)
{
    BmpShape a, b;
    a.pixels.assign(16, 1);
    b.pixels.assign(16, 2);
    addPattern(pictures.write("a.bmp", a));
    addPattern(pictures.write("b.bmp", b));
    ASSERT_TRUE(loadtexture(device, entry));
    const TextureHandle h = entry.handle;
    ASSERT_NE(h, 0u);
    const MaterialHandle m = colourMaterial(1, 1, 1, h);
    auto centre = [&] {
        device.clearDepth(Rect{0, 0, 63, 63});
        draw(batchOf({at(-8, -8, 64, 0.5f, 0.5f), at(-8, 8, 64, 0.5f, 0.5f), at(8, -8, 64, 0.5f, 0.5f)}, {0, 1, 2}, m, h));
        return device.target().at(28, 28);
    };
    EXPECT_EQ(centre(), 0xFF0000u);
    selectPattern(device, entry, 1);
    EXPECT_EQ(entry.handle, h);
    EXPECT_EQ(centre(), 0x00FF00u);
    selectPattern(device, entry, 2);  // out of range: nothing changes
    selectPattern(device, entry, -1);
    EXPECT_EQ(entry.currentPattern, 1);
    EXPECT_EQ(centre(), 0x00FF00u);
}

TEST_F(TextureTest, APatternOfAnotherSizeIsRefusedAndTheTextureKeepsWorking)
{
    BmpShape a, big;
    big.width = 8;
    addPattern(pictures.write("a.bmp", a));
    addPattern(pictures.write("big.bmp", big));
    ASSERT_TRUE(loadtexture(device, entry));
    ASSERT_EQ(pictures.log.messages.size(), 1u);
    EXPECT_EQ(pictures.log.messages[0], "ｂｍｐファイルのサイズが違います\nloadsurface関数");
    EXPECT_EQ(entry.patterns[1], nullptr);
    selectPattern(device, entry, 1);
    EXPECT_EQ(entry.currentPattern, 0);
    EXPECT_NE(entry.handle, 0u);
}

TEST_F(TextureTest, WithoutItsFirstPictureATextureHasNoHandle)
{
    addPattern(pictures.dir / "none.bmp");
    EXPECT_FALSE(loadtexture(device, entry));
    EXPECT_EQ(entry.handle, 0u);
    selectPattern(device, entry, 0); // no-op without a loaded texture
    EXPECT_EQ(entry.handle, 0u);
}

TEST(TextureCoordinates, ProjectOntoTheRectangleAndClamp)
{
    TextureEntry e = makeTextureEntry();
    e.umin = 0, e.vmin = 10, e.umax = 4, e.vmax = 20;
    float u, v;
    e.projection = planeXY;
    textureCoordinates(e, 1, 15, 99, u, v);
    EXPECT_EQ(u, 0.25f);
    EXPECT_EQ(v, 0.5f);
    e.projection = planeZY;
    textureCoordinates(e, 99, 25, 3, u, v);
    EXPECT_EQ(u, 0.75f);
    EXPECT_EQ(v, 1.0f);
    e.projection = planeXZ;
    textureCoordinates(e, -5, 0, 12, u, v);
    EXPECT_EQ(u, 0.0f);
    EXPECT_EQ(v, 0.2f);
    e.umax = e.umin; // no width: 0, never NaN
    textureCoordinates(e, 1, 0, 12, u, v);
    EXPECT_EQ(u, 0.0f);
}

TEST_F(DeviceFixture, EqualMaterialsShareOneHandle)
{
    GMTBL table(device, false);
    const MaterialHandle a = table.add(255, 0, 0, 0.2f, 0.8f, 0.1f, 0);
    EXPECT_EQ(table.add(255, 0, 0, 0.2f, 0.8f, 0.5f, 0), a); // specular does not tell them apart
    EXPECT_NE(table.add(255, 0, 0, 0.2f, 0.8f, 0.1f, 7), a);
    EXPECT_NE(table.add(0, 255, 0, 0.2f, 0.8f, 0.1f, 0), a);
    EXPECT_EQ(table.count(), 3);
    const MaterialDesc* d = table.desc(0);
    EXPECT_FLOAT_EQ(d->diffuse.r, 0.6f);
    EXPECT_FLOAT_EQ(d->ambient.r, 0.2f);
    EXPECT_EQ(d->diffuse.g, 0.0f);
    EXPECT_EQ(d->power, 80.0f);
    EXPECT_EQ(d->rampSize, 32);
    const MaterialDesc* textured = table.desc(1);
    EXPECT_FLOAT_EQ(textured->diffuse.g, 0.6f); // grey: the texel gives the colour
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_FALSE(device.releaseMaterial(a));
}

} // namespace
} // namespace quillo::engine3d::test
