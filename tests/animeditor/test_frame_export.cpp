// Image sequences, playback steps and file patterns.
#include <gtest/gtest.h>

#include <algorithm>

#include "anime_editor_fixture.h"
#include "animation/md7_file.h"
#include "animeditor/anime_script.h"
#include "animeditor/frame_export.h"

namespace quillo::animeditor::test {
namespace {

uint64_t checksum(const engine3d::Target& t)
{
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : t.pixels) h = (h ^ (p & 0xFFFFFFu)) * 1099511628211ull;
    return h;
}

// The checksums of every picture of scene 2 of the example, in a fresh editor.
std::vector<uint64_t> sceneChecksums()
{
    ScriptedAnimeDialogs dialogs;
    anim::RecordingSoundDevice sound;
    AnimeEditor editor(dialogs, sound, smallEngine());
    EXPECT_EQ(anim::readAnimation(editor.document(), example("robot_show.md7")), anim::Md7Status::ok);
    std::vector<uint64_t> sums;
    std::string why;
    EXPECT_TRUE(exportSceneFrames(editor, 1, 0, -1, [&](int n, std::string&) {
        EXPECT_EQ(n, int(sums.size()));
        sums.push_back(checksum(editor.layer().device().target()));
        return true;
    }, why)) << why;
    return sums;
}

TEST(FrameExport, TheSameFramesGiveTheSamePictures)
{
    const std::vector<uint64_t> first = sceneChecksums();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(sceneChecksums(), first);
    EXPECT_NE(first[0], first[1]); // the dice rolls
}

TEST_F(AnimeEditorTest, ExportRangesAreChecked)
{
    openShow();
    std::string why;
    int written = 0;
    auto count = [&](int, std::string&) { return ++written, true; };
    EXPECT_FALSE(exportSceneFrames(editor, 5, 0, -1, count, why));
    EXPECT_EQ(why, "there is no scene 6 (the animation has 2)");
    EXPECT_FALSE(exportSceneFrames(editor, 0, 2, 9, count, why));
    EXPECT_EQ(why, "the scene has frames 0 to 3");
    EXPECT_FALSE(exportSceneFrames(editor, 0, 3, 2, count, why));
    EXPECT_EQ(written, 0);
    editor.document().current().frameIndex = 2;
    EXPECT_TRUE(exportSceneFrames(editor, 0, 1, 3, count, why));
    EXPECT_EQ(written, 3);
    EXPECT_EQ(editor.document().current().frameIndex, 2); // put back
    // A writer that fails stops the export.
    written = 0;
    EXPECT_FALSE(exportSceneFrames(editor, 0, 0, -1, [&](int, std::string& w) { return w = "full", ++written < 2; }, why));
    EXPECT_EQ(written, 2);
    EXPECT_EQ(why, "full");
}

TEST_F(AnimeEditorTest, PlaybackRunsThroughEveryScene)
{
    openShow();
    std::vector<std::pair<int, int>> steps;
    std::string why;
    EXPECT_TRUE(exportPlayback(editor, 8, [&](int, std::string&) {
        steps.emplace_back(editor.sceneIndex(), editor.document().current().frameIndex);
        return true;
    }, why));
    const std::vector<std::pair<int, int>> expected{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {0, 0}};
    EXPECT_EQ(steps, expected);
}

TEST_F(AnimeEditorTest, PlayingStartsFromTheFirstSceneAndStoppingPutsTheSceneBack)
{
    openShow();
    answer({"select", "1"});
    answer({"select", "0"});
    answer({"select", "0"});
    run(Cmd::ChooseScene);
    ASSERT_EQ(editor.sceneIndex(), 1);
    run(Cmd::Play);
    EXPECT_TRUE(editor.playing());
    EXPECT_EQ(editor.playStep().scene, 0);
    sound.take();
    run(Cmd::Play);
    EXPECT_FALSE(editor.playing());
    EXPECT_EQ(editor.sceneIndex(), 1);
    const std::vector<std::string> calls = sound.take(); // the music was stopped
    EXPECT_NE(std::find(calls.begin(), calls.end(), "stop 1"), calls.end());
}

TEST(PlaybackClock, StepsDueNeverSkipTheSequence)
{
    const struct {
        int64_t elapsed, done;
        int64_t due;
    } rows[] = {{0, 0, 1}, {11, 1, 0}, {12, 1, 1}, {60, 2, 4}, {120, 11, 0}, {-5, 0, 0}};
    for (const auto& r : rows) EXPECT_EQ(stepsDue(r.elapsed, r.done, playbackInterval), r.due) << r.elapsed;
}

TEST(NumberedPath, OneNumberInThePattern)
{
    const struct {
        const char* pattern;
        int n;
        const char* path; // null: refused
    } rows[] = {{"out/frame%04d.png", 7, "out/frame0007.png"}, {"f%d.png", 12, "f12.png"},
                {"100%%_%03d.png", 5, "100%_005.png"},       {"plain.png", 0, nullptr},
                {"%d_%d.png", 0, nullptr},                   {"%s.png", 0, nullptr},
                {"%0999d.png", 0, nullptr}};
    for (const auto& r : rows) {
        std::string path;
        EXPECT_EQ(numberedPath(r.pattern, r.n, path), r.path != nullptr) << r.pattern;
        if (r.path) {
            EXPECT_EQ(path, r.path);
        }
    }
}

} // namespace
} // namespace quillo::animeditor::test
