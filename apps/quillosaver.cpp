// quillosaver: plays one MD7 animation without end, full screen (-s), in a
// preview window (-p ID), as an xscreensaver hack (-root, -window-id ID),
// or opens its settings (-c, or anything else). --render draws a frame
// without a display.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver/saver_app.h"
#include "saver/saver_command_line.h"
#include "saver_render.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quillosaver -s                  full screen until the mouse moves or a key is pressed\n"
               "       quillosaver -p WINDOW_ID        preview inside that X window (no sound)\n"
               "       quillosaver -c                  the settings dialog (also without options)\n"
               "       quillosaver -root               as an xscreensaver hack (window in XSCREENSAVER_WINDOW)\n"
               "       quillosaver -window-id ID       draw into that X window until SIGTERM\n"
               "       quillosaver -c|-s --script SCRIPT   run a script against the dialog or the saver window\n"
               "       quillosaver --render OUT.png ANIM.md7 [--steps N] [--size WxH]\n"
               "  --render   write the frame after N playback steps (default 1, 640x480) as PNG\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const quillo::SaverCommand command = quillo::parseSaverCommandLine(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (command.mode == quillo::SaverMode::help) {
        usage(stdout);
        return 0;
    }
    if (command.mode == quillo::SaverMode::render) return quillo::saverRenderCommand(command.renderArgs);
    int qtArgc = 1;
    return quillo::runSaverApp(qtArgc, argv, command);
}
