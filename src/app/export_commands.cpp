// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an export from what the program holds, saved or not, and opens it. A file that
// nothing on the desktop can open is still written: the user finds it in the reports folder.
#include "app/export_commands.h"

#include "app/message_boxes.h"
#include "data/safe_save.h"
#include "reports/exports.h"

namespace {

// A new export is a row here and its writer in reports/, with its menu text in the languages.
constexpr ExportSpec ExportTable[] = {
    {u"Report", "report", u"report.html", ReportHtml},
    {u"Csv", "csv", u"training.csv", TrainingCsv},
    {u"Calendar", "calendar", u"training.ics", TrainingIcs},
};

}  // namespace

std::span<const ExportSpec> Exports() {
    return ExportTable;
}

std::u16string ExportPath(const ExportSpec& spec) {
    return std::u16string(ReportsFolder) + u"/" + spec.fileName;
}

void ExportAndOpen(ProgramState& state, const ExportSpec& spec) {
    const std::u16string path = ExportPath(spec);
    const std::string bytes =
        spec.writer(state.document.history, state.texts, Today(), state.document.lastWeekEvidence);
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
