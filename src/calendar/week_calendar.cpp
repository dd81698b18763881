// SPDX-License-Identifier: GPL-3.0-or-later
// Week numbers (the day of the year of the week's Monday, in today's year), today's day,
// and the catch-up that appends weeks to the history up to the current week. Where the last
// stored week lies is week_dates' rule, the same one the exports use.
#include "calendar/week_calendar.h"

#include "calendar/week_dates.h"
#include "data/week_history.h"
#include "platform/clock.h"

namespace {

// Indexed by weekday, 0 = Sunday.
constexpr int MondayFirstIndex[7] = {6, 0, 1, 2, 3, 4, 5};
constexpr int MondayOffset[7] = {-6, 0, -1, -2, -3, -4, -5};

// More than a year's worth of weeks behind: a damaged number is left behind, not stepped on.
constexpr long long DamagedDistance = 371;

int WeekdayOf(const LocalDate& date) {
    return date.weekday >= 0 && date.weekday <= 6 ? date.weekday : 0;
}

int TodayWeekday() {
    return WeekdayOf(Today());
}

long long NewYearDay(int year) {
    return DayNumberOf(CivilDate{year, 1, 1});
}

}  // namespace

WholeNumber CurrentWeekNumber() {
    LocalDate today = Today();
    return static_cast<WholeNumber>(today.dayOfYear + MondayOffset[WeekdayOf(today)]);
}

std::u16string_view TodayDayKey() {
    return DayKeys[std::size_t(TodayDayIndex())];
}

WholeNumber TodayDayIndex() {
    return MondayFirstIndex[TodayWeekday()];
}

WholeNumber WeekNumberOfWeekBeginning(long long firstDay) {
    const LocalDate today = Today();
    const long long todayDay = LocalDayNumber(today);
    // A week of the past keeps the number it had while it was current, read in the year
    // most of its days lie in; the week of today is numbered as CurrentWeekNumber does.
    const int year = firstDay + 6 < todayDay ? CivilDateOfDayNumber(firstDay + 3).year : today.year;
    return static_cast<WholeNumber>(firstDay - NewYearDay(year) + 1);
}

LocalDate AdvanceToCurrentWeek(std::vector<TrainingWeek>& history, bool loadedFromFile,
                               const std::optional<LocalDate>& fileDay) {
    const LocalDate today = Today();
    if (!loadedFromFile || history.empty()) {
        AddWeek(history, CurrentWeekNumber());
        return today;
    }
    const LocalDate evidence = EvidenceDay(fileDay, today);
    const NewestWeekPlace last = PlaceNewestWeek(history.back().weekNumber, evidence);
    const long long currentMonday = LocalDayNumber(today) - TodayDayIndex();
    if (last.monday >= currentMonday) return evidence;
    // A real Monday is at most a year before the evidence, which is never after today, so
    // the steps are bounded by the days since the file changed.
    if (!last.onMonday && last.monday < currentMonday - DamagedDistance) {
        AddWeek(history, CurrentWeekNumber());
        return today;
    }
    // Seven days apart from the last week's day, so that numbers that are not 7 apart
    // (a damaged file) go on as they are; the last step reaches the current week.
    long long day = last.monday;
    history.reserve(history.size() + std::size_t((currentMonday - day + 6) / 7));
    do {
        day += 7;
        AddWeek(history, WeekNumberOfWeekBeginning(day));
    } while (day < currentMonday);
    return today;
}

Report LoadHistoryUpToToday(Document& document) {
    const HistoryLoad load = LoadWeekHistory(document);
    std::optional<LocalDate> fileDay;
    if (load.changedAt) fileDay = LocalDateAt(*load.changedAt);
    document.lastWeekEvidence = AdvanceToCurrentWeek(document.history, load.fromFile, fileDay);
    return load.report;
}
