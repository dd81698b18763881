// SPDX-License-Identifier: GPL-3.0-or-later
// The date rule of the catch-up and the exports: a week's Monday is 1 January of its year
// plus (week number - 1) days. The newest week's year comes from the day its file last
// changed; walking back, each drop of the numbers is a year change. The civil-date
// arithmetic itself is the clock's.
#include "calendar/week_dates.h"

#include <algorithm>
#include <cstdio>

namespace {

// About ten thousand years of days: far beyond any real week, small enough that year and
// day arithmetic stays well inside long long and int.
constexpr long long WeekNumberBound = 3660000;
// File times before this year are the zero of a system that kept no time, not a real day.
constexpr int FirstEvidenceYear = 1981;

long long NewYearDay(long long year) {
    return DayNumberOf(CivilDate{static_cast<int>(year), 1, 1});
}

}  // namespace

LocalDate EvidenceDay(const std::optional<LocalDate>& fileDay, const LocalDate& today) {
    if (!fileDay || fileDay->year < FirstEvidenceYear) return today;
    return LocalDayNumber(*fileDay) > LocalDayNumber(today) ? today : *fileDay;
}

NewestWeekPlace PlaceNewestWeek(WholeNumber number, const LocalDate& evidence) {
    const long long bounded = std::clamp<long long>(number, -WeekNumberBound, WeekNumberBound);
    const long long evidenceDay =
        std::clamp<long long>(LocalDayNumber(evidence), -WeekNumberBound, WeekNumberBound);
    // The week was recorded on or before the evidence day, so it began in that day's week
    // or earlier. Of the days the number names (1 January of some year plus number - 1) the
    // latest no later than that week's Sunday counts from the latest 1 January on or before
    // Sunday - number + 1. The whole week rather than the day itself, so that a week the
    // catch-up stepped to from a damaged number (it may begin after today) stays in the
    // year the catch-up counted it in.
    const long long sunday = evidenceDay + 6 - MondayFirstWeekday(evidenceDay);
    NewestWeekPlace place;
    place.year = CivilDateOfDayNumber(sunday - bounded + 1).year;
    place.monday = NewYearDay(place.year) + bounded - 1;
    place.onMonday = number >= FirstWeekNumber && number <= LastWeekNumber &&
                     MondayFirstWeekday(place.monday) == 0;
    if (place.onMonday) return place;
    // No Monday: the number is damaged. An older year where it would be one is not looked
    // for, a Monday a year or more before the file changed being as likely chance as the
    // truth (100 is a Monday in 2023, a Tuesday in 2024); the number counts from 1 January
    // of the evidence day's year, as the newest week always did from today's.
    place.year = CivilDateOfDayNumber(evidenceDay).year;
    place.monday = NewYearDay(place.year) + bounded - 1;
    return place;
}

std::vector<long long> WeekMondayDays(const std::vector<TrainingWeek>& history,
                                      const LocalDate& evidence) {
    std::vector<long long> mondays(history.size());
    if (history.empty()) return mondays;
    long long year = PlaceNewestWeek(history.back().weekNumber, evidence).year;
    for (std::size_t index = history.size(); index-- > 0;) {
        const long long number =
            std::clamp<long long>(history[index].weekNumber, -WeekNumberBound, WeekNumberBound);
        if (index + 1 < history.size() &&
            history[index].weekNumber > history[index + 1].weekNumber) {
            // Damaged files can drop at every week; the year still stays an int.
            year = std::max<long long>(year - 1, -WeekNumberBound);
        }
        mondays[index] = NewYearDay(year) + number - 1;
    }
    return mondays;
}

std::vector<CivilDate> WeekMondays(const std::vector<TrainingWeek>& history,
                                   const LocalDate& evidence) {
    const std::vector<long long> days = WeekMondayDays(history, evidence);
    std::vector<CivilDate> mondays(days.size());
    for (std::size_t index = 0; index < days.size(); ++index)
        mondays[index] = CivilDateOfDayNumber(days[index]);
    return mondays;
}

std::string CompactDate(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}
