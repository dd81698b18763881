// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the next merge as the document keeps it: set when a file is read or written,
// the first text of a day recorded before the day first changes, the base's weeks found
// among the weeks held, and whether anything held differs from what the files held.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "data/document.h"

// The history's weeks as they are now become its base, with the file they were read from or
// written to; no day counts as changed any more.
void SetHistoryBase(Document& document, const FileBase& file);
// The first `units` units of the catalogue are its base.
void SetCatalogueBase(Document& document, const FileBase& file, std::size_t units);
// Where the base's weeks stand among the weeks held; none when they no longer stand there as
// one run. Remembered until the history's length changes.
std::optional<std::size_t> BaseRunInHistory(Document& document);
// Called before a day text of the history changes: the first change of a base day keeps the
// text it had. Out-of-range weeks and days, and weeks outside the base, are ignored.
void NoteDayOriginal(Document& document, WholeNumber week, WholeNumber day);
// The text day `day` of base week `baseWeek` had; `offset` is BaseRunInHistory's answer.
std::u16string_view BaseDayText(const Document& document, std::size_t offset, std::size_t baseWeek,
                                std::size_t day);
// True when what the program holds differs from what its files held: a unit added, a day
// whose text is not its base text any more, a week before the base's weeks, or a week after
// them with any entry (the empty weeks the catch-up appends are made again at every start
// and count as nothing unsaved).
bool HoldsUnsavedChanges(Document& document);
