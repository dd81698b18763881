// The week history: weeks in insertion order, each with seven day texts, loaded from and
// saved to units/history.txt (15 lines per week), caught up to the current week on load.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/text_helpers.h"

struct TrainingWeek {
    WholeNumber weekNumber = 0;
    std::array<std::u16string, 7> days;  // 0 = Monday .. 6 = Sunday
};

inline constexpr char16_t HistoryFilePath[] = u"units/history.txt";
inline constexpr std::int64_t MinimumHistoryFileSize = 178;

extern std::vector<TrainingWeek> WeekHistory;
extern WholeNumber SelectedWeek;
// The English day keys in Monday-first order, written as day labels into the history file.
extern std::array<std::u16string, 7> DayKeys;
// Set when units/history.txt exists but could not be read at start-up.
extern bool HistoryFileUnreadable;

void FillDayKeys();
void AddWeek(WholeNumber weekNumber);
// Replaces the history by the file's weeks, caught up to the current week. Reports
// HistoryFile and returns false when the file cannot be opened or not be read completely.
// Always leaves at least one week and selects the last one.
bool LoadWeekHistory();
// Writes a temporary file beside the old one and puts it in place in one step. Reports
// SaveHistory and returns false on any failure; the old file then stays as it was.
bool SaveWeekHistory();
