#include "framework/settings.h"

#include <QSettings>
#include <QString>
#include <QVariant>

namespace {

QString StoreKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

bool Write(const std::string& section, const std::string& key, const QVariant& value) {
    QSettings store = OpenSettingsStore();
    store.setValue(StoreKey(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

}  // namespace

QSettings OpenSettingsStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Locuscope"),
                     QStringLiteral("Locuscope"));
}

int ReadSettingInt(const std::string& section, const std::string& key, int defaultValue) {
    const QVariant value = OpenSettingsStore().value(StoreKey(section, key));
    bool ok = false;
    const int number = value.toInt(&ok);
    return value.isValid() && ok ? number : defaultValue;
}

bool WriteSettingInt(const std::string& section, const std::string& key, int value) {
    return Write(section, key, value);
}

std::string ReadSettingString(const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
    const QVariant value = OpenSettingsStore().value(StoreKey(section, key));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

bool WriteSettingString(const std::string& section, const std::string& key,
                        const std::string& value) {
    return Write(section, key, QString::fromStdString(value));
}
