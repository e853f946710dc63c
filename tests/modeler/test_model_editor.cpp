#include "modeler/model_editor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "editor_fixture.h"
#include "model/md4_file.h"
#include "modeler/modeler_commands.h"

using namespace quillo;
using quillo::test::EditorFixture;
using quillo::test::twoLayers;

TEST(ModelEditor, OpeningRunsTheObjectAndPartChoice)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "1"}); // two parts: the part box asks
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    ASSERT_NE(f.editor.state.currentobject, nullptr);
    EXPECT_STREQ(f.editor.state.currentpart->name, "back");
    EXPECT_EQ(f.editor.state.filename, f.dir / "m.md4");
    EXPECT_EQ(f.host.partNames, (std::vector<std::string>{"front", "back"}));
    EXPECT_EQ(f.host.objectNames, (std::vector<std::string>{"o"}));

    // A broken file keeps the open model and says why.
    quillo::test::writeText(f.dir / "bad.md4", "ob x 0 0 0\n v 1 zz 2\noe x\n");
    f.answer({"file", f.dir / "bad.md4"});
    f.answer({"message", "モデルファイルを読み込めません\\nline 2: \"zz\" is not a whole number"});
    f.editor.dispatch(101);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    EXPECT_EQ(f.editor.document.objects.count(), 1);
    EXPECT_STREQ(f.editor.state.currentobject->name, "o");
}

TEST(ModelEditor, OnlyARegularDefaultFileIsOpenedAtStart)
{
    EditorFixture f;
    quillo::test::writeText(f.dir / "m.md4", "ob o 0 0 0\noe o\n");
    const struct {
        std::string file;
        std::string filename;
    } cases[] = {{f.dir.str(), ""}, {f.dir / "gone.md4", ""}, {f.dir / "m.md4", f.dir / "m.md4"}};
    for (const auto& c : cases) {
        EditorFixture g;
        g.editor.settings.defaultfile = c.file;
        g.editor.start("");
        EXPECT_EQ(g.editor.state.filename, c.filename) << c.file;
    }
}

TEST(ModelEditor, StepSizesAndPoseKeys)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    ModelObject& o = f.object();
    const float y0 = o.position[1];
    EXPECT_TRUE(f.editor.dispatch(617)); // +Y
    EXPECT_FLOAT_EQ(o.position[1] - y0, 39.0625f); // 5^5 grid units
    f.editor.dispatch(f.editor.commands().commandForKey("b")); // the key b is +Y too
    f.editor.dispatch(f.editor.commands().commandForKey("h")); // and h is -Y
    EXPECT_FLOAT_EQ(o.position[1] - y0, 39.0625f); // +1 -1 steps
    f.editor.dispatch(600); // step 1: one grid unit
    const float x0 = o.position[0];
    f.editor.dispatch(615);
    EXPECT_FLOAT_EQ(o.position[0] - x0, 0.0125f);
    EXPECT_FLOAT_EQ(f.editor.rotationAngle(), 0.0032724924f * 32);
    f.editor.dispatch(514);
    EXPECT_FLOAT_EQ(f.editor.rotationAngle(), 0.0032724924f);
    f.editor.dispatch(606); // turn about X by one step
    EXPECT_NEAR(o.angles[0], 0.0032724924f, 1e-6);

    // Camera mode moves the view node.
    f.editor.dispatch(620);
    f.editor.dispatch(605);
    f.editor.dispatch(612); // +Z
    EXPECT_FLOAT_EQ(f.editor.document.position[2], -175.0f + 39.0625f);
}

TEST(ModelEditor, PointMovesWithSymmetry)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    ModelObject& o = f.object();
    f.editor.dispatch(621); // point mode
    f.editor.dispatch(600); // one grid unit
    // Vertex 3 at x = -800 has its mirror partner 5 at x = +800.
    f.editor.state.pickpoint = 3;
    f.editor.dispatch(617); // +Y
    EXPECT_EQ(int(o.vertices[3].y / dt), 1);
    EXPECT_EQ(int(o.vertices[5].y / dt), 1);
    EXPECT_EQ(int(o.vertices[5].x / dt), 800);
    // A point at x = 0 moves alone.
    f.editor.state.pickpoint = 4;
    f.editor.dispatch(617);
    EXPECT_EQ(int(o.vertices[4].y / dt), 1);
    EXPECT_EQ(int(o.vertices[1].y / dt), -800);
    EXPECT_EQ(int(o.vertices[7].y / dt), 800);
    // Without symmetry only the point moves.
    f.editor.dispatch(200);
    f.editor.state.pickpoint = 3;
    f.editor.dispatch(617);
    EXPECT_EQ(int(o.vertices[3].y / dt), 2);
    EXPECT_EQ(int(o.vertices[5].y / dt), 1);
}

TEST(ModelEditor, ZoomCommands)
{
    EditorFixture f;
    f.editor.document.zoom = 1;
    f.editor.dispatch(203); // ズームダウン at 1 does nothing
    EXPECT_EQ(f.editor.document.zoom, 1);
    f.editor.dispatch(202);
    EXPECT_EQ(f.editor.document.zoom, 2);
    f.answer({"input", "2"});
    EXPECT_FALSE(f.editor.dispatch(204));
    EXPECT_EQ(f.editor.document.zoom, 512); // 2 x 256.1, truncated
    f.answer({"input", "lots"}); // no number: nothing changes
    f.editor.dispatch(204);
    f.answer({"cancel"});
    f.editor.dispatch(204);
    EXPECT_EQ(f.editor.document.zoom, 512);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
}

