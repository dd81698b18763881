// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the catalogue, the save and the selection: creating a unit from the four
// unit fields (whose enable state follows the name field), saving both files, and choosing
// the week and the day. The day's entries are day_edits.h's; the list fills list_fills.h's.
#pragma once

#include "app/program_state.h"

// Empties NameField, Count1Field, Count2Field and DescriptionField, in this order.
void ClearUnitFields(ProgramState& state);
// Disables (true) or enables (false) Count1Field, Count2Field and DescriptionField, in this
// order; nothing happens when the flag equals fieldsDisabled.
void SetFieldsDisabled(ProgramState& state, bool disabled);
// Any event of NameField: the three other unit fields are editable exactly while the name
// is not empty.
void UpdateUnitFieldsFromName(ProgramState& state);

void CreateUnitFromFields(ProgramState& state);  // CreateUnitButton
void SaveBothFiles(ProgramState& state);         // SaveButton, Ctrl+S
void SelectWeek(ProgramState& state);            // WeekCombo
void SelectDay(ProgramState& state);             // DayCombo
