// SPDX-License-Identifier: GPL-3.0-or-later
// The four list fills on the scripted back end: row texts, cells, order, selection,
// odd day texts, a week outside the history, and a very long day text.
#include "app/list_fills.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/list_rows.h"
#include "app/scripted_ui.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "reference_text.h"
#include "test_support.h"

namespace {

using Cells = std::vector<std::vector<std::u16string>>;

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.texts = BuildTextTable();
        for (int id : {UnitCombo, WeekCombo, DayCombo})
            ui.CreateControl(id, ControlKind::DropDownList, MainWindowParent, 0, 0, 100, 20, u"",
                             Alignment::Left);
        ui.CreateControl(EntryList, ControlKind::ReportList, MainWindowParent, 0, 0, 300, 200, u"",
                         Alignment::Left);
    }

    // Fills the entry list with the rows of this week position and day index.
    void FillEntryListOf(WholeNumber week, WholeNumber day) {
        state.selection = {week, day};
        FillEntryList(state);
    }
    // The cells FillEntryList shows for one day text.
    Cells CellsFor(const std::u16string& dayText) {
        doc.history.clear();
        AddWeek(doc.history, 1);
        SetDayText(doc, 0, 3, dayText);
        FillEntryListOf(0, 3);
        return ui.Control(EntryList).cells();
    }

    ScriptedUi ui;
    ProgramState state{ui};
    Document& doc = state.document;
};

TEST_F(ListViewTest, EntryListCellsOfOddDayTexts) {
    struct Row {
        const char* name;
        std::u16string dayText;
        Cells cells;
    };
    const Row rows[] = {
        {"empty", u"", {}},
        {"spaces only", u"    ", {}},
        {"single entry", u"Laufen|3|10|Intervall", {{u"Laufen", u"3 - 10", u"Intervall"}}},
        {"two entries", u"A|1|2|x\\B|3|4|y", {{u"A", u"1 - 2", u"x"}, {u"B", u"3 - 4", u"y"}}},
        {"trailing separator", u"A|1|2|x\\", {{u"A", u"1 - 2", u"x"}, {u"", u" - ", u""}}},
        {"fewer fields", u"A", {{u"A", u" - ", u""}}},
        {"outer spaces trimmed, inner kept",
         u"  A |1|2| x \\ B|3|4|y  ",
         {{u"A ", u"1 - 2", u" x "}, {u" B", u"3 - 4", u"y"}}},
        {"description with bar is cut", u"A|1|2|x|y", {{u"A", u"1 - 2", u"x"}}},
        {"name with bar shifts fields", u"A|B|1|2|d", {{u"A", u"B - 1", u"2"}}},
        {"only a separator", u"\\", {{u"", u" - ", u""}, {u"", u" - ", u""}}},
        {"tab is not trimmed", u"\t", {{u"\t", u" - ", u""}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CellsFor(row.dayText), row.cells);
        EXPECT_EQ(ui.Control(EntryList).selected, -1);
    }
}

TEST_F(ListViewTest, EntryListRefillClearsRowsAndSelection) {
    CellsFor(u"A|1|2|x\\B|3|4|y");
    ui.SetState(EntryList, 1);
    FillEntryListOf(0, 3);
    EXPECT_EQ(ui.Control(EntryList).items.size(), 2u);
    EXPECT_EQ(ui.Control(EntryList).selected, -1);

    const std::pair<WholeNumber, WholeNumber> outside[] = {{1, 3}, {-1, 3}, {0, 7}, {0, -1}};
    for (auto [week, day] : outside) {
        SCOPED_TRACE(test::ToUtf8(FormatInteger(week) + u"/" + FormatInteger(day)));
        CellsFor(u"A|1|2|x");
        FillEntryListOf(week, day);
        EXPECT_TRUE(ui.Control(EntryList).items.empty());
    }
    doc.history.clear();
    FillEntryListOf(0, 0);
    EXPECT_TRUE(ui.Control(EntryList).items.empty());
}

TEST_F(ListViewTest, AddedRowMatchesTheRefilledRow) {
    doc.history.clear();
    AddWeek(doc.history, 1);
    TrainingUnit unit = {u"Plank", -3, 60, u"hold"};
    AppendDayEntry(doc, 0, 0, unit);
    FillEntryListOf(0, 0);
    ASSERT_EQ(ui.Control(EntryList).items.size(), 1u);
    EXPECT_EQ(ui.Control(EntryList).items[0], reference::EntryRows(DayEntryOf(unit))[0]);
    EXPECT_EQ(ui.Control(EntryList).items[0], u"Plank\n-3 - 60\nhold");
}

TEST_F(ListViewTest, WeekComboShowsEveryWeekAndSelectsTheSelectedWeek) {
    AddWeek(doc.history, -5);
    AddWeek(doc.history, 8);
    AddWeek(doc.history, 15);
    state.selection.week = 1;
    FillWeekCombo(state);
    ScriptedControl& combo = ui.Control(WeekCombo);
    EXPECT_EQ(combo.items,
              (std::vector<std::u16string>{u"Woche - -5", u"Woche - 8", u"Woche - 15"}));
    EXPECT_EQ(combo.selected, 1);
    EXPECT_EQ(ui.ShownText(WeekCombo), u"Woche - 8");
}

TEST_F(ListViewTest, DayComboShowsGermanDaysMondayFirst) {
    state.selection.day = 6;
    FillDayCombo(state);
    ScriptedControl& combo = ui.Control(DayCombo);
    EXPECT_EQ(combo.items,
              (std::vector<std::u16string>{u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag",
                                           u"Freitag", u"Samstag", u"Sonntag"}));
    EXPECT_EQ(combo.selected, 6);
    EXPECT_EQ(DayRowText(state.texts, 0), u"Montag");
}

TEST_F(ListViewTest, UnitComboShowsUnitsAndSelectsTheLast) {
    FillUnitCombo(state);
    EXPECT_TRUE(ui.Control(UnitCombo).items.empty());
    EXPECT_EQ(ui.Control(UnitCombo).selected, -1);

    AddUnit(doc, u"Laufen", 3, 10, u"Intervall");
    AddUnit(doc, u"Plank", -1, 60, u"");
    FillUnitCombo(state);
    EXPECT_EQ(ui.Control(UnitCombo).items,
              (std::vector<std::u16string>{u"Laufen: 3-10 | Intervall", u"Plank: -1-60 | "}));
    EXPECT_EQ(ui.Control(UnitCombo).selected, 1);
    AddUnit(doc, u"New", 1, 1, u"d");
    FillUnitCombo(state);
    EXPECT_EQ(ui.Control(UnitCombo).items.size(), 3u);
    EXPECT_EQ(ui.ShownText(UnitCombo), u"New: 1-1 | d");
}

TEST_F(ListViewTest, LongDayTextFillsInLinearTime) {
    std::u16string text;
    const int entries = 100000;
    for (int i = 0; i < entries; ++i) {
        if (i > 0) text += u'\\';
        text += u"E" + FormatInteger(i) + u"|1|2|d";
    }
    auto start = std::chrono::steady_clock::now();
    std::vector<std::u16string> rows = reference::EntryRows(text);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0) << "quadratic work would take minutes";
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(entries));
    EXPECT_EQ(rows[0], u"E0\n1 - 2\nd");
    EXPECT_EQ(rows[entries - 1], u"E99999\n1 - 2\nd");
}

}  // namespace
