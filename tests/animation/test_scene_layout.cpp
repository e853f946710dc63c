#include "animation/animation_document.h"
#include "animation/scene.h"
#include "fake_models.h"
#include "model/messages.h"
#include "animation/recording_sound_device.h"

#include <gtest/gtest.h>

using namespace quillo;
using namespace quillo::anim;
using namespace quillo::anim::test;

namespace {

struct LayoutCase {
    const char* what;
    std::vector<ObjectShape> objects;
    int header, record, used;
};

} // namespace

TEST(SceneLayout, RunningHeaderRule)
{
    const LayoutCase cases[] = {
        {"no objects", {}, 0, 0, 0},
        {"T = 3, root and two joints", {{3, 2}}, 20, 132, 116},
        {"no textures, root only", {{0, 0}}, 16, 40 + 24 + 16 + 24, 88},
        // Object 2 adds the header so far (16 + 4 + 8), not only its own words.
        {"two objects", {{3, 2}, {6, 1}}, 28, 40 + 48 + (20 + 48) + (28 + 36), 16 + 12 + 24 + 48 + 84},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeModel model(c.objects);
        std::vector<AnimObject*> objects;
        for (int i = 0; i < model.objectCount(); ++i) objects.push_back(&model.object(i));
        const SceneLayout layout = sceneLayout(objects);
        EXPECT_EQ(layout.headerSize, c.header);
        EXPECT_EQ(layout.recordSize, c.record);
        EXPECT_EQ(layout.usedBytes, c.used);
    }
}

TEST(SceneLayout, AddingAModelDropsTheFramesAndTheSixtyFifthIsRefused)
{
    MessageLog log;
    FakeModel model({{3, 2}});
    Scene scene("s");
    ASSERT_TRUE(scene.addModel(model, "a.md4"));
    scene.frames.append(nullptr);
    scene.frameIndex = 1;
    ASSERT_TRUE(scene.addModel(model, "a.md4"));
    EXPECT_EQ(scene.frames.count(), 0);
    EXPECT_EQ(scene.frameIndex, 0);
    EXPECT_EQ(scene.objects.size(), 2u);
    for (int i = 2; i < kMaxSceneModels; ++i) ASSERT_TRUE(scene.addModel(model, "a.md4"));
    EXPECT_FALSE(scene.addModel(model, "a.md4"));
    EXPECT_EQ(scene.models.size(), 64u);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "一場面に使用できるモデルは６４個までです");
}

class ModelTableTest : public ::testing::Test {
protected:
    MessageLog log;
    FakeLoader loader;
    RecordingSoundDevice sound;
    AnimationDocument doc{loader, sound};
    void SetUp() override
    {
        loader.shapes["a.md4"] = {{1, 1}};
        loader.shapes["b.md4"] = {{0, 0}, {2, 0}};
    }
};

TEST_F(ModelTableTest, ScenesShareAModelButOneSceneLoadsADuplicate)
{
    ASSERT_TRUE(doc.findOrLoadModel("a.md4"));
    ASSERT_TRUE(doc.findOrLoadModel("a.md4")); // the scene uses it: a second copy
    EXPECT_EQ(doc.models.count(), 2);
    EXPECT_NE(doc.current().models[0], doc.current().models[1]);
    doc.addScene("二");
    ASSERT_TRUE(doc.findOrLoadModel("a.md4")); // shared with the first scene
    ASSERT_TRUE(doc.findOrLoadModel("b.md4"));
    EXPECT_EQ(doc.models.count(), 3);
    EXPECT_EQ(doc.current().models[0], doc.scenes[0]->models[0]);
    EXPECT_EQ(doc.current().objects.size(), 3u);
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"a.md4", "a.md4", "b.md4"}));
}

TEST_F(ModelTableTest, MissingFilesAndAFullTable)
{
    EXPECT_FALSE(doc.findOrLoadModel("none.md4"));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "モデル:none.md4 が見つかりません");
    for (int i = 0; i < kMaxModels; ++i) {
        if (i % kMaxSceneModels == 0) doc.addScene("s");
        ASSERT_TRUE(doc.findOrLoadModel("a.md4"));
    }
    doc.addScene("last");
    loader.loaded.clear();
    EXPECT_FALSE(doc.findOrLoadModel("b.md4"));
    EXPECT_EQ(log.messages.back(), "このプログラムでは６４個以上のモデルは扱えません");
    EXPECT_TRUE(loader.loaded.empty());
}

TEST_F(ModelTableTest, TheSceneLimitIsCheckedBeforeLoading)
{
    for (int i = 0; i < kMaxSceneModels; ++i) ASSERT_TRUE(doc.findOrLoadModel("a.md4"));
    doc.models.clear();
    loader.loaded.clear();
    // The scene is full; nothing may be loaded for it (nor count against the table).
    doc.current().models.resize(kMaxSceneModels);
    EXPECT_FALSE(doc.findOrLoadModel("b.md4"));
    EXPECT_TRUE(loader.loaded.empty());
    EXPECT_EQ(log.messages.back(), "一場面に使用できるモデルは６４個までです");
}

TEST_F(ModelTableTest, DialogueAndBackgroundsRefuseWhatWouldNotReadBack)
{
    EXPECT_EQ(doc.addDialogue("こんにちは"), 1);
    EXPECT_EQ(doc.addDialogue("two words"), -1);
    EXPECT_EQ(doc.addDialogue(""), -1);
    EXPECT_EQ(doc.addDialogue("全角\u3000空白"), 2);
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "あ"; // 120 bytes
    ASSERT_EQ(doc.addDialogue(longLine), 3);
    EXPECT_EQ(doc.dialogue[3].size(), 87u); // 29 whole characters within 89 bytes
    EXPECT_EQ(doc.addBackground("my pictures/sky.bmp"), -1);
    EXPECT_EQ(doc.addBackground("sky.bmp"), 1);
    EXPECT_EQ(doc.addBackground("sky.bmp"), 2); // backgrounds are always appended
    EXPECT_EQ(log.messages.size(), 3u);
}

TEST_F(ModelTableTest, ResetForgetsModelsAndTellsTheLoader)
{
    ASSERT_TRUE(doc.findOrLoadModel("a.md4"));
    doc.addScene("二");
    doc.addDialogue("行");
    doc.reset();
    EXPECT_EQ(loader.clears, 1);
    EXPECT_EQ(doc.models.count(), 0);
    EXPECT_EQ(doc.scenes.size(), 1u);
    EXPECT_EQ(doc.currentScene, doc.scenes[0].get());
    EXPECT_EQ(doc.current().recordSize(), 0);
    EXPECT_EQ(doc.dialogue.size(), 1u);
}
