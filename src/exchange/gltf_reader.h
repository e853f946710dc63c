// Reads glTF 2.0 files (text or GLB) into model objects through tinygltf:
// every node tree of the scene becomes an object whose nodes become parts,
// triangles are paired into quads where they can be (import_builder.h),
// and material base colours become the colour table. Files written by
// quillomodel carry the node kinds, the grid step and the exact colours,
// so they come back as the same model (poses at rest).
#pragma once

#include <string>

#include "model/model.h"

namespace quillo {

struct ImportCounts {
    int objects = 0, parts = 0, vertices = 0, faces = 0;
};

struct TextureImport;

// Appends the file's objects to `document` (and may set `dt` from a
// quillomodel file). False with `why` set, and nothing changed, when the
// file cannot be read or holds no triangles. With `textures`, base-colour
// textures become the objects' planar textures (texture_import.h); their
// pattern files are left in `textures->files` for the caller to write.
bool readGltf(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts = nullptr,
              TextureImport* textures = nullptr);

} // namespace quillo
