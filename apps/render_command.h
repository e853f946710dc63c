// quillomodel --render: draws a model file headlessly, exactly as the
// editor's first frame after loading, and writes the frame as a PNG file.
#pragma once

#include <string>

namespace quillo {

struct RenderOptions {
    std::string output;
    std::string model;
    int width = 640;
    int height = 480;
    bool zbuffer = false;
    int zoom = 256;         // 256 = 1.0
    bool camera = false;    // else the view's default place
    float view[6] = {};     // x, y, z, a, b, c
    int pattern = -1;       // texture pattern to show; -1: the first
};

// Reads the arguments after "--render": OUT.png MODEL and the options
// --size WxH, --zbuffer, --zoom Z, --camera x,y,z,a,b,c, --pattern N.
// False with `error` set when they do not make sense.
bool parseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

// Loads, redraws and draws one frame, then writes the PNG. Returns the
// exit status: 0 written, 1 the model or PNG failed.
int renderModel(const RenderOptions& options);

// The whole mode: argv[1] is "--render". Returns the exit status (2 for
// bad arguments).
int renderCommand(int argc, char** argv);

} // namespace quillo
