#include "modeler/face_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "edit_fixture.h"
#include "modeler/modeler_commands.h"
#include "modeler/edit_helpers.h"

using namespace quillo;
using quillo::test::corners;
using quillo::test::EditFixture;
using quillo::test::sameRecord;
using quillo::test::twoLayers;

namespace {

// The front part of twoLayers() holds four quads in a 2 x 2 grid over the
// vertices 0..8 (row by row from y = -800); the back part one quad.
struct FaceTools : quillo::test::FrontPartTest {
    int facesUsing(const ModelPart* p, int vertex)
    {
        int n = 0;
        for (const Face& face : p->faces)
            for (int k = 0; k < 4; ++k)
                if (face.index(k) == vertex) {
                    ++n;
                    break;
                }
        return n;
    }
};

} // namespace

TEST_F(FaceTools, ArmingSetsTheToolAndItsName)
{
    struct Arm {
        int command, tool;
        const char* name;
    };
    for (const Arm& a : {Arm{500, 1, "部分異動　"}, Arm{511, 12, "ﾃｸｽﾁｬ変更 "}, Arm{513, 14, "裏返す"},
                         Arm{502, 3, "十字分割　"}}) {
        f.run(a.command);
        EXPECT_EQ(f.state().tool, a.tool) << a.command;
        EXPECT_EQ(f.state().toolname, a.name) << a.command;
    }
}

TEST_F(FaceTools, CrossSplittingTwoNeighboursLeavesOneSharedMidpoint)
{
    f.run(502);
    f.pick(front, 0); // 0 3 4 1
    EXPECT_TRUE(f.run(618));
    EXPECT_FALSE(f.state().pickface.valid());
    EXPECT_EQ(f.object().vertices.count(), 13 + 5);
    EXPECT_EQ(front->faces.count(), 4 + 3);
    f.pick(front, 1); // 1 4 5 2, which shares the edge 1-4
    EXPECT_TRUE(f.run(618));
    EXPECT_EQ(f.object().vertices.count(), 13 + 5 + 4); // the shared point is reused
    EXPECT_EQ(front->faces.count(), 4 + 6);
    EXPECT_EQ(f.verticesAt({0, -400, 0}), 1);
    EXPECT_EQ(facesUsing(front, f.vertexAt({0, -400, 0})), 4); // two pieces of each face: no crack
    // No two vertices anywhere share a place.
    for (int i = 0; i < f.object().vertices.count(); ++i) EXPECT_EQ(f.verticesAt(f.grid(i)), 1) << "vertex " << i;
    // The first split's pieces, in the documented order.
    const Face& first = front->faces[0];
    EXPECT_EQ(f.grid(first.vertexB), (std::vector<int>{-800, -400, 0}));
    EXPECT_EQ(f.grid(first.vertexC), (std::vector<int>{-400, -400, 0}));
    EXPECT_EQ(f.grid(first.vertexD), (std::vector<int>{-400, -800, 0}));
}

TEST_F(FaceTools, ComputedPointsFollowTheGridRule)
{
    f.run(503);
    f.pick(front, 0);
    f.run(618);
    // The new point between vertices 0 and 3 stands for (-800, -400, 0).
    const Vertex& m = f.object().vertices[front->faces[0].vertexB];
    EXPECT_FLOAT_EQ(m.x, (-800.0f - 0.2f) * dt);
    EXPECT_FLOAT_EQ(m.y, (-400.0f - 0.2f) * dt);
    EXPECT_FLOAT_EQ(m.z, 0.0f);
    EXPECT_FLOAT_EQ(gridCoordinate(7), 7.2f * dt);
    EXPECT_FLOAT_EQ(snapToGrid(-3.9f * dt), -3.2f * dt);
}

TEST_F(FaceTools, CrossSplittingASelectionSharesTheMidpointToo)
{
    f.run(502);
    f.state().selection.push_back(front->faces[0]);
    f.state().selection.push_back(front->faces[1]);
    EXPECT_TRUE(f.run(618));
    EXPECT_TRUE(f.state().selection.empty());
    EXPECT_EQ(f.object().vertices.count(), 22);
    EXPECT_EQ(f.verticesAt({0, -400, 0}), 1);
}

