// The animation editor's settings ("Durarozi"): nine string values read and
// written in a fixed order, and its options dialog "D3DSET".
#pragma once

#include <string>

#include "platform/options_layout.h"
#include "platform/settings_store.h"

namespace quillo {

struct AnimatorSettings {
    std::string defaultfile; // at most 259 bytes
    int maxwidth = 640;
    int maxhight = 480;
    bool fullscreen = false;
    bool dither = false;
    int driver = -1; // -1: the device layer chooses
    bool perscorrect = false;
    int shade = 2; // 1 flat, 2 Gouraud
    bool zbuffer = true;
};

// Defaults, then the stored values in their order. False on a first run
// ("File Name" missing), with everything else left at its default.
bool loadAnimatorSettings(SettingsStore& store, AnimatorSettings& settings);
// All nine values, in their order.
void saveAnimatorSettings(SettingsStore& store, const AnimatorSettings& settings);

// "D3DSET": default file (an animation), full screen, resolution, and the
// check boxes "ディザ オン" (808) and "ドライバ固定" (814).
const OptionsLayout& animatorOptionsLayout();
OptionsValues optionsValuesOf(const AnimatorSettings& settings);
// OK: a ticked "ドライバ固定" stores driver 0, whatever it was; a clear one -1.
void takeOptionsValues(const OptionsValues& values, AnimatorSettings& settings);

} // namespace quillo
