// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar date of every history week's Monday, read from the week numbers and from the
// evidence of when the newest week was recorded: the one rule of the catch-up and the
// exports. Week numbers themselves (and the catch-up that appends them) are week_calendar's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/week_history.h"
#include "platform/clock.h"

// The numbers a week can get: the day of the year of its Monday, which lies up to six days
// before 1 January in the first week of a year, and on 31 December in a leap year.
inline constexpr WholeNumber FirstWeekNumber = -5;
inline constexpr WholeNumber LastWeekNumber = 366;

// The day that stands for when the newest week was recorded at the latest: the day its file
// last changed, or today where that is unknown, in the future or before 1981 (the zero time
// of an archive or file system that kept none).
LocalDate EvidenceDay(const std::optional<LocalDate>& fileDay, const LocalDate& today);

// Where the newest week's number puts its Monday.
struct NewestWeekPlace {
    int year = 1970;        // the year whose 1 January the number counts from
    long long monday = 0;   // days from 1 January 1970 of the day the number names
    bool onMonday = false;  // false: a damaged number, counted from the evidence day's year
};
// The number names 1 January of some year plus (number - 1) days; of those days the latest
// whose week had begun by `evidence` is the newest week's Monday when it is a Monday. A
// number that gives no Monday there (a damaged one, or one no week can have) counts from
// 1 January of the evidence day's year. Numbers beyond +-3 660 000 (about ten thousand
// years) are taken as that bound, and so is the evidence day, so nothing can overflow.
NewestWeekPlace PlaceNewestWeek(WholeNumber number, const LocalDate& evidence);
// The Monday of each week, in history order: the newest week's by PlaceNewestWeek, and every
// step back to an older week whose number is greater than the next week's number moves to
// the year before. `evidence` is EvidenceDay's.
std::vector<CivilDate> WeekMondays(const std::vector<TrainingWeek>& history,
                                   const LocalDate& evidence);
// The same Mondays as day numbers (days from 1970), for rules that compare and count days.
std::vector<long long> WeekMondayDays(const std::vector<TrainingWeek>& history,
                                      const LocalDate& evidence);
// "20240108", as calendar files write dates; only for years 1 .. 9999.
std::string CompactDate(const CivilDate& date);
