// ini.ini: the language and version settings, read at start-up or created with defaults.
#pragma once

#include <string>

extern std::u16string Language;  // default "English"
extern std::u16string Version;   // default "0.1"

inline constexpr char16_t ConfigurationPath[] = u"ini.ini";

// Reads ini.ini; when it cannot be opened, reports it and creates it (fatal when that fails).
void LoadConfiguration();
