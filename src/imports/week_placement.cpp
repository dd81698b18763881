// SPDX-License-Identifier: GPL-3.0-or-later
// Placing new weeks among the old. The history's own weeks keep their numbers and, through
// them, their dates; a new week gets the number the catch-up would have given it (or the one
// its file gave), and where the rule would then read a wrong year between two neighbours,
// a bridge of empty weeks leads from one to the other, one a year, each 52 weeks after the
// last so that its number drops. The result is checked against week_dates' own reading
// before it replaces the history.
#include "imports/week_placement.h"

#include <algorithm>
#include <cassert>

#include "calendar/week_dates.h"

namespace {

long long NewYearDay(long long year) {
    return DayNumberOf(CivilDate{int(year), 1, 1});
}

WeekLabel LabelIn(long long year, long long monday) {
    return {monday, year, WholeNumber(monday - NewYearDay(year) + 1)};
}

// The labels of the history's own weeks as the rule reads them; false for a history whose
// weeks are not in date order or whose numbers name no day the rule could give them.
bool LabelsOfHistory(const std::vector<TrainingWeek>& history,
                     const std::vector<long long>& mondays, std::vector<WeekLabel>& labels) {
    labels.clear();
    labels.reserve(history.size());
    for (std::size_t index = 0; index < history.size(); ++index) {
        const long long monday = mondays[index];
        const CivilDate newYear = CivilDateOfDayNumber(monday - history[index].weekNumber + 1);
        if (newYear.month != 1 || newYear.day != 1) return false;  // a number beyond the bounds
        if (!labels.empty() && labels.back().monday >= monday) return false;
        labels.push_back({monday, newYear.year, history[index].weekNumber});
    }
    return true;
}

struct PlannedWeek {
    WeekLabel label;
    std::ptrdiff_t from = -1;  // its position in the old history, -1 for a new week
};

}  // namespace

WeekLabel ThursdayLabel(long long monday) {
    return LabelIn(CivilDateOfDayNumber(monday + 3).year, monday);
}

bool LabelForNumber(long long monday, WholeNumber number, WeekLabel& label) {
    if (number < FirstWeekNumber || number > LastWeekNumber) return false;
    const long long year = CivilDateOfDayNumber(monday).year;
    for (long long candidate : {year, year + 1, year - 1}) {
        if (NewYearDay(candidate) + number - 1 != monday) continue;
        label = {monday, candidate, number};
        return true;
    }
    return false;
}

bool ReadsOn(const WeekLabel& week, const WeekLabel& next) {
    return next.year == week.year + (week.number > next.number ? 1 : 0);
}

bool BridgeWeeks(const WeekLabel& week, const WeekLabel& later, std::vector<WeekLabel>& between) {
    WeekLabel current = week;
    const long long steps = 2 * std::max<long long>(later.year - week.year, 0) + 2;
    for (long long step = 0; step < steps; ++step) {
        if (ReadsOn(current, later)) return true;
        if (current.year >= later.year || current.monday >= later.monday) return false;
        // 52 weeks on, the next year's number is one or two smaller: a drop every year. A week
        // in the first days of its year has no smaller number left; its year's last week,
        // with one of the largest, comes first.
        WeekLabel next = LabelIn(current.year + 1, current.monday + 364);
        if (next.number < FirstWeekNumber) {
            const long long lastDay = NewYearDay(current.year + 1) - 1;
            next = LabelIn(current.year, lastDay - MondayFirstWeekday(lastDay));
        }
        // Past the later week the rule already reads on from here (the numbers dropped).
        if (next.monday <= current.monday || next.monday >= later.monday) return false;
        between.push_back(next);
        current = next;
    }
    return ReadsOn(current, later);
}

bool PlaceWeeks(std::vector<TrainingWeek>& history, std::vector<long long>& mondays,
                const LocalDate& evidence, const std::vector<WantedWeek>& wanted,
                std::vector<WholeNumber>& added) {
    assert(mondays.size() == history.size() && "PlaceWeeks needs one Monday per week");
    added.clear();
    std::vector<WeekLabel> old;
    if (!LabelsOfHistory(history, mondays, old) || old.empty()) return false;

    // The old weeks and the wanted ones in date order, then the bridges between neighbours.
    std::vector<PlannedWeek> merged;
    merged.reserve(old.size() + wanted.size());
    std::size_t next = 0;
    for (const WantedWeek& week : wanted) {
        while (next < old.size() && old[next].monday < week.monday) {
            merged.push_back({old[next], std::ptrdiff_t(next)});
            ++next;
        }
        if (next < old.size() && old[next].monday == week.monday) continue;
        if (next == old.size()) return false;  // after the newest week
        WeekLabel label = ThursdayLabel(week.monday);
        if (week.numbered) LabelForNumber(week.monday, week.number, label);
        merged.push_back({label, -1});
    }
    for (; next < old.size(); ++next) merged.push_back({old[next], std::ptrdiff_t(next)});

    std::vector<PlannedWeek> planned;
    planned.reserve(merged.size());
    std::vector<WeekLabel> between;
    for (const PlannedWeek& week : merged) {
        if (!planned.empty() && !ReadsOn(planned.back().label, week.label)) {
            between.clear();
            if (!BridgeWeeks(planned.back().label, week.label, between)) return false;
            for (const WeekLabel& bridge : between) planned.push_back({bridge, -1});
        }
        planned.push_back(week);
    }
    // Every wanted week is there already, and the rule reads on between them all.
    if (planned.size() == old.size()) return true;

    std::vector<TrainingWeek> placed;
    placed.reserve(planned.size());
    for (const PlannedWeek& week : planned) {
        if (week.from >= 0) {
            placed.push_back(std::move(history[std::size_t(week.from)]));
        } else {
            added.push_back(WholeNumber(placed.size()));
            placed.push_back(TrainingWeek{week.label.number, {}});
        }
    }
    // The rule itself must read every week where it was planned, or nothing changes.
    std::vector<long long> placedMondays = WeekMondayDays(placed, evidence);
    bool readBack = true;
    for (std::size_t index = 0; index < planned.size() && readBack; ++index)
        readBack = placedMondays[index] == planned[index].label.monday;
    if (!readBack) {
        for (std::size_t index = 0; index < planned.size(); ++index)
            if (planned[index].from >= 0)
                history[std::size_t(planned[index].from)] = std::move(placed[index]);
        added.clear();
        return false;
    }
    history = std::move(placed);
    mondays = std::move(placedMondays);
    return true;
}

WholeNumber PositionAfterAdding(const std::vector<WholeNumber>& added, WholeNumber before) {
    WholeNumber after = before;
    for (WholeNumber position : added) {
        if (position > after) break;
        ++after;
    }
    return after;
}
