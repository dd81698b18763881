// SPDX-License-Identifier: GPL-3.0-or-later
// The week history: weeks in insertion order, each with seven day texts, loaded from and
// saved to units/history.txt (15 lines per week). Catching it up to the current week after
// the load is calendar/'s work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"
#include "data/safe_save.h"
#include "text/messages.h"

inline constexpr char16_t HistoryFilePath[] = u"units/history.txt";
inline constexpr std::int64_t MinimumHistoryFileSize = 178;

struct HistoryLoad {
    Report report;
    // The weeks came from the file; false when it was missing, unreadable or too short to
    // hold a week (the history is then empty and the catch-up starts it anew).
    bool fromFile = false;
    // When the file last changed (seconds since 1970 UTC), for the weeks that came from it:
    // its last week was recorded then or before. None when the system tells no time.
    std::optional<std::int64_t> changedAt;
};

void AddWeek(std::vector<TrainingWeek>& history, WholeNumber weekNumber);
// Replaces the history by the file's weeks and tells when the file last changed. Reports
// HistoryFile when the file cannot be opened or not be read completely; a file shorter than
// one week gives no week.
HistoryLoad LoadWeekHistory(Document& document);
// The weeks of a history file's bytes, read as LoadWeekHistory reads the file (no catch-up).
std::vector<TrainingWeek> WeeksOfBytes(std::string_view bytes);
// Writes a temporary file beside the old one and puts it in place in one step. Reports
// SaveHistory on any failure; the old file then stays as it was. The daily backup, when the
// setting asks for one, is taken just before the old file is replaced.
SaveOutcome SaveWeekHistory(const Document& document, const DailyBackup& backup = {});
// The same, and the outcome tells what the file holds afterwards: the next merge base.
SaveOutcome SaveWeekHistoryRecorded(const Document& document, const DailyBackup& backup);
