// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole training file for the import: its format from the header row, then every
// row as an entry on its day (Velmora's own CSV) or as a set gathered into the entry of its
// day and exercise (Strong, Hevy), with the rows skipped and why. What the entries change in
// the history is training_import.h's.
#pragma once

#include <string>
#include <vector>

#include "imports/import_formats.h"
#include "imports/import_rows.h"

// An entry of the file on its day.
struct DatedEntry {
    long long day = 0;  // days from 1 January 1970
    TrainingUnit unit;
    WholeNumber line = 0;   // the line of its (first) row
    WholeNumber rows = 1;   // the rows it was made of: its sets
    bool numbered = false;  // Velmora's CSV gave its week's number
    WholeNumber weekNumber = 0;
};

// The rows skipped so far: how many, and the first of them in the file with its reason.
struct SkippedRows {
    WholeNumber count = 0;
    WholeNumber firstLine = 0;
    SkipReason firstReason = SkipReason::None;
};
// Counts `rows` skipped rows starting at `line` for `reason`.
void NoteSkipped(SkippedRows& skipped, WholeNumber line, SkipReason reason, WholeNumber rows = 1);

struct TrainingFile {
    enum class Outcome {
        Read,           // the rows are in `entries` and `skipped`
        Unreadable,     // the file could not be opened or not be read to its end
        NotRecognised,  // no header the import knows: nothing is taken from it
    };
    Outcome outcome = Outcome::NotRecognised;
    ImportFormat format = ImportFormat::Unknown;
    std::vector<DatedEntry> entries;  // in the order of the file
    SkippedRows skipped;
};

// Reads the rows that `source` gives; Velmora's header is recognised in every language of
// `velmoraHeaders`.
TrainingFile ReadTrainingRows(CsvByteSource source,
                              const std::vector<VelmoraHeader>& velmoraHeaders);
// The same from a file (any path the system takes).
TrainingFile ReadTrainingFile(const std::u16string& path,
                              const std::vector<VelmoraHeader>& velmoraHeaders);
