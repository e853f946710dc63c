#include "dxf_model_scale.h"

#include <cmath>

namespace quillo {

bool normaliseModelSize(float metres, ModelScale& scale)
{
    if (!(metres > 0.0f) || !std::isfinite(metres)) return false; // also NaN
    float s = metres;
    float dt = 0.0125f;
    const float ten = 10.0f;
    const float tenth = 0.1f;
    if (s < 0.3f) {
        do {
            s = s * ten;
            dt = dt * tenth;
        } while (!(s >= 0.3f));
    }
    if (s > 3.0f) {
        do {
            s = s * tenth;
            dt = dt * ten;
        } while (!(s <= 3.0f));
    }
    if (!(dt > 0.0f) || !std::isfinite(dt) || !std::isnormal(dt)) return false;
    scale.size = s;
    scale.dt = dt;
    return true;
}

float drawingUnit(float extent, float normalisedSize)
{
    float perSize = extent / normalisedSize;
    return perSize * 0.000125f;
}

bool gridCoordinate(float v, float unit, int32_t& out)
{
    if (!(unit > 0.0f) || !std::isfinite(unit)) return false;
    double q = double(v) / double(unit);
    double r;
    if (v > 0.0f)
        r = std::trunc(q + 0.5);
    else if (v < 0.0f)
        r = std::trunc(q - 0.5);
    else
        r = 0.0;
    // Symmetric range, so that the negated coordinate fits too.
    if (!(r >= -2147483647.0 && r <= 2147483647.0)) return false;
    out = int32_t(r);
    return true;
}

} // namespace quillo
