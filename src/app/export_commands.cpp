// Writes an export from what the program holds, saved or not, and opens it. A file that
// nothing on the desktop can open is still written: the user finds it in the reports folder.
#include "app/export_commands.h"

#include "app/message_boxes.h"
#include "calendar/clock.h"
#include "calendar/exports.h"
#include "data/safe_save.h"

std::u16string ExportPath(ExportKind kind) {
    const std::u16string folder = std::u16string(ReportsFolder) + u"/";
    switch (kind) {
        case ExportKind::Report:
            return folder + u"report.html";
        case ExportKind::Csv:
            return folder + u"training.csv";
        case ExportKind::Calendar:
            break;
    }
    return folder + u"training.ics";
}

void ExportAndOpen(ProgramState& state, ExportKind kind) {
    const std::u16string path = ExportPath(kind);
    const std::vector<TrainingWeek>& history = state.document.history;
    const LocalDate today = Today();
    std::string bytes;
    switch (kind) {
        case ExportKind::Report:
            bytes = ReportHtml(history, state.texts, today);
            break;
        case ExportKind::Csv:
            bytes = TrainingCsv(history, state.texts, today);
            break;
        case ExportKind::Calendar:
            bytes = TrainingIcs(history, state.texts, today);
            break;
    }
    if (!OsMakeFolder(ReportsFolder)) {
        ShowError(state, u"Export", path);
        return;
    }
    const Report written = SaveBytesFile(path, bytes);
    if (!written.ok()) {
        ShowReport(state, written);
        return;
    }
    state.ui.OpenFile(path);
}

void ShowTrainingReport(ProgramState& state) {
    ExportAndOpen(state, ExportKind::Report);
}

void ExportTrainingCsv(ProgramState& state) {
    ExportAndOpen(state, ExportKind::Csv);
}

void ExportTrainingCalendar(ProgramState& state) {
    ExportAndOpen(state, ExportKind::Calendar);
}

std::vector<MenuItem> ContextMenuItems(const TextTable& texts) {
    return {{UserCommand::ShowReport, LookupText(texts, u"Menu", u"Report")},
            {UserCommand::ExportCsv, LookupText(texts, u"Menu", u"Csv")},
            {UserCommand::ExportCalendar, LookupText(texts, u"Menu", u"Calendar")}};
}
