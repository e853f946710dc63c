// Undo and redo through the editor: a 30-command editing session is undone
// step by step, and each step gives back the file saved at that point byte
// for byte; redoing gives the later files again. Repeated moves merge.
#include <gtest/gtest.h>

#include <filesystem>

#include "edit_fixture.h"
#include "model/md4_file.h"
#include "softrender/vertex_prep.h"

using namespace quillo;
using quillo::test::EditFixture;
using quillo::test::readText;

namespace {

const std::string dataDir = std::string(QUILLO_SOURCE_DIR) + "/tests/modeler/data/";

// Each entry makes exactly one step of the history.
const char* const session[] = {
    "cmd 506\npick body 0\nkey n\n",                             // extrude
    "cmd 502\npick body 0\nkey n\n",                             // cross split
    "cmd 503\nselect body 1 4\nkey n\n",                         // horizontal split
    "key i\nkey 3\npick body 0 0\nkey f\n",                      // point move
    "key v\n",                                                   // another key: a new step
    "key g\n",                                                   //
    "answer colour 255 0 0 0.2 0.8 0\ncmd 700\ncmd 510\nselect body 1 2\nkey n\n", // colour faces
    "pick body 0\nanswer texture face edit_skin.bmp xy\ncmd 703\n", // texture
    "answer file edit_smile.bmp\ncmd 705\n",                     // pattern
    "key o\nanswer input lid\ncmd 400\n",                        // add part
    "answer select 1\nkey 0\ncmd 500\npick body 3\nkey n\n",     // face to part
    "answer input \"open box\"\ncmd 407\n",                      // rename object
    "key g\n",                                                   // object move
    "key t\n",                                                   // object move along Z
    "key p\nkey t\n",                                            // part pose
    "answer input lid_top\ncmd 406\n",                           // rename part
    "key 2\nkey i\nanswer select 0\nkey 0\npick body 0 1\nkey h\n", // point move, step 2
    "cmd 505\npick body 1\nkey n\n",                             // diagonal
    "cmd 507\npick body 2\nkey n\n",                             // double-sided
    "cmd 512\npick body 2\nkey n\n",                             // twist fix
    "cmd 513\npick body 1\nkey n\n",                             // turn over
    "cmd 504\npick body 0\nkey n\n",                             // vertical split
    "answer input 0.025\ncmd 205\n",                             // scale factor
    "cmd 501\npick body 5\nkey n\n",                             // delete a face
    "key o\nanswer input arm\ncmd 401\n",                        // insert part
    "answer file edit_start.md4\ncmd 102\n",                     // insert a file
    "key Shift+P\nkey b\n",                                      // part with its geometry
    "key y\nkey Up\n",                                           // texture rectangle
    "key Left\n",                                                //
    "key u\nkey g\nkey o\nanswer input \"open box 2\"\ncmd 407\n", // camera moves alone make no step
};

struct SessionFixture : EditFixture {
    // The whole test runs in the fixture's folder, as the program runs in
    // its own: texture files named without a folder are found there.
    const std::filesystem::path before = std::filesystem::current_path();
    SessionFixture()
    {
        for (const char* name : {"edit_start.md4", "edit_skin.bmp", "edit_smile.bmp"})
            std::filesystem::copy_file(dataDir + name, dir / name);
        std::filesystem::current_path(dir.str());
    }
    ~SessionFixture() { std::filesystem::current_path(before); }
    void runLines(const std::string& lines)
    {
        std::string error;
        ASSERT_TRUE(quillo::test::runScript(*this, lines, error)) << lines << error;
        ASSERT_TRUE(failure().empty()) << lines << failure();
    }
    std::string saved()
    {
        const std::string path = dir / "now.md4";
        EXPECT_TRUE(writeModel(editor.document, path));
        return readText(path);
    }
};

// "" when every vertex of the document holds what a full preparation
// (normals smoothed over all faces) gives it, else what differs: undo
// writes normals back from its snapshots instead of recomputing them.
std::string staleVertices(ModelDocument& document)
{
    std::vector<ModelObject*> objects(document.objects.begin(), document.objects.end());
    for (size_t i = 0; i < objects.size(); ++i)
        for (ModelPart* p : objects[i]->partList)
            for (ModelObject* e : p->objects) objects.push_back(e);
    for (ModelObject* o : objects) {
        const std::vector<Vertex> before(o->vertices.begin(), o->vertices.end());
        prepareVertices(*o);
        if (before.size() != size_t(o->vertices.count())) return std::string(o->name) + ": unused vertices";
        for (size_t i = 0; i < before.size(); ++i) {
            const Vertex &a = before[i], &b = o->vertices[int(i)];
            if (a.nx != b.nx || a.ny != b.ny || a.nz != b.nz || a.gx != b.gx || a.gy != b.gy || a.gz != b.gz ||
                a.inx != b.inx || a.iny != b.iny || a.inz != b.inz || a.ownerCopy != b.ownerCopy)
                return std::string(o->name) + ": vertex " + std::to_string(i);
        }
    }
    return "";
}

} // namespace

