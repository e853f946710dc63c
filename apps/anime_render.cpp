#include "anime_render.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <QImage>

#include "command_args.h"
#include "engine3d/software_device.h"

namespace quillo {

namespace {

bool writePng(const engine3d::Target& frame, const std::string& path)
{
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    for (int32_t y = 0; y < frame.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int32_t x = 0; x < frame.width; ++x) row[x] = 0xFF000000u | frame.at(x, y);
    }
    return image.save(QString::fromStdString(path), "PNG");
}

} // namespace

bool parseAnimeRenderOptions(int argc, char** argv, AnimeRenderOptions& o, std::string& error)
{
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--zbuffer") {
            o.frame.zbuffer = true;
        } else if (arg == "--no-zbuffer") {
            o.frame.zbuffer = false;
        } else if (arg == "--size") {
            if (!hasValue || !readSize(argv[++i], o.frame.width, o.frame.height, engine3d::SoftwareDevice::maxSide)) {
                error = "--size needs WIDTHxHEIGHT, each 10 to 16384";
                return false;
            }
            if (o.frame.width < 10 || o.frame.height < 10) {
                error = "--size needs WIDTHxHEIGHT, each 10 to 16384";
                return false;
            }
        } else if (arg == "--zoom") {
            if (!hasValue || !readInt(argv[++i], o.frame.zoom) || o.frame.zoom <= 0) {
                error = "--zoom needs a whole number above 0 (256 = 1.0)";
                return false;
            }
        } else if (arg == "--camera") {
            if (!hasValue || !readView(argv[++i], o.frame.view)) {
                error = "--camera needs x,y,z,a,b,c";
                return false;
            }
            o.frame.camera = true;
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            error = "unknown option " + arg;
            return false;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        error = "--render needs OUT.png and MODEL";
        return false;
    }
    o.output = files[0];
    o.model = files[1];
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
    if (!writePng(frame, options.output)) {
        std::fprintf(stderr, "quilloanime: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillo
