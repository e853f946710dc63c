#include "texture_entry.h"

#include <algorithm>
#include <cstring>

#include "engine_errors.h"

namespace quillo::engine3d {

TextureEntry makeTextureEntry()
{
    TextureEntry e{};
    return e;
}

void releaseTextureEntry(Device& device, TextureEntry& entry)
{
    if (entry.handle != 0) device.releaseTexture(entry.handle);
    entry.handle = 0;
    for (Surface*& s : entry.patterns) {
        delete s;
        s = nullptr;
    }
}

bool loadtexture(Device& device, TextureEntry& entry)
{
    releaseTextureEntry(device, entry);
    const int32_t count = entry.patternCount < 0 ? 0 : std::min(entry.patternCount, maxTexturePatterns);
    for (int32_t i = 0; i < count; ++i) {
        auto* s = new Surface();
        entry.patternPaths[i][texturePathSize - 1] = '\0';
        // Later patterns must match the first one's size, so they go in as reloads of it.
        if (i > 0 && entry.patterns[0]) *s = *entry.patterns[0];
        if (!loadsurface(entry.patternPaths[i], *s, i > 0 && entry.patterns[0], entry.key)) {
            delete s;
            if (i == 0) return false; // without the first picture there is nothing to draw from
            continue;
        }
        entry.patterns[i] = s;
    }
    if (count == 0 || !entry.patterns[0]) return false;
    entry.handle = device.createTexture(*entry.patterns[0]);
    if (entry.handle == 0) {
        d3dError(3, "loadtexture");
        releaseTextureEntry(device, entry);
        return false;
    }
    if (entry.currentPattern < 0 || entry.currentPattern >= count || !entry.patterns[entry.currentPattern])
        entry.currentPattern = 0;
    return entry.currentPattern == 0 || reloadtexture(device, entry);
}

bool reloadtexture(Device& device, TextureEntry& entry)
{
    if (entry.handle == 0) return false;
    const int32_t i = entry.currentPattern;
    if (i < 0 || i >= maxTexturePatterns || !entry.patterns[i]) return false;
    if (!device.loadTexture(entry.handle, *entry.patterns[i])) {
        d3dError(11, "reloadtexture");
        releaseTextureEntry(device, entry);
        return false;
    }
    return true;
}

void selectPattern(Device& device, TextureEntry& entry, int32_t i)
{
    if (entry.handle == 0 || i < 0 || i >= entry.patternCount || i >= maxTexturePatterns || !entry.patterns[i]) return;
    entry.currentPattern = i;
    reloadtexture(device, entry);
}

void textureCoordinates(const TextureEntry& entry, float x, float y, float z, float& u, float& v)
{
    float s = x, t = y;
    if (entry.projection == planeZY) s = z;
    else if (entry.projection != planeXY) t = z; // xz
    auto project = [](float value, float lo, float hi) {
        const float w = hi - lo;
        if (!(w != 0.0f)) return 0.0f;
        const float r = (value - lo) / w;
        if (!(r > 0.0f)) return 0.0f; // also NaN
        return r > 1.0f ? 1.0f : r;
    };
    u = project(s, entry.umin, entry.umax);
    v = project(t, entry.vmin, entry.vmax);
}

} // namespace quillo::engine3d
