// The model editor's settings, kept as strings under the value names below
// and parsed by the rules of each value.
#pragma once

#include <map>
#include <optional>
#include <string>

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

// Where the strings live (QSettings in the program, a map in tests).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(const std::string& name) = 0;
    virtual void write(const std::string& name, const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& name) override
    {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void write(const std::string& name, const std::string& value) override { values[name] = value; }
    std::map<std::string, std::string> values;
};

// Defaults, then the stored values. False on a first run ("File Name"
// missing), with everything else left at its default.
bool loadsettings(SettingsStore& store, EditorSettings& settings);
void savesettings(SettingsStore& store, const EditorSettings& settings);

// "first decimal number; unchanged if none"
int parseFirstNumber(const std::string& text, int unchanged);
// "first character C"
bool firstCharacterIs(const std::string& text, char c);

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

} // namespace quillo
