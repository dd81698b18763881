// SPDX-License-Identifier: GPL-3.0-or-later
// Overrides the built-in texts with those of a language file. Only keys the table already
// holds are read, so a file can neither add texts nor move one to another group.
#include "config/configuration.h"
#include "config/preference_file.h"

void ApplyLanguageFile(TextTable& table, const std::u16string& path) {
    PreferenceFile file;
    // A missing or locked file is not worth a message: the built-in texts simply stay.
    if (!file.Load(path)) return;
    for (std::int32_t g = 1; g <= table.groupCount; ++g) {
        const TextGroup& group = table.groups[std::size_t(g)];
        if (group.first > group.last) continue;
        // A group the file lacks makes every GetValue below return the current text.
        file.SelectGroup(group.name);
        for (std::int32_t slot = group.first; slot <= group.last; ++slot) {
            table.values[std::size_t(slot)] =
                file.GetValue(table.keys[std::size_t(slot)], table.values[std::size_t(slot)]);
        }
    }
    file.Close();
}
