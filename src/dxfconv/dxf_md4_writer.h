// The MD4 text of a converted drawing: one object "本体" with one part
// "主要部分", integer grid coordinates, CR LF line ends, and every line but
// the first starting with a blank.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/atomic_file.h"
#include "dxf_face_lists.h"

namespace quillo {

struct Rgb {
    int red, green, blue;
};

// White with allWhite or from the 65th colour number on (rank 64 or more);
// otherwise the number's bits, inverted: 3 bits of red, 3 of green, 2 of
// blue.
Rgb colourOfNumber(int colour, int rank, bool allWhite);

// A vertex in the model's axes: (n(x), -n(z), n(y)).
struct GridPoint {
    int32_t x, y, z;
};

struct Md4Layout {
    bool bothSides = false;
    bool reverse = false;
    bool groupByColour = false;
    bool allWhite = false;
};

// One face line with its CR LF. Quadrilaterals: upper-case keyword when the
// marked edge joins the line's first and third indices; reverse writes the
// cycle the other way round (q1 q0 q3 q2). Triangles repeat their last
// index: "b a c c", or "a b c c" with reverse.
void appendQuadLine(std::string& out, const DxfQuad& q, bool bothSides, bool reverse);
void appendTriangleLine(std::string& out, const DxfTriangle& t, bool bothSides, bool reverse);

// Writes the whole model. `points` holds one grid point per vertex of
// `lists`. False when writing failed.
bool writeDxfModel(AtomicFile& file, const DxfFaceLists& lists, const std::vector<GridPoint>& points,
                   float dt, const Md4Layout& layout);

} // namespace quillo
