// SPDX-License-Identifier: GPL-3.0-or-later
// Conflict copy names, as the sync tools document them or their users report them:
//   Syncthing          history.sync-conflict-20261208-101500-ABCDEFG.txt (date, time, the
//                      first seven characters of the device id)
//   Dropbox            history (Anna's conflicted copy 2026-12-08).txt, a "(1)" inside when taken
//   Nextcloud/ownCloud history (conflicted copy 2026-12-08 101500).txt; older ownCloud clients
//                      history_conflict-20261208-101500.txt
//   OneDrive           history-LAPTOP.txt, history-LAPTOP-1.txt: the computer's name appended
//                      (the OneDrive clients' "<filename>-<hostname>" copies, onedrive issue 338)
//   Google Drive       history (1).txt: a number in brackets for the second file of one name
//                      (Drive's desktop client, as grive issue 166 reports it)
// The program's own temporary files ("*.velmora-*.tmp") are never taken for one.
#include "data/conflict_copies.h"

#include <algorithm>
#include <span>
#include <string>

#include "data/backups.h"
#include "data/file_bases.h"
#include "data/merge_base.h"
#include "data/merge_history.h"
#include "data/merge_units.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/os_file.h"
#include "platform/unicode.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool AllDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsUpperOrDigit(char16_t c) {
    return IsDigit(c) || (c >= u'A' && c <= u'Z');
}

// A computer's name as Windows allows it: letters, digits and hyphens.
bool IsHostName(std::u16string_view text) {
    if (text.empty() || text.size() > 63) return false;
    return std::all_of(text.begin(), text.end(), [](char16_t c) {
        return IsDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'-';
    });
}

// "YYYY-MM-DD" at the start of text.
bool StartsWithIsoDate(std::u16string_view text) {
    if (text.size() < 10) return false;
    for (std::size_t i = 0; i < 10; ++i)
        if (i == 4 || i == 7 ? text[i] != u'-' : !IsDigit(text[i])) return false;
    return true;
}

// What follows the stem of the data file: the copy's mark, without ".txt".
bool IsConflictMark(std::u16string_view mark) {
    // Syncthing: ".sync-conflict-YYYYMMDD-HHMMSS-DEVICE"
    constexpr std::u16string_view Syncthing = u".sync-conflict-";
    if (mark.substr(0, Syncthing.size()) == Syncthing) {
        const std::u16string_view rest = mark.substr(Syncthing.size());
        if (rest.size() < 17 || !AllDigits(rest.substr(0, 8)) || rest[8] != u'-' ||
            !AllDigits(rest.substr(9, 6)) || rest[15] != u'-')
            return false;
        const std::u16string_view device = rest.substr(16);
        return !device.empty() && std::all_of(device.begin(), device.end(), IsUpperOrDigit);
    }
    // ownCloud's older clients: "_conflict-YYYYMMDD-HHMMSS"
    constexpr std::u16string_view OwnCloud = u"_conflict-";
    if (mark.substr(0, OwnCloud.size()) == OwnCloud) {
        const std::u16string_view rest = mark.substr(OwnCloud.size());
        return rest.size() == 15 && AllDigits(rest.substr(0, 8)) && rest[8] == u'-' &&
               AllDigits(rest.substr(9));
    }
    // Dropbox, Nextcloud, ownCloud: " (... conflicted copy ...)"; Google Drive: " (N)"
    if (mark.size() >= 4 && mark.substr(0, 2) == u" (" && mark.back() == u')') {
        const std::u16string_view inside = mark.substr(2, mark.size() - 3);
        return AllDigits(inside) || inside.find(u"conflicted copy") != std::u16string_view::npos;
    }
    // OneDrive: "-HOSTNAME" or "-HOSTNAME-N", but never a backup's date.
    if (mark.size() >= 2 && mark[0] == u'-') {
        const std::u16string_view host = mark.substr(1);
        return IsHostName(host) && !StartsWithIsoDate(host);
    }
    return false;
}

// The weeks of a backup, when it can be read and merged.
std::optional<std::vector<TrainingWeek>> BackupWeeks(const std::u16string& path) {
    const DiskVersion version = ReadDiskVersion(path);
    if (version.state != DiskVersion::State::Read ||
        !IsIntactDataFile(version.bytes, DataFileKind::History))
        return std::nullopt;
    return WeeksOfBytes(version.bytes);
}

std::vector<WholeNumber> NumbersOf(const std::vector<TrainingWeek>& weeks) {
    std::vector<WholeNumber> numbers;
    for (const TrainingWeek& week : weeks) numbers.push_back(week.weekNumber);
    return numbers;
}

}  // namespace

