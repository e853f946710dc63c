#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

// Face F (o, p1, p2, k) on the left; on the right its edge k-o is split at
// s by G1 (q1, o, s, q2) and G2 (q2, s, `end`, q3), bent out of F's plane.
// Returns the indices o, k, s.
struct Split {
    int o, k, s;
};

Split addSplitEdge(ModelObject& object, bool closed = true)
{
    Split v;
    v.o = addVertex(object, 0, 0, 0);
    const int p1 = addVertex(object, -20, 0, 0), p2 = addVertex(object, -20, 20, 0);
    v.k = addVertex(object, 0, 20, 0);
    v.s = addVertex(object, 0, 5, 0);
    const int q1 = addVertex(object, 20, 0, 20), q2 = addVertex(object, 20, 5, 10), q3 = addVertex(object, 20, 20, -10);
    const int end = closed ? v.k : addVertex(object, 0, 19, 0);
    object.rootPart->faces.append(makeFace(v.o, p1, p2, v.k, 0));
    object.rootPart->faces.append(makeFace(q1, v.o, v.s, q2, 0));
    object.rootPart->faces.append(makeFace(q2, v.s, end, q3, 0));
    return v;
}

// How far s's normal is from k's and o's weighted by s's distance from each.
double offInterpolation(const ModelObject& object, const Split& v)
{
    const Vertex &o = object.vertices[v.o], &k = object.vertices[v.k], &s = object.vertices[v.s];
    const double dk = std::hypot(s.x - k.x, s.y - k.y, s.z - k.z), d0 = std::hypot(s.x - o.x, s.y - o.y, s.z - o.z);
    const double f = dk / (dk + d0);
    EXPECT_NEAR(f, 0.75, 0.01); // 15 from k, 5 from o, give or take the snapping bias
    EXPECT_NE(o.nx, k.nx);
    return std::hypot(s.nx - (f * o.nx + (1 - f) * k.nx), s.ny - (f * o.ny + (1 - f) * k.ny),
                      s.nz - (f * o.nz + (1 - f) * k.nz));
}

void expectInterpolated(const ModelObject& object, const Split& v)
{
    EXPECT_LT(offInterpolation(object, v), 1e-5);
    const Vertex& s = object.vertices[v.s];
    EXPECT_EQ(s.inx, int(s.nx * 255.0));
    EXPECT_EQ(s.inz, int(s.nz * 255.0));
}

} // namespace

TEST(VertexPrep, GridCoordinatesTruncateAndOwnersAreCopied)
{
    ModelObject object(true);
    object.vertices.append(makeVertex(snap(0.3f), snap(-0.3f), -0.0124f));
    object.vertices.append(makeVertex(0, 0, 0));
    object.rootPart->faces.append(makeFace(0, 1, 1, 1, 0));
    TransformBlock block{};
    for (Vertex& v : object.vertices) v.owner = &block;
    listParts(object);
    prepareVertices(object);
    EXPECT_EQ(object.vertices[0].gx, 24); // 0.3 + 0.0025 over 0.0125, not 23
    EXPECT_EQ(object.vertices[0].gy, -24);
    EXPECT_EQ(object.vertices[0].gz, 0); // toward zero
    for (const Vertex& v : object.vertices) EXPECT_EQ(v.ownerCopy, &block);
}

TEST(VertexNormals, BoxCornersAreWeightedByAngleNotByTriangleCount)
{
    // Each corner meets three faces at right angles, some with two
    // triangles and some with one: only angle weighting gives the diagonal.
    ModelObject object(true);
    for (int i = 0; i < 8; ++i) addVertex(object, (i & 4) ? 40 : -40, (i & 2) ? 40 : -40, (i & 1) ? 40 : -40);
    const int faces[6][4] = {{1, 3, 2, 0}, {4, 6, 7, 5}, {0, 4, 5, 1}, {3, 7, 6, 2}, {2, 6, 4, 0}, {1, 5, 7, 3}};
    for (const auto& f : faces) object.rootPart->faces.append(makeFace(f[0], f[1], f[2], f[3], 0));
    listParts(object);
    prepareVertices(object);
    for (int i = 0; i < 8; ++i) {
        const Vertex& v = object.vertices[i];
        // 255 / sqrt(3), pointing into the box: (A - B) x (C - B) of a face
        // seen from outside points inwards.
        EXPECT_EQ(v.inx, (i & 4) ? -147 : 147) << i;
        EXPECT_EQ(v.iny, (i & 2) ? -147 : 147) << i;
        EXPECT_EQ(v.inz, (i & 1) ? -147 : 147) << i;
    }
}

