// SPDX-License-Identifier: GPL-3.0-or-later
// Totals and weekly volumes for the report. Units are gathered in one hash table keyed by
// views into the history, so a decade of weeks and a thousand units stay far below a
// millisecond per week.
#include "reports/report_volumes.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "reports/logged_entries.h"

namespace {

bool Earlier(const CivilDate& left, const CivilDate& right) {
    return DayNumberOf(left) < DayNumberOf(right);
}

}  // namespace

HistoryTotals TotalsOf(const std::vector<TrainingWeek>& history,
                       const std::vector<CivilDate>& mondays) {
    HistoryTotals totals;
    totals.weeks = history.size();
    std::unordered_set<std::u16string_view> names;
    std::vector<LoggedEntry> entries;
    for (const TrainingWeek& week : history) {
        for (const std::u16string& day : week.days) {
            LoggedEntriesOf(day, entries);
            if (entries.empty()) continue;
            ++totals.trainingDays;
            totals.entries += entries.size();
            for (const LoggedEntry& entry : entries) {
                names.insert(UnitKeyOf(entry.name));
                totals.volume = AddVolumes(totals.volume, EntryVolume(entry));
            }
        }
    }
    totals.units = names.size();
    if (!mondays.empty()) {
        totals.firstMonday = *std::min_element(mondays.begin(), mondays.end(), Earlier);
        totals.lastMonday = *std::max_element(mondays.begin(), mondays.end(), Earlier);
    }
    return totals;
}

WeeklyVolumes WeeklyVolumesOf(const std::vector<TrainingWeek>& history,
                              const std::vector<CivilDate>& mondays, std::size_t weekCount,
                              std::size_t largestCount) {
    WeeklyVolumes volumes;
    const std::size_t shown = std::min(weekCount, history.size());
    volumes.firstWeek = history.size() - shown;
    volumes.mondays.assign(mondays.begin() + static_cast<std::ptrdiff_t>(volumes.firstWeek),
                           mondays.end());
    volumes.weekTotals.assign(shown, 0);

    std::vector<UnitVolumes> units;
    std::unordered_map<std::u16string_view, std::size_t> unitIndex;
    std::vector<LoggedEntry> entries;
    for (std::size_t column = 0; column < shown; ++column) {
        for (const std::u16string& day : history[volumes.firstWeek + column].days) {
            LoggedEntriesOf(day, entries);
            for (const LoggedEntry& entry : entries) {
                const std::u16string_view key = UnitKeyOf(entry.name);
                auto [found, added] = unitIndex.try_emplace(key, units.size());
                if (added) {
                    units.push_back({std::u16string(key), std::vector<std::int64_t>(shown, 0), 0});
                }
                UnitVolumes& unit = units[found->second];
                const std::int64_t volume = EntryVolume(entry);
                unit.weekly[column] = AddVolumes(unit.weekly[column], volume);
                unit.total = AddVolumes(unit.total, volume);
                volumes.weekTotals[column] = AddVolumes(volumes.weekTotals[column], volume);
            }
        }
    }

    auto larger = [](const UnitVolumes& left, const UnitVolumes& right) {
        if (left.total != right.total) return left.total > right.total;
        return left.name < right.name;
    };
    const std::size_t keep = std::min(largestCount, units.size());
    std::partial_sort(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(keep), units.end(),
                      larger);
    volumes.other.assign(shown, 0);
    for (std::size_t index = 0; index < units.size(); ++index) {
        if (index < keep && units[index].total > 0) {
            volumes.largest.push_back(std::move(units[index]));
            continue;
        }
        for (std::size_t column = 0; column < shown; ++column)
            volumes.other[column] = AddVolumes(volumes.other[column], units[index].weekly[column]);
    }
    return volumes;
}
