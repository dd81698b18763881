// SPDX-License-Identifier: GPL-3.0-or-later
// Rows into entries and sets. Whatever a row would store (names, notes, units, descriptions)
// must fit the entry format as it is: a row that cannot is refused whole, never stored cut or
// changed.
#include "imports/import_rows.h"

#include "data/day_entries.h"
#include "imports/import_values.h"
#include "platform/clock.h"

namespace {

// A text that would be stored in an entry: no separator, no control character but the tab.
SkipReason CheckStoredText(std::u16string_view text) {
    if (HoldsFieldSeparator(text)) return SkipReason::Separator;
    if (HoldsControlCharacter(text)) return SkipReason::ControlCharacter;
    return SkipReason::None;
}

// A text field of Velmora's CSV as the program wrote it: a quoted field that begins with
// "'" and then a character a spreadsheet would run as a formula got the "'" from the export.
std::u16string_view VelmoraText(const CsvRow& row, std::size_t column) {
    std::u16string_view text = row.Field(column);
    if (column >= row.fieldCount || !row.quoted[column] || text.size() < 2 || text[0] != u'\'')
        return text;
    const char16_t next = text[1];
    const bool guarded = next == u'=' || next == u'+' || next == u'-' || next == u'@' ||
                         next == u'\t' || next == u'\r';
    return guarded ? text.substr(1) : text;
}

// The unit a row's own unit column names; "lbs" is written "lb" as the column names are.
std::u16string_view UnitOf(const CsvRow& row, int column, std::u16string_view fromHeader) {
    if (column == NoColumn) return fromHeader;
    const std::u16string_view unit = TrimBlanks(row.Field(std::size_t(column)));
    return SameIgnoringCase(unit, u"lbs") ? std::u16string_view(u"lb") : unit;
}

// A decimal column; a zero is as good as none (a body-weight set has no weight).
bool ReadMeasure(const CsvRow& row, int column, std::u16string& value) {
    value.clear();
    if (column == NoColumn) return true;
    if (!ParseDecimal(row.Field(std::size_t(column)), value)) return false;
    if (value == u"0") value.clear();
    return true;
}

}  // namespace

std::u16string_view SkipReasonKey(SkipReason reason) {
    switch (reason) {
        case SkipReason::None:
            return u"";
        case SkipReason::Columns:
            return u"ReasonColumns";
        case SkipReason::Encoding:
            return u"ReasonEncoding";
        case SkipReason::NotText:
            return u"ReasonNotText";
        case SkipReason::TooLong:
            return u"ReasonTooLong";
        case SkipReason::Date:
            return u"ReasonDate";
        case SkipReason::Number:
            return u"ReasonNumber";
        case SkipReason::Name:
            return u"ReasonName";
        case SkipReason::Separator:
            return u"ReasonSeparator";
        case SkipReason::ControlCharacter:
            return u"ReasonControl";
        case SkipReason::Later:
            return u"ReasonLater";
        case SkipReason::NoWeek:
            return u"ReasonNoWeek";
    }
    return u"";
}

SkipReason CheckRow(const CsvRow& row, const ImportColumns& columns) {
    if (row.tooLong) return SkipReason::TooLong;
    if (row.badBytes) return SkipReason::Encoding;
    for (std::size_t field = 0; field < row.fieldCount; ++field)
        if (row.fields[field].find(u'\0') != std::u16string::npos) return SkipReason::NotText;
    if (row.fieldCount < columns.headerFields) return SkipReason::Columns;
    return SkipReason::None;
}

bool IsBlankRow(const CsvRow& row) {
    for (std::size_t field = 0; field < row.fieldCount; ++field)
        if (!TrimBlanks(row.fields[field]).empty()) return false;
    return true;
}

SkipReason ReadVelmoraRow(const CsvRow& row, VelmoraRow& entry) {
    // Week, Monday of the week, Date, Weekday, Unit, Count 1, Count 2, Description.
    if (!ParseIsoDay(row.Field(2), entry.day)) return SkipReason::Date;
    if (!ParseWrittenCount(row.Field(5), entry.unit.count1) ||
        !ParseWrittenCount(row.Field(6), entry.unit.count2))
        return SkipReason::Number;
    const std::u16string_view name = VelmoraText(row, 4);
    const std::u16string_view description = VelmoraText(row, 7);
    for (std::u16string_view text : {name, description})
        if (const SkipReason reason = CheckStoredText(text); reason != SkipReason::None)
            return reason;
    entry.unit.texts = UnitTexts(name, description);
    // The week's number is kept when the row's Monday is the Monday of its date.
    long long monday = 0;
    entry.numbered = ParseIsoDay(row.Field(1), monday) &&
                     ParseWrittenCount(row.Field(0), entry.weekNumber) &&
                     monday == entry.day - MondayFirstWeekday(entry.day);
    return SkipReason::None;
}

SkipReason ReadSetRow(const CsvRow& row, const ImportColumns& columns, SetRow& set, bool& noSet) {
    noSet = false;
    if (columns.setOrder != NoColumn &&
        TrimBlanks(row.Field(std::size_t(columns.setOrder))) == u"Rest Timer") {
        noSet = true;
        return SkipReason::None;
    }
    const std::u16string_view date = row.Field(std::size_t(columns.date));
    const bool dated =
        columns.dayMonthYearDates ? ParseDayMonthYear(date, set.day) : ParseIsoDay(date, set.day);
    if (!dated) return SkipReason::Date;
    if (!ParseRepetitions(row.Field(std::size_t(columns.reps)), set.reps) ||
        !ReadMeasure(row, columns.weight, set.weight) ||
        !ReadMeasure(row, columns.distance, set.distance) ||
        !ReadMeasure(row, columns.seconds, set.seconds) || !ReadMeasure(row, columns.rpe, set.rpe))
        return SkipReason::Number;
    set.exercise = TrimBlanks(row.Field(std::size_t(columns.exercise)));
    if (set.exercise.empty()) return SkipReason::Name;
    set.notes = columns.notes == NoColumn ? std::u16string_view()
                                          : TrimBlanks(row.Field(std::size_t(columns.notes)));
    set.weightUnit = UnitOf(row, columns.weightUnit, columns.weightUnitName);
    set.distanceUnit = UnitOf(row, columns.distanceUnit, columns.distanceUnitName);
    for (std::u16string_view text : {set.exercise, set.notes, set.weightUnit, set.distanceUnit})
        if (const SkipReason reason = CheckStoredText(text); reason != SkipReason::None)
            return reason;
    return SkipReason::None;
}
