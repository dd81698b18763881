// SPDX-License-Identifier: GPL-3.0-or-later
// A training file read row by row: the reader hands out one row at a time and the sets are
// folded into their entries as they come, so a large file costs the room of its entries, not
// of its bytes. A read that fails halfway gives nothing, never the part before the failure.
#include "imports/training_file.h"

#include "imports/set_groups.h"
#include "platform/os_file.h"

namespace {

void ReadVelmoraRows(CsvReader& reader, CsvRow& row, const ImportColumns& columns,
                     TrainingFile& file) {
    VelmoraRow entry;
    while (NextCsvRow(reader, row)) {
        if (IsBlankRow(row)) continue;
        SkipReason reason = CheckRow(row, columns);
        if (reason == SkipReason::None) reason = ReadVelmoraRow(row, entry);
        if (reason != SkipReason::None) {
            NoteSkipped(file.skipped, row.line, reason);
            continue;
        }
        DatedEntry& dated = file.entries.emplace_back();
        dated.day = entry.day;
        dated.unit = std::move(entry.unit);
        dated.line = row.line;
        dated.numbered = entry.numbered;
        dated.weekNumber = entry.weekNumber;
    }
}

void ReadSetRows(CsvReader& reader, CsvRow& row, const ImportColumns& columns, TrainingFile& file) {
    SetGroups groups;
    SetRow set;
    while (NextCsvRow(reader, row)) {
        if (IsBlankRow(row)) continue;
        bool noSet = false;
        SkipReason reason = CheckRow(row, columns);
        if (reason == SkipReason::None) reason = ReadSetRow(row, columns, set, noSet);
        if (noSet) continue;
        if (reason != SkipReason::None) {
            NoteSkipped(file.skipped, row.line, reason);
            continue;
        }
        AddSet(groups, set, row.line);
    }
    file.entries.reserve(groups.groups.size());
    for (const SetGroup& group : groups.groups) {
        DatedEntry& dated = file.entries.emplace_back();
        dated.day = group.day;
        dated.unit = EntryOfSets(group);
        dated.line = group.firstLine;
        dated.rows = group.sets;
    }
}

}  // namespace

void NoteSkipped(SkippedRows& skipped, WholeNumber line, SkipReason reason, WholeNumber rows) {
    if (rows <= 0) return;
    skipped.count += rows;
    if (skipped.firstReason == SkipReason::None || line < skipped.firstLine) {
        skipped.firstLine = line;
        skipped.firstReason = reason;
    }
}

TrainingFile ReadTrainingRows(CsvByteSource source,
                              const std::vector<VelmoraHeader>& velmoraHeaders) {
    TrainingFile file;
    CsvReader reader;
    StartCsvReader(reader, std::move(source));
    CsvRow row;
    if (!NextCsvRow(reader, row)) {
        file.outcome = reader.readFailed ? TrainingFile::Outcome::Unreadable
                                         : TrainingFile::Outcome::NotRecognised;
        return file;
    }
    const ImportColumns columns = RecognizeHeader(row, velmoraHeaders);
    file.format = columns.format;
    if (columns.format == ImportFormat::Unknown) {
        file.outcome = TrainingFile::Outcome::NotRecognised;
        return file;
    }
    if (columns.format == ImportFormat::Velmora) {
        ReadVelmoraRows(reader, row, columns, file);
    } else {
        ReadSetRows(reader, row, columns, file);
    }
    if (reader.readFailed) {
        file.entries.clear();
        file.skipped = {};
        file.outcome = TrainingFile::Outcome::Unreadable;
        return file;
    }
    file.outcome = TrainingFile::Outcome::Read;
    return file;
}

TrainingFile ReadTrainingFile(const std::u16string& path,
                              const std::vector<VelmoraHeader>& velmoraHeaders) {
    OsFile opened;
    if (!OsOpenRead(path, opened)) {
        TrainingFile file;
        file.outcome = TrainingFile::Outcome::Unreadable;
        return file;
    }
    TrainingFile file = ReadTrainingRows(
        [&opened](char* buffer, std::size_t size) { return OsRead(opened, buffer, size); },
        velmoraHeaders);
    OsClose(opened);
    return file;
}
