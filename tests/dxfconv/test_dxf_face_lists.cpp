#include "dxfconv/dxf_face_lists.h"

#include <gtest/gtest.h>

#include <vector>

#include "dxf_test_util.h"

using namespace quillo;
using quillo::test::dxfFace;

TEST(DxfFaceLists, WeldsBitEqualCornersInOrderOfFirstAppearance)
{
    DxfFaceLists lists;
    ASSERT_TRUE(lists.addFace(dxfFace(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(1, {1, 0, 0, 2, 0, 0, 2, 1, 0, 1, 1, 0})));
    // -0 and +0 are different points.
    ASSERT_TRUE(lists.addFace(dxfFace(1, {-0.0f, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));
    ASSERT_EQ(lists.vertices.count(), 7);
    EXPECT_EQ(lists.quads.count(), 3);
    const DxfQuad& second = lists.quads[1];
    EXPECT_EQ((std::vector<int>{second.q0, second.q1, second.q2, second.q3}), (std::vector<int>{1, 4, 5, 2}));
    EXPECT_EQ(lists.quads[2].q0, 6);
    EXPECT_EQ(lists.quads[2].diagonal, 0);
}

TEST(DxfFaceLists, AFourthCornerEqualToTheThirdMakesATriangle)
{
    DxfFaceLists lists;
    // Equal as numbers (+0 and -0) is enough; corner 4 is not added.
    ASSERT_TRUE(lists.addFace(dxfFace(2, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, -0.0f})));
    ASSERT_EQ(lists.triangles.count(), 1);
    EXPECT_EQ(lists.vertices.count(), 3);
    const DxfTriangle& t = lists.triangles[0];
    EXPECT_EQ((std::vector<int>{t.a, t.b, t.c, t.colour}), (std::vector<int>{0, 1, 2, 2}));
}

TEST(DxfFaceListsRanks, ColourRanksFollowFirstAppearanceAndBoxCoversAllCorners)
{
    DxfFaceLists lists;
    EXPECT_EQ(lists.extent(), 0.0f);
    ASSERT_TRUE(lists.addFace(dxfFace(9, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(2, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(9, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0})));
    ASSERT_TRUE(lists.addFace(dxfFace(0, {0, 0, -2, 1, 0, 0, 1, 1, 0, 1, 1, 3})));
    EXPECT_EQ(lists.rank(9), 0);
    EXPECT_EQ(lists.rank(2), 1);
    EXPECT_EQ(lists.rank(0), 2);
    EXPECT_EQ(lists.rank(5), -1);
    EXPECT_EQ(lists.extent(), 5.0f); // z from -2 to 3, corner 4 included

    // Coordinates beyond 1e30 still set the box.
    DxfFaceLists far;
    ASSERT_TRUE(far.addFace(dxfFace(1, {2e30f, 2e30f, 2e30f, 3e30f, 2e30f, 2e30f, 3e30f, 3e30f, 2e30f, 3e30f, 3e30f, 2e30f})));
    EXPECT_EQ(far.extent(), 3e30f - 2e30f);
}
