// quilloanime: the animation editor. The modes below need no display:
// --info and --convert for animation and motion files, --render draws a model
// through the 3D engine.
#include <cstdio>
#include <cstring>

#include "anime_cli.h"
#include "anime_render.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quilloanime --info FILE.md7\n"
               "       quilloanime --info FILE.md6 [MODEL]\n"
               "       quilloanime --convert IN.md7 OUT.md7\n"
               "       quilloanime --convert IN.md6 OUT.md6 MODEL\n"
               "       quilloanime --render OUT.png MODEL.md4 [--size WxH] [--zoom Z]\n"
               "                   [--camera x,y,z,a,b,c] [--zbuffer|--no-zbuffer]\n"
               "  --info     print the tables, scenes, models, record sizes and frame counts of an\n"
               "             animation, or the name, record size and frames of a motion (and whether\n"
               "             it fits MODEL's object)\n"
               "  --convert  read a file and write it back (a motion only when it fits MODEL)\n"
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
    usage(stderr);
    return 2;
}
