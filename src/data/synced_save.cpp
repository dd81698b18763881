// SPDX-License-Identifier: GPL-3.0-or-later
// The look at the disk before a save or when the window is active again: identity first (no
// read of an unchanged file), then the whole file and its hash, then the merge. A file that
// cannot be read is never written over; a merge is complete in memory before anything is
// written.
#include "data/synced_save.h"

#include "data/merge_base.h"
#include "data/merge_history.h"
#include "data/merge_units.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"

namespace {

// The history's base as the merge reads it: its week numbers, a day's original where it
// changed, else the day held now.
HistoryBaseView HeldBaseView(Document& document, std::size_t offset) {
    HistoryBaseView view;
    view.numbers = document.historyBase.weekNumbers;
    view.dayText = [&document, offset](std::size_t week, std::size_t day) {
        return BaseDayText(document, offset, week, day);
    };
    return view;
}

SyncedSave SaveChecked(const std::u16string& path, Document& document, DataFileKind kind,
                       bool& keepOldFile, const std::function<SaveOutcome()>& save) {
    SyncedSave result;
    FileBase& base =
        kind == DataFileKind::History ? document.historyBase.file : document.unitBase.file;
    DiskChange change = LookAtDataFile(path, base, kind);
    if (change.kind == DiskChange::Kind::Unreadable) {
        result.unreadable = {u"ChangedUnreadable", path};
        return result;
    }
    if (change.kind == DiskChange::Kind::Changed) {
        if (kind == DataFileKind::History) {
            result.heldPositions = MergeHistoryFromDisk(document, change.version);
        } else {
            MergeCatalogueFromDisk(document, change.version);
        }
        result.merged = true;
        // What could not be read at start-up is now read and merged: it may be replaced.
        keepOldFile = false;
    } else if (!OsIdentityOf(path).exists) {
        // A file that vanished is written anew; there is nothing left to protect.
        keepOldFile = false;
    }
    result.outcome = save();
    return result;
}

}  // namespace

DiskChange LookAtDataFile(const std::u16string& path, FileBase& base, DataFileKind kind) {
    DiskChange change;
    const OsFileIdentity now = OsIdentityOf(path);
    if (!now.exists || SameFileIdentity(now, base.identity)) return change;
    change.version = ReadDiskVersion(path);
    switch (change.version.state) {
        case DiskVersion::State::Missing:
            return change;
        case DiskVersion::State::Unreadable:
            change.kind = DiskChange::Kind::Unreadable;
            return change;
        case DiskVersion::State::Read:
            break;
    }
    if (base.identity.exists && change.version.file.hash == base.hash) {
        // Touched or copied anew, the same bytes: only the identity is new.
        base.identity = change.version.file.identity;
        return change;
    }
    change.kind = IsIntactDataFile(change.version.bytes, kind) ? DiskChange::Kind::Changed
                                                               : DiskChange::Kind::Unreadable;
    return change;
}

std::vector<std::size_t> MergeHistoryFromDisk(Document& document, const DiskVersion& disk) {
    const std::vector<TrainingWeek> diskWeeks = WeeksOfBytes(disk.bytes);
    const std::optional<std::size_t> offset = BaseRunInHistory(document);
    HistoryBaseView base = HeldBaseView(document, offset.value_or(0));
    // A file that could not be read when it was loaded has no base: both are united.
    base.known = document.historyBase.file.identity.exists && !document.historyFileUnreadable;
    HistoryMerge merge = MergeHistories(base, diskWeeks, document.history, offset);
    // Every base day whose text the merge changes keeps its first text, so that the base is
    // still whole should the save fail.
    if (offset) {
        for (std::size_t week = 0; week < document.historyBase.weekNumbers.size(); ++week) {
            const std::size_t held = *offset + week;
            for (std::size_t day = 0; day < 7; ++day)
                if (merge.weeks[merge.heldPositions[held]].days[day] !=
                    document.history[held].days[day])
                    NoteDayOriginal(document, WholeNumber(held), WholeNumber(day));
        }
    }
    document.history = std::move(merge.weeks);
    HistoryBase& kept = document.historyBase;
    if (offset && merge.threeWay) {
        // The base's weeks merged in place: they stand together where the first one went.
        kept.heldWeeks = document.history.size();
        kept.offset = merge.heldPositions[*offset];
        kept.found = true;
    } else {
        kept.heldWeeks = std::size_t(-1);  // looked up again at the next need
    }
    // Weeks may have come in that were recorded after the held ones' evidence: today is the
    // latest day any of them can have been recorded on.
    document.lastWeekEvidence.reset();
    document.historyFileUnreadable = false;
    return merge.heldPositions;
}

void MergeCatalogueFromDisk(Document& document, const DiskVersion& disk) {
    const std::vector<TrainingUnit> diskUnits = UnitsOfBytes(disk.bytes);
    std::size_t baseUnits = document.unitBase.units;
    if (!document.unitBase.file.identity.exists || document.unitFileUnreadable) baseUnits = 0;
    if (baseUnits > document.catalogue.size()) baseUnits = document.catalogue.size();
    const std::span<const TrainingUnit> held(document.catalogue);
    document.catalogue = MergeCatalogues(held.first(baseUnits), diskUnits, held);
    document.unitFileUnreadable = false;
}

void TakeDiskVersionAsBase(Document& document, const DiskVersion& disk, DataFileKind kind) {
    if (kind == DataFileKind::Catalogue) {
        SetCatalogueBase(document, disk.file, document.catalogue.size());
        return;
    }
    // The held weeks are the disk's with, at most, the empty weeks of the catch-up around
    // them: the disk's weeks become the base, found again among them.
    const std::vector<TrainingWeek> diskWeeks = WeeksOfBytes(disk.bytes);
    SetHistoryBase(document, disk.file);
    HistoryBase& base = document.historyBase;
    base.weekNumbers.clear();
    for (const TrainingWeek& week : diskWeeks) base.weekNumbers.push_back(week.weekNumber);
    base.heldWeeks = std::size_t(-1);
    const std::optional<std::size_t> offset = BaseRunInHistory(document);
    if (!offset) return;
    for (std::size_t week = 0; week < diskWeeks.size(); ++week)
        for (std::size_t day = 0; day < 7; ++day)
            if (document.history[*offset + week].days[day] != diskWeeks[week].days[day])
                base.originals.emplace(week * 7 + day, diskWeeks[week].days[day]);
}

SyncedSave SaveHistorySynced(Document& document, const DailyBackup& backup) {
    SyncedSave result = SaveChecked(HistoryFilePath, document, DataFileKind::History,
                                    document.historyFileUnreadable,
                                    [&] { return SaveWeekHistoryRecorded(document, backup); });
    if (result.outcome.written.identity.exists) SetHistoryBase(document, result.outcome.written);
    return result;
}

SyncedSave SaveCatalogueSynced(Document& document, const DailyBackup& backup) {
    SyncedSave result =
        SaveChecked(UnitFilePath, document, DataFileKind::Catalogue, document.unitFileUnreadable,
                    [&] { return SaveUnitCatalogueRecorded(document, backup); });
    if (result.outcome.written.identity.exists)
        SetCatalogueBase(document, result.outcome.written, document.catalogue.size());
    return result;
}
