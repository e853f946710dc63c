// The screen saver's settings ("Screen Saver"): the animation to play, the
// full-screen size, the colour depth, the step interval and the Z buffer;
// and the logic of its settings dialog "DSET" (speed bar, OK rule).
#pragma once

#include <string>

#include "platform/settings_store.h"

namespace quillo {

struct SaverSettings {
    std::string animfile; // at most 255 bytes
    int modewidth = 1024, modeheight = 768;
    bool eightbit = false;
    int interval = 12; // milliseconds between playback steps
    bool zbuffer = true;
};

// "File Name" first; without it nothing else is read and false is
// returned. Then "Rezolution", "Speed", "Color" and "Zoff".
bool loadSaverSettings(SettingsStore& store, SaverSettings& settings);
// In the order "Rezolution", "Speed", "File Name", "Color", "Zoff".
void saveSaverSettings(SettingsStore& store, const SaverSettings& settings);

// Steps per second 1..80 and the interval they give (1000 / n).
int speedOf(int interval);
int intervalOf(int speed);

// The speed bar: range 0..99 with a page of 20, so the thumb reaches 0..80.
struct SpeedBar {
    static constexpr int lowest = 0, highest = 99, page = 20;
    int position = 80;
    // A line step (±1) or a page step (±5); the thumb stays within 0..80.
    void step(int by);
    void setThumb(int at);
};

// OK of "DSET": the file field (at most 254 bytes), the two check boxes and
// the bar. False when the file cannot be read; the caller then shows
// "指定されたファイル %s が見つかりません" and keeps the dialog open.
bool acceptSaverDialog(const std::string& file, bool fixed640, bool colours256, int position, SaverSettings& settings);

} // namespace quillo
