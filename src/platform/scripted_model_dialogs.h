// The model editor's own boxes answered from a script: colour, palette,
// texture, magnification and options.
#pragma once

#include "model_dialogs.h"
#include "scripted_dialogs.h"

namespace quillo {

class ScriptedModelDialogs : public ScriptedDialogs, public ModelDialogs {
public:
    int colourBox(ColourValues& values) override;
    int paletteBox(const GMTBL& table) override;
    int textureBox(TextureChoice& choice) override;
    int magBox(float& x, float& y, float& z) override;
    int optionsBox(EditorSettings& settings) override;

protected:
    bool checkOwnAnswer(const std::string& kind, const std::vector<std::string>& values, std::string& error,
                        bool& known) override;
};

} // namespace quillo
