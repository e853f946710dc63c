#include "dxfconv/dxf_face_reader.h"

#include <gtest/gtest.h>
#include <string>

#include "dxf_test_util.h"

using namespace quillo;
using test::entities;
using test::plainFace;

namespace {

struct ReadResult {
    bool ok;
    DxfReadError error;
    std::vector<DxfFace> faces;
};

ReadResult readText(const std::string& text)
{
    test::TempFolder folder;
    std::string path = folder.file("faces.dxf");
    test::writeFile(path, text);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    Records<DxfFace> faces;
    ReadResult r;
    r.ok = readDxfFaces(f, faces, r.error);
    std::fclose(f);
    r.faces.assign(faces.begin(), faces.end());
    return r;
}

std::string layerTable(const std::string& entries)
{
    return "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n" + entries + "  0\nENDTAB\n  0\nENDSEC\n";
}

std::string layer(const char* name, const char* colour)
{
    std::string text = "  0\nLAYER\n  2\n" + std::string(name) + "\n 70\n0\n";
    if (colour) text += " 62\n" + std::string(colour) + "\n";
    return text + "  6\nCONTINUOUS\n";
}

// A face with the group codes that release 13 and later put before the
// corners, and no colour unless given.
std::string modernFace(const char* layerName, const char* colour = nullptr)
{
    std::string text = "  0\n3DFACE\n  5\n2D6\n330\n1F\n100\nAcDbEntity\n  8\n" + std::string(layerName) + "\n";
    if (colour) text += " 62\n" + std::string(colour) + "\n";
    text += "100\nAcDbFace\n 10\n1.0\n 20\n2.0\n 30\n3.0\n 11\n4.0\n 21\n5.0\n 31\n6.0\n"
            " 12\n7.0\n 22\n8.0\n 32\n9.0\n 13\n10.0\n 23\n11.0\n 33\n12.0\n";
    return text;
}

} // namespace

TEST(DxfFaceReader, ThePlainLayoutGivesCornersAndColourInOrder)
{
    auto r = readText(entities(plainFace(3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) +
                               plainFace(250, {0.5, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 2u);
    EXPECT_EQ(r.faces[0].colour, 3);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(r.faces[0].corner[i / 3][i % 3], float(i + 1));
    EXPECT_EQ(r.faces[1].colour, 250);
    EXPECT_EQ(r.faces[1].corner[0][0], 0.5f);
}

TEST(DxfFaceReader, HandlesOwnersAndSubclassMarkersBeforeTheCornersAreSkipped)
{
    auto r = readText(entities(modernFace("0", "5")));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 1u);
    EXPECT_EQ(r.faces[0].colour, 5);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(r.faces[0].corner[i / 3][i % 3], float(i + 1));
}

TEST(DxfFaceReader, ByLayerColoursComeFromTheLayerTable)
{
    std::string table = layerTable(layer("Walls", "-3") + layer("Roof", "1") + layer("Roof", "2") +
                                   layer("Plain", nullptr) + layer("Odd", "300") + layer("Zero", "0"));
    std::string faces = modernFace("Walls") + modernFace("Roof", "256") + modernFace("Plain") +
                        modernFace("Missing") + modernFace("walls") + modernFace("Odd") + modernFace("Zero") +
                        modernFace("Roof", "0") + modernFace("Roof", "-4") + modernFace("Roof", "257") +
                        modernFace("Roof", "blue");
    auto r = readText(table + entities(faces));
    ASSERT_TRUE(r.ok);
    std::vector<int> colours;
    for (auto& f : r.faces) colours.push_back(f.colour);
    // Walls: |−3|; Roof listed twice: the first; no 62: 7; not listed: 7; names
    // compare exactly; a layer colour outside 0..255: 7; layer 0 stays 0;
    // by block (0) stays 0; other numbers outside 0..255 and text: 7.
    EXPECT_EQ(colours, (std::vector<int>{3, 1, 7, 7, 7, 7, 0, 0, 7, 7, 7}));
}

TEST(DxfFaceReader, ALayerListedAfterTheFaceStillCounts)
{
    auto r = readText(entities(modernFace("Late")) + layerTable(layer("Late", "42")));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 1u);
    EXPECT_EQ(r.faces[0].colour, 42);
}

TEST(DxfFaceReader, RepeatedCodesKeepTheLastValueAndMissingOnesHaveDefaults)
{
    // Corner 4 absent: equals corner 3. z codes absent: 0. 62 twice: the last.
    std::string face = "  0\n3DFACE\n  8\nA\n 62\n1\n 62\n2\n 10\n1\n 10\n9\n 20\n2\n 11\n3\n 21\n4\n 12\n5\n 22\n6\n";
    auto r = readText(entities(face));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 1u);
    const DxfFace& f = r.faces[0];
    EXPECT_EQ(f.colour, 2);
    EXPECT_EQ(f.corner[0][0], 9.0f);
    EXPECT_EQ(f.corner[0][2], 0.0f);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(f.corner[3][k], f.corner[2][k]);

    // Only part of corner 4 given: the rest of it is 0, not corner 3's.
    r = readText(entities("  0\n3DFACE\n 62\n1\n 12\n5\n 22\n6\n 32\n7\n 13\n8\n"));
    ASSERT_EQ(r.faces.size(), 1u);
    EXPECT_EQ(r.faces[0].corner[3][0], 8.0f);
    EXPECT_EQ(r.faces[0].corner[3][1], 0.0f);
}

TEST(DxfFaceReader, FacesInBlocksCountAndOnlyExactCode0Names)
{
    std::string blocks = "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nB1\n" +
                         plainFace(4, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}) + "  0\nENDBLK\n  0\nENDSEC\n";
    std::string others = "  0\n3dface\n 10\n1\n  1\n3DFACE\n  0\nINSERT\n  2\nB1\n";
    auto r = readText(blocks + entities(others + plainFace(5, {0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 0})));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 2u);
    EXPECT_EQ(r.faces[0].colour, 4);
    EXPECT_EQ(r.faces[1].colour, 5);
}

TEST(DxfFaceReader, AFaceCutShortByTheEndOfTheFileCounts)
{
    auto r = readText("  0\nSECTION\n  2\nENTITIES\n  0\n3DFACE\n 62\n9\n 10\n1.5\n 20\n2.5");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.faces.size(), 1u);
    EXPECT_EQ(r.faces[0].colour, 9);
    EXPECT_EQ(r.faces[0].corner[0][1], 2.5f);
    r = readText("  0\n3DFACE\n");
    ASSERT_EQ(r.faces.size(), 1u);
    EXPECT_EQ(r.faces[0].colour, 7);
}

TEST(DxfFaceReader, AnUnreadableCoordinateIsReportedWithItsLine)
{
    auto r = readText("  0\n3DFACE\n 10\n1.0\n 20\n1.0e99\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.kind, DxfReadError::number);
    EXPECT_EQ(r.error.line, 6);
    r = readText("  0\n3DFACE\n 30\nabc\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.line, 4);
    // Outside a face the same text is just an unknown value.
    r = readText("  0\nLINE\n 10\nabc\n");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.faces.empty());
}
