// ini.ini: reads the language, version and backup settings at start-up, or reports the file
// missing and creates it with the language and version. Nothing writes it again later.
#include "config/configuration.h"

#include "config/preference_file.h"

std::vector<Report> LoadConfiguration(Settings& settings) {
    PreferenceFile file;
    if (file.Load(ConfigurationPath)) {
        // Both keys stand before any group header; the order matches the file's usual layout.
        settings.version = file.GetValue(u"Version", settings.version);
        settings.language = file.GetValue(u"Language", settings.language);
        settings.backups = file.GetValue(u"Backups", settings.backups);
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
