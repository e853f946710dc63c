#include "render_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QImage>

#include "platform/frame_view.h"
#include "platform/qt_png_encoder.h"
#include "command_args.h"
#include "model/colour_table.h"
#include "model/md4_file.h"
#include "softrender/frame.h"
#include "softrender/redraw.h"
#include "softrender/transform.h"

namespace quillo {

namespace {

// Shows pattern `n` of every texture that has it loaded.
void showPattern(ModelDocument& document, int n)
{
    for (ModelObject* top : document.objects) {
        if (!top->objectList) continue;
        for (ModelObject* o : *top->objectList)
            for (Texture& t : o->textures)
                if (n < t.patternCount && n < maxPatterns && t.images[n]) {
                    t.currentPattern = n;
                    t.currentImage = t.images[n];
                }
    }
}

bool writePng(const Frame& frame, const std::string& path)
{
    return savePng(paletteImage(frame.row(0), frame.pitch(), frame.width(), frame.height(), frame.palette()), path);
}

} // namespace

bool parseRenderOptions(int argc, char** argv, RenderOptions& o, std::string& error)
{
    RenderArguments args;
    args.width = o.width, args.height = o.height, args.zoom = o.zoom;
    const bool ok = parseRenderArguments(argc, argv, Frame::maxSide, args, error, [&](const std::string& arg, int& i) {
        if (arg == "--zbuffer") {
            o.zbuffer = true;
            return 1;
        }
        if (arg != "--pattern") return 0;
        if (i + 1 >= argc || !readInt(argv[++i], o.pattern) || o.pattern < 0 || o.pattern >= maxPatterns) {
            error = "--pattern needs a pattern number from 0 to 63";
            return -1;
        }
        return 1;
    });
    if (!ok) return false;
    o.output = args.output, o.model = args.model;
    o.width = args.width, o.height = args.height, o.zoom = args.zoom;
    o.camera = args.camera;
    for (int i = 0; i < 6; ++i) o.view[i] = args.view[i];
    return true;
}

int renderModel(const RenderOptions& o)
{
    ModelDocument document;
    if (o.camera) document.place(o.view[0], o.view[1], o.view[2], o.view[3], o.view[4], o.view[5]);
    std::string reason;
    if (readModel(document, o.model, &reason) != ReadResult::ok) {
        std::fprintf(stderr, "quillomodel: cannot read %s: %s\n", o.model.c_str(), reason.c_str());
        return 1;
    }
    document.zoom = o.zoom;

    // As after loading in the editor: redraw (which also places every
    // object from its position), then the world blocks.
    GMTBL table;
    Frame frame(o.width, o.height, o.zbuffer);
    table.attachDisplay(&frame);
    FrameLists lists;
    if (!redraw(document, table, lists)) return 1;
    updateWorld(document);
    if (o.pattern >= 0) showPattern(document, o.pattern);
    drawFrame(document, lists, table, frame);

    if (!writePng(frame, o.output)) {
        std::fprintf(stderr, "quillomodel: cannot write %s\n", o.output.c_str());
        return 1;
    }
    return 0;
}

int renderCommand(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!parseRenderOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quillomodel: %s\n", error.c_str());
        return 2;
    }
    return renderModel(options);
}

} // namespace quillo
