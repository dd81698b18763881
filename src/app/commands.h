// The actions of the main window's buttons and selectors, run by the event loop's dispatch.
// The data operations are in data/, the list fills in list_fills.h, the key commands in
// edit_commands.h.
#pragma once

#include <string_view>

#include "app/program_state.h"

// Empties NameField, Count1Field, Count2Field and DescriptionField, in this order.
void ClearUnitFields(ProgramState& state);
// True when the text holds "|" or "\", the separators of the data files.
bool HoldsSeparator(std::u16string_view text);
// True when the selected week and day exist: only then do the entry commands change data.
bool SelectedDayExists(const ProgramState& state);
// The entry-list row of a unit added to a day.
std::u16string AddedRowText(const TrainingUnit& unit);

void AddSelectedUnit(ProgramState& state);       // AddEntryButton
void DeleteSelectedEntry(ProgramState& state);   // DeleteEntryButton
void SaveBothFiles(ProgramState& state);         // SaveButton
void CreateUnitFromFields(ProgramState& state);  // CreateUnitButton
void SelectWeek(ProgramState& state);            // WeekCombo
void SelectDay(ProgramState& state);             // DayCombo
