// The layouts of the animation editor's modeless windows: "DMODE" (the
// three modes), "DTOOL" (titled "場面": previous frame, record, next frame)
// and "DMOUS" (steps and drag assignments).
#pragma once

#include "platform/tool_window_spec.h"

namespace quillo::animeditor {

const ToolWindowSpec& animeModeWindowSpec();
const ToolWindowSpec& sceneToolWindowSpec();
const ToolWindowSpec& animeMouseWindowSpec();

} // namespace quillo::animeditor
