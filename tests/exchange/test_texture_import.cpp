// Round trips with textures and part trees: the dice exported as glTF, GLB
// and OBJ comes back with its texture (plane, rectangle and the picture as
// the editor shows it) in a BMP file beside the model; the robot, dice and
// house exported as OBJ come back as one object with the same parts in the
// same tree, with their pivots, faces (quads again) and points.
#include "exchange/gltf_reader.h"
#include "exchange/gltf_writer.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "exchange/exchange_text.h"
#include "exchange/texture_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <vector>

#include "loaded_model.h"
#include "model/bmp_pattern.h"
#include "model/md4_file.h"
#include "model_signature.h"
#include "platform/qt_png_encoder.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

const std::string sourceDir = QUILLO_SOURCE_DIR;

bool exportTo(const ModelDocument& d, const std::string& path, std::string& why)
{
    return endsWithNoCase(path, ".obj") ? writeObj(d, path, qtPngEncoder(), why) : writeGltf(d, path, qtPngEncoder(), why);
}

bool importFrom(ModelDocument& d, const std::string& path, std::string& why, ImportCounts* counts, TextureImport* t)
{
    return endsWithNoCase(path, ".obj") ? readObj(d, path, why, counts, t) : readGltf(d, path, why, counts, t);
}

// The first texture of the first object and the faces that show it.
struct TextureUse {
    const Texture* texture = nullptr;
    int faces = 0;
    explicit TextureUse(const ModelDocument& d)
    {
        const ModelObject& o = *d.objects[0];
        PointerList<ModelPart> parts;
        collectParts(o.rootPart, parts);
        for (const ModelPart* p : parts)
            for (const Face& f : p->faces)
                if (const Material* m = o.materials.at(f.material); m && o.textures.at(m->texture)) {
                    texture = o.textures.at(m->texture);
                    ++faces;
                }
    }
};

class TextureRoundTrip : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(TextureRoundTrip, TheDiceComesBackWithItsTexture)
{
    test::TempDir dir;
    test::LoadedModel original(sourceDir + "/examples/dice.md4");
    const std::string exported = dir / (std::string("dice.") + GetParam());
    std::string why;
    ASSERT_TRUE(exportTo(original.document, exported, why)) << why;

    ModelDocument back;
    TextureImport textures;
    textures.stem = importTextureStem(dir / "back.md4");
    ASSERT_TRUE(importFrom(back, exported, why, nullptr, &textures)) << why;
    EXPECT_EQ(textures.textures, 1);
    EXPECT_EQ(textures.colourOnly, 0);
    ASSERT_EQ(textures.files.size(), 1u);
    EXPECT_EQ(textures.files[0].path, dir / "back_0_0.bmp");
    EXPECT_FALSE(std::filesystem::exists(dir / "back_0_0.bmp")) << "the reader writes nothing itself";
    ASSERT_TRUE(writeImportFiles(textures.files, why)) << why;
    ASSERT_TRUE(writeModel(back, dir / "back.md4"));

    // Read again as the editor reads it: the pattern file is found beside the model.
    test::LoadedModel reread(dir / "back.md4");
    const TextureUse was(original.document), is(reread.document);
    ASSERT_TRUE(is.texture);
    EXPECT_EQ(is.faces, was.faces);
    EXPECT_EQ(is.texture->plane, was.texture->plane);
    EXPECT_EQ(is.texture->x0, was.texture->x0);
    EXPECT_EQ(is.texture->y0, was.texture->y0);
    EXPECT_EQ(is.texture->x1, was.texture->x1);
    EXPECT_EQ(is.texture->y1, was.texture->y1);
    EXPECT_EQ(is.texture->red, was.texture->red);
    std::vector<unsigned char> before, after;
    int32_t w0 = 0, h0 = 0, w1 = 0, h1 = 0;
    ASSERT_EQ(patternRgba(*was.texture, 0, before, w0, h0), 1);
    ASSERT_EQ(patternRgba(*is.texture, 0, after, w1, h1), 1);
    EXPECT_EQ(w1, w0);
    EXPECT_EQ(h1, h0);
    EXPECT_EQ(after, before) << "the picture shows as it did";
    EXPECT_EQ(test::quadCount(reread.document), test::quadCount(original.document));
}

