// SPDX-License-Identifier: GPL-3.0-or-later
// Writes report.html, training.csv and training.ics of a fixed, seeded history of 60 weeks
// across two year changes into the folder named by VELMORA_EXPORT_DIR, with expected.json:
// what check_exports.py must find in them (counts, columns, every week's real Monday).
// VELMORA_EXPORT_LANGUAGE may name a language file for the texts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "config/configuration.h"
#include "platform/unicode.h"
#include "reports/exports.h"
#include "text/text_table.h"

namespace {

struct Random {  // splitmix64: the same sequence on every platform
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int limit) { return static_cast<int>(Next() % static_cast<std::uint64_t>(limit)); }
};

// Names a spreadsheet, a calendar or a page could break on; the first ones are chosen most.
const char* const UnitNames[] = {
    "Liegestütze, breit", "Plank \"hold\"", "Sprint <200 m> & Co", "Ausfallschritte; links",
    "Приседания",         "Laufen",         "Seilspringen",        "=SUM(A1)",
    " Radfahren ",        "Klimmzüge",      "腕立て伏せ",          "Dehnen",
};
constexpr int UnitNameCount = sizeof(UnitNames) / sizeof(UnitNames[0]);
const char* const Descriptions[] = {
    "",
    "locker",
    "mit \"Weste\", 10 kg",
    "links; rechts",
    "Tempo 5:30 \xF0\x9F\x92\xAA",
    "<b>nicht fett</b> & gut",
    "+2 Sätze",
};
constexpr int DescriptionCount = sizeof(Descriptions) / sizeof(Descriptions[0]);

std::string LongDescription() {
    std::string text;
    while (text.size() < 199) text += "Steigerung, ";
    return text.substr(0, 199) + "!";
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main() {
    const char* folder = std::getenv("VELMORA_EXPORT_DIR");
    if (!folder || !*folder) {
        std::fprintf(stderr, "set VELMORA_EXPORT_DIR to the folder for the sample files\n");
        return 2;
    }
    const char* language = std::getenv("VELMORA_EXPORT_LANGUAGE");
    TextTable texts = BuildTextTable();
    if (language) ApplyLanguageFile(texts, Utf8ToUtf16(language));

    // Wednesday 12 February 2025; the newest week starts on Monday 10 February (day 41).
    const LocalDate today = DateOf(2025, 2, 12);
    const CivilDate newestMonday{2025, 2, 10};
    constexpr int WeekCount = 60;
    Random random{20250212};
    std::vector<TrainingWeek> history;
    std::string weeksJson;
    std::size_t entries = 0, days = 0;
    for (int back = WeekCount - 1; back >= 0; --back) {
        const CivilDate monday = AddDays(newestMonday, -7LL * back);
        TrainingWeek week;
        // The day of the year of the Monday in its own year, as the program numbers a week
        // started on its Monday; the week of 30 December 2024 was first opened in 2025.
        week.weekNumber = DayNumberOf(monday) - DayNumberOf(CivilDate{monday.year, 1, 1}) + 1;
        if (monday == CivilDate{2024, 12, 30}) week.weekNumber = -1;
        for (std::u16string& day : week.days) {
            if (random.Below(100) < 45) continue;
            const int count = 1 + random.Below(3);
            for (int i = 0; i < count; ++i) {
                // The smaller of two draws favours the first names, so units differ in volume.
                const int unit = std::min(random.Below(UnitNameCount), random.Below(UnitNameCount));
                const int pick = random.Below(DescriptionCount + 1);
                const std::string description =
                    pick == DescriptionCount ? LongDescription() : Descriptions[pick];
                if (!day.empty()) day += u'\\';
                day += Utf8ToUtf16(std::string(UnitNames[unit]) + "|" +
                                   std::to_string(1 + random.Below(5)) + "|" +
                                   std::to_string(5 + random.Below(56)) + "|" + description);
                ++entries;
            }
            ++days;
        }
        if (!weeksJson.empty()) weeksJson += ",";
        weeksJson += "[" + std::to_string(week.weekNumber) + "," + JsonText(IsoDate(monday)) + "]";
        history.push_back(std::move(week));
    }

    const std::filesystem::path out(folder);
    std::error_code error;
    std::filesystem::create_directories(out, error);
    std::string names;
    for (const char* name : UnitNames) names += (names.empty() ? "" : ",") + JsonText(name);
    std::string columns;
    for (const char16_t* key : {u"CsvWeek", u"CsvMonday", u"CsvDate", u"CsvWeekday", u"CsvUnit",
                                u"CsvCount1", u"CsvCount2", u"CsvDescription"})
        columns +=
            (columns.empty() ? "" : ",") + JsonText(Utf16ToUtf8(LookupText(texts, u"Report", key)));
    std::string weekdays;
    for (const char16_t* key :
         {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"})
        weekdays +=
            (weekdays.empty() ? "" : ",") + JsonText(Utf16ToUtf8(LookupText(texts, u"Days", key)));
    const std::string expected =
        "{\"rows\":" + std::to_string(entries) + ",\"events\":" + std::to_string(days) +
        ",\"columns\":[" + columns + "],\"weekdays\":[" + weekdays + "],\"names\":[" + names +
        "],\"longDescription\":" + JsonText(LongDescription()) + ",\"weeks\":[" + weeksJson +
        "],\"title\":" + JsonText(Utf16ToUtf8(LookupText(texts, u"Report", u"Title"))) + "}\n";

    const bool written = WriteFile(out / "report.html", ReportHtml(history, texts, today)) &&
                         WriteFile(out / "training.csv", TrainingCsv(history, texts, today)) &&
                         WriteFile(out / "training.ics", TrainingIcs(history, texts, today)) &&
                         WriteFile(out / "expected.json", expected);
    if (!written) std::fprintf(stderr, "cannot write into %s\n", folder);
    return written ? 0 : 1;
}
