// SPDX-License-Identifier: GPL-3.0-or-later
// The targets the measurements must meet, and the one table that shows them.
#pragma once

#include "bench_measures.h"

struct PeakResult {
    bool measured = false;
    bool ok = false;
    double fileBytes = 0;
    double baselineBytes = 0;
    double peakBytes = 0;
    int verdict = 0;
    std::string check;
};

// Fills each measure's check and verdict; false when any target is missed.
bool CheckTargets(const BenchSizes& sizes, bool shortMode, PeakResult& peak);
void PrintTable(bool shortMode, const PeakResult& peak);