TEST(UndoSession, EveryStepUndoesToTheFileSavedBeforeItAndRedoesToTheOneAfter)
{
    SessionFixture f;
    f.runLines("answer file edit_start.md4\ncmd 101\n");
    std::vector<std::string> saves{f.saved()};
    const int steps = int(std::size(session));
    ASSERT_EQ(steps, 30);
    for (int i = 0; i < steps; ++i) {
        f.runLines(session[i]);
        ASSERT_EQ(f.editor.history().undoSteps(), i + 1) << "step " << i + 1 << ":\n" << session[i];
        saves.push_back(f.saved());
        EXPECT_NE(saves[size_t(i) + 1], saves[size_t(i)]) << "step " << i + 1 << " left the file as it was";
    }
    for (int i = steps; i > 0; --i) {
        ASSERT_TRUE(f.editor.dispatch(Cmd::Undo)) << i;
        EXPECT_EQ(staleVertices(f.editor.document), "") << "undoing step " << i << ":\n" << session[i - 1];
        f.draw();
        EXPECT_EQ(f.saved(), saves[size_t(i) - 1]) << "undoing step " << i << ":\n" << session[i - 1];
    }
    EXPECT_FALSE(f.editor.dispatch(Cmd::Undo));
    for (int i = 1; i <= steps; ++i) {
        ASSERT_TRUE(f.editor.dispatch(Cmd::Redo)) << i;
        EXPECT_EQ(staleVertices(f.editor.document), "") << "redoing step " << i << ":\n" << session[i - 1];
        f.draw();
        EXPECT_EQ(f.saved(), saves[size_t(i)]) << "redoing step " << i << ":\n" << session[i - 1];
    }
    EXPECT_FALSE(f.editor.dispatch(Cmd::Redo));
    // Undone half way, the same commands again give the same files.
    for (int i = 0; i < 15; ++i) f.editor.dispatch(Cmd::Undo);
    EXPECT_EQ(f.saved(), saves[15]);
    f.runLines(session[15]);
    EXPECT_EQ(f.saved(), saves[16]);
    EXPECT_EQ(f.editor.history().redoSteps(), 0) << "a new change drops what could be redone";
}

