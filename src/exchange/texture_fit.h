// The planar mapping of a model texture found from an imported mesh's
// texture coordinates: the plane (X-Y, Z-Y or X-Z) and the rectangle in
// grid units under which the renderer's coordinates of every corner equal
// the file's, to the texel.
#pragma once

#include <cstdint>
#include <vector>

#include "model/model.h"

namespace quillo {

// A triangle of an imported mesh with the texture coordinates of its
// corners as the file gives them: u, v in 0..1, v down the picture.
struct TexturedTriangle {
    int32_t v[3];
    float uv[3][2];
};

struct PlanarFit {
    int32_t plane = planeXY;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A vertex's grid coordinates on a texture plane.
void planeCoordinates(int32_t plane, const Vertex& v, int32_t& s, int32_t& t);

// The texel the renderer takes along one axis at grid coordinate `s` for a
// picture `size` texels wide mapped onto lo..hi (whole texels, held to the picture).
int32_t planarTexel(int32_t size, int32_t lo, int32_t hi, int32_t s);

// Whether a triangle with plane coordinates s[3], t[3] is textured by the
// renderer: it must reach inside the rectangle (touching its border is outside).
bool touchesRectangle(const PlanarFit& r, const int32_t s[3], const int32_t t[3]);

// Finds the plane and rectangle for a `width` x `height` picture that
// reproduce the coordinates of as many triangles as possible; `fits[i]`
// says whether triangle i is reproduced. False when none is.
bool fitPlanarTexture(const Records<Vertex>& vertices, const std::vector<TexturedTriangle>& triangles, int32_t width,
                      int32_t height, PlanarFit& fit, std::vector<char>& fits);

} // namespace quillo
