// From drawing coordinates to the integer grid coordinates of the model:
// the grid step for a model size, the drawing unit, and the rounding.
#pragma once

#include <cstdint>

namespace quillo {

struct ModelScale {
    float size; // the model size brought into 0.3 to 3.0
    float dt;   // the grid step written to the model
};

// Brings the model size (metres) into 0.3 to 3.0 by steps of ten, moving dt
// (from 0.0125) the other way, all in 32-bit floats. False for a size that
// is not a finite number above zero, or so extreme that dt would no longer
// be a finite number above zero.
bool normaliseModelSize(float metres, ModelScale& scale);

// Drawing length of one grid step: extent / size * 0.000125 in 32-bit
// floats, so the largest extent spans size * 8000 steps.
float drawingUnit(float extent, float normalisedSize);

// v / unit to the nearest integer, halves away from zero, computed in
// double from the float values; +0 and -0 give 0. False when the result
// does not fit a 32-bit integer (or unit is not a finite number above 0).
bool gridCoordinate(float v, float unit, int32_t& out);

} // namespace quillo
