// quillosaver's windowed modes: the Qt application, the settings store, the
// lock, the message boxes, the windows, the sound, and --script runs.
#pragma once

#include "saver_command_line.h"

namespace quillo {

// Runs saver, preview, xscreensaver or settings mode; the exit status (0,
// or 1 when the window could not be made or a script line failed, 2 when
// the script cannot be read).
int runSaverApp(int& argc, char** argv, const SaverCommand& command);

} // namespace quillo
