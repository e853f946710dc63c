#include "anime_render.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "command_args.h"
#include "engine3d/software_device.h"
#include "platform/engine_image.h"

namespace quillo {

bool parseAnimeRenderOptions(int argc, char** argv, AnimeRenderOptions& o, std::string& error)
{
    RenderArguments args;
    engine3d::SnapshotOptions& f = o.frame;
    args.width = f.width, args.height = f.height, args.zoom = f.zoom;
    const bool ok = parseRenderArguments(argc, argv, engine3d::SoftwareDevice::maxSide, args, error,
                                         [&](const std::string& arg, int&) {
                                             if (arg != "--zbuffer" && arg != "--no-zbuffer") return 0;
                                             f.zbuffer = arg == "--zbuffer";
                                             return 1;
                                         });
    if (!ok) return false;
    // The engine's targets are at least 10 pixels each way, and a zoom
    // below 1 would leave the view as it was.
    if (args.width < 10 || args.height < 10) {
        error = "--size needs WIDTHxHEIGHT, each 10 to 16384";
        return false;
    }
    if (args.zoom <= 0) {
        error = "--zoom needs a whole number above 0 (256 = 1.0)";
        return false;
    }
    o.output = args.output, o.model = args.model;
    f.width = args.width, f.height = args.height, f.zoom = args.zoom;
    f.camera = args.camera;
    for (int i = 0; i < 6; ++i) f.view[i] = args.view[i];
    return true;
}

int animeRenderCommand(int argc, char** argv)
{
    AnimeRenderOptions options;
    std::string error;
    if (!parseAnimeRenderOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quilloanime: %s\n", error.c_str());
        return 2;
    }
    engine3d::Target frame;
    if (!engine3d::snapshotModel(options.model, options.frame, frame)) {
        std::fprintf(stderr, "quilloanime: cannot read %s\n", options.model.c_str());
        return 1;
    }
    if (!writeEnginePng(frame, options.output)) {
        std::fprintf(stderr, "quilloanime: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillo
