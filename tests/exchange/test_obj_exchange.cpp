// OBJ export and import: a model of two parts with quads, a triangle, both
// diagonals and two colours comes back with the same faces; the dice's
// texture goes out as PNG with texture coordinates; n-gons are cut into
// quads and a triangle; broken files change nothing.
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "model/colour_table.h"
#include "model/md4_file.h"
#include "model_signature.h"
#include "loaded_model.h"
#include "platform/qt_png_encoder.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

const std::string sourceDir = QUILLO_SOURCE_DIR;

// Two parts of one object at the origin: a bent strip of quads (one split
// along A-C), a triangle, and a second colour with its own coefficients.
const char* twoParts = R"(ob box 0 0 0
 dt 0.0125
 v 0 0 0
 v 8 0 0
 v 8 8 0
 v 0 8 0
 v 8 0 8
 v 8 8 8
 v 0 16 0
pb body 0 0 0
 m 0.2 1 0
 c 200 40 40
 q 0 1 2 3
 Q 1 4 5 2
 q 3 3 2 6
pb lid 0 0 0
 m 0.3 0.8 0.5
 c 10 20 30
 q 3 2 1 0
pe lid
pe body
oe box
)";

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

using Loaded = test::LoadedModel;

} // namespace

TEST(ObjExchange, TwoPartsComeBackWithTheSameFaces)
{
    test::TempDir dir;
    { std::ofstream(dir / "box.md4") << twoParts; }
    Loaded m(dir / "box.md4");
    std::string why;
    ObjCounts counts;
    ASSERT_TRUE(writeObj(m.document, dir / "box.obj", qtPngEncoder(), why, &counts)) << why;
    EXPECT_EQ(counts.groups, 2);
    EXPECT_EQ(counts.faces, 4);
    const std::string text = readText(dir / "box.obj");
    EXPECT_NE(text.find("f 1 2 3 4\n"), std::string::npos) << text;  // a quad stays a quad
    EXPECT_NE(text.find("f 5 6 3 2\n"), std::string::npos) << text;  // the A-C diagonal: started at B
    EXPECT_NE(text.find("f 4 3 7\n"), std::string::npos) << text;    // a triangle without its repeat
    EXPECT_NE(readText(dir / "box.mtl").find("quillo_diffuse 0.8"), std::string::npos);

    ModelDocument back;
    ImportCounts read;
    ASSERT_TRUE(readObj(back, dir / "box.obj", why, &read)) << why;
    EXPECT_EQ(read.parts, 2);
    EXPECT_EQ(read.faces, 4);
    EXPECT_EQ(test::signature(back), test::signature(m.document));
    EXPECT_EQ(test::quadCount(back), 3);
}

TEST(ObjExchange, DiceTextureGoesOutAsPng)
{
    test::TempDir dir;
    Loaded m(sourceDir + "/examples/dice.md4");
    std::string why;
    ObjCounts counts;
    ASSERT_TRUE(writeObj(m.document, dir / "dice.obj", qtPngEncoder(), why, &counts)) << why;
    EXPECT_EQ(counts.textures, 1);
    const std::string mtl = readText(dir / "dice.mtl");
    ASSERT_NE(mtl.find("map_Kd dice_0_0.png"), std::string::npos) << mtl;
    EXPECT_EQ(readText(dir / "dice_0_0.png").substr(1, 3), "PNG");
    EXPECT_NE(readText(dir / "dice.obj").find("\nvt "), std::string::npos);
    ModelDocument back;
    ASSERT_TRUE(readObj(back, dir / "dice.obj", why)) << why;
    EXPECT_EQ(test::quadCount(back), test::quadCount(m.document));
}

TEST(ObjExchange, PolygonsAreCutIntoQuadsAndATriangle)
{
    struct Case {
        int corners, quads, triangles;
    };
    for (const Case c : {Case{3, 0, 1}, Case{4, 1, 0}, Case{5, 1, 1}, Case{6, 2, 0}, Case{7, 2, 1}, Case{8, 3, 0}}) {
        std::vector<int32_t> corners;
        for (int i = 0; i < c.corners; ++i) corners.push_back(i);
        int quads = 0, triangles = 0;
        std::set<int32_t> covered;
        for (const Face& f : splitPolygon(corners, 0)) {
            const std::set<int32_t> distinct = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
            (distinct.size() == 4 ? quads : triangles)++;
            EXPECT_EQ(f.vertexA, 0); // fanned from the first corner
            covered.insert(distinct.begin(), distinct.end());
        }
        EXPECT_EQ(quads, c.quads) << c.corners;
        EXPECT_EQ(triangles, c.triangles) << c.corners;
        EXPECT_EQ(int(covered.size()), c.corners) << c.corners;
    }

    // A flat hexagon with a name and two groups of one name read as one part.
    test::TempDir dir;
    { std::ofstream(dir / "hex.obj") << "v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 2 0\nv -1 1 0\n"
                                        "g top\nf 1 2 3 4 5 6\ng side\nf 1 2 3\ng top\nf 4 5 6\n"; }
    dt = defaultGridStep;
    ModelDocument d;
    std::string why;
    ImportCounts counts;
    ASSERT_TRUE(readObj(d, dir / "hex.obj", why, &counts)) << why;
    ASSERT_EQ(d.objects.count(), 1);
    const ModelObject& o = *d.objects[0];
    EXPECT_STREQ(o.name, "hex");
    EXPECT_STREQ(o.rootPart->name, "top");
    EXPECT_EQ(o.rootPart->faces.count(), 3);
    ASSERT_EQ(o.rootPart->children.count(), 1);
    EXPECT_STREQ(o.rootPart->children[0]->name, "side");
    EXPECT_EQ(o.vertices.count(), 6);
}

TEST(ObjExchange, BrokenFilesLeaveTheDocumentAlone)
{
    test::TempDir dir;
    { std::ofstream(dir / "nofaces.obj") << "v 0 0 0\nv 1 0 0\n"; }
    { std::ofstream(dir / "badindex.obj") << "v 0 0 0\nf 1 7 9\n"; }
    for (const char* name : {"missing.obj", "nofaces.obj", "badindex.obj"}) {
        ModelDocument d;
        std::string why;
        EXPECT_FALSE(readObj(d, dir / name, why)) << name;
        EXPECT_FALSE(why.empty()) << name;
        EXPECT_EQ(d.objects.count(), 0) << name;
    }
    ModelDocument none;
    std::string why;
    EXPECT_FALSE(writeObj(none, dir / "out.txt", nullptr, why));
}
