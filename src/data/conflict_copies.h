// SPDX-License-Identifier: GPL-3.0-or-later
// The conflict copies that the common sync tools leave beside units/units.txt and
// units/history.txt when two machines changed a file at once, and their merge into what the
// program holds. Showing and moving them is app/'s.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/disk_version.h"
#include "data/document.h"

inline constexpr char16_t DataFolderPath[] = u"units";
inline constexpr char16_t MergedCopiesFolder[] = u"units/backup/merged";

// Which data file (by its name, "units" or "history" with ".txt") a file name in units/ is a
// sync tool's conflict copy of; none for any other name, the program's own temporary files
// among them.
std::optional<DataFileKind> ConflictCopyKind(std::u16string_view fileName);

struct ConflictCopy {
    std::u16string path;  // "units/<name>"
    std::u16string name;
    DataFileKind kind;
};
// The conflict copies in units/, sorted by name.
std::vector<ConflictCopy> FindConflictCopies();

// Merges a history conflict copy's weeks into the document: three ways with the oldest daily
// backup of the history whose weeks both hold, else a union that keeps every entry of both once.
// Returns where each week held before stands now.
std::vector<std::size_t> MergeHistoryCopy(Document& document, std::string_view copyBytes);
// Merges a catalogue conflict copy: its units that the catalogue lacks are appended.
void MergeCatalogueCopy(Document& document, std::string_view copyBytes);
// Moves a merged copy into units/backup/merged/ (its name kept, or numbered when taken); never
// replaces a file. False when it could not be moved; it then stays where it was.
bool MoveMergedCopy(const ConflictCopy& copy);
