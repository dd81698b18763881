// ini.ini: reads the language and version settings at start-up, or reports the file missing
// and creates it with the current values. Nothing writes it again later.
#include "config/configuration.h"

#include "config/preference_file.h"
#include "text/messages.h"

std::u16string Language = u"English";
std::u16string Version = u"0.1";

void LoadConfiguration() {
    PreferenceFile file;
    if (file.Load(ConfigurationPath)) {
        // Both keys stand before any group header; the order matches the file's usual layout.
        Version = file.GetValue(u"Version", Version);
        Language = file.GetValue(u"Language", Language);
        file.Close();
        return;
    }

    // The text table holds only the built-in texts here, so these boxes are always German.
    ShowError(u"Config1", ConfigurationPath);
    if (!file.StartNew(ConfigurationPath)) {
        ShowError(u"Config2", ConfigurationPath, true);
        return;
    }
    file.SetValue(u"Version", Version);
    file.SetValue(u"Language", Language);
    // The file exists but its content could not be written: the user learns that the
    // settings were not stored; the program goes on with the current values.
    if (!file.Close()) ShowError(u"Config2", ConfigurationPath);
}
