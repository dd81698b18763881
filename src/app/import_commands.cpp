// SPDX-License-Identifier: GPL-3.0-or-later
// The import as the user sees it: the dialog, then one box that says what came in. The window
// keeps the week it showed (its position moves with the weeks added before it); nothing is
// saved until Save. Units the import added to the catalogue stay when the import is undone,
// as a unit created by hand does.
#include "app/import_commands.h"

#include <algorithm>

#include "app/context_menu.h"
#include "app/list_fills.h"
#include "config/configuration.h"
#include "data/day_entries.h"
#include "imports/training_import.h"
#include "platform/clock.h"
#include "reports/exports.h"

namespace {

VelmoraHeader HeaderOf(const TextTable& texts) {
    VelmoraHeader header;
    for (std::size_t column = 0; column < header.size(); ++column)
        header[column] = LookupText(texts, u"Report", CsvColumnKeys[column]);
    return header;
}

std::u16string ImportText(const ProgramState& state, const char16_t* key,
                          const std::u16string& first, const std::u16string& second = u"") {
    return SubstitutePlaceholders(LookupText(state.texts, u"Import", key), first, second);
}

void ShowImportBox(ProgramState& state, const std::u16string& text) {
    state.ui.ShowMessageBox(LookupText(state.texts, u"Import", u"Title"), text, false);
}

// Entries, days, entries already there and new units, then the skipped rows and the first.
std::u16string SummaryText(const ProgramState& state, const ImportChanges& changes) {
    std::u16string text = ImportText(state, u"Entries", FormatInteger(changes.entriesAdded));
    text += u'\n' + ImportText(state, u"Days", FormatInteger(WholeNumber(changes.days.size())));
    if (changes.entriesPresent > 0)
        text += u'\n' + ImportText(state, u"Present", FormatInteger(changes.entriesPresent));
    if (changes.unitsAdded > 0)
        text += u'\n' + ImportText(state, u"NewUnits", FormatInteger(changes.unitsAdded));
    text += u'\n' + ImportText(state, u"Skipped", FormatInteger(changes.skipped.count));
    if (changes.skipped.count > 0) {
        const std::u16string reason(
            LookupText(state.texts, u"Import", SkipReasonKey(changes.skipped.firstReason)));
        text += u'\n' + ImportText(state, u"FirstSkipped", FormatInteger(changes.skipped.firstLine),
                                   reason);
    }
    return text;
}

// One undo step: every changed day, the weeks added, the day shown before and after.
void RecordImport(ProgramState& state, const ImportChanges& changes, const ShownDay& before) {
    EditStep step;
    step.shownBefore = before;
    step.shownAfter = {state.selection.week, state.selection.day};
    for (const AddedWeek& week : changes.weeks) step.weeks.push_back({week.position, week.number});
    for (const ChangedDay& day : changes.days) {
        step.days.push_back({day.week, day.day, day.before,
                             std::u16string(GetDayText(state.document, day.week, day.day))});
    }
    if (step.days.empty() && step.weeks.empty()) return;
    RecordStep(state.edits, std::move(step));
}

}  // namespace

std::vector<VelmoraHeader> VelmoraHeaders(const TextTable& texts) {
    std::vector<VelmoraHeader> headers{HeaderOf(texts)};
    const auto add = [&headers](VelmoraHeader header) {
        if (std::find(headers.begin(), headers.end(), header) == headers.end())
            headers.push_back(std::move(header));
    };
    add(HeaderOf(BuildTextTable()));
    // A training.csv keeps the language it was written in, whatever the program shows now.
    std::vector<std::u16string> files = OsFolderFiles(u"lang");
    std::sort(files.begin(), files.end());
    for (const std::u16string& name : files) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, u".txt") != 0) continue;
        TextTable language = BuildTextTable();
        ApplyLanguageFile(language, u"lang/" + name);
        add(HeaderOf(language));
    }
    return headers;
}

void ImportTrainingFile(ProgramState& state) {
    const std::optional<std::u16string> path =
        state.ui.ChooseFileToOpen({LookupText(state.texts, u"Import", u"Dialog"),
                                   LookupText(state.texts, u"Import", u"Filter"), u"*.csv"});
    if (!path || path->empty()) return;
    const std::vector<VelmoraHeader> headers = VelmoraHeaders(state.texts);
    const TrainingFile file = ReadTrainingFile(*path, headers);
    if (file.outcome == TrainingFile::Outcome::Unreadable) {
        ShowImportBox(state, ImportText(state, u"Unreadable", *path));
        return;
    }
    if (file.outcome == TrainingFile::Outcome::NotRecognised) {
        ShowImportBox(state,
                      ImportText(state, u"Unknown", *path) + u"\n\n" + ExpectedHeaders(headers[0]));
        return;
    }
    const ShownDay before{state.selection.week, state.selection.day};
    const std::size_t unitsBefore = state.document.catalogue.size();
    const ImportChanges changes = ApplyTrainingImport(state.document, file, Today());
    state.selection.week = PositionAfterImport(changes, before.week);
    RecordImport(state, changes, before);
    if (!changes.weeks.empty()) FillWeekCombo(state);
    if (state.document.catalogue.size() != unitsBefore) FillUnitCombo(state);
    FillEntryList(state);
    UpdateContextMenu(state);
    ShowImportBox(state, SummaryText(state, changes));
}
