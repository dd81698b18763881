// SPDX-License-Identifier: GPL-3.0-or-later
// The three-way merge of one day's text: the base, the text on disk (changes made elsewhere)
// and the text held here. Entries are compared as whole entry texts, cut by day_entries.h.
#pragma once

#include <string>
#include <string_view>

// When only one side changed the day, that side's text. When both did, the entries merge: an
// entry of the base stays unless either side deleted it; every entry a side added is kept in
// the order of the day, the disk side's additions before this side's at the same place, and an
// entry both sides added is kept once. An empty base unites both days.
std::u16string MergeDayText(std::u16string_view base, std::u16string_view disk,
                            std::u16string_view held);
