// The system's local date on Windows (GetLocalTime: the user's time zone with daylight
// saving time as the system applies it). Everything else about dates lives in clock.cpp.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/clock.h"

LocalDate SystemToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // GetLocalTime gives no day of the year; the calendar arithmetic of clock.cpp does.
    LocalDate date = DateOf(now.wYear, now.wMonth, now.wDay);
    return date;
}
