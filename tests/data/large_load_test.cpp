// SPDX-License-Identifier: GPL-3.0-or-later
// The two loads on large random files, each checked against the load written out step by
// step with ReadLine, AtEnd, FieldOf and ParseInteger: the same units and the same weeks,
// whatever the line ends, counts, blank lines or cut-short blocks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/data_fixture.h"
#include "data/line_file.h"
#include "reference_text.h"

namespace {

using test::Bytes;
using LargeLoadTest = test::DataTest;

// Some pieces of each kind a field can hold: plain and odd counts (signs, blanks, "$", "%",
// 19 and more digits that wrap), names with spaces, and empty fields.
const char16_t* const Pieces[] = {
    u"Plank",
    u"Ausfallschritte 42",
    u"",
    u" ",
    u"\t",
    u"7",
    u"60",
    u"-3",
    u"+5",
    u" 12abc",
    u"$1F",
    u"%101",
    u"123456789012345678",
    u"1234567890123456789",
    u"99999999999999999999",
    u"x7",
    u"\u00C4rger",
    u"\\",
    u"#12",
    u"=Monday",
    u"  ",
};

std::u16string RandomPiece(std::mt19937& random) {
    return Pieces[std::uniform_int_distribution<std::size_t>(0, std::size(Pieces) - 1)(random)];
}

// Lines joined with a random mix of CR LF, LF, CR and NUL ends; the last one sometimes
// without an end.
Bytes JoinLines(std::mt19937& random, const std::vector<std::u16string>& lines) {
    static const std::u16string Ends[] = {u"\r\n", u"\r\n", u"\r\n",
                                          u"\n",   u"\r",   std::u16string(1, 0)};
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 == lines.size() && random() % 2 == 0) break;
        text += Ends[random() % std::size(Ends)];
    }
    return test::Utf16Le(text);
}

// The catalogue load as the line rules describe it, one ReadLine at a time.
std::vector<TrainingUnit> ReferenceUnits() {
    std::vector<TrainingUnit> units;
    LineFile file;
    EXPECT_TRUE(OpenForReading(file, UnitFilePath));
    SkipByteOrderMark(file);
    do {
        std::u16string line = reference::ReadLine(file);
        if (TrimSpaces(line).empty()) continue;
        units.push_back({reference::FieldOf(line, 1, u"|"),
                         static_cast<WholeNumber>(ParseInteger(reference::FieldOf(line, 2, u"|"))),
                         static_cast<WholeNumber>(ParseInteger(reference::FieldOf(line, 3, u"|"))),
                         reference::FieldOf(line, 4, u"|")});
    } while (!AtEnd(file));
    EXPECT_TRUE(Close(file));
    return units;
}

// The history load as the line rules describe it (a blank header line is passed over).
std::vector<TrainingWeek> ReferenceWeeks() {
    std::vector<TrainingWeek> weeks;
    LineFile file;
    EXPECT_TRUE(OpenForReading(file, HistoryFilePath));
    SkipByteOrderMark(file);
    while (!AtEnd(file)) {
        std::u16string header = reference::ReadLine(file);
        if (TrimSpaces(header).empty()) continue;
        TrainingWeek& week = weeks.emplace_back();
        week.weekNumber = static_cast<WholeNumber>(ParseInteger(header.substr(1)));
        for (std::u16string& day : week.days) {
            reference::ReadLine(file);
            day = reference::ReadLine(file);
        }
    }
    EXPECT_TRUE(Close(file));
    return weeks;
}

TEST_F(LargeLoadTest, CatalogueLoadMatchesTheLineByLineLoad) {
    std::mt19937 random(77);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // About 600 KB: several blocks and many lines across their edges.
        std::vector<std::u16string> lines;
        while (lines.size() < 25000) {
            std::u16string line = RandomPiece(random);
            const int bars = static_cast<int>(random() % 6);
            for (int bar = 0; bar < bars; ++bar) line += u"|" + RandomPiece(random);
            lines.push_back(line);
        }
        Bytes bytes = JoinLines(random, lines);
        if (round == 1) bytes.insert(bytes.begin(), {0xFF, 0xFE});
        if (round == 2) bytes.push_back(0x41);  // an odd last byte
        test::WriteFileBytes("units/units.txt", bytes);
        const std::vector<TrainingUnit> expected = ReferenceUnits();
        doc.catalogue.clear();
        ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
        ASSERT_EQ(doc.catalogue.size(), expected.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const TrainingUnit& got = doc.catalogue[i];
            const TrainingUnit& want = expected[i];
            if (got.Name() != want.Name() || got.count1 != want.count1 ||
                got.count2 != want.count2 || got.Description() != want.Description()) {
                if (++differing <= 3) ADD_FAILURE() << "unit " << i << " differs";
            }
        }
        EXPECT_EQ(differing, 0u);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(LargeLoadTest, HistoryLoadMatchesTheLineByLineLoad) {
    SetToday(2024, 1, 10);
    std::mt19937 random(1234);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::u16string> lines;
        while (lines.size() < 40000) {
            // Mostly whole blocks; now and then a blank line, or a block cut short.
            const unsigned roll = random() % 20;
            if (roll == 0) {
                lines.push_back(random() % 2 ? u"" : u"   ");
                continue;
            }
            // The first character of a header is dropped, whatever it is.
            const std::u16string mark = random() % 10 ? u"#" : u"x";
            lines.push_back(mark + FormatInteger(static_cast<std::int64_t>(random() % 400)));
            const std::size_t dayLines = roll == 1 ? random() % 14 : 14;
            for (std::size_t i = 0; i < dayLines; ++i) {
                std::u16string text;
                const int entries = i % 2 == 0 ? 1 : static_cast<int>(random() % 3);
                for (int entry = 0; entry < entries; ++entry)
                    text +=
                        (entry ? u"\\" : u"") + RandomPiece(random) + u"|" + RandomPiece(random);
                lines.push_back(text);
            }
        }
        Bytes bytes = JoinLines(random, lines);
        if (round == 1) bytes.insert(bytes.begin(), {0xFF, 0xFE});
        if (round == 2) bytes.push_back(0x41);
        test::WriteFileBytes("units/history.txt", bytes);
        const std::vector<TrainingWeek> expected = ReferenceWeeks();
        doc.history.clear();
        ASSERT_TRUE(LoadHistory());
        // The catch-up may add weeks behind the loaded ones.
        ASSERT_GE(doc.history.size(), expected.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (doc.history[i].weekNumber != expected[i].weekNumber ||
                doc.history[i].days != expected[i].days) {
                if (++differing <= 3) ADD_FAILURE() << "week " << i << " differs";
            }
        }
        EXPECT_EQ(differing, 0u);
    }
    EXPECT_TRUE(reports.empty());
}

}  // namespace
