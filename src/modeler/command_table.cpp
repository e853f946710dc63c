#include "command_table.h"

#include <cstring>

namespace quillo {

namespace {

const char* const fileMenu = "ファイル(&F)";
const char* const modeMenu = "モード(&M)";
const char* const moveMenu = "移動(&E)";
const char* const distanceMenu = "移動距離(&S)";
const char* const angleMenu = "回転角度(&S)";
const char* const viewMenu = "表示(&V)";
const char* const mouseMenu = "マウス(&U)";
const char* const helpMenu = "ヘルプ(&H)";

} // namespace

const std::vector<const char*>& modelerMenus()
{
    static const std::vector<const char*> menus = {fileMenu,  modeMenu,  moveMenu, distanceMenu,
                                                   angleMenu, viewMenu, mouseMenu, helpMenu};
    return menus;
}

const std::vector<CommandInfo>& modelerCommands()
{
    static const std::vector<CommandInfo> table = {
        {101, fileMenu, "開く(&O)", nullptr},
        {102, fileMenu, "挿入(&I)", nullptr},
        {103, fileMenu, "閉じる(&C)", nullptr},
        {104, fileMenu, "上書き保存(&S)", nullptr},
        {105, fileMenu, "別名で保存(&A)", nullptr},
        {0, fileMenu, nullptr, nullptr},
        {107, fileMenu, "オプション", nullptr},
        {0, fileMenu, nullptr, nullptr},
        {106, fileMenu, "終了(&X)", nullptr},

        {620, modeMenu, "カメラ操作(&C)", "u"},
        {622, modeMenu, "物体操作(&O)", "o"},
        {623, modeMenu, "部分操作", "p"},
        {631, modeMenu, "部分操作２(&P)", "Shift+P"},
        {621, modeMenu, "点操作(&V)", "i"},
        {630, modeMenu, "テクスチャ操作(&T)", "y"},
        {0, modeMenu, nullptr, nullptr},
        {520, modeMenu, "ダイアログ", nullptr},

        {615, moveMenu, "+X", "g"},
        {614, moveMenu, "-X", "f"},
        {617, moveMenu, "+Y", "b"},
        {616, moveMenu, "-Y", "h"},
        {612, moveMenu, "+Z", "t"},
        {613, moveMenu, "-Z", "v"},
        {0, moveMenu, nullptr, nullptr},
        {606, moveMenu, "上方向", "w"},
        {607, moveMenu, "下方向", "s"},
        {608, moveMenu, "左方向", "a"},
        {609, moveMenu, "右方向", "d"},
        {610, moveMenu, "左ねじり", "z"},
        {611, moveMenu, "右ねじり", "x"},

        {600, distanceMenu, "&1", "1"},
        {601, distanceMenu, "&2", "2"},
        {602, distanceMenu, "&3", "3"},
        {603, distanceMenu, "&4", "4"},
        {604, distanceMenu, "&5", "5"},
        {605, distanceMenu, "&6", "6"},

        {514, angleMenu, "&1", "Shift+1"},
        {515, angleMenu, "&2", "Shift+2"},
        {516, angleMenu, "&3", "Shift+3"},
        {517, angleMenu, "&4", "Shift+4"},
        {518, angleMenu, "&5", "Shift+5"},
        {519, angleMenu, "&6", "Shift+6"},

        {624, viewMenu, "物体(&O)", "9"},
        {625, viewMenu, "部分(&P)", "0"},
        {300, viewMenu, "物体ﾀﾞｲｱﾛｸﾞ", nullptr},
        {301, viewMenu, "部分ﾀﾞｲｱﾛｸﾞ", nullptr},
        {0, viewMenu, nullptr, nullptr},
        {200, viewMenu, "対称性(&S)", nullptr},
        {202, viewMenu, "ズームアップ", nullptr},
        {203, viewMenu, "ズームダウン", nullptr},
        {204, viewMenu, "ズーム率の指定", nullptr},
        {205, viewMenu, "ｽｹｰﾙﾌｧｸﾀ設定", nullptr},

        {1200, mouseMenu, "Ｘ移動", nullptr},
        {1201, mouseMenu, "Ｙ移動", nullptr},
        {1202, mouseMenu, "Ｚ移動", nullptr},
        {1203, mouseMenu, "縦回転", nullptr},
        {1210, mouseMenu, "取り消し", nullptr},
        {0, mouseMenu, nullptr, nullptr},
        {1204, mouseMenu, "Ｘ移動", nullptr},
        {1205, mouseMenu, "Ｙ移動", nullptr},
        {1206, mouseMenu, "Ｚ移動", nullptr},
        {1207, mouseMenu, "横回転", nullptr},
        {1208, mouseMenu, "バンク", nullptr},
        {1209, mouseMenu, "取り消し", nullptr},
        {0, mouseMenu, nullptr, nullptr},
        {524, mouseMenu, "ダイアログ", nullptr},

        {707, helpMenu, "ヘルプ(&H)", nullptr},
    };
    return table;
}

const CommandInfo* findCommand(int id)
{
    for (const CommandInfo& c : modelerCommands())
        if (c.id == id && c.label) return &c;
    return nullptr;
}

int commandForKey(const char* key)
{
    for (const CommandInfo& c : modelerCommands())
        if (c.key && std::strcmp(c.key, key) == 0) return c.id;
    return 0;
}

} // namespace quillo
