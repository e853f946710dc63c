#include "dxfconv/dxf_pairing.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace quillo;

namespace {

void expectQuad(const DxfQuad& q, std::initializer_list<int32_t> corners, int32_t diagonal)
{
    EXPECT_EQ((std::vector<int32_t>{q.q0, q.q1, q.q2, q.q3}), std::vector<int32_t>(corners));
    EXPECT_EQ(q.diagonal, diagonal);
}

// The longest edge of t as {from, to, opposite}.
std::vector<int32_t> edge(const DxfTriangle& t, const Records<DxfVertex>& vertices)
{
    const TriangleEdge e = longestEdge(t, vertices);
    return {e.from, e.to, e.opposite};
}

// The walk exactly as the rules state it, one step at a time.
void literalPairing(Records<DxfVertex>& vertices, Records<DxfTriangle>& triangles, Records<DxfQuad>& quads)
{
    for (int i = 0; i < triangles.count();) {
        DxfTriangle t = triangles[i];
        TriangleEdge te = longestEdge(t, vertices);
        int partner = -1;
        for (int u = i + 1; u < triangles.count() && partner < 0; ++u) {
            TriangleEdge ue = longestEdge(triangles[u], vertices);
            bool same = (ue.from == te.from && ue.to == te.to) || (ue.from == te.to && ue.to == te.from);
            if (same && triangles[u].colour == t.colour) partner = u;
        }
        if (partner < 0) {
            ++i;
            continue;
        }
        int32_t d = longestEdge(triangles[partner], vertices).opposite;
        triangles.removeAt(partner);
        triangles.removeAt(i);
        quads.appendUnique(pairedQuad(te.from, te.to, te.opposite, d, t.colour, vertices));
    }
}

} // namespace

TEST(DxfPairing, LongestEdgeTieBreaksAndDirection)
{
    Records<DxfVertex> v;
    v.append({0, 0, 0}); // 0
    v.append({2, 0, 0}); // 1
    v.append({1, 0.5f, 0}); // 2
    v.append({1, 1.7320508f, 0}); // 3: with 0 and 1 nearly equilateral
    v.append({1, 5, 0});          // 4
    using E = std::vector<int32_t>;
    EXPECT_EQ(edge({0, 1, 2, 0}, v), (E{0, 1, 2})); // ab = 2 is strictly longest
    EXPECT_EQ(edge({2, 0, 1, 0}, v), (E{0, 1, 2})); // bc longest
    EXPECT_EQ(edge({1, 2, 0, 0}, v), (E{0, 1, 2})); // ca longest

    // Isosceles: |ab| = |bc| > |ca| gives bc; |ab| = |ca| > |bc| gives ca;
    // |bc| = |ca| > |ab| gives ca; all equal gives ca.
    Records<DxfVertex> w;
    w.append({0, 0, 0});  // 0
    w.append({1, 3, 0});  // 1: apex over the middle of 0 and 2
    w.append({2, 0, 0});  // 2
    EXPECT_EQ(edge({0, 1, 2, 0}, w), (E{1, 2, 0}));
    EXPECT_EQ(edge({1, 0, 2, 0}, w), (E{2, 1, 0})); // ab = ca
    EXPECT_EQ(edge({0, 2, 1, 0}, w), (E{1, 0, 2})); // bc = ca
    EXPECT_EQ(edge({4, 4, 4, 0}, v), (E{4, 4, 4})); // a point: all zero
}

TEST(DxfPairing, CornerTableStartsAtTheHighestCorner)
{
    // A=0, B=1, C=2, D=3; the cycle is A C B D.
    auto quadFor = [](float za, float zb, float zc, float zd) {
        Records<DxfVertex> v;
        v.append({0, 0, za});
        v.append({1, 1, zb});
        v.append({1, 0, zc});
        v.append({0, 1, zd});
        return pairedQuad(0, 1, 2, 3, 7, v);
    };
    expectQuad(quadFor(5, 0, 3, 1), {0, 2, 1, 3}, 0); // A highest, z(D) < z(C)
    expectQuad(quadFor(5, 0, 1, 3), {3, 0, 2, 1}, 1); // A highest, otherwise
    expectQuad(quadFor(5, 0, 2, 2), {3, 0, 2, 1}, 1); // A highest, z(D) = z(C)
    expectQuad(quadFor(3, 1, 5, 0), {0, 2, 1, 3}, 0); // C highest, z(B) < z(A)
    expectQuad(quadFor(1, 3, 5, 0), {2, 1, 3, 0}, 1); // C highest, otherwise
    expectQuad(quadFor(0, 5, 3, 1), {2, 1, 3, 0}, 1); // B highest, z(D) < z(C)
    expectQuad(quadFor(0, 5, 1, 3), {1, 3, 0, 2}, 0); // B highest, otherwise
    expectQuad(quadFor(3, 1, 0, 5), {3, 0, 2, 1}, 1); // D highest, z(B) < z(A)
    expectQuad(quadFor(1, 3, 0, 5), {1, 3, 0, 2}, 0); // D highest, otherwise
    expectQuad(quadFor(5, 0, 5, 1), {0, 2, 1, 3}, 0); // A and C tie: A is taken first
    expectQuad(quadFor(0, 5, 5, 1), {2, 1, 3, 0}, 1); // C and B tie: C, z(B) < z(A) false: C B D A
    EXPECT_EQ(quadFor(0, 0, 0, 0).colour, 7);
}

