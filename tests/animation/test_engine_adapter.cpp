// The animation data over the real engine: models loaded into the engine's
// table, frames posing its OBJCTs, PARTs, JOINTs and camera.
#include "animation/animation_document.h"
#include "animation/engine_adapter.h"
#include "animation/md7_file.h"
#include "animation/record_bytes.h"
#include "animation/scene_frames.h"
#include "engine3d/engine_fixture.h"
#include "engine3d/objct.h"
#include "animation/recording_sound_device.h"

#include <cstring>
#include <filesystem>

using namespace quillo;
using namespace quillo::anim;

namespace {

const std::string examples = std::string(QUILLO_SOURCE_DIR) + "/examples/";

class EngineAdapterTest : public engine3d::test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* f : {"robot.md4", "dice.md4", "dice_1.bmp", "dice_2.bmp", "dice_3.bmp", "anim_kick.wav",
                              "anim_scale.mid", "robot_show.md7"})
            std::filesystem::copy_file(examples + f, dir / f);
        loader = std::make_unique<EngineModelLoader>(*table, *layer);
        doc = std::make_unique<AnimationDocument>(*loader, sound);
        engineCamera = std::make_unique<EngineCamera>(*camera, *layer);
        doc->camera = engineCamera.get();
    }
    void TearDown() override
    {
        doc.reset();
        engineCamera.reset();
        loader.reset();
    }
    engine3d::OBJCT& engineObject(int i)
    {
        return static_cast<EngineObject*>(doc->current().objects[size_t(i)])->object();
    }

    anim::RecordingSoundDevice sound;
    std::unique_ptr<EngineModelLoader> loader;
    std::unique_ptr<AnimationDocument> doc;
    std::unique_ptr<EngineCamera> engineCamera;
};

} // namespace

TEST_F(EngineAdapterTest, TheExampleReadsWithTheEnginesModelsAndPosesThem)
{
    ASSERT_EQ(readAnimation(*doc, dir / "robot_show.md7"), Md7Status::ok);
    EXPECT_EQ(table->count(), 2);
    EXPECT_EQ(doc->scenes[0]->recordSize(), 228);
    EXPECT_EQ(doc->scenes[1]->recordSize(), 296);
    doc->currentScene = doc->scenes[1].get();
    doc->current().frameIndex = 2;
    ASSERT_TRUE(applySceneFrame(*doc));
    EXPECT_EQ(camera->zoom, 384);
    engine3d::OBJCT& dice = engineObject(2);
    EXPECT_EQ(dice.position[0], 10.0f);
    EXPECT_EQ(dice.angles[0], 1.0f);
    EXPECT_EQ(dice.partList[0]->angles[1], 1.4f);
    EXPECT_EQ(dice.textures[0].currentPattern, 2);
    engine3d::updateWorld(engineObject(0));
    frame();
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(EngineAdapterTest, SceneInbetweenEqualsTheEnginesBlendPose)
{
    ASSERT_TRUE(doc->findOrLoadModel(dir / "robot.md4"));
    engine3d::OBJCT& robot = engineObject(0);
    robot.place(1, 2, 3, 0.1f, 2.9f, -3.0f);
    robot.partList[2]->place(0, 0, 0, 0.4f, 0.3f, 2.0f);
    ASSERT_TRUE(recordSceneFrame(*doc));
    doc->current().frameIndex = 1;
    robot.place(-5, 2.5f, 3, 0.2f, -2.9f, 3.0f);
    robot.partList[2]->place(0, 0, 0, -0.4f, -1.9f, -0.3f);
    ASSERT_TRUE(recordSceneFrame(*doc));
    doc->current().frameIndex = 0;
    ASSERT_TRUE(inbetweenSceneFrame(*doc));

    // The same blend through the engine's own BLOCK::blendPose.
    const unsigned char* a = doc->current().frames.at(0);
    const unsigned char* b = doc->current().frames.at(2);
    const unsigned char* mid = doc->current().frames.at(1);
    const int object = doc->current().headerSize() + 24;
    unsigned char expected[24];
    engine3d::PoseWriter w{expected, expected + 24};
    engine3d::PoseReader ra{a + object, a + object + 24}, rb{b + object, b + object + 24};
    ASSERT_TRUE(robot.blendPose(w, ra, rb));
    EXPECT_EQ(std::memcmp(mid + object, expected, 24), 0);
    const int joint = object + 24 + 24 + 12; // placement, root part, first joint
    engine3d::PoseWriter wj{expected, expected + 12};
    engine3d::PoseReader ja{a + joint, a + joint + 12}, jb{b + joint, b + joint + 12};
    ASSERT_TRUE(robot.partList[2]->blendPose(wj, ja, jb));
    EXPECT_EQ(std::memcmp(mid + joint, expected, 12), 0);
}

TEST_F(EngineAdapterTest, ZoomRescalesTheViewportAndResetEmptiesTheEngineTable)
{
    ASSERT_TRUE(doc->findOrLoadModel(dir / "dice.md4"));
    engineCamera->setZoom(512);
    EXPECT_EQ(camera->zoom, 512);
    ASSERT_TRUE(recordSceneFrame(*doc));
    EXPECT_EQ(getInt(doc->current().frames.at(0)), 512);
    doc->reset();
    EXPECT_EQ(table->count(), 0);
    EXPECT_FALSE(doc->findOrLoadModel(dir / "none.md4"));
    EXPECT_EQ(log.messages, (std::vector<std::string>{"モデル:" + dir / "none.md4" + " が見つかりません"}));
}

TEST_F(EngineAdapterTest, TheSixtyFifthModelIsRefusedBeforeTheEngineIsAsked)
{
    for (int i = 0; i < kMaxModels; ++i) {
        if (i % kMaxSceneModels == 0 && i > 0) doc->addScene("s");
        ASSERT_TRUE(doc->findOrLoadModel(dir / "dice.md4"));
    }
    doc->addScene("last");
    EXPECT_FALSE(doc->findOrLoadModel(dir / "robot.md4"));
    EXPECT_EQ(table->count(), 64);
    EXPECT_EQ(log.messages, (std::vector<std::string>{"このプログラムでは６４個以上のモデルは扱えません"}));
}
