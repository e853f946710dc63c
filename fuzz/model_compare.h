// Compares two models as a file keeps them: what reading a written model
// must give back. Coordinates compare as the flavour writes them (grid
// units, or "%10g" of the snapped value), other reals as "%10g"; material and texture tables compare by what the
// faces use (and every texture by name), not by their order; an empty name
// matches the name the writer puts in its place; a face that keeps out of
// smoothing ignores its double-sided flag (the file has no keyword for both).
#pragma once

#include <string>

#include "model/model.h"

namespace quillo {

// "" when equal, else the first difference in one line.
// `variant`: the FormatVariant of the file between the two; `stepA` and
// `stepB`: the grid step each was read with (the file keeps six digits of
// it, so it may change once). In the real flavour, written with six
// significant digits, a coordinate may move by a grid step and a half and
// by the last digit, and a texture rectangle is not compared when the step
// changed or its edges lie beyond 2^22 grid units; `rounded` counts those.
std::string compareModels(const ModelDocument& a, const ModelDocument& b, int variant, float stepA, float stepB,
                          int* rounded = nullptr);
std::string compareObjects(const ModelObject& a, const ModelObject& b, int variant, float stepA, float stepB);

} // namespace quillo
