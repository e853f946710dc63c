// Control identifiers of the shared dialog boxes and tool windows. Every
// control also carries its identifier as its object name ("804"), so tests
// and scripts can find it with findControl().
#pragma once

namespace quillo::controls {

// Common to several dialogs.
constexpr int ok = 800;
constexpr int cancel = 801;
constexpr int list = 802;

// "DEDIT"
constexpr int prompt = 803;
constexpr int answer = 804;

// "DRETU"
constexpr int forward = 805;  // "前へ"
constexpr int backward = 806; // "後ろへ"

// "DCOL": scroll bars, then the matching edit fields.
constexpr int redBar = 900;
constexpr int greenBar = 901;
constexpr int blueBar = 902;
constexpr int ambientBar = 903;
constexpr int diffuseBar = 904;
constexpr int specularBar = 905;
constexpr int redField = 906;
constexpr int greenField = 907;
constexpr int blueField = 908;
constexpr int ambientField = 909;
constexpr int diffuseField = 910;
constexpr int specularField = 911;

// "DMAG"
constexpr int magWidth = 909;  // "横"
constexpr int magHeight = 910; // "縦"
constexpr int magDepth = 911;  // "奥行き"

// "DTEXT"
constexpr int bmpFile = 1000;
constexpr int textureName = 1001;
constexpr int browse = 1002; // "参照", also in "DDSET"
constexpr int planeXY = 1003;
constexpr int planeXZ = 1004;
constexpr int planeZY = 1005;

// "DDSET"
constexpr int defaultFile = 804;
constexpr int fullScreen = 1101;
constexpr int zBuffer = 1102;
constexpr int resolution1600 = 1103;
constexpr int resolution1280 = 1104;
constexpr int resolution1024 = 1105;
constexpr int resolution800 = 1106;
constexpr int resolution640 = 1107;

} // namespace quillo::controls
