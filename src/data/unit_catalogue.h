// SPDX-License-Identifier: GPL-3.0-or-later
// The unit catalogue: training units in insertion order, loaded from and saved to
// units/units.txt, one line per unit in the form of a day entry (day_entries.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"
#include "data/safe_save.h"
#include "text/messages.h"

inline constexpr char16_t UnitFilePath[] = u"units/units.txt";

void AddUnit(Document& document, std::u16string_view name, WholeNumber count1, WholeNumber count2,
             std::u16string_view description);
WholeNumber UnitCount(const Document& document);
// position must lie in 0 .. UnitCount() - 1.
const TrainingUnit& UnitAt(const Document& document, WholeNumber position);
// One catalogue line read as the file's lines are read; false for a blank line, which holds
// no unit.
bool ReadUnitLine(std::u16string_view line, TrainingUnit& unit);
// Replaces the catalogue by the file's units. Reports UnitFile when the file cannot be opened
// (the catalogue then stays as it was) or not be read completely.
Report LoadUnitCatalogue(Document& document);
// The units of a catalogue file's bytes, read as LoadUnitCatalogue reads the file.
std::vector<TrainingUnit> UnitsOfBytes(std::string_view bytes);
// Writes a temporary file beside the old one and puts it in place in one step. Reports
// SaveUnits on any failure; the old file then stays as it was. The daily backup, when the
// setting asks for one, is taken just before the old file is replaced.
SaveOutcome SaveUnitCatalogue(const Document& document, const DailyBackup& backup = {});
// The same, and the outcome tells what the file holds afterwards: the next merge base.
SaveOutcome SaveUnitCatalogueRecorded(const Document& document, const DailyBackup& backup);
