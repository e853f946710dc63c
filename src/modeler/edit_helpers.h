// Small helpers shared by the editing commands: the parts of an object in
// order, finding or adding a material, grid snapping of computed
// coordinates (names typed by the user: platform/field_text.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"
#include "platform/field_text.h"

namespace quillo {

// The object's parts, root first, then each child subtree in pre-order:
// the order of `partList` after `prepare`, but taken from the tree itself so
// that it is right even between an edit of the tree and the next prepare.
std::vector<ModelPart*> partsInOrder(const ModelObject& object);

// The index of the object's first material with the same colour values and
// the same texture as `material` (its `shade` is derived and ignored), or
// the index of `material` appended. -1 when memory ran out.
int findOrAppendMaterial(ModelObject& object, const Material& material);

// The coordinate that stands for `n` grid units: (n + 0.2) x dt above zero,
// (n - 0.2) x dt below, 0 for 0, so that truncation gives n back.
float gridCoordinate(int32_t n);
// `value` moved onto the grid by that rule: n = trunc(value / dt).
float snapToGrid(float value);

} // namespace quillo
