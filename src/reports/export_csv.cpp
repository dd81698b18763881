// SPDX-License-Identifier: GPL-3.0-or-later
// The entries as CSV for spreadsheets: UTF-8 with a byte order mark (so spreadsheets pick
// the encoding), comma-separated, CRLF after every row, text fields quoted by CsvTextField.
// Numbers and dates are written bare, so they stay numbers and dates when opened.
#include "calendar/week_dates.h"
#include "reports/export_text.h"
#include "reports/exports.h"
#include "reports/logged_entries.h"

std::string TrainingCsv(const std::vector<TrainingWeek>& history, const TextTable& texts,
                        const LocalDate& today, const std::optional<LocalDate>& lastWeekEvidence) {
    std::string out = "\xEF\xBB\xBF";
    for (std::size_t column = 0; column < 8; ++column) {
        if (column > 0) out += ',';
        out += CsvTextField(LookupText(texts, u"Report", CsvColumnKeys[column]));
    }
    out += "\r\n";

    std::string weekdays[7];
    for (int day = 0; day < 7; ++day)
        weekdays[day] = CsvTextField(LookupText(texts, u"Days", DayKeys[day]));
    const std::vector<CivilDate> mondays =
        WeekMondays(history, EvidenceDay(lastWeekEvidence, today));
    std::vector<LoggedEntry> entries;
    for (std::size_t index = 0; index < history.size(); ++index) {
        const TrainingWeek& week = history[index];
        const std::string weekStart = std::to_string(static_cast<long long>(week.weekNumber)) +
                                      "," + IsoDate(mondays[index]) + ",";
        for (int day = 0; day < 7; ++day) {
            LoggedEntriesOf(week.days[day], entries);
            if (entries.empty()) continue;
            const std::string dayStart =
                weekStart + IsoDate(AddDays(mondays[index], day)) + "," + weekdays[day] + ",";
            for (const LoggedEntry& entry : entries) {
                out += dayStart;
                out += CsvTextField(entry.name);
                out += ',' + std::to_string(static_cast<long long>(entry.count1));
                out += ',' + std::to_string(static_cast<long long>(entry.count2)) + ',';
                out += CsvTextField(entry.description);
                out += "\r\n";
            }
        }
    }
    return out;
}
