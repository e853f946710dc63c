// The engine's textures: up to 64 patterns (expressions) of one size, one
// of them shown through a device texture whose handle stays the same when
// the pattern changes, and the planar projection that gives vertices their
// texture coordinates.
#pragma once

#include "device.h"
#include "load_surface.h"
#include "model/model.h"

namespace quillo::engine3d {

constexpr int maxTexturePatterns = 64;
constexpr int texturePathSize = 256;

struct TextureEntry {
    KeyColour key;
    int32_t projection;           // planeXY, planeZY or planeXZ
    float umin, vmin, umax, vmax; // the part of the projection plane the picture covers, model units
    int32_t patternCount;         // 0..64
    int32_t currentPattern;
    char patternPaths[maxTexturePatterns][texturePathSize];
    TextureHandle handle;                   // 0 while the texture is not loaded
    Surface* patterns[maxTexturePatterns];  // owned; null where a pattern could not be read
};

// A zeroed entry without key colour.
TextureEntry makeTextureEntry();

// Loads every pattern and makes the device texture from pattern 0. A
// pattern of another size than pattern 0 is refused and stays empty; the
// texture works without it. False (without a handle) when pattern 0 fails.
bool loadtexture(Device& device, TextureEntry& entry);
// Loads the current pattern into the device texture; on failure the
// entry's surfaces are released.
bool reloadtexture(Device& device, TextureEntry& entry);
// Shows pattern i: nothing happens without a loaded texture, for an index
// outside 0..patternCount-1 or for a pattern that could not be read.
void selectPattern(Device& device, TextureEntry& entry, int32_t i);
// Releases the device texture and the pattern surfaces.
void releaseTextureEntry(Device& device, TextureEntry& entry);

// Texture coordinates of a point in object coordinates: its projection
// onto the picture's rectangle, each clamped to 0..1 (0 for a rectangle of
// no width or height).
void textureCoordinates(const TextureEntry& entry, float x, float y, float z, float& u, float& v);

} // namespace quillo::engine3d
