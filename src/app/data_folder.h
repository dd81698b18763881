// The data folder a program works in: a folder that does not exist yet is created and
// filled with starter files from the shipped defaults; one that exists is never changed.
// What start-up then reports about missing files is left to the program as always.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

enum class FolderPreparation {
    AlreadyThere,  // left exactly as it was
    Prepared,      // created and filled completely
    Incomplete,    // created (or not even that), then a step failed; what exists stays
};

// The folder of the running program; empty when it cannot be found.
std::filesystem::path ExecutableDirectory();
// The shipped defaults beside the program: <dir>/default (a build tree), else
// <dir>/../share/velmora (installed); the first holding lang/ and media/, else empty.
std::filesystem::path FindDefaultFolder(const std::filesystem::path& executableDirectory);
// Only when `folder` does not exist: creates it with its parents, copies lang/ and media/
// from `defaults` (skipped when empty), then writes ini.ini, units/history.txt (empty) and
// units/units.txt. Each file appears whole under its name or not at all; the first failure
// ends the filling.
FolderPreparation PrepareDataFolder(const std::filesystem::path& folder,
                                    const std::filesystem::path& defaults,
                                    const std::u16string& language, std::string_view version);
// Prepares `folder` as above (defaults beside the program, language from the environment)
// and makes it the working directory. False, after one line on stderr, when it is empty or
// cannot be entered.
bool EnterDataFolder(const std::string& folder, std::string_view program, std::string_view version);
