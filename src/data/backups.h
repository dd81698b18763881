// SPDX-License-Identifier: GPL-3.0-or-later
// Daily backups of the data files: before a save replaces a file, the version that stood at
// the start of the day is kept in a backup folder beside it as "<name>-YYYY-MM-DD.txt", and
// only the newest days are kept. How many is the caller's setting, which ReadBackupSetting
// reads from its text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "text/messages.h"
#include "text/text_helpers.h"

inline constexpr WholeNumber DefaultBackupDays = 14;

struct DailyBackup {
    WholeNumber days = 0;  // how many days' backups are kept; 0 or less: none are made
    LocalDate today;
};

// The Backups setting of ini.ini as days.
struct BackupSetting {
    WholeNumber days = DefaultBackupDays;
    bool valid = true;  // false: the text is no plain number and the default stands in
};
// Optional blanks, decimal digits, optional blanks: that many days, a number beyond the
// largest whole number keeping every day's backup. Anything else is not valid.
BackupSetting ReadBackupSetting(std::u16string_view text);

// "units/history.txt" -> "units/backup/history-2026-12-07.txt".
std::u16string DailyBackupPath(const std::u16string& dataFile, const LocalDate& day);
// The daily backups of a data file that stand in its backup folder, oldest first, as paths.
std::vector<std::u16string> DailyBackupsOf(const std::u16string& dataFile);
// Keeps the file that the save is about to replace (`oldFile`, a link's target) under the
// data file's backup name for today, unless today's backup exists already; a file that does
// not exist yet needs none. A new backup removes that file's backups of all but the newest
// days up to today; backups dated after today are kept and not counted, so the one just made
// always stays.
// Reports Backup with the backup's path when it cannot be made.
Report KeepDailyBackup(const std::u16string& dataFile, const std::u16string& oldFile,
                       const DailyBackup& backup);
