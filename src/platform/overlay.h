// What the editors draw over the presented frame: lines in palette pens,
// the 6 x 6 mark of a picked point and a status line.
#pragma once

#include <string>
#include <vector>

namespace quillo {

struct OverlayLine {
    int x0, y0, x1, y1, pen; // pen: a palette index
};

struct Overlay {
    std::vector<OverlayLine> lines;
    bool hasMark = false;
    int markx = 0, marky = 0; // centre of the mark, drawn with pen 5
    std::string status;       // written at the top-left
};

} // namespace quillo
