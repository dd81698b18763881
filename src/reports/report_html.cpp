// SPDX-License-Identifier: GPL-3.0-or-later
// The training report: one XML-compatible HTML page with inline CSS and SVG, no script and
// a content security policy that forbids every load. The charts are report_charts'.
#include <algorithm>

#include "calendar/week_dates.h"
#include "platform/unicode.h"
#include "reports/export_text.h"
#include "reports/exports.h"
#include "reports/logged_entries.h"
#include "reports/report_charts.h"
#include "reports/report_style.h"
#include "reports/report_volumes.h"
#include "text/messages.h"

namespace {

std::u16string ReportText(const TextTable& texts, std::u16string_view key) {
    return LookupText(texts, u"Report", key);
}

std::string ReportHtmlText(const TextTable& texts, std::u16string_view key) {
    return HtmlText(ReportText(texts, key));
}

// A report text with {replace} (and {replace2}) filled in, HTML-escaped.
std::string FilledText(const TextTable& texts, std::u16string_view key, const std::string& first,
                       const std::string& second = "-") {
    const std::u16string filled =
        SubstitutePlaceholders(ReportText(texts, key), Utf8ToUtf16(first), Utf8ToUtf16(second));
    return HtmlText(filled);
}

std::u16string DisplayName(std::u16string_view key, const TextTable& texts) {
    return key.empty() ? ReportText(texts, u"Unnamed") : std::u16string(key);
}

void AppendHead(std::string& out, const TextTable& texts) {
    out += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"";
    out += ReportHtmlText(texts, u"Language");
    out += "\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    out +=
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'\"/>\n";
    out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
    out += "<title>" + ReportHtmlText(texts, u"Title") + "</title>\n<style>";
    out += ReportStyle;
    out += "</style>\n</head>\n<body>\n<main>\n";
}

void AppendTotal(std::string& out, const TextTable& texts, std::u16string_view key,
                 const std::string& value) {
    out += "<div><dt>" + ReportHtmlText(texts, key) + "</dt><dd>" + value + "</dd></div>";
}

void AppendSummary(std::string& out, const HistoryTotals& totals, const TextTable& texts,
                   const LocalDate& today) {
    out += "<header>\n<h1>" + ReportHtmlText(texts, u"Title") + "</h1>\n<p class=\"meta\">";
    if (totals.weeks > 0) {
        out +=
            FilledText(texts, u"Covered", IsoDate(totals.firstMonday), IsoDate(totals.lastMonday));
        out += " &#183; ";
    }
    out += FilledText(texts, u"Created", IsoDate(CivilDateOf(today)));
    out += "</p>\n<dl class=\"totals\">";
    auto count = [](std::size_t value) { return VolumeText(static_cast<std::int64_t>(value)); };
    AppendTotal(out, texts, u"Weeks", count(totals.weeks));
    AppendTotal(out, texts, u"TrainingDays", count(totals.trainingDays));
    AppendTotal(out, texts, u"Entries", count(totals.entries));
    AppendTotal(out, texts, u"Units", count(totals.units));
    AppendTotal(out, texts, u"Volume", VolumeText(totals.volume));
    out += "</dl>\n</header>\n";
}

void AppendSwatch(std::string& out, std::size_t colour) {
    out += "<span class=\"swatch\" style=\"background:";
    out += UnitColour(colour);
    out += "\"></span>";
}

void AppendLegendItem(std::string& out, std::size_t colour, const std::u16string& name,
                      std::int64_t total) {
    out += "<li>";
    AppendSwatch(out, colour);
    out += HtmlText(name) + " <span class=\"count\">" + VolumeText(total) + "</span></li>";
}

void AppendVolumeSection(std::string& out, const WeeklyVolumes& volumes, const TextTable& texts) {
    const std::string weeks = std::to_string(volumes.mondays.size());
    out += "<section>\n<h2>" + FilledText(texts, u"VolumeHeading", weeks) + "</h2>\n";
    out += "<p class=\"note\">" + ReportHtmlText(texts, u"VolumeNote") + "</p>\n";
    const bool anyVolume = std::any_of(volumes.weekTotals.begin(), volumes.weekTotals.end(),
                                       [](std::int64_t volume) { return volume > 0; });
    if (!anyVolume) {
        out += "<p class=\"empty\">" + ReportHtmlText(texts, u"NoEntries") + "</p>\n</section>\n";
        return;
    }
    out += "<figure>\n";
    AppendVolumeChart(out, volumes, texts);
    out += "\n<figcaption><ul class=\"legend\">";
    for (std::size_t unit = 0; unit < volumes.largest.size(); ++unit)
        AppendLegendItem(out, unit, volumes.largest[unit].name, volumes.largest[unit].total);
    std::int64_t other = 0;
    for (std::int64_t volume : volumes.other) other = AddVolumes(other, volume);
    if (other > 0) AppendLegendItem(out, ChartedUnits, ReportText(texts, u"Other"), other);
    out += "</ul></figcaption>\n</figure>\n</section>\n";
}

void AppendUnitSection(std::string& out, const WeeklyVolumes& volumes, const TextTable& texts) {
    if (volumes.largest.empty()) return;
    out += "<section>\n<h2>" + ReportHtmlText(texts, u"UnitsHeading") + "</h2>\n";
    out += "<p class=\"note\">" + ReportHtmlText(texts, u"UnitsNote") + "</p>\n";
    out += "<div class=\"units\">\n";
    for (std::size_t unit = 0; unit < volumes.largest.size(); ++unit) {
        const UnitVolumes& series = volumes.largest[unit];
        out += "<figure class=\"unit\"><h3>";
        AppendSwatch(out, unit);
        out += HtmlText(series.name) + "</h3>";
        AppendUnitChart(out, volumes, unit);
        const std::int64_t best = *std::max_element(series.weekly.begin(), series.weekly.end());
        out += "<figcaption>" + FilledText(texts, u"UnitSummary", VolumeText(series.weekly.back()),
                                           VolumeText(best));
        out += "</figcaption></figure>\n";
    }
    out += "</div>\n</section>\n";
}

void AppendEntry(std::string& out, const LoggedEntry& entry, const TextTable& texts) {
    out += "<div class=\"entry\">" + HtmlText(DisplayName(UnitKeyOf(entry.name), texts));
    out += " <span class=\"count\">" + std::to_string(entry.count1) + "\u00A0\u00D7\u00A0" +
           std::to_string(entry.count2) + "</span>";
    if (!entry.description.empty())
        out += "<div class=\"desc\">" + HtmlText(entry.description) + "</div>";
    out += "</div>";
}

void AppendWeekTable(std::string& out, const std::vector<TrainingWeek>& history,
                     const std::vector<CivilDate>& mondays, const TextTable& texts) {
    const std::size_t shown = std::min(ReportWeeks, history.size());
    out += "<section>\n<h2>" + FilledText(texts, u"TableHeading", std::to_string(shown));
    out += "</h2>\n<table>\n<colgroup><col class=\"week\"/>";
    for (int day = 0; day < 7; ++day) out += "<col/>";
    out += "</colgroup>\n<thead><tr><th scope=\"col\">" + ReportHtmlText(texts, u"Week") + "</th>";
    for (std::u16string_view key : DayKeys)
        out += "<th scope=\"col\">" + HtmlText(LookupText(texts, u"Days", key)) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    std::vector<LoggedEntry> entries;
    for (std::size_t back = 0; back < shown; ++back) {
        const std::size_t index = history.size() - 1 - back;
        out += "<tr><th scope=\"row\">" + IsoDate(mondays[index]) + "<span>" +
               ReportHtmlText(texts, u"Week") + " " +
               std::to_string(static_cast<long long>(history[index].weekNumber)) + "</span></th>";
        for (const std::u16string& day : history[index].days) {
            out += "<td>";
            LoggedEntriesOf(day, entries);
            for (const LoggedEntry& entry : entries) AppendEntry(out, entry, texts);
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</section>\n";
}

}  // namespace

std::string ReportHtml(const std::vector<TrainingWeek>& history, const TextTable& texts,
                       const LocalDate& today, const std::optional<LocalDate>& lastWeekEvidence) {
    const std::vector<CivilDate> mondays =
        WeekMondays(history, EvidenceDay(lastWeekEvidence, today));
    WeeklyVolumes volumes = WeeklyVolumesOf(history, mondays, ReportWeeks, ChartedUnits);
    for (UnitVolumes& unit : volumes.largest) unit.name = DisplayName(unit.name, texts);

    std::string out;
    out.reserve(64 * 1024);
    AppendHead(out, texts);
    AppendSummary(out, TotalsOf(history, mondays), texts, today);
    if (!volumes.mondays.empty()) {
        AppendVolumeSection(out, volumes, texts);
        AppendUnitSection(out, volumes, texts);
    }
    AppendWeekTable(out, history, mondays, texts);
    out += "</main>\n</body>\n</html>\n";
    return out;
}
