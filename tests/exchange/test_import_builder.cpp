// Pairing imported triangles into quads: the writer's two diagonals come
// back as one quad each, triangles that bend, face away or differ in
// settings stay triangles, and welding puts equal grid points together.
#include "exchange/import_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace quillo;

namespace {

struct PairCase {
    const char* name;
    std::vector<std::array<float, 3>> points;
    std::vector<ImportTriangle> triangles;
    int quads;
    int triangleFaces;
};

ImportTriangle tri(int a, int b, int c, int material = 0) { return ImportTriangle{{a, b, c}, material, 0, 0}; }

const std::vector<std::array<float, 3>> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const std::vector<std::array<float, 3>> folded = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.2f, 0.2f, 0}};
const std::vector<std::array<float, 3>> bent = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0.5f}, {0, 1, 0}};

const PairCase cases[] = {
    {"split along B-D", square, {tri(0, 1, 3), tri(1, 2, 3)}, 1, 0},
    {"split along A-C", square, {tri(0, 1, 2), tri(0, 2, 3)}, 1, 0},
    {"pair found further on", square, {tri(0, 1, 3), tri(0, 0, 1), tri(1, 2, 3)}, 1, 0},
    {"bent", bent, {tri(0, 1, 3), tri(1, 2, 3)}, 0, 2},
    {"folded back", folded, {tri(0, 1, 3), tri(3, 1, 4)}, 0, 2},
    {"other colour", square, {tri(0, 1, 3), tri(1, 2, 3, 1)}, 0, 2},
    {"lone triangle", square, {tri(0, 1, 2)}, 0, 1},
    {"repeated corner", square, {tri(0, 0, 2)}, 0, 0},
};

class Pairing : public ::testing::TestWithParam<PairCase> {};

} // namespace

TEST_P(Pairing, QuadsAndTriangles)
{
    const PairCase& c = GetParam();
    Records<Vertex> vertices;
    for (const auto& p : c.points) vertices.append(makeVertex(p[0], p[1], p[2]));
    int quads = 0, triangles = 0;
    for (const Face& f : pairTriangles(c.triangles, vertices)) {
        const std::set<int32_t> corners = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
        (corners.size() == 4 ? quads : triangles)++;
        // The renderer's split of the face draws exactly the imported triangles.
        EXPECT_EQ(f.altDiagonal, 0);
        if (corners.size() == 3) {
            EXPECT_EQ(f.vertexA, f.vertexB) << c.name;
        }
    }
    EXPECT_EQ(quads, c.quads) << c.name;
    EXPECT_EQ(triangles, c.triangleFaces) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Pairing, ::testing::ValuesIn(cases));

TEST(Pairing, QuadKeepsTheTrianglesWinding)
{
    Records<Vertex> vertices;
    for (const auto& p : square) vertices.append(makeVertex(p[0], p[1], p[2]));
    const std::vector<Face> faces = pairTriangles({tri(0, 1, 2), tri(0, 2, 3)}, vertices);
    ASSERT_EQ(faces.size(), 1u);
    // (x, y, z) = (1, 2, 0) and (z, y, w) = (0, 2, 3): the quad (1, 2, 3, 0) split along 2-0.
    EXPECT_EQ((std::array<int32_t, 4>{faces[0].vertexA, faces[0].vertexB, faces[0].vertexC, faces[0].vertexD}),
              (std::array<int32_t, 4>{1, 2, 3, 0}));
}

TEST(ObjectBuilder, WeldsGridPointsAndColours)
{
    dt = defaultGridStep;
    ModelObject o(true);
    ObjectBuilder b(o);
    EXPECT_EQ(b.vertex(0.1, -0.1, 0), 0);
    EXPECT_EQ(b.vertex(0.1001, -0.0999, 0.0), 0); // the same grid point
    EXPECT_EQ(b.vertex(0.1125, -0.1, 0), 1);
    EXPECT_EQ(b.vertex(std::nan(""), 0, 0), -1);
    EXPECT_EQ(b.vertex(0, 1e30, 0), -1);
    EXPECT_EQ(o.vertices.count(), 2);
    EXPECT_EQ(int(o.vertices[0].x / dt), 8);
    EXPECT_EQ(int(o.vertices[0].y / dt), -8);
    EXPECT_EQ(b.material(300, 20, 30, 0.2f, 1, 0), 0);
    EXPECT_EQ(b.material(255, 20, 30, 0.2f, 1, 0), 0);
    EXPECT_EQ(b.material(255, 20, 30, 0.3f, 1, 0), 1);
    ModelPart p(false);
    EXPECT_EQ(b.addTriangles(p, {tri(0, 1, 2)}), 1);
    EXPECT_EQ(b.addTriangles(p, {tri(1, 2, 0)}), 0); // the same face once
}

TEST(ImportName, OneWordWithinTheField)
{
    char field[nameSize];
    setImportName(field, "left arm", "部分", 3);
    EXPECT_STREQ(field, "left_arm");
    setImportName(field, "", "部分", 3);
    EXPECT_STREQ(field, "部分3");
    setImportName(field, std::string(40, 'a') + std::string(30, '\xe3') , "x", 0);
    EXPECT_LE(std::string(field).size(), 79u);
}
