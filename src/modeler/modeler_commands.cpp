#include "modeler_commands.h"

#include "colour_commands.h"
#include "face_tools.h"
#include "model_editor.h"
#include "part_commands.h"

namespace quillo {

namespace {

const char* const fileMenu = "ファイル(&F)";
const char* const editMenu = "編集(&E)";
const char* const modeMenu = "モード(&M)";
const char* const moveMenu = "移動(&E)";
const char* const distanceMenu = "移動距離(&S)";
const char* const angleMenu = "回転角度(&S)";
const char* const viewMenu = "表示(&V)";
const char* const faceMenu = "面操作(&T)";
const char* const partMenu = "部分(&P)";
const char* const colourMenu = "色(&C)";
const char* const textureMenu = "テクスチャ(&X)";
const char* const mouseMenu = "マウス(&U)";
const char* const helpMenu = "ヘルプ(&H)";
const char* const recentMenu = "最近使ったファイル";

using Handler = bool (*)(ModelEditor&, int);

struct Row {
    Cmd command;
    const char* menu;
    const char* label; // null: a separator
    const char* key;
    Handler run;
    const char* submenu = nullptr;
};

// Handlers shared by families of rows.
bool openRecent(ModelEditor& e, int command) { return e.openRecent(command - id(Cmd::RecentFile1)); }
bool poseStep(ModelEditor& e, int command) { return e.poseCommand(command); }
bool stepChoice(ModelEditor& e, int command) { return e.chooseStep(command); }
bool armTool(ModelEditor& e, int command)
{
    armFaceTool(e.state, command);
    return false;
}
bool setMode(ModelEditor& e, int command)
{
    static const struct {
        Cmd command;
        int mode;
    } modes[] = {{Cmd::ModeCamera, modeCamera}, {Cmd::ModeObject, modeObject},   {Cmd::ModePart, modePart},
                 {Cmd::ModePoint, modePoint},   {Cmd::ModeTexture, modeTexture}, {Cmd::ModePartGeometry, modePartGeometry}};
    for (const auto& m : modes)
        if (id(m.command) == command) e.state.mode = m.mode;
    return false;
}
bool toolWindow(ModelEditor& e, int command)
{
    if (!e.host().fullscreen()) e.host().showToolWindow(command);
    return false;
}
// A part, colour or texture command: true when the model changed, which
// then rebuilds the view.
template <bool (*command)(EditContext&)>
bool edit(ModelEditor& e, int)
{
    EditContext c = e.editContext();
    return e.edited(command(c));
}
template <PartDelete kind>
bool deletePartCommand(ModelEditor& e, int)
{
    EditContext c = e.editContext();
    return e.edited(deletePart(c, kind));
}
template <bool insert>
bool addPartCommand(ModelEditor& e, int)
{
    EditContext c = e.editContext();
    return e.edited(addPart(c, insert));
}
// The texture rectangle grows or shrinks, and its pose follows as after a pose command.
bool textureSize(ModelEditor& e, int command)
{
    EditContext c = e.editContext();
    e.edited(resizeTextureRect(c, command));
    e.applyPose();
    return true;
}

const Row rows[] = {
    {Cmd::Open, fileMenu, "開く(&O)", nullptr, [](ModelEditor& e, int) { return e.openCommand(); }},
    {Cmd::Insert, fileMenu, "挿入(&I)", nullptr, [](ModelEditor& e, int) { return e.insertCommand(); }},
    {Cmd::Close, fileMenu, "閉じる(&C)", nullptr, [](ModelEditor& e, int) { return e.closeCommand(); }},
    {Cmd::Save, fileMenu, "上書き保存(&S)", nullptr, [](ModelEditor& e, int) { return e.saveCommand(); }},
    {Cmd::SaveAs, fileMenu, "別名で保存(&A)", nullptr, [](ModelEditor& e, int) { return e.saveAsCommand(); }},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr},
    {Cmd::Import, fileMenu, "インポート...", nullptr, [](ModelEditor& e, int) { return e.importCommand(); }},
    {Cmd::Export, fileMenu, "エクスポート...", nullptr, [](ModelEditor& e, int) { return e.exportCommand(); }},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr},
    // The window puts the files' names on these items.
    {Cmd(810), fileMenu, "&1", nullptr, openRecent, recentMenu},
    {Cmd(811), fileMenu, "&2", nullptr, openRecent, recentMenu},
    {Cmd(812), fileMenu, "&3", nullptr, openRecent, recentMenu},
    {Cmd(813), fileMenu, "&4", nullptr, openRecent, recentMenu},
    {Cmd(814), fileMenu, "&5", nullptr, openRecent, recentMenu},
    {Cmd(815), fileMenu, "&6", nullptr, openRecent, recentMenu},
    {Cmd(816), fileMenu, "&7", nullptr, openRecent, recentMenu},
    {Cmd(817), fileMenu, "&8", nullptr, openRecent, recentMenu},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr},
    {Cmd::Options, fileMenu, "オプション", nullptr, [](ModelEditor& e, int) { return e.options(); }},
    {Cmd{}, fileMenu, nullptr, nullptr, nullptr},
    {Cmd::Exit, fileMenu, "終了(&X)", nullptr, [](ModelEditor& e, int) { return e.host().closeMainWindow(), false; }},

    {Cmd::Undo, editMenu, "元に戻す(&U)", "Ctrl+Z", [](ModelEditor& e, int) { return e.undoCommand(); }},
    {Cmd::Redo, editMenu, "やり直し(&R)", "Ctrl+Y", [](ModelEditor& e, int) { return e.redoCommand(); }},
    {Cmd::Redo, nullptr, "やり直し(&R)", "Ctrl+Shift+Z", nullptr},

    {Cmd::ModeCamera, modeMenu, "カメラ操作(&C)", "u", setMode},
    {Cmd::ModeObject, modeMenu, "物体操作(&O)", "o", setMode},
    {Cmd::ModePart, modeMenu, "部分操作", "p", setMode},
    {Cmd::ModePartGeometry, modeMenu, "部分操作２(&P)", "Shift+P", setMode},
    {Cmd::ModePoint, modeMenu, "点操作(&V)", "i", setMode},
    {Cmd::ModeTexture, modeMenu, "テクスチャ操作(&T)", "y", setMode},
    {Cmd{}, modeMenu, nullptr, nullptr, nullptr},
    {Cmd::ModeWindow, modeMenu, "ダイアログ", nullptr, toolWindow},

    {Cmd::PlusX, moveMenu, "+X", "g", poseStep},
    {Cmd::MinusX, moveMenu, "-X", "f", poseStep},
    {Cmd::PlusY, moveMenu, "+Y", "b", poseStep},
    {Cmd::MinusY, moveMenu, "-Y", "h", poseStep},
    {Cmd::PlusZ, moveMenu, "+Z", "t", poseStep},
    {Cmd::MinusZ, moveMenu, "-Z", "v", poseStep},
    {Cmd{}, moveMenu, nullptr, nullptr, nullptr},
    {Cmd::TurnUp, moveMenu, "上方向", "w", poseStep},
    {Cmd::TurnDown, moveMenu, "下方向", "s", poseStep},
    {Cmd::TurnLeft, moveMenu, "左方向", "a", poseStep},
    {Cmd::TurnRight, moveMenu, "右方向", "d", poseStep},
    {Cmd::TwistLeft, moveMenu, "左ねじり", "z", poseStep},
    {Cmd::TwistRight, moveMenu, "右ねじり", "x", poseStep},

    {Cmd(600), distanceMenu, "&1", "1", stepChoice},
    {Cmd(601), distanceMenu, "&2", "2", stepChoice},
    {Cmd(602), distanceMenu, "&3", "3", stepChoice},
    {Cmd(603), distanceMenu, "&4", "4", stepChoice},
    {Cmd(604), distanceMenu, "&5", "5", stepChoice},
    {Cmd(605), distanceMenu, "&6", "6", stepChoice},

    {Cmd(514), angleMenu, "&1", "Shift+1", stepChoice},
    {Cmd(515), angleMenu, "&2", "Shift+2", stepChoice},
    {Cmd(516), angleMenu, "&3", "Shift+3", stepChoice},
    {Cmd(517), angleMenu, "&4", "Shift+4", stepChoice},
    {Cmd(518), angleMenu, "&5", "Shift+5", stepChoice},
    {Cmd(519), angleMenu, "&6", "Shift+6", stepChoice},

    {Cmd::ChooseObject, viewMenu, "物体(&O)", "9", [](ModelEditor& e, int) { return e.objectChoice(), true; }},
    {Cmd::ChoosePart, viewMenu, "部分(&P)", "0", [](ModelEditor& e, int) { return e.partChoice(), true; }},
    {Cmd::ObjectWindow, viewMenu, "物体ﾀﾞｲｱﾛｸﾞ", nullptr, toolWindow},
    {Cmd::PartWindow, viewMenu, "部分ﾀﾞｲｱﾛｸﾞ", nullptr, toolWindow},
    {Cmd{}, viewMenu, nullptr, nullptr, nullptr},
    {Cmd::Symmetry, viewMenu, "対称性(&S)", nullptr,
     [](ModelEditor& e, int) { return e.state.symmetry = !e.state.symmetry, false; }},
    {Cmd::ZoomUp, viewMenu, "ズームアップ", nullptr, [](ModelEditor& e, int) { return e.zoomBy(zoomUp); }},
    {Cmd::ZoomDown, viewMenu, "ズームダウン", nullptr, [](ModelEditor& e, int) { return e.zoomBy(zoomDown); }},
    {Cmd::ZoomTo, viewMenu, "ズーム率の指定", nullptr, [](ModelEditor& e, int) { return e.zoomTo(); }},
    {Cmd::ScaleFactor, viewMenu, "ｽｹｰﾙﾌｧｸﾀ設定", nullptr, [](ModelEditor& e, int) { return e.scaleFactor(); }},

    {Cmd::ToolMoveToPart, faceMenu, "部分異動(&T)", nullptr, armTool},
    {Cmd::ToolDelete, faceMenu, "削除　    (&D)", nullptr, armTool},
    {Cmd::ToolCrossSplit, faceMenu, "十字分割(&S)", nullptr, armTool},
    {Cmd::ToolHorizontalSplit, faceMenu, "水平分割(&H)", nullptr, armTool},
    {Cmd::ToolVerticalSplit, faceMenu, "垂直分割(&V)", nullptr, armTool},
    {Cmd::ToolDiagonal, faceMenu, "斜線変更", nullptr, armTool},
    {Cmd::ToolExtrude, faceMenu, "立ち上げ", nullptr, armTool},
    {Cmd::ToolDoubleSided, faceMenu, "両面／片面", nullptr, armTool},
    {Cmd::ToolAddPoint, faceMenu, "点追加   (&A)", nullptr, armTool},
    {Cmd::ToolChangePoint, faceMenu, "点変更   (&C)", nullptr, armTool},
    {Cmd::ToolColour, faceMenu, "色変更", nullptr, armTool},
    {Cmd::ToolTexture, faceMenu, "テクスチャ変更", nullptr, armTool},
    {Cmd::ToolTwistFix, faceMenu, "ねじれ対策", nullptr, armTool},
    {Cmd::ToolTurnOver, faceMenu, "裏返す", nullptr, armTool},
    {Cmd{}, faceMenu, nullptr, nullptr, nullptr},
    {Cmd::Execute, faceMenu, "実行", "n", [](ModelEditor& e, int) { return e.edited(execute(e.state, e.table)); }},
    {Cmd::ReverseExecute, faceMenu, "逆実行", "m", [](ModelEditor& e, int) { return e.edited(reverseexecute(e.state)); }},
    {Cmd{}, faceMenu, nullptr, nullptr, nullptr},
    {Cmd::FaceToolWindow, faceMenu, "ダイアログ", nullptr, toolWindow},

    {Cmd::AddPart, partMenu, "部分追加(&A)", nullptr, addPartCommand<false>},
    {Cmd::InsertPart, partMenu, "部分挿入(&I)", nullptr, addPartCommand<true>},
    {Cmd{}, partMenu, nullptr, nullptr, nullptr},
    {Cmd::DeletePart, partMenu, "削除(&D)", nullptr, deletePartCommand<PartDelete::node>},
    {Cmd::DeletePartFaces, partMenu, "中身も削除", nullptr, deletePartCommand<PartDelete::withFaces>},
    {Cmd::DeletePartChildren, partMenu, "子も削除", nullptr, deletePartCommand<PartDelete::withChildren>},
    {Cmd{}, partMenu, nullptr, nullptr, nullptr},
    {Cmd::ResizePart, partMenu, "サイズ変更(&S)", nullptr, edit<resizePart>},
    {Cmd::RenamePart, partMenu, "名前変更(&N)", nullptr, edit<renamePart>},
    {Cmd::RenameObject, partMenu, "物体名前変更", nullptr, edit<renameObject>},
    {Cmd::ReorderParts, partMenu, "並べ替え", nullptr, edit<reorderChildren>},
    {Cmd::ChangeParent, partMenu, "親を変更", nullptr, edit<changeParent>},

    {Cmd::AddColour, colourMenu, "色追加(&A)", nullptr, edit<addColour>},
    {Cmd::ChangeColour, colourMenu, "色変更(&C)", nullptr, edit<changeColour>},
    {Cmd::ChooseColour, colourMenu, "色選択(&S)", nullptr, edit<chooseColour>},

    {Cmd::AddTexture, textureMenu, "テクスチャ追加", nullptr, edit<createTexture>},
    {Cmd::ChooseTexture, textureMenu, "テクスチャ選択(&T)", nullptr, edit<chooseTexture>},
    {Cmd{}, textureMenu, nullptr, nullptr, nullptr},
    // Only the view is drawn again: the central redraw reloads every
    // pattern and would show pattern 0 again.
    {Cmd::Pattern, textureMenu, "表情", "8",
     [](ModelEditor& e, int) {
         EditContext c = e.editContext();
         if (!choosePattern(c)) return false;
         e.applyPose();
         return true;
     }},
    {Cmd::AddPattern, textureMenu, "表情追加", nullptr, edit<addPattern>},
    {Cmd::RemovePattern, textureMenu, "表情削除", nullptr, edit<removePattern>},
    {Cmd{}, textureMenu, nullptr, nullptr, nullptr},
    {Cmd::TextureShorter, textureMenu, "テクスチャ縦縮小    ↑", "Up", textureSize},
    {Cmd::TextureTaller, textureMenu, "テクスチャ縦拡大    ↓", "Down", textureSize},
    {Cmd::TextureNarrower, textureMenu, "テクスチャ横縮小    ←", "Left", textureSize},
    {Cmd::TextureWider, textureMenu, "テクスチャ横拡大    →", "Right", textureSize},

    {Cmd::DragVerticalX, mouseMenu, "Ｘ移動", nullptr, stepChoice},
    {Cmd::DragVerticalY, mouseMenu, "Ｙ移動", nullptr, stepChoice},
    {Cmd::DragVerticalZ, mouseMenu, "Ｚ移動", nullptr, stepChoice},
    {Cmd::DragVerticalTurn, mouseMenu, "縦回転", nullptr, stepChoice},
    {Cmd::DragVerticalNone, mouseMenu, "取り消し", nullptr, stepChoice},
    {Cmd{}, mouseMenu, nullptr, nullptr, nullptr},
    {Cmd::DragHorizontalX, mouseMenu, "Ｘ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalY, mouseMenu, "Ｙ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalZ, mouseMenu, "Ｚ移動", nullptr, stepChoice},
    {Cmd::DragHorizontalTurn, mouseMenu, "横回転", nullptr, stepChoice},
    {Cmd::DragHorizontalBank, mouseMenu, "バンク", nullptr, stepChoice},
    {Cmd::DragHorizontalNone, mouseMenu, "取り消し", nullptr, stepChoice},
    {Cmd{}, mouseMenu, nullptr, nullptr, nullptr},
    {Cmd::MouseWindow, mouseMenu, "ダイアログ", nullptr, toolWindow},

    {Cmd::Help, helpMenu, "ヘルプ(&H)", nullptr, [](ModelEditor& e, int) { return e.host().openHelp("quillomodel.html"), false; }},
};

} // namespace

const PoseCommandIds& modelerPoseIds()
{
    static const PoseCommandIds ids = poseIdsOf<Cmd>();
    return ids;
}

CommandTable modelerCommandTable(ModelEditor& editor)
{
    std::vector<CommandEntry> entries = bindCommandRows(rows, editor);
    return CommandTable({fileMenu, editMenu, modeMenu, moveMenu, distanceMenu, angleMenu, viewMenu, faceMenu, partMenu,
                         colourMenu, textureMenu, mouseMenu, helpMenu},
                        std::move(entries));
}

} // namespace quillo
