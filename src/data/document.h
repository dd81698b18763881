// SPDX-License-Identifier: GPL-3.0-or-later
// The user's data as the program holds it from start-up to the end: the unit catalogue and
// the week history, with what start-up learnt about their files and what they held when last
// read or written. Loading and saving are unit_catalogue.h's and week_history.h's; the
// entries of a day are day_entries.h's, the merge base merge_base.h's.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_bases.h"
#include "data/unit_texts.h"
#include "platform/clock.h"
#include "text/text_helpers.h"

struct TrainingUnit {
    TrainingUnit() = default;
    // The texts' piece comes from `block` when one is given (text_block.h).
    TrainingUnit(std::u16string_view name, WholeNumber count1, WholeNumber count2,
                 std::u16string_view description, TextBlock* block = nullptr)
        : texts(name, description, block), count1(count1), count2(count2) {}

    std::u16string_view Name() const { return texts.Name(); }
    std::u16string_view Description() const { return texts.Description(); }
    void SetName(std::u16string_view name) { texts = UnitTexts(name, Description()); }

    UnitTexts texts;  // the name and the description
    WholeNumber count1 = 0;
    WholeNumber count2 = 0;
};

struct TrainingWeek {
    WholeNumber weekNumber = 0;
    std::array<std::u16string, 7> days;  // 0 = Monday .. 6 = Sunday
};

struct Document {
    std::vector<TrainingUnit> catalogue;  // in insertion order
    std::vector<TrainingWeek> history;    // in insertion order
    // Set when the file exists but could not be read at start-up: a save then refuses to
    // replace it, so that what could not be read is not lost.
    bool unitFileUnreadable = false;
    bool historyFileUnreadable = false;
    // The latest day the history's last week can have been recorded on: the day
    // units/history.txt last changed, or today once the catch-up has appended a week. Unset
    // stands for today. The weeks' dates are read from it (calendar/week_dates.h).
    std::optional<LocalDate> lastWeekEvidence;
    // What each file held when it was last read or written: the base of a merge at the next
    // save (merge_base.h).
    CatalogueBase unitBase;
    HistoryBase historyBase;
};

// The English day keys in Monday-first order: the day labels of the history file and the
// keys of the day names in the text group Days.
inline constexpr std::array<std::u16string_view, 7> DayKeys = {
    u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"};
