// The model editor's three modeless button windows: "DMODE" (edit modes),
// "DTOOL" (face tools) and "DMOUS" (steps and mouse assignments).
#pragma once

#include "platform/tool_window_spec.h"

namespace quillo {

const ToolWindowSpec& modeWindowSpec();  // 520 "DMODE" "ﾓｰﾄﾞ"
const ToolWindowSpec& faceWindowSpec();  // 523 "DTOOL" "面操作"
const ToolWindowSpec& mouseWindowSpec(); // 524 "DMOUS" "マウス設定"

} // namespace quillo
