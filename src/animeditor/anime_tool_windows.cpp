#include "anime_tool_windows.h"

#include "anime_commands.h"

namespace quillo::animeditor {

const ToolWindowSpec& animeModeWindowSpec()
{
    static const ToolWindowSpec layout = {
        id(Cmd::ModeWindow), "DMODE", "ﾓｰﾄﾞ", {{nullptr, 1, {{620, "カメラ"}, {622, "物体"}, {623, "部分"}}}}};
    return layout;
}

const ToolWindowSpec& sceneToolWindowSpec()
{
    static const ToolWindowSpec layout = {
        id(Cmd::SceneWindow), "DTOOL", "場面", {{nullptr, 3, {{628, "←"}, {618, "記録"}, {629, "→"}}}}};
    return layout;
}

const ToolWindowSpec& animeMouseWindowSpec()
{
    static const ToolWindowSpec layout = {
        id(Cmd::MouseWindow),
        "DMOUS",
        "マウス設定",
        {{"移動距離", 6, {{600, "1"}, {601, "2"}, {602, "3"}, {603, "4"}, {604, "5"}, {605, "6"}}},
         {"回転角度", 6, {{591, "1"}, {592, "2"}, {593, "3"}, {594, "4"}, {595, "5"}, {596, "6"}}},
         {"マウス縦移動", 1, {{702, "Ｘ移動"}, {703, "Ｙ移動"}, {704, "Ｚ移動"}, {705, "縦回転"}, {706, "Cancel"}}},
         {"マウス横移動",
          1,
          {{707, "Ｘ移動"}, {708, "Ｙ移動"}, {709, "Ｚ移動"}, {710, "横回転"}, {711, "バンク"}, {712, "Cancel"}},
          true}}};
    return layout;
}

} // namespace quillo::animeditor
