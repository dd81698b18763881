// SPDX-License-Identifier: GPL-3.0-or-later
// The main routine's body: start-up in its fixed order, the event loop, the orderly end.
// Every program (Qt, Win32, headless) is a back end plus one call of RunProgram.
#pragma once

#include "app/program_state.h"

// Runs the whole program on the given back end in the current working directory and
// returns the exit status, which is always 0.
int RunProgram(UiServices& ui);
// The same on a state its caller created (fresh) and may look into afterwards.
int RunProgram(ProgramState& state);
// The colours of a theme setting: Light and Dark as they say, System as the desktop prefers
// (the desktop is asked only then).
ColourScheme ColourSchemeFor(ThemeSetting setting, UiServices& ui);
// Start-up up to the built window; false when the program must end instead (a fatal box was
// shown, or the window could not be opened).
bool StartUp(ProgramState& state);
// Closes the window; the state's owner then drops the rest.
void EndProgram(ProgramState& state);
