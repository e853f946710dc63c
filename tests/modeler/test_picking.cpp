#include "modeler/picking.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

using namespace quillo;
using quillo::test::EditorFixture;
using quillo::test::twoLayers;

namespace {
struct Picking : ::testing::Test {
    EditorFixture f;
    void SetUp() override
    {
        f.open("m.md4", twoLayers(), {"select", "0"});
    }
    const Vertex& v(int i) { return f.object().vertices[i]; }
};
} // namespace

TEST_F(Picking, RepeatedClicksCycleFromFrontToBack)
{
    const Vertex& centre = v(4);
    const int x = centre.sx - 3, y = centre.sy - 3; // inside the front face 0 3 4 1
    f.editor.mouse(x, y, 0);
    f.editor.leftPress(x, y);
    f.editor.leftRelease(x, y);
    EXPECT_EQ(f.editor.state.pickface.c[0], 0);
    EXPECT_EQ(f.editor.state.pickpoint, 4); // the nearest corner
    f.editor.leftPress(x, y);
    f.editor.leftRelease(x, y);
    EXPECT_EQ(f.editor.state.pickface.c[0], 9); // the face behind
    f.editor.leftPress(x, y);
    f.editor.leftRelease(x, y);
    EXPECT_EQ(f.editor.state.pickface.c[0], 9); // nothing further back: unchanged
    // Moving away and back starts from the front again.
    f.editor.mouse(x + 1, y, 0);
    f.editor.mouse(x, y, 0);
    f.editor.leftPress(x, y);
    f.editor.leftRelease(x, y);
    EXPECT_EQ(f.editor.state.pickface.c[0], 0);
}

TEST_F(Picking, ClickOutsideEveryFaceKeepsThePickButEmptiesTheSelection)
{
    f.editor.state.selection.push_back(f.object().rootPart->faces[0]);
    applyClick(f.editor.state, v(4).sx - 3, v(4).sy - 3);
    FaceCorners before = f.editor.state.pickface;
    f.editor.mouse(5, 5, 0);
    f.editor.leftPress(5, 5);
    f.editor.leftRelease(5, 5);
    EXPECT_EQ(f.editor.state.pickface.c[0], before.c[0]);
    EXPECT_TRUE(f.editor.state.selection.empty());
}

TEST_F(Picking, RubberBandTakesOnlyWholeFacesThatFaceTheViewer)
{
    // A band around the top-left quad alone.
    f.editor.mouse(v(0).sx - 2, v(0).sy - 2, 0);
    f.editor.leftPress(v(0).sx - 2, v(0).sy - 2);
    f.editor.leftDrag(v(4).sx + 2, v(4).sy + 2);
    EXPECT_EQ(f.editor.bandHits().size(), 1u);
    f.editor.leftRelease(v(4).sx + 2, v(4).sy + 2);
    ASSERT_EQ(f.editor.state.selection.size(), 1u);
    EXPECT_EQ(f.editor.state.selection[0].vertexA, 0);
    // A band that only partly covers faces selects nothing more.
    f.editor.leftPress(v(0).sx - 2, v(0).sy - 2);
    f.editor.leftDrag(v(4).sx - 2, v(8).sy + 2);
    f.editor.leftRelease(v(4).sx - 2, v(8).sy + 2);
    EXPECT_EQ(f.editor.state.selection.size(), 1u);
    // The whole drawing: the four front faces and the back face, each once.
    f.editor.leftPress(0, 0);
    f.editor.leftDrag(639, 479);
    f.editor.leftRelease(639, 479);
    EXPECT_EQ(f.editor.state.selection.size(), 5u);
}

TEST_F(Picking, BackFacingFacesNeedTheirSecondSide)
{
    ModelObject& o = f.object();
    Face& back = o.rootPart->children[0]->faces[0];
    std::swap(back.vertexB, back.vertexD); // now facing away
    f.draw();
    ScreenRect all{0, 0, 639, 479};
    EXPECT_EQ(rubberBandHits(o, all).size(), 4u);
    back.doubleSided = 1;
    EXPECT_EQ(rubberBandHits(o, all).size(), 5u);
}

TEST(PickingGeometry, TrianglesAndCorners)
{
    Face quad{0, 1, 2, 3, 0, 0, 0, 0};
    int32_t tri[2][3];
    ASSERT_EQ(pickTriangles(quad, tri), 2);
    EXPECT_EQ(tri[0][0], 3);
    EXPECT_EQ(tri[1][2], 2);
    quad.altDiagonal = 1;
    pickTriangles(quad, tri);
    EXPECT_EQ(tri[0][0], 2);
    Face triangle{5, 5, 6, 7, 0, 0, 0, 0};
    EXPECT_EQ(pickTriangles(triangle, tri), 1); // (7, 5, 5) is left out
    EXPECT_EQ(tri[0][0], 7);
    EXPECT_EQ(tri[0][1], 5);
    EXPECT_EQ(tri[0][2], 6);

    // Equal distances to two corners: the earlier corner wins.
    Vertex a{}, b{}, c{};
    a.sx = 0, a.sy = 0, a.vz = 100;
    b.sx = 0, b.sy = 10, b.vz = 100;
    c.sx = 10, c.sy = 0, c.vz = 100;
    EXPECT_GE(triangleHit(a, b, c, false, 2, 2), 0);
    EXPECT_EQ(triangleHit(a, b, c, false, 9, 9), -1); // outside the span
    EXPECT_EQ(triangleHit(a, c, b, false, 2, 2), -1); // facing away
    EXPECT_GE(triangleHit(a, c, b, true, 2, 2), 0);
    a.vz = 0;
    EXPECT_EQ(triangleHit(a, b, c, false, 2, 2), -1); // not in front of the eye
}

TEST_F(Picking, StatusLines)
{
    EditorState& s = f.editor.state;
    s.mode = modePoint;
    s.pickpoint = -1;
    EXPECT_EQ(statusLine(s, f.editor.document), "-------- -------- --------  --------           ");
    s.pickpoint = 8;
    s.toolname = "削除　　　";
    EXPECT_EQ(statusLine(s, f.editor.document), "     800      800        0         8 削除　　　");
    s.mode = modeCamera;
    EXPECT_EQ(statusLine(s, f.editor.document), "       0        0   -14000         8 削除　　　");
    s.mode = modeTexture;
    EXPECT_EQ(statusLine(s, f.editor.document), "-------- --------  -------- --------   ----  ----------");
}
