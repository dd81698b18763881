// SPDX-License-Identifier: GPL-3.0-or-later
// Header rows into formats. Strong and Hevy are found by the names of the columns the import
// needs, wherever they stand, so that added or reordered columns of later versions still
// import; Velmora's own header must be whole, as the program writes it.
#include "imports/import_formats.h"

#include "imports/import_values.h"

namespace {

struct NamedColumn {
    std::u16string_view name;
    int ImportColumns::*column;
    std::u16string_view unit = {};  // what the name tells of the unit
    std::u16string_view ImportColumns::*unitName = nullptr;
};

constexpr NamedColumn StrongColumns[] = {
    {u"Date", &ImportColumns::date},
    {u"Exercise Name", &ImportColumns::exercise},
    {u"Set Order", &ImportColumns::setOrder},
    {u"Reps", &ImportColumns::reps},
    {u"Weight", &ImportColumns::weight},
    {u"Weight (kg)", &ImportColumns::weight, u"kg", &ImportColumns::weightUnitName},
    {u"Weight (lbs)", &ImportColumns::weight, u"lb", &ImportColumns::weightUnitName},
    {u"Weight Unit", &ImportColumns::weightUnit},
    {u"Distance", &ImportColumns::distance},
    {u"Distance (km)", &ImportColumns::distance, u"km", &ImportColumns::distanceUnitName},
    {u"Distance (meters)", &ImportColumns::distance, u"m", &ImportColumns::distanceUnitName},
    {u"Distance (miles)", &ImportColumns::distance, u"mi", &ImportColumns::distanceUnitName},
    {u"Distance Unit", &ImportColumns::distanceUnit},
    {u"Seconds", &ImportColumns::seconds},
    {u"RPE", &ImportColumns::rpe},
    {u"Notes", &ImportColumns::notes},
};

constexpr NamedColumn HevyColumns[] = {
    {u"start_time", &ImportColumns::date},
    {u"exercise_title", &ImportColumns::exercise},
    {u"set_index", &ImportColumns::setOrder},
    {u"reps", &ImportColumns::reps},
    {u"weight_kg", &ImportColumns::weight, u"kg", &ImportColumns::weightUnitName},
    {u"weight_lbs", &ImportColumns::weight, u"lb", &ImportColumns::weightUnitName},
    {u"distance_km", &ImportColumns::distance, u"km", &ImportColumns::distanceUnitName},
    {u"distance_miles", &ImportColumns::distance, u"mi", &ImportColumns::distanceUnitName},
    {u"duration_seconds", &ImportColumns::seconds},
    {u"rpe", &ImportColumns::rpe},
    {u"exercise_notes", &ImportColumns::notes},
};

// The header rows as the programs write them, for the message.
constexpr std::u16string_view StrongHeader =
    u"Date, Workout Name, Duration, Exercise Name, Set Order, Weight, Reps, Distance, Seconds, "
    u"Notes, Workout Notes, RPE";
constexpr std::u16string_view HevyHeader =
    u"title, start_time, end_time, description, exercise_title, superset_id, exercise_notes, "
    u"set_index, set_type, weight_kg, reps, distance_km, duration_seconds, rpe";

bool SameName(std::u16string_view left, std::u16string_view right) {
    return SameIgnoringCase(TrimBlanks(left), TrimBlanks(right));
}

template <std::size_t Count>
ImportColumns FindColumns(const CsvRow& header, const NamedColumn (&names)[Count]) {
    ImportColumns columns;
    columns.headerFields = header.fieldCount;
    for (std::size_t field = 0; field < header.fieldCount; ++field) {
        // The known names have no blanks around them: the field is trimmed once.
        const std::u16string_view name = TrimBlanks(header.Field(field));
        if (name.empty()) continue;
        for (const NamedColumn& named : names) {
            // The first column of a name counts, as a spreadsheet's lookup would take it.
            if (columns.*named.column != NoColumn || name.size() != named.name.size() ||
                !SameIgnoringCase(name, named.name))
                continue;
            columns.*named.column = int(field);
            if (named.unitName != nullptr) columns.*named.unitName = named.unit;
        }
    }
    return columns;
}

bool IsVelmoraHeader(const CsvRow& header, const VelmoraHeader& names) {
    if (header.fieldCount != names.size()) return false;
    for (std::size_t field = 0; field < names.size(); ++field)
        if (!SameName(header.Field(field), names[field])) return false;
    return true;
}

}  // namespace

ImportColumns RecognizeHeader(const CsvRow& header,
                              const std::vector<VelmoraHeader>& velmoraHeaders) {
    for (const VelmoraHeader& names : velmoraHeaders) {
        if (!IsVelmoraHeader(header, names)) continue;
        ImportColumns columns;
        columns.format = ImportFormat::Velmora;
        columns.headerFields = names.size();
        return columns;
    }
    ImportColumns strong = FindColumns(header, StrongColumns);
    if (strong.date != NoColumn && strong.exercise != NoColumn && strong.setOrder != NoColumn &&
        strong.reps != NoColumn && strong.weight != NoColumn) {
        strong.format = ImportFormat::Strong;
        return strong;
    }
    ImportColumns hevy = FindColumns(header, HevyColumns);
    if (hevy.date != NoColumn && hevy.exercise != NoColumn && hevy.setOrder != NoColumn &&
        hevy.reps != NoColumn) {
        hevy.format = ImportFormat::Hevy;
        hevy.setOrder = NoColumn;  // counted from 0 and in file order anyway: not read
        hevy.dayMonthYearDates = true;
        return hevy;
    }
    return ImportColumns{};
}

std::u16string ExpectedHeaders(const VelmoraHeader& velmora) {
    std::u16string text = u"Velmora: ";
    for (std::size_t column = 0; column < velmora.size(); ++column) {
        if (column > 0) text += u", ";
        text += velmora[column];
    }
    text += u"\nStrong: ";
    text += StrongHeader;
    text += u"\nHevy: ";
    text += HevyHeader;
    return text;
}
