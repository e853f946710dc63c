// The model editor's settings, kept as strings under the value names below
// and parsed by the rules of each value.
#pragma once

#include <string>

#include "options_layout.h"
#include "settings_store.h"

namespace quillo {

struct EditorSettings {
    std::string defaultfile; // at most 255 bytes
    int maxwidth = 640;
    int maxhight = 480;
    bool fullscreen = false;
    bool zon = false;
    bool perscorrect = false;
    int shade = 2; // 1 flat, 2 Gouraud
};

// Defaults, then the stored values. False on a first run ("File Name"
// missing), with everything else left at its default.
bool loadsettings(SettingsStore& store, EditorSettings& settings);
void savesettings(SettingsStore& store, const EditorSettings& settings);

// The maximum-resolution radio buttons of the options dialog.
struct Resolution {
    int control, width, height;
};
extern const Resolution resolutions[5];
// The control that shows `maxwidth`, or 0 when none does.
int resolutionControl(int maxwidth);

// What OK of the options dialog does after reading the fields: a default
// file that cannot be opened for reading is dropped.
void acceptOptions(EditorSettings& settings);

// "DDSET" as an options layout (Z buffer is its one check box), and the
// settings to and from its values.
const OptionsLayout& modelOptionsLayout();
OptionsValues optionsValuesOf(const EditorSettings& settings);
void takeOptionsValues(const OptionsValues& values, EditorSettings& settings);

} // namespace quillo
