// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of the context menu, one row each in one table: the training report, the CSV
// file and the calendar file, written from the data in memory into the reports folder and
// handed to the desktop to open. The files' contents are reports/exports.h's; the menu that
// offers them is context_menu.h's.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "app/program_state.h"
#include "platform/clock.h"

// The bytes of an export of the history; see reports/exports.h.
using ExportWriter = std::string (*)(const std::vector<TrainingWeek>& history,
                                     const TextTable& texts, const LocalDate& today,
                                     const std::optional<LocalDate>& lastWeekEvidence);

struct ExportSpec {
    const char16_t* menuKey;   // the text of its menu item, in the group Menu
    const char* headlessName;  // "menu NAME" in velmora-headless
    const char16_t* fileName;  // in the reports folder
    ExportWriter writer;
};

inline constexpr char16_t ReportsFolder[] = u"reports";

// In the order of their menu items.
std::span<const ExportSpec> Exports();
// "reports/" + its file name.
std::u16string ExportPath(const ExportSpec& spec);
// Writes the file through the safe save (the folder made when missing), then asks the back
// end to open it; a failure shows Errors/Export with the path.
void ExportAndOpen(ProgramState& state, const ExportSpec& spec);
