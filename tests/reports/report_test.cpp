// SPDX-License-Identifier: GPL-3.0-or-later
// The report: entries read exactly as the entry list shows them, saturating volumes, the
// largest units and "other", totals, the page's texts and escaping, and the shipped
// English and German texts of the report and the menu.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "app/list_rows.h"
#include "config/configuration.h"
#include "platform/unicode.h"
#include "reference_text.h"
#include "reports/exports.h"
#include "reports/logged_entries.h"
#include "reports/report_volumes.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

std::vector<TrainingWeek> WeeksOf(const std::vector<std::u16string>& mondayTexts,
                                  WholeNumber firstNumber) {
    std::vector<TrainingWeek> history;
    for (const std::u16string& text : mondayTexts) {
        TrainingWeek week;
        week.weekNumber = firstNumber + 7 * static_cast<WholeNumber>(history.size());
        week.days[0] = text;
        history.push_back(week);
    }
    return history;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(LoggedEntries, SameEntriesAsTheEntryList) {
    const std::u16string dayTexts[] = {
        u"",
        u"    ",
        u"Laufen|3|10|Intervall",
        u"A|1|2|x\\B|3|4|y",
        u"A|1|2|x\\",
        u"A",
        u"  A |1|2| x \\ B|3|4|y  ",
        u"A|1|2|x|y",
        u"\\",
        u"\t",
        u"A|$1F|%101|d",
        u"A| 7|x|d",
    };
    std::vector<LoggedEntry> entries;
    for (const std::u16string& dayText : dayTexts) {
        SCOPED_TRACE(test::ToUtf8(dayText));
        LoggedEntriesOf(dayText, entries);
        const std::vector<std::u16string> rows = reference::EntryRows(dayText);
        ASSERT_EQ(entries.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            // The row is name LF count1 " - " count2 LF description.
            const std::u16string& row = rows[i];
            const std::size_t firstBreak = row.find(u'\n');
            const std::size_t secondBreak = row.find(u'\n', firstBreak + 1);
            const std::u16string counts = row.substr(firstBreak + 1, secondBreak - firstBreak - 1);
            const std::size_t dash = counts.find(u" - ");
            EXPECT_EQ(entries[i].name, row.substr(0, firstBreak));
            EXPECT_EQ(entries[i].count1, ParseInteger(counts.substr(0, dash)));
            EXPECT_EQ(entries[i].count2, ParseInteger(counts.substr(dash + 3)));
            EXPECT_EQ(entries[i].description, row.substr(secondBreak + 1));
        }
    }
    LoggedEntriesOf(u"A|$1F|%101|d", entries);
    EXPECT_EQ(entries[0].count1, 31);
    EXPECT_EQ(entries[0].count2, 5);
    LoggedEntriesOf(u"A| 7|x|d", entries);
    EXPECT_EQ(entries[0].count1, 7);
    EXPECT_EQ(entries[0].count2, 0);
}

TEST(LoggedEntries, VolumesSaturateAndIgnoreNegativeCounts) {
    const WholeNumber most = std::numeric_limits<WholeNumber>::max();
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    struct Row {
        const char* name;
        WholeNumber count1, count2;
        std::int64_t volume;
    };
    const Row rows[] = {
        {"sets times repetitions", 3, 15, 45},
        {"zero", 0, 15, 0},
        {"negative first", -3, 15, 0},
        {"negative second", 3, -15, 0},
        {"both negative", -3, -15, 0},
        {"largest whole numbers", most, most,
         sizeof(WholeNumber) == 8
             ? largest
             : static_cast<std::int64_t>(most) * static_cast<std::int64_t>(most)},
        {"largest times two", most, 2,
         sizeof(WholeNumber) == 8 ? largest : 2 * static_cast<std::int64_t>(most)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(EntryVolume({u"x", row.count1, row.count2, u""}), row.volume);
    }
    EXPECT_EQ(AddVolumes(largest, 1), largest);
    EXPECT_EQ(AddVolumes(largest - 5, 5), largest);
    EXPECT_EQ(AddVolumes(40, 2), 42);
    EXPECT_EQ(UnitKeyOf(u"  Plank "), u"Plank");
    EXPECT_EQ(UnitKeyOf(u"   "), u"");
}

TEST(ReportVolumes, LargestUnitsOtherAndTotals) {
    // Unit Ui has volume 10 * (10 - i) in each week; " U0 " is U0, "u0" is its own unit.
    std::u16string day;
    for (int i = 9; i >= 0; --i) {
        if (!day.empty()) day += u'\\';
        day += u"U" + FormatInteger(i) + u"|10|" + FormatInteger(10 - i) + u"|";
    }
    day += u"\\ U0 |1|5|\\u0|1|1|\\Z|1|0|";
    std::vector<TrainingWeek> history = WeeksOf({day, u"", day, day}, 1);
    const std::vector<CivilDate> mondays = WeekMondays(history, DateOf(2024, 1, 24));

    const WeeklyVolumes volumes = WeeklyVolumesOf(history, mondays, 3, 8);
    EXPECT_EQ(volumes.firstWeek, 1u);
    ASSERT_EQ(volumes.mondays.size(), 3u);
    EXPECT_EQ(IsoDate(volumes.mondays[0]), "2024-01-08");
    ASSERT_EQ(volumes.largest.size(), 8u);
    const std::u16string order[] = {u"U0", u"U1", u"U2", u"U3", u"U4", u"U5", u"U6", u"U7"};
    for (std::size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(volumes.largest[i].name, order[i]);
        const std::int64_t weekly = 10 * (10 - static_cast<std::int64_t>(i)) + (i == 0 ? 5 : 0);
        EXPECT_EQ(volumes.largest[i].weekly, (std::vector<std::int64_t>{0, weekly, weekly}));
        EXPECT_EQ(volumes.largest[i].total, 2 * weekly);
    }
    // U8 (20), U9 (10), u0 (1) and Z (0) are "other".
    EXPECT_EQ(volumes.other, (std::vector<std::int64_t>{0, 31, 31}));
    EXPECT_EQ(volumes.weekTotals, (std::vector<std::int64_t>{0, 556, 556}));

    // Equal totals go by name; units without volume are never charted.
    history = WeeksOf({u"b|1|1|\\a|1|1|\\c|0|5|"}, 1);
    const WeeklyVolumes ties =
        WeeklyVolumesOf(history, WeekMondays(history, DateOf(2024, 1, 3)), 52, 8);
    ASSERT_EQ(ties.largest.size(), 2u);
    EXPECT_EQ(ties.largest[0].name, u"a");
    EXPECT_EQ(ties.largest[1].name, u"b");
    EXPECT_EQ(ties.other, (std::vector<std::int64_t>{0}));

    history = WeeksOf({day, u"  ", day, day}, 1);
    const HistoryTotals totals = TotalsOf(history, WeekMondays(history, DateOf(2024, 1, 24)));
    EXPECT_EQ(totals.weeks, 4u);
    EXPECT_EQ(totals.trainingDays, 3u);
    EXPECT_EQ(totals.entries, 39u);
    EXPECT_EQ(totals.units, 12u);
    EXPECT_EQ(totals.volume, 3 * 556);
    EXPECT_EQ(IsoDate(totals.firstMonday), "2024-01-01");
    EXPECT_EQ(IsoDate(totals.lastMonday), "2024-01-22");
}

class ReportTest : public ::testing::Test {
  protected:
    TextTable texts = BuildTextTable();
};

TEST_F(ReportTest, ShowsTextsEscapedNamesAndTheNewestWeeksFirst) {
    std::vector<TrainingWeek> history;
    const std::u16string names[] = {u"Sprint <200 m> & Co",
                                    u"Liegestütze, breit",
                                    u"Приседания",
                                    u"Plank \"hold\"",
                                    u"腕立て伏せ",
                                    u"a'b",
                                    u"K1",
                                    u"K2",
                                    u"K3",
                                    u"K4"};
    for (WholeNumber number : {352, 359, 1, 8}) {
        TrainingWeek week;
        week.weekNumber = number;
        for (std::size_t i = 0; i < 10; ++i) {
            if (!week.days[i % 7].empty()) week.days[i % 7] += u'\\';
            week.days[i % 7] += names[i] + u"|3|" + FormatInteger(20 - WholeNumber(i)) + u"|" +
                                (i == 0 ? std::u16string(200, u'<') : u"x & y");
        }
        history.push_back(week);
    }
    const std::string html = ReportHtml(history, texts, DateOf(2024, 1, 10));
    const char* const expected[] = {
        "<title>Trainingsbericht</title>",
        "Wochen vom 2023-12-18 bis 2024-01-08 &#183; erstellt am 2024-01-10",
        "content=\"default-src 'none'; style-src 'unsafe-inline'\"",
        "Sprint &lt;200 m&gt; &amp; Co",
        "Liegest\xC3\xBCtze, breit",
        "Plank &quot;hold&quot;",
        "a&#39;b",
        "\xE8\x85\x95\xE7\xAB\x8B\xE3\x81\xA6\xE4\xBC\x8F\xE3\x81\x9B",
        "W\xC3\xB6"
        "chentliches Volumen der letzten 4 Wochen",
        "Die gr\xC3\xB6\xC3\x9F"
        "ten Einheiten",
        "Die letzten 4 Wochen",
        "<th scope=\"col\">Montag</th>",
        "<th scope=\"col\">Sonntag</th>",
        "Andere",
        "Woche 359",
    };
    for (const char* text : expected) {
        SCOPED_TRACE(text);
        EXPECT_NE(html.find(text), std::string::npos);
    }
    EXPECT_EQ(html.find("<200"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    std::string escapedDescription;
    for (int i = 0; i < 200; ++i) escapedDescription += "&lt;";
    EXPECT_EQ(CountOf(html, escapedDescription), 4u);
    // One bar chart and eight line charts; the legend holds eight units and "other".
    EXPECT_EQ(CountOf(html, "<svg "), 9u);
    EXPECT_EQ(CountOf(html, "<li><span class=\"swatch\""), 9u);
    // Largest first in the legend, newest week first in the table.
    EXPECT_LT(html.find("<li><span class=\"swatch\" style=\"background:#4e79a7\"></span>Sprint"),
              html.find("<li><span class=\"swatch\" style=\"background:#f28e2b\"></span>Liegest"));
    EXPECT_LT(html.find("2024-01-08<span>"), html.find("2024-01-01<span>"));
    EXPECT_LT(html.find("2024-01-01<span>"), html.find("2023-12-25<span>"));
}

TEST_F(ReportTest, OnlyTheNewestWeeksAndSaturatedTotals) {
    const WholeNumber most = std::numeric_limits<WholeNumber>::max();
    std::vector<std::u16string> days(60, u"A|1|1|");
    days.back() = u"A|" + FormatInteger(most) + u"|" + FormatInteger(most) + u"|\\B|" +
                  FormatInteger(most) + u"|" + FormatInteger(most) + u"|";
    std::vector<TrainingWeek> history = WeeksOf(days, -400);
    const std::string html = ReportHtml(history, texts, DateOf(2024, 1, 10));
    EXPECT_EQ(CountOf(html, "<tr><th scope=\"row\">"), ReportWeeks);
    EXPECT_NE(html.find("Die letzten 52 Wochen"), std::string::npos);
    const char* total = sizeof(WholeNumber) == 8
                            ? "9\u202F223\u202F372\u202F036\u202F854\u202F775\u202F807</dd>"
                            : "9\u202F223\u202F372\u202F028\u202F264\u202F841\u202F277</dd>";
    EXPECT_NE(html.find(total), std::string::npos);
}

TEST_F(ReportTest, HistoriesWithoutEntries) {
    std::vector<TrainingWeek> history = WeeksOf({u"", u"   "}, 1);
    std::string html = ReportHtml(history, texts, DateOf(2024, 1, 10));
    EXPECT_NE(html.find("Keine Eintr\xC3\xA4ge in diesem Zeitraum."), std::string::npos);
    EXPECT_EQ(html.find("<svg"), std::string::npos);
    EXPECT_NE(html.find("</html>\n"), std::string::npos);

    html = ReportHtml({}, texts, DateOf(2024, 1, 10));
    EXPECT_NE(html.find("<h1>Trainingsbericht</h1>"), std::string::npos);
    EXPECT_EQ(html.find("Wochen vom"), std::string::npos);
    EXPECT_EQ(CountOf(html, "<tr>"), 1u);
}

TEST(ExportTexts, ShippedLanguageFilesCoverTheReportAndTheMenu) {
    TextTable texts = BuildTextTable();
    std::vector<std::pair<std::u16string, std::u16string>> keys = {{u"Errors", u"Export"}};
    const TextGroup* groups[2] = {nullptr, nullptr};
    for (std::int32_t g = 1; g <= texts.groupCount; ++g) {
        if (texts.groups[g].name == u"REPORT") groups[0] = &texts.groups[g];
        if (texts.groups[g].name == u"MENU") groups[1] = &texts.groups[g];
    }
    ASSERT_TRUE(groups[0] && groups[1]);
    EXPECT_EQ(groups[0]->last - groups[0]->first + 1, 29);
    EXPECT_EQ(groups[1]->last - groups[1]->first + 1, 5);
    std::vector<std::u16string> german;
    for (int g = 0; g < 2; ++g)
        for (std::int32_t slot = groups[g]->first; slot <= groups[g]->last; ++slot)
            keys.emplace_back(g == 0 ? u"Report" : u"Menu", texts.keys[slot]);
    for (const auto& [group, key] : keys) german.push_back(LookupText(texts, group, key));
    EXPECT_EQ(LookupText(texts, u"Menu", u"Report"), u"Bericht anzeigen");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Csv"), u"Als CSV exportieren");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Calendar"), u"Als Kalender exportieren");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Import"), u"Importieren\u2026");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Repeat"), u"Letzte Woche wiederholen");
    EXPECT_EQ(LookupText(texts, u"Errors", u"Export"),
              u"Die Datei {replace} konnte nicht geschrieben werden.");

    texts = BuildTextTable();
    ApplyLanguageFile(texts, Utf8ToUtf16(VELMORA_DEFAULT_DIR "/lang/Deutsch.txt"));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(test::ToUtf8(keys[i].first + u"/" + keys[i].second));
        EXPECT_EQ(LookupText(texts, keys[i].first, keys[i].second), german[i]);
    }

    texts = BuildTextTable();
    ApplyLanguageFile(texts, Utf8ToUtf16(VELMORA_DEFAULT_DIR "/lang/English.txt"));
    EXPECT_EQ(LookupText(texts, u"Menu", u"Report"), u"Show report");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Csv"), u"Export as CSV");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Calendar"), u"Export as calendar");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Import"), u"Import\u2026");
    EXPECT_EQ(LookupText(texts, u"Menu", u"Repeat"), u"Repeat last week");
    EXPECT_EQ(LookupText(texts, u"Errors", u"Export"), u"The file {replace} could not be written.");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(test::ToUtf8(keys[i].first + u"/" + keys[i].second));
        // Only the calendar's name reads the same in both languages.
        if (keys[i].second != u"CALENDARNAME") {
            EXPECT_NE(LookupText(texts, keys[i].first, keys[i].second), german[i]);
        }
    }
}

}  // namespace
