// The control numbers of the converter's window, shared by the window and
// the Qt-free reading of its --script lines.
#pragma once

namespace quillo {

// Control identifiers of "DMAIN". Every control's objectName is its number
// ("102"), so tests and scripts can find it.
enum DmainControl : int {
    dmainInputGroup = 1,    // "入力ファイル名"
    dmainOutputGroup = 2,   // "出力ファイル名"
    dmainColourGroup = 3,   // "色"
    dmainSizeGroup = 4,     // "ﾓﾃﾞﾙｻｲｽﾞ(m)"
    dmainFacesGroup = 5,    // "表示する面"
    dmainConvert = 100,     // "変換", the default button
    dmainQuit = 101,        // "終了"
    dmainInputPath = 102,   // edit
    dmainOutputPath = 103,  // edit
    dmainModelSize = 104,   // edit, metres
    dmainChooseInput = 105, // "参照"
    dmainChooseOutput = 106,// "参照"
    dmainGroupByColour = 107, // "色別グループ化"
    dmainAllWhite = 108,    // "すべて白にする"
    dmainBothSides = 109,   // "両面"
    dmainFront = 110,       // "正" (radio)
    dmainReverse = 111,     // "逆" (radio)
    dmainFastConvert = 112, // "高速変換"
    dmainHelp = 113,        // "ヘルプ"
};

} // namespace quillo
