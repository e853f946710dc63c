#include "animation/playback.h"
#include "animation/record_bytes.h"
#include "animation/scene_frames.h"
#include "anim_fixture.h"

using namespace quillo::anim;
using namespace quillo::anim::test;

namespace {

std::vector<std::pair<int, int>> play(const std::vector<int>& counts, int steps)
{
    PlaybackSequencer sequencer;
    std::vector<std::pair<int, int>> shown;
    for (int i = 0; i < steps; ++i) {
        const PlaybackStep s = sequencer.advance(int(counts.size()), [&](int p) { return counts[size_t(p)]; });
        shown.emplace_back(s.scene, s.frame);
    }
    return shown;
}

using Order = std::vector<std::pair<int, int>>;

} // namespace

TEST(Playback, ScenesOfThreeAndTwoFramesLoop)
{
    EXPECT_EQ(play({3, 2}, 7), (Order{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {0, 0}, {0, 1}}));
}

TEST(Playback, AnEmptySceneTakesOneStepAndIsPassed)
{
    EXPECT_EQ(play({1, 0, 2}, 6), (Order{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {0, 0}, {1, 0}}));
    EXPECT_EQ(play({2}, 5), (Order{{0, 0}, {0, 1}, {0, 0}, {0, 1}, {0, 0}}));
}

TEST(Playback, SceneChangesAreReportedOnce)
{
    PlaybackSequencer sequencer;
    const std::vector<int> counts{2, 1};
    std::vector<bool> changed;
    for (int i = 0; i < 5; ++i)
        changed.push_back(sequencer.advance(2, [&](int p) { return counts[size_t(p)]; }).sceneChanged);
    EXPECT_EQ(changed, (std::vector<bool>{true, false, true, true, false}));
    sequencer.restart();
    EXPECT_TRUE(sequencer.advance(2, [&](int p) { return counts[size_t(p)]; }).sceneChanged);
}

class PlaybackDocTest : public AnimFixture {
protected:
    // Appends a scene with the robot and `count` frames of zoom base + k.
    void addScene(int count, int zoomBase, int line)
    {
        if (!doc.current().models.empty()) doc.addScene("次");
        ASSERT_TRUE(doc.findOrLoadModel("robot.md4"));
        for (int f = 0; f < count; ++f) {
            camera.zoomValue = zoomBase + f;
            doc.currentDialogue = line;
            doc.current().frameIndex = f;
            recordSceneFrame(doc);
        }
    }
};

TEST_F(PlaybackDocTest, StepsApplyFramesAcrossScenesAndBlankTheLine)
{
    doc.addDialogue("一");
    addScene(3, 100, 1);
    addScene(2, 200, 0);
    doc.currentScene = doc.scenes[0].get();
    doc.currentDialogue = 0;
    PlaybackSequencer sequencer;
    std::vector<int> zooms;
    for (int i = 0; i < 6; ++i) {
        playbackStep(doc, sequencer);
        zooms.push_back(camera.zoomValue);
    }
    EXPECT_EQ(zooms, (std::vector<int>{100, 101, 102, 200, 201, 100}));
    EXPECT_EQ(doc.currentScene, doc.scenes[0].get());
    EXPECT_EQ(doc.current().frameIndex, 0);
    // Line 1 shown in scene 1, blanked on entering scene 2, shown again.
    EXPECT_EQ(view.lines, (std::vector<std::string>{"一", "", "一"}));
}
