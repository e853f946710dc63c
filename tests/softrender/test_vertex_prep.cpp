#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/colour_table.h"
#include "model_builder.h"
#include "softrender/vertex_prep.h"

using namespace quillo;
using namespace quillo::test;

namespace {

// partList as prepare builds it: the root, then the children in pre-order.
void listParts(ModelObject& object)
{
    object.partList.reset();
    collectParts(object.rootPart, object.partList);
}

// The robot's box: corner i has x from bit 2, y from bit 1, z from bit 0.
void addBox(ModelObject& object, ModelPart& part, int material, int size = 40)
{
    const int base = object.vertices.count();
    for (int i = 0; i < 8; ++i)
        addVertex(object, (i & 4) ? size : -size, (i & 2) ? size : -size, (i & 1) ? size : -size);
    const int faces[6][4] = {{1, 3, 2, 0}, {4, 6, 7, 5}, {0, 4, 5, 1}, {3, 7, 6, 2}, {2, 6, 4, 0}, {1, 5, 7, 3}};
    for (const auto& f : faces)
        part.faces.append(makeFace(base + f[0], base + f[1], base + f[2], base + f[3], material));
}

} // namespace

TEST(VertexPrep, GridCoordinatesTruncateAndOwnersAreCopied)
{
    ModelObject object(true);
    object.vertices.append(makeVertex(snap(0.3f), snap(-0.3f), 0.0f));
    object.vertices.append(makeVertex(0, 0, 0));
    object.vertices.append(makeVertex(-0.0124f, 0, 0));
    object.rootPart->faces.append(makeFace(0, 1, 2, 2, 0));
    TransformBlock block{};
    for (Vertex& v : object.vertices) v.owner = &block;
    listParts(object);
    prepareVertices(object);
    EXPECT_EQ(object.vertices[0].gx, 24); // 0.3 + 0.0025 over 0.0125, not 23
    EXPECT_EQ(object.vertices[0].gy, -24);
    EXPECT_EQ(object.vertices[0].gz, 0);
    EXPECT_EQ(object.vertices[2].gx, 0); // truncated toward zero
    for (const Vertex& v : object.vertices) EXPECT_EQ(v.ownerCopy, &block);
}

TEST(VertexNormals, FlatQuadFacesAlongZ)
{
    ModelObject object(true);
    addVertex(object, 0, 0, 0);
    addVertex(object, 0, 10, 0);
    addVertex(object, 10, 10, 0);
    addVertex(object, 10, 0, 0);
    object.rootPart->faces.append(makeFace(0, 1, 2, 3, 0));
    listParts(object);
    prepareVertices(object);
    for (const Vertex& v : object.vertices) { // (A - B) x (C - B) points along +z
        EXPECT_EQ(v.inx, 0);
        EXPECT_EQ(v.iny, 0);
        EXPECT_EQ(v.inz, 255);
        EXPECT_NEAR(v.nz, 1.0f, 1e-6);
    }
}

TEST(VertexNormals, BoxCornersAreWeightedByAngleNotByTriangleCount)
{
    // Each corner meets three faces at right angles, but some faces reach
    // it with two triangles and some with one: only the angle weighting
    // gives the exact diagonal.
    ModelObject object(true);
    addBox(object, *object.rootPart, 0);
    listParts(object);
    prepareVertices(object);
    for (int i = 0; i < 8; ++i) {
        const Vertex& v = object.vertices[i];
        EXPECT_EQ(std::abs(v.inx), 147) << i; // 255 / sqrt(3)
        EXPECT_EQ(std::abs(v.iny), 147) << i;
        EXPECT_EQ(std::abs(v.inz), 147) << i;
        // (A - B) x (C - B) of a face wound to be seen from outside points
        // into the box: along the corner's diagonal, inwards.
        EXPECT_EQ(v.inx > 0, (i & 4) == 0) << i;
        EXPECT_EQ(v.iny > 0, (i & 2) == 0) << i;
        EXPECT_EQ(v.inz > 0, (i & 1) == 0) << i;
    }
}

