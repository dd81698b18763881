// SPDX-License-Identifier: GPL-3.0-or-later
// Today's local date, from one injectable function so every date rule can be tested at
// fixed dates, and the Gregorian calendar arithmetic every layer may use. The system clock
// lives in clock_posix.cpp / clock_win.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct LocalDate {
    int year = 1970;
    int dayOfYear = 1;  // 1 = 1 January .. 366
    int weekday = 4;    // 0 = Sunday .. 6 = Saturday
};

struct CivilDate {
    int year = 1970;
    int month = 1;  // 1 .. 12
    int day = 1;    // 1 .. 31
};

LocalDate SystemToday();
// The local date at a moment given in seconds since 1970 UTC (the user's time zone with the
// daylight saving time of that moment); 1 January 1970 when the system cannot convert it.
LocalDate LocalDateAt(std::int64_t secondsSinceEpoch);
// An empty function restores the system clock.
void SetClock(std::function<LocalDate()> clock);
LocalDate Today();
// The date of a Gregorian year, month (1..12) and day (1..31).
LocalDate DateOf(int year, int month, int day);
bool IsLeapYear(int year);

bool operator==(const CivilDate& left, const CivilDate& right);
// Days from 1 January 1970 (proleptic Gregorian calendar), and back.
long long DayNumberOf(const CivilDate& date);
CivilDate CivilDateOfDayNumber(long long dayNumber);
CivilDate AddDays(const CivilDate& date, long long days);
CivilDate CivilDateOf(const LocalDate& date);
// Days from 1 January 1970 of a local date.
long long LocalDayNumber(const LocalDate& date);
// 0 = Monday .. 6 = Sunday, of the day with this day number.
int MondayFirstWeekday(long long dayNumber);
// "2024-01-08"; years outside 0 .. 9999 get a sign and at least four digits.
std::string IsoDate(const CivilDate& date);
