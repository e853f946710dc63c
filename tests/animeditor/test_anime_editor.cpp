// The animation editor's commands on the example files, answered from a script.
#include <gtest/gtest.h>

#include <cmath>

#include "anime_editor_fixture.h"
#include "animation/md7_file.h"
#include "animation/motion.h"
#include "engine3d/objct.h"

namespace quillo::animeditor::test {
namespace {

TEST_F(AnimeEditorTest, StartsWithTheFirstScene)
{
    ASSERT_TRUE(editor.ready());
    EXPECT_EQ(editor.document().scenes.size(), 1u);
    EXPECT_EQ(editor.document().current().name, "第一幕");
    EXPECT_EQ(editor.statusLine(), "");
    EXPECT_TRUE(editor.drawFrame());
}

TEST_F(AnimeEditorTest, OpenReadsTheAnimationAndChoosesAnObject)
{
    openShow();
    EXPECT_EQ(editor.document().scenes.size(), 2u);
    EXPECT_EQ(editor.state.filename, example("robot_show.md7"));
    ASSERT_NE(editor.state.currentobject, nullptr);
    EXPECT_EQ(editor.state.currentpart, 0);
    EXPECT_EQ(editor.statusLine().substr(editor.statusLine().size() - 7), "       ");
    EXPECT_TRUE(editor.drawFrame());
}

TEST_F(AnimeEditorTest, OpenRefusesANameNotEndingInSeven)
{
    answer({"file", example("robot.md4")});
    answer({"message", "ここではアニメファイルを読み込みます\\nその他の読み込みは「追加」メニューを使ってください"});
    run(Cmd::Open);
    EXPECT_TRUE(editor.document().current().models.empty());
}

TEST_F(AnimeEditorTest, ABrokenFileIsReportedAndNotKeptAsTheFileName)
{
    std::string bytes = fileBytes(example("robot_show.md7"));
    bytes.resize(bytes.size() - 100);
    const std::string broken = temp("broken.md7");
    std::ofstream(broken, std::ios::binary) << bytes;
    answer({"file", broken});
    editor.dispatch(Cmd::Open);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(editor.state.filename, "");
    dialogs.clearFailure();
    dialogs.clear();
    // A save now asks for a name instead of writing over the broken file.
    answer({"cancel"});
    run(Cmd::Save);
    EXPECT_EQ(fileBytes(broken), bytes);
}

TEST_F(AnimeEditorTest, SaveAsKeepsTheFileNameAndSaveWritesTheOpenedFile)
{
    const std::string original = temp("show.md7");
    std::filesystem::copy_file(example("robot_show.md7"), original);
    for (const char* f : {"robot.md4", "dice.md4", "dice_1.bmp", "dice_2.bmp", "dice_3.bmp", "anim_scale.mid", "anim_kick.wav"})
        std::filesystem::copy_file(example(f), dir / f);
    answer({"file", original});
    answer({"select", "0"});
    answer({"select", "0"});
    run(Cmd::Open);
    answer({"file", temp("other.md7")});
    run(Cmd::SaveAs);
    EXPECT_EQ(fileBytes(temp("other.md7")), fileBytes(example("robot_show.md7")));
    EXPECT_EQ(editor.state.filename, original);
    std::filesystem::remove(original);
    run(Cmd::Save);
    EXPECT_EQ(fileBytes(original), fileBytes(example("robot_show.md7")));
}

TEST_F(AnimeEditorTest, CloseWritesEmptiesAndForgetsTheFileName)
{
    openShow();
    answer({"file", temp("closed.md7")});
    run(Cmd::Close);
    EXPECT_EQ(editor.state.filename, "");
    EXPECT_EQ(editor.document().scenes.size(), 1u);
    EXPECT_EQ(editor.state.currentobject, nullptr);
    EXPECT_EQ(fileBytes(temp("closed.md7")).substr(0, 5), "SERIF");
    // Saving now asks; cancelled, nothing is written over the example.
    answer({"cancel"});
    run(Cmd::Save);
    EXPECT_EQ(fileBytes(temp("closed.md7")).substr(0, 5), "SERIF");
}

TEST_F(AnimeEditorTest, SaveWithoutANameAsksAndThenKeepsTheName)
{
    addRobot();
    answer({"file", temp("new.md7")});
    run(Cmd::Save);
    EXPECT_EQ(editor.state.filename, temp("new.md7"));
    EXPECT_TRUE(std::filesystem::exists(temp("new.md7")));
}

TEST_F(AnimeEditorTest, NewEmptiesTheDocumentAndNamesTheFirstScene)
{
    openShow();
    answer({"input", "始まり の 場面"});
    run(Cmd::New);
    EXPECT_EQ(editor.document().scenes.size(), 1u);
    EXPECT_EQ(editor.document().current().name, "始まり_の_場面");
    EXPECT_EQ(editor.state.filename, "");
    EXPECT_EQ(editor.state.currentobject, nullptr);
}

TEST_F(AnimeEditorTest, ScenesAreAddedChosenReorderedByIndexAndDeleted)
{
    answer({"input", "二"});
    run(Cmd::AddScene);
    answer({"input", "二"});
    run(Cmd::AddScene);
    ASSERT_EQ(editor.document().scenes.size(), 3u);
    EXPECT_EQ(editor.sceneIndex(), 2);
    anim::Scene* last = editor.document().scenes[2].get();
    answer({"reorder", "2", "0", "1"});
    run(Cmd::ReorderScenes);
    ASSERT_EQ(editor.document().scenes.size(), 3u); // both scenes named "二" stay
    EXPECT_EQ(editor.document().scenes[0].get(), last);
    EXPECT_EQ(editor.document().scenes[1]->name, "第一幕");
    answer({"select", "1"});
    run(Cmd::ChooseScene);
    EXPECT_EQ(editor.sceneIndex(), 1);
    answer({"ask", "yes"});
    answer({"select", "1"});
    run(Cmd::DeleteScene);
    ASSERT_EQ(editor.document().scenes.size(), 2u);
    EXPECT_EQ(editor.sceneIndex(), 1);
    EXPECT_EQ(editor.document().current().name, "二");
}

TEST_F(AnimeEditorTest, DeletingTheOnlySceneAsksForANewName)
{
    addRobot();
    answer({"ask", "yes"});
    answer({"input", "新"});
    run(Cmd::DeleteScene);
    EXPECT_EQ(editor.document().current().name, "新");
    EXPECT_TRUE(editor.document().current().models.empty());
}

TEST_F(AnimeEditorTest, AModelAddedTwiceAsksFirst)
{
    addRobot();
    answer({"file", example("robot.md4")});
    answer({"ask", "no"});
    run(Cmd::AddModel);
    EXPECT_EQ(editor.document().current().models.size(), 1u);
    answer({"file", example("robot.md4")});
    answer({"ask", "yes"});
    answer({"select", "2"});
    answer({"select", "0"});
    run(Cmd::AddModel);
    EXPECT_EQ(editor.document().current().models.size(), 2u);
    EXPECT_EQ(editor.state.currentobject, editor.document().current().objects[2]);
}

TEST_F(AnimeEditorTest, PoseCommandsMoveWhatTheModePoses)
{
    addRobot();
    engine3d::OBJCT* o = editor.engineObject();
    ASSERT_NE(o, nullptr);
    const float x = o->position[0];
    run(Cmd::ModeObject);
    run(Cmd(600)); // one step: dt
    EXPECT_TRUE(run(Cmd::PlusX));
    EXPECT_FLOAT_EQ(o->position[0], x + 0.0125f);
    const float cz = editor.camera().position[2];
    run(Cmd::ModeCamera);
    run(Cmd(601));
    run(Cmd::PlusZ);
    EXPECT_FLOAT_EQ(editor.camera().position[2], cz + 5 * 0.0125f);
    run(Cmd(591));
    EXPECT_EQ(editor.state.rotstep, 1);
    run(Cmd::DragHorizontalBank);
    EXPECT_EQ(editor.state.mousehorizontal, id(Cmd::DragHorizontalBank));
}

TEST_F(AnimeEditorTest, NothingIsPosedWithoutAnObject)
{
    const float cz = editor.camera().position[2];
    EXPECT_FALSE(run(Cmd::PlusZ));
    EXPECT_EQ(editor.camera().position[2], cz);
}

TEST_F(AnimeEditorTest, ARightButtonDragPosesWithTheAssignments)
{
    addRobot();
    run(Cmd::ModeObject);
    run(Cmd::DragHorizontalX);
    run(Cmd(600));
    const float x = editor.engineObject()->position[0];
    editor.mouse(10, 10, 1);
    EXPECT_TRUE(editor.mouse(20, 10, 1));
    EXPECT_FLOAT_EQ(editor.engineObject()->position[0], x + 10 * 0.1f * 0.0125f);
}

TEST_F(AnimeEditorTest, ZoomRules)
{
    answer({"input", "1.5"});
    run(Cmd::ZoomTo);
    EXPECT_EQ(editor.zoom(), 384);
    answer({"input", "0"});
    run(Cmd::ZoomTo);
    EXPECT_EQ(editor.zoom(), 384);
    answer({"input", "0.004"}); // 1.02 truncated: 1
    run(Cmd::ZoomTo);
    EXPECT_EQ(editor.zoom(), 1);
    EXPECT_FALSE(run(Cmd::ZoomDown));
    EXPECT_EQ(editor.zoom(), 1);
    EXPECT_TRUE(run(Cmd::ZoomUp));
    EXPECT_EQ(editor.zoom(), 2);
    answer({"input", "8000000"});
    run(Cmd::ZoomTo);
    for (int i = 0; i < 40; ++i) editor.dispatch(Cmd::ZoomUp);
    EXPECT_GT(editor.zoom(), 0);
}

TEST_F(AnimeEditorTest, AScaleFactorMustBeAboveZero)
{
    for (const char* typed : {"0", "-1", "nan", "inf"}) {
        answer({"input", typed});
        answer({"message", "ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください"});
        run(Cmd::ScaleFactor);
        EXPECT_FLOAT_EQ(editor.state.dt, 0.0125f) << typed;
    }
    answer({"input", "abc"});
    run(Cmd::ScaleFactor);
    answer({"input", "0.5"});
    run(Cmd::ScaleFactor);
    EXPECT_FLOAT_EQ(editor.state.dt, 0.5f);
}

TEST_F(AnimeEditorTest, FramesAreRecordedSteppedAndInbetweened)
{
    addRobot();
    anim::Scene& scene = editor.document().current();
    run(Cmd::ModeObject);
    run(Cmd::Record);
    run(Cmd::NextFrame);
    EXPECT_EQ(scene.frameIndex, 1);
    run(Cmd(603));
    run(Cmd::PlusX);
    run(Cmd::Record);
    EXPECT_EQ(scene.frames.count(), 2);
    run(Cmd::PreviousFrame);
    EXPECT_EQ(scene.frameIndex, 0);
    run(Cmd::Inbetween);
    EXPECT_EQ(scene.frames.count(), 3);
    run(Cmd::DeleteFrame);
    EXPECT_EQ(scene.frames.count(), 2);
    EXPECT_EQ(editor.statusLine().substr(0, 1), "0");
}

TEST_F(AnimeEditorTest, TheClipboardPastesOnlyOntoTheSameKindAndSize)
{
    addRobot();
    anim::Scene& scene = editor.document().current();
    run(Cmd::ModeObject);
    const float x = editor.engineObject()->position[0];
    run(Cmd::CopyFrame);
    EXPECT_EQ(editor.clipboard.kind, PoseClipboard::sceneFrame);
    run(Cmd::PlusX);
    run(Cmd::PasteFrame);
    EXPECT_FLOAT_EQ(editor.engineObject()->position[0], x);
    // A scene frame does not go into a motion.
    answer({"input", "歩く"});
    run(Cmd::AddMotion);
    run(Cmd::PasteMotionFrame);
    EXPECT_EQ(editor.currentMotion()->frames.count(), 0);
    // A scene frame of another scene's size does not fit either.
    answer({"file", example("dice.md4")});
    answer({"select", "0"});
    answer({"select", "0"});
    run(Cmd::AddModel);
    EXPECT_NE(scene.recordSize(), int(editor.clipboard.bytes.size()));
    const float before = editor.engineObject()->position[0];
    run(Cmd::PasteFrame);
    EXPECT_FLOAT_EQ(editor.engineObject()->position[0], before);
}

TEST_F(AnimeEditorTest, MotionsAreCreatedRecordedInbetweenedAndSaved)
{
    addRobot();
    answer({"input", "歩く"}); // no motions yet: straight to the name prompt
    run(Cmd::ChooseMotion);
    anim::Motion* m = editor.currentMotion();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->name, "歩く");
    run(Cmd::ModePart);
    run(Cmd::Record);
    run(Cmd::MotionNext);
    run(Cmd::TurnUp);
    run(Cmd::Record);
    EXPECT_EQ(m->frames.count(), 2);
    run(Cmd::MotionPrevious);
    run(Cmd::MotionInbetween);
    EXPECT_EQ(m->frames.count(), 3);
    answer({"action", "歩く", temp("walk.md6")});
    run(Cmd::MotionSettings);
    EXPECT_EQ(m->path, temp("walk.md6"));
    run(Cmd::SaveMotion);
    EXPECT_TRUE(std::filesystem::exists(temp("walk.md6")));
    run(Cmd::ResetPose);
    EXPECT_EQ(editor.engineObject()->partList[0]->angles[0], 0.0f);
}

TEST_F(AnimeEditorTest, AMotionOfAnotherSizeDoesNotBecomeCurrent)
{
    addRobot();
    answer({"select", "1"}); // the hat has one part: no part box
    run(Cmd::ChooseObject);
    answer({"input", "帽子の動き"});
    run(Cmd::AddMotion);
    anim::Motion* hat = editor.currentMotion();
    ASSERT_NE(hat, nullptr);
    answer({"select", "0"});
    answer({"select", "0"});
    run(Cmd::ChooseObject);
    answer({"select", "0"});
    editor.dispatch(Cmd::ChooseMotion);
    EXPECT_EQ(editor.currentMotion(), nullptr);
    EXPECT_FALSE(dialogs.shown.empty()); // why it cannot be used
}

TEST_F(AnimeEditorTest, AChosenDialogueRunsThroughTheFramesThatShowedTheSameLine)
{
    addRobot();
    anim::AnimationDocument& doc = editor.document();
    doc.addDialogue("一");
    doc.addDialogue("二");
    doc.addDialogue("三");
    anim::Scene& scene = doc.current();
    const int lines[] = {1, 1, 1, 2};
    for (int line : lines) {
        doc.currentDialogue = line;
        run(Cmd::Record);
        run(Cmd::NextFrame);
    }
    scene.frameIndex = 0;
    answer({"select", "3"});
    run(Cmd::ChooseDialogue);
    EXPECT_EQ(editor.shownDialogue(), "三");
    auto word = [&](int frame) {
        int32_t v;
        std::memcpy(&v, scene.frames.at(frame) + 4, 4);
        return v;
    };
    EXPECT_EQ(word(0), 3);
    EXPECT_EQ(word(2), 3);
    EXPECT_EQ(word(3), 2);
    // After the last frame no frame changes.
    scene.frameIndex = 4;
    answer({"select", "1"});
    run(Cmd::ChooseDialogue);
    EXPECT_EQ(word(3), 2);
}

TEST_F(AnimeEditorTest, BackgroundsAndSoundsAreAddedAndShown)
{
    answer({"file", example("dice_1.bmp")});
    run(Cmd::AddBackground);
    EXPECT_EQ(editor.shownBackground(), example("dice_1.bmp"));
    answer({"cancel"});
    run(Cmd::AddBackground);
    EXPECT_EQ(editor.shownBackground(), "");
    EXPECT_EQ(editor.document().currentBackground, 0);
    sound.take();
    answer({"file", example("anim_kick.wav")});
    run(Cmd::AddSound);
    EXPECT_EQ(editor.document().music.lastsound, 1);
    EXPECT_EQ(sound.take(), (std::vector<std::string>{"open " + example("anim_kick.wav"), "stop 1", "rewind 1", "play 1"}));
    answer({"input", "こんにちは"});
    run(Cmd::AddDialogue);
    EXPECT_EQ(editor.shownDialogue(), "こんにちは");
}

TEST_F(AnimeEditorTest, QuestionsAndPromptsAreWordedExactly)
{
    openShow();
    // Each command is cancelled at its first question or input box.
    const struct {
        Cmd command;
        std::vector<std::string> before; // an answer that leads to the box
        const char* text;
        bool question;
    } cases[] = {
        {Cmd::AddScene, {}, "新しい場面名を入力してください", false},
        {Cmd::DeleteScene, {}, "場面を削除します\nよろしいですか？", true},
        {Cmd::AddDialogue, {}, "台詞を入力してください", false},
        {Cmd::AddMotion, {}, "追加する動作名を入力してください", false},
        {Cmd::ZoomTo, {}, "倍率 :1", false},
        {Cmd::ScaleFactor, {}, "ｽｹｰﾙﾌｧｸﾀ :0.0125", false},
        {Cmd::Options, {}, "設定を変更するとプログラムを終了しなければなりません\n保存していないデータはすべて失われます\n"
                           "オプションを変更しますか？", true},
        {Cmd::AddModel, {"file", example("robot.md4")}, "このモデルは既に読み込まれています\nもう一つ読み込みますか", true},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        dialogs.prompts.clear();
        if (!c.before.empty()) answer(c.before);
        answer(c.question ? std::vector<std::string>{"ask", "no"} : std::vector<std::string>{"cancel"});
        run(c.command);
        const std::vector<std::string>& seen = c.question ? dialogs.shown : dialogs.prompts;
        ASSERT_FALSE(seen.empty()) << id(c.command);
        EXPECT_EQ(seen.back(), c.text) << id(c.command);
    }
    EXPECT_EQ(editor.document().scenes.size(), 2u); // nothing was added or deleted
}

TEST_F(AnimeEditorTest, OptionsAskFirstAndEndTheProgramAfterOk)
{
    answer({"ask", "no"});
    run(Cmd::Options);
    answer({"ask", "yes"});
    answer({"options", "dither=yes", "driver=fixed", "resolution=800"});
    answer({"message", "オプションが変更されました\\nプログラムを終了します"});
    run(Cmd::Options);
    EXPECT_TRUE(editor.settings.dither);
    EXPECT_EQ(editor.settings.driver, 0);
    EXPECT_EQ(editor.settings.maxwidth, 800);
    EXPECT_EQ(editor.settings.maxhight, 600);
}

} // namespace
} // namespace quillo::animeditor::test
