// Builds model objects from other programs' meshes: vertices welded on the
// grid, colours found or added by value, triangles paired into quads where
// two share an edge and lie in one plane, the rest kept as triangles (a
// quad that repeats a corner, drawn by the renderer as its one triangle).
// Shared by the glTF and OBJ readers.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/model.h"

namespace quillo {

// One triangle of an imported mesh, with the face settings it carries.
struct ImportTriangle {
    int32_t v[3];
    int32_t material = -1;
    int32_t doubleSided = 0;
    int32_t twistFix = 0;
    int32_t picture = -1;    // the reader's picture that textures it, -1 for none
    float uv[3][2] = {};     // its corners' texture coordinates (v down the picture) when it has one
};

// The faces for `triangles` over `vertices`: each triangle is paired with
// a neighbour of the same settings across a shared edge (in opposite
// directions) when the two lie in one plane and turn the same way; the
// next triangle in the list is tried first, so quads split by a writer
// come back as the same quads. A pair (x, y, z) + (z, y, w) gives the quad
// (x, y, w, z) split along y–z; an unpaired triangle gives (p, p, q, r), p its lowest corner.
// Triangles that repeat a corner are dropped.
std::vector<Face> pairTriangles(const std::vector<ImportTriangle>& triangles, const Records<Vertex>& vertices);

// Fills one object: welds vertices that fall on the same grid point and
// keeps the colour table free of repeats.
class ObjectBuilder {
public:
    explicit ObjectBuilder(ModelObject& object) : object_(object) {}

    // The vertex at (x, y, z) in model units, snapped to the grid; -1 for a
    // point that is not a number or lies beyond a billion grid units.
    int32_t vertex(double x, double y, double z);
    // The untextured colour with these values (red, green, blue held to 0..255).
    int32_t material(int red, int green, int blue, float ambient, float diffuse, float specular);
    // Adds the faces of `triangles` to `part`; returns how many faces were added.
    int addTriangles(ModelPart& part, const std::vector<ImportTriangle>& triangles);
    // Adds the faces the part does not hold yet (equal after a cyclic rotation); returns how many.
    int addFaces(ModelPart& part, const std::vector<Face>& faces);

private:
    ModelObject& object_;
    std::map<std::array<int64_t, 3>, int32_t> grid_;
};

// `text` as a name of the model file: one word of at most 79 bytes (blanks
// become "_"), or `fallback` followed by `number` when it is empty.
void setImportName(char* field, const std::string& text, const char* fallback, int number);

} // namespace quillo
