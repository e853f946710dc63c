// The drawable triangles of an object, rebuilt from its faces at every
// redraw: quads split along their diagonal, reversed copies of
// double-sided faces, planar texture coordinates. At draw time each
// triangle is clipped against the near plane (view depth 512) and handed
// to the rasteriser that fits its kind and the frame's Z buffer.
#pragma once

#include <cstdint>

#include "model/model.h"
#include "rasteriser.h"

namespace quillo {

// Reciprocal depth of the near plane: 2^28 / 512.
constexpr int32_t nearPlaneRz = 0x80000;

// Behind the near plane: nearer than 512 (rz above 0x80000, which takes in
// depth 0) or behind the eye (negative rz). Depth exactly 512 is in front.
inline bool behindNearPlane(int32_t rz) { return rz > nearPlaneRz || rz < 0; }

// A triangle corner before clipping: view x and y, rz, light, screen
// position and texture coordinates.
struct ClipCorner {
    int32_t vx, vy, rz, light, sx, sy, u, v;
};

ClipCorner clipCorner(const Vertex& vertex, int32_t u = 0, int32_t v = 0);

// The point where the edge from `behind` to `inFront` crosses the near
// plane, projected with the target's cx, cy and scale.
RasterVertex clipPoint(const ClipCorner& behind, const ClipCorner& inFront, const DrawTarget& target);

// The visible part of a triangle, keeping its winding: no triangle when
// all corners are behind, one when none or two are, two (a quad) when one
// is. Returns the number written to `out`.
int clipTriangle(const ClipCorner (&corners)[3], const DrawTarget& target, RasterVertex (&out)[2][3]);

// One polygon as it stands in this frame: its corners as projected and
// what it is drawn with, copied out in one go so that drawing in depth
// order reads one compact record per polygon.
struct alignas(64) PolygonDraw {
    ClipCorner corner[3];
    int32_t base;
    uint8_t outline;
    bool textured;
    TexelSource texels; // textured polygons only
};

// Clips a captured polygon against the near plane and rasterises what is
// left, against the Z buffer or not.
void drawCaptured(const PolygonDraw& polygon, const DrawTarget& target, bool useZ);

// Base of both kinds; objects own them through their polygons table.
class ScenePolygon : public RenderPolygon {
public:
    ScenePolygon(Vertex* a, Vertex* b, Vertex* c, int32_t base, int outline);
    // The polygon with its corners' current projection.
    virtual void capture(PolygonDraw& out) const = 0;
    // Without the Z buffer (drawn in depth order).
    void drawSorted(const DrawTarget& target) const;
    // Against the Z buffer.
    void drawZ(const DrawTarget& target) const;
    // Sum of the corners' reciprocal depths: smaller is farther.
    int64_t depthSum() const { return int64_t(corner[0]->vz) + corner[1]->vz + corner[2]->vz; }

    Vertex* corner[3];
    int32_t base;    // shaded: colour-table index; textured: that index x 64, the fallback texel
    uint8_t outline; // palette entry of the outline: the part's 1-based position
};

class ShadedPolygon : public ScenePolygon {
public:
    using ScenePolygon::ScenePolygon;
    void capture(PolygonDraw& out) const override;
};

class TexturedPolygon : public ScenePolygon {
public:
    // The texture is looked up in `textures` at draw time, so a change of
    // pattern shows without rebuilding.
    TexturedPolygon(Vertex* a, Vertex* b, Vertex* c, int32_t base, int outline, const Records<Texture>* textures,
                    int textureIndex);
    void capture(PolygonDraw& out) const override;
    TexelSource texels() const;

    int32_t u[3] = {}, v[3] = {}; // texels with 10 fractional bits
    int32_t width = 0, height = 0;
    const Records<Texture>* textures;
    int textureIndex;
};

// Texture coordinate of one corner along one axis: trunc(size / (hi - lo)
// x (s - lo)), held to 0..size, with 10 fractional bits.
int32_t textureCoordinate(int32_t size, int32_t lo, int32_t hi, int32_t s);

// Appends the polygons of the part's faces to object.polygons. Faces with
// no valid material, triangles that repeat an index and indices outside
// the vertex table make no polygon.
void buildPolygons(ModelPart& part, int partPosition, ModelObject& object);

} // namespace quillo
