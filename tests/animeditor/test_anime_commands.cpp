// The command table: numbers, labels, keys and a handler for every row.
#include <gtest/gtest.h>

#include <cstring>

#include "anime_editor_fixture.h"

namespace quillo::animeditor::test {
namespace {

using CommandTableTest = AnimeEditorTest;

TEST_F(CommandTableTest, EveryRowHasAHandler)
{
    EXPECT_TRUE(editor.commands().idsWithoutHandler().empty());
}

TEST_F(CommandTableTest, KeysReachTheirCommands)
{
    const struct {
        const char* key;
        Cmd command;
    } keys[] = {
        {"n", Cmd::Record},           {"Left", Cmd::PreviousFrame},  {"Right", Cmd::NextFrame},
        {"Insert", Cmd::MotionPrevious}, {"Delete", Cmd::MotionNext}, {"Up", Cmd::MotionPreviewPrevious},
        {"Down", Cmd::MotionPreviewNext}, {"u", Cmd::ModeCamera},     {"o", Cmd::ModeObject},
        {"p", Cmd::ModePart},         {"9", Cmd::ChooseObject},      {"0", Cmd::ChoosePart},
        {"8", Cmd::Pattern},          {"g", Cmd::PlusX},             {"f", Cmd::MinusX},
        {"b", Cmd::PlusY},            {"h", Cmd::MinusY},            {"t", Cmd::PlusZ},
        {"v", Cmd::MinusZ},           {"w", Cmd::TurnUp},            {"s", Cmd::TurnDown},
        {"a", Cmd::TurnLeft},         {"d", Cmd::TurnRight},         {"z", Cmd::TwistLeft},
        {"x", Cmd::TwistRight},       {"1", Cmd::MoveStep1},         {"6", Cmd::MoveStep6},
        {"Shift+1", Cmd::RotationStep1}, {"Shift+6", Cmd::RotationStep6},
    };
    for (const auto& k : keys) EXPECT_EQ(editor.commands().commandForKey(k.key), id(k.command)) << k.key;
}

TEST_F(CommandTableTest, LabelsAsTheMenusShowThem)
{
    const struct {
        Cmd command;
        const char* label;
    } labels[] = {
        {Cmd::New, "新規作成(&N)"},        {Cmd::Open, "開く(&O)"},         {Cmd::Close, "閉じる(&C)"},
        {Cmd::Save, "上書き保存(&S)"},     {Cmd::SaveAs, "別名で保存(&A)"}, {Cmd::Options, "オプション"},
        {Cmd::Exit, "終了(&X)"},           {Cmd::ModeCamera, "カメラ(&C)"}, {Cmd::ChooseScene, "場面(&B)"},
        {Cmd::ChooseMotion, "動作(&A)"},   {Cmd::AddBackground, "背景(&H)"}, {Cmd::Record, "記録(&R)"},
        {Cmd::Inbetween, "中割り(&W)"},    {Cmd::DeleteScene, "場面削除"},  {Cmd::ResetPose, "姿勢の初期化(&I)"},
        {Cmd::LoadMotion, "ファイルから再生(&L)"}, {Cmd::ScaleFactor, "ｽｹｰﾙﾌｧｸﾀ設定"},
        {Cmd::DragHorizontalBank, "バンク"}, {Cmd::Help, "ヘルプ(&H)"},
    };
    for (const auto& l : labels) {
        const CommandEntry* e = editor.commands().find(id(l.command));
        ASSERT_NE(e, nullptr) << id(l.command);
        EXPECT_STREQ(e->label, l.label) << id(l.command);
    }
}

TEST_F(CommandTableTest, RecordStandsInTheSceneAndTheActionMenu)
{
    int rows = 0;
    for (const CommandEntry& e : editor.commands().entries())
        if (e.id == id(Cmd::Record)) {
            ++rows;
            EXPECT_STREQ(e.key, "n");
        }
    EXPECT_EQ(rows, 2);
    EXPECT_STREQ(editor.commands().menus()[0], "ﾌｧｲﾙ(&F)");
}

} // namespace
} // namespace quillo::animeditor::test
