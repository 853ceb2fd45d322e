#pragma once

#include <QSettings>
#include <string>

// The per-user profile store: every remembered value, addressed by section and key. Values
// live in QSettings (organisation and application "Locuscope", INI format in the user's
// configuration folder), the key "Section/Key". Reading a value never written gives the
// default; writes report failure through their result only.
int ReadSettingInt(const std::string& section, const std::string& key, int defaultValue);
bool WriteSettingInt(const std::string& section, const std::string& key, int value);
std::string ReadSettingString(const std::string& section, const std::string& key,
                              const std::string& defaultValue);
bool WriteSettingString(const std::string& section, const std::string& key,
                        const std::string& value);

// The store itself, for what is kept as other than an integer or a text (the toolbar layout,
// the recent-file list). Every remembered value goes through this one opening.
QSettings OpenSettingsStore();
