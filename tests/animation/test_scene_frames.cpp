#include "animation/motion_frames.h"
#include "animation/record_bytes.h"
#include "animation/scene_frames.h"
#include "anim_fixture.h"

#include <cstring>

using namespace quillo;
using namespace quillo::anim;
using namespace quillo::anim::test;

namespace {

class SceneFramesTest : public AnimFixture {
protected:
    void SetUp() override { ASSERT_TRUE(doc.findOrLoadModel("robot.md4")); }
    // Poses everything from one number and records frame i.
    void recordAt(int i, float v, int zoom = 256)
    {
        camera.zoomValue = zoom;
        camera.node.values = {0, 0, -175 + v, 0, 0, 0};
        object(0).place.values = {v, 0, 0, 0, 0, 0};
        object(0).part(0).values = {0, v, 0, 0, 0, 0};
        object(0).part(1).values = {0, 0, v};
        object(0).part(2).values = {v, 0, 0};
        object(0).patterns = {int(v) & 63, 2, 3};
        doc.current().frameIndex = i;
        ASSERT_TRUE(recordSceneFrame(doc));
    }
    const unsigned char* frame(int i) { return doc.current().frames.at(i); }
    static constexpr int kCamera = 20; // header: 16 + one pattern word
    static constexpr int kPlacement = kCamera + 24;
    static constexpr int kRoot = kPlacement + 24;
};

} // namespace

TEST_F(SceneFramesTest, RecordWritesHeaderPatternsAndPosesWithAZeroTail)
{
    doc.currentDialogue = 2;
    doc.currentBackground = 1;
    recordAt(0, 5.0f, 300);
    const unsigned char* f = frame(0);
    EXPECT_EQ(getInt(f), 300);
    EXPECT_EQ(getInt(f + 4), 2);
    EXPECT_EQ(getInt(f + 8), 1);
    EXPECT_EQ(getInt(f + 12), 0);
    EXPECT_EQ(getWord(f + 16), 5u | 2u << 6 | 3u << 12);
    EXPECT_EQ(getFloat(f + kCamera + 8), -170.0f);
    EXPECT_EQ(getFloat(f + kPlacement), 5.0f);
    EXPECT_EQ(getFloat(f + kRoot + 4), 5.0f);
    EXPECT_EQ(getFloat(f + kRoot + 24 + 8), 5.0f);
    EXPECT_EQ(getFloat(f + kRoot + 36), 5.0f);
    for (int k = 116; k < 132; ++k) EXPECT_EQ(f[k], 0) << k;
}

TEST_F(SceneFramesTest, ApplyRestoresEverythingAndSkipsZeroZoom)
{
    doc.addDialogue("やあ");
    doc.addBackground("sky.bmp");
    doc.music.add("theme.mid");
    doc.currentDialogue = 1;
    doc.currentBackground = 1;
    doc.music.select(1);
    recordAt(0, 4.0f, 0);
    recordAt(1, 8.0f, 512);
    sound.take();
    doc.current().frameIndex = 0;
    ASSERT_TRUE(applySceneFrame(doc));
    EXPECT_EQ(camera.zoomValue, 512); // zoom 0 leaves the zoom alone
    EXPECT_EQ(object(0).patterns, (std::vector<int>{4, 2, 3}));
    EXPECT_EQ(object(0).place.values[0], 4.0f);
    EXPECT_EQ(object(0).part(2).values[0], 4.0f);
    EXPECT_TRUE(sound.take().empty()); // the music already plays
    EXPECT_TRUE(view.lines.empty());

    // Entry 0 blanks the line and background and stops the music.
    std::memset(doc.current().frames.at(1) + 4, 0, 12);
    doc.current().frameIndex = 1;
    applySceneFrame(doc);
    EXPECT_EQ(view.lines, (std::vector<std::string>{""}));
    EXPECT_EQ(view.backgrounds, (std::vector<std::string>{""}));
    EXPECT_EQ(sound.take(), (std::vector<std::string>{"stop 1", "rewind 1"}));
    // Out-of-table dialogue and background indices are ignored.
    putInt(doc.current().frames.at(1) + 4, 7);
    putInt(doc.current().frames.at(1) + 8, -1);
    applySceneFrame(doc);
    EXPECT_EQ(doc.currentDialogue, 0);
    EXPECT_EQ(doc.currentBackground, 0);
}

TEST_F(SceneFramesTest, StepsAroundTheEndAndPreviews)
{
    recordAt(0, 1.0f);
    recordAt(1, 2.0f);
    doc.current().frameIndex = 1;
    nextSceneFrame(doc);
    EXPECT_EQ(doc.current().frameIndex, 2); // after the end: nothing applied
    EXPECT_EQ(object(0).place.values[0], 2.0f);
    nextSceneFrame(doc);
    EXPECT_EQ(doc.current().frameIndex, 2);
    previousSceneFrame(doc);
    EXPECT_EQ(doc.current().frameIndex, 1);
    previewSceneFrame(doc, -1);
    EXPECT_EQ(doc.current().frameIndex, 1);
    EXPECT_EQ(object(0).place.values[0], 1.0f);
    previewSceneFrame(doc, +1); // no frame 2
    EXPECT_EQ(object(0).place.values[0], 1.0f);
    deleteSceneFrame(doc);
    EXPECT_EQ(doc.current().frames.count(), 1);
    EXPECT_EQ(doc.current().frameIndex, 1);
}

