#include "model_dialogs.h"

namespace quillo {

void previewRamp(const ColourValues& v, Rgb (&ramp)[16])
{
    const int base[3] = {v.red, v.green, v.blue};
    for (int k = 0; k < 16; ++k) {
        float t = float(k) * 0.06666667f;
        float h = v.ambient + (v.diffuse - v.ambient) * t;
        float l = v.specular * t * t * 255.0f;
        int out[3];
        for (int c = 0; c < 3; ++c) {
            float value = float(base[c]) * h + l;
            int i = value >= 2147483647.0f ? 255 : (value > -2147483648.0f ? int(value) : 0);
            out[c] = clampChannel(i);
        }
        ramp[k] = Rgb{out[0], out[1], out[2]};
    }
}

int clampChannel(int value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

float clampCoefficient(float value)
{
    if (!(value >= 0.0f)) return 0.0f; // negative or not a number
    return value > 1.0f ? 1.0f : value;
}

} // namespace quillo
