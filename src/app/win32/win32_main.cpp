// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program: registers the window classes, loads the common controls and runs
// the shared program on the Win32 back end. It reads no command line.

#include "app/program.h"
#include "app/win32/win32_ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    // Without the classes no window can be opened; the program then ends after start-up
    // the same way as when the window cannot be created.
    RegisterVelmoraClasses(instance);
    Win32Ui ui(instance);
    return RunProgram(ui);
}
