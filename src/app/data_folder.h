// SPDX-License-Identifier: GPL-3.0-or-later
// The data folder a program works in: a folder that does not exist yet is created and
// filled with starter files from the shipped defaults; one that exists is never changed.
// What start-up then reports about missing files is left to the program as always.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

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
// The folder a path names as the system resolves it: the longest part that exists, through
// its links and "..", then the parts that do not exist yet. False (with the system's error)
// when the path cannot be entered as given: a ".." after a part that does not exist, a part
// below a file, or a dangling link.
bool ResolveFolderPath(const std::filesystem::path& given, std::filesystem::path& resolved,
                       std::error_code& error);
// Only when `folder` does not exist: creates it with its parents, copies lang/ and media/
// from `defaults` (skipped when empty), then writes ini.ini, units/history.txt (empty) and
// units/units.txt. Each file appears whole under its name or not at all; the first failure
// ends the filling. The folder is the one ResolveFolderPath names; a path it refuses is
// Incomplete with nothing created.
FolderPreparation PrepareDataFolder(const std::filesystem::path& folder,
                                    const std::filesystem::path& defaults,
                                    const std::u16string& language, std::string_view version);
// Prepares `folder` as above (defaults beside the program, language from the environment)
// and makes the folder prepared the working directory. False, after one line on stderr, when
// it is empty or cannot be entered; a path that cannot be entered creates nothing.
bool EnterDataFolder(const std::string& folder, std::string_view program, std::string_view version);