TEST(VertexNormals, TwistFixAndDegenerateFacesLeaveAZeroNormal)
{
    ModelObject object(true);
    for (int i = 0; i < 4; ++i) addVertex(object, i * 10, 0, 0); // four points on one line
    addVertex(object, 0, 0, 50);
    addVertex(object, 0, 10, 50);
    addVertex(object, 10, 10, 50);
    addVertex(object, 10, 0, 50);
    object.rootPart->faces.append(makeFace(0, 1, 2, 3, 0));
    object.rootPart->faces.append(makeFace(4, 5, 6, 7, 0, false, false, true));
    listParts(object);
    prepareVertices(object);
    ASSERT_EQ(object.vertices.count(), 8);
    for (const Vertex& v : object.vertices) {
        EXPECT_EQ(v.nx, 0.0f);
        EXPECT_EQ(v.ny, 0.0f);
        EXPECT_EQ(v.nz, 0.0f);
        EXPECT_EQ(v.inx, 0);
        EXPECT_EQ(v.iny, 0);
        EXPECT_EQ(v.inz, 0);
    }
}

TEST(VertexRemoval, UnusedVerticesGoAndFaceIndicesFollow)
{
    ModelObject object(true);
    for (int i = 0; i < 6; ++i) addVertex(object, i, i * 2, i * 3);
    ModelPart& child = addChildPart(*object.rootPart, "child");
    object.rootPart->faces.append(makeFace(1, 3, 4, 5, 0));
    child.faces.append(makeFace(5, 4, 3, 50, 0)); // 50 names no vertex
    child.faces.append(makeFace(-1, 1, 3, 4, 0));
    listParts(object);
    prepareVertices(object);
    ASSERT_EQ(object.vertices.count(), 4);
    const Face& f = object.rootPart->faces[0];
    EXPECT_EQ(f.vertexA, 0);
    EXPECT_EQ(f.vertexB, 1);
    EXPECT_EQ(f.vertexC, 2);
    EXPECT_EQ(f.vertexD, 3);
    EXPECT_EQ(object.vertices[1].gx, 3); // the old vertex 3 keeps its place data
    EXPECT_EQ(object.vertices[3].gz, 15);
    EXPECT_EQ(child.faces[0].vertexD, 48); // above the table: lowered by the two removed
    EXPECT_EQ(child.faces[1].vertexA, -1);
}

TEST(VertexRemoval, RenumberingMatchesRemovingOneByOne)
{
    std::mt19937 random(17);
    for (int round = 0; round < 200; ++round) {
        const int count = 1 + int(random() % 60);
        ModelObject fast(true), slow(true);
        ModelPart& fastChild = addChildPart(*fast.rootPart, "c");
        ModelPart& slowChild = addChildPart(*slow.rootPart, "c");
        for (int i = 0; i < count; ++i) {
            addVertex(fast, i, 0, 0);
            addVertex(slow, i, 0, 0);
        }
        std::vector<char> used(static_cast<size_t>(count));
        for (auto& u : used) u = char(random() % 3 == 0);
        for (int i = 0; i < int(random() % 12); ++i) {
            int idx[4];
            for (int& k : idx) k = int(random() % uint32_t(count + 20)) - 10; // some outside the table
            const Face f = makeFace(idx[0], idx[1], idx[2], idx[3], 0);
            (i % 2 ? fast.rootPart : &fastChild)->faces.append(f);
            (i % 2 ? slow.rootPart : &slowChild)->faces.append(f);
        }
        listParts(fast);
        listParts(slow);
        const int removed = removeUnusedVertices(fast, used);
        int slowRemoved = 0;
        for (int i = count - 1; i >= 0; --i) {
            if (used[size_t(i)]) continue;
            for (ModelPart* p : slow.partList)
                for (Face& f : p->faces)
                    for (int k = 0; k < 4; ++k)
                        if (f.index(k) > i) --f.index(k);
            slow.vertices.removeAt(i);
            ++slowRemoved;
        }
        ASSERT_EQ(removed, slowRemoved);
        ASSERT_EQ(fast.vertices.count(), slow.vertices.count());
        for (int i = 0; i < fast.vertices.count(); ++i) ASSERT_EQ(fast.vertices[i].x, slow.vertices[i].x);
        for (int p = 0; p < 2; ++p)
            for (int i = 0; i < fast.partList[p]->faces.count(); ++i)
                for (int k = 0; k < 4; ++k)
                    ASSERT_EQ(fast.partList[p]->faces[i].index(k), slow.partList[p]->faces[i].index(k)) << round;
    }
}

