// SPDX-License-Identifier: GPL-3.0-or-later
// What one data row of an imported file says: an entry of Velmora's own CSV, or one set of
// Strong's or Hevy's, with the reason when the row must be skipped. Collecting the sets into
// entries is set_groups.h's; the whole file is training_file.h's.
#pragma once

#include <string>
#include <string_view>

#include "data/document.h"
#include "imports/csv_reader.h"
#include "imports/import_formats.h"

// Why a row was skipped; each has its text under SkipReasonKey in the text group Import.
enum class SkipReason {
    None,
    Columns,           // fewer fields than the header
    Encoding,          // bytes that are neither UTF-8 nor UTF-16
    NotText,           // a NUL character
    TooLong,           // longer than the reader keeps
    Date,              // a date that does not parse
    Number,            // a count, weight, distance, time or RPE that does not parse
    Name,              // a set without an exercise name
    Separator,         // a name, note or unit holding | or backslash
    ControlCharacter,  // ... or a line break or another control character
    Later,             // after the newest week of the history
    NoWeek,            // the history's weeks are out of order: no week can be added for it
};
std::u16string_view SkipReasonKey(SkipReason reason);

// The checks every data row passes first, whatever its format.
SkipReason CheckRow(const CsvRow& row, const ImportColumns& columns);
// True for a row without any text (a blank line): passed over, not counted.
bool IsBlankRow(const CsvRow& row);

// An entry of Velmora's CSV on its day, with the week number its row gave when that number
// names the row's Monday (so that the week keeps its number through export and import).
struct VelmoraRow {
    long long day = 0;  // days from 1 January 1970
    TrainingUnit unit;
    bool numbered = false;
    WholeNumber weekNumber = 0;
};
SkipReason ReadVelmoraRow(const CsvRow& row, VelmoraRow& entry);

// One set; the views point into the row.
struct SetRow {
    long long day = 0;
    std::u16string_view exercise;  // without outer blanks
    WholeNumber reps = 0;          // 0 when the row gives none
    std::u16string weight;         // decimal text, "" for none (a zero weight is none)
    std::u16string_view weightUnit;
    std::u16string distance;
    std::u16string_view distanceUnit;
    std::u16string seconds;
    std::u16string rpe;
    std::u16string_view notes;  // without outer blanks
};
// Reads a set of Strong or Hevy. `noSet` is set for a row that holds no set (Strong's rest
// timers), which is passed over and not counted.
SkipReason ReadSetRow(const CsvRow& row, const ImportColumns& columns, SetRow& set, bool& noSet);
