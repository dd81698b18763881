// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows clock against a second source, the C runtime's own local time conversion, for
// today and for given moments (file times).
#include <gtest/gtest.h>

#include <ctime>

#include "platform/clock.h"

namespace {

TEST(ClockWin, SystemTodayAgreesWithTheCRuntime) {
    // Read both twice around midnight so a date change between the reads cannot fail it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::time_t now = std::time(nullptr);
        std::tm* local = std::localtime(&now);
        ASSERT_NE(local, nullptr);
        std::tm runtime = *local;
        LocalDate today = SystemToday();
        if (today.year != runtime.tm_year + 1900 && attempt == 0) continue;
        EXPECT_EQ(today.year, runtime.tm_year + 1900);
        EXPECT_EQ(today.dayOfYear, runtime.tm_yday + 1);
        EXPECT_EQ(today.weekday, runtime.tm_wday);
        return;
    }
}

TEST(ClockWin, LocalDateAtAgreesWithTheCRuntime) {
    // Noon and the edges of days, in winter and summer time, and past January 2038.
    const std::int64_t moments[] = {0,          1705924800, 1719835200, 1719791999,
                                    1735689599, 1735689600, 2159006400, 4107585600};
    for (std::int64_t seconds : moments) {
        SCOPED_TRACE(seconds);
        const __time64_t moment = seconds;
        const std::tm* local = _localtime64(&moment);
        ASSERT_NE(local, nullptr);
        const LocalDate date = LocalDateAt(seconds);
        EXPECT_EQ(date.year, local->tm_year + 1900);
        EXPECT_EQ(date.dayOfYear, local->tm_yday + 1);
        EXPECT_EQ(date.weekday, local->tm_wday);
    }
    EXPECT_EQ(LocalDateAt(-20000000000000).year, 1970) << "beyond FILETIME: the fallback";
}

}  // namespace