TEST_F(FaceTools, HorizontalSplitThenReverseRestoresTheFace)
{
    const Face before = front->faces[0];
    f.run(503);
    f.pick(front, 0);
    f.run(618);
    ASSERT_EQ(front->faces.count(), 5);
    EXPECT_EQ(f.object().vertices.count(), 15);
    const Face& kept = front->faces[0];
    EXPECT_EQ(kept.vertexA, 0);
    EXPECT_EQ(kept.vertexD, 1);
    EXPECT_EQ(f.grid(kept.vertexB), (std::vector<int>{-800, -400, 0}));
    EXPECT_EQ(f.grid(kept.vertexC), (std::vector<int>{0, -400, 0}));
    EXPECT_EQ(corners(front->faces[4]), (std::vector<int>{kept.vertexB, 3, 4, kept.vertexC}));

    f.pick(front, 0);
    EXPECT_TRUE(f.run(619));
    EXPECT_EQ(front->faces.count(), 4);
    EXPECT_TRUE(sameRecord(front->faces[0], before));
    EXPECT_EQ(f.object().vertices.count(), 13); // the midpoints went with the redraw
    EXPECT_FALSE(f.state().pickface.valid());
}

TEST_F(FaceTools, ReverseKeepsAMidpointANeighbourStillUses)
{
    f.run(503);
    f.pick(front, 0);
    f.run(618); // midpoints (-800, -400) and (0, -400)
    f.pick(front, 1); // 1 4 5 2: its first edge 1-4 reuses (0, -400)
    f.run(618);
    EXPECT_EQ(f.object().vertices.count(), 16);
    f.pick(front, 0);
    EXPECT_TRUE(f.run(619));
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{0, 3, 4, 1}));
    EXPECT_EQ(f.object().vertices.count(), 15);
    EXPECT_EQ(f.verticesAt({-800, -400, 0}), 0);
    EXPECT_EQ(f.verticesAt({0, -400, 0}), 1);
}

TEST_F(FaceTools, VerticalAndCrossSplitsReverseToo)
{
    const Face before = front->faces[0];
    f.run(504);
    f.pick(front, 0);
    f.run(618);
    EXPECT_EQ(f.grid(front->faces[0].vertexC), (std::vector<int>{-400, 0, 0}));
    EXPECT_EQ(f.grid(front->faces[0].vertexD), (std::vector<int>{-400, -800, 0}));
    f.pick(front, 0);
    EXPECT_TRUE(f.run(619));
    EXPECT_TRUE(sameRecord(front->faces[0], before));
    EXPECT_EQ(front->faces.count(), 4);

    f.run(502);
    f.pick(front, 0);
    f.run(618);
    EXPECT_EQ(front->faces.count(), 7);
    f.pick(front, 0);
    EXPECT_TRUE(f.run(619));
    EXPECT_TRUE(sameRecord(front->faces[0], before));
    EXPECT_EQ(front->faces.count(), 4);
    EXPECT_EQ(f.object().vertices.count(), 13);
}

TEST_F(FaceTools, ReverseNeedsASplitToolAndAFittingSplit)
{
    ModelPart* back = f.part("back");
    const Face lone = back->faces[0];
    f.run(503);
    f.editor.selectpart(1);
    f.pick(back, 0); // no split made it and nothing fits beside it
    EXPECT_FALSE(f.run(619));
    EXPECT_TRUE(sameRecord(back->faces[0], lone));
    EXPECT_TRUE(f.state().pickface.valid());

    // With a tool that is not a split nothing happens either.
    f.editor.selectpart(0);
    f.run(503);
    f.pick(front, 0);
    f.run(618);
    f.run(513);
    f.pick(front, 0);
    EXPECT_FALSE(f.run(619));
    EXPECT_EQ(front->faces.count(), 5);
}

TEST_F(FaceTools, ExtrusionAddsFourVerticesAndFourSideFaces)
{
    const int c[4] = {0, 3, 4, 1};
    Vertex before[4];
    for (int k = 0; k < 4; ++k) before[k] = f.object().vertices[c[k]];
    ASSERT_NE(before[0].inz, 0); // the normals of the last redraw
    f.run(506);
    f.pick(front, 0);
    EXPECT_TRUE(f.run(618));
    ASSERT_EQ(f.object().vertices.count(), 17);
    ASSERT_EQ(front->faces.count(), 8);
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{13, 14, 15, 16}));
    for (int k = 0; k < 4; ++k) {
        const Vertex& e = f.object().vertices[13 + k];
        EXPECT_FLOAT_EQ(e.x, before[k].x - float(before[k].inx) * dt);
        EXPECT_FLOAT_EQ(e.y, before[k].y - float(before[k].iny) * dt);
        EXPECT_FLOAT_EQ(e.z, before[k].z - float(before[k].inz) * dt);
    }
    EXPECT_NEAR(std::abs(f.object().vertices[13].z / dt), 255.0f, 0.01f); // one unit normal away
    EXPECT_EQ(corners(front->faces[4]), (std::vector<int>{0, 3, 14, 13}));
    EXPECT_EQ(corners(front->faces[5]), (std::vector<int>{0, 13, 16, 1}));
    EXPECT_EQ(corners(front->faces[6]), (std::vector<int>{14, 3, 4, 15}));
    EXPECT_EQ(corners(front->faces[7]), (std::vector<int>{16, 15, 4, 1}));
    EXPECT_EQ(front->faces[4].material, front->faces[0].material);
}

