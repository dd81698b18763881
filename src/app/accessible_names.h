// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about each control of the main window: an input field is named
// by the label beside it, the lists, panels and pictures by the texts of group Access, a
// picture is described by its tooltip; buttons and labels keep their own text as name. The
// back ends pass it on to their toolkit (ui_services.h).
#pragma once

#include "app/program_state.h"

// The accessible text of control id in these texts. A button, a label or an id outside the
// window table gets none (an empty name, labelId -1).
AccessibleText AccessibleTextOf(const TextTable& texts, int id);
// Gives every control of the main window its accessible text; call after all are created.
void NameControls(ProgramState& state);
