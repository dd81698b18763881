// SPDX-License-Identifier: GPL-3.0-or-later
// Weeks for imported dates: the numbers of new weeks, the bridges of empty weeks where the year
// rule would otherwise read a wrong year (a year change, a gap of years), and histories made by
// the catch-up itself with weeks added at random places, each read back by week_dates' rule.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "calendar/week_calendar.h"
#include "calendar/week_dates.h"
#include "imports/week_placement.h"
#include "platform/clock.h"

namespace {

long long Day(int year, int month, int day) {
    return DayNumberOf(CivilDate{year, month, day});
}

std::vector<long long> Mondays(const std::vector<TrainingWeek>& history,
                               const LocalDate& evidence) {
    std::vector<long long> days;
    for (const CivilDate& monday : WeekMondays(history, evidence))
        days.push_back(DayNumberOf(monday));
    return days;
}

class WeekPlacement : public ::testing::Test {
  protected:
    ~WeekPlacement() override { SetClock({}); }
};

TEST_F(WeekPlacement, NewWeeksAreNumberedAsTheCatchUpNumbersPastWeeks) {
    struct Row {
        const char* name;
        long long monday;
        long long year;
        WholeNumber number;
    };
    const Row rows[] = {
        {"1 January on a Monday", Day(2024, 1, 1), 2024, 1},
        {"a week whose Thursday is in the next year", Day(2024, 12, 30), 2025, -1},
        {"the earliest such week", Day(2025, 12, 29), 2026, -2},
        {"the last week of a year", Day(2026, 12, 28), 2026, 362},
        {"a leap year's last week", Day(2020, 12, 28), 2020, 363},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const WeekLabel label = ThursdayLabel(row.monday);
        EXPECT_EQ(label.year, row.year);
        EXPECT_EQ(label.number, row.number);
    }
    WeekLabel label;
    EXPECT_TRUE(LabelForNumber(Day(2024, 12, 30), 365, label))
        << "as the week was numbered while current";
    EXPECT_EQ(label.year, 2024);
    EXPECT_TRUE(LabelForNumber(Day(2024, 12, 30), -1, label));
    EXPECT_EQ(label.year, 2025);
    EXPECT_FALSE(LabelForNumber(Day(2024, 12, 30), 364, label)) << "names a Sunday";
    EXPECT_FALSE(LabelForNumber(Day(2024, 12, 30), 365 + 366, label));
}

TEST_F(WeekPlacement, BridgesLeadTheYearRuleAcrossYearChangesAndGaps) {
    struct Row {
        const char* name;
        WeekLabel from;
        WeekLabel to;
        std::size_t weeksBetween;
    };
    const auto thursday = [](int year, int month, int day) {
        return ThursdayLabel(Day(year, month, day));
    };
    WeekLabel numbered365;
    LabelForNumber(Day(2024, 12, 30), 365, numbered365);
    const Row rows[] = {
        {"a drop: no bridge", thursday(2023, 12, 25), thursday(2024, 1, 8), 0},
        {"a year on with a larger number", thursday(2024, 1, 8), thursday(2025, 2, 3), 1},
        {"from a year's first week to the next year's", thursday(2024, 1, 1), thursday(2025, 1, 6),
         1},
        {"from the earliest first week", thursday(2025, 12, 29), thursday(2027, 1, 4), 1},
        {"to a week numbered while current", thursday(2023, 12, 25), numbered365, 1},
        {"a gap of ten years", thursday(2009, 6, 1), thursday(2019, 6, 3), 10},
        {"a gap of ten years from a year's first week", thursday(2009, 1, 5), thursday(2019, 1, 7),
         10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<WeekLabel> between;
        ASSERT_TRUE(BridgeWeeks(row.from, row.to, between));
        EXPECT_EQ(between.size(), row.weeksBetween);
        // The chain as a history: the rule must read each week's Monday where it is.
        std::vector<WeekLabel> chain = {row.from};
        chain.insert(chain.end(), between.begin(), between.end());
        chain.push_back(row.to);
        std::vector<TrainingWeek> history;
        for (std::size_t index = 0; index < chain.size(); ++index) {
            if (index > 0) {
                EXPECT_TRUE(ReadsOn(chain[index - 1], chain[index]));
                EXPECT_LT(chain[index - 1].monday, chain[index].monday);
            }
            EXPECT_GE(chain[index].number, FirstWeekNumber);
            EXPECT_LE(chain[index].number, LastWeekNumber);
            history.push_back({chain[index].number, {}});
        }
        const CivilDate last = CivilDateOfDayNumber(row.to.monday + 2);
        const std::vector<long long> mondays =
            Mondays(history, DateOf(last.year, last.month, last.day));
        for (std::size_t index = 0; index < chain.size(); ++index)
            EXPECT_EQ(mondays[index], chain[index].monday) << index;
    }
}

// Histories as the program makes them: a first start, a break, the catch-up; then weeks
// wanted at random Mondays over thirty years, twice, each time read back by the rule.
TEST_F(WeekPlacement, WeeksAddedAnywhereKeepEveryWeeksDate) {
    std::mt19937 random(20240110);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        // Every third history starts around a new year, where the current week's number
        // counts in today's year (365 on 30 December 2024, -1 from 1 January).
        const long long firstStart = round % 3 == 0
                                         ? Day(2016 + round % 9, 1, 1) - 4 + long(random() % 8)
                                         : Day(2015, 1, 1) + long(random() % 3000);
        const long long today = firstStart + long(random() % 200);
        std::vector<TrainingWeek> history;
        CivilDate date = CivilDateOfDayNumber(firstStart);
        SetClock([date] { return DateOf(date.year, date.month, date.day); });
        AdvanceToCurrentWeek(history, false);
        date = CivilDateOfDayNumber(today);
        SetClock([date] { return DateOf(date.year, date.month, date.day); });
        const CivilDate started = CivilDateOfDayNumber(firstStart);
        const LocalDate evidence =
            AdvanceToCurrentWeek(history, true, DateOf(started.year, started.month, started.day));
        for (int pass = 0; pass < 2; ++pass) {
            const std::vector<long long> before = Mondays(history, evidence);
            std::set<long long> wanted;
            const int count = 1 + int(random() % 12);
            for (int index = 0; index < count; ++index) {
                const long long day =
                    Day(1995, 1, 1) + long(random() % (before.back() - Day(1995, 1, 1) + 1));
                wanted.insert(day - MondayFirstWeekday(day));
            }
            std::vector<WantedWeek> weeks;
            for (long long monday : wanted) weeks.push_back({monday, false, 0});
            std::vector<WholeNumber> added;
            std::vector<long long> mondays = WeekMondayDays(history, evidence);
            ASSERT_TRUE(PlaceWeeks(history, mondays, evidence, weeks, added));
            const std::vector<long long> after = Mondays(history, evidence);
            EXPECT_EQ(mondays, after) << "the Mondays handed back are the new history's";
            for (std::size_t old = 0; old < before.size(); ++old)
                EXPECT_EQ(after[std::size_t(PositionAfterAdding(added, WholeNumber(old)))],
                          before[old]);
            for (long long monday : wanted)
                EXPECT_TRUE(std::binary_search(after.begin(), after.end(), monday)) << monday;
            EXPECT_TRUE(std::is_sorted(after.begin(), after.end()));
            EXPECT_EQ(after.size(), before.size() + added.size());
            // A bridge costs about a week a year of the thirty.
            EXPECT_LE(added.size(), 2 * wanted.size() + 32);
            for (const TrainingWeek& week : history) {
                EXPECT_GE(week.weekNumber, FirstWeekNumber);
                EXPECT_LE(week.weekNumber, LastWeekNumber);
            }
        }
    }
}

TEST_F(WeekPlacement, AHistoryOutOfDateOrderGetsNoWeek) {
    const LocalDate today = DateOf(2024, 1, 10);
    // 400 is no day of 2023's year: it reads as a day after the newest week.
    std::vector<TrainingWeek> history = {{400, {u"A|1|1|"}}, {8, {}}};
    const std::vector<TrainingWeek> kept = history;
    std::vector<WholeNumber> added;
    std::vector<long long> mondays = WeekMondayDays(history, today);
    EXPECT_FALSE(PlaceWeeks(history, mondays, today, {{Day(2023, 6, 5), false, 0}}, added));
    EXPECT_TRUE(added.empty());
    ASSERT_EQ(history.size(), kept.size());
    EXPECT_EQ(history[0].days, kept[0].days);
    EXPECT_EQ(history[0].weekNumber, 400);
}

}  // namespace
