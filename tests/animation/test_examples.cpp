// The example motion and animation (scripts/make_anim_examples.py) read with
// the real example models.
#include "animation/animation_document.h"
#include "animation/md4_pose_model.h"
#include "animation/md6_file.h"
#include "animation/md7_file.h"
#include "animation/motion_frames.h"
#include "animation/scene_frames.h"
#include "model/file_util.h"
#include "model/messages.h"
#include "animation/recording_sound_device.h"
#include "support/temp_dir.h"

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

using namespace quillo;
using namespace quillo::anim;

namespace {

const std::string examples = std::string(QUILLO_SOURCE_DIR) + "/examples/";

class ExamplesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* f : {"robot.md4", "dice.md4", "dice_1.bmp", "dice_2.bmp", "dice_3.bmp", "anim_kick.wav",
                              "anim_scale.mid", "robot_show.md7", "robot_walk.md6"})
            std::filesystem::copy_file(examples + f, dir / f);
    }
    std::string bytesOf(const std::string& path)
    {
        std::string bytes;
        readWholeFile(path, bytes);
        return bytes;
    }
    MessageLog log;
    quillo::test::TempDir dir;
    Md4PoseLoader loader;
    RecordingSoundDevice sound;
    AnimationDocument doc{loader, sound};
};

} // namespace

TEST_F(ExamplesTest, TheAnimationReadsWithTheLayoutOfItsModels)
{
    ASSERT_EQ(readAnimation(doc, dir / "robot_show.md7"), Md7Status::ok);
    ASSERT_EQ(doc.scenes.size(), 2u);
    EXPECT_EQ(doc.models.count(), 2); // the robot is shared by both scenes
    const Scene& walk = *doc.scenes[0];
    EXPECT_EQ(walk.objects.size(), 2u); // the robot and the hat nested in its head
    EXPECT_EQ(walk.recordSize(), 228);
    EXPECT_EQ(walk.usedBytes(), 196);
    EXPECT_EQ(walk.frames.count(), 4);
    const Scene& roll = *doc.scenes[1];
    EXPECT_EQ(roll.recordSize(), 296);
    EXPECT_EQ(roll.headerSize(), 20);
    EXPECT_EQ(roll.objects[2]->textureCount(), 1);
    EXPECT_EQ(doc.music.count(), 3);
    EXPECT_EQ(sound.take(), (std::vector<std::string>{"open " + dir / "anim_scale.mid", "open " + dir / "anim_kick.wav",
                                                      "play 1"})); // frame 0 of the first scene starts the music
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(ExamplesTest, AppliedFramesPoseTheModelsParts)
{
    ASSERT_EQ(readAnimation(doc, dir / "robot_show.md7"), Md7Status::ok);
    doc.currentScene = doc.scenes[1].get();
    doc.current().frameIndex = 2;
    ASSERT_TRUE(applySceneFrame(doc));
    AnimObject& dice = *doc.current().objects[2];
    EXPECT_EQ(dice.currentPattern(0), 2);
    unsigned char pose[24];
    dice.node(0).storePose(pose);
    float b;
    std::memcpy(&b, pose + 16, 4);
    EXPECT_EQ(b, 1.4f);
}

TEST_F(ExamplesTest, ReadingAndWritingGiveTheSameBytes)
{
    ASSERT_EQ(readAnimation(doc, dir / "robot_show.md7"), Md7Status::ok);
    ASSERT_TRUE(writeAnimation(doc, dir / "copy.md7"));
    EXPECT_EQ(bytesOf(dir / "copy.md7"), bytesOf(dir / "robot_show.md7"));
}

TEST_F(ExamplesTest, TheMotionFitsTheRobotAndDrivesIt)
{
    Motion walk;
    ASSERT_EQ(readMotion(dir / "robot_walk.md6", walk), ReadStatus::ok);
    std::unique_ptr<AnimModel> robot = loader.load(dir / "robot.md4");
    std::unique_ptr<AnimModel> dice = loader.load(dir / "dice.md4");
    ASSERT_TRUE(robot && dice);
    EXPECT_EQ(motionRecordSize(robot->object(0)), walk.frames.recordSize());
    AnimObject& body = robot->object(0);
    body.currentMotion = &walk;
    body.motionFrameIndex = 2;
    ASSERT_TRUE(applyMotionFrame(body));
    ASSERT_TRUE(inbetweenMotion(body));
    EXPECT_EQ(walk.frames.count(), 9);
    dice->object(0).currentMotion = &walk;
    EXPECT_FALSE(applyMotionFrame(dice->object(0)));
    EXPECT_EQ(log.messages, (std::vector<std::string>{"動作 歩く はこの物体には使えません"}));
}
