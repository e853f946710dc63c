#include "dialogs.h"

namespace quillo {

const FileFilter fileFilters[7] = {
    {"モデル (*.MD4)", "*.md4"},      {"Fモデル (*.MD5)", "*.md5"}, {"BMP files(*.BMP)", "*.bmp"},
    {"動作 (*.MD6)", "*.md6"},        {"アニメ (*.MD7)", "*.md7"},  {"サウンド (*.WAV)", "*.wav"},
    {"ＭＩＤＩ (*.MID)", "*.mid"},
};

int selectbox(Dialogs& dialogs, const std::vector<std::string>& names, const std::string& text, int start)
{
    if (names.empty()) return -1;
    if (names.size() == 1) return 0;
    if (start < 0 || start >= int(names.size())) start = 0;
    int chosen = dialogs.selectBoxShown(names, text, start);
    return chosen >= 0 && chosen < int(names.size()) ? chosen : -1;
}

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
