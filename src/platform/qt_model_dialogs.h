// The model editor's own boxes as real Qt dialogs: colour, palette,
// texture, magnification and options.
#pragma once

#include "model_dialogs.h"
#include "qt_dialogs.h"

namespace quillo {

class GMTBL;

class QtModelDialogs : public QtDialogs, public ModelDialogs {
public:
    using QtDialogs::QtDialogs;
    // The colour table whose palette shows the colour box's preview in
    // entries 10-25; the table's applyPalette() hands each change to the
    // display attached to it. Without a table the preview stays in the box.
    void attachPalette(GMTBL* table) { palette_ = table; }

    int colourBox(ColourValues& values) override;
    int paletteBox(const GMTBL& table) override;
    int textureBox(TextureChoice& choice) override;
    int magBox(float& x, float& y, float& z) override;
    int optionsBox(EditorSettings& settings) override;

private:
    GMTBL* palette_ = nullptr;
};

} // namespace quillo
