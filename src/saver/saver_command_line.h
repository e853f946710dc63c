// quillosaver's command line. First the program's own options (--script
// FILE anywhere, --render …, --help), then xscreensaver's (-root with the
// window in XSCREENSAVER_WINDOW, -window-id ID, and the generic options it
// may add, which are ignored), then the screen-saver letter rule on the
// first remaining token: its second character S/s saver, P/p preview with
// the parent window id after it, anything else (or nothing) the settings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillo {

enum class SaverMode {
    settings,
    saver,         // full screen until the user moves
    preview,       // a child of the given window, no sound
    xscreensaver,  // a child of the given window, ended by SIGTERM
    render,        // --render: one frame to PNG
    help,
};

struct SaverCommand {
    SaverMode mode = SaverMode::settings;
    uint64_t window = 0;     // preview and xscreensaver: the window to draw into
    bool windowValid = true; // false: a preview or -window-id without a usable id
    std::string scriptPath;  // --script FILE
    std::vector<std::string> renderArgs; // --render: what follows it
    std::string note;        // said on standard error (e.g. -root without its window)
};

// `xscreensaverWindow`: the value of XSCREENSAVER_WINDOW, null when unset.
SaverCommand parseSaverCommandLine(const std::vector<std::string>& args, const char* xscreensaverWindow);

// A window id in decimal or 0x hexadecimal; false for anything else, 0 or
// a number that does not fit.
bool parseWindowId(const std::string& text, uint64_t& id);

} // namespace quillo
