// Writes a document as Wavefront OBJ with its MTL file and the current
// pattern of every texture as PNG beside it: one "o" per object, one "g"
// per part, quads kept as quads (started at the corner that keeps the
// renderer's diagonal), vertices where the model stands at rest.
#pragma once

#include <string>

#include "gltf_writer.h" // PngEncoder
#include "model/model.h"

namespace quillo {

struct ObjCounts {
    int objects = 0, groups = 0, vertices = 0, faces = 0, materials = 0, textures = 0;
};

// Writes OUT.obj, OUT.mtl and OUT_<object>_<texture>.png, each atomically.
// False with `why` set when a file cannot be written.
bool writeObj(const ModelDocument& document, const std::string& path, const PngEncoder& png, std::string& why,
              ObjCounts* counts = nullptr);

} // namespace quillo
