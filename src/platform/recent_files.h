// The last models an editor opened or saved, newest first, kept in the
// settings store as "Recent File 1" … "Recent File 8".
#pragma once

#include <string>
#include <vector>

#include "settings_store.h"

namespace quillo {

constexpr int recentFileCount = 8;

class RecentFiles {
public:
    // Reads the list; empty and repeated values are skipped.
    void load(SettingsStore& store);
    // Writes every value, empty ones for unused places.
    void save(SettingsStore& store) const;
    // Puts `path` (made absolute) first, once; the oldest beyond eight drops out.
    void add(const std::string& path);
    // False when `path` is not in the list.
    bool remove(const std::string& path);
    const std::vector<std::string>& files() const { return files_; }

    // The settings value name of place `index` (0-based).
    static std::string valueName(int index);
    // The menu label of place `index`: "&1 path", with the path's own "&" doubled.
    static std::string label(int index, const std::string& path);

private:
    std::vector<std::string> files_;
};

} // namespace quillo
