// The converter's models as the model editor's reader sees them: the
// examples and drawings from CAD programs (the lines themselves are checked
// in test_dxf_md4_writer.cpp, random drawings in tests/fuzz).
#include <gtest/gtest.h>

#include "dxf_test_util.h"
#include "dxfconv/convert_dxf.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "model/model.h"

using namespace quillo;

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

    test::TempFolder folder;
    MessageLog log;
};

} // namespace

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
        }
    }
    EXPECT_TRUE(log.messages.empty());
}
