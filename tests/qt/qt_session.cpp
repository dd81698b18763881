// SPDX-License-Identifier: GPL-3.0-or-later
// The session runner of the Qt tests: real start-up, steps on idle, boxes accepted.
#include "qt_session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/control_ids.h"
#include "app/program.h"
#include "platform/clock.h"

namespace qttest {

std::filesystem::path DefaultFolder() {
    return VELMORA_DEFAULT_FOLDER;
}

Session::Session(const std::string& language, const std::string& moreSettings) {
    namespace fs = std::filesystem;
    fs::copy(DefaultFolder(), folder_.path(), fs::copy_options::recursive);
    fs::remove(folder_.path() / "units" / ".gitkeep");
    if (!language.empty()) {
        test::WriteFileBytes(
            folder_.path() / "ini.ini",
            "\xEF\xBB\xBF\r\nVersion = 0.1\r\nLanguage = " + language + "\r\n" + moreSettings);
    }
    SetClock([] { return DateOf(2024, 1, 10); });
    ui.onMessageBox = [this](QMessageBox& box) {
        SeenMessage seen;
        seen.title = box.windowTitle();
        seen.text = box.text();
        seen.hadOwner = box.parentWidget() != nullptr;
        seen.ownedByMainWindow = ui.Window() != nullptr && box.parentWidget() == ui.Window();
        seen.applicationModal = box.isModal() && box.windowModality() == Qt::ApplicationModal;
        seen.buttonCount = int(box.buttons().size());
        seen.okButton = box.button(QMessageBox::Ok) != nullptr;
        seen.noIcon = box.icon() == QMessageBox::NoIcon && box.iconPixmap().isNull();
        messages.push_back(seen);
        if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box.accept();
        }
    };
    ui.onPause = [this](int) {
        auto* save = qobject_cast<QPushButton*>(ui.Control(SaveButton));
        saveTextsDuringPauses.push_back(save != nullptr ? save->text() : QString());
    };
}

Session::~Session() {
    ui.CloseWindow();
    SetClock({});
}

int Session::Run(std::vector<Step> steps) {
    std::size_t next = 0;
    ui.onIdle = [this, &steps, &next] {
        if (next < steps.size()) {
            steps[next++](ui);
            return;
        }
        ui.RequestClose();
    };
    const int status = RunProgram(ui);
    ui.onIdle = nullptr;
    return status;
}

}  // namespace qttest
