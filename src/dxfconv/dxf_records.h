// The records of one conversion: faces as read from the drawing, and the
// welded vertex, triangle and quadrilateral lists built from them.
#pragma once

#include <cstdint>

namespace quillo {

// A 3DFACE as read: four corners in drawing coordinates and its colour
// number (0 to 255, by-layer colours already resolved).
struct DxfFace {
    float corner[4][3];
    int32_t colour;
};

// A distinct point of the drawing; points are equal only when all three
// coordinates are bit for bit equal (so +0 and -0 differ).
struct DxfVertex {
    float x, y, z;
};

// Vertex indices in the order of the drawing's corners 1, 2, 3.
struct DxfTriangle {
    int32_t a, b, c;
    int32_t colour;
};

// diagonal 0: the marked edge joins q0 and q2; 1: it joins q1 and q3.
struct DxfQuad {
    int32_t q0, q1, q2, q3;
    int32_t diagonal;
    int32_t colour;
};

} // namespace quillo
