// Reads Wavefront OBJ files (with their MTL colours and map_Kd pictures)
// into one model object named after the file: each group ("g" or "o")
// becomes a part in file order. A "#quillo part DEPTH X Y Z" line before a
// group (quillomodel writes one per part) gives its place in the tree and
// its pivot; without one, the first group is the root part and every other
// a child of it, and groups of one name are one part. Points are welded on
// the grid over the whole object, quads stay quads, triangles are paired
// into quads where they can be, and larger polygons are cut from their
// first corner into quads and a last triangle.
#pragma once

#include <string>
#include <vector>

#include "gltf_reader.h" // ImportCounts
#include "model/model.h"

namespace quillo {

// Appends the object to `document`. False with `why` set, and nothing
// changed, when the file cannot be read or holds no faces. With
// `textures`, map_Kd pictures become planar textures (texture_import.h),
// their pattern files left in `textures->files` for the caller to write.
bool readObj(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts = nullptr,
             TextureImport* textures = nullptr);

// The faces of one polygon of `count` corners (3 or more), in the order
// given: quads (c0, ci, ci+1, ci+2) fanned from the first corner, and one
// triangle (c0, c0, cn-2, cn-1) when a corner is left over.
std::vector<Face> splitPolygon(const std::vector<int32_t>& corners, int32_t material);

} // namespace quillo
