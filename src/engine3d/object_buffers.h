// Building an object's vertex batches once after loading: its triangles per
// material, then the EXBC chain of single-node triangles and the EXBC2
// chain of triangles that bridge nodes.
#pragma once

#include <vector>

#include "objct.h"

namespace quillo::engine3d {

// Object vertex indices, three per triangle, for each material in table order.
using MaterialTriangles = std::vector<std::vector<int32_t>>;

// The triangles of every part's faces, part by part in partList order, as
// the model editor splits them: by the face's diagonal, triangles with a
// repeated corner left out, each triangle of a double-sided face followed
// by its reverse. Faces without a valid material are left out.
MaterialTriangles collectTriangles(const OBJCT& object);

// Vertices one batch may hold: min(device maximum (0: none reported), 65536) - 3.
uint32_t batchVertexLimit(uint32_t deviceMaximum);

// Builds object.exbc from the triangles whose corners share one owner.
void setexbuff(OBJCT& object, const MaterialTriangles& triangles, uint32_t deviceMaximum);
// Builds object.exbc2 from the triangles whose corners lie on different
// owners, drawn through `identity`.
void setexbuff2(OBJCT& object, const MaterialTriangles& triangles, uint32_t deviceMaximum, MatrixHandle identity);

} // namespace quillo::engine3d
