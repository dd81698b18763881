// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real program on the Qt back end in a temporary working directory made from the
// shipped default/ folder, with a fixed date, a script of user steps and recorded boxes.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/qt/qt_ui.h"
#include "test_support.h"

namespace qttest {

struct SeenMessage {
    QString title;
    QString text;
    bool hadOwner = false;
    bool ownedByMainWindow = false;
    bool applicationModal = false;
    int buttonCount = 0;
    bool okButton = false;
    bool noIcon = false;
};

// One user step, run when the program waits for input with nothing queued.
using Step = std::function<void(QtUi&)>;

class Session {
  public:
    // Copies default/ into a fresh working directory and writes an ini.ini choosing
    // `language`, followed by the lines `moreSettings` (each ending in CR LF); an empty
    // `language` leaves ini.ini out. The date is Wednesday 10 January 2024 (week 8) until the
    // session ends.
    explicit Session(const std::string& language = "English", const std::string& moreSettings = "");
    ~Session();

    // Runs the program; after the last step the window gets a close request.
    int Run(std::vector<Step> steps);

    const std::filesystem::path& Folder() const { return folder_.path(); }
    QtUi ui;
    std::vector<SeenMessage> messages;
    std::vector<QString> saveTextsDuringPauses;

  private:
    test::TempWorkingDirectory folder_;
};

// The shipped default/ folder of the source tree.
std::filesystem::path DefaultFolder();

}  // namespace qttest
