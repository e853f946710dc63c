#include "dxfconv/dxf_md4_writer.h"

#include <gtest/gtest.h>

#include "dxf_test_util.h"

using namespace quillo;
using quillo::test::dxfFace;

namespace {

std::string quadLine(const DxfQuad& q, bool bothSides, bool reverse)
{
    std::string s;
    appendQuadLine(s, q, bothSides, reverse);
    return s;
}

std::string triangleLine(const DxfTriangle& t, bool bothSides, bool reverse)
{
    std::string s;
    appendTriangleLine(s, t, bothSides, reverse);
    return s;
}


// Quadrilaterals (colour 5, then 1) and triangles (colour 1, then 5) over
// the points p0 = (0,0,0), p1 = (1,0,0), p2 = (1,1,0), p3 = (0,1,0).
void fillLists(DxfFaceLists& lists)
{
    ASSERT_TRUE(lists.addFace(dxfFace(5, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(1, {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(5, {1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 1, 0})));
}

std::string written(const DxfFaceLists& lists, const Md4Layout& layout)
{
    test::TempFolder folder;
    std::string path = folder.file("out.md4");
    std::vector<GridPoint> points{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {-1, 0, -2}};
    AtomicFile file(path);
    EXPECT_TRUE(file.open());
    EXPECT_TRUE(writeDxfModel(file, lists, points, 0.0125f, layout));
    EXPECT_TRUE(file.commit());
    return test::readFile(path);
}

} // namespace

TEST(DxfMd4Writer, ColourOfAColourNumber)
{
    auto rgb = [](Rgb c) { return std::vector<int>{c.red, c.green, c.blue}; };
    EXPECT_EQ(rgb(colourOfNumber(0, 0, false)), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(rgb(colourOfNumber(1, 0, false)), (std::vector<int>{255, 255, 191}));
    EXPECT_EQ(rgb(colourOfNumber(7, 5, false)), (std::vector<int>{255, 223, 63}));
    EXPECT_EQ(rgb(colourOfNumber(255, 63, false)), (std::vector<int>{31, 31, 63}));
    EXPECT_EQ(rgb(colourOfNumber(0xA4, 1, false)), (std::vector<int>{255 - 0xA0, 255 - 32, 255}));
    EXPECT_EQ(rgb(colourOfNumber(255, 64, false)), (std::vector<int>{255, 255, 255})); // the 65th colour
    EXPECT_EQ(rgb(colourOfNumber(255, 0, true)), (std::vector<int>{255, 255, 255}));
}

TEST(DxfMd4Writer, FaceKeywordsAndIndexOrders)
{
    DxfQuad flag0{10, 11, 12, 13, 0, 1};
    DxfQuad flag1{10, 11, 12, 13, 1, 1};
    EXPECT_EQ(quadLine(flag0, false, false), " Q 10 11 12 13\r\n");
    EXPECT_EQ(quadLine(flag1, false, false), " q 10 11 12 13\r\n");
    EXPECT_EQ(quadLine(flag0, false, true), " q 11 10 13 12\r\n");
    EXPECT_EQ(quadLine(flag1, false, true), " Q 11 10 13 12\r\n");
    EXPECT_EQ(quadLine(flag0, true, false), " Qd 10 11 12 13\r\n");
    EXPECT_EQ(quadLine(flag1, true, false), " qd 10 11 12 13\r\n");
    EXPECT_EQ(quadLine(flag0, true, true), " qd 11 10 13 12\r\n");
    EXPECT_EQ(quadLine(flag1, true, true), " Qd 11 10 13 12\r\n");
    DxfTriangle t{1, 2, 3, 1};
    EXPECT_EQ(triangleLine(t, false, false), " q 2 1 3 3\r\n");
    EXPECT_EQ(triangleLine(t, false, true), " q 1 2 3 3\r\n");
    EXPECT_EQ(triangleLine(t, true, false), " qd 2 1 3 3\r\n");
    EXPECT_EQ(triangleLine(t, true, true), " qd 1 2 3 3\r\n");
}

TEST(DxfMd4Writer, PlainLayoutWritesAMaterialAtEveryColourChange)
{
    DxfFaceLists lists;
    fillLists(lists);
    EXPECT_EQ(written(lists, Md4Layout{}),
              "ob 本体 0 0 0\r\n dt 0.0125\r\n"
              " v 1 2 3\r\n v 4 5 6\r\n v 7 8 9\r\n v -1 0 -2\r\n"
              " pb 主要部分 0 0 0\r\n"
              " m 0.3 1.0 0\r\n c 255 223 191\r\n Q 0 1 2 3\r\n"
              " m 0.3 1.0 0\r\n c 255 255 191\r\n Q 3 2 1 0\r\n"
              " q 1 0 2 2\r\n"
              " m 0.3 1.0 0\r\n c 255 223 191\r\n q 2 1 3 3\r\n"
              " pe 主要部分\r\n oe 本体\r\n");
}

TEST(DxfMd4Writer, GroupedLayoutHasOnePartPerColourInAscendingNumber)
{
    DxfFaceLists lists;
    fillLists(lists);
    Md4Layout layout;
    layout.groupByColour = true;
    layout.bothSides = true;
    layout.reverse = true;
    EXPECT_EQ(written(lists, layout),
              "ob 本体 0 0 0\r\n dt 0.0125\r\n"
              " v 1 2 3\r\n v 4 5 6\r\n v 7 8 9\r\n v -1 0 -2\r\n"
              " pb 主要部分 0 0 0\r\n"
              " pb body1 0 0 0\r\n m 0.3 1.0 0\r\n c 255 255 191\r\n qd 2 3 0 1\r\n qd 0 1 2 2\r\n pe body1\r\n"
              " pb body5 0 0 0\r\n m 0.3 1.0 0\r\n c 255 223 191\r\n qd 1 0 3 2\r\n qd 1 2 3 3\r\n pe body5\r\n"
              " pe 主要部分\r\n oe 本体\r\n");
    layout.allWhite = true;
    std::string white = written(lists, layout);
    EXPECT_EQ(white.find("c 255 223 191"), std::string::npos);
    EXPECT_NE(white.find(" pb body5 0 0 0\r\n m 0.3 1.0 0\r\n c 255 255 255\r\n"), std::string::npos);
}
