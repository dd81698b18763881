// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of a logged day as the exports read them (through data/day_entries.h, which
// knows the entry format), and the volume arithmetic of the report.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text_helpers.h"

struct LoggedEntry {
    std::u16string_view name;  // as written, outer spaces included
    WholeNumber count1 = 0;
    WholeNumber count2 = 0;
    std::u16string_view description;
};

// Replaces `entries` by the entries of a day text, exactly those the entry list shows: the
// text trimmed of spaces, then every "\"-separated piece. The views point into `dayText`.
void LoggedEntriesOf(std::u16string_view dayText, std::vector<LoggedEntry>& entries);
// The name a unit is known by in the report and the calendar: without outer spaces;
// otherwise exact, so "Plank" and "plank" are two units.
std::u16string_view UnitKeyOf(std::u16string_view name);
// count1 x count2, a count below zero taken as zero; saturates at the largest int64.
std::int64_t EntryVolume(const LoggedEntry& entry);
// The sum of two volumes (never negative), saturating at the largest int64.
std::int64_t AddVolumes(std::int64_t left, std::int64_t right);
