// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the Qt tests: one QApplication, prepared as the program prepares its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/qt/qt_ui.h"

int main(int argc, char** argv) {
    // CTest sets the offscreen platform; a hand run without a display gets it as well.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    static char name[] = "velmora_qt_tests";
    static char* arguments[] = {name, nullptr};
    int count = 1;
    QApplication application(count, arguments);
    PrepareApplication(application);
    return RUN_ALL_TESTS();
}
