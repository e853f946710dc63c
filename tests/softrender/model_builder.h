// Builds models in code for the renderer's tests and benchmarks.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

namespace quillo::test {

// A vertex at grid coordinates (gx, gy, gz), stored the way the reader
// stores it (model units with the snapping bias). Returns its index.
int addVertex(ModelObject& object, int gx, int gy, int gz);

// A material; returns its index.
int addMaterial(ModelObject& object, int red, int green, int blue, float ambient = 0.2f, float diffuse = 1.0f,
                float specular = 0.0f, int texture = -1);

Face makeFace(int a, int b, int c, int d, int material, bool doubleSided = false, bool altDiagonal = false,
              bool twistFix = false);

// A new top-level object at the end of the document.
ModelObject& addObject(ModelDocument& document, const std::string& name);

// A new child part of `parent`.
ModelPart& addChildPart(ModelPart& parent, const std::string& name);

// A texture over the rectangle (x0, y0)-(x1, y1) in grid units of `plane`,
// reading the pattern files given; returns its index.
int addTexture(ModelObject& object, const std::string& name, int plane, int x0, int y0, int x1, int y1,
               const std::vector<std::string>& files);

// A bumpy sphere of radius `radius` grid units at the origin with about
// `faces` quads (triangles at the poles), split into `bands` child parts
// by latitude and coloured with four materials by longitude. Its faces
// turn their front towards the viewer on the near side.
ModelObject& addSphere(ModelDocument& document, int faces, int radius, int bands = 8);

} // namespace quillo::test
