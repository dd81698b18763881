// SPDX-License-Identifier: GPL-3.0-or-later
// Repeat last week, a command of the context menu: the shown week's days without entries take
// the entries of the same days of the week before it, as one undo step; days that hold
// entries keep them. The undo record itself is edit_history.h's.
#pragma once

#include "app/program_state.h"

// The shown week exists and has a week before it.
bool CanRepeatLastWeek(const ProgramState& state);
// Nothing happens without a week before the shown one or when no day would change.
void RepeatLastWeek(ProgramState& state);