TEST_F(FaceTools, TurningOverTwiceGivesTheSameRecord)
{
    const Face before = front->faces[0];
    f.run(513);
    f.pick(front, 0);
    f.run(618);
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{3, 0, 1, 4}));
    EXPECT_EQ(front->faces[0].altDiagonal, 1 - before.altDiagonal);
    f.pick(front, 0);
    f.run(618);
    EXPECT_TRUE(sameRecord(front->faces[0], before));
}

TEST_F(FaceTools, AFaceSelectedTwiceIsProcessedOnce)
{
    f.run(513);
    f.state().selection.push_back(front->faces[0]);
    f.state().selection.push_back(front->faces[2]);
    f.state().selection.push_back(front->faces[0]);
    f.run(618);
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{3, 0, 1, 4})); // turned once, not back again
    EXPECT_EQ(corners(front->faces[2]), (std::vector<int>{6, 3, 4, 7}));
    EXPECT_EQ(corners(front->faces[1]), (std::vector<int>{1, 4, 5, 2}));

    // Even where the part holds the record twice, twice selected is once applied.
    const Face copy = front->faces[3];
    front->faces.append(copy);
    f.run(507);
    f.state().selection.push_back(copy);
    f.state().selection.push_back(copy);
    f.run(618);
    EXPECT_EQ(front->faces[3].doubleSided, 1 - copy.doubleSided);
    EXPECT_TRUE(sameRecord(front->faces[4], copy));
}

TEST_F(FaceTools, FlagTogglesActOnThePickedFace)
{
    const Face before = front->faces[3];
    struct Toggle {
        int command;
        int32_t Face::*flag;
    };
    for (const Toggle& t : {Toggle{505, &Face::altDiagonal}, Toggle{507, &Face::doubleSided},
                            Toggle{512, &Face::twistFix}}) {
        f.run(t.command);
        f.pick(front, 3);
        f.run(618);
        EXPECT_EQ(front->faces[3].*t.flag, 1 - before.*t.flag) << t.command;
    }
    // A face picked with its corners turned is still the same face.
    f.run(505);
    f.pick(front, 3, 0);
    std::rotate(f.state().pickface.c, f.state().pickface.c + 1, f.state().pickface.c + 4);
    f.run(618);
    EXPECT_EQ(front->faces[3].altDiagonal, before.altDiagonal);
}

TEST_F(FaceTools, DeletingSelectedFaces)
{
    f.run(501);
    f.state().selection.push_back(front->faces[0]);
    f.state().selection.push_back(front->faces[1]);
    f.run(618);
    EXPECT_EQ(front->faces.count(), 2);
    EXPECT_EQ(f.object().vertices.count(), 10); // 0 and 2 and 1 were used by nothing else
    EXPECT_EQ(f.verticesAt({-800, -800, 0}), 0);
}

TEST_F(FaceTools, MovingFacesBetweenParts)
{
    ModelPart* back = f.part("back");
    f.editor.selectpart(1); // back
    f.run(500);
    f.pick(front, 0);
    f.run(618);
    EXPECT_EQ(front->faces.count(), 3);
    ASSERT_EQ(back->faces.count(), 2);
    EXPECT_EQ(corners(back->faces[1]), (std::vector<int>{0, 3, 4, 1}));
    // A face already in the current part stays where it is.
    f.pick(back, 1);
    f.run(618);
    EXPECT_EQ(back->faces.count(), 2);
    EXPECT_EQ(front->faces.count(), 3);
}

