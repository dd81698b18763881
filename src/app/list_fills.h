// SPDX-License-Identifier: GPL-3.0-or-later
// The fills of the main window's four lists from the program's data; the row texts are
// list_rows.h's, the controls the back end's.
#pragma once

#include "app/program_state.h"

// The rows of the selected day of the selected week.
void FillEntryList(ProgramState& state);
// Every week of the history; selects the selected week.
void FillWeekCombo(ProgramState& state);
// The seven day names; selects the selected day.
void FillDayCombo(ProgramState& state);
// Every unit of the catalogue; selects the last.
void FillUnitCombo(ProgramState& state);
