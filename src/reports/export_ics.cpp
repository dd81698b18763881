// SPDX-License-Identifier: GPL-3.0-or-later
// The training days as an iCalendar file (RFC 5545): one all-day event per day with
// entries, its UID made from the date so that a new export updates the same events.
// DTSTAMP is the export day at midnight UTC: the program knows only the local date.
#include <unordered_map>

#include "calendar/week_dates.h"
#include "reports/export_text.h"
#include "reports/exports.h"
#include "reports/logged_entries.h"

namespace {

// iCalendar dates have four year digits.
bool Representable(const CivilDate& date) {
    return date.year >= 1 && date.year <= 9999;
}

// "Name 3 x 15", the name without outer spaces.
std::u16string EntrySummary(const LoggedEntry& entry, const std::u16string& unnamed) {
    const std::u16string_view key = UnitKeyOf(entry.name);
    std::u16string text = key.empty() ? unnamed : std::u16string(key);
    const std::string counts = " " + std::to_string(static_cast<long long>(entry.count1)) + " x " +
                               std::to_string(static_cast<long long>(entry.count2));
    text.append(counts.begin(), counts.end());
    return text;
}

void AppendEvent(std::string& out, const CivilDate& date, const std::string& uid,
                 const std::string& stamp, const std::vector<LoggedEntry>& entries,
                 const std::u16string& unnamed) {
    std::u16string summary;
    std::u16string description;
    for (const LoggedEntry& entry : entries) {
        const std::u16string line = EntrySummary(entry, unnamed);
        if (!summary.empty()) {
            summary += u", ";
            description += u'\n';
        }
        summary += line;
        description += line;
        if (!entry.description.empty()) {
            description += u": ";
            description += entry.description;
        }
    }
    AppendIcsLine(out, "BEGIN:VEVENT");
    AppendIcsLine(out, "UID:" + uid);
    AppendIcsLine(out, "DTSTAMP:" + stamp);
    AppendIcsLine(out, "DTSTART;VALUE=DATE:" + CompactDate(date));
    AppendIcsLine(out, "DTEND;VALUE=DATE:" + CompactDate(AddDays(date, 1)));
    AppendIcsLine(out, "SUMMARY:" + IcsText(summary));
    AppendIcsLine(out, "DESCRIPTION:" + IcsText(description));
    AppendIcsLine(out, "TRANSP:TRANSPARENT");
    AppendIcsLine(out, "END:VEVENT");
}

}  // namespace

std::string TrainingIcs(const std::vector<TrainingWeek>& history, const TextTable& texts,
                        const LocalDate& today, const std::optional<LocalDate>& lastWeekEvidence) {
    std::string out;
    AppendIcsLine(out, "BEGIN:VCALENDAR");
    AppendIcsLine(out, "VERSION:2.0");
    AppendIcsLine(out, "PRODID:-//Velmora//Training export//EN");
    AppendIcsLine(out, "CALSCALE:GREGORIAN");
    AppendIcsLine(out, "METHOD:PUBLISH");
    AppendIcsLine(out, "X-WR-CALNAME:" + IcsText(LookupText(texts, u"Report", u"CalendarName")));

    const std::string stamp = CompactDate(CivilDateOf(today)) + "T000000Z";
    const std::u16string unnamed = LookupText(texts, u"Report", u"Unnamed");
    const std::vector<CivilDate> mondays =
        WeekMondays(history, EvidenceDay(lastWeekEvidence, today));
    // Only damaged week numbers put two days on one date; their events still need their own
    // UIDs, so later ones get a running suffix.
    std::unordered_map<long long, int> eventsOnDay;
    std::vector<LoggedEntry> entries;
    for (std::size_t index = 0; index < history.size(); ++index) {
        for (int day = 0; day < 7; ++day) {
            LoggedEntriesOf(history[index].days[day], entries);
            if (entries.empty()) continue;
            const CivilDate date = AddDays(mondays[index], day);
            if (!Representable(date) || !Representable(AddDays(date, 1))) continue;
            const int earlier = eventsOnDay[DayNumberOf(date)]++;
            std::string uid = "velmora-" + CompactDate(date);
            if (earlier > 0) uid += "-" + std::to_string(earlier + 1);
            AppendEvent(out, date, uid + "@velmora", stamp, entries, unnamed);
        }
    }
    AppendIcsLine(out, "END:VCALENDAR");
    return out;
}
