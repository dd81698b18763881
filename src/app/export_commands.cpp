// Writes an export from what the program holds, saved or not, and opens it. A file that
// nothing on the desktop can open is still written: the user finds it in the reports folder.
#include "app/export_commands.h"

#include "app/message_boxes.h"
#include "calendar/clock.h"
#include "calendar/exports.h"
#include "data/safe_save.h"

namespace {

using Writer = std::string (*)(const std::vector<TrainingWeek>&, const TextTable&, const LocalDate&,
                               const std::optional<LocalDate>&);

// Each export once: the command of its menu item, the item's text key, its file, its writer.
struct ExportSpec {
    UserCommand command;
    const char16_t* menuKey;
    const char16_t* fileName;
    Writer writer;
};

constexpr ExportSpec Exports[] = {
    {UserCommand::ShowReport, u"Report", u"report.html", ReportHtml},
    {UserCommand::ExportCsv, u"Csv", u"training.csv", TrainingCsv},
    {UserCommand::ExportCalendar, u"Calendar", u"training.ics", TrainingIcs},
};

const ExportSpec& SpecOf(ExportKind kind) {
    return Exports[static_cast<std::size_t>(kind)];
}

}  // namespace

std::u16string ExportPath(ExportKind kind) {
    return std::u16string(ReportsFolder) + u"/" + SpecOf(kind).fileName;
}

void ExportAndOpen(ProgramState& state, ExportKind kind) {
    const std::u16string path = ExportPath(kind);
    const std::string bytes = SpecOf(kind).writer(state.document.history, state.texts, Today(),
                                                  state.document.lastWeekEvidence);
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
    std::vector<MenuItem> items;
    for (const ExportSpec& spec : Exports)
        items.push_back({spec.command, LookupText(texts, u"Menu", spec.menuKey)});
    return items;
}
