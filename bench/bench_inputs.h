// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic benchmark inputs: unit catalogue and week history files written as raw
// UTF-16 little-endian bytes (never through the code being measured), and day texts.
// The same seed always gives the same bytes; the folder layout is bench_layout's concern.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/unit_catalogue.h"
#include "platform/clock.h"

using ByteList = std::vector<std::uint8_t>;

// The date every measurement runs at; the generated histories end in its week, so the
// catch-up on load adds no week.
LocalDate BenchToday();

// One line per unit, name|count1|count2|description, each ended by CR LF.
ByteList UnitFileBytes(std::size_t unitCount, std::uint64_t seed);
// Blocks of 15 lines per week; the last week is the current week of BenchToday().
ByteList HistoryFileBytes(std::size_t weekCount, std::uint64_t seed);
// Blocks of 15 lines per week like HistoryFileBytes, most days trained, each entry one of
// `unitCount` distinct unit names: the report's worst realistic case.
ByteList ReportHistoryBytes(std::size_t weekCount, std::size_t unitCount, std::uint64_t seed);
// A realistic catalogue unit for day-entry measurements; 64 variants, repeating.
TrainingUnit BenchUnit(std::size_t index);
// A day text of `entryCount` entries built from BenchUnit.
std::u16string DayTextOf(std::size_t entryCount);

bool WriteBytesToFile(const std::string& path, const ByteList& bytes);
