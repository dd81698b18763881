// SPDX-License-Identifier: GPL-3.0-or-later
// The three-way merge of the unit catalogue, which only ever grows at its end: the base's
// units, then those the disk added, then those added here.
#pragma once

#include <span>
#include <vector>

#include "data/document.h"

// `base` is the catalogue as last read or written (none known: empty), `held` the catalogue
// held here, whose first base.size() units are the base's. The result: the base's units, the
// disk's units that are no base unit (an equal line counted once per base unit), then the held
// units added here that the disk did not add too. Two units are equal when their lines are.
std::vector<TrainingUnit> MergeCatalogues(std::span<const TrainingUnit> base,
                                          const std::vector<TrainingUnit>& disk,
                                          std::span<const TrainingUnit> held);
