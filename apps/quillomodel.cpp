// quillomodel: the model editor. The modes below need no display.
#include <cstdio>
#include <cstring>
#include <string>

#include "model_info.h"
#include "render_command.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quillomodel --info MODEL\n"
               "       quillomodel --convert IN OUT\n"
               "       quillomodel --render OUT.png MODEL [--size WxH] [--zbuffer] [--zoom Z]\n"
               "                   [--camera x,y,z,a,b,c] [--pattern N]\n"
               "  --info     print the objects, part trees and table sizes of a model file\n"
               "  --convert  read IN and write OUT in the flavour OUT's name gives\n"
               "             (.md4: integer grid units; .md5 or other: real model units)\n"
               "  --render   draw MODEL as the editor shows it and write the frame as PNG\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--info") == 0) return quillo::infoCommand(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0) return quillo::convertCommand(argv[2], argv[3]);
    if (argc >= 2 && std::strcmp(argv[1], "--render") == 0) return quillo::renderCommand(argc, argv);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    usage(stderr);
    return 2;
}
