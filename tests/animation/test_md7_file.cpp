#include "animation/md7_file.h"
#include "animation/record_bytes.h"
#include "animation/scene_frames.h"
#include "anim_fixture.h"
#include "model/file_util.h"

#include <filesystem>

using namespace quillo;
using namespace quillo::anim;
using namespace quillo::anim::test;

namespace {

class Md7Test : public AnimFixture {
protected:
    std::string bytesOf(const std::string& path)
    {
        std::string bytes;
        readWholeFile(path, bytes);
        return bytes;
    }
    void touch(const std::string& path) { writeFileAtomically(path, "x"); }
    // A frame of R bytes: zoom, then a marker byte, then zeros.
    static std::string frameBytes(int r, char marker)
    {
        std::string f(size_t(r), '\0');
        f[0] = 1;
        f[1] = 1; // zoom 257
        f[20] = marker;
        return f;
    }
};

} // namespace

TEST_F(Md7Test, ADocumentWithoutTablesIsTheBamenBlockAlone)
{
    ASSERT_TRUE(writeAnimation(doc, dir / "empty.md7"));
    EXPECT_EQ(bytesOf(dir / "empty.md7"), "BAMEN\n1\n第一幕\nOBJCT\n0\ndata\n0\n");
}

TEST_F(Md7Test, AllBlocksRoundTripByteForByte)
{
    const std::string text = "SERIF\n3\nこんにちは\n全角\u3000空白\n"
                             "MUSIC\n3\ntheme.mid\n/elsewhere/bang.wav\n"
                             "HAIKEI\n2\nsky.bmp\n"
                             "BAMEN\n2\n場面一\nOBJCT\n1\nrobot.md4\ndata\n2\n" +
                             frameBytes(132, 'a') + frameBytes(132, 'b') +
                             "場面二\nOBJCT\n2\nrobot.md4\npair.md4\ndata\n1\n" + frameBytes(288, 'c');
    // The second scene: robot (T 3, 2 joints), then pair's objects (T 0, no
    // joint; T 6, 1 joint): R = 40 + 72 + (20 + 48) + (20 + 24) + (28 + 36).
    writeFileAtomically(dir / "all.md7", text);
    ASSERT_EQ(readAnimation(doc, dir / "all.md7"), Md7Status::ok) << (log.messages.empty() ? "" : log.messages[0]);
    EXPECT_EQ(doc.dialogue.size(), 3u);
    EXPECT_EQ(doc.dialogue[2], "全角\u3000空白");
    ASSERT_EQ(doc.music.count(), 3);
    EXPECT_EQ(doc.music.entry(1).path, dir / "theme.mid");
    EXPECT_FALSE(doc.music.entry(1).wave);
    EXPECT_TRUE(doc.music.entry(2).wave);
    EXPECT_EQ(doc.backgrounds[1], dir / "sky.bmp");
    ASSERT_EQ(doc.scenes.size(), 2u);
    EXPECT_EQ(doc.currentScene, doc.scenes[0].get());
    EXPECT_EQ(doc.scenes[0]->frames.count(), 2);
    EXPECT_EQ(doc.scenes[1]->name, "場面二");
    EXPECT_EQ(doc.models.count(), 2); // robot is shared by both scenes
    EXPECT_EQ(camera.zoomValue, 257); // frame 0 of the first scene was applied
    EXPECT_EQ(doc.path, dir / "all.md7");
    ASSERT_TRUE(writeAnimation(doc, dir / "again.md7"));
    EXPECT_EQ(bytesOf(dir / "again.md7"), text);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(Md7Test, SerifWithCountOneReadsAsAnEmptyTable)
{
    writeFileAtomically(dir / "s.md7", "SERIF\n1\nBAMEN\n1\na\nOBJCT\n0\ndata\n0\n");
    ASSERT_EQ(readAnimation(doc, dir / "s.md7"), Md7Status::ok);
    EXPECT_EQ(doc.dialogue.size(), 1u);
    EXPECT_EQ(doc.currentDialogue, -1);
    ASSERT_TRUE(writeAnimation(doc, dir / "t.md7"));
    EXPECT_EQ(bytesOf(dir / "t.md7"), "BAMEN\n1\na\nOBJCT\n0\ndata\n0\n");
}

TEST_F(Md7Test, ASceneWithoutModelsKeepsItsFrameCount)
{
    const std::string text = "BAMEN\n2\n空\nOBJCT\n0\ndata\n5\nB\nOBJCT\n1\nrobot.md4\ndata\n0\n";
    writeFileAtomically(dir / "e.md7", text);
    ASSERT_EQ(readAnimation(doc, dir / "e.md7"), Md7Status::ok);
    EXPECT_EQ(doc.scenes[0]->frames.count(), 5);
    EXPECT_EQ(doc.scenes[0]->recordSize(), 0);
    ASSERT_TRUE(writeAnimation(doc, dir / "e2.md7"));
    EXPECT_EQ(bytesOf(dir / "e2.md7"), text);
}

TEST_F(Md7Test, MusicFollowsTheAddSoundRule)
{
    writeFileAtomically(dir / "m.md7", "MUSIC\n4\ntheme.mid\nnodot\ntheme.mid\nBAMEN\n0\n");
    ASSERT_EQ(readAnimation(doc, dir / "m.md7"), Md7Status::ok);
    EXPECT_EQ(doc.music.count(), 2); // no entry without ".", no second entry for an equal path
    EXPECT_EQ(sound.take(), (std::vector<std::string>{"open " + dir / "theme.mid"}));
}

TEST_F(Md7Test, ModelsInTheFilesFolderAreWrittenBareAndTheFolderCanMove)
{
    loader.checkFiles = true;
    std::filesystem::create_directories(dir / "a");
    touch(dir / "a/robot.md4");
    touch(dir / "shared.md4");
    loader.shapes["shared.md4"] = {{0, 0}};
    ASSERT_TRUE(doc.findOrLoadModel(dir / "a/robot.md4"));
    ASSERT_TRUE(doc.findOrLoadModel(dir / "shared.md4"));
    doc.music.add(dir / "a/theme.mid");
    ASSERT_TRUE(writeAnimation(doc, dir / "a/anim.md7"));
    const std::string written = bytesOf(dir / "a/anim.md7");
    EXPECT_NE(written.find("MUSIC\n2\ntheme.mid\n"), std::string::npos);
    EXPECT_NE(written.find("OBJCT\n2\nrobot.md4\n" + dir / "shared.md4\n"), std::string::npos);

    std::filesystem::rename(dir / "a", dir / "b");
    ASSERT_EQ(readAnimation(doc, dir / "b/anim.md7"), Md7Status::ok);
    EXPECT_EQ(doc.current().modelPaths[0], dir / "b/robot.md4");
    EXPECT_EQ(doc.music.entry(1).path, dir / "b/theme.mid");
}

TEST_F(Md7Test, AWindowsPathFallsBackToItsFileNameBesideTheAnimation)
{
    loader.checkFiles = true;
    touch(dir / "robot.md4");
    writeFileAtomically(dir / "w.md7", "BAMEN\n1\nw\nOBJCT\n1\nC:\\anime\\robot.md4\ndata\n0\n");
    ASSERT_EQ(readAnimation(doc, dir / "w.md7"), Md7Status::ok);
    EXPECT_EQ(doc.current().modelPaths[0], dir / "robot.md4");
}

TEST_F(Md7Test, AMissingModelStopsTheReadAndTheFileNameIsForgotten)
{
    const std::string text = "BAMEN\n2\none\nOBJCT\n1\nrobot.md4\ndata\n1\n" + frameBytes(132, 'a') +
                             "two\nOBJCT\n2\nrobot.md4\nlost.md4\ndata\n1\n" + frameBytes(300, 'b');
    writeFileAtomically(dir / "lost.md7", text);
    EXPECT_EQ(readAnimation(doc, dir / "lost.md7"), Md7Status::missingModel);
    EXPECT_EQ(log.messages, (std::vector<std::string>{"モデル:" + dir / "lost.md4" + " が見つかりません"}));
    ASSERT_EQ(doc.scenes.size(), 2u);
    EXPECT_EQ(doc.scenes[0]->frames.count(), 1);
    EXPECT_EQ(doc.scenes[1]->frames.count(), 0);
    EXPECT_EQ(doc.path, "");
    EXPECT_EQ(bytesOf(dir / "lost.md7"), text);
}

struct DamageCase {
    const char* what;
    std::string text;
    int scenes, framesOfFirst;
};

TEST_F(Md7Test, DamagedFilesKeepOnlyWholeRecords)
{
    const DamageCase cases[] = {
        {"frames cut short", "BAMEN\n1\na\nOBJCT\n1\nrobot.md4\ndata\n3\n" + frameBytes(132, 'a') + "xyz", 1, 1},
        {"a huge frame count", "BAMEN\n1\na\nOBJCT\n1\nrobot.md4\ndata\n2147483647\n" + frameBytes(132, 'a'), 1, 1},
        {"a negative frame count", "BAMEN\n1\na\nOBJCT\n1\nrobot.md4\ndata\n-2\n", 1, 0},
        {"a scene count beyond the file", "BAMEN\n99999\na\nOBJCT\n0\ndata\n0\n", 1, 0},
        {"a serif count beyond the file", "SERIF\n2000000000\nhi\n", 1, 0},
        {"a model count that is no number", "BAMEN\n1\na\nOBJCT\nmany\n", 1, 0},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.what);
        log.messages.clear();
        writeFileAtomically(dir / "d.md7", c.text);
        EXPECT_EQ(readAnimation(doc, dir / "d.md7"), Md7Status::damaged);
        EXPECT_EQ(log.messages, (std::vector<std::string>{"ファイル " + dir / "d.md7" + " が読み込めません"}));
        EXPECT_EQ(int(doc.scenes.size()), c.scenes);
        EXPECT_EQ(doc.scenes[0]->frames.count(), c.framesOfFirst);
        EXPECT_EQ(doc.path, "");
    }
}

