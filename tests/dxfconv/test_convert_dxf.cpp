#include "dxfconv/convert_dxf.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "dxf_test_util.h"
#include "model/messages.h"

using namespace quillo;
using test::entities;
using test::plainFace;

namespace {

// A quadrilateral of colour 3 at height 1 over two triangles of colour 1
// that share their longest edge, drawn with consistent winding.
std::string squareDrawing()
{
    return entities(plainFace(3, {0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1}) +
                    plainFace(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0}) +
                    plainFace(1, {1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

const char* const squareHead = "ob 本体 0 0 0\r\n dt 0.0125\r\n"
                               " v 0 -12800 0\r\n v 12800 -12800 0\r\n v 12800 -12800 12800\r\n v 0 -12800 12800\r\n"
                               " v 0 0 0\r\n v 12800 0 0\r\n v 12800 0 12800\r\n v 0 0 12800\r\n"
                               " pb 主要部分 0 0 0\r\n"
                               " m 0.3 1.0 0\r\n c 255 255 63\r\n Q 0 1 2 3\r\n"
                               " m 0.3 1.0 0\r\n c 255 255 191\r\n";
const char* const tail = " pe 主要部分\r\n oe 本体\r\n";

struct Conversion {
    test::TempFolder folder;
    ConversionOptions options;
    MessageLog log;

    explicit Conversion(const std::string& drawing, const std::string& inputName = "drawing.dxf")
    {
        options.inputPath = folder.file(inputName);
        options.outputPath = folder.file("model.md4");
        test::writeFile(options.inputPath, drawing);
    }
    bool run() { return convertDxf(options); }
    std::string output() const { return test::readFile(options.outputPath); }
    std::string message() const { return log.messages.empty() ? "" : log.messages.back(); }
};

} // namespace

TEST(ConvertDxf, PairsTheTrianglesAndWritesTheModelByteForByte)
{
    Conversion c(squareDrawing());
    ASSERT_TRUE(c.run());
    EXPECT_TRUE(c.log.messages.empty());
    EXPECT_EQ(c.output(), std::string(squareHead) + " q 7 6 5 4\r\n" + tail);

    c.options.fast = true; // the triangles stay, with the opposite winding of the quadrilateral
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.output(), std::string(squareHead) + " q 5 4 6 6\r\n q 7 6 4 4\r\n" + tail);

    c.options.modelSize = 16.0f; // same grid, ten times the step
    ASSERT_TRUE(c.run());
    std::string big = c.output();
    EXPECT_EQ(big.substr(0, 28), "ob 本体 0 0 0\r\n dt 0.125\r\n");
    EXPECT_NE(big.find(" v 12800 -12800 12800\r\n"), std::string::npos);

    c.options.modelSize = 0.16f;
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.output().substr(0, 30), "ob 本体 0 0 0\r\n dt 0.00125\r\n");
}

TEST(ConvertDxf, RepeatedFacesGiveOneLineAndTheSixtyFifthColourIsWhite)
{
    std::string faces;
    for (int i = 0; i < 66; ++i) {
        float x = float(i);
        faces += plainFace(10 + i, {x, 0, 0, x + 1, 0, 0, x + 1, 1, 0, x, 1, 0});
    }
    faces += plainFace(10, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}); // the first one again
    Conversion c(entities(faces));
    ASSERT_TRUE(c.run());
    std::string out = c.output();
    size_t quadLines = 0;
    for (size_t at = out.find("\r\n Q "); at != std::string::npos; at = out.find("\r\n Q ", at + 1)) ++quadLines;
    EXPECT_EQ(quadLines, 66u);
    // Colour 73 is the 64th to appear, 74 the 65th.
    int c73 = 255 - (73 & 0xE0), g73 = 255 - 8 * (73 & 0x1C), b73 = 255 - 64 * (73 & 3);
    std::string line73 = " c " + std::to_string(c73) + " " + std::to_string(g73) + " " + std::to_string(b73) + "\r\n";
    EXPECT_NE(out.find(line73 + " Q 126 128 129 127\r\n"), std::string::npos);
    EXPECT_NE(out.find(" c 255 255 255\r\n Q 128 130 131 129\r\n"), std::string::npos);
}

