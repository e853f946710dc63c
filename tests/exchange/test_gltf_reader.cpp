// glTF import: the example models exported as glTF and GLB come back with
// the same parts, grid points and faces (as quads again); files from other
// writers are placed by their node transforms; broken files change nothing.
#include "exchange/gltf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "exchange/gltf_writer.h"
#include "model/colour_table.h"
#include "model/md4_file.h"
#include "model_signature.h"
#include "platform/qt_png_encoder.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

const std::string sourceDir = QUILLO_SOURCE_DIR;

struct RoundTrip {
    const char* model;
    const char* ext;
};

class GltfRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A square of two triangles in the X-Y plane under a node moved by 2 along X
// and turned a quarter about Y, from a writer that knows nothing of parts.
const char* foreignSquare = R"({
 "asset": {"version": "2.0"},
 "scene": 0, "scenes": [{"nodes": [0]}],
 "nodes": [{"name": "plate one", "mesh": 0, "translation": [2, 0, 0], "rotation": [0, 0.70710678, 0, 0.70710678]}],
 "meshes": [{"primitives": [{"attributes": {"POSITION": 0}, "indices": 1, "material": 0}]}],
 "materials": [{"pbrMetallicRoughness": {"baseColorFactor": [1, 0.5, 0, 1]}}],
 "buffers": [{"byteLength": 60, "uri": "data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAACAPwAAgD8AAAAAAAAAAAAAgD8AAAAAAAABAAIAAAACAAMA"}],
 "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 48}, {"buffer": 0, "byteOffset": 48, "byteLength": 12}],
 "accessors": [{"bufferView": 0, "componentType": 5126, "count": 4, "type": "VEC3", "min": [0,0,0], "max": [1,1,0]},
               {"bufferView": 1, "componentType": 5123, "count": 6, "type": "SCALAR"}]
})";

} // namespace

TEST_P(GltfRoundTrip, ExampleComesBackWithTheSameFaces)
{
    const RoundTrip r = GetParam();
    dt = defaultGridStep;
    ModelDocument original;
    ASSERT_EQ(readModel(original, sourceDir + "/examples/" + r.model), ReadResult::ok);
    GMTBL table;
    for (ModelObject* o : original.objects) prepare(*o, table);
    const float step = dt;
    test::TempDir dir;
    const std::string file = dir / (std::string("model.") + r.ext);
    std::string why;
    ASSERT_TRUE(writeGltf(original, file, qtPngEncoder(), why)) << why;

    dt = 0.5f; // the file's own grid step must come back
    ModelDocument imported;
    ImportCounts counts;
    ASSERT_TRUE(readGltf(imported, file, why, &counts)) << why;
    EXPECT_EQ(dt, step);
    EXPECT_EQ(test::signature(imported), test::signature(original));
    EXPECT_EQ(test::quadCount(imported), test::quadCount(original));

    // Written as a model file and read again, nothing changes.
    const std::string saved = dir / "again.md4";
    ASSERT_TRUE(writeModel(imported, saved));
    ModelDocument reread;
    ASSERT_EQ(readModel(reread, saved), ReadResult::ok);
    EXPECT_EQ(test::signature(reread), test::signature(original));
}

INSTANTIATE_TEST_SUITE_P(Examples, GltfRoundTrip,
                         ::testing::Values(RoundTrip{"robot.md4", "gltf"}, RoundTrip{"robot.md4", "glb"},
                                           RoundTrip{"dice.md4", "glb"}, RoundTrip{"house.md5", "gltf"}));

TEST(GltfReader, ForeignNodeTransformIsBakedIntoTheVertices)
{
    dt = defaultGridStep;
    test::TempDir dir;
    write(dir / "square.gltf", foreignSquare);
    ModelDocument d;
    std::string why;
    ASSERT_TRUE(readGltf(d, dir / "square.gltf", why)) << why;
    ASSERT_EQ(d.objects.count(), 1);
    const ModelObject& o = *d.objects[0];
    EXPECT_STREQ(o.name, "plate_one");
    EXPECT_FLOAT_EQ(o.position[0], 2.0f);
    ASSERT_EQ(o.rootPart->faces.count(), 1); // two triangles, one quad
    ASSERT_EQ(o.vertices.count(), 4);
    // A quarter turn about Y takes +X to -Z.
    const Vertex& corner = o.vertices[1]; // was (1, 0, 0)
    EXPECT_NEAR(corner.x, 0.0, 0.01);
    EXPECT_NEAR(corner.z, -1.0, 0.01);
    const Material& m = o.materials[o.rootPart->faces[0].material];
    EXPECT_EQ((std::vector<int>{m.red, m.green, m.blue}), (std::vector<int>{255, 128, 0}));
    EXPECT_FLOAT_EQ(m.diffuse, 1.0f);
}

TEST(GltfReader, BrokenFilesLeaveTheDocumentAlone)
{
    dt = defaultGridStep;
    test::TempDir dir;
    std::string broken = foreignSquare;
    broken.replace(broken.find("\"count\": 6"), 10, "\"count\": 9"); // indices past the buffer
    const std::vector<std::pair<std::string, std::string>> files = {
        {"missing.gltf", ""}, {"empty.gltf", "{}"}, {"text.glb", "not a binary file"},
        {"past_end.gltf", broken}, {"cut.gltf", std::string(foreignSquare).substr(0, 200)}};
    for (const auto& [name, text] : files) {
        if (!text.empty()) write(dir / name, text);
        ModelDocument d;
        std::string why;
        EXPECT_FALSE(readGltf(d, dir / name, why)) << name;
        EXPECT_FALSE(why.empty()) << name;
        EXPECT_EQ(d.objects.count(), 0) << name;
        EXPECT_EQ(dt, defaultGridStep) << name;
    }
}
