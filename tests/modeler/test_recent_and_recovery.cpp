// Recent files (kept in the settings store, newest first, eight at most, a
// missing file leaves with a message), crash recovery (a recovery file only
// while changes are unsaved, offered at the next start), and the import and
// export commands of the file menu.
#include "modeler/model_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "editor_fixture.h"
#include "modeler/modeler_commands.h"
#include "modeler/recovery.h"
#include "platform/recent_files.h"

using namespace quillo;
using quillo::test::EditorFixture;
using quillo::test::twoLayers;

namespace {

struct ListCase {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> expected;
};

const ListCase listCases[] = {
    {"newest first", {"/a.md4", "/b.md4", "/c.md4"}, {"/c.md4", "/b.md4", "/a.md4"}},
    {"again moves to the front", {"/a.md4", "/b.md4", "/a.md4"}, {"/a.md4", "/b.md4"}},
    {"eight at most",
     {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
     {"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}},
    {"made absolute", {"/x/./y/../m.md4"}, {"/x/m.md4"}},
};

class RecentList : public ::testing::TestWithParam<ListCase> {};

} // namespace

TEST_P(RecentList, KeptInTheStore)
{
    const ListCase& c = GetParam();
    RecentFiles recent;
    for (const std::string& f : c.added) recent.add(f);
    EXPECT_EQ(recent.files(), c.expected) << c.name;
    MemorySettingsStore store;
    recent.save(store);
    RecentFiles again;
    again.load(store);
    EXPECT_EQ(again.files(), c.expected) << c.name;
    EXPECT_EQ(store.values.count("Recent File 8"), 1u); // unused places are written empty
}

INSTANTIATE_TEST_SUITE_P(Cases, RecentList, ::testing::ValuesIn(listCases));

TEST(RecentFiles, LabelsNumberTheItemsAndKeepAmpersands)
{
    EXPECT_EQ(RecentFiles::label(0, "/m/a&b.md4"), "&1 /m/a&&b.md4");
    EXPECT_EQ(RecentFiles::label(7, "x"), "&8 x");
}

struct RecordingRecentHost : test::RecordingHost {
    std::vector<std::string> recent;
    void recentFilesChanged(const std::vector<std::string>& files) override { recent = files; }
};

TEST(ModelEditorRecent, ThreeOpensAndAMissingFile)
{
    EditorFixture f;
    for (const char* name : {"a.md4", "b.md4", "c.md4"}) f.open(name, twoLayers(), {"select", "0"});
    EXPECT_EQ(f.editor.recentFiles().files(),
              (std::vector<std::string>{f.dir / "c.md4", f.dir / "b.md4", f.dir / "a.md4"}));
    EXPECT_EQ(f.store.values["Recent File 1"], f.dir / "c.md4");

    // The third entry opens a.md4 and puts it first.
    f.answer({"select", "0"});
    f.editor.dispatch(id(Cmd::RecentFile1) + 2);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    EXPECT_EQ(f.editor.state.filename, f.dir / "a.md4");
    EXPECT_EQ(f.editor.recentFiles().files()[0], f.dir / "a.md4");

    // A file that is gone leaves the list, with a message, and the open model stays.
    std::filesystem::remove(f.dir / "b.md4");
    f.answer({"message", "ファイル " + f.dir / "b.md4" + " が見つかりません\\n最近使ったファイルから外しました"});
    f.editor.dispatch(id(Cmd::RecentFile1) + 2);
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    EXPECT_EQ(f.editor.recentFiles().files(), (std::vector<std::string>{f.dir / "a.md4", f.dir / "c.md4"}));
    EXPECT_EQ(f.store.values["Recent File 3"], "");
    EXPECT_EQ(f.editor.state.filename, f.dir / "a.md4");
    // An empty place does nothing.
    EXPECT_FALSE(f.editor.dispatch(id(Cmd::RecentFile8)));

    // A new editor on the same store starts with the list.
    ScriptedModelDialogs dialogs;
    RecordingRecentHost host;
    ModelEditor second(dialogs, f.store, &host);
    EXPECT_EQ(second.recentFiles().files().size(), 2u);
}

TEST(ModelEditorRecovery, FileOnlyWhileChangesAreUnsaved)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    Recovery recovery(f.dir / "recovery");
    f.editor.setRecovery(&recovery);
    EXPECT_TRUE(f.editor.writeRecovery());
    EXPECT_FALSE(recovery.exists()); // nothing to lose yet

    f.editor.dispatch(617); // a move
    EXPECT_TRUE(f.editor.writeRecovery());
    ASSERT_TRUE(recovery.exists());
    const auto written = std::filesystem::last_write_time(recovery.path());
    EXPECT_TRUE(f.editor.writeRecovery()); // unchanged since: not written again
    EXPECT_EQ(std::filesystem::last_write_time(recovery.path()), written);

    f.editor.dispatch(104); // 上書き保存
    EXPECT_FALSE(recovery.exists());

    f.editor.dispatch(617);
    EXPECT_TRUE(f.editor.writeRecovery());
    EXPECT_TRUE(recovery.exists());
    recovery.remove(); // a clean exit
    EXPECT_FALSE(recovery.exists());
}

TEST(ModelEditorRecovery, NextStartOffersTheFile)
{
    test::TempDir dir;
    const std::string folder = dir / "data";
    float movedY = 0;
    // An editor with an unsaved move goes away without a clean exit: the file stays.
    auto leaveFile = [&] {
        EditorFixture f;
        f.open("m.md4", twoLayers(), {"select", "0"});
        Recovery recovery(folder);
        f.editor.setRecovery(&recovery);
        f.editor.dispatch(617);
        movedY = f.object().position[1];
        ASSERT_TRUE(f.editor.writeRecovery());
    };
    struct Case {
        const char* answer;
        bool opened;
    };
    for (const Case c : {Case{"no", false}, Case{"yes", true}}) {
        leaveFile();
        EditorFixture next;
        Recovery recovery(folder);
        ASSERT_TRUE(recovery.exists()) << c.answer;
        next.answer({"ask", c.answer});
        if (c.opened) next.answer({"select", "0"});
        next.editor.setRecovery(&recovery);
        next.editor.offerRecovery(recovery);
        EXPECT_TRUE(next.dialogs.failure().empty()) << next.dialogs.failure();
        EXPECT_EQ(recovery.exists(), c.opened) << c.answer;
        EXPECT_EQ(next.editor.document.objects.count(), c.opened ? 1 : 0) << c.answer;
        if (c.opened) {
            EXPECT_EQ(int(next.object().position[1] / dt), int(movedY / dt)); // the same grid point
            EXPECT_TRUE(next.editor.state.filename.empty()); // unsaved: a name is asked for
            EXPECT_NE(next.editor.history().generation(), next.editor.savedGeneration());
        }
    }
    // Nothing left: no question.
    EditorFixture last;
    Recovery recovery(folder);
    recovery.remove();
    last.editor.offerRecovery(recovery);
    EXPECT_TRUE(last.dialogs.failure().empty()) << last.dialogs.failure();
}

TEST(ModelEditorExchange, ExportThenImportGivesAnUnsavedDocument)
{
    EditorFixture f;
    f.open("m.md4", twoLayers(), {"select", "0"});
    // Both keep the empty part "back" (a glTF node, an OBJ group with its place in the tree), so the part choice asks.
    for (const char* name : {"m.glb", "m.obj"}) {
        f.answer({"file", f.dir / name});
        f.editor.dispatch(id(Cmd::Export));
        EXPECT_TRUE(std::filesystem::exists(f.dir / name)) << name;
        f.answer({"file", f.dir / name});
        f.answer({"select", "0"});
        f.editor.dispatch(id(Cmd::Import));
        EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
        EXPECT_TRUE(f.editor.state.filename.empty()) << name;
        ASSERT_EQ(f.editor.document.objects.count(), 1) << name;
        // The part "back" has no colour, so its face is not drawn and not exported.
        EXPECT_EQ(f.object().rootPart->faces.count(), 4) << name;
        ASSERT_EQ(f.object().rootPart->children.count(), 1) << name;
        EXPECT_STREQ(f.object().rootPart->children[0]->name, "back") << name;
    }
    // A file that is not a model of another program: a message, the document stays.
    test::writeText(f.dir / "x.txt", "hello");
    f.answer({"file", f.dir / "x.txt"});
    f.answer({"message", "ファイル " + f.dir / "x.txt" + " をインポートできません"});
    f.editor.dispatch(id(Cmd::Import));
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    EXPECT_EQ(f.editor.document.objects.count(), 1);
}

namespace {

// A 2 x 2 PNG picture, top row red and green, bottom row blue and white.
const unsigned char squarePng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00, 0x12, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x0c, 0x81, 0x34, 0x18, 0x00, 0x00, 0x49, 0xc8,
    0x09, 0xf7, 0xf9, 0xab, 0xb6, 0x0d, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

} // namespace

TEST(ModelEditorExchange, ImportedTexturesAreWrittenBesideTheImportedFile)
{
    EditorFixture f;
    test::writeText(f.dir / "pic.png", std::string(reinterpret_cast<const char*>(squarePng), sizeof squarePng));
    test::writeText(f.dir / "sq.mtl", "newmtl skin\nKd 1 1 1\nmap_Kd pic.png\n");
    // A square of 20 units in the X-Y plane with the whole picture on it (OBJ's v counts up the picture).
    test::writeText(f.dir / "sq.obj", "mtllib sq.mtl\nv -10 -10 0\nv 10 -10 0\nv 10 10 0\nv -10 10 0\n"
                                      "vt 0 1\nvt 1 1\nvt 1 0\nvt 0 0\nusemtl skin\ng plate\nf 1/1 2/2 3/3 4/4\n");
    const std::string pattern = f.dir / "sq_0_0.bmp";

    // The pattern file cannot be written (a folder has its name): a message, and nothing changes.
    std::filesystem::create_directory(pattern);
    f.answer({"file", f.dir / "sq.obj"});
    f.answer({"message", "ファイル " + pattern + " に書き込めません"});
    EXPECT_FALSE(f.editor.dispatch(id(Cmd::Import)));
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    EXPECT_EQ(f.editor.document.objects.count(), 0);
    std::filesystem::remove(pattern);

    f.answer({"file", f.dir / "sq.obj"});
    f.editor.dispatch(id(Cmd::Import));
    EXPECT_TRUE(f.dialogs.failure().empty()) << f.dialogs.failure();
    ASSERT_EQ(f.editor.document.objects.count(), 1);
    ASSERT_TRUE(std::filesystem::is_regular_file(pattern));
    const ModelObject& o = f.object();
    ASSERT_EQ(o.textures.count(), 1);
    const Texture& t = o.textures[0];
    EXPECT_EQ(std::string(t.files[0]), pattern);
    EXPECT_EQ(t.plane, planeXY);
    EXPECT_EQ((std::vector<int>{t.x0, t.y0, t.x1, t.y1}), (std::vector<int>{-800, -800, 800, 800}));
    EXPECT_EQ(t.width, 2) << "the pattern file was read when the model was drawn";
    ASSERT_EQ(o.rootPart->faces.count(), 1);
    const Material& m = o.materials[o.rootPart->faces[0].material];
    EXPECT_EQ(m.texture, 0);
    // The bottom-left texel is opaque blue: the key, so the texture takes its colour.
    EXPECT_EQ((std::vector<int>{m.red, m.green, m.blue}), (std::vector<int>{0, 0, 255}));
}
