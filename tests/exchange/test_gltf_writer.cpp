// glTF export: the example models written as glTF and GLB are accepted by
// the Khronos validator and read back by Assimp with the same counts of
// nodes, vertices and triangles; the node tree mirrors the part tree.
#include "exchange/gltf_writer.h"

#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "exchange/exchange_mesh.h"
#include "model/colour_table.h"
#include "model/md4_file.h"
#include "loaded_model.h"
#include "platform/qt_png_encoder.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

const std::string sourceDir = QUILLO_SOURCE_DIR;
const std::string validatorDir = sourceDir + "/build-tools/node_modules/gltf-validator";

using Loaded = test::LoadedModel;

// Output of a command, and its exit status.
int run(const std::string& command, std::string& output)
{
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) output.append(buffer, n);
    return pclose(p);
}

int countNodes(const aiNode* n)
{
    int count = 1;
    for (unsigned i = 0; i < n->mNumChildren; ++i) count += countNodes(n->mChildren[i]);
    return count;
}

int countParts(const ModelObject& o);
int countParts(const ModelPart& p)
{
    int count = 1;
    for (const ModelPart* c : p.children) count += countParts(*c);
    for (const ModelObject* e : p.objects) count += countParts(*e);
    return count;
}
int countParts(const ModelObject& o) { return 1 + countParts(*o.rootPart); }

// Triangles the renderer draws: two per quad, one per triangle face, none
// for faces without a colour.
int drawnTriangles(const ModelObject& o, const ModelPart& p)
{
    int count = 0;
    for (const Face& f : p.faces) {
        if (!o.materials.at(f.material)) continue;
        const int32_t i[4] = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
        const int tri[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
        for (const auto& t : tri[f.altDiagonal ? 1 : 0])
            count += i[t[0]] != i[t[1]] && i[t[1]] != i[t[2]] && i[t[0]] != i[t[2]];
    }
    for (const ModelPart* c : p.children) count += drawnTriangles(o, *c);
    for (const ModelObject* e : p.objects) count += drawnTriangles(*e, *e->rootPart);
    return count;
}

struct Example {
    const char* model;
    const char* ext;
};

class GltfExamples : public ::testing::TestWithParam<Example> {};

} // namespace

TEST_P(GltfExamples, ValidatorAndAssimpAcceptTheExport)
{
    const Example e = GetParam();
    Loaded m(sourceDir + "/examples/" + e.model);
    quillo::test::TempDir dir;
    const std::string out = dir / (std::string("out.") + e.ext);
    std::string why;
    ExportCounts counts;
    ASSERT_TRUE(writeGltf(m.document, out, qtPngEncoder(), why, &counts)) << why;

    int parts = 0, triangles = 0;
    for (const ModelObject* o : m.document.objects) {
        parts += countParts(*o);
        triangles += drawnTriangles(*o, *o->rootPart);
    }
    EXPECT_EQ(counts.nodes, parts);
    EXPECT_EQ(counts.triangles, triangles);

    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(out, 0);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    int vertices = 0, faces = 0;
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
        vertices += int(scene->mMeshes[i]->mNumVertices);
        faces += int(scene->mMeshes[i]->mNumFaces);
    }
    EXPECT_EQ(vertices, counts.vertices);
    EXPECT_EQ(faces, counts.triangles);
    // Assimp puts a node of its own above several scene roots.
    const int extraRoot = m.document.objects.count() > 1 ? 1 : 0;
    EXPECT_EQ(countNodes(scene->mRootNode), counts.nodes + extraRoot);

    if (!std::filesystem::exists(validatorDir)) GTEST_SKIP() << "gltf-validator is not installed (scripts/setup.sh)";
    std::string report;
    ASSERT_EQ(run("node " + sourceDir + "/tests/exchange/validate_gltf.js " + validatorDir + " " + out, report), 0)
        << report;
    EXPECT_NE(report.find("errors=0 warnings=0 "), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Examples, GltfExamples,
                         ::testing::Values(Example{"robot.md4", "gltf"}, Example{"robot.md4", "glb"},
                                           Example{"dice.md4", "gltf"}, Example{"dice.md4", "glb"},
                                           Example{"house.md5", "gltf"}, Example{"house.md5", "glb"}),
                         [](const auto& info) {
                             std::string name = std::string(info.param.model) + "_" + info.param.ext;
                             for (char& c : name)
                                 if (c == '.') c = '_';
                             return name;
                         });

TEST(GltfWriter, APartTurnsAboutItsPivotAndItsMeshSitsAroundIt)
{
    dt = defaultGridStep;
    ModelObject o(true);
    for (int i = 0; i < 4; ++i) o.vertices.append(makeVertex(1.0f + float(i & 1), float(i >> 1), 0.0f));
    o.materials.append(defaultMaterial());
    auto* arm = new ModelPart(true);
    arm->place(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f);
    arm->faces.append(Face{0, 1, 3, 2, 0, 0, 0, 0});
    o.rootPart->children.append(arm);
    float origin[3];
    partOrigin(*arm, origin);
    EXPECT_EQ(origin[0], 1.0f);
    const std::vector<MeshPrimitive> groups = partPrimitives(o, *arm, origin);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].indices.size(), 6u);
    EXPECT_EQ(groups[0].positions[0], 0.0f); // the pivot vertex at the node's origin
    double q[4];
    nodeRotation(*arm, q);
    EXPECT_NEAR(std::fabs(q[1]), std::sin(0.25), 1e-3); // half the angle about Y (its sign is the renderer's turning sense)
    EXPECT_NEAR(q[3], std::cos(0.25), 1e-3);
}

TEST(GltfWriter, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    Loaded m(sourceDir + "/examples/robot.md4");
    std::string why;
    EXPECT_FALSE(writeGltf(m.document, "/nonexistent/folder/out.gltf", qtPngEncoder(), why));
    EXPECT_NE(why.find("/nonexistent/folder/out.gltf"), std::string::npos);
}