TEST(DxfPairing, PartnersAreTheFirstLaterTriangleOfTheSameEdgeAndColour)
{
    DxfFaceLists lists;
    for (DxfVertex p : {DxfVertex{0, 0, 0}, DxfVertex{1, 0, 0}, DxfVertex{1, 1, 0}, DxfVertex{0, 1, 0},
                        DxfVertex{5, 5, 5}})
        lists.addVertex(p);
    // Diagonal 0-2 is the longest edge of all four; colours 1, 2, 1, 1.
    lists.addTriangle({0, 1, 2, 1});
    lists.addTriangle({2, 3, 0, 2}); // same edge, other colour: passed over
    lists.addTriangle({4, 4, 4, 1}); // unrelated
    lists.addTriangle({2, 3, 0, 1}); // the partner of the first
    lists.addTriangle({0, 3, 2, 1}); // third of its group: stays
    lists.addQuad({0, 1, 2, 3, 0, 9}); // a quadrilateral read from the file stays first
    ASSERT_TRUE(pairTriangles(lists));
    ASSERT_EQ(lists.quads.count(), 2);
    // T = (0 1 2): A=2 (from c to a), B=0, C=1; D=3 from U. All z equal: A
    // is highest and z(D) < z(C) is false: D A C B, flag 1.
    expectQuad(lists.quads[1], {3, 2, 1, 0}, 1);
    EXPECT_EQ(lists.quads[1].colour, 1);
    ASSERT_EQ(lists.triangles.count(), 3);
    EXPECT_EQ(lists.triangles[0].colour, 2);
    EXPECT_EQ(lists.triangles[1].a, 4);
    EXPECT_EQ(lists.triangles[2].a, 0);
    EXPECT_EQ(lists.triangles[2].b, 3);
    // The kept triangles are indexed again: adding one of them finds it.
    EXPECT_EQ(lists.addTriangle({4, 4, 4, 1}), 1);
}

TEST(DxfPairing, GivesTheSameListsAsTheLiteralWalk)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        DxfFaceLists lists;
        Records<DxfVertex> vertices;
        Records<DxfTriangle> triangles;
        Records<DxfQuad> quads;
        for (int i = 0; i < 12; ++i) {
            DxfVertex p{float(random() % 4), float(random() % 4), float(random() % 3)};
            lists.addVertex(p);
        }
        for (const DxfVertex& p : lists.vertices) vertices.append(p);
        for (int i = 0; i < 300; ++i) {
            DxfTriangle t{int32_t(random() % lists.vertices.count()), int32_t(random() % lists.vertices.count()),
                          int32_t(random() % lists.vertices.count()), int32_t(random() % 3)};
            lists.addTriangle(t);
            triangles.appendUnique(t);
        }
        DxfQuad existing{0, 1, 2, 3, 1, 0};
        lists.addQuad(existing);
        quads.append(existing);
        ASSERT_TRUE(pairTriangles(lists));
        literalPairing(vertices, triangles, quads);
        ASSERT_EQ(lists.triangles.count(), triangles.count());
        ASSERT_EQ(lists.quads.count(), quads.count());
        for (int i = 0; i < triangles.count(); ++i)
            ASSERT_EQ(std::memcmp(&lists.triangles[i], &triangles[i], sizeof(DxfTriangle)), 0) << i;
        for (int i = 0; i < quads.count(); ++i)
            ASSERT_EQ(std::memcmp(&lists.quads[i], &quads[i], sizeof(DxfQuad)), 0) << i;
    }
}
