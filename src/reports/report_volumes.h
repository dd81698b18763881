// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers behind the report: totals of the whole history and the weekly volume per
// unit of the newest weeks, largest units first. Drawing them is report_charts'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "data/week_history.h"

struct HistoryTotals {
    std::size_t weeks = 0;
    std::size_t trainingDays = 0;  // days with at least one entry
    std::size_t entries = 0;
    std::size_t units = 0;  // distinct unit names (UnitKeyOf)
    std::int64_t volume = 0;
    CivilDate firstMonday;  // earliest and latest Monday; 1970-01-01 for an empty history
    CivilDate lastMonday;
};

struct UnitVolumes {
    std::u16string name;               // UnitKeyOf the entries' names
    std::vector<std::int64_t> weekly;  // one per chart week
    std::int64_t total = 0;
};

struct WeeklyVolumes {
    std::size_t firstWeek = 0;         // history index of the first chart week
    std::vector<CivilDate> mondays;    // one per chart week, oldest first
    std::vector<UnitVolumes> largest;  // largest total first, ties by name; none of total 0
    std::vector<std::int64_t> other;   // every other unit, per chart week
    std::vector<std::int64_t> weekTotals;
};

// `mondays` as WeekMondays gives them for `history`.
HistoryTotals TotalsOf(const std::vector<TrainingWeek>& history,
                       const std::vector<CivilDate>& mondays);
// The newest `weekCount` weeks (all when the history is shorter) and at most `largestCount`
// units by their volume in those weeks.
WeeklyVolumes WeeklyVolumesOf(const std::vector<TrainingWeek>& history,
                              const std::vector<CivilDate>& mondays, std::size_t weekCount,
                              std::size_t largestCount);
