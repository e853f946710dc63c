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
const char* const faceMenu = "面操作(&T)";
const char* const partMenu = "部分(&P)";
const char* const colourMenu = "色(&C)";
const char* const textureMenu = "テクスチャ(&X)";
const char* const mouseMenu = "マウス(&U)";
const char* const helpMenu = "ヘルプ(&H)";

} // namespace

const std::vector<const char*>& modelerMenus()
{
    static const std::vector<const char*> menus = {fileMenu, modeMenu,   moveMenu,    distanceMenu,
                                                   angleMenu, viewMenu,  faceMenu,    partMenu,
                                                   colourMenu, textureMenu, mouseMenu, helpMenu};
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

        {500, faceMenu, "部分異動(&T)", nullptr},
        {501, faceMenu, "削除　    (&D)", nullptr},
        {502, faceMenu, "十字分割(&S)", nullptr},
        {503, faceMenu, "水平分割(&H)", nullptr},
        {504, faceMenu, "垂直分割(&V)", nullptr},
        {505, faceMenu, "斜線変更", nullptr},
        {506, faceMenu, "立ち上げ", nullptr},
        {507, faceMenu, "両面／片面", nullptr},
        {508, faceMenu, "点追加   (&A)", nullptr},
        {509, faceMenu, "点変更   (&C)", nullptr},
        {510, faceMenu, "色変更", nullptr},
        {511, faceMenu, "テクスチャ変更", nullptr},
        {512, faceMenu, "ねじれ対策", nullptr},
        {513, faceMenu, "裏返す", nullptr},
        {0, faceMenu, nullptr, nullptr},
        {618, faceMenu, "実行", "n"},
        {619, faceMenu, "逆実行", "m"},
        {0, faceMenu, nullptr, nullptr},
        {523, faceMenu, "ダイアログ", nullptr},

        {400, partMenu, "部分追加(&A)", nullptr},
        {401, partMenu, "部分挿入(&I)", nullptr},
        {0, partMenu, nullptr, nullptr},
        {402, partMenu, "削除(&D)", nullptr},
        {403, partMenu, "中身も削除", nullptr},
        {404, partMenu, "子も削除", nullptr},
        {0, partMenu, nullptr, nullptr},
        {405, partMenu, "サイズ変更(&S)", nullptr},
        {406, partMenu, "名前変更(&N)", nullptr},
        {407, partMenu, "物体名前変更", nullptr},
        {408, partMenu, "並べ替え", nullptr},
        {409, partMenu, "親を変更", nullptr},

        {700, colourMenu, "色追加(&A)", nullptr},
        {701, colourMenu, "色変更(&C)", nullptr},
        {702, colourMenu, "色選択(&S)", nullptr},

        {703, textureMenu, "テクスチャ追加", nullptr},
        {704, textureMenu, "テクスチャ選択(&T)", nullptr},
        {0, textureMenu, nullptr, nullptr},
        {201, textureMenu, "表情", "8"},
        {705, textureMenu, "表情追加", nullptr},
        {706, textureMenu, "表情削除", nullptr},
        {0, textureMenu, nullptr, nullptr},
        {626, textureMenu, "テクスチャ縦縮小    ↑", "Up"},
        {627, textureMenu, "テクスチャ縦拡大    ↓", "Down"},
        {628, textureMenu, "テクスチャ横縮小    ←", "Left"},
        {629, textureMenu, "テクスチャ横拡大    →", "Right"},

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
