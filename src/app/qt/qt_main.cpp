// SPDX-License-Identifier: GPL-3.0-or-later
// velmora: the desktop program on Linux, the Qt back end plus the program's main routine.
// The command line is the program's own (app/start_options.h); QApplication gets a fixed
// argument list, so no toolkit option changes how the program behaves.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/data_folder.h"
#include "app/program.h"
#include "app/qt/qt_ui.h"
#include "app/start_options.h"

namespace {

// Qt aborts when it finds no display; say so plainly first. Which platform the toolkit
// talks to is its own business, so only its usual settings are looked at.
bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const ProgramIdentity program{"velmora", VELMORA_VERSION,
                                  "${XDG_DATA_HOME:-~/.local/share}/velmora"};
    const StartOptions options = ParseStartOptions(argc, argv);
    if (options.action != StartOptions::Action::Run) {
        return AnswerStartOptions(options, program, stdout, stderr);
    }
    if (!DisplayAvailable()) {
        std::fputs("velmora: no graphical display available (is DISPLAY set?)\n", stderr);
        return 1;
    }
    const std::string folder = options.folder.empty() ? DefaultDataFolder() : options.folder;
    if (!EnterDataFolder(folder, program.name, program.version)) return 1;
    static char programName[] = "velmora";
    static char* arguments[] = {programName, nullptr};
    int argumentCount = 1;
    QApplication application(argumentCount, arguments);
    PrepareApplication(application);
    QtUi ui;
    return RunProgram(ui);
}
