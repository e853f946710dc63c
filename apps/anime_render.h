// quilloanime --render: draws a model through the 3D engine headlessly and
// writes the frame as a PNG file. The same call on the same input writes
// the same bytes.
#pragma once

#include <string>

#include "engine3d/model_snapshot.h"

namespace quillo {

struct AnimeRenderOptions {
    std::string output;
    std::string model;
    engine3d::SnapshotOptions frame;
};

// Reads the arguments after "--render": OUT.png MODEL and the options
// --size WxH, --zoom Z, --camera x,y,z,a,b,c, --zbuffer, --no-zbuffer.
// False with `error` set when they do not make sense.
bool parseAnimeRenderOptions(int argc, char** argv, AnimeRenderOptions& options, std::string& error);

// The whole mode: argv[1] is "--render". Returns the exit status: 0
// written, 1 the model or the PNG failed, 2 bad arguments.
int animeRenderCommand(int argc, char** argv);

} // namespace quillo
