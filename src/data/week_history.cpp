// SPDX-License-Identifier: GPL-3.0-or-later
// The week history in memory and its file units/history.txt: per week a "#number" line,
// then a "=DayKey" line and the day text for Monday to Sunday. The catch-up to the current
// week is calendar/'s AdvanceToCurrentWeek; reporting is the caller's.
#include "data/week_history.h"

#include <algorithm>

#include "data/line_blocks.h"
#include "data/line_file.h"
#include "data/merge_base.h"
#include "data/safe_save.h"
#include "platform/os_file.h"
#include "platform/os_memory.h"

namespace {

// The smallest week block in UTF-8: 89 one-byte characters, plus the 3-byte mark that
// announces the encoding. UTF-16 files use MinimumHistoryFileSize.
constexpr std::int64_t MinimumUtf8HistoryFileSize = 89 + 3;

void ReadWeeks(LineFile& file, std::int64_t fileBytes, std::vector<TrainingWeek>& history) {
    LineBlockReader reader;
    StartBlockReading(reader, file, fileBytes);
    std::u16string_view header;
    std::u16string_view line;
    while (NextLine(reader, header)) {
        // A stray blank line between blocks does not hide the weeks behind it.
        if (header.find_first_not_of(u' ') == std::u16string_view::npos) continue;
        // The first character is the "#" mark; whatever it is, it is not part of the number.
        AddWeek(history, static_cast<WholeNumber>(ParseInteger(header.substr(1))));
        for (std::u16string& day : history.back().days) {
            NextLine(reader, line);  // the "=DayKey" line; its content is never compared
            // A read past the end gives the empty text, as inside a block cut short.
            if (NextLine(reader, line) && !line.empty()) day = std::u16string(line);
        }
    }
}

}  // namespace

void AddWeek(std::vector<TrainingWeek>& history, WholeNumber weekNumber) {
    TrainingWeek& week = history.emplace_back();
    week.weekNumber = weekNumber;
}

HistoryLoad LoadWeekHistory(Document& document) {
    const std::u16string path = HistoryFilePath;
    std::vector<TrainingWeek>& history = document.history;
    history.clear();
    document.historyFileUnreadable = false;
    std::int64_t size = FileSizeOf(path);
    LineFile file;
    if (!OpenForReading(file, path)) {
        document.historyFileUnreadable = size != -1;
        SetHistoryBase(document, {OsIdentityOf(path), {}});
        return {{u"HistoryFile", path}, false, std::nullopt};
    }
    // The base of the next merge: this version of the file, as it was opened, and its bytes.
    const OsFileIdentity identity = OsIdentityOfOpen(file.file);
    ContentHasher hasher;
    file.hasher = &hasher;
    SkipByteOrderMark(file);
    std::int64_t minimum = file.encoding == LineFile::Encoding::Utf8 ? MinimumUtf8HistoryFileSize
                                                                     : MinimumHistoryFileSize;
    HistoryLoad load;
    // A file too short to hold one week is ignored and replaced by the next save.
    load.fromFile = size >= minimum;
    if (load.fromFile) {
        // A week block takes at least MinimumHistoryFileSize bytes: reserving for the most
        // weeks the file can hold spares the moves and copies of a growing list. Pages of the
        // reservation that no week uses are never touched. Capped for damaged huge files.
        constexpr std::int64_t MostReservedWeeks = 1 << 20;
        history.reserve(static_cast<std::size_t>(
            std::min(size / MinimumHistoryFileSize + 1, MostReservedWeeks)));
        OsPreferLargePages(history.data(), history.capacity() * sizeof(TrainingWeek));
        ReadWeeks(file, size, history);
        std::int64_t changedAt = 0;
        if (OsModificationTime(path, changedAt)) load.changedAt = changedAt;
    }
    if (!load.fromFile) {
        // A file too short for a week is not read line by line; its bytes still make its hash.
        std::string rest;
        OsReadRest(file.file, rest, std::size_t(MinimumHistoryFileSize));
        AddToHash(hasher, rest.data(), rest.size());
    }
    const bool closed = Close(file);
    SetHistoryBase(document, {identity, HashResult(hasher)});
    if (!closed) {
        // Only part of the file may have arrived: keep what was read, protect the file.
        document.historyFileUnreadable = true;
        load.report = {u"HistoryFile", path};
    }
    return load;
}

std::vector<TrainingWeek> WeeksOfBytes(std::string_view bytes) {
    std::vector<TrainingWeek> weeks;
    LineFile file;
    OpenBytesForReading(file, bytes);
    SkipByteOrderMark(file);
    ReadWeeks(file, std::int64_t(bytes.size()), weeks);
    return weeks;
}

namespace {

SaveOutcome SaveHistory(const Document& document, const DailyBackup& backup, bool recordWritten) {
    // The "=DayKey" lines are the same for every week of every save: built once.
    static const std::array<std::u16string, 7> keyLines = [] {
        std::array<std::u16string, 7> lines;
        for (std::size_t day = 0; day < lines.size(); ++day) {
            lines[day].assign(1, u'=');
            lines[day] += DayKeys[day];
        }
        return lines;
    }();
    return SaveDataFile(
        HistoryFilePath, document.historyFileUnreadable, u"SaveHistory", backup,
        [&document](LineFile& file) {
            IntegerDigits digits;
            for (const TrainingWeek& week : document.history) {
                WriteLine(file, {u"#", FormatIntegerInto(week.weekNumber, digits)});
                for (std::size_t day = 0; day < week.days.size(); ++day) {
                    WriteLine(file, keyLines[day]);
                    WriteLine(file, week.days[day]);
                }
            }
        },
        recordWritten);
}

}  // namespace

SaveOutcome SaveWeekHistory(const Document& document, const DailyBackup& backup) {
    return SaveHistory(document, backup, false);
}

SaveOutcome SaveWeekHistoryRecorded(const Document& document, const DailyBackup& backup) {
    return SaveHistory(document, backup, true);
}
