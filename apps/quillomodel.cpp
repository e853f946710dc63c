// quillomodel: the model editor. Without options it opens its window;
// --info, --convert and --render need no display, --script runs an editing
// script against the window's real commands and dialogs.
#include <cstdio>
#include <cstring>
#include <string>

#include "exchange_command.h"
#include "model_info.h"
#include "modeler/modeler_app.h"
#include "render_command.h"

namespace {

void usage(FILE* to)
{
    std::fputs("usage: quillomodel [MODEL]                open the editor (on MODEL if it can be read)\n"
               "       quillomodel --script SCRIPT [MODEL]  run an editing script, then exit\n"
               "       quillomodel --info MODEL\n"
               "       quillomodel --convert IN OUT\n"
               "       quillomodel --export OUT.gltf|OUT.glb|OUT.obj MODEL\n"
               "       quillomodel --import IN.gltf|IN.glb|IN.obj OUT.md4|OUT.md5\n"
               "       quillomodel --render OUT.png MODEL [--size WxH] [--zbuffer] [--zoom Z]\n"
               "                   [--camera x,y,z,a,b,c] [--pattern N]\n"
               "  --script   answer every dialog from SCRIPT instead of showing it (see README.md)\n"
               "  --info     print the objects, part trees and table sizes of a model file\n"
               "  --convert  read IN and write OUT in the flavour OUT's name gives\n"
               "             (.md4: integer grid units; .md5 or other: real model units)\n"
               "  --export   write MODEL as glTF 2.0 (GLB when OUT ends in .glb) or OBJ with MTL and PNG\n"
               "  --import   read a glTF 2.0 or OBJ file and write it as a model file\n"
               "  --render   draw MODEL as the editor shows it and write the frame as PNG\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--info") == 0) return quillo::infoCommand(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0) return quillo::convertCommand(argv[2], argv[3]);
    if (argc >= 2 && std::strcmp(argv[1], "--render") == 0) return quillo::renderCommand(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--export") == 0) return quillo::exportCommand(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--import") == 0) return quillo::importCommand(argv[2], argv[3]);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    quillo::EditorRunOptions options;
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--script") == 0) {
        if (i + 1 >= argc) {
            usage(stderr);
            return 2;
        }
        options.scriptPath = argv[i + 1];
        i += 2;
    }
    if (i < argc && std::strncmp(argv[i], "--", 2) == 0) {
        usage(stderr);
        return 2;
    }
    // The first word of the command line is the model to open.
    if (i < argc) options.file = argv[i];
    int qtArgc = 1;
    return quillo::runEditor(qtArgc, argv, options);
}
