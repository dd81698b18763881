// SPDX-License-Identifier: GPL-3.0-or-later
// The files the import knows, told apart by their header row: Velmora's own training.csv (in
// the language it was written in), Strong's export (the comma form, its older semicolon form
// with unit columns, and its newer one with the units in the column names) and Hevy's export.
// Here is where each column the import reads stands; what a row says is set_rows.h's.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "imports/csv_reader.h"

enum class ImportFormat { Unknown, Velmora, Strong, Hevy };

// The eight column names of Velmora's training.csv in one language, in their order (the
// texts CsvWeek .. CsvDescription of the group Report).
using VelmoraHeader = std::array<std::u16string, 8>;

inline constexpr int NoColumn = -1;

// Velmora's columns are 0 .. 7 in VelmoraHeader's order; the others are found by name.
struct ImportColumns {
    ImportFormat format = ImportFormat::Unknown;
    std::size_t headerFields = 0;  // a row with fewer fields is refused
    int date = NoColumn;           // a set's day: Strong's Date, Hevy's start_time
    int exercise = NoColumn;
    int setOrder = NoColumn;  // Strong only: "Rest Timer" rows hold no set
    int reps = NoColumn;
    int weight = NoColumn;
    int weightUnit = NoColumn;  // the older Strong form's unit column
    int distance = NoColumn;
    int distanceUnit = NoColumn;
    int seconds = NoColumn;
    int rpe = NoColumn;
    int notes = NoColumn;
    // The unit a column's name gives ("kg", "lb", "km", "m", "mi"); "" when neither the
    // name nor a unit column says.
    std::u16string_view weightUnitName;
    std::u16string_view distanceUnitName;
    bool dayMonthYearDates = false;  // "26 Jul 2025, 07:06"
};

// The format of a header row and its columns; format Unknown for any other row. Names are
// compared without outer blanks and without regard to the case of A to Z; Velmora's header
// must be one of `velmoraHeaders` exactly, column by column.
ImportColumns RecognizeHeader(const CsvRow& header,
                              const std::vector<VelmoraHeader>& velmoraHeaders);
// The header rows the import knows, one line each ("Strong: Date, Workout Name, ..."), the
// first Velmora's in the given language, for the message that a file was not recognised.
std::u16string ExpectedHeaders(const VelmoraHeader& velmora);
