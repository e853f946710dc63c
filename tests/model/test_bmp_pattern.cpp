#include "model/bmp_pattern.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/colour_table.h"
#include "model/messages.h"
#include "../support/bmp_writer.h"
#include "../support/temp_dir.h"

using namespace quillo;
using quillo::test::BmpShape;
using quillo::test::TempDir;
using quillo::test::writeBmp;

namespace {

struct Fixture {
    TempDir dir;
    MessageLog log;
    GMTBL table;
    Texture texture = makeTexture();

    ~Fixture() { releaseImages(texture); }
    std::string bmp(const std::string& name, const BmpShape& shape)
    {
        writeBmp(dir / name, shape);
        return dir / name;
    }
    std::string lastMessage() const { return log.messages.empty() ? "" : log.messages.back(); }
};

BmpShape shape(int width, int height)
{
    BmpShape s;
    s.width = width;
    s.height = height;
    return s;
}

// Names the pattern files of `t` in order and sets its pattern count.
void setFiles(Texture& t, const std::vector<std::string>& paths)
{
    for (size_t i = 0; i < paths.size(); ++i) std::snprintf(t.files[i], pathSize, "%s", paths[i].c_str());
    t.patternCount = int(paths.size());
}

} // namespace

TEST(BmpPattern, SizeRules)
{
    Fixture f;
    EXPECT_EQ(checkPattern(f.texture, f.bmp("a.bmp", shape(64, 32)).c_str(), f.table), 1); // only the width must be 2^n
    EXPECT_EQ(f.texture.width, 64);
    EXPECT_EQ(f.texture.height, 32);

    std::string path = f.bmp("b.bmp", shape(64, 16));
    EXPECT_EQ(checkPattern(f.texture, path.c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "一つのテクスチャに使うＢＭＰファイルは\n同じ大きさでなければなりません\nファイル " + path);
    EXPECT_EQ(f.texture.height, 32);

    Texture fresh = makeTexture();
    path = f.bmp("c.bmp", shape(48, 64));
    EXPECT_EQ(checkPattern(fresh, path.c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "テクスチャ用ＢＭＰファイルのサイズは\n２のべき乗でなければなりません\nファイル " + path);
    // A refused first file does not fix the size: the next check is not
    // compared against it (nor accepted because it equals it).
    EXPECT_EQ(fresh.width, 0);
    EXPECT_EQ(checkPattern(fresh, path.c_str(), f.table), 0);

    path = f.bmp("d.bmp", shape(4, -4));
    EXPECT_EQ(checkPattern(fresh, path.c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "反転したＢＭＰファイルは扱えません\nファイル " + path);
}

TEST(BmpPattern, FormatRules)
{
    Fixture f;
    const std::string not256 = " は２５６色ＢＭＰファイルではありません";
    BmpShape deep;
    deep.bitsPerPixel = 24;
    BmpShape shallow;
    shallow.bitsPerPixel = 4;
    BmpShape rle;
    rle.compression = 1;
    BmpShape core;
    core.headerSize = 12;
    int i = 0;
    for (const BmpShape& s : {deep, shallow, rle, core}) {
        Texture t = makeTexture();
        std::string path = f.bmp("x" + std::to_string(i++) + ".bmp", s);
        EXPECT_EQ(checkPattern(t, path.c_str(), f.table), 0);
        EXPECT_EQ(f.lastMessage(), "ファイル " + path + not256);
    }
    quillo::test::writeText(f.dir / "text.bmp", "hello");
    EXPECT_EQ(checkPattern(f.texture, (f.dir / "text.bmp").c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "ファイル " + f.dir / "text.bmp" + " はＢＭＰファイルではありません");
    EXPECT_EQ(checkPattern(f.texture, (f.dir / "none.bmp").c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "ファイル " + f.dir / "none.bmp" + " が見つかりません");

    // Cut short inside the pixels: refused, never read past the end, and
    // the size stays open for the next pattern, whatever its size.
    std::string bytes = quillo::test::bmpBytes(BmpShape{});
    quillo::test::writeText(f.dir / "short.bmp", bytes.substr(0, bytes.size() - 3));
    Texture t = makeTexture();
    EXPECT_EQ(checkPattern(t, (f.dir / "short.bmp").c_str(), f.table), 0);
    EXPECT_EQ(f.lastMessage(), "ファイル " + f.dir / "short.bmp" + " はＢＭＰファイルではありません");
    EXPECT_EQ(t.width, 0);
    EXPECT_EQ(checkPattern(t, f.bmp("larger.bmp", shape(8, 2)).c_str(), f.table), 1);
    EXPECT_EQ(t.height, 2);
}

TEST(BmpPattern, KeyColourTakesTheMaterialsColour)
{
    Fixture f;
    BmpShape s;
    s.palette = {0x000000, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0xABCDEF};
    // Bottom-left pixel (last row, first column) is index 7.
    s.pixels = {1, 2, 1, 2, 3, 3, 3, 3, 4, 4, 4, 4, 7, 1, 7, 2};
    std::string path = f.bmp("k.bmp", s);
    f.texture.red = 200;
    f.texture.green = 10;
    f.texture.blue = 20;
    f.texture.ambient = 0.25f;
    f.texture.diffuse = 1.0f;
    setFiles(f.texture, {path});
    ASSERT_EQ(checkPattern(f.texture, path.c_str(), f.table), 1);
    ASSERT_EQ(f.table.count, 5); // indices 7, 1, 2, 3, 4
    EXPECT_EQ(f.table.red[0], 200);
    EXPECT_EQ(f.table.blue[0], 20);
    EXPECT_EQ(f.table.red[1], 0x11);
    EXPECT_EQ(f.table.ambient[1], 0.25f);

    ASSERT_EQ(loadPatterns(f.texture, f.table), 1);
    ASSERT_NE(f.texture.currentImage, nullptr);
    TexelImage image = f.texture.images[0];
    EXPECT_EQ(image[3][0], 0 * 64); // bottom-left: the key colour's row
    EXPECT_EQ(image[3][2], 0 * 64); // every texel of index 7
    EXPECT_EQ(image[0][0], 1 * 64); // top row first
    EXPECT_EQ(image[0][1], 2 * 64);
    EXPECT_EQ(image[2][3], 3 * 64); // rows are met bottom-up: index 4 before 3
    EXPECT_EQ(image[1][0], 4 * 64);
    EXPECT_EQ(f.table.count, 5); // loading finds the colours checked before

    // The same picture for a blue material paints the key texels blue.
    Texture blue = f.texture;
    for (auto& img : blue.images) img = nullptr;
    blue.currentImage = nullptr;
    blue.red = 0;
    blue.blue = 255;
    ASSERT_EQ(checkPattern(blue, path.c_str(), f.table), 1);
    ASSERT_EQ(loadPatterns(blue, f.table), 1);
    EXPECT_EQ(f.table.blue[blue.images[0][3][0] / 64], 255);
    EXPECT_EQ(blue.images[0][0][0], 1 * 64);
    releaseImages(blue);
}

TEST(BmpPattern, RowPaddingAndPatternSlots)
{
    Fixture f;
    BmpShape tall = shape(64, 3);
    tall.pixels.assign(64 * 3, 1);
    tall.pixels[0] = 2; // top-left
    BmpShape tiny = shape(2, 2);
    tiny.pixels = {3, 1, 2, 0};
    Texture t = makeTexture();
    std::string a = f.bmp("tall.bmp", tall);
    ASSERT_EQ(checkPattern(t, a.c_str(), f.table), 1);
    setFiles(t, {a, a});
    ASSERT_EQ(loadPatterns(t, f.table), 1);
    EXPECT_EQ(t.images[0][0][0] / 64, f.table.count - 1); // index 2, met last
    EXPECT_NE(t.images[1], nullptr);
    t.patternCount = 1; // slots beyond the count are released
    ASSERT_EQ(loadPatterns(t, f.table), 1);
    EXPECT_EQ(t.images[1], nullptr);
    EXPECT_EQ(t.currentImage, t.images[0]);
    releaseImages(t);

    Texture small = makeTexture();
    std::string b = f.bmp("tiny.bmp", tiny);
    ASSERT_EQ(checkPattern(small, b.c_str(), f.table), 1);
    setFiles(small, {b});
    ASSERT_EQ(loadPatterns(small, f.table), 1);
    // Rows of 2 pixels padded to 4 bytes. The bottom row (2, 0) comes first
    // in the file, so index 2 is the key colour and takes the texture's black.
    auto colourOf = [&](int32_t texel) {
        int row = texel / 64;
        return f.table.red[row] << 16 | f.table.green[row] << 8 | f.table.blue[row];
    };
    EXPECT_EQ(colourOf(small.images[0][1][0]), 0x000000);
    EXPECT_EQ(colourOf(small.images[0][1][1]), 0x000000); // palette entry 0 is black too
    EXPECT_EQ(colourOf(small.images[0][0][0]), 0x0000FF);
    EXPECT_EQ(colourOf(small.images[0][0][1]), 0xFF0000);
    releaseImages(small);
    EXPECT_TRUE(f.log.messages.empty());
}

TEST(BmpPattern, LoadingStopsAtTheFirstBadFile)
{
    Fixture f;
    std::string good = f.bmp("g.bmp", BmpShape{});
    Texture t = makeTexture();
    ASSERT_EQ(checkPattern(t, good.c_str(), f.table), 1);
    setFiles(t, {good, f.dir / "gone.bmp", good});
    EXPECT_EQ(loadPatterns(t, f.table), 0);
    EXPECT_NE(t.images[0], nullptr);
    EXPECT_EQ(t.images[2], nullptr);
    EXPECT_EQ(f.lastMessage(), "ファイル " + f.dir / "gone.bmp" + " が見つかりません");
    releaseImages(t);
}

// Every file of the BMP Suite either loads or is refused with one message.
TEST(BmpPattern, BmpSuiteFilesLoadOrAreRefused)
{
    const std::filesystem::path suite = QUILLO_CORPUS_DIR "/bmpsuite";
    if (!std::filesystem::exists(suite)) GTEST_SKIP() << "no corpus";
    int refused = 0;
    for (const char* group : {"g", "q", "b"}) {
        for (auto& e : std::filesystem::directory_iterator(suite / group)) {
            if (e.path().extension() != ".bmp") continue;
            MessageLog log;
            GMTBL table;
            Texture t = makeTexture();
            std::string path = e.path().string();
            setFiles(t, {path});
            int ok = checkPattern(t, path.c_str(), table);
            if (ok) ok = loadPatterns(t, table);
            if (ok) {
                EXPECT_TRUE(log.messages.empty()) << path;
                EXPECT_NE(t.currentImage, nullptr) << path;
            } else {
                ++refused;
                ASSERT_EQ(log.messages.size(), 1u) << path;
                EXPECT_NE(log.messages[0].find(path), std::string::npos) << path;
            }
            releaseImages(t);
        }
    }
    EXPECT_GT(refused, 50);
}
