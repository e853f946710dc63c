// The model editor's own dialog boxes, beside the common ones: colour,
// palette, texture, magnification and options.
#pragma once

#include <string>

#include "dialogs.h"

namespace quillo {

class GMTBL;
struct EditorSettings;

struct ColourValues {
    int red = 255, green = 255, blue = 255;
    float ambient = 0.0f, diffuse = 1.0f, specular = 0.0f;
};

struct TextureChoice {
    std::string name;
    std::string file;
    int plane = 0; // 0 X-Y, 2 Z-Y, 4 X-Z
};

class ModelDialogs : public virtual Dialogs {
public:
    // "DCOL": values in and out; 1 or -1.
    virtual int colourBox(ColourValues& values) = 0;
    // "DPAL": a clicked colour-table index, or -1.
    virtual int paletteBox(const GMTBL& table) = 0;
    // "DTEXT": 1 with a name, a file and a plane, or -1.
    virtual int textureBox(TextureChoice& choice) = 0;
    // "DMAG": three factors in and out; 1 or -1.
    virtual int magBox(float& x, float& y, float& z) = 0;
    // "DDSET": edits the settings; 1 or -1.
    virtual int optionsBox(EditorSettings& settings) = 0;
};

// The colour box's preview: 16 shades of a colour, t = k / 15.
struct Rgb {
    int red, green, blue;
};
void previewRamp(const ColourValues& values, Rgb (&ramp)[16]);

// Limits of the colour box fields.
int clampChannel(int value);
float clampCoefficient(float value);

} // namespace quillo
