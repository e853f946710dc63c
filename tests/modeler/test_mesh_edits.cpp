// Edits whose faults leave a broken mesh rather than a failed command: a
// split beside a face of a later part, extrusion of a slanted face, and the
// mirror partner when two points share its place.
#include <gtest/gtest.h>

#include <cmath>

#include "edit_fixture.h"

using namespace quillo;
using quillo::test::EditFixture;

namespace {

// Two quads of part "front" side by side (shared edge 1-4); the child part
// "side" has a face whose third corner is the shared vertex 4, so its edges
// from vertex 4 are entered after the front's in the split search's tables.
const char* frontAndSide()
{
    return "ob o 0 0 0\n dt 0.0125\n"
           " v -800 -800 0\n v 0 -800 0\n v 800 -800 0\n v -800 0 0\n v 0 0 0\n v 800 0 0\n"
           " v 0 800 800\n v -800 800 800\n v 800 800 800\n"
           "pb front 0 0 0\n m 0.2 1 0\n c 200 100 50\n"
           " q 0 3 4 1\n q 1 4 5 2\n"
           " pb side 0 0 0\n  q 6 7 4 8\n pe side\n"
           "pe front\noe o\n";
}

} // namespace

// Splitting both neighbours, in either direction of the shared edge and
// with either split tool, leaves one point in the middle of the shared edge:
// the second split must find the first one's point although the later part
// "side" also leaves the shared corner along the same table slot.
TEST(MeshEdits, SplitBesideAFaceOfALaterPartReusesTheNeighboursPoint)
{
    const struct {
        int tool;
        int first, second; // faces of "front" split in this order
    } cases[] = {{503, 0, 1}, {503, 1, 0}, {502, 0, 1}, {502, 1, 0}};
    for (const auto& c : cases) {
        EditFixture f;
        f.open("m.md4", frontAndSide(), {"select", "0"});
        ModelPart* front = f.part("front");
        ASSERT_NE(front, nullptr);
        const Face second = front->faces[c.second];
        f.run(c.tool);
        f.pick(front, c.first);
        ASSERT_TRUE(f.run(618));
        int at = -1; // where the second face is now
        for (int i = 0; i < front->faces.count(); ++i)
            if (quillo::test::sameRecord(front->faces[i], second)) at = i;
        ASSERT_GE(at, 0);
        f.pick(front, at);
        ASSERT_TRUE(f.run(618));
        EXPECT_EQ(f.verticesAt({0, -400, 0}), 1) << "tool " << c.tool << ", faces " << c.first << " then " << c.second;
        EXPECT_TRUE(f.failure().empty()) << f.failure();
    }
}

// The extruded copies of a face slanted in x and in y move one normal
// length against the normal in every coordinate.
TEST(MeshEdits, ExtrudingASlantedFaceMovesAgainstItsNormal)
{
    EditFixture f;
    f.open("m.md4",
           "ob o 0 0 0\n dt 0.0125\n"
           " v -800 -800 -800\n v -800 800 0\n v 800 800 800\n v 800 -800 0\n"
           "pb slope 0 0 0\n m 0.2 1 0\n c 200 100 50\n q 0 1 2 3\npe slope\noe o\n",
           {"select", "0"});
    Vertex before[4];
    for (int k = 0; k < 4; ++k) before[k] = f.object().vertices[k];
    ASSERT_NE(before[0].inx, 0);
    ASSERT_NE(before[0].iny, 0);
    ASSERT_NE(before[0].inz, 0);
    f.run(506);
    f.pick(f.part("slope"), 0);
    ASSERT_TRUE(f.run(618));
    ASSERT_EQ(f.object().vertices.count(), 8);
    for (int k = 0; k < 4; ++k) {
        const Vertex& e = f.object().vertices[4 + k];
        const float moved[3] = {(before[k].x - e.x) / dt, (before[k].y - e.y) / dt, (before[k].z - e.z) / dt};
        EXPECT_FLOAT_EQ(moved[0], float(before[k].inx)) << k;
        EXPECT_FLOAT_EQ(moved[1], float(before[k].iny)) << k;
        EXPECT_FLOAT_EQ(moved[2], float(before[k].inz)) << k;
        EXPECT_NEAR(std::sqrt(moved[0] * moved[0] + moved[1] * moved[1] + moved[2] * moved[2]), 255.0f, 2.0f);
    }
    EXPECT_TRUE(f.failure().empty()) << f.failure();
}

// With symmetry on, moving a point moves the point at its mirror place too:
// the last such point when two share the place, vertex 0 included, and none
// for a point on the mirror plane (not even another point at its place).
TEST(MeshEdits, SymmetryMovesTheLastPointAtTheMirrorPlace)
{
    const char* model = "ob o 0 0 0\n dt 0.0125\n"
                        " v 800 800 0\n v -800 800 0\n v -800 0 0\n v 800 0 0\n v 800 0 0\n v 0 0 0\n v 0 0 0\n"
                        "pb p 0 0 0\n m 0.2 1 0\n c 200 100 50\n q 0 1 2 3\n q 4 5 2 1\n q 6 3 0 1\npe p\noe o\n";
    const struct {
        int picked;
        int partner; // -1: none
    } cases[] = {{2, 4}, {1, 0}, {0, 1}, {4, 2}, {5, -1}, {6, -1}};
    for (const auto& c : cases) {
        EditFixture f;
        f.open("m.md4", model, {"select", "0"});
        ASSERT_EQ(f.object().vertices.count(), 7);
        std::vector<std::vector<int>> before;
        for (int i = 0; i < 7; ++i) before.push_back(f.grid(i));
        f.run(621); // point mode
        f.run(600); // one grid unit a step
        f.state().pickpoint = c.picked;
        f.run(617); // +Y
        for (int i = 0; i < 7; ++i) {
            std::vector<int> expected = before[size_t(i)];
            if (i == c.picked || i == c.partner) ++expected[1];
            EXPECT_EQ(f.grid(i), expected) << "picked " << c.picked << ", vertex " << i;
        }
        EXPECT_TRUE(f.failure().empty()) << f.failure();
    }
}
