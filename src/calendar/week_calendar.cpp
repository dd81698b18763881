// Week numbers (the day of the year of the week's Monday, in today's year), today's day,
// and the catch-up that appends weeks to the history up to the current week.
#include "calendar/week_calendar.h"

#include "data/week_history.h"
#include "platform/clock.h"

namespace {

// Indexed by weekday, 0 = Sunday.
constexpr int MondayFirstIndex[7] = {6, 0, 1, 2, 3, 4, 5};
constexpr int MondayOffset[7] = {-6, 0, -1, -2, -3, -4, -5};

// A last week more than half a year above today's number was stored in the previous year.
constexpr WholeNumber YearChangeDistance = 182;
// More than a year's worth of weeks behind: the number is damaged, not merely old.
constexpr WholeNumber DamagedDistance = 371;

int WeekdayOf(const LocalDate& date) {
    return date.weekday >= 0 && date.weekday <= 6 ? date.weekday : 0;
}

int TodayWeekday() {
    return WeekdayOf(Today());
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

void AdvanceToCurrentWeek(std::vector<TrainingWeek>& history, bool loadedFromFile) {
    const WholeNumber current = CurrentWeekNumber();
    if (!loadedFromFile || history.empty()) {
        AddWeek(history, current);
        return;
    }
    // current lies between -5 and 366, so the distances below are computed on its side
    // and cannot overflow whatever the stored number is.
    WholeNumber last = history.back().weekNumber;
    if (last > current + YearChangeDistance) {
        int previousYear = Today().year - 1;
        last -= IsLeapYear(previousYear) ? 366 : 365;
    }
    if (last < current - DamagedDistance) {
        AddWeek(history, current);
        return;
    }
    while (last < current) {
        last += 7;
        AddWeek(history, last);
    }
}

Report LoadHistoryUpToToday(Document& document) {
    const HistoryLoad load = LoadWeekHistory(document);
    AdvanceToCurrentWeek(document.history, load.fromFile);
    return load.report;
}
