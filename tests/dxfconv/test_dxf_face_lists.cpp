#include "dxfconv/dxf_face_lists.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

DxfFace face(int colour, std::initializer_list<float> c)
{
    DxfFace f{};
    int i = 0;
    for (float v : c) f.corner[i / 3][i % 3] = v, ++i;
    f.colour = colour;
    return f;
}

} // namespace

TEST(DxfFaceLists, WeldsBitEqualCornersInOrderOfFirstAppearance)
{
    DxfFaceLists lists;
    ASSERT_TRUE(lists.addFace(face(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));
    ASSERT_TRUE(lists.addFace(face(1, {1, 0, 0, 2, 0, 0, 2, 1, 0, 1, 1, 0})));
    // -0 and +0 are different points.
    ASSERT_TRUE(lists.addFace(face(1, {-0.0f, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));
    ASSERT_EQ(lists.vertices.count(), 7);
    EXPECT_EQ(lists.quads.count(), 3);
    const DxfQuad& second = lists.quads[1];
    EXPECT_EQ(second.q0, 1);
    EXPECT_EQ(second.q1, 4);
    EXPECT_EQ(second.q2, 5);
    EXPECT_EQ(second.q3, 2);
    EXPECT_EQ(lists.quads[2].q0, 6);
    EXPECT_EQ(lists.quads[2].diagonal, 0);
}

TEST(DxfFaceLists, AFourthCornerEqualToTheThirdMakesATriangle)
{
    DxfFaceLists lists;
    // Equal as numbers (+0 and -0) is enough; corner 4 is not added.
    ASSERT_TRUE(lists.addFace(face(2, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, -0.0f})));
    ASSERT_EQ(lists.triangles.count(), 1);
    EXPECT_EQ(lists.vertices.count(), 3);
    const DxfTriangle& t = lists.triangles[0];
    EXPECT_EQ(t.a, 0);
    EXPECT_EQ(t.b, 1);
    EXPECT_EQ(t.c, 2);
    EXPECT_EQ(t.colour, 2);
}

TEST(DxfFaceListsRanks, ColourRanksFollowFirstAppearanceAndBoxCoversAllCorners)
{
    DxfFaceLists lists;
    EXPECT_EQ(lists.extent(), 0.0f);
    ASSERT_TRUE(lists.addFace(face(9, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(face(2, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(face(9, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(face(0, {0, 0, -2, 1, 0, 0, 1, 1, 0, 1, 1, 3})));
    EXPECT_EQ(lists.rank(9), 0);
    EXPECT_EQ(lists.rank(2), 1);
    EXPECT_EQ(lists.rank(0), 2);
    EXPECT_EQ(lists.rank(5), -1);
    EXPECT_EQ(lists.extent(), 5.0f); // z from -2 to 3, corner 4 included

    // Coordinates beyond 1e30 still set the box.
    DxfFaceLists far;
    ASSERT_TRUE(far.addFace(face(1, {2e30f, 2e30f, 2e30f, 3e30f, 2e30f, 2e30f, 3e30f, 3e30f, 2e30f, 3e30f, 3e30f, 2e30f})));
    EXPECT_EQ(far.extent(), 3e30f - 2e30f);
}
