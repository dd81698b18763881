// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: the files in memory the core reads and writes in the fuzz
// build (no disk, nothing of the repository touched), file bytes in and out, and a property
// check that ends the run as a crash libFuzzer records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

// Empties the files in memory and makes the "units" folder the data files live in.
void StartMemoryFiles();
inline const std::u16string UnitsFolder = u"units";

// Writing and reading the files in memory; a path that cannot be written ends the run.
// The paths are texts the targets keep, so that a call makes no copy of its path.
void WriteFile(const std::u16string& path, const std::uint8_t* data, std::size_t size);
void WriteFile(const std::u16string& path, const Bytes& bytes);
Bytes ReadFile(const std::u16string& path);
// Sets when the file last changed to noon, local time, of that Gregorian day, as a save on
// that day would have left it (the targets fix the program's clock, not the file system's).
void SetFileDay(const std::u16string& path, int year, int month, int day);
// True when the folder holds none of the temporary files of a save.
bool NoTemporaryFileIn(const std::u16string& folder);

// The bytes of a line file holding these lines: UTF-16 little-endian, each ended by CR LF.
Bytes LineFileBytes(const std::vector<std::u16string>& lines);
// True when both hold the same weeks: numbers and day texts.
bool SameWeeks(const std::vector<TrainingWeek>& a, const std::vector<TrainingWeek>& b);
// Printable form of a text for failure reports.
std::string Printable(std::u16string_view text);

[[noreturn]] void PropertyFailed(const char* property, const char* file, int line);

}  // namespace fuzz

// A broken property aborts, so libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition, property)                                         \
    do {                                                                        \
        if (!(condition)) ::fuzz::PropertyFailed(property, __FILE__, __LINE__); \
    } while (false)