TEST(ModelEditor, ScaleFactorKeepsGridCoordinates)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    ModelObject& o = f.object();
    f.answer({"input", "0.025"});
    f.editor.dispatch(205);
    EXPECT_FLOAT_EQ(dt, 0.025f);
    EXPECT_EQ(int(o.vertices[0].x / dt), -800);
    EXPECT_EQ(int(o.vertices[8].y / dt), 800);
    f.answer({"input", "0"});
    f.answer({"message", "ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください"});
    f.editor.dispatch(205);
    f.answer({"input", "-1"});
    f.answer({"message", "ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください"});
    f.editor.dispatch(205);
    f.answer({"input", "abc"});
    f.editor.dispatch(205);
    EXPECT_FLOAT_EQ(dt, 0.025f);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
}

TEST(ModelEditor, FileCommands)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    // 閉じる cancelled keeps the model open.
    f.answer({"cancel"});
    f.editor.dispatch(103);
    EXPECT_EQ(f.editor.document.objects.count(), 1);
    // Save as in part mode: partial save of the current part.
    f.editor.dispatch(623);
    f.answer({"file", f.dir / "part.md4"});
    f.answer({"ask", "yes"});
    f.editor.dispatch(105);
    std::string part = quillo::test::readText(f.dir / "part.md4");
    EXPECT_NE(part.find("pb front 0 0 0\n"), std::string::npos);
    EXPECT_EQ(f.editor.state.filename, f.dir / "part.md4");
    // Overwrite save writes the whole document; close then saves and empties.
    f.editor.dispatch(622);
    f.editor.dispatch(104);
    f.answer({"file", f.dir / "closed.md5"});
    f.editor.dispatch(103);
    EXPECT_EQ(f.editor.document.objects.count(), 0);
    EXPECT_EQ(f.editor.state.currentobject, nullptr);
    ModelDocument back;
    ASSERT_EQ(readModel(back, f.dir / "closed.md5"), ReadResult::ok);
    EXPECT_EQ(back.objects[0]->vertices.count(), 13);
    // A save that fails says so and keeps the model.
    f.open("m2.md4", twoLayers(), {"select", "0"});
    f.answer({"file", f.dir / "no/such/dir.md4"});
    f.answer({"message", "ファイル " + f.dir / "no/such/dir.md4" + " に書き込めません"});
    f.editor.dispatch(103);
    EXPECT_EQ(f.editor.document.objects.count(), 1);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
}

TEST(ModelEditor, OptionsEndTheProgram)
{
    EditorFixture f;
    f.answer({"ask", "no"});
    f.editor.dispatch(107);
    EXPECT_EQ(f.host.closed, 0);
    f.answer({"ask", "yes"});
    f.answer({"options", "zon=yes", "resolution=1024"});
    f.answer({"message", "オプションが変更されました\\nプログラムを終了します"});
    f.editor.dispatch(107);
    EXPECT_EQ(f.host.closed, 1);
    EXPECT_EQ(f.store.values["Zon"], "Yes");
    EXPECT_EQ(f.store.values["MaxWidth"], "1024");
    EXPECT_EQ(f.store.values["MaxHight"], "768");
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
}

TEST(ModelEditor, ModesSelectorsAndWindows)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    f.editor.dispatch(631);
    EXPECT_EQ(f.editor.state.mode, modePartGeometry);
    f.editor.dispatch(520);
    f.editor.dispatch(524);
    f.host.full = true;
    f.editor.dispatch(523); // no tool windows in full screen
    EXPECT_EQ(f.host.toolWindows, (std::vector<int>{520, 524}));
    f.editor.dispatch(1203);
    f.editor.dispatch(1207);
    EXPECT_EQ(f.editor.state.mousevertical, 1203);
    EXPECT_EQ(f.editor.state.mousehorizontal, 1207);
    f.editor.selectpart(1);
    EXPECT_STREQ(f.editor.state.currentpart->name, "back");
    f.editor.selectobject(0);
    EXPECT_STREQ(f.editor.state.currentpart->name, "front");
    // Part choice cancelled keeps the part.
    f.answer({"cancel"});
    f.editor.dispatch(625);
    EXPECT_STREQ(f.editor.state.currentpart->name, "front");
    f.editor.dispatch(707);
    EXPECT_EQ(f.host.helpPages, std::vector<std::string>{"quillomodel.html"});
}

TEST(ModelEditor, RightDragsPoseThroughTheMouseAssignments)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    ModelObject& o = f.object();
    f.editor.dispatch(1204); // horizontal drags move along X
    f.editor.mouse(100, 100, 0);
    f.editor.mouse(100, 100, 1);
    EXPECT_TRUE(f.editor.mouse(110, 100, 1));
    EXPECT_FLOAT_EQ(o.position[0], 10 * 39.0625f * 0.1f);
    // The left button does not pose.
    EXPECT_FALSE(f.editor.mouse(120, 100, 4));
}
