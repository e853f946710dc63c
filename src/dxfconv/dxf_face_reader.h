// Collects the 3DFACE entities of a DXF drawing, wherever they stand
// (entities and block definitions alike, in file order; inserts are not
// expanded), with colours resolved through the drawing's LAYER table.
#pragma once

#include <cstdio>

#include "dxf_records.h"
#include "model/record_array.h"

namespace quillo {

struct DxfReadError {
    enum Kind { none, io, number, memory } kind = none;
    long line = 0; // for number: the line that holds the unreadable coordinate
};

// Appends every face of the open file to `faces`. False, with `error` set,
// when the file could not be read or a corner coordinate is not a finite
// number; `faces` is then incomplete and should be dropped.
//
// A face begins at the pair (0, "3DFACE") and ends at the next pair with
// code 0 or at the end of the file. Within it, 8 is the layer, 62 the colour
// number, 10/20/30 to 13/23/33 the corners; a code given twice keeps its
// last value, a missing coordinate is 0, and a fourth corner of which no
// coordinate is given equals the third. A colour that is absent or 256 is
// the colour of the face's layer (the absolute value of the layer entry's
// 62, 7 when the entry has none or the layer is not listed; the first entry
// of a name counts); 0 stays 0; anything else outside 0 to 255 becomes 7.
bool readDxfFaces(std::FILE* file, Records<DxfFace>& faces, DxfReadError& error);

} // namespace quillo
