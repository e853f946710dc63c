#include "saver_settings.h"

#include "model/file_util.h"
#include "model/text_util.h"

namespace quillo {

int speedOf(int interval)
{
    const int n = interval > 0 ? 1000 / interval : 80;
    return n < 1 ? 1 : n > 80 ? 80 : n;
}

int intervalOf(int speed)
{
    const int n = speed < 1 ? 1 : speed > 80 ? 80 : speed;
    return 1000 / n;
}

bool loadSaverSettings(SettingsStore& store, SaverSettings& s)
{
    const auto file = store.read("File Name");
    if (!file) return false;
    s.animfile = cutUtf8(*file, 255);
    if (auto v = store.read("Rezolution")) {
        if (firstCharacterIs(*v, 'V')) {
            s.modewidth = 640;
            s.modeheight = 480;
        }
    }
    if (auto v = store.read("Speed")) {
        const int n = parseFirstNumber(*v, 0x7fffffff);
        if (n != 0x7fffffff) s.interval = intervalOf(n); // no number: 12 ms stays
    }
    if (auto v = store.read("Color")) s.eightbit = firstCharacterIs(*v, '2');
    if (auto v = store.read("Zoff")) s.zbuffer = !firstCharacterIs(*v, 'Y');
    return true;
}

void saveSaverSettings(SettingsStore& store, const SaverSettings& s)
{
    store.write("Rezolution", s.modewidth == 640 ? "VGA" : "SVGA");
    store.write("Speed", std::to_string(speedOf(s.interval)));
    store.write("File Name", s.animfile);
    store.write("Color", s.eightbit ? "256" : "64K");
    store.write("Zoff", s.zbuffer ? "No" : "Yes");
}

void SpeedBar::step(int by) { setThumb(position + by); }

void SpeedBar::setThumb(int at)
{
    const int top = highest - page + 1; // the thumb's last position
    position = at < lowest ? lowest : at > top ? top : at;
}

bool acceptSaverDialog(const std::string& file, bool fixed640, bool colours256, int position, SaverSettings& s)
{
    const std::string path = cutUtf8(file, 254);
    if (!readableFile(path)) return false;
    s.animfile = path;
    s.modewidth = fixed640 ? 640 : 1024;
    s.modeheight = fixed640 ? 480 : 768;
    s.eightbit = colours256;
    s.interval = intervalOf(position);
    return true;
}

} // namespace quillo