TEST(VertexSmoothing, VertexOnAnotherFacesEdgeTakesThatEdgesNormal)
{
    // Face F (o, p1, p2, k) on the left; on the right its edge k-o is split
    // at s by two faces G1 (q1, o, s, q2) and G2 (q2, s, k, q3), bent out
    // of F's plane by different amounts.
    ModelObject object(true);
    const int o = addVertex(object, 0, 0, 0);
    const int p1 = addVertex(object, -20, 0, 0);
    const int p2 = addVertex(object, -20, 20, 0);
    const int k = addVertex(object, 0, 20, 0);
    const int s = addVertex(object, 0, 5, 0);
    const int q1 = addVertex(object, 20, 0, 20);
    const int q2 = addVertex(object, 20, 5, 10);
    const int q3 = addVertex(object, 20, 20, -10);
    object.rootPart->faces.append(makeFace(o, p1, p2, k, 0));
    object.rootPart->faces.append(makeFace(q1, o, s, q2, 0));
    object.rootPart->faces.append(makeFace(q2, s, k, q3, 0));
    listParts(object);
    prepareVertices(object);

    const Vertex &vo = object.vertices[o], &vk = object.vertices[k], &vs = object.vertices[s];
    // s is about 15 from k and 5 from o (the snapping bias moves them a little).
    const double dk = std::hypot(vs.x - vk.x, vs.y - vk.y, vs.z - vk.z);
    const double d0 = std::hypot(vs.x - vo.x, vs.y - vo.y, vs.z - vo.z);
    const double f = dk / (dk + d0);
    EXPECT_NEAR(f, 0.75, 0.01);
    EXPECT_NEAR(vs.nx, f * vo.nx + (1 - f) * vk.nx, 1e-5);
    EXPECT_NEAR(vs.ny, f * vo.ny + (1 - f) * vk.ny, 1e-5);
    EXPECT_NEAR(vs.nz, f * vo.nz + (1 - f) * vk.nz, 1e-5);
    EXPECT_EQ(vs.inx, int(vs.nx * 255.0));
    EXPECT_EQ(vs.inz, int(vs.nz * 255.0));
    // Its own faces alone would tilt it well away from F's normal.
    EXPECT_GT(vs.nz, 0.5f);
    EXPECT_NE(vo.nx, vk.nx);
}

TEST(VertexSmoothing, WithoutAClosingChainNothingChanges)
{
    // The same split, but G2 stops at a vertex other than k: no chain
    // leads back, so s keeps the normal of its own faces.
    ModelObject object(true);
    const int o = addVertex(object, 0, 0, 0);
    const int p1 = addVertex(object, -20, 0, 0);
    const int p2 = addVertex(object, -20, 20, 0);
    const int k = addVertex(object, 0, 20, 0);
    const int s = addVertex(object, 0, 5, 0);
    const int q1 = addVertex(object, 20, 0, 20);
    const int q2 = addVertex(object, 20, 5, 20);
    const int other = addVertex(object, 0, 19, 0);
    const int q3 = addVertex(object, 20, 20, 20);
    object.rootPart->faces.append(makeFace(o, p1, p2, k, 0));
    object.rootPart->faces.append(makeFace(q1, o, s, q2, 0));
    object.rootPart->faces.append(makeFace(q2, s, other, q3, 0));
    listParts(object);
    prepareVertices(object);
    const Vertex& vs = object.vertices[s];
    const double tilt = 1.0 / std::sqrt(2.0); // both of its faces lie in the plane x = z
    EXPECT_NEAR(std::fabs(vs.nx), tilt, 1e-5);
    EXPECT_NEAR(std::fabs(vs.nz), tilt, 1e-5);
}

