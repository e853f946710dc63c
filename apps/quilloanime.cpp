// quilloanime: the animation editor. --render draws a model through the 3D
// engine and needs no display.
#include <cstdio>
#include <cstring>

#include "anime_render.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quilloanime --render OUT.png MODEL.md4 [--size WxH] [--zoom Z]\n"
               "                   [--camera x,y,z,a,b,c] [--zbuffer|--no-zbuffer]\n"
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
    usage(stderr);
    return 2;
}
