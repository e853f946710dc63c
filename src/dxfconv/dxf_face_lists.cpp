#include "dxf_face_lists.h"

#include <limits>

namespace quillo {

DxfFaceLists::DxfFaceLists() : vertexIndex_(vertices), triangleIndex_(triangles), quadIndex_(quads)
{
    for (int32_t& r : colourRank_) r = -1;
    // Infinite start values, so that coordinates beyond any finite start
    // value still set the box.
    for (int k = 0; k < 3; ++k) {
        min_[k] = std::numeric_limits<float>::infinity();
        max_[k] = -std::numeric_limits<float>::infinity();
    }
}

bool DxfFaceLists::addFace(const DxfFace& face)
{
    ++faceCount_;
    for (const auto& p : face.corner)
        for (int k = 0; k < 3; ++k) {
            if (p[k] < min_[k]) min_[k] = p[k];
            if (p[k] > max_[k]) max_[k] = p[k];
        }
    int c = face.colour >= 0 && face.colour < 256 ? face.colour : 7; // as the reader does
    if (colourRank_[c] < 0) colourRank_[c] = colourCount_++;

    int32_t index[4];
    const auto& p = face.corner;
    bool triangle = p[3][0] == p[2][0] && p[3][1] == p[2][1] && p[3][2] == p[2][2];
    int corners = triangle ? 3 : 4;
    for (int i = 0; i < corners; ++i) {
        index[i] = addVertex(DxfVertex{p[i][0], p[i][1], p[i][2]});
        if (index[i] < 0) return false;
    }
    if (triangle) return addTriangle(DxfTriangle{index[0], index[1], index[2], c}) >= 0;
    return addQuad(DxfQuad{index[0], index[1], index[2], index[3], 0, c}) >= 0;
}

float DxfFaceLists::extent() const
{
    if (faceCount_ == 0) return 0.0f;
    float e = max_[0] - min_[0];
    for (int k = 1; k < 3; ++k)
        if (max_[k] - min_[k] > e) e = max_[k] - min_[k];
    return e;
}

void DxfFaceLists::keepTriangles(const bool* keep)
{
    int n = triangles.count();
    int out = 0;
    for (int i = 0; i < n; ++i)
        if (keep[i]) triangles[out++] = triangles[i];
    // Dropping from the end moves nothing, so this stays linear.
    for (int i = n - 1; i >= out; --i) triangles.removeAt(i);
    triangleIndex_.rebuild();
}

} // namespace quillo
