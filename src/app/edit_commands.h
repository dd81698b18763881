// The editing commands of the keyboard: undo and redo of the day changes, copy, cut and paste
// of entries through the clipboard, and Delete on the entry list. Save and the buttons' own
// actions are commands.h's; which key means what is ui_services.h's CommandForKey.
#pragma once

#include <string>

#include "app/program_state.h"

// Records the change of the selected day from `before` to its text now as one undoable step;
// nothing when the text did not change.
void RecordSelectedDayChange(ProgramState& state, std::u16string before);

void DeleteEntryByKey(ProgramState& state);  // Delete: as DeleteEntryButton, with a row selected
void UndoDayChange(ProgramState& state);     // Ctrl+Z
void RedoDayChange(ProgramState& state);     // Ctrl+Y, Ctrl+Shift+Z
void CopyEntries(ProgramState& state);       // Ctrl+C: the selected entry, or the whole day
void CutSelectedEntry(ProgramState& state);  // Ctrl+X: copy, then as DeleteEntryButton
void PasteEntries(ProgramState& state);      // Ctrl+V: appends the clipboard's entries
