// Asks the X server about another program's window (the preview parent or
// xscreensaver's window) before Qt is given it: Qt would otherwise end the
// program with an X error for a window that does not exist.
#pragma once

#include <cstdint>

#include <QSize>

namespace quillo {

// True with the window's size when `id` names a window of the X display
// the application runs on; false for any other id, and without X11.
bool x11WindowSize(uint64_t id, QSize& size);

} // namespace quillo
