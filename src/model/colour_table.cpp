#include "colour_table.h"

#include "fixed_point.h"
#include "messages.h"

namespace quillo {

void setSystemColours(PaletteEntry (&palette)[256])
{
    static const uint8_t low[10][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},
                                       {0, 0, 128},   {128, 0, 128}, {0, 128, 128},   {192, 192, 192},
                                       {192, 220, 192}, {166, 202, 240}};
    static const uint8_t high[10][3] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                        {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                        {0, 255, 255},   {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        palette[i] = {low[i][0], low[i][1], low[i][2], 0};
        palette[246 + i] = {high[i][0], high[i][1], high[i][2], 0};
    }
    for (int i = 10; i < 26; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
}

GMTBL::GMTBL()
{
    for (auto& e : palette) e = {0, 0, 0, 0};
    setSystemColours(palette);
}

void GMTBL::clear()
{
    count = 0;
    paletteCount = firstRampEntry;
}

int GMTBL::getm(int r, int g, int b, float a, float d, float s)
{
    if (r < 0 || r > 255) r = 255;
    if (g < 0 || g > 255) g = 255;
    if (b < 0 || b > 255) b = 255;
    if (r == 0 && g == 0 && b == 0) {
        a = 0.0f; // black stays black at every level
        d = 0.0f;
    }
    for (int i = 0; i < count; ++i)
        if (red[i] == r && green[i] == g && blue[i] == b && ambient[i] == a && diffuse[i] == d &&
            specular[i] == s)
            return i;
    if (count >= maxColours) {
        errorbox(formatMessage("このプログラムでは６４色までしか使えません\nGMTBL::getm関数"));
        return maxColours - 1;
    }
    red[count] = r;
    green[count] = g;
    blue[count] = b;
    ambient[count] = a;
    diffuse[count] = d;
    specular[count] = s;
    return count++;
}

bool GMTBL::entry(int i, int& r, int& g, int& b, float& a, float& d, float& s) const
{
    if (i < 0 || i >= count) return false;
    r = red[i];
    g = green[i];
    b = blue[i];
    a = ambient[i];
    d = diffuse[i];
    s = specular[i];
    return true;
}

int GMTBL::allocate(int r, int g, int b)
{
    auto matches = [&](int i) { return palette[i].red == r && palette[i].green == g && palette[i].blue == b; };
    for (int i = 0; i < 10; ++i)
        if (matches(i)) return i;
    for (int i = firstRampEntry; i < paletteCount; ++i)
        if (matches(i)) return i;
    for (int i = endRampEntries; i < 256; ++i)
        if (matches(i)) return i;
    if (paletteCount >= endRampEntries) return -1;
    palette[paletteCount] = {uint8_t(r), uint8_t(g), uint8_t(b), 1};
    return paletteCount++;
}

bool GMTBL::buildWithLength(int n)
{
    if (n < 2 || n > 16) return false;
    paletteCount = firstRampEntry;
    for (int i = 0; i < count; ++i) {
        int ramp[16];
        for (int j = 0; j < n; ++j) {
            float t = float(j) / float(n - 1);
            float k = ambient[i] + (diffuse[i] - ambient[i]) * t;
            float h = specular[i] * t * t * 255.0f;
            int channel[3];
            const int32_t base[3] = {red[i], green[i], blue[i]};
            for (int c = 0; c < 3; ++c) {
                float v = float(base[c]) * k + h;
                if (!(v >= 0.0f)) v = 0.0f; // negative or NaN
                if (v > 255.0f) v = 255.0f;
                channel[c] = int(v);
            }
            ramp[j] = allocate(channel[0], channel[1], channel[2]);
            if (ramp[j] < 0) return false;
        }
        uint8_t* row = shadeMap + i * 256;
        for (int level = 0; level < 64; ++level) {
            int e = level * n / 16; // trunc(level x n x 0.0625), exact in integers
            int s = e / 4 < n ? e / 4 : n - 1;
            uint8_t f = uint8_t(ramp[s]);
            uint8_t g = uint8_t(s + 1 < n ? ramp[s + 1] : 255);
            uint8_t* d = row + level * 4;
            switch (e % 4) {
            case 0: d[0] = f; d[1] = f; d[2] = f; d[3] = f; break;
            case 1: d[0] = g; d[1] = f; d[2] = f; d[3] = f; break;
            case 2: d[0] = g; d[1] = f; d[2] = f; d[3] = g; break;
            default: d[0] = g; d[1] = g; d[2] = f; d[3] = g; break;
            }
        }
    }
    applyPalette();
    return true;
}

bool GMTBL::buildShades()
{
    for (int n = 16; n >= 2; --n)
        if (buildWithLength(n)) {
            rampLength = n;
            return true;
        }
    errorbox(formatMessage("色数が多すぎます"));
    return false;
}

void GMTBL::applyPalette()
{
    if (display_) display_->setPalette(palette);
}

} // namespace quillo
