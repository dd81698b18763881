// SPDX-License-Identifier: GPL-3.0-or-later
// The changes of the shown day's entries, each one step of the undo record: adding a unit,
// deleting an entry (button or key), cutting, pasting, and undo and redo of every step (those
// of the import and the repeated week too); copying entries to the clipboard goes with them.
// Which key or button means what is the event loop's.
#pragma once

#include <string>
#include <vector>

#include "app/program_state.h"

// True when the selected week and day exist: only then do the entry commands change data.
bool SelectedDayExists(const ProgramState& state);
// Records the change of the selected day from `before` to its text now as one undoable step;
// nothing when the text did not change.
void RecordSelectedDayChange(ProgramState& state, std::u16string before);
// Appends the units to the shown day, each as a row of the entry list and an entry of the day
// text, recorded as one change to undo. Nothing happens without a selected day.
void AppendToSelectedDay(ProgramState& state, const std::vector<TrainingUnit>& units);

void AddSelectedUnit(ProgramState& state);      // AddEntryButton
void DeleteSelectedEntry(ProgramState& state);  // DeleteEntryButton
void DeleteEntryByKey(ProgramState& state);     // Delete: as the button, with a row selected
void UndoDayChange(ProgramState& state);        // Ctrl+Z
void RedoDayChange(ProgramState& state);        // Ctrl+Y, Ctrl+Shift+Z
void CopyEntries(ProgramState& state);          // Ctrl+C: the selected entry, or the whole day
void CutSelectedEntry(ProgramState& state);     // Ctrl+X: copy, then as DeleteEntryButton
void PasteEntries(ProgramState& state);         // Ctrl+V: appends the clipboard's entries