TEST_F(FaceTools, ColourToolUsesTheCurrentColour)
{
    const int materials = f.object().materials.count();
    f.answer({"colour", "10", "20", "30", "0.5", "0.5", "0"});
    f.run(700);
    f.run(510);
    f.pick(front, 0);
    f.run(618);
    ASSERT_EQ(f.object().materials.count(), materials + 1);
    const Material& m = f.object().materials[front->faces[0].material];
    EXPECT_EQ(m.red, 10);
    EXPECT_EQ(m.blue, 30);
    EXPECT_EQ(m.texture, -1);
    // The same colour on another face reuses the material.
    f.answer({"palette", "0"});
    f.run(702);
    int r, g, b;
    float a, d, s;
    ASSERT_TRUE(f.editor.table.entry(0, r, g, b, a, d, s));
    f.pick(front, 1);
    f.run(618);
    EXPECT_EQ(f.object().materials.count(), materials + 1);
    EXPECT_EQ(f.object().materials[front->faces[1].material].red, r);
}

TEST_F(FaceTools, TextureToolWithoutATextureChangesNothing)
{
    const Face before = front->faces[0];
    f.run(511);
    f.pick(front, 0);
    EXPECT_FALSE(f.run(618));
    EXPECT_TRUE(sameRecord(front->faces[0], before));
    EXPECT_TRUE(f.state().pickface.valid()); // the pick stays for another try
}

TEST_F(FaceTools, AddPointGivesTheFaceItsOwnPoint)
{
    f.pick(front, 0, 2); // corner 2 is vertex 4, shared by all four quads
    f.run(508);
    EXPECT_TRUE(f.run(618));
    ASSERT_EQ(f.object().vertices.count(), 14);
    EXPECT_EQ(front->faces[0].vertexC, 13);
    EXPECT_EQ(f.state().pickpoint, 13);
    EXPECT_EQ(f.grid(13), f.grid(4));
    // The new point moves alone.
    f.run(621);
    f.run(600);
    f.run(200); // symmetry off
    f.run(615); // +X
    EXPECT_EQ(f.grid(13), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(f.grid(4), (std::vector<int>{0, 0, 0}));
}

TEST_F(FaceTools, PicksFollowTheRedrawThatDropsUnusedPoints)
{
    f.pick(front, 0, 0); // vertex 0 is used by this face only
    f.run(508);
    f.run(618);
    // The old point went with the redraw and the new one moved down by one.
    EXPECT_EQ(f.object().vertices.count(), 13);
    EXPECT_EQ(f.state().pickpoint, front->faces[0].vertexA);
    EXPECT_EQ(f.grid(f.state().pickpoint), (std::vector<int>{-800, -800, 0}));
}

TEST_F(FaceTools, ChangePointTakesTwoExecutes)
{
    f.pick(front, 0, 2); // vertex 4
    f.run(509);
    EXPECT_EQ(f.state().toolname, "点変更　　");
    f.run(618);
    EXPECT_EQ(f.state().tool, pointChangeWaiting);
    EXPECT_EQ(f.state().toolname, "点指定中");
    EXPECT_EQ(f.state().heldcorner, 2);
    EXPECT_EQ(std::vector<int>(f.state().heldface.c, f.state().heldface.c + 4), (std::vector<int>{0, 3, 4, 1}));
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{0, 3, 4, 1}));
    f.pick(front, 3, 2); // any click: vertex 8
    f.run(618);
    EXPECT_EQ(corners(front->faces[0]), (std::vector<int>{0, 3, 8, 1}));
    EXPECT_EQ(f.state().tool, 10);
    EXPECT_EQ(f.state().toolname, "点変更");
}

TEST_F(FaceTools, PointToolsDoNothingOnASelection)
{
    f.run(508);
    f.state().selection.push_back(front->faces[0]);
    f.state().pickpoint = 4;
    f.run(618);
    EXPECT_EQ(f.object().vertices.count(), 13);
    EXPECT_TRUE(f.state().selection.empty());
}

TEST(FaceToolsAlone, NothingHappensWithoutAnObject)
{
    EditFixture f;
    f.run(502);
    EXPECT_FALSE(f.run(618));
    EXPECT_FALSE(f.run(619));
}

TEST(FaceToolsAlone, MidpointOfAnEmptyObject)
{
    ModelObject o(true);
    EXPECT_EQ(midpoint(o, 0, 1), -1);
    o.vertices.append(makeVertex(0.0f, 0.0f, 0.0f));
    o.vertices.append(makeVertex(gridCoordinate(10), 0.0f, 0.0f));
    EXPECT_EQ(midpoint(o, 0, 5), -1);
    EXPECT_EQ(midpoint(o, 0, 1), 2);
    EXPECT_FLOAT_EQ(o.vertices[2].x, 5.2f * dt);
}