TEST(VertexSmoothing, SplitPointOnTopOfBothEndsDoesNotDivideByZero)
{
    ModelObject object(true);
    const int o = addVertex(object, 0, 0, 0);
    const int p1 = addVertex(object, -20, 0, 0);
    const int p2 = addVertex(object, -20, 20, 0);
    const int k = addVertex(object, 0, 0, 0);
    const int s = addVertex(object, 0, 0, 0);
    const int q1 = addVertex(object, 20, 0, 20);
    const int q2 = addVertex(object, 20, 5, 10);
    const int q3 = addVertex(object, 20, 20, -10);
    object.rootPart->faces.append(makeFace(o, p1, p2, k, 0));
    object.rootPart->faces.append(makeFace(q1, o, s, q2, 0));
    object.rootPart->faces.append(makeFace(q2, s, k, q3, 0));
    listParts(object);
    prepareVertices(object);
    for (const Vertex& v : object.vertices) {
        EXPECT_FALSE(std::isnan(v.nx));
        EXPECT_LE(std::abs(v.inx), 255);
        EXPECT_LE(std::abs(v.iny), 255);
        EXPECT_LE(std::abs(v.inz), 255);
    }
}

TEST(VertexSmoothing, TheBackwardPassLetsEarlierFacesWin)
{
    // As above, but a later face H also ends at k and so takes k's entry in
    // the forward maps; only the backward pass finds the split at s.
    ModelObject object(true);
    const int o = addVertex(object, 0, 0, 0);
    const int p1 = addVertex(object, -20, 0, 0);
    const int p2 = addVertex(object, -20, 20, 0);
    const int k = addVertex(object, 0, 20, 0);
    const int s = addVertex(object, 0, 5, 0);
    const int q1 = addVertex(object, 20, 0, 20);
    const int q2 = addVertex(object, 20, 5, 10);
    const int q3 = addVertex(object, 20, 20, -10);
    const int h1 = addVertex(object, 0, 40, 0);
    const int h2 = addVertex(object, -20, 40, 0);
    object.rootPart->faces.append(makeFace(o, p1, p2, k, 0));
    object.rootPart->faces.append(makeFace(q1, o, s, q2, 0));
    object.rootPart->faces.append(makeFace(q2, s, k, q3, 0));
    object.rootPart->faces.append(makeFace(h1, h2, p2, k, 0));
    listParts(object);
    prepareVertices(object);
    const Vertex &vo = object.vertices[o], &vk = object.vertices[k], &vs = object.vertices[s];
    const double dk = std::hypot(vs.x - vk.x, vs.y - vk.y, vs.z - vk.z);
    const double d0 = std::hypot(vs.x - vo.x, vs.y - vo.y, vs.z - vo.z);
    const double f = dk / (dk + d0);
    EXPECT_NEAR(vs.nx, f * vo.nx + (1 - f) * vk.nx, 1e-5);
    EXPECT_NEAR(vs.nz, f * vo.nz + (1 - f) * vk.nz, 1e-5);

    // The forward pass alone leaves s with its own faces' normal.
    ModelObject copy(true);
    for (const Vertex& v : object.vertices) copy.vertices.append(v);
    for (const Face& face : object.rootPart->faces) copy.rootPart->faces.append(face);
    listParts(copy);
    copy.vertices[s].nx = 0.5f;
    smoothSplitEdges(copy, false);
    EXPECT_EQ(copy.vertices[s].nx, 0.5f);
    smoothSplitEdges(copy, true);
    EXPECT_NEAR(copy.vertices[s].nx, f * vo.nx + (1 - f) * vk.nx, 1e-5);
}