TEST(UndoSession, RepeatedMovesByOneKeyMergeIntoOneStep)
{
    SessionFixture f;
    f.runLines("answer file edit_start.md4\ncmd 101\n");
    const std::string start = f.saved();
    f.runLines("key i\nkey 3\npick body 0 0\nkey g\nkey g\nkey g\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 1);
    f.runLines("key f\n"); // another key
    EXPECT_EQ(f.editor.history().undoSteps(), 2);
    f.runLines("pick body 0 1\nkey f\n"); // another point
    EXPECT_EQ(f.editor.history().undoSteps(), 3);
    f.runLines("key o\nkey g\nkey g\n"); // the object: one more step
    EXPECT_EQ(f.editor.history().undoSteps(), 4);
    f.runLines("key 1\nkey g\n"); // a step choice in between ends the merging
    EXPECT_EQ(f.editor.history().undoSteps(), 5);
    for (int i = 0; i < 5; ++i) f.editor.dispatch(Cmd::Undo);
    EXPECT_EQ(f.saved(), start);
}

TEST(UndoSession, ARightButtonDragIsOneStep)
{
    SessionFixture f;
    f.runLines("answer file edit_start.md4\ncmd 101\n");
    const std::string start = f.saved();
    f.runLines("cmd 1204\nrdrag 100 100 160 100 6\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 1);
    EXPECT_NE(f.saved(), start);
    f.runLines("rdrag 100 100 130 100 3\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 2);
    f.editor.dispatch(Cmd::Undo);
    f.editor.dispatch(Cmd::Undo);
    EXPECT_EQ(f.saved(), start);
}

TEST(UndoSession, OpeningOrClosingAFileClearsTheHistory)
{
    SessionFixture f;
    f.runLines("answer file edit_start.md4\ncmd 101\nkey g\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 1);
    f.runLines("answer file edit_start.md4\ncmd 101\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 0);
    f.runLines("key g\nanswer file closed.md4\ncmd 103\n");
    EXPECT_EQ(f.editor.history().undoSteps(), 0);
    EXPECT_EQ(f.editor.history().redoSteps(), 0);
    EXPECT_FALSE(f.editor.dispatch(Cmd::Undo));
}

TEST(UndoSession, UndoPutsBackTheObjectAndPartThatWereEdited)
{
    SessionFixture f;
    f.runLines("answer file edit_start.md4\ncmd 101\nkey o\nanswer input lid\ncmd 400\nanswer select 1\nkey 0\n");
    ASSERT_STREQ(f.state().currentpart->name, "lid");
    f.runLines("cmd 402\n"); // the part goes; its parent becomes current
    ASSERT_STREQ(f.state().currentpart->name, "body");
    f.editor.dispatch(Cmd::Undo);
    ASSERT_NE(f.state().currentpart, nullptr);
    EXPECT_STREQ(f.state().currentpart->name, "lid");
    EXPECT_EQ(f.state().currentobject->partList.count(), 2);
    f.editor.dispatch(Cmd::Redo);
    EXPECT_STREQ(f.state().currentpart->name, "body");
    EXPECT_EQ(f.state().currentobject->partList.count(), 1);
}

TEST(UndoSession, TheRobotWithItsEmbeddedHatUndoesItsMoves)
{
    EditFixture f;
    ASSERT_TRUE(f.editor.openFile(std::string(QUILLO_SOURCE_DIR) + "/examples/robot.md4"));
    const std::string start = [&] {
        EXPECT_TRUE(writeModel(f.editor.document, f.dir / "a.md4"));
        return readText(f.dir / "a.md4");
    }();
    // Point mode on the hat (the second object), then moves of its first point by two keys.
    const std::vector<ModelObject*> all = f.editor.allObjects();
    ASSERT_EQ(all.size(), 2u);
    ASSERT_STREQ(all[1]->name, "帽子");
    f.editor.dispatch(Cmd::ModePoint);
    f.editor.state.currentobject = all[1];
    f.editor.state.pickpoint = 0;
    for (Cmd key : {Cmd::PlusX, Cmd::PlusX, Cmd::MinusY}) f.editor.dispatch(key);
    EXPECT_EQ(f.editor.history().undoSteps(), 2);
    EXPECT_EQ(staleVertices(f.editor.document), "");
    while (f.editor.dispatch(Cmd::Undo)) EXPECT_EQ(staleVertices(f.editor.document), "");
    ASSERT_TRUE(writeModel(f.editor.document, f.dir / "b.md4"));
    EXPECT_EQ(readText(f.dir / "b.md4"), start);
}
