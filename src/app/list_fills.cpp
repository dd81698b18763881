// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilds the main window's lists through the back end, row by row as the row texts are made.
#include "app/list_fills.h"

#include "app/control_ids.h"
#include "app/list_rows.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"

void FillEntryList(ProgramState& state) {
    UiServices& ui = state.ui;
    ui.RemoveAllItems(EntryList);
    // Rows go to the list as they are built: a day of many entries never needs them all twice.
    DayEntryWalk walk =
        StartDayEntries(GetDayText(state.document, state.selection.week, state.selection.day));
    std::u16string row;
    while (NextEntryRow(walk, row)) ui.AddItem(EntryList, row);
}

void FillWeekCombo(ProgramState& state) {
    UiServices& ui = state.ui;
    ui.RemoveAllItems(WeekCombo);
    for (const TrainingWeek& week : state.document.history)
        ui.AddItem(WeekCombo, WeekRowText(state.texts, week));
    ui.SetState(WeekCombo, state.selection.week);
}

void FillDayCombo(ProgramState& state) {
    UiServices& ui = state.ui;
    ui.RemoveAllItems(DayCombo);
    for (WholeNumber day = 0; day < 7; ++day) ui.AddItem(DayCombo, DayRowText(state.texts, day));
    ui.SetState(DayCombo, state.selection.day);
}

void FillUnitCombo(ProgramState& state) {
    UiServices& ui = state.ui;
    ui.RemoveAllItems(UnitCombo);
    for (const TrainingUnit& unit : state.document.catalogue)
        ui.AddItem(UnitCombo, UnitRowText(unit));
    ui.SetState(UnitCombo, UnitCount(state.document) - 1);
}
