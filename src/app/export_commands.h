// The context menu's actions: the training report, the CSV file and the calendar file,
// written from the data in memory into the reports folder and handed to the desktop to open.
// The files' contents are reports/exports.h's.
#pragma once

#include <string>
#include <vector>

#include "app/program_state.h"

// In the order of the context menu's items.
enum class ExportKind { Report, Csv, Calendar };

inline constexpr char16_t ReportsFolder[] = u"reports";

// "reports/report.html", "reports/training.csv" or "reports/training.ics".
std::u16string ExportPath(ExportKind kind);
// Writes the file through the safe save (the folder made when missing), then asks the back
// end to open it; a failure shows Errors/Export with the path.
void ExportAndOpen(ProgramState& state, ExportKind kind);
// The three items of the context menu.
void ShowTrainingReport(ProgramState& state);
void ExportTrainingCsv(ProgramState& state);
void ExportTrainingCalendar(ProgramState& state);
// Their texts from the group Menu, for the back end's context menu.
std::vector<MenuItem> ContextMenuItems(const TextTable& texts);
