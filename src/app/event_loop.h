// SPDX-License-Identifier: GPL-3.0-or-later
// The event loop: waits for events of the main window and hands each control event, key
// command and menu choice to its action through three dispatch tables; the close request ends
// it. The actions are commands.h's, day_edits.h's and context_menu.h's.
#pragma once

#include "app/program_state.h"

// Runs the action of a control id; ids without an action are ignored.
void DispatchControlEvent(ProgramState& state, int controlId);
// Runs the action of a key command; UserCommand::None is ignored.
void DispatchCommand(ProgramState& state, UserCommand command);
// Returns once the close request came or a fatal message was shown.
void RunEventLoop(ProgramState& state);
