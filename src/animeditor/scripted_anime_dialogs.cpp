#include "scripted_anime_dialogs.h"

#include <cstdlib>

#include "model/text_util.h"

namespace quillo {

namespace {

bool yes(const std::string& s) { return s == "yes" || s == "Yes" || s == "1" || s == "on" || s == "true"; }

// Script names of the options dialogs' check boxes, by control.
const struct {
    int control;
    const char* key;
    const char* on; // a second word for "ticked" besides yes/on/1/true
} checkKeys[] = {{808, "dither", "yes"}, {814, "driver", "fixed"}};

} // namespace

bool ScriptedAnimeDialogs::checkOwnAnswer(const std::string& kind, const std::vector<std::string>& values,
                                          std::string& error, bool& known)
{
    known = true;
    if (kind == "action") return answerValues(kind, values, 2, false, false, error);
    if (kind == "options") return keyValueAnswer(values, error);
    known = false;
    return false;
}

int ScriptedAnimeDialogs::optionsBox(const OptionsLayout& layout, OptionsValues& values)
{
    bool cancelled;
    const ScriptAnswer* a = take("options", "options dialog", &cancelled);
    if (!a) return -1;
    OptionsValues changed = values;
    changed.checks.resize(layout.checks.size());
    for (const std::string& pair : a->values) {
        const std::string key = pair.substr(0, pair.find('=')), value = pair.substr(pair.find('=') + 1);
        bool found = true;
        if (key == "defaultfile") {
            changed.defaultfile = value;
        } else if (key == "fullscreen") {
            changed.fullscreen = yes(value);
        } else if (key == "resolution") {
            const int i = resolutionIndex(std::atoi(value.c_str()));
            if (i < 0) {
                fail("options: no resolution button shows the width " + value);
                return -1;
            }
            changed.maxwidth = resolutionSizes[i].width;
            changed.maxhight = resolutionSizes[i].height;
        } else {
            found = false;
            for (size_t c = 0; c < layout.checks.size(); ++c)
                for (const auto& k : checkKeys)
                    if (k.control == layout.checks[c].control && key == k.key) {
                        changed.checks[c] = yes(value) || value == k.on;
                        found = true;
                    }
        }
        if (!found) {
            fail("options: unknown setting \"" + key + "\"");
            return -1;
        }
    }
    acceptDefaultFile(changed.defaultfile, layout.fileLimit);
    values = changed;
    return 1;
}

int ScriptedAnimeDialogs::actionBox(std::string& name, std::string& path)
{
    bool cancelled;
    const ScriptAnswer* a = take("action", "action settings", &cancelled);
    if (!a) return -1;
    name = cutUtf8(a->values[0], 79);
    path = cutUtf8(a->values[1], 259);
    return 1;
}

} // namespace quillo
