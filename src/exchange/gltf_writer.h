// Writes a document as glTF 2.0 (text with embedded buffers, or GLB when
// the name ends in ".glb"), through tinygltf. Every object is a node tree
// that mirrors its part tree; see exchange_mesh.h for the geometry and
// docs/quillomodel.html for how colours map to materials.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/model.h"

namespace quillo {

// Encodes RGBA bytes (rows top to bottom) as PNG; false when it cannot.
// The program gives one over its image library; the writer stays free of it.
using PngEncoder = std::function<bool(int width, int height, const std::vector<unsigned char>& rgba,
                                      std::vector<unsigned char>& png)>;

struct ExportCounts {
    int nodes = 0, meshes = 0, vertices = 0, triangles = 0, materials = 0, textures = 0;
};

// Writes the file atomically. False with `why` set when it cannot; a
// texture whose pattern file cannot be read is written untextured.
bool writeGltf(const ModelDocument& document, const std::string& path, const PngEncoder& png, std::string& why,
               ExportCounts* counts = nullptr);

} // namespace quillo
