// The converter's models as the model editor's reader sees them: the
// examples, drawings from CAD programs, and every face keyword.
#include <cmath>
#include <gtest/gtest.h>
#include <map>

#include "dxf_test_util.h"
#include "dxfconv/convert_dxf.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "model/model.h"

using namespace quillo;
using test::entities;
using test::plainFace;

namespace {

class ReadBack : public ::testing::Test {
protected:
    void SetUp() override { dt = defaultGridStep; }
    void TearDown() override { dt = defaultGridStep; }

    // Converts and reads the result into `doc`; the one object it holds.
    ModelObject* convertAndRead(ConversionOptions o, ModelDocument& doc)
    {
        o.outputPath = folder.file("model.md4");
        if (!convertDxf(o)) return nullptr;
        std::string reason;
        EXPECT_EQ(readModel(doc, o.outputPath, &reason), ReadResult::ok) << reason;
        return doc.objects.count() == 1 ? doc.objects[0] : nullptr;
    }

    static int faceCount(const ModelPart& part)
    {
        int n = part.faces.count();
        for (ModelPart* child : part.children) n += faceCount(*child);
        return n;
    }

    static int32_t grid(float coordinate) { return int32_t(coordinate / dt); }

    test::TempFolder folder;
    MessageLog log;
};

} // namespace

TEST_F(ReadBack, KeywordsColoursAndCoordinatesArriveAsWritten)
{
    ConversionOptions o;
    o.inputPath = folder.file("square.dxf");
    // A quadrilateral of colour 3 over two triangles of colour 1 that pair.
    test::writeFile(o.inputPath, entities(plainFace(3, {0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1}) +
                                          plainFace(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0}) +
                                          plainFace(1, {1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0})));
    for (int variant = 0; variant < 4; ++variant) {
        o.bothSides = variant & 1;
        o.reverse = variant & 2;
        ModelDocument doc;
        ModelObject* object = convertAndRead(o, doc);
        ASSERT_NE(object, nullptr);
        EXPECT_STREQ(object->name, "本体");
        EXPECT_STREQ(object->rootPart->name, "主要部分");
        EXPECT_FLOAT_EQ(dt, 0.0125f);
        ASSERT_EQ(object->vertices.count(), 8);
        const Vertex& v2 = object->vertices[2]; // (1, 1, 1) in the drawing
        EXPECT_EQ(grid(v2.x), 12800);
        EXPECT_EQ(grid(v2.y), -12800);
        EXPECT_EQ(grid(v2.z), 12800);
        ASSERT_EQ(object->rootPart->faces.count(), 2);
        const Face& read = object->rootPart->faces[0];
        const Face& paired = object->rootPart->faces[1];
        EXPECT_EQ(read.doubleSided, o.bothSides ? 1 : 0);
        EXPECT_EQ(paired.doubleSided, o.bothSides ? 1 : 0);
        // The quadrilateral from the file has flag 0 (upper case unless
        // reversed); the paired one flag 1 (the other way round).
        EXPECT_EQ(read.altDiagonal, o.reverse ? 0 : 1);
        EXPECT_EQ(paired.altDiagonal, o.reverse ? 1 : 0);
        EXPECT_EQ(read.vertexA, o.reverse ? 1 : 0);
        ASSERT_EQ(object->materials.count(), 2);
        const Material& m = object->materials[paired.material];
        EXPECT_EQ(m.red, 255);
        EXPECT_EQ(m.green, 255);
        EXPECT_EQ(m.blue, 191);
        EXPECT_FLOAT_EQ(m.ambient, 0.3f);
        EXPECT_FLOAT_EQ(m.diffuse, 1.0f);
        EXPECT_FLOAT_EQ(m.specular, 0.0f);
        EXPECT_EQ(object->materials[read.material].blue, 63);
    }

    o.groupByColour = true;
    ModelDocument doc;
    ModelObject* object = convertAndRead(o, doc);
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->rootPart->children.count(), 2);
    EXPECT_STREQ(object->rootPart->children[0]->name, "body1");
    EXPECT_STREQ(object->rootPart->children[1]->name, "body3");
    EXPECT_EQ(object->rootPart->faces.count(), 0);
    EXPECT_EQ(faceCount(*object->rootPart), 2);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(ReadBack, TheExamplesAreWhatFacesmithMakesOfTheirDrawings)
{
    struct Example {
        const char* name;
        bool grouped;
        int vertices, faces;
    };
    for (Example e : {Example{"dxf_cube", false, 8, 6}, Example{"dxf_house", false, 10, 8},
                      Example{"dxf_colours", true, 40, 10}}) {
        SCOPED_TRACE(e.name);
        std::string base = std::string(QUILLO_SOURCE_DIR) + "/examples/" + e.name;
        ConversionOptions o;
        o.inputPath = base + ".dxf";
        o.groupByColour = e.grouped;
        ModelDocument doc;
        ModelObject* object = convertAndRead(o, doc);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(test::readFile(folder.file("model.md4")), test::readFile(base + ".md4"));
        EXPECT_EQ(object->vertices.count(), e.vertices);
        EXPECT_EQ(faceCount(*object->rootPart), e.faces);
    }
}

TEST_F(ReadBack, DrawingsFromCadProgramsKeepTheirVertexAndFaceCounts)
{
    std::string folderPath = std::string(QUILLO_CORPUS_DIR) + "/dxf/";
    if (!test::fileExists(folderPath)) GTEST_SKIP() << "no corpus at " << folderPath;
    // Distinct points and distinct faces of each drawing, and how many faces
    // remain once triangles are paired.
    struct Drawing {
        const char* name;
        int vertices, faces, pairedFaces;
    };
    const Drawing drawings[] = {
        {"assimp_pinkegg_lightwave.dxf", 266, 288, 288}, {"dxfjs_threeDFaces.dxf", 8, 12, 6},
        {"ezdxf_3dface_ac1032.dxf", 146, 46, 46},        {"ezdxf_minimal_ac1006.dxf", 5, 2, 2},
        {"jscad_sphere.dxf", 62, 120, 64},               {"libredwg_example_2000.dxf", 7, 2, 2},
        {"libredwg_example_2018.dxf", 7, 2, 2},          {"libredwg_example_r12.dxf", 7, 2, 2},
        {"libredwg_gh109_1_blocks.dxf", 110, 132, 130},  {"libredwg_r9_entities.dxf", 4, 1, 1},
        {"wx_penguin_ac1006.dxf", 296, 593, 385},
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.name);
        for (bool fast : {true, false}) {
            ConversionOptions o;
            o.inputPath = folderPath + d.name;
            o.fast = fast;
            ModelDocument doc;
            ModelObject* object = convertAndRead(o, doc);
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(object->vertices.count(), d.vertices);
            EXPECT_EQ(faceCount(*object->rootPart), fast ? d.faces : d.pairedFaces);
            // Every face names a vertex of the object.
            for (const Face& f : object->rootPart->faces)
                for (int k = 0; k < 4; ++k) ASSERT_LT(f.index(k), d.vertices);
        }
    }
    EXPECT_TRUE(log.messages.empty());
}
