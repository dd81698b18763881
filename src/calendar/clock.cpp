// Today's date through one replaceable function, and the Gregorian calendar arithmetic
// the week rules need. The system clock itself is in clock_posix.cpp / clock_win.cpp.
#include <cassert>
#include <utility>

#include "calendar/clock.h"

namespace {

std::function<LocalDate()>& InjectedClock() {
    static std::function<LocalDate()> clock;
    return clock;
}

// Days from 1 January 1970 to the given date (proleptic Gregorian calendar).
long long DaysFromEpoch(int year, int month, int day) {
    long long y = year - (month <= 2 ? 1 : 0);
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yearOfEra = y - era * 400;
    long long shiftedMonth = month > 2 ? month - 3 : month + 9;
    long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

void SetClock(std::function<LocalDate()> clock) {
    InjectedClock() = std::move(clock);
}

LocalDate Today() {
    if (InjectedClock()) return InjectedClock()();
    return SystemToday();
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

LocalDate DateOf(int year, int month, int day) {
    assert(month >= 1 && month <= 12 && "DateOf needs a month from 1 to 12");
    assert(day >= 1 && day <= 31 && "DateOf needs a day from 1 to 31");
    LocalDate date;
    date.year = year;
    date.dayOfYear =
        static_cast<int>(DaysFromEpoch(year, month, day) - DaysFromEpoch(year, 1, 1)) + 1;
    long long days = DaysFromEpoch(year, month, day);
    // 1 January 1970 was a Thursday (4).
    long long weekday = (days % 7 + 7 + 4) % 7;
    date.weekday = static_cast<int>(weekday);
    return date;
}
