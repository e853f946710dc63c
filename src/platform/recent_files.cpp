#include "recent_files.h"

#include <algorithm>
#include <filesystem>

namespace quillo {

std::string RecentFiles::valueName(int index) { return "Recent File " + std::to_string(index + 1); }

std::string RecentFiles::label(int index, const std::string& path)
{
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        if (c == '&') text += '&'; // a plain "&", not a mnemonic
        text += c;
    }
    return text;
}

void RecentFiles::load(SettingsStore& store)
{
    files_.clear();
    for (int i = 0; i < recentFileCount; ++i) {
        const std::optional<std::string> value = store.read(valueName(i));
        if (value && !value->empty() && std::find(files_.begin(), files_.end(), *value) == files_.end())
            files_.push_back(*value);
    }
}

void RecentFiles::save(SettingsStore& store) const
{
    for (int i = 0; i < recentFileCount; ++i)
        store.write(valueName(i), i < int(files_.size()) ? files_[size_t(i)] : std::string());
}

void RecentFiles::add(const std::string& path)
{
    if (path.empty()) return;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    const std::string file = error ? path : full.lexically_normal().string();
    remove(file);
    files_.insert(files_.begin(), file);
    if (files_.size() > size_t(recentFileCount)) files_.resize(size_t(recentFileCount));
}

bool RecentFiles::remove(const std::string& path)
{
    auto it = std::find(files_.begin(), files_.end(), path);
    if (it == files_.end()) return false;
    files_.erase(it);
    return true;
}

} // namespace quillo