INSTANTIATE_TEST_SUITE_P(Formats, TextureRoundTrip, ::testing::Values("gltf", "glb", "obj"));

namespace {

// Every part in the order an OBJ file holds them (embedded objects' parts
// where their object stands), with its depth in the tree, its pivot where
// the model stands at rest (below the top) and its faces as the triangles
// drawn, corners as grid points where the model stands. A second top-level
// object is a child of the first root, as one object of an import holds it.
void walk(const ModelObject& o, const float offset[3], int depth, bool pivot, std::vector<std::string>& lines,
          std::multiset<std::string>& points);

std::string gridPoint(const Vertex& v, const float at[3])
{
    return "(" + std::to_string(std::lround((v.x + at[0]) / dt)) + " " + std::to_string(std::lround((v.y + at[1]) / dt)) +
           " " + std::to_string(std::lround((v.z + at[2]) / dt)) + ")";
}

void walkPart(const ModelObject& o, const ModelPart& p, const float at[3], int depth, bool pivot,
              std::vector<std::string>& lines, std::multiset<std::string>& points)
{
    std::string line = std::to_string(lines.size()) + " " + std::string(size_t(depth), ' ') + p.name;
    if (pivot) { // a child part turns about its position, a root below the top about its object's place
        const Vertex place = p.child ? makeVertex(p.position[0], p.position[1], p.position[2]) : makeVertex(0, 0, 0);
        line += " pivot " + gridPoint(place, at);
    }
    std::vector<std::string> faces;
    for (const Face& f : p.faces) {
        const Material* m = o.materials.at(f.material);
        if (!m) continue;
        static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
        std::vector<std::string> drawn;
        for (const auto& t : corners[f.altDiagonal ? 1 : 0]) {
            const int32_t v[3] = {f.index(t[0]), f.index(t[1]), f.index(t[2])};
            if (v[0] == v[1] || v[1] == v[2] || v[0] == v[2]) continue;
            std::array<std::string, 3> c = {gridPoint(o.vertices[v[0]], at), gridPoint(o.vertices[v[1]], at),
                                            gridPoint(o.vertices[v[2]], at)};
            while (c[0] > c[1] || c[0] > c[2]) std::rotate(c.begin(), c.begin() + 1, c.end());
            drawn.push_back(c[0] + c[1] + c[2]);
            points.insert(c.begin(), c.end());
        }
        std::sort(drawn.begin(), drawn.end());
        std::string face = " face";
        for (const std::string& d : drawn) face += d;
        faces.push_back(face + " colour " + std::to_string(m->red) + " " + std::to_string(m->green) + " " +
                        std::to_string(m->blue));
    }
    std::sort(faces.begin(), faces.end());
    for (const std::string& f : faces) line += "\n" + f;
    lines.push_back(line);
    for (const ModelPart* c : p.children) walkPart(o, *c, at, depth + 1, true, lines, points);
    for (const ModelObject* e : p.objects) walk(*e, at, depth + 1, true, lines, points);
}

void walk(const ModelObject& o, const float offset[3], int depth, bool pivot, std::vector<std::string>& lines,
          std::multiset<std::string>& points)
{
    float at[3];
    for (int k = 0; k < 3; ++k) at[k] = offset[k] + o.position[k] + o.rootPart->position[k];
    walkPart(o, *o.rootPart, at, depth, pivot, lines, points);
}

std::vector<std::string> tree(const ModelDocument& d, std::set<std::string>& points)
{
    std::vector<std::string> lines;
    std::multiset<std::string> all;
    const float none[3] = {0, 0, 0};
    for (int i = 0; i < d.objects.count(); ++i) walk(*d.objects[i], none, i > 0 ? 1 : 0, i > 0, lines, all);
    points.insert(all.begin(), all.end());
    return lines;
}

class ObjTree : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(ObjTree, AnExportComesBackWithTheSamePartTree)
{
    test::TempDir dir;
    test::LoadedModel original(sourceDir + "/examples/" + GetParam());
    std::string why;
    ASSERT_TRUE(writeObj(original.document, dir / "model.obj", qtPngEncoder(), why)) << why;
    ModelDocument back;
    ImportCounts counts;
    ASSERT_TRUE(readObj(back, dir / "model.obj", why, &counts)) << why;
    ASSERT_EQ(back.objects.count(), 1);
    std::set<std::string> pointsBefore, pointsAfter;
    const std::vector<std::string> before = tree(original.document, pointsBefore);
    const std::vector<std::string> after = tree(back, pointsAfter);
    EXPECT_EQ(after, before);
    EXPECT_EQ(counts.parts, int(before.size()));
    EXPECT_EQ(back.objects[0]->vertices.count(), int(pointsBefore.size())) << "points welded where they meet";
    EXPECT_EQ(pointsAfter, pointsBefore);
    EXPECT_EQ(test::quadCount(back), test::quadCount(original.document));
}

INSTANTIATE_TEST_SUITE_P(Examples, ObjTree, ::testing::Values("robot.md4", "dice.md4", "house.md5"),
                         [](const auto& info) { return std::string(info.param).substr(0, 4); });

TEST(ObjTree, StructureLinesOfAnotherFileAreReadWithCare)
{
    // Depths that jump, a second top, nonsense numbers, a broken line and a group without one.
    test::TempDir dir;
    test::writeText(dir / "odd.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                     "#quillo part 0 0 0 0\ng a\nf 1 2 3 4\n"
                                     "#quillo part 5 1 2 3\ng b\nf 1 2 3\n"
                                     "#quillo part 0 nan 1e300 -1\ng c\nf 2 3 4\n"
                                     "#quillo part 1 0 0\ng d\nf 1 3 4\n"
                                     "g e\nf 1 2 4\n");
    dt = defaultGridStep;
    ModelDocument d;
    std::string why;
    ASSERT_TRUE(readObj(d, dir / "odd.obj", why)) << why;
    const ModelPart& a = *d.objects[0]->rootPart;
    EXPECT_STREQ(a.name, "a");
    ASSERT_EQ(a.children.count(), 4); // b (nothing lies between), c (a second top), d and e (plain groups)
    EXPECT_STREQ(a.children[0]->name, "b");
    EXPECT_FLOAT_EQ(a.children[0]->position[2], 3.0f);
    EXPECT_STREQ(a.children[1]->name, "c");
    EXPECT_EQ(a.children[1]->position[0], 0.0f); // not a number
    EXPECT_EQ(a.children[1]->position[1], 0.0f); // beyond a billion grid units
    EXPECT_EQ(a.children[1]->position[2], -1.0f);
    // The line with too few numbers is no structure line: d is a plain group below the root.
    EXPECT_STREQ(a.children[2]->name, "d");
    EXPECT_STREQ(a.children[3]->name, "e");
    EXPECT_EQ(a.children[1]->children.count(), 0);
}

TEST(TextureImportOfOtherFiles, AForeignTexturedSquareGetsItsPlanarTexture)
{
    // A square from 0 to 1 in X and Y with the picture's u along X and v along Y (a data URI PNG, 2 x 2).
    dt = defaultGridStep;
    ModelDocument d;
    std::string why;
    TextureImport textures;
    textures.stem = "/nowhere/square";
    ASSERT_TRUE(readGltf(d, sourceDir + "/tests/fuzz/gltf/textured_square.gltf", why, nullptr, &textures)) << why;
    ASSERT_EQ(textures.textures, 1);
    ASSERT_EQ(textures.files.size(), 1u);
    EXPECT_EQ(textures.files[0].path, "/nowhere/square_0_0.bmp");
    EXPECT_EQ(textures.files[0].bytes.substr(0, 2), "BM");
    const ModelObject& o = *d.objects[0];
    ASSERT_EQ(o.textures.count(), 1);
    const Texture& t = o.textures[0];
    EXPECT_STREQ(t.name, "pic");
    EXPECT_EQ(t.plane, planeXY);
    // One unit is 80 grid steps of 0.0125.
    EXPECT_EQ((std::vector<int>{t.x0, t.y0, t.x1, t.y1}), (std::vector<int>{0, 0, 80, 80}));
    ASSERT_EQ(o.rootPart->faces.count(), 1); // the two triangles are one quad again
    const Material& m = o.materials[o.rootPart->faces[0].material];
    EXPECT_EQ(m.texture, 0);
    // The bottom-left texel (blue) is opaque: it is the key, and the colour takes it.
    EXPECT_EQ((std::vector<int>{m.red, m.green, m.blue}), (std::vector<int>{0, 0, 255}));
}
