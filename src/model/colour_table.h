// GMTBL: the table of at most 64 shaded colours of the model editor, their
// palette ramps and the shade map that turns (colour, light level, dither
// position) into an 8-bit palette index.
#pragma once

#include <cstdint>

namespace quillo {

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

// Whatever shows the frame; it receives the palette whenever it changes.
class PaletteDisplay {
public:
    virtual ~PaletteDisplay() = default;
    virtual void setPalette(const PaletteEntry (&entries)[256]) = 0;
};

class GMTBL {
public:
    static constexpr int maxColours = 64;
    static constexpr int firstRampEntry = 26;
    static constexpr int endRampEntries = 246; // one past the last ramp entry

    GMTBL();

    // Empties the table (palette entries stay as they are).
    void clear();
    // Finds or adds a colour and returns its index. When the table is full
    // the message is shown and the last index (63) is returned.
    int getm(int red, int green, int blue, float ambient, float diffuse, float specular);
    // The six values of entry i; false when i is not below count.
    bool entry(int i, int& red, int& green, int& blue, float& ambient, float& diffuse,
               float& specular) const;
    // Builds ramps, the shade map and the palette; tries ramp lengths from
    // 16 down to 2. Returns false (after "色数が多すぎます") when none fit.
    bool buildShades();
    // Hands the 256 entries to the attached display; without one it only keeps them.
    void applyPalette();
    void attachDisplay(PaletteDisplay* display) { display_ = display; }

    // Palette index for shade value (index x 64 + level) at dither position k.
    uint8_t shadeAt(int shade, int k) const { return shadeMap[(shade & 4095) * 4 + (k & 3)]; }

    int count = 0;
    int paletteCount = firstRampEntry;
    int rampLength = 16; // of the last successful build
    int32_t red[maxColours] = {}, green[maxColours] = {}, blue[maxColours] = {};
    float ambient[maxColours] = {}, diffuse[maxColours] = {}, specular[maxColours] = {};
    PaletteEntry palette[256];
    // 64 rows x 64 levels x 4 dither positions.
    uint8_t shadeMap[maxColours * 64 * 4] = {};

private:
    int allocate(int red, int green, int blue);
    bool buildWithLength(int n);
    PaletteDisplay* display_ = nullptr;
};

// The static colours of a 256-colour display (entries 0-9 and 246-255) and
// the editor's greys in 10-25.
void setSystemColours(PaletteEntry (&palette)[256]);

} // namespace quillo
