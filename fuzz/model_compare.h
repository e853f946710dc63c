// Compares two models as a file keeps them: what reading a written model
// must give back. Coordinates compare in grid units, reals as the writer
// writes them ("%10g"); material and texture tables compare by what the
// faces use (and every texture by name), not by their order; an empty name
// matches the name the writer puts in its place; a face that keeps out of
// smoothing ignores its double-sided flag (the file has no keyword for both).
#pragma once

#include <string>

#include "model/model.h"

namespace quillo {

// "" when equal, else the first difference in one line.
std::string compareModels(const ModelDocument& a, const ModelDocument& b);
std::string compareObjects(const ModelObject& a, const ModelObject& b);

} // namespace quillo
