// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of a training file put into the document: each on its day in the week of its
// Monday (the weeks the history lacks added by week_placement.h), none that already stands
// identically on its day, and a catalogue unit for every exercise the catalogue lacks. What
// changed is handed back, so that the program can show it and undo it; nothing is saved.
#pragma once

#include <string>
#include <vector>

#include "data/document.h"
#include "imports/training_file.h"
#include "platform/clock.h"

// A week the import added: its position in the history afterwards and its number.
struct AddedWeek {
    WholeNumber position = 0;
    WholeNumber number = 0;
};

// A day the import changed, with its text before (its text after is the document's).
struct ChangedDay {
    WholeNumber week = 0;  // position in the history after the import
    WholeNumber day = 0;   // 0 = Monday .. 6 = Sunday
    std::u16string before;
};

struct ImportChanges {
    std::vector<AddedWeek> weeks;  // ascending positions
    std::vector<ChangedDay> days;  // in history order
    WholeNumber entriesAdded = 0;
    WholeNumber entriesPresent = 0;  // stood identically on their days already
    WholeNumber unitsAdded = 0;      // appended to the catalogue
    SkippedRows skipped;             // the file's, and the rows whose week has no place
};

// Puts the file's entries into the document, the weeks dated from the evidence of when the
// newest week was recorded (document.lastWeekEvidence, as the exports read it; unset:
// today). An entry after the newest week is skipped (Later); when the history's weeks are out
// of date order no week is added and an entry whose week is missing is skipped (NoWeek).
// A day that holds only blanks counts as empty and loses them. A unit the catalogue lacks
// (compared without outer blanks) is appended with the counts of its latest entry.
ImportChanges ApplyTrainingImport(Document& document, const TrainingFile& file,
                                  const LocalDate& today);
// Where the week at `before` stands after the import.
WholeNumber PositionAfterImport(const ImportChanges& changes, WholeNumber before);
