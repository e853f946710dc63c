// quilloanime: the animation editor. Without options it opens its window
// (with FILE.md7 instead of the default file); --script runs an editing
// script against the window's real commands and dialogs. --info, --convert,
// --render, --frames and --play need no display.
#include <cstdio>
#include <cstring>

#include "anime_cli.h"
#include "anime_render.h"
#ifdef QUILLOANIME_WINDOW
#include "anime_frames.h"
#include "animeditor/anime_app.h"
#endif

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quilloanime [FILE.md7]                  open the editor\n"
               "       quilloanime --script SCRIPT [FILE.md7]  run an editing script, then exit\n"
               "       quilloanime --info FILE.md7\n"
               "       quilloanime --info FILE.md6 [MODEL]\n"
               "       quilloanime --convert IN.md7 OUT.md7\n"
               "       quilloanime --convert IN.md6 OUT.md6 MODEL\n"
               "       quilloanime --frames PATTERN FILE.md7 [--scene S] [--from A] [--to B] [--size WxH]\n"
               "       quilloanime --play N PATTERN FILE.md7 [--size WxH]\n"
               "       quilloanime --render OUT.png MODEL.md4 [--size WxH] [--zoom Z]\n"
               "                   [--camera x,y,z,a,b,c] [--zbuffer|--no-zbuffer]\n"
               "  --script   answer every dialog from SCRIPT instead of showing it (see README.md)\n"
               "  --info     print the tables, scenes, models, record sizes and frame counts of an\n"
               "             animation, or the name, record size and frames of a motion (and whether\n"
               "             it fits MODEL's object)\n"
               "  --convert  read a file and write it back (a motion only when it fits MODEL)\n"
               "  --frames   write frames A to B of scene S (from 1) as PNG files named by PATTERN\n"
               "             (like out/frame%04d.png, numbered from 0)\n"
               "  --play     write the first N playback steps across scenes as PNG files\n"
               "  --render   draw MODEL through the 3D engine and write the frame as PNG\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--render") == 0) return quillo::animeRenderCommand(argc, argv);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    const int code = quillo::animeCommand(argc, argv);
    if (code >= 0) return code;
#ifdef QUILLOANIME_WINDOW
    if (argc >= 2 && (std::strcmp(argv[1], "--frames") == 0 || std::strcmp(argv[1], "--play") == 0))
        return quillo::animeFramesCommand(argc, argv);
    quillo::animeditor::AnimeRunOptions options;
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--script") == 0) {
        if (i + 1 >= argc) {
            usage(stderr);
            return 2;
        }
        options.scriptPath = argv[i + 1];
        i += 2;
    }
    if (i < argc && std::strncmp(argv[i], "--", 2) != 0 && i + 1 == argc) {
        options.file = argv[i];
        ++i;
    }
    if (i == argc) {
        int qtArgc = 1;
        return quillo::animeditor::runAnimeEditor(qtArgc, argv, options);
    }
#endif
    usage(stderr);
    return 2;
}
