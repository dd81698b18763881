// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the data files in a folder that others change too (a sync tool, another program): a
// save first looks at the file on disk. Unchanged since the program last read or wrote it, the
// file is saved as always; changed, it is read, merged three ways with what the program holds
// (merge_history.h, merge_units.h), and the merge is saved and becomes what the program holds.
// Taking in a changed file without saving, and showing what happened, are app/'s.
#pragma once

#include <vector>

#include "data/backups.h"
#include "data/disk_version.h"
#include "data/document.h"
#include "data/safe_save.h"
#include "text/messages.h"

struct SyncedSave {
    SaveOutcome outcome;
    // The file on disk held changes made elsewhere, which are now part of what is held.
    bool merged = false;
    // The file changed on disk but cannot be read (Errors key ChangedUnreadable with its path):
    // nothing was written over it.
    Report unreadable;
    // For a history merge: where each week held before stands now.
    std::vector<std::size_t> heldPositions;
};

// Saves units/history.txt; the base of the next merge is what it wrote.
SyncedSave SaveHistorySynced(Document& document, const DailyBackup& backup);
// Saves units/units.txt likewise.
SyncedSave SaveCatalogueSynced(Document& document, const DailyBackup& backup);

// What a look at a data file found, for taking a changed file in without saving.
struct DiskChange {
    enum class Kind { None, Changed, Unreadable };
    Kind kind = Kind::None;
    DiskVersion version;  // for Changed
};
// Changed: the file exists and holds other bytes than its base, and they can be merged.
// None: unchanged (a new identity with the same bytes is taken as the base's), or no file.
DiskChange LookAtDataFile(const std::u16string& path, FileBase& base, DataFileKind kind);

// Merges a changed history file into the document (three ways with its base) and returns
// where each week held before stands now. The base stays until the document is saved.
std::vector<std::size_t> MergeHistoryFromDisk(Document& document, const DiskVersion& disk);
// The same for the catalogue.
void MergeCatalogueFromDisk(Document& document, const DiskVersion& disk);
// After a merge of a file that was taken in without any change held here: the disk's version
// becomes the base, as if it had just been loaded.
void TakeDiskVersionAsBase(Document& document, const DiskVersion& disk, DataFileKind kind);
