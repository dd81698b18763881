// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does about changes made elsewhere. After every merge the lists are filled
// again with the same week, day and unit chosen, and the undo record's weeks follow their
// weeks, so that an undo still finds its day.
#include "app/sync_commands.h"

#include "app/control_ids.h"
#include "app/list_fills.h"
#include "data/day_entries.h"
#include "data/merge_base.h"
#include "data/synced_save.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "text/messages.h"

namespace {

// A box of the group Sync: an error under the Errors title, a notice under the group's own.
void ShowSyncBox(ProgramState& state, std::u16string_view key, const std::u16string& file,
                 bool error) {
    const std::u16string title = error ? LookupText(state.texts, u"Errors", u"Title")
                                       : LookupText(state.texts, u"Sync", u"Title");
    state.ui.ShowMessageBox(
        SubstitutePlaceholders(title, file, u""),
        SubstitutePlaceholders(LookupText(state.texts, u"Sync", key), file, u""), false);
}

std::u16string JoinNames(const std::vector<std::u16string>& names) {
    std::u16string joined;
    for (const std::u16string& name : names) {
        if (!joined.empty()) joined += u", ";
        joined += name;
    }
    return joined;
}

// The unit the unit list shows, found again after the catalogue changed.
std::u16string SelectedUnitLine(ProgramState& state) {
    const std::intptr_t row = state.ui.GetState(UnitCombo);
    if (row < 0 || row >= UnitCount(state.document)) return {};
    return DayEntryOf(UnitAt(state.document, WholeNumber(row)));
}

void SelectUnitLine(ProgramState& state, const std::u16string& line) {
    if (line.empty()) return;
    for (WholeNumber at = 0; at < UnitCount(state.document); ++at) {
        if (DayEntryOf(UnitAt(state.document, at)) != line) continue;
        state.ui.SetState(UnitCombo, at);
        return;
    }
}

// Every week position the program keeps follows its week to where the merge put it.
void FollowWeeks(ProgramState& state, const std::vector<std::size_t>& positions) {
    if (positions.empty()) return;
    const auto follow = [&positions](WholeNumber& week) {
        if (week >= 0 && std::size_t(week) < positions.size())
            week = WholeNumber(positions[std::size_t(week)]);
    };
    follow(state.selection.week);
    FollowMergedWeeks(state.edits, positions);
}

void ShowMerged(ProgramState& state, const std::u16string& unitLine, bool catalogueChanged) {
    FillWeekCombo(state);
    FillEntryList(state);
    if (!catalogueChanged) return;
    FillUnitCombo(state);
    SelectUnitLine(state, unitLine);
}

void MoveCopiesOf(ProgramState& state, DataFileKind kind) {
    std::vector<ConflictCopy> kept;
    for (const ConflictCopy& copy : state.mergedCopies) {
        if (copy.kind != kind) {
            kept.push_back(copy);
        } else if (!MoveMergedCopy(copy)) {
            ShowSyncBox(state, u"CopyNotMoved", copy.path, true);
        }
    }
    state.mergedCopies = std::move(kept);
}

}  // namespace

MergingSave SaveMerging(ProgramState& state, const DailyBackup& backup) {
    const std::u16string unitLine = SelectedUnitLine(state);
    SyncedSave history = SaveHistorySynced(state.document, backup);
    SyncedSave units = SaveCatalogueSynced(state.document, backup);
    FollowWeeks(state, history.heldPositions);
    if (history.merged || units.merged) ShowMerged(state, unitLine, units.merged);
    for (const Report& unreadable : {history.unreadable, units.unreadable})
        if (!unreadable.ok()) ShowSyncBox(state, unreadable.key, unreadable.file, true);
    std::vector<std::u16string> mergedFiles;
    if (history.merged) mergedFiles.push_back(HistoryFilePath);
    if (units.merged) mergedFiles.push_back(UnitFilePath);
    if (!mergedFiles.empty()) ShowSyncBox(state, u"Merged", JoinNames(mergedFiles), false);
    // A file counts as saved when its save reported nothing and it was not left alone for
    // being unreadable.
    const bool historySaved = history.outcome.report.ok() && history.unreadable.ok();
    const bool unitsSaved = units.outcome.report.ok() && units.unreadable.ok();
    MergingSave save;
    save.complete = historySaved && unitsSaved;
    if (historySaved) MoveCopiesOf(state, DataFileKind::History);
    if (unitsSaved) MoveCopiesOf(state, DataFileKind::Catalogue);
    save.history = std::move(history.outcome);
    save.units = std::move(units.outcome);
    return save;
}

void PickUpChangedFiles(ProgramState& state) {
    Document& document = state.document;
    if (HoldsUnsavedChanges(document)) return;
    const std::u16string unitLine = SelectedUnitLine(state);
    bool historyTaken = false;
    bool unitsTaken = false;
    struct File {
        const char16_t* path;
        DataFileKind kind;
        FileBase& base;
        OsFileIdentity& refused;
        bool& taken;
    };
    File files[] = {
        {HistoryFilePath, DataFileKind::History, document.historyBase.file, state.refusedHistory,
         historyTaken},
        {UnitFilePath, DataFileKind::Catalogue, document.unitBase.file, state.refusedUnits,
         unitsTaken},
    };
    for (File& file : files) {
        DiskChange change = LookAtDataFile(file.path, file.base, file.kind);
        if (change.kind == DiskChange::Kind::Unreadable) {
            // Named once per version of the file, not at every activation.
            const OsFileIdentity now = OsIdentityOf(file.path);
            if (!SameFileIdentity(now, file.refused))
                ShowSyncBox(state, u"ChangedUnreadable", file.path, true);
            file.refused = now;
            continue;
        }
        if (change.kind != DiskChange::Kind::Changed) continue;
        if (file.kind == DataFileKind::History) {
            FollowWeeks(state, MergeHistoryFromDisk(document, change.version));
        } else {
            MergeCatalogueFromDisk(document, change.version);
        }
        TakeDiskVersionAsBase(document, change.version, file.kind);
        file.taken = true;
    }
    if (historyTaken || unitsTaken) ShowMerged(state, unitLine, unitsTaken);
}

void MergeConflictCopies(ProgramState& state) {
    std::vector<std::u16string> merged;
    for (const ConflictCopy& copy : FindConflictCopies()) {
        const DiskVersion version = ReadDiskVersion(copy.path);
        if (version.state != DiskVersion::State::Read ||
            !IsIntactDataFile(version.bytes, copy.kind)) {
            ShowSyncBox(state, u"CopyUnreadable", copy.path, true);
            continue;
        }
        if (copy.kind == DataFileKind::History) {
            MergeHistoryCopy(state.document, version.bytes);
        } else {
            MergeCatalogueCopy(state.document, version.bytes);
        }
        state.mergedCopies.push_back(copy);
        merged.push_back(copy.path);
    }
    if (!merged.empty()) ShowSyncBox(state, u"Copies", JoinNames(merged), false);
}
