// The date rule of the exports: a week's Monday is 1 January of its year plus (week number
// - 1) days, the year being today's for the newest week and one less after each drop of
// the numbers when walking back. The civil-date arithmetic itself is the clock's.
#include "calendar/week_dates.h"

#include <algorithm>
#include <cstdio>

namespace {

// About ten thousand years of days: far beyond any real week, small enough that year and
// day arithmetic stays well inside long long and int.
constexpr long long WeekNumberBound = 3660000;

}  // namespace

std::vector<CivilDate> WeekMondays(const std::vector<TrainingWeek>& history,
                                   const LocalDate& today) {
    std::vector<CivilDate> mondays(history.size());
    long long year = today.year;
    for (std::size_t index = history.size(); index-- > 0;) {
        const long long number =
            std::clamp<long long>(history[index].weekNumber, -WeekNumberBound, WeekNumberBound);
        if (index + 1 < history.size() &&
            history[index].weekNumber > history[index + 1].weekNumber) {
            // Damaged files can drop at every week; the year still stays an int.
            year = std::max<long long>(year - 1, -WeekNumberBound);
        }
        const CivilDate newYear{static_cast<int>(year), 1, 1};
        mondays[index] = CivilDateOfDayNumber(DayNumberOf(newYear) + number - 1);
    }
    return mondays;
}

std::string CompactDate(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}
