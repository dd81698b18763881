// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the core's reports into message boxes. A fatal box does not end the process here:
// it marks the end, and start-up or the loop ends in its orderly way.
#include "app/message_boxes.h"

void ShowReport(ProgramState& state, const Report& report) {
    if (report.ok()) return;
    const BoxText box = ErrorBoxText(state.texts, report.key, report.file);
    state.ui.ShowMessageBox(box.title, box.text, report.fatal);
    if (report.fatal) state.endRequested = true;
}

void ShowError(ProgramState& state, std::u16string_view key, const std::u16string& file) {
    ShowReport(state, {key, file});
}
