// SPDX-License-Identifier: GPL-3.0-or-later
// Noon, local time, of a Gregorian day as seconds since 1970: the time a save on that day
// leaves on a file, for the tests and fuzz targets that set a file's time.
#pragma once

#include <ctime>

// -1 when the system cannot represent the day.
inline std::time_t LocalNoonOf(int year, int month, int day) {
    std::tm noon{};
    noon.tm_year = year - 1900;
    noon.tm_mon = month - 1;
    noon.tm_mday = day;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    return std::mktime(&noon);
}
