#include "anime_commands.h"

#include "anime_editor.h"
#include "anime_handlers.h"
#include "frame_export.h"

namespace quillo::animeditor {

namespace {

const char* const fileMenu = "ﾌｧｲﾙ(&F)";
const char* const modeMenu = "ﾓｰﾄﾞ(&M)";
const char* const selectMenu = "選択(&S)";
const char* const addMenu = "追加(&A)";
const char* const sceneMenu = "場面(&B)";
const char* const actionMenu = "動作(&T)";
const char* const moveMenu = "移動操作";
const char* const distanceMenu = "移動距離(&S)";
const char* const rotateMenu = "回転操作(&R)";
const char* const angleMenu = "回転角度(&S)";
const char* const mouseMenu = "マウス";
const char* const verticalMenu = "マウス縦移動";
const char* const horizontalMenu = "マウス横移動";
const char* const helpMenu = "ヘルプ(&H)";

using Handler = bool (*)(AnimeEditor&, int);

struct Row {
    Cmd command;
    const char* menu;
    const char* submenu;
    const char* label; // null: a separator
    const char* key;
    Handler run;
};

bool poseStep(AnimeEditor& e, int command) { return e.poseCommand(command); }
bool stepChoice(AnimeEditor& e, int command) { return e.chooseStep(command); }
bool setMode(AnimeEditor& e, int command)
{
    e.state.mode = command == id(Cmd::ModeCamera) ? modeCamera : command == id(Cmd::ModeObject) ? modeObject : modePart;
    return false;
}
bool toolWindow(AnimeEditor& e, int command)
{
    if (!e.host().fullscreen()) e.host().showToolWindow(command);
    return false;
}
bool table(AnimeEditor& e, int command) { return tableChoiceCommand(e, command); }
template <bool (*command)(AnimeEditor&)>
bool plain(AnimeEditor& e, int)
{
    return command(e);
}

const Row rows[] = {
    {Cmd::New, fileMenu, nullptr, "新規作成(&N)", nullptr, plain<newCommand>},
    {Cmd::Open, fileMenu, nullptr, "開く(&O)", nullptr, plain<openCommand>},
    {Cmd::Close, fileMenu, nullptr, "閉じる(&C)", nullptr, plain<closeCommand>},
    {Cmd::Save, fileMenu, nullptr, "上書き保存(&S)", nullptr, plain<saveCommand>},
    {Cmd::SaveAs, fileMenu, nullptr, "別名で保存(&A)", nullptr, plain<saveAsCommand>},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::ExportFrames, fileMenu, nullptr, "連番画像の書き出し(&E)", nullptr,
     [](AnimeEditor& e, int) { return exportFramesCommand(e); }},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::Options, fileMenu, nullptr, "オプション", nullptr, plain<optionsCommand>},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::Exit, fileMenu, nullptr, "終了(&X)", nullptr, [](AnimeEditor& e, int) { return e.host().closeMainWindow(), false; }},

    {Cmd::ModeCamera, modeMenu, nullptr, "カメラ(&C)", "u", setMode},
    {Cmd::ModeObject, modeMenu, nullptr, "モデル(&M)", "o", setMode},
    {Cmd::ModePart, modeMenu, nullptr, "部分(&P)", "p", setMode},
    {Cmd{}, modeMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::ModeWindow, modeMenu, nullptr, "ダイアログ", nullptr, toolWindow},

    {Cmd::ChooseObject, selectMenu, nullptr, "モデル(&M)", "9", [](AnimeEditor& e, int) { return e.objectChoice(), true; }},
    {Cmd::ChoosePart, selectMenu, nullptr, "部分(&P)", "0", [](AnimeEditor& e, int) { return e.partChoice(), true; }},
    {Cmd::Pattern, selectMenu, nullptr, "表情(&H)", "8", plain<patternCommand>},
    {Cmd{}, selectMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::ChooseScene, selectMenu, nullptr, "場面(&B)", nullptr, plain<chooseSceneCommand>},
    {Cmd::ChooseMotion, selectMenu, nullptr, "動作(&A)", nullptr, plain<chooseMotionCommand>},
    {Cmd::ChooseDialogue, selectMenu, nullptr, "台詞(&S)", nullptr, table},
    {Cmd::ChooseBackground, selectMenu, nullptr, "背景", nullptr, table},
    {Cmd::ChooseSound, selectMenu, nullptr, "音", nullptr, table},
    {Cmd{}, selectMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::ObjectWindow, selectMenu, nullptr, "物体ﾀﾞｲｱﾛｸﾞ", nullptr, toolWindow},
    {Cmd::PartWindow, selectMenu, nullptr, "部分ﾀﾞｲｱﾛｸﾞ", nullptr, toolWindow},

    {Cmd::AddModel, addMenu, nullptr, "モデル(&M)", nullptr, plain<addModelCommand>},
    {Cmd::AddScene, addMenu, nullptr, "場面(&B)", nullptr, plain<addSceneCommand>},
    {Cmd::AddMotion, addMenu, nullptr, "動作(&A)", nullptr, plain<addMotionCommand>},
    {Cmd::AddDialogue, addMenu, nullptr, "台詞(&S)", nullptr, plain<addDialogueCommand>},
    {Cmd::AddBackground, addMenu, nullptr, "背景(&H)", nullptr, plain<addBackgroundCommand>},
    {Cmd::AddSound, addMenu, nullptr, "音", nullptr, plain<addSoundCommand>},

    {Cmd::Record, sceneMenu, nullptr, "記録(&R)", "n", recordFrameCommand},
    {Cmd::PreviousFrame, sceneMenu, nullptr, "前フレームへ(&B)", "Left", previousFrameCommand},
    {Cmd::NextFrame, sceneMenu, nullptr, "次フレームへ(&F)", "Right", nextFrameCommand},
    {Cmd::PreviewPrevious, sceneMenu, nullptr, "前フレームの状態", nullptr, previewPreviousCommand},
    {Cmd::PreviewNext, sceneMenu, nullptr, "次フレームの状態", nullptr, previewNextCommand},
    {Cmd::Inbetween, sceneMenu, nullptr, "中割り(&W)", nullptr, inbetweenFrameCommand},
    {Cmd::DeleteFrame, sceneMenu, nullptr, "削除(&D)", nullptr, deleteFrameCommand},
    {Cmd::CopyFrame, sceneMenu, nullptr, "一時記録", nullptr, copyFrameCommand},
    {Cmd::PasteFrame, sceneMenu, nullptr, "復帰", nullptr, pasteFrameCommand},
    {Cmd{}, sceneMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::DeleteScene, sceneMenu, nullptr, "場面削除", nullptr, plain<deleteSceneCommand>},
    {Cmd::ReorderScenes, sceneMenu, nullptr, "並べ替え", nullptr, plain<reorderScenesCommand>},
    {Cmd{}, sceneMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::SceneWindow, sceneMenu, nullptr, "ダイアログ", nullptr, toolWindow},
    {Cmd{}, sceneMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::Play, sceneMenu, nullptr, "再生／停止(&P)", "Space", [](AnimeEditor& e, int) { return e.togglePlayback(); }},

    {Cmd::Record, actionMenu, nullptr, "記録(&R)", "n", nullptr},
    {Cmd::MotionPrevious, actionMenu, nullptr, "前フレームへ(&B)", "Insert", motionPreviousCommand},
    {Cmd::MotionNext, actionMenu, nullptr, "次フレームへ(&F)", "Delete", motionNextCommand},
    {Cmd::MotionPreviewPrevious, actionMenu, nullptr, "前フレームの状態", "Up", motionPreviewPreviousCommand},
    {Cmd::MotionPreviewNext, actionMenu, nullptr, "次フレームの状態", "Down", motionPreviewNextCommand},
    {Cmd::ResetPose, actionMenu, nullptr, "姿勢の初期化(&I)", nullptr, resetPoseCommand},
    {Cmd{}, actionMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::SaveMotion, actionMenu, nullptr, "ファイルに記録(&S)", nullptr, saveMotionCommand},
    {Cmd::LoadMotion, actionMenu, nullptr, "ファイルから再生(&L)", nullptr, loadMotionCommand},
    {Cmd{}, actionMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::MotionInbetween, actionMenu, nullptr, "中割り(&W)", nullptr, motionInbetweenCommand},
    {Cmd::DeleteMotionFrame, actionMenu, nullptr, "削除(&D)", nullptr, deleteMotionFrameCommand},
    {Cmd::CopyMotionFrame, actionMenu, nullptr, "一時記録", nullptr, copyMotionFrameCommand},
    {Cmd::PasteMotionFrame, actionMenu, nullptr, "復帰", nullptr, pasteMotionFrameCommand},
    {Cmd{}, actionMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::MotionSettings, actionMenu, nullptr, "設定変更", nullptr, motionSettingsCommand},

    {Cmd(600), moveMenu, distanceMenu, "&1", "1", stepChoice},
    {Cmd(601), moveMenu, distanceMenu, "&2", "2", stepChoice},
    {Cmd(602), moveMenu, distanceMenu, "&3", "3", stepChoice},
    {Cmd(603), moveMenu, distanceMenu, "&4", "4", stepChoice},
    {Cmd(604), moveMenu, distanceMenu, "&5", "5", stepChoice},
    {Cmd(605), moveMenu, distanceMenu, "&6", "6", stepChoice},
    {Cmd::PlusX, moveMenu, nullptr, "+X", "g", poseStep},
    {Cmd::MinusX, moveMenu, nullptr, "-X", "f", poseStep},
    {Cmd::PlusY, moveMenu, nullptr, "+Y", "b", poseStep},
    {Cmd::MinusY, moveMenu, nullptr, "-Y", "h", poseStep},
    {Cmd::PlusZ, moveMenu, nullptr, "+Z", "t", poseStep},
    {Cmd::MinusZ, moveMenu, nullptr, "-Z", "v", poseStep},
    {Cmd{}, moveMenu, nullptr, nullptr, nullptr, nullptr},
    {Cmd::ZoomUp, moveMenu, nullptr, "ズームアップ", nullptr, [](AnimeEditor& e, int) { return e.zoomBy(zoomUp); }},
    {Cmd::ZoomDown, moveMenu, nullptr, "ズームダウン", nullptr, [](AnimeEditor& e, int) { return e.zoomBy(zoomDown); }},
    {Cmd::ZoomTo, moveMenu, nullptr, "ズーム率の指定", nullptr, [](AnimeEditor& e, int) { return e.zoomTo(); }},
    {Cmd::ScaleFactor, moveMenu, nullptr, "ｽｹｰﾙﾌｧｸﾀ設定", nullptr, [](AnimeEditor& e, int) { return e.scaleFactor(); }},

    {Cmd(591), rotateMenu, angleMenu, "&1", "Shift+1", stepChoice},
    {Cmd(592), rotateMenu, angleMenu, "&2", "Shift+2", stepChoice},
    {Cmd(593), rotateMenu, angleMenu, "&3", "Shift+3", stepChoice},
    {Cmd(594), rotateMenu, angleMenu, "&4", "Shift+4", stepChoice},
    {Cmd(595), rotateMenu, angleMenu, "&5", "Shift+5", stepChoice},
    {Cmd(596), rotateMenu, angleMenu, "&6", "Shift+6", stepChoice},
    {Cmd::TurnUp, rotateMenu, nullptr, "上方向", "w", poseStep},
    {Cmd::TurnDown, rotateMenu, nullptr, "下方向", "s", poseStep},
    {Cmd::TurnLeft, rotateMenu, nullptr, "左方向", "a", poseStep},
    {Cmd::TurnRight, rotateMenu, nullptr, "右方向", "d", poseStep},
    {Cmd::TwistLeft, rotateMenu, nullptr, "左ねじり", "z", poseStep},
    {Cmd::TwistRight, rotateMenu, nullptr, "右ねじり", "x", poseStep},

    {Cmd::DragVerticalX, mouseMenu, verticalMenu, "Ｘ移動", nullptr, stepChoice},
    {Cmd::DragVerticalY, mouseMenu, verticalMenu, "Ｙ移動", nullptr, stepChoice},
    {Cmd::DragVerticalZ, mouseMenu, verticalMenu, "Ｚ移動", nullptr, stepChoice},
    {Cmd::DragVerticalTurn, mouseMenu, verticalMenu, "縦回転", nullptr, stepChoice},
    {Cmd::DragVerticalNone, mouseMenu, verticalMenu, "取り消し", nullptr, stepChoice},
    {Cmd::DragHorizontalX, mouseMenu, horizontalMenu, "Ｘ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalY, mouseMenu, horizontalMenu, "Ｙ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalZ, mouseMenu, horizontalMenu, "Ｚ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalTurn, mouseMenu, horizontalMenu, "横回転", nullptr, stepChoice},
    {Cmd::DragHorizontalBank, mouseMenu, horizontalMenu, "バンク", nullptr, stepChoice},
    {Cmd::DragHorizontalNone, mouseMenu, horizontalMenu, "取り消し", nullptr, stepChoice},
    {Cmd::MouseWindow, mouseMenu, nullptr, "ダイアログ", nullptr, toolWindow},

    {Cmd::Help, helpMenu, nullptr, "ヘルプ(&H)", nullptr, [](AnimeEditor& e, int) { return e.host().openHelp("quilloanime.html"), false; }},
};

} // namespace

const PoseCommandIds& animePoseIds()
{
    static const PoseCommandIds ids = poseIdsOf<Cmd>();
    return ids;
}

CommandTable animeCommandTable(AnimeEditor& editor)
{
    std::vector<CommandEntry> entries = bindCommandRows(rows, editor);
    return CommandTable({fileMenu, modeMenu, selectMenu, addMenu, sceneMenu, actionMenu, moveMenu, rotateMenu,
                         mouseMenu, helpMenu},
                        std::move(entries));
}

} // namespace quillo::animeditor
