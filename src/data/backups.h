// Daily backups of the data files: before a save replaces a file, the version that stood at
// the start of the day is kept in a backup folder beside it as "<name>-YYYY-MM-DD.txt", and
// only the newest days are kept. Whether and how many is the caller's setting.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "text/messages.h"
#include "text/text_helpers.h"

struct DailyBackup {
    WholeNumber days = 0;  // how many days' backups are kept; 0 or less: none are made
    LocalDate today;
};

// "units/history.txt" -> "units/backup/history-2026-12-07.txt".
std::u16string DailyBackupPath(const std::u16string& dataFile, const LocalDate& day);
// Keeps the file that the save is about to replace (`oldFile`, a link's target) under the
// data file's backup name for today, unless today's backup exists already; a file that does
// not exist yet needs none. A new backup removes that file's backups of all but the newest
// days.
// Reports Backup with the backup's path when it cannot be made.
Report KeepDailyBackup(const std::u16string& dataFile, const std::u16string& oldFile,
                       const DailyBackup& backup);
