// The Windows clock against a second source, the C runtime's own local time conversion.
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

}  // namespace
