#include "scripted_model_dialogs.h"

#include <cstdlib>

#include "editor_settings.h"
#include "model/colour_table.h"

namespace quillo {

namespace {

bool yes(const std::string& s) { return s == "yes" || s == "Yes" || s == "1" || s == "on" || s == "true"; }

} // namespace

bool ScriptedModelDialogs::checkOwnAnswer(const std::string& kind, const std::vector<std::string>& values,
                                          std::string& error, bool& known)
{
    known = true;
    if (kind == "colour") return answerValues(kind, values, 6, true, true, error);
    if (kind == "mag") return answerValues(kind, values, 3, true, true, error);
    if (kind == "palette") return answerValues(kind, values, 1, true, false, error);
    if (kind == "texture") {
        if (!answerValues(kind, values, 3, false, false, error)) return false;
        if (values[2] == "xy" || values[2] == "zy" || values[2] == "xz") return true;
        error = "answer texture: the plane is xy, zy or xz";
        return false;
    }
    if (kind == "options") return keyValueAnswer(values, error);
    known = false;
    return false;
}

int ScriptedModelDialogs::colourBox(ColourValues& v)
{
    bool cancelled;
    const ScriptAnswer* a = take("colour", "colour box", &cancelled);
    if (!a) return -1;
    v.red = clampChannel(std::atoi(a->values[0].c_str()));
    v.green = clampChannel(std::atoi(a->values[1].c_str()));
    v.blue = clampChannel(std::atoi(a->values[2].c_str()));
    v.ambient = clampCoefficient(std::strtof(a->values[3].c_str(), nullptr));
    v.diffuse = clampCoefficient(std::strtof(a->values[4].c_str(), nullptr));
    v.specular = clampCoefficient(std::strtof(a->values[5].c_str(), nullptr));
    return 1;
}

int ScriptedModelDialogs::paletteBox(const GMTBL& table)
{
    bool cancelled;
    const ScriptAnswer* a = take("palette", "palette box", &cancelled);
    if (!a) return -1;
    int i = std::atoi(a->values[0].c_str());
    return i >= 0 && i < table.count ? i : -1; // a click below the last colour does nothing
}

int ScriptedModelDialogs::textureBox(TextureChoice& c)
{
    bool cancelled;
    const ScriptAnswer* a = take("texture", "texture box", &cancelled);
    if (!a) return -1;
    c.name = a->values[0];
    c.file = a->values[1];
    c.plane = a->values[2] == "xy" ? 0 : (a->values[2] == "zy" ? 2 : 4);
    return 1;
}

int ScriptedModelDialogs::magBox(float& x, float& y, float& z)
{
    bool cancelled;
    const ScriptAnswer* a = take("mag", "magnification box", &cancelled);
    if (!a) return -1;
    x = std::strtof(a->values[0].c_str(), nullptr);
    y = std::strtof(a->values[1].c_str(), nullptr);
    z = std::strtof(a->values[2].c_str(), nullptr);
    return 1;
}

int ScriptedModelDialogs::optionsBox(EditorSettings& s)
{
    bool cancelled;
    const ScriptAnswer* a = take("options", "options dialog", &cancelled);
    if (!a) return -1;
    EditorSettings changed = s;
    for (const std::string& pair : a->values) {
        std::string key = pair.substr(0, pair.find('=')), value = pair.substr(pair.find('=') + 1);
        if (key == "defaultfile" || key == "File Name") {
            changed.defaultfile = value;
        } else if (key == "fullscreen" || key == "Mode") {
            changed.fullscreen = yes(value) || value == "Fullscreen";
        } else if (key == "zon" || key == "Zon") {
            changed.zon = yes(value) || value == "Yes";
        } else if (key == "resolution" || key == "MaxWidth") {
            int width = std::atoi(value.c_str());
            if (!resolutionControl(width)) {
                fail("options: no resolution button shows the width " + value);
                return -1;
            }
            for (const Resolution& r : resolutions)
                if (r.width == width) {
                    changed.maxwidth = r.width;
                    changed.maxhight = r.height;
                }
        } else {
            fail("options: unknown setting \"" + key + "\"");
            return -1;
        }
    }
    s = changed;
    return 1;
}

} // namespace quillo
