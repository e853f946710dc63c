// Reads Wavefront OBJ files (with their MTL colours) through tinyobjloader
// into one model object named after the file: each group becomes a part
// (the first the root part, the others its children), quads stay quads,
// triangles are paired into quads where they can be, and larger polygons
// are cut from their first corner into quads and a last triangle.
#pragma once

#include <string>
#include <vector>

#include "gltf_reader.h" // ImportCounts
#include "model/model.h"

namespace quillo {

// Appends the object to `document`. False with `why` set, and nothing
// changed, when the file cannot be read or holds no faces.
bool readObj(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts = nullptr);

// The faces of one polygon of `count` corners (3 or more), in the order
// given: quads (c0, ci, ci+1, ci+2) fanned from the first corner, and one
// triangle (c0, c0, cn-2, cn-1) when a corner is left over.
std::vector<Face> splitPolygon(const std::vector<int32_t>& corners, int32_t material);

} // namespace quillo
