// The unit catalogue: training units in insertion order, loaded from and saved to
// units/units.txt (one line per unit: name|count1|count2|description).
#pragma once

#include <string>
#include <vector>

#include "data/text_helpers.h"

struct TrainingUnit {
    std::u16string name;
    WholeNumber count1 = 0;
    WholeNumber count2 = 0;
    std::u16string description;
};

inline constexpr char16_t UnitFilePath[] = u"units/units.txt";

extern std::vector<TrainingUnit> UnitCatalogue;
// Set when units/units.txt exists but could not be read at start-up: a save then refuses
// to replace it.
extern bool UnitFileUnreadable;

void AddUnit(std::u16string name, WholeNumber count1, WholeNumber count2,
             std::u16string description);
WholeNumber UnitCount();
// position must lie in 0 .. UnitCount() - 1.
const TrainingUnit& UnitAt(WholeNumber position);
// Replaces the catalogue by the file's units. Reports UnitFile and returns false when the
// file cannot be opened (the catalogue then stays as it was) or not be read completely.
bool LoadUnitCatalogue();
// Writes a temporary file beside the old one and puts it in place in one step. Reports
// SaveUnits and returns false on any failure; the old file then stays as it was.
bool SaveUnitCatalogue();
