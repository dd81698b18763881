// The date rule of the exports: a week's Monday is 1 January of its year plus (week number
// - 1) days, the year being today's for the newest week and one less after each drop of
// the numbers when walking back. Civil-date arithmetic on day numbers since 1970.
#include "calendar/week_dates.h"

#include <algorithm>
#include <cstdio>

namespace {

// About ten thousand years of days: far beyond any real week, small enough that year and
// day arithmetic stays well inside long long and int.
constexpr long long WeekNumberBound = 3660000;

long long FloorDivide(long long value, long long divisor) {
    return (value >= 0 ? value : value - divisor + 1) / divisor;
}

}  // namespace

bool operator==(const CivilDate& left, const CivilDate& right) {
    return left.year == right.year && left.month == right.month && left.day == right.day;
}

long long DayNumberOf(const CivilDate& date) {
    // Years start in March so that the leap day is the last day of the shifted year.
    const long long year = static_cast<long long>(date.year) - (date.month <= 2 ? 1 : 0);
    const long long era = FloorDivide(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long shiftedMonth = date.month > 2 ? date.month - 3 : date.month + 9;
    const long long dayOfYear = (153 * shiftedMonth + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilDateOfDayNumber(long long dayNumber) {
    const long long shifted = dayNumber + 719468;
    const long long era = FloorDivide(shifted, 146097);
    const long long dayOfEra = shifted - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

CivilDate AddDays(const CivilDate& date, long long days) {
    return CivilDateOfDayNumber(DayNumberOf(date) + days);
}

CivilDate CivilDateOf(const LocalDate& date) {
    return AddDays(CivilDate{date.year, 1, 1}, date.dayOfYear - 1);
}

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

std::string IsoDate(const CivilDate& date) {
    char text[32];
    if (date.year >= 0 && date.year <= 9999)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    else
        std::snprintf(text, sizeof text, "%+05d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string CompactDate(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}