TEST(ConvertDxf, TheChecksComeInOrderWithTheirMessages)
{
    Conversion c(squareDrawing(), "drawing.txt");
    test::writeFile(c.options.outputPath, "old");
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.message(), "ファイル " + c.options.inputPath + " はＤＸＦファイルではありません");

    c.options.inputPath = "a.d";
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.message(), "ファイル a.d はＤＸＦファイルではありません");

    c.options.inputPath = std::string(400, 'x') + ".txt"; // the message is cut, not overflowed
    EXPECT_FALSE(c.run());
    EXPECT_LE(c.message().size(), 255u);
    EXPECT_EQ(c.message().substr(0, 16), "ファイル xxx");

    c.options.inputPath = c.folder.file("none.Dxf");
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.message(), "ファイル:" + c.options.inputPath + " が見つかりません\n");

    test::writeFile(c.folder.file("fine.dXf"), squareDrawing());
    c.options.inputPath = c.folder.file("fine.dXf");
    for (float size : {0.0f, -1.6f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        c.options.modelSize = size;
        EXPECT_FALSE(c.run());
        EXPECT_EQ(c.message(), "モデルサイズには０より大きい数を指定してください");
    }
    EXPECT_EQ(c.output(), "old");

    c.options.modelSize = 1.6f;
    c.options.outputPath = c.folder.file("no/folder/model.md4");
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.message(), "ファイル " + c.options.outputPath + " が書き込めません");
    EXPECT_EQ(c.log.messages.size(), 9u);
}

TEST(ConvertDxf, DrawingsWithoutAUsableScaleAreRefusedAndTheOutputIsKept)
{
    Conversion point(entities(plainFace(1, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}) +
                              plainFace(2, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2})));
    test::writeFile(point.options.outputPath, "old");
    EXPECT_FALSE(point.run());
    EXPECT_EQ(point.message(), "ファイル " + point.options.inputPath + " の頂点がすべて同じ位置にあります");
    EXPECT_EQ(point.output(), "old");

    Conversion far(entities(plainFace(1, {1e6, 0, 0, 1e6 + 1, 0, 0, 1e6 + 1, 1, 0, 1e6, 1, 0})));
    test::writeFile(far.options.outputPath, "old");
    EXPECT_FALSE(far.run());
    EXPECT_EQ(far.message(), "ファイル " + far.options.inputPath + " の座標が原点から遠すぎます");
    EXPECT_EQ(far.output(), "old");

    Conversion bad("  0\nSECTION\n  2\nENTITIES\n  0\n3DFACE\n 10\n1..5\n");
    test::writeFile(bad.options.outputPath, "old");
    EXPECT_FALSE(bad.run());
    EXPECT_EQ(bad.message(), "ファイル " + bad.options.inputPath + " の 8 行目の座標が読めません");
    EXPECT_EQ(bad.output(), "old");
}

TEST(ConvertDxf, ADrawingWithoutFacesGivesAnEmptyModel)
{
    Conversion c(entities("  0\nLINE\n  8\n0\n 10\n1\n"));
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.output(), "ob 本体 0 0 0\r\n dt 0.0125\r\n pb 主要部分 0 0 0\r\n pe 主要部分\r\n oe 本体\r\n");
}

TEST(ConvertDxf, RunConversionChecksTheInputAndTheOutputNameFirst)
{
    Conversion c(squareDrawing());
    ConversionOptions o = c.options;
    o.inputPath = c.folder.file("missing.dxf");
    EXPECT_FALSE(runConversion(o));
    EXPECT_EQ(c.message(), "ファイル " + o.inputPath + " が読み込めません");

    o = c.options;
    for (std::string name : {std::string("a.md"), "/" + std::string(260, 'm')}) {
        o.outputPath = name;
        EXPECT_FALSE(runConversion(o));
        EXPECT_EQ(c.message(), "出力ファイルを指定してください");
    }
    o.outputPath = c.folder.file("ok.md4");
    EXPECT_TRUE(runConversion(o));
    EXPECT_EQ(test::readFile(o.outputPath).substr(0, 17), "ob 本体 0 0 0\r\n");
    EXPECT_EQ(c.log.messages.size(), 3u);
}

TEST(ConvertDxf, DefaultOutputNameCutsTheFileNameAtItsFirstDot)
{
    EXPECT_EQ(defaultOutputName("house.dxf"), "house.MD4");
    EXPECT_EQ(defaultOutputName("./house.dxf"), "./house.MD4");
    EXPECT_EQ(defaultOutputName("my.drawings/house.dxf"), "my.drawings/house.MD4");
    EXPECT_EQ(defaultOutputName("C:\\work\\house.dxf"), "C:\\work\\house.MD4");
    EXPECT_EQ(defaultOutputName("C:\\my.work\\house.v2.dxf"), "C:\\my.work\\house.MD4");
    EXPECT_EQ(defaultOutputName("plans/house"), "plans/house.MD4");
}
