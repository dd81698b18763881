// velmora: the desktop program on Linux, the Qt back end plus the program's main routine.
// The program reads no command line; QApplication gets a fixed argument list of its own.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "app/qt/qt_ui.h"

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

int main() {
    if (!DisplayAvailable()) {
        std::fputs("velmora: no graphical display available (is DISPLAY set?)\n", stderr);
        return 1;
    }
    static char programName[] = "velmora";
    static char* arguments[] = {programName, nullptr};
    int argumentCount = 1;
    QApplication application(argumentCount, arguments);
    PrepareApplication(application);
    QtUi ui;
    return RunProgram(ui);
}
