// SPDX-License-Identifier: GPL-3.0-or-later
// The three export files, each returned whole as the bytes to write: the training report
// (HTML with inline CSS and SVG), the entries as CSV and the training days as an iCalendar
// file. Writing them to disk and opening them is left to the caller.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/week_history.h"
#include "platform/clock.h"
#include "text/text_table.h"

// The keys (group Report) of training.csv's eight column names, in their order.
inline constexpr const char16_t* CsvColumnKeys[8] = {u"CsvWeek",    u"CsvMonday",     u"CsvDate",
                                                     u"CsvWeekday", u"CsvUnit",       u"CsvCount1",
                                                     u"CsvCount2",  u"CsvDescription"};

// How many of the newest weeks the report's charts and table show.
inline constexpr std::size_t ReportWeeks = 52;

// Each dates the weeks by WeekMondays from `lastWeekEvidence` (Document::lastWeekEvidence;
// unset: today); `today` is the day the file is made.
std::string ReportHtml(const std::vector<TrainingWeek>& history, const TextTable& texts,
                       const LocalDate& today,
                       const std::optional<LocalDate>& lastWeekEvidence = std::nullopt);
std::string TrainingCsv(const std::vector<TrainingWeek>& history, const TextTable& texts,
                        const LocalDate& today,
                        const std::optional<LocalDate>& lastWeekEvidence = std::nullopt);
std::string TrainingIcs(const std::vector<TrainingWeek>& history, const TextTable& texts,
                        const LocalDate& today,
                        const std::optional<LocalDate>& lastWeekEvidence = std::nullopt);
