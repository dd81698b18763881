// SPDX-License-Identifier: GPL-3.0-or-later
// The system's local date on POSIX systems (localtime_r: the user's time zone with its
// daylight saving time). Everything else about dates lives in clock.cpp.
#include <ctime>

#include "platform/clock.h"

// A 32-bit build must still know the date after January 2038; the build asks for
// _TIME_BITS=64.
static_assert(sizeof(std::time_t) >= 8, "time must be 64 bits wide");

LocalDate LocalDateAt(std::int64_t secondsSinceEpoch) {
    const std::time_t moment = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    LocalDate date;
    if (localtime_r(&moment, &local) == nullptr) return date;
    date.year = local.tm_year + 1900;
    date.dayOfYear = local.tm_yday + 1;
    date.weekday = local.tm_wday;
    return date;
}

LocalDate SystemToday() {
    return LocalDateAt(static_cast<std::int64_t>(std::time(nullptr)));
}
