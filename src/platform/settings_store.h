// Where the programs keep their settings: string values by name (QSettings
// in the programs, a map in tests), and the parse rules the settings share.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace quillo {

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

// "first decimal number; unchanged if none"
int parseFirstNumber(const std::string& text, int unchanged);
// "first character C"
bool firstCharacterIs(const std::string& text, char c);

} // namespace quillo
