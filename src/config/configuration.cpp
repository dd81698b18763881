// SPDX-License-Identifier: GPL-3.0-or-later
// ini.ini: reads the language, version, backup and theme settings at start-up, or reports the
// file missing and creates it with the language and version. Nothing writes it again later.
#include "config/configuration.h"

#include "config/preference_file.h"
#include "platform/unicode.h"

std::vector<Report> LoadConfiguration(Settings& settings) {
    PreferenceFile file;
    if (file.Load(ConfigurationPath)) {
        // Both keys stand before any group header; the order matches the file's usual layout.
        settings.version = file.GetValue(u"Version", settings.version);
        settings.language = file.GetValue(u"Language", settings.language);
        settings.backups = file.GetValue(u"Backups", settings.backups);
        settings.theme = file.GetValue(u"Theme", settings.theme);
        file.Close();
        return {};
    }

    std::vector<Report> reports{{u"Config1", ConfigurationPath}};
    if (!file.StartNew(ConfigurationPath)) {
        reports.push_back({u"Config2", ConfigurationPath, true});
        return reports;
    }
    file.SetValue(u"Version", settings.version);
    file.SetValue(u"Language", settings.language);
    // The file exists but its content could not be written: the user learns that the
    // settings were not stored; the program goes on with the current values.
    if (!file.Close()) reports.push_back({u"Config2", ConfigurationPath});
    return reports;
}

std::u16string LanguageFilePath(const Settings& settings) {
    return u"lang/" + settings.language + u".txt";
}

ThemeSetting ParseThemeSetting(std::u16string_view value) {
    // The file's reader cuts the blanks before a value; those after it are cut here.
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!value.empty() && blank(value.front())) value.remove_prefix(1);
    while (!value.empty() && blank(value.back())) value.remove_suffix(1);
    const std::string name = Utf16ToUtf8(value);
    if (PreferenceNamesEqual(name, "Light")) return ThemeSetting::Light;
    if (PreferenceNamesEqual(name, "Dark")) return ThemeSetting::Dark;
    return ThemeSetting::System;
}
