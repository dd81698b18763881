// The system's local date on POSIX systems (localtime_r: the user's time zone with its
// daylight saving time). Everything else about dates lives in clock.cpp.
#include <ctime>

#include "calendar/clock.h"

LocalDate SystemToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    LocalDate date;
    if (localtime_r(&now, &local) == nullptr) return date;
    date.year = local.tm_year + 1900;
    date.dayOfYear = local.tm_yday + 1;
    date.weekday = local.tm_wday;
    return date;
}
