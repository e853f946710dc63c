#include "editor_settings.h"

#include <cstdlib>

#include "model/text_util.h"

namespace quillo {

const Resolution resolutions[5] = {
    {1103, 1600, 1200}, {1104, 1280, 1024}, {1105, 1024, 768}, {1106, 800, 600}, {1107, 640, 480},
};

int resolutionControl(int maxwidth)
{
    for (const Resolution& r : resolutions)
        if (r.width == maxwidth) return r.control;
    return 0;
}

bool loadsettings(SettingsStore& store, EditorSettings& s)
{
    s = EditorSettings{};
    auto file = store.read("File Name");
    if (!file) return false;
    s.defaultfile = cutUtf8(*file, 255);
    if (auto v = store.read("MaxWidth")) s.maxwidth = parseFirstNumber(*v, s.maxwidth);
    if (auto v = store.read("MaxHight")) s.maxhight = parseFirstNumber(*v, s.maxhight);
    if (auto v = store.read("Mode")) s.fullscreen = firstCharacterIs(*v, 'F');
    if (auto v = store.read("Zon")) s.zon = firstCharacterIs(*v, 'Y');
    if (auto v = store.read("PersCorrect")) s.perscorrect = firstCharacterIs(*v, 'Y');
    if (auto v = store.read("Shade")) s.shade = firstCharacterIs(*v, 'F') ? 1 : 2;
    return true;
}

void savesettings(SettingsStore& store, const EditorSettings& s)
{
    store.write("File Name", s.defaultfile);
    store.write("MaxWidth", std::to_string(s.maxwidth));
    store.write("MaxHight", std::to_string(s.maxhight));
    store.write("Mode", s.fullscreen ? "Fullscreen" : "Window");
    store.write("PersCorrect", s.perscorrect ? "Yes" : "No");
    store.write("Shade", s.shade == 1 ? "FLAT" : "Gouraud");
    store.write("Zon", s.zon ? "Yes" : "No");
}

void acceptOptions(EditorSettings& s) { acceptDefaultFile(s.defaultfile, 255); }

const OptionsLayout& modelOptionsLayout()
{
    static const OptionsLayout layout{"DDSET", fileModel, 255, 804, 1002, 1101, {1103, 1104, 1105, 1106, 1107},
                                      {{"Ｚバッファ", "Ｚバッファ オン", 1102}}};
    return layout;
}

OptionsValues optionsValuesOf(const EditorSettings& s)
{
    return {s.defaultfile, s.fullscreen, s.maxwidth, s.maxhight, {s.zon}};
}

void takeOptionsValues(const OptionsValues& v, EditorSettings& s)
{
    s.defaultfile = v.defaultfile;
    s.fullscreen = v.fullscreen;
    s.maxwidth = v.maxwidth;
    s.maxhight = v.maxhight;
    s.zon = !v.checks.empty() && v.checks[0];
}

} // namespace quillo