TEST_F(SceneFramesTest, NextFrameStepsTheSelectedObjectsMotion)
{
    MotionList motions;
    createMotion(motions, object(0), "歩く");
    doc.selectedObject = &object(0);
    recordAt(0, 1.0f); // records motion frame 0 too
    object(0).motionFrameIndex = 1;
    recordAt(1, 2.0f);
    ASSERT_EQ(object(0).currentMotion->frames.count(), 2);
    doc.current().frameIndex = 0;
    object(0).motionFrameIndex = 0;
    nextSceneFrame(doc);
    EXPECT_EQ(object(0).motionFrameIndex, 1);
    nextSceneFrame(doc);
    EXPECT_EQ(object(0).motionFrameIndex, 2);
    nextSceneFrame(doc); // did not move: the motion stays
    EXPECT_EQ(object(0).motionFrameIndex, 2);
}

struct ZoomCase {
    int a, b, mean;
};

TEST_F(SceneFramesTest, InbetweenZoomIsTheTruncatedMean)
{
    const ZoomCase cases[] = {{256, 511, 383}, {256, 512, 384}, {-3, 0, -1}, {2147483647, 2147483647, 2147483647}};
    for (const ZoomCase& c : cases) {
        doc.current().frames.reset(doc.current().recordSize());
        recordAt(0, 0.0f, c.a);
        recordAt(1, 0.0f, c.b);
        doc.current().frameIndex = 0;
        ASSERT_TRUE(inbetweenSceneFrame(doc));
        EXPECT_EQ(getInt(frame(1)), c.mean) << c.a << " " << c.b;
    }
}

TEST_F(SceneFramesTest, InbetweenTakesTheHeaderFromAAndBlendsEveryPose)
{
    doc.currentDialogue = 1;
    recordAt(0, 0.0f);
    doc.currentDialogue = 2;
    recordAt(1, 4.0f);
    object(0).place.values = {9, 9, 9, 0, 0, 0};
    doc.current().frameIndex = 0;
    ASSERT_TRUE(inbetweenSceneFrame(doc));
    EXPECT_EQ(doc.current().frameIndex, 0);
    EXPECT_EQ(object(0).place.values[0], 9.0f); // nothing applied
    ASSERT_EQ(doc.current().frames.count(), 3);
    const unsigned char* mid = frame(1);
    EXPECT_EQ(getInt(mid + 4), 1);
    EXPECT_EQ(getWord(mid + 16), getWord(frame(0) + 16));
    EXPECT_EQ(getFloat(mid + kCamera + 8), -173.0f);
    EXPECT_EQ(getFloat(mid + kPlacement), 2.0f);
    EXPECT_EQ(getFloat(mid + kRoot + 4), 2.0f);
    // Joint 1 turned 0 and 4: they meet the short way round, at 2 - pi.
    EXPECT_NEAR(getFloat(mid + kRoot + 24 + 8), 2.0 - 3.14159265358979, 1e-6);
    EXPECT_EQ(std::memcmp(mid + 116, frame(0) + 116, 16), 0); // the tail stays zero
}

TEST_F(SceneFramesTest, RepeatedInbetweenHalvesTheRemainingGap)
{
    recordAt(0, 0.0f);
    recordAt(1, 8.0f);
    doc.current().frameIndex = 0;
    for (float expected : {4.0f, 2.0f, 1.0f, 0.5f}) {
        ASSERT_TRUE(inbetweenSceneFrame(doc));
        EXPECT_EQ(getFloat(frame(1) + kPlacement), expected);
    }
    EXPECT_EQ(doc.current().frames.count(), 6);
    EXPECT_EQ(getFloat(frame(5) + kPlacement), 8.0f);
}

TEST_F(SceneFramesTest, EqualPosesInbetweenToAnIdenticalFrame)
{
    // (Elevations beyond a quarter turn come back as the equivalent
    // direction, so equal poses stay equal for elevations within it.)
    recordAt(0, 1.0f);
    object(0).part(1).values = {0.3f, -0.2f, 1.1f};
    doc.current().frameIndex = 0;
    ASSERT_TRUE(recordSceneFrame(doc));
    doc.current().frameIndex = 1;
    ASSERT_TRUE(recordSceneFrame(doc));
    doc.current().frameIndex = 0;
    ASSERT_TRUE(inbetweenSceneFrame(doc));
    for (int k = 0; k < 132; ++k) EXPECT_EQ(frame(0)[k], frame(1)[k]) << k;
}

TEST_F(SceneFramesTest, InbetweenAtTheLastFrameDoesNothing)
{
    recordAt(0, 0.0f);
    doc.current().frameIndex = 0;
    EXPECT_FALSE(inbetweenSceneFrame(doc));
    doc.current().frameIndex = -1;
    EXPECT_FALSE(inbetweenSceneFrame(doc));
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(SceneFramesTest, ClipboardCopyAndPaste)
{
    std::vector<unsigned char> clipboard(size_t(doc.current().recordSize()));
    recordAt(0, 6.0f);
    ASSERT_TRUE(recordSceneFrame(doc, clipboard.data()));
    EXPECT_EQ(doc.current().frames.count(), 1);
    object(0).place.values[0] = 0;
    ASSERT_TRUE(applySceneFrame(doc, clipboard.data()));
    EXPECT_EQ(object(0).place.values[0], 6.0f);
}

TEST(SceneFramesWithoutModel, EveryOperationIsRefused)
{
    MessageLog log;
    FakeLoader loader;
    RecordingSoundDevice sound;
    AnimationDocument doc(loader, sound);
    EXPECT_FALSE(recordSceneFrame(doc));
    EXPECT_EQ(log.messages, (std::vector<std::string>{"場面にモデルがありません"}));
    doc.current().frames.appendAll(nullptr, 3); // as read from a file
    nextSceneFrame(doc);
    EXPECT_EQ(doc.current().frameIndex, 0);
    EXPECT_FALSE(inbetweenSceneFrame(doc));
    deleteSceneFrame(doc);
    EXPECT_EQ(doc.current().frames.count(), 3);
    EXPECT_FALSE(applySceneFrame(doc));
}
