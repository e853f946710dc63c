// The lists of one conversion: welded vertices, triangles and
// quadrilaterals, the rank of each colour number, and the bounding box.
#pragma once

#include <cstdint>

#include "dxf_records.h"
#include "model/record_array.h"
#include "record_index.h"

namespace quillo {

class DxfFaceLists {
public:
    DxfFaceLists();
    DxfFaceLists(const DxfFaceLists&) = delete;
    DxfFaceLists& operator=(const DxfFaceLists&) = delete;

    // Widens the bounding box by all four corners, ranks the colour, and
    // adds the face as a triangle when its fourth corner equals its third
    // (as numbers), otherwise as a quadrilateral; corners, triangles and
    // quadrilaterals are each found-or-added. False when memory ran out.
    bool addFace(const DxfFace& face);

    // Find-or-add; -1 when memory ran out.
    int addVertex(const DxfVertex& v) { return vertexIndex_.findOrAdd(v); }
    int addTriangle(const DxfTriangle& t) { return triangleIndex_.findOrAdd(t); }
    int addQuad(const DxfQuad& q) { return quadIndex_.findOrAdd(q); }

    // Keeps the triangles whose `keep` entry is true, in their order.
    void keepTriangles(const bool* keep);

    // Order in which colour number c first appeared (0 for the first), or -1.
    int rank(int c) const { return c >= 0 && c < 256 ? colourRank_[c] : -1; }
    int faceCount() const { return faceCount_; }
    // The largest side of the bounding box; 0 when no face was added.
    float extent() const;

    Records<DxfVertex> vertices;
    Records<DxfTriangle> triangles;
    Records<DxfQuad> quads;

private:
    RecordIndex<DxfVertex> vertexIndex_;
    RecordIndex<DxfTriangle> triangleIndex_;
    RecordIndex<DxfQuad> quadIndex_;
    int32_t colourRank_[256];
    int colourCount_ = 0;
    int faceCount_ = 0;
    float min_[3];
    float max_[3];
};

} // namespace quillo
