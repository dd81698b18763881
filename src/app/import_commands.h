// SPDX-License-Identifier: GPL-3.0-or-later
// Import..., a command of the context menu: a file dialog picks a CSV file, imports/ reads it
// and puts its entries into the history, the change becomes one undo step, the lists show it
// and a box sums it up. Reading the formats and placing the weeks are imports/' work.
#pragma once

#include <vector>

#include "app/program_state.h"
#include "imports/import_formats.h"

// The header rows of Velmora's own training.csv the import recognises: the one of the texts
// in use first, then the built-in German one and that of every language file in lang/.
std::vector<VelmoraHeader> VelmoraHeaders(const TextTable& texts);
// Nothing happens when the dialog is cancelled; a file that cannot be read or is not
// recognised changes nothing and says so in a box.
void ImportTrainingFile(ProgramState& state);
