// The main routine's body: start-up in its fixed order, the event loop, the orderly end.
// Every program (Qt, Win32, headless) is a back end plus one call of RunProgram.
#pragma once

#include "app/ui_services.h"

// Runs the whole program on the given back end in the current working directory and
// returns the exit status, which is always 0.
int RunProgram(UiServices& ui);
// Releases the window, the pictures and all state; the caller then returns the status.
void EndProgram();
