#include "model/model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/colour_table.h"

using namespace quillo;

TEST(Model, SameFaceIsACyclicRotation)
{
    Face f{0, 1, 2, 3, 0, 0, -1, 0};
    EXPECT_TRUE(sameFace(f, Face{2, 3, 0, 1, 1, 1, 5, 1})); // flags do not matter
    EXPECT_TRUE(sameFace(f, Face{3, 0, 1, 2}));
    EXPECT_FALSE(sameFace(f, Face{3, 2, 1, 0})); // reversed winding
    EXPECT_FALSE(sameFace(f, Face{0, 1, 3, 2}));
    EXPECT_TRUE(sameFace(Face{5, 5, 6, 7}, Face{6, 7, 5, 5}));
}

TEST(Model, SnapBiasMovesAwayFromZero)
{
    dt = defaultGridStep;
    float v = snap(0.3f);
    EXPECT_FLOAT_EQ(v, 0.3025f);
    EXPECT_EQ(int(v / dt), 24); // not 23
    EXPECT_EQ(int(snap(-0.3f) / dt), -24);
    EXPECT_EQ(snap(0.0f), 0.0f);
}

TEST(Model, NodesStartAtTheIdentityAndPlaceRecomputesSines)
{
    ModelObject o(true);
    EXPECT_EQ(o.local.m[0][0], 2048);
    EXPECT_EQ(o.local.m[0][1], 0);
    EXPECT_EQ(o.sinCos[1], 2048);
    o.place(1.0f, 0.0f, -0.5f, 0.0f, float(M_PI / 2), 0.0f);
    EXPECT_EQ(o.sinCos[2], 2047); // trunc(sin(float(pi / 2)) * 2048): just below 1
    EXPECT_EQ(o.sinCos[3], 0);    // trunc(cos(pi/2) * 2048)
    EXPECT_EQ(o.local.t[0], 80);
    EXPECT_EQ(o.local.t[2], -40);
    // About Z by 90 degrees: x turns into y.
    EXPECT_EQ(o.local.m[0][0], 0);
    EXPECT_EQ(o.local.m[0][1], 2047);
    EXPECT_EQ(o.local.m[1][0], -2047);

    ModelDocument view;
    EXPECT_EQ(view.rotationOrder, 1);
    EXPECT_EQ(view.local.t[2], 14000); // the eye at z = -175: the origin lies 175 / dt ahead
    EXPECT_EQ(view.local.light[1], 180);
    EXPECT_EQ(view.zoom, 256);
}

TEST(Model, ChildPartsTurnAboutTheirPivot)
{
    dt = defaultGridStep;
    ModelPart part(true);
    part.place(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, float(M_PI / 2)); // 90 degrees about Y
    const int32_t p[3] = {80, 0, 0};
    for (int j = 0; j < 3; ++j) {
        int64_t moved = (int64_t(p[0]) * part.local.m[0][j] + int64_t(p[1]) * part.local.m[1][j] +
                         int64_t(p[2]) * part.local.m[2][j]) >> 11;
        EXPECT_NEAR(moved + part.local.t[j], p[j], 1) << j;
    }
    // A root part simply moves.
    ModelPart root(false);
    root.place(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, float(M_PI / 2));
    EXPECT_EQ(root.local.t[0], 80);
}

TEST(Model, FixedPointUsesWideProducts)
{
    dt = defaultGridStep;
    ModelPart part(true);
    // 1,000,000 grid units times 2048 overflows 32 bits.
    part.place(12500.0f, 12500.0f, 0.0f, 0.0f, 0.3f, 0.0f);
    const int32_t p = 1000000;
    int64_t x = (int64_t(p) * part.local.m[0][0] + int64_t(p) * part.local.m[1][0]) >> 11;
    EXPECT_NEAR(double(x + part.local.t[0]), double(p), 2.0);
}

namespace {

// root(A(A1), B) with one embedded object in A.
struct Tree {
    ModelObject object{true};
    ModelPart* a = new ModelPart(true);
    ModelPart* a1 = new ModelPart(true);
    ModelPart* b = new ModelPart(true);
    ModelObject* hat = new ModelObject(false);
    Tree()
    {
        object.rootPart->children.append(a);
        a->children.append(a1);
        object.rootPart->children.append(b);
        a->objects.append(hat);
        for (int i = 0; i < 5; ++i) object.vertices.append(makeVertex(float(i), 0, 0));
        object.rootPart->faces.append(Face{0, 1, 2, 3, 0, 0, 0, 0});
        b->faces.append(Face{1, 2, 3, 4, 0, 0, 0, 0});
        object.materials.append(Material{10, 20, 30, 0.1f, 1.0f, 0.0f, -1, 0});
        hat->materials.append(Material{300, 20, 30, 0.1f, 1.0f, 0.0f, -1, 0});
    }
};

} // namespace

TEST(Model, PrepareBuildsListsOwnersAndColours)
{
    Tree t;
    GMTBL table;
    prepare(t.object, table);
    ASSERT_EQ(t.object.partList.count(), 4);
    EXPECT_EQ(t.object.partList[0], t.object.rootPart);
    EXPECT_EQ(t.object.partList[1], t.a);
    EXPECT_EQ(t.object.partList[2], t.a1);
    EXPECT_EQ(t.object.partList[3], t.b);
    ASSERT_EQ(t.object.objectList->count(), 2);
    EXPECT_EQ((*t.object.objectList)[1], t.hat);
    // Vertex 0 belongs to the root; 1 to 3 were claimed last by B.
    EXPECT_EQ(t.object.vertices[0].owner, &t.object.rootPart->world);
    EXPECT_EQ(t.object.vertices[2].owner, &t.b->world);
    EXPECT_EQ(t.object.vertices[4].owner, &t.b->world);
    // Red 300 registers as 255.
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(table.red[t.hat->materials[0].shade], 255);
    // Preparing again rebuilds the lists instead of growing them.
    prepare(t.object, table);
    EXPECT_EQ(t.object.partList.count(), 4);
    EXPECT_EQ(t.object.objectList->count(), 2);
}

TEST(Model, TreeQueries)
{
    Tree t;
    EXPECT_EQ(parentOf(t.object, t.a1), t.a);
    EXPECT_EQ(parentOf(t.object, t.b), t.object.rootPart);
    EXPECT_EQ(parentOf(t.object, t.object.rootPart), nullptr);
    PointerList<ModelPart> offer;
    collectParts(t.object.rootPart, offer, t.a); // new parents for A: not A nor A1
    ASSERT_EQ(offer.count(), 2);
    EXPECT_EQ(offer[0], t.object.rootPart);
    EXPECT_EQ(offer[1], t.b);
}

TEST(Model, ClearingAPartDestroysItsSubtree)
{
    Tree t;
    t.a->clear();
    EXPECT_EQ(t.a->children.count(), 0);
    EXPECT_EQ(t.a->objects.count(), 0);
    EXPECT_EQ(t.a->name[0], 0);
    EXPECT_TRUE(t.a->child); // the kind stays
}
