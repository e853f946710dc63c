// Settings strings kept by QSettings under organisation "Quillo Proj" and
// one application name per program ("Model", "Durarozi", "Screen Saver").
// On Linux that is a file under $XDG_CONFIG_HOME/Quillo Proj/.
#pragma once

#include <QSettings>

#include "settings_store.h"

namespace quillo {

inline constexpr const char* settingsOrganisation = "Quillo Proj";

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& application);
    std::optional<std::string> read(const std::string& name) override;
    // Written through at once; a failed write is ignored.
    void write(const std::string& name, const std::string& value) override;
    QString fileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};

} // namespace quillo
