// SPDX-License-Identifier: GPL-3.0-or-later
// ini.ini: the settings (language, version, how many days of backups, the colours), read at
// start-up, or created with the language and version when missing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/messages.h"

// The colours of the windows: as the desktop prefers, or always light or always dark.
enum class ThemeSetting { System, Light, Dark };

struct Settings {
    std::u16string language = u"English";
    std::u16string version = u"0.1";
    // Days of daily backups to keep, as written in the file (plain decimal digits, read by
    // data/backups.h's ReadBackupSetting; 0 turns them off). Read only: never written.
    std::u16string backups = u"14";
    // The colours, as written in the file (System, Light or Dark). Read only, like backups.
    std::u16string theme = u"System";
};

inline constexpr char16_t ConfigurationPath[] = u"ini.ini";

// Reads ini.ini into the settings. When it cannot be opened, reports Config1 and creates it
// with the current settings; Config2 follows, fatal when the file cannot be created, not
// fatal when it was created but could not be written. The reports come in the order shown.
std::vector<Report> LoadConfiguration(Settings& settings);
// Light or Dark as a key is matched (blanks around it and the case of A to Z do not count);
// every other value, the empty one too, is System.
ThemeSetting ParseThemeSetting(std::u16string_view value);
// "lang/" + language + ".txt".
std::u16string LanguageFilePath(const Settings& settings);
// Overrides the texts of the table with those of a language file; silent when the file is
// missing or unreadable.
void ApplyLanguageFile(TextTable& texts, const std::u16string& path);
