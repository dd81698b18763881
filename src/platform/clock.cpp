// SPDX-License-Identifier: GPL-3.0-or-later
// Today's date through one replaceable function, and the Gregorian calendar arithmetic
// the week rules, the exports and the backups need. The system clock itself is in
// clock_posix.cpp / clock_win.cpp.
#include <cassert>
#include <cstdio>
#include <utility>

#include "platform/clock.h"

namespace {

std::function<LocalDate()>& InjectedClock() {
    static std::function<LocalDate()> clock;
    return clock;
}

long long FloorDivide(long long value, long long divisor) {
    return (value >= 0 ? value : value - divisor + 1) / divisor;
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
    const long long days = DayNumberOf(CivilDate{year, month, day});
    date.dayOfYear = static_cast<int>(days - DayNumberOf(CivilDate{year, 1, 1})) + 1;
    // 1 January 1970 was a Thursday (4).
    long long weekday = (days % 7 + 7 + 4) % 7;
    date.weekday = static_cast<int>(weekday);
    return date;
}

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

long long LocalDayNumber(const LocalDate& date) {
    return DayNumberOf(CivilDate{date.year, 1, 1}) + date.dayOfYear - 1;
}

int MondayFirstWeekday(long long dayNumber) {
    // 1 January 1970 was a Thursday, day 3 counted from Monday.
    return static_cast<int>(((dayNumber + 3) % 7 + 7) % 7);
}

std::string IsoDate(const CivilDate& date) {
    char text[32];
    if (date.year >= 0 && date.year <= 9999)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    else
        std::snprintf(text, sizeof text, "%+05d-%02d-%02d", date.year, date.month, date.day);
    return text;
}
