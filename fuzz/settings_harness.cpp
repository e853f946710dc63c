#include <string>
#include <vector>

#include "harness.h"
#include "platform/editor_settings.h"

namespace quillo::fuzz {

namespace {

const char* const names[] = {"File Name", "MaxWidth", "MaxHight", "Mode", "Zon", "PersCorrect", "Shade"};

bool same(const EditorSettings& a, const EditorSettings& b)
{
    return a.defaultfile == b.defaultfile && a.maxwidth == b.maxwidth && a.maxhight == b.maxhight &&
           a.fullscreen == b.fullscreen && a.zon == b.zon && a.perscorrect == b.perscorrect && a.shade == b.shade;
}

// What the "first decimal number" rule must do with any text.
std::string numberRules(const std::string& text)
{
    const int v = parseFirstNumber(text, 7);
    if (parseFirstNumber(" \t" + text, 7) != v) return "leading blanks changed \"" + text + "\"";
    if (parseFirstNumber(text + "x", 7) != v) return "what follows the number changed \"" + text + "\"";
    if (parseFirstNumber(std::to_string(v), 8) != v) return "the number " + std::to_string(v) + " does not read back";
    if (v >= 0 && parseFirstNumber("+" + std::to_string(v), -1) != v) return "a leading + is not read";
    return "";
}

} // namespace

std::string settings(const uint8_t* data, size_t size)
{
    std::vector<std::string> values(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            values.emplace_back();
        else
            values.back() += char(data[i]);
    }
    MemorySettingsStore store;
    for (size_t i = 0; i < values.size() && i < std::size(names); ++i) {
        if (values[i] == "-") continue; // "-" alone: the value is not stored
        store.values[names[i]] = values[i];
        std::string broken = numberRules(values[i]);
        if (!broken.empty()) return broken;
    }
    EditorSettings first, second;
    loadsettings(store, first);
    MemorySettingsStore saved;
    savesettings(saved, first);
    if (!loadsettings(saved, second)) return "saved settings read as a first run";
    if (!same(first, second)) return "saved settings read back differently";
    return "";
}

} // namespace quillo::fuzz