std::optional<DataFileKind> ConflictCopyKind(std::u16string_view fileName) {
    if (IsReplacementName(fileName) || fileName.find(u".velmora-") != std::u16string_view::npos)
        return std::nullopt;
    constexpr std::u16string_view Extension = u".txt";
    if (fileName.size() <= Extension.size() ||
        fileName.substr(fileName.size() - Extension.size()) != Extension)
        return std::nullopt;
    const std::u16string_view stem = fileName.substr(0, fileName.size() - Extension.size());
    constexpr std::u16string_view History = u"history";
    constexpr std::u16string_view Units = u"units";
    if (stem.substr(0, History.size()) == History && IsConflictMark(stem.substr(History.size())))
        return DataFileKind::History;
    if (stem.substr(0, Units.size()) == Units && IsConflictMark(stem.substr(Units.size())))
        return DataFileKind::Catalogue;
    return std::nullopt;
}

std::vector<ConflictCopy> FindConflictCopies() {
    std::vector<ConflictCopy> copies;
    for (std::u16string& name : OsFolderFiles(DataFolderPath)) {
        const std::optional<DataFileKind> kind = ConflictCopyKind(name);
        if (!kind) continue;
        copies.push_back({std::u16string(DataFolderPath) + u"/" + name, std::move(name), *kind});
    }
    std::sort(copies.begin(), copies.end(),
              [](const ConflictCopy& a, const ConflictCopy& b) { return a.name < b.name; });
    return copies;
}

std::vector<std::size_t> MergeHistoryCopy(Document& document, std::string_view copyBytes) {
    const std::vector<TrainingWeek> copyWeeks = WeeksOfBytes(copyBytes);
    const std::vector<WholeNumber> copyNumbers = NumbersOf(copyWeeks);
    const std::vector<WholeNumber> heldNumbers = NumbersOf(document.history);
    // The oldest backup both versions grew from: the younger a backup, the likelier it holds
    // entries one machine added after the two parted, which the other would then seem to
    // have deleted.
    std::optional<std::vector<TrainingWeek>> base;
    for (const std::u16string& path : DailyBackupsOf(HistoryFilePath)) {
        std::optional<std::vector<TrainingWeek>> weeks = BackupWeeks(path);
        if (!weeks || weeks->empty()) continue;
        const std::vector<WholeNumber> numbers = NumbersOf(*weeks);
        if (PlacesOfRun(copyNumbers, numbers, 1).empty() ||
            PlacesOfRun(heldNumbers, numbers, 1).empty())
            continue;
        base = std::move(weeks);
        break;
    }
    HistoryBaseView view;
    view.known = false;
    if (base) view = BaseOfWeeks(*base);
    HistoryMerge merge = MergeHistories(view, copyWeeks, document.history);
    // The days of the loaded file that the merge changes keep their first text for the base.
    for (std::size_t held = 0; held < document.history.size(); ++held)
        for (std::size_t day = 0; day < 7; ++day)
            if (merge.weeks[merge.heldPositions[held]].days[day] !=
                document.history[held].days[day])
                NoteDayOriginal(document, WholeNumber(held), WholeNumber(day));
    document.history = std::move(merge.weeks);
    document.historyBase.heldWeeks = std::size_t(-1);
    document.lastWeekEvidence.reset();
    return merge.heldPositions;
}

void MergeCatalogueCopy(Document& document, std::string_view copyBytes) {
    // The catalogue loses no unit in any merge: what is held stays as it is, in front.
    const std::span<const TrainingUnit> held(document.catalogue);
    document.catalogue = MergeCatalogues(held, UnitsOfBytes(copyBytes), held);
}

bool MoveMergedCopy(const ConflictCopy& copy) {
    if (!OsMakeFolder(u"units/backup") || !OsMakeFolder(MergedCopiesFolder)) return false;
    const std::u16string folder = std::u16string(MergedCopiesFolder) + u"/";
    if (OsMoveFileNoReplace(copy.path, folder + copy.name)) return true;
    // A copy of this name was merged before: the new one gets a number before ".txt".
    const std::u16string stem = copy.name.substr(0, copy.name.size() - 4);
    for (int number = 2; number < 100; ++number) {
        const std::u16string name = stem + u" (" + Utf8ToUtf16(std::to_string(number)) + u").txt";
        if (OsFileSize(folder + name) != -1) continue;
        if (OsMoveFileNoReplace(copy.path, folder + name)) return true;
    }
    return false;
}
