#include "anime_settings.h"

#include "model/text_util.h"

namespace quillo {

namespace {
constexpr size_t fileLimit = 259; // what the dialog's field holds
} // namespace

bool loadAnimatorSettings(SettingsStore& store, AnimatorSettings& s)
{
    s = AnimatorSettings{};
    const auto file = store.read("File Name");
    if (!file) return false;
    s.defaultfile = cutUtf8(*file, fileLimit);
    if (auto v = store.read("MaxWidth")) s.maxwidth = parseFirstNumber(*v, s.maxwidth);
    if (auto v = store.read("MaxHight")) s.maxhight = parseFirstNumber(*v, s.maxhight);
    if (auto v = store.read("Mode")) s.fullscreen = firstCharacterIs(*v, 'F');
    if (auto v = store.read("Dither")) s.dither = firstCharacterIs(*v, 'Y');
    if (auto v = store.read("Driver")) s.driver = parseFirstNumber(*v, s.driver);
    if (auto v = store.read("PersCorrect")) s.perscorrect = firstCharacterIs(*v, 'Y');
    if (auto v = store.read("Shade")) s.shade = firstCharacterIs(*v, 'F') ? 1 : 2;
    if (auto v = store.read("Zoff")) s.zbuffer = !firstCharacterIs(*v, 'Y');
    return true;
}

void saveAnimatorSettings(SettingsStore& store, const AnimatorSettings& s)
{
    store.write("File Name", s.defaultfile);
    store.write("MaxWidth", std::to_string(s.maxwidth));
    store.write("MaxHight", std::to_string(s.maxhight));
    store.write("Mode", s.fullscreen ? "Fullscreen" : "Window");
    store.write("Dither", s.dither ? "Yes" : "No");
    store.write("Driver", std::to_string(s.driver));
    store.write("PersCorrect", s.perscorrect ? "Yes" : "No");
    store.write("Shade", s.shade == 1 ? "FLAT" : "Gouraud");
    store.write("Zoff", s.zbuffer ? "No" : "Yes");
}

const OptionsLayout& animatorOptionsLayout()
{
    static const OptionsLayout layout{"D3DSET", fileAnimation, fileLimit, 804, 805, 807, {809, 810, 811, 812, 813},
                                      {{"ディザ", "ディザ オン", 808}, {"ドライバ", "ドライバ固定", 814}}};
    return layout;
}

OptionsValues optionsValuesOf(const AnimatorSettings& s)
{
    return {s.defaultfile, s.fullscreen, s.maxwidth, s.maxhight, {s.dither, s.driver != -1}};
}

void takeOptionsValues(const OptionsValues& v, AnimatorSettings& s)
{
    s.defaultfile = v.defaultfile;
    s.fullscreen = v.fullscreen;
    s.maxwidth = v.maxwidth;
    s.maxhight = v.maxhight;
    s.dither = v.checks.size() > 0 && v.checks[0];
    s.driver = v.checks.size() > 1 && v.checks[1] ? 0 : -1;
}

} // namespace quillo
