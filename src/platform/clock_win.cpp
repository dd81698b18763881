// SPDX-License-Identifier: GPL-3.0-or-later
// The system's local date on Windows (GetLocalTime: the user's time zone with daylight
// saving time as the system applies it), and that of a given moment, for file times.
// Everything else about dates lives in clock.cpp.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/clock.h"

namespace {

// FILETIME counts 100-nanosecond steps from 1 January 1601 UTC.
constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t StepsPerSecond = 10000000;
// The last second a FILETIME can hold (its top bit clear), counted from 1970.
constexpr std::int64_t LastFileTimeSecond =
    0x7FFFFFFFFFFFFFFF / StepsPerSecond - SecondsFrom1601To1970;

}  // namespace

LocalDate SystemToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // GetLocalTime gives no day of the year; the calendar arithmetic of clock.cpp does.
    LocalDate date = DateOf(now.wYear, now.wMonth, now.wDay);
    return date;
}

LocalDate LocalDateAt(std::int64_t secondsSinceEpoch) {
    if (secondsSinceEpoch < -SecondsFrom1601To1970 || secondsSinceEpoch > LastFileTimeSecond)
        return LocalDate{};
    const auto steps =
        static_cast<std::uint64_t>(secondsSinceEpoch + SecondsFrom1601To1970) * StepsPerSecond;
    FILETIME moment{};
    moment.dwLowDateTime = static_cast<DWORD>(steps & 0xFFFFFFFFu);
    moment.dwHighDateTime = static_cast<DWORD>(steps >> 32);
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    // The time zone's rules for that moment, not today's daylight saving bias.
    if (!FileTimeToSystemTime(&moment, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return LocalDate{};
    return DateOf(local.wYear, local.wMonth, local.wDay);
}