TEST(VertexNormals, TwistFixAndDegenerateFacesLeaveAZeroNormal)
{
    ModelObject object(true);
    for (int i = 0; i < 4; ++i) addVertex(object, i * 10, 0, 0); // four points on one line
    for (int i = 0; i < 4; ++i) addVertex(object, (i / 2) * 10, ((i + 1) / 2 % 2) * 10, 50);
    object.rootPart->faces.append(makeFace(0, 1, 2, 3, 0));
    object.rootPart->faces.append(makeFace(4, 5, 6, 7, 0, false, false, true));
    listParts(object);
    prepareVertices(object);
    ASSERT_EQ(object.vertices.count(), 8);
    for (const Vertex& v : object.vertices) {
        EXPECT_TRUE(v.nx == 0.0f && v.ny == 0.0f && v.nz == 0.0f);
        EXPECT_TRUE(v.inx == 0 && v.iny == 0 && v.inz == 0);
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
    EXPECT_TRUE(f.vertexA == 0 && f.vertexB == 1 && f.vertexC == 2 && f.vertexD == 3);
    EXPECT_EQ(object.vertices[1].gx, 3); // the old vertex 3
    EXPECT_EQ(child.faces[0].vertexD, 48); // above the table: lowered by the two removed
    EXPECT_EQ(child.faces[1].vertexA, -1);
}

TEST(VertexRemoval, RenumberingMatchesRemovingOneByOne)
{
    std::mt19937 random(17);
    for (int round = 0; round < 200; ++round) {
        const int count = 1 + int(random() % 60);
        ModelObject fast(true), slow(true);
        ModelPart* parts[2][2] = {{fast.rootPart, &addChildPart(*fast.rootPart, "c")},
                                  {slow.rootPart, &addChildPart(*slow.rootPart, "c")}};
        for (int i = 0; i < count; ++i) addVertex(fast, i, 0, 0), addVertex(slow, i, 0, 0);
        std::vector<char> used(static_cast<size_t>(count));
        for (auto& u : used) u = char(random() % 3 == 0);
        for (int i = 0, faces = int(random() % 12); i < faces; ++i) {
            int idx[4];
            for (int& k : idx) k = int(random() % uint32_t(count + 20)) - 10; // some outside the table
            for (auto& p : parts) p[i % 2]->faces.append(makeFace(idx[0], idx[1], idx[2], idx[3], 0));
        }
        listParts(fast);
        listParts(slow);
        const int removed = removeUnusedVertices(fast, used);
        int slowRemoved = 0;
        for (int i = count - 1; i >= 0; --i) {
            if (used[size_t(i)]) continue;
            for (ModelPart* p : slow.partList)
                for (Face& f : p->faces)
                    for (int k = 0; k < 4; ++k) f.index(k) -= f.index(k) > i;
            slow.vertices.removeAt(i);
            ++slowRemoved;
        }
        ASSERT_EQ(removed, slowRemoved);
        ASSERT_EQ(fast.vertices.count(), slow.vertices.count());
        for (int i = 0; i < fast.vertices.count(); ++i) ASSERT_EQ(fast.vertices[i].x, slow.vertices[i].x);
        for (int p = 0; p < 2; ++p)
            for (int i = 0; i < parts[0][p]->faces.count(); ++i)
                for (int k = 0; k < 4; ++k) ASSERT_EQ(parts[0][p]->faces[i].index(k), parts[1][p]->faces[i].index(k));
    }
}

TEST(VertexSmoothing, VertexOnAnotherFacesEdgeTakesThatEdgesNormal)
{
    ModelObject object(true);
    const Split v = addSplitEdge(object);
    listParts(object);
    prepareVertices(object);
    expectInterpolated(object, v);

    // Without a chain of faces leading back to k, s keeps its own faces' normal.
    ModelObject open(true);
    const Split w = addSplitEdge(open, false);
    listParts(open);
    prepareVertices(open);
    EXPECT_GT(offInterpolation(open, w), 0.05);
}

TEST(VertexSmoothing, TheBackwardPassLetsEarlierFacesWin)
{
    // A later face H also ends at k and so takes k's entry in the forward
    // maps; only the backward pass finds the split at s.
    ModelObject object(true);
    const Split v = addSplitEdge(object);
    const int h1 = addVertex(object, 0, 40, 0), h2 = addVertex(object, -20, 40, 0);
    object.rootPart->faces.append(makeFace(h1, h2, 2, v.k, 0));
    listParts(object);
    prepareVertices(object);
    expectInterpolated(object, v);
    const float smoothed = object.vertices[v.s].nx;
    object.vertices[v.s].nx = 0.5f;
    smoothSplitEdges(object, false);
    EXPECT_EQ(object.vertices[v.s].nx, 0.5f);
    smoothSplitEdges(object, true);
    EXPECT_EQ(object.vertices[v.s].nx, smoothed);
}

TEST(VertexSmoothing, SplitPointOnTopOfBothEndsDoesNotDivideByZero)
{
    ModelObject object(true);
    const Split v = addSplitEdge(object);
    object.vertices[v.k] = object.vertices[v.s] = object.vertices[v.o];
    listParts(object);
    prepareVertices(object);
    for (const Vertex& x : object.vertices) {
        EXPECT_FALSE(std::isnan(x.nx) || std::isnan(x.ny) || std::isnan(x.nz));
        EXPECT_LE(std::abs(x.inx) + std::abs(x.iny) + std::abs(x.inz), 3 * 255);
    }
}
