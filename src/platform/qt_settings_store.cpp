#include "qt_settings_store.h"

namespace quillo {

QtSettingsStore::QtSettingsStore(const QString& application)
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(settingsOrganisation), application)
{
}

std::optional<std::string> QtSettingsStore::read(const std::string& name)
{
    const QString key = QString::fromStdString(name);
    if (!settings_.contains(key)) return std::nullopt;
    const QVariant value = settings_.value(key);
    if (!value.canConvert<QString>()) return std::nullopt; // not a string: unreadable
    QByteArray bytes = value.toString().toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void QtSettingsStore::write(const std::string& name, const std::string& value)
{
    settings_.setValue(QString::fromStdString(name), QString::fromStdString(value));
    settings_.sync();
}

} // namespace quillo
