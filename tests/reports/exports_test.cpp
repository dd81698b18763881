// SPDX-License-Identifier: GPL-3.0-or-later
// The three export writers on small histories: exact CSV and calendar bytes, odd names,
// week numbers around the year change, damaged dates, and what the report shows.
#include "reports/exports.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "platform/unicode.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

class ExportsTest : public ::testing::Test {
  protected:
    TextTable texts = BuildTextTable();

    // A week numbered `number` whose days hold the given texts (Monday first).
    void AddWeek(WholeNumber number, std::vector<std::u16string> days = {}) {
        TrainingWeek week;
        week.weekNumber = number;
        for (std::size_t day = 0; day < days.size() && day < 7; ++day) week.days[day] = days[day];
        history.push_back(week);
    }

    std::vector<TrainingWeek> history;
    const LocalDate today = DateOf(2024, 1, 10);  // a Wednesday in week 8
};

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(ExportsTest, CsvBytesAcrossTheYearChange) {
    AddWeek(359, {u"Plank \"hold\"|3|60|a, b", u"", u"", u"", u"   "});
    AddWeek(1, {u"", u"", u"", u"", u"", u"", u"Liegestütze, breit|3|15|\\=1+1|1|2|<b>"});
    AddWeek(8, {u"", u"", u"X|$10|-5|d"});
    EXPECT_EQ(TrainingCsv(history, texts, today),
              "\xEF\xBB\xBFWoche,Montag der Woche,Datum,Wochentag,Einheit,Anzahl 1,Anzahl 2,"
              "Beschreibung\r\n"
              "359,2023-12-25,2023-12-25,Montag,\"Plank \"\"hold\"\"\",3,60,\"a, b\"\r\n"
              "1,2024-01-01,2024-01-07,Sonntag,\"Liegest\xC3\xBCtze, breit\",3,15,\r\n"
              "1,2024-01-01,2024-01-07,Sonntag,\"'=1+1\",1,2,<b>\r\n"
              "8,2024-01-08,2024-01-10,Mittwoch,X,16,-5,d\r\n");
}

TEST_F(ExportsTest, CsvOfAnEmptyHistoryIsTheHeaderAlone) {
    AddWeek(8);
    EXPECT_EQ(TrainingCsv(history, texts, today),
              "\xEF\xBB\xBFWoche,Montag der Woche,Datum,Wochentag,Einheit,Anzahl 1,Anzahl 2,"
              "Beschreibung\r\n");
}

TEST_F(ExportsTest, CsvKeepsEveryEntryTheListShows) {
    // Outer spaces of the day go, inner ones stay; a trailing separator is one more entry.
    AddWeek(8, {u"  A |1|2| x \\ B|3|4|y\\"});
    const std::string csv = TrainingCsv(history, texts, today);
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2),
              "8,2024-01-08,2024-01-08,Montag,\"A \",1,2,\" x \"\r\n"
              "8,2024-01-08,2024-01-08,Montag,\" B\",3,4,y\r\n"
              "8,2024-01-08,2024-01-08,Montag,,0,0,\r\n");
}

const char CalendarHead[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora//Training export//EN\r\n"
    "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\nX-WR-CALNAME:Training\r\n";

TEST_F(ExportsTest, CalendarBytesOfOneDay) {
    AddWeek(8, {u"", u"", u"Push-ups|3|15|\\Plank|3|60|hold, steady; \\"});
    const std::string expected =
        std::string(CalendarHead) +
        "BEGIN:VEVENT\r\nUID:velmora-20240110@velmora\r\nDTSTAMP:20240110T000000Z\r\n"
        "DTSTART;VALUE=DATE:20240110\r\nDTEND;VALUE=DATE:20240111\r\n"
        "SUMMARY:Push-ups 3 x 15\\, Plank 3 x 60\\, (ohne Namen) 0 x 0\r\n"
        "DESCRIPTION:Push-ups 3 x 15\\nPlank 3 x 60: hold\\, steady\\; \\n(ohne Namen) 0\r\n"
        "  x 0\r\n"
        "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(TrainingIcs(history, texts, today), expected);
}

TEST_F(ExportsTest, CalendarFoldsBeforeAMultiByteCharacter) {
    // "SUMMARY:" and 66 letters fill 74 octets; the two octets of "ä" go to the next line.
    const std::u16string name = std::u16string(66, u'N') + u"äbc";
    AddWeek(8, {u"", u"", u"", u"", u"", u"", name + u"|1|2|"});
    const std::string ics = TrainingIcs(history, texts, today);
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20240114\r\n"), std::string::npos);
    EXPECT_NE(ics.find("\r\nSUMMARY:" + std::string(66, 'N') +
                       "\r\n \xC3\xA4"
                       "bc 1 x 2\r\n"),
              std::string::npos);
}

TEST_F(ExportsTest, CalendarOfOddNamesIsValidAndFolded) {
    std::u16string day;
    for (const char16_t* name : {u"Sprint <200 m> & Co", u"Приседания", u"腕立て伏せ",
                                 u"Klimmzüge \U0001F4AA", u"Plank \"hold\""}) {
        if (!day.empty()) day += u'\\';
        day += name + std::u16string(u"|3|15|") + std::u16string(200, u'ß');
    }
    AddWeek(8, {day});
    const std::string ics = TrainingIcs(history, texts, today);
    EXPECT_TRUE(IsValidUtf8(ics));
    EXPECT_EQ(CountOf(ics, "\n"), CountOf(ics, "\r\n"));
    std::size_t start = 0;
    for (std::size_t end = ics.find("\r\n"); end != std::string::npos;
         start = end + 2, end = ics.find("\r\n", start))
        EXPECT_LE(end - start, 75u) << ics.substr(start, end - start);
    std::string unfolded;
    for (std::size_t at = 0; at < ics.size(); ++at) {
        if (ics.compare(at, 3, "\r\n ") == 0) {
            at += 2;
            continue;
        }
        unfolded += ics[at];
    }
    EXPECT_NE(unfolded.find("SUMMARY:Sprint <200 m> & Co 3 x 15\\, \xD0\x9F"), std::string::npos);
    EXPECT_NE(unfolded.find("Klimmz\xC3\xBCge \xF0\x9F\x92\xAA 3 x 15: "), std::string::npos);
    EXPECT_EQ(CountOf(unfolded, "\xC3\x9F"), 1000u);
}

TEST_F(ExportsTest, CalendarUidsStayUniqueOnDamagedDates) {
    AddWeek(8, {u"A|1|1|"});
    AddWeek(8, {u"B|1|1|"});
    AddWeek(8, {u"C|1|1|"});
    const std::string ics = TrainingIcs(history, texts, today);
    EXPECT_EQ(CountOf(ics, "UID:velmora-20240108@velmora\r\n"), 1u);
    EXPECT_EQ(CountOf(ics, "UID:velmora-20240108-2@velmora\r\n"), 1u);
    EXPECT_EQ(CountOf(ics, "UID:velmora-20240108-3@velmora\r\n"), 1u);

    // Dates past the year 9999 cannot be written as calendar dates and are left out.
    history.clear();
    AddWeek(std::numeric_limits<WholeNumber>::max(), {u"A|1|1|"});
    EXPECT_EQ(TrainingIcs(history, texts, today), std::string(CalendarHead) + "END:VCALENDAR\r\n");
}

}  // namespace
