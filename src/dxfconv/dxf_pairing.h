// Pairing of triangles that share their longest edge into quadrilaterals.
#pragma once

#include <cstdint>

#include "dxf_face_lists.h"

namespace quillo {

// An edge in the triangle's own direction and the corner off it.
struct TriangleEdge {
    int32_t from, to, opposite;
};

// The longest of ab, bc, ca (lengths as 32-bit floats). Ties: ab only when
// strictly longest; bc when at least ab and longer than ca; else ca.
TriangleEdge longestEdge(const DxfTriangle& t, const Records<DxfVertex>& vertices);

// The quadrilateral of the cycle A, C, B, D (A-B the shared edge, C and D
// the corners off it), started at its highest corner (largest z, ties to the
// first of A, C, B, D) and the higher of that corner's neighbours.
DxfQuad pairedQuad(int32_t a, int32_t b, int32_t c, int32_t d, int32_t colour,
                   const Records<DxfVertex>& vertices);

// Walks the triangle list: each triangle takes as partner the first later
// triangle of the same colour whose longest edge is the same edge; both
// leave the triangle list and their quadrilateral is found-or-added to the
// quadrilateral list, in the order of the first triangles. False when
// memory ran out.
bool pairTriangles(DxfFaceLists& lists);

} // namespace quillo
