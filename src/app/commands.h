// The actions of the main window's buttons and selectors, run by the event loop's dispatch.
// The data operations are in data/, the list fills in list_fills.h, the key commands in
// edit_commands.h.
#pragma once

#include <string_view>
#include <vector>

#include "app/program_state.h"

// Empties NameField, Count1Field, Count2Field and DescriptionField, in this order.
void ClearUnitFields(ProgramState& state);
// True when the selected week and day exist: only then do the entry commands change data.
bool SelectedDayExists(const ProgramState& state);
// Appends the units to the shown day, each as a row of the entry list and an entry of the day
// text, recorded as one change to undo. Nothing happens without a selected day.
void AppendToSelectedDay(ProgramState& state, const std::vector<TrainingUnit>& units);

void AddSelectedUnit(ProgramState& state);       // AddEntryButton
void DeleteSelectedEntry(ProgramState& state);   // DeleteEntryButton
void SaveBothFiles(ProgramState& state);         // SaveButton
void CreateUnitFromFields(ProgramState& state);  // CreateUnitButton
void SelectWeek(ProgramState& state);            // WeekCombo
void SelectDay(ProgramState& state);             // DayCombo
