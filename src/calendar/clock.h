// Today's local date, from one injectable function so every date rule can be tested at
// fixed dates. The system clock lives in clock_posix.cpp / clock_win.cpp.
#pragma once

#include <functional>

struct LocalDate {
    int year = 1970;
    int dayOfYear = 1;  // 1 = 1 January .. 366
    int weekday = 4;    // 0 = Sunday .. 6 = Saturday
};

LocalDate SystemToday();
// An empty function restores the system clock.
void SetClock(std::function<LocalDate()> clock);
LocalDate Today();
// The date of a Gregorian year, month (1..12) and day (1..31).
LocalDate DateOf(int year, int month, int day);
bool IsLeapYear(int year);
