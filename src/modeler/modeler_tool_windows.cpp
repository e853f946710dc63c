#include "modeler_tool_windows.h"

namespace quillo {

const ToolWindowSpec& modeWindowSpec()
{
    static const ToolWindowSpec layout = {520, "DMODE", "ﾓｰﾄﾞ",
                                        {{nullptr, 1,
                                          {{620, "カメラ"},
                                           {622, "物体"},
                                           {623, "部分"},
                                           {631, "部分２"},
                                           {621, "点"},
                                           {630, "ﾃｸｽﾁｬ"}}}}};
    return layout;
}

const ToolWindowSpec& faceWindowSpec()
{
    static const ToolWindowSpec layout = {523, "DTOOL", "面操作",
                                        {{nullptr, 2,
                                          {{500, "部分異動"},
                                           {501, "削除"},
                                           {502, "十字分割"},
                                           {503, "水平分割"},
                                           {504, "垂直分割"},
                                           {505, "斜線変更"},
                                           {508, "点追加"},
                                           {509, "点変更"},
                                           {510, "色変更"},
                                           {511, "ﾃｸｽﾁｬ変更"},
                                           {506, "立ち上げ"},
                                           {507, "両面／片面"},
                                           {512, "ねじれ対策"},
                                           {513, "裏返す"},
                                           {618, "実行"},
                                           {619, "逆実行"}}}}};
    return layout;
}

const ToolWindowSpec& mouseWindowSpec()
{
    static const ToolWindowSpec layout = {
        524,
        "DMOUS",
        "マウス設定",
        {{"移動距離", 6, {{600, "1"}, {601, "2"}, {602, "3"}, {603, "4"}, {604, "5"}, {605, "6"}}},
         {"回転角度", 6, {{514, "1"}, {515, "2"}, {516, "3"}, {517, "4"}, {518, "5"}, {519, "6"}}},
         {"マウス縦移動",
          1,
          {{1200, "Ｘ移動"}, {1201, "Ｙ移動"}, {1202, "Ｚ移動"}, {1203, "縦回転"}, {1210, "Cancel"}}},
         {"マウス横移動",
          1,
          {{1204, "Ｘ移動"},
           {1205, "Ｙ移動"},
           {1206, "Ｚ移動"},
           {1207, "横回転"},
           {1208, "バンク"},
           {1209, "Cancel"}},
          true}}};
    return layout;
}

} // namespace quillo
