// One frame of one model through the whole engine, headless: the device
// layer at the given size, the model loaded into the model table, the
// camera placed, and one `rend`. Serves quilloanime --render and the golden
// frame tests.
#pragma once

#include <string>

#include "device.h"

namespace quillo::engine3d {

struct SnapshotOptions {
    int32_t width = 640, height = 480;
    int32_t zoom = 256;
    bool camera = false;   // else the camera's start place
    float view[6] = {};    // x, y, z, a, b, c
    bool zbuffer = true;
};

// False (after the engine's message) when the engine cannot start or the
// model cannot be loaded.
bool snapshotModel(const std::string& modelPath, const SnapshotOptions& options, Target& frame);

} // namespace quillo::engine3d
