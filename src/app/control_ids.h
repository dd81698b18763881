// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric identifiers of the main window's twenty controls.
#pragma once

enum ControlId : int {
    PlanPanel = 0,
    EditPanel = 1,
    AddEntryButton = 2,
    CreateUnitButton = 3,
    UnitCombo = 4,
    CountLabel = 5,
    Count1Field = 6,
    Count2Field = 7,
    NameField = 8,
    DescriptionField = 9,
    EntryList = 10,
    WeekCombo = 11,
    DayCombo = 12,
    DeleteEntryButton = 13,
    SmallPicture = 14,
    BigPicture = 15,
    SaveButton = 16,
    TimesLabel = 17,
    DescriptionLabel = 18,
    NameLabel = 19,
};

inline constexpr int ControlCount = 20;
