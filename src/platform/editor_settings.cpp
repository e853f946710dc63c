#include "editor_settings.h"

#include <cstdio>
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

void acceptOptions(EditorSettings& s)
{
    s.defaultfile = cutUtf8(s.defaultfile, 255);
    FILE* f = s.defaultfile.empty() ? nullptr : std::fopen(s.defaultfile.c_str(), "rb");
    if (f)
        std::fclose(f);
    else
        s.defaultfile.clear();
}

} // namespace quillo
