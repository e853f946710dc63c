// The engine's BMP reader for texture patterns and background pictures:
// uncompressed files of 1, 2, 4 or 8 bits per pixel become XRGB8888
// surfaces (row 0 at the top).
#pragma once

#include <string>

#include "surface.h"

namespace quillo::engine3d {

// A colour that replaces the picture's bottom-left colour wherever it
// appears; -1 in red means none.
struct KeyColour {
    int32_t red = -1, green = -1, blue = -1;
    bool on() const { return red >= 0; }
};

// Largest picture accepted: each side and the pixel count.
constexpr int32_t maxSurfaceSide = 8192;
constexpr int64_t maxSurfacePixels = int64_t(1) << 24;

// Reads `path` into `surface`. With `reload` the surface keeps its size and
// a picture of another size is refused. On failure (after one message) the
// surface is unchanged.
bool loadsurface(const std::string& path, Surface& surface, bool reload, const KeyColour& key);

// The same for a file's bytes already read; `path` only names it in messages.
bool decodeSurface(const std::string& bytes, const std::string& path, Surface& surface, bool reload,
                   const KeyColour& key);

} // namespace quillo::engine3d