TEST_F(Md7Test, AnUnreadableFileLeavesTheDocumentAlone)
{
    ASSERT_TRUE(doc.findOrLoadModel("robot.md4"));
    doc.addDialogue("残る");
    EXPECT_EQ(readAnimation(doc, dir / "none.md7"), Md7Status::cannotOpen);
    EXPECT_EQ(doc.dialogue.size(), 2u);
    EXPECT_EQ(doc.current().models.size(), 1u);
    EXPECT_EQ(log.messages.size(), 1u);
}

TEST_F(Md7Test, TheWriterRefusesWhatWouldNotReadBackAndLeavesTheFile)
{
    writeFileAtomically(dir / "keep.md7", "old");
    doc.current().name = "two words";
    EXPECT_FALSE(writeAnimation(doc, dir / "keep.md7"));
    EXPECT_EQ(log.messages, (std::vector<std::string>{"「two words」は空か空白を含むため保存できません"}));
    doc.current().name = "ok";
    doc.backgrounds.push_back("/some where/sky.bmp");
    EXPECT_FALSE(writeAnimation(doc, dir / "keep.md7"));
    EXPECT_EQ(bytesOf(dir / "keep.md7"), "old");
    doc.backgrounds.pop_back();
    EXPECT_FALSE(writeAnimation(doc, dir / "no-folder/x.md7"));
    EXPECT_EQ(log.messages.back(), "ファイル " + dir / "no-folder/x.md7" + " に書き込めません");
}

TEST_F(Md7Test, LongNamesAndLinesAreCutAtACharacterBoundary)
{
    std::string name, line;
    for (int i = 0; i < 30; ++i) name += "名"; // 90 bytes
    for (int i = 0; i < 31; ++i) line += "台"; // 93 bytes
    writeFileAtomically(dir / "l.md7", "SERIF\n2\n" + line + "\nBAMEN\n1\n" + name + "\nOBJCT\n0\ndata\n0\n");
    ASSERT_EQ(readAnimation(doc, dir / "l.md7"), Md7Status::ok);
    EXPECT_EQ(doc.current().name.size(), 78u);
    EXPECT_EQ(doc.dialogue[1].size(), 87u);
}
