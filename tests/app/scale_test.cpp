// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and commands on ten years of history (520 weeks, three entries a day) and 1,000
// units: everything is loaded, shown and edited, well within a generous time bound.
#include <gtest/gtest.h>

#include <chrono>

#include "app/app_test_support.h"
#include "app/control_ids.h"

namespace {

class AppScale : public apptest::SessionTest {};

TEST_F(AppScale, TenYearsOfHistoryAndAThousandUnitsStartQuickly) {
    constexpr int Weeks = 520;
    constexpr int Units = 1000;
    std::vector<std::u16string> units;
    for (int i = 0; i < Units; ++i) {
        units.push_back(u"Unit " + test::ToUtf16(std::to_string(i)) + u"|3|12|some description");
    }
    std::vector<apptest::WeekSeed> weeks;
    const std::u16string day = u"Run|1|5|easy\\Push-ups|3|20|slow\\Plank|2|60|hold";
    for (int i = 0; i < Weeks; ++i) {
        // Numbered so that the last week is the fixed clock's week 8: no catch-up.
        weeks.push_back({8 - 7LL * (Weeks - 1 - i), std::vector<std::u16string>(7, day)});
    }
    apptest::WriteIni();
    apptest::WriteUnits(units);
    apptest::WriteHistory(weeks);

    ScriptedUi ui;
    ui.QueueSelect(WeekCombo, 0);
    ui.QueueSelect(DayCombo, 6);
    ui.QueueSelect(UnitCombo, 500);
    ui.QueueClick(AddEntryButton);
    ui.QueueSelect(EntryList, 0);
    ui.QueueClick(DeleteEntryButton);
    ui.QueueSelect(WeekCombo, Weeks - 1);
    auto start = std::chrono::steady_clock::now();
    Run(ui);
    auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.Control(WeekCombo).items.size(), std::size_t(Weeks));
    EXPECT_EQ(ui.Control(UnitCombo).items.size(), std::size_t(Units));
    EXPECT_EQ(ui.Control(EntryList).items.size(), 3u);
    // Milliseconds in a normal build; the bound leaves room for sanitizers and slow machines.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

}  // namespace
