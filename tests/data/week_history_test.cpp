// SPDX-License-Identifier: GPL-3.0-or-later
// The week history against real files: the 178-byte block, byte-exact round trips,
// header lines, blank lines, short and missing files, and catch-up on load.
#include "data/week_history.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "data/data_fixture.h"

namespace {

using test::Bytes;
using HistoryTest = test::DataTest;

// The 15 lines of one week block.
std::vector<std::u16string> BlockLines(const std::u16string& header,
                                       const std::array<std::u16string, 7>& days = {}) {
    static const char16_t* keys[] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                     u"Friday", u"Saturday", u"Sunday"};
    std::vector<std::u16string> lines = {header};
    for (int day = 0; day < 7; ++day) {
        lines.push_back(std::u16string(u"=") + keys[day]);
        lines.push_back(days[day]);
    }
    return lines;
}

std::vector<std::u16string> Join(std::initializer_list<std::vector<std::u16string>> parts) {
    std::vector<std::u16string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<WholeNumber> WeekNumbers(const Document& doc) {
    std::vector<WholeNumber> numbers;
    for (const TrainingWeek& week : doc.history) numbers.push_back(week.weekNumber);
    return numbers;
}

TEST_F(HistoryTest, SmallestBlockIs178BytesExactly) {
    AddWeek(doc.history, 5);
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    Bytes bytes = test::ReadFileBytes("units/history.txt");
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(MinimumHistoryFileSize));
    EXPECT_EQ(bytes, test::LineFileBytes(BlockLines(u"#5")));
}

TEST_F(HistoryTest, RoundTripsByteForByteWhenNoWeekIsAdded) {
    SetToday(2024, 4, 15);  // Monday, week 106
    std::array<std::u16string, 7> days = {
        u"Plank|3|60|hold\\Run|1|5|easy", u"", u" ", u"", u"a|b\\c", u"", u"\u00E4\xD800"};
    test::WriteFileBytes(
        "units/history.txt",
        test::LineFileBytes(Join({BlockLines(u"#99"), BlockLines(u"#106", days)})));
    Bytes original = test::ReadFileBytes("units/history.txt");
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), (std::vector<WholeNumber>{99, 106}));
    EXPECT_EQ(doc.history[1].days[0], days[0]);
    EXPECT_EQ(doc.history[1].days[6], days[6]);
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"), original);
    EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(HistoryTest, HeaderLines) {
    SetToday(2023, 1, 1);  // Sunday, week -5: nothing is appended after these weeks
    struct Row {
        const char* name;
        std::u16string header;
        WholeNumber expected;
    };
    const Row rows[] = {
        {"negative", u"#-4", -4},
        {"trailing spaces", u"#12  ", 12},
        {"leading space is the dropped character", u" #12", 0},
        {"any first character is dropped", u"x77", 77},
        {"not a number", u"#abc", 0},
        {"hexadecimal", u"#$10", 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // A second week far above the current one keeps the catch-up out of the picture.
        test::WriteFileBytes(
            "units/history.txt",
            test::LineFileBytes(Join({BlockLines(row.header), BlockLines(u"#1")})));
        LoadHistory();
        ASSERT_EQ(doc.history.size(), 2u);
        EXPECT_EQ(doc.history[0].weekNumber, row.expected);
    }
}

TEST_F(HistoryTest, BlankLineBetweenBlocksIsSkipped) {
    SetToday(2024, 1, 22);  // Monday, week 22
    test::WriteFileBytes("units/history.txt",
                         test::LineFileBytes(Join({BlockLines(u"#8", {u"mon"}),
                                                   {u"", u"   "},
                                                   BlockLines(u"#15", {u"", u"tue"}),
                                                   {u"", u""}})));
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), (std::vector<WholeNumber>{8, 15, 22}));
    EXPECT_EQ(doc.history[1].days[1], u"tue");
}

TEST_F(HistoryTest, FileEndingInsideABlockGivesEmptyDays) {
    SetToday(2023, 1, 1);
    std::vector<std::u16string> lines =
        Join({BlockLines(u"#400", {u"a"}), {u"#401", u"=Monday", u"b"}});
    test::WriteFileBytes("units/history.txt", test::LineFileBytes(lines));
    ASSERT_TRUE(LoadHistory());
    ASSERT_EQ(doc.history.size(), 2u);
    EXPECT_EQ(doc.history[1].weekNumber, 401);
    EXPECT_EQ(doc.history[1].days[0], u"b");
    EXPECT_EQ(doc.history[1].days[1], u"");
}

TEST_F(HistoryTest, ShortFilesAreIgnored) {
    SetToday(2024, 1, 10);  // Wednesday, week 8
    struct Row {
        const char* name;
        Bytes bytes;
    };
    Bytes justShort = test::LineFileBytes(BlockLines(u"#5"));
    justShort.pop_back();
    const Row rows[] = {
        {"empty file", Bytes{}},
        {"header only", test::LineFileBytes({u"#300"})},
        {"one byte short of a block", justShort},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::WriteFileBytes("units/history.txt", row.bytes);
        EXPECT_TRUE(LoadHistory());
        EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{8});
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(HistoryTest, ExactBlockIsReadAlsoAfterAMark) {
    SetToday(2024, 1, 1);  // Monday, week 1
    Bytes block = test::LineFileBytes(BlockLines(u"#5", {u"x"}));
    block.erase(block.begin() + 34, block.begin() + 36);  // drop the "x": 178 bytes again
    ASSERT_EQ(block.size(), 178u);
    test::WriteFileBytes("units/history.txt", block);
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{5});

    test::WriteFileBytes("units/history.txt", test::WithByteOrderMark(block));
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{5});
}

TEST_F(HistoryTest, Utf8FileWithMarkIsReadDespiteFewerBytes) {
    SetToday(2024, 1, 1);
    std::string utf8 = "\xEF\xBB\xBF#5\r\n";
    for (const char* key :
         {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"})
        utf8 += std::string("=") + key + "\r\n\r\n";
    ASSERT_LT(utf8.size(), 178u);
    test::WriteFileBytes("units/history.txt", utf8);
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{5});
}

TEST_F(HistoryTest, FileWithoutAnyWeekStartsWithTheCurrentWeek) {
    SetToday(2024, 1, 10);
    std::vector<std::u16string> blanks(100, u"");
    test::WriteFileBytes("units/history.txt", test::LineFileBytes(blanks));
    ASSERT_TRUE(LoadHistory());
    EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{8});
}

TEST_F(HistoryTest, MissingFileReportsAndStartsWithTheCurrentWeek) {
    SetToday(2024, 1, 10);
    EXPECT_FALSE(LoadHistory());
    ExpectOnlyMessage(u"HistoryFile", u"units/history.txt");
    EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{8});
    EXPECT_FALSE(doc.historyFileUnreadable);
    EXPECT_TRUE(Kept(SaveWeekHistory(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"), test::LineFileBytes(BlockLines(u"#8")));
}

TEST_F(HistoryTest, EmptyHistorySavesAnEmptyFile) {
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/history.txt").size(), 0u);
}

TEST_F(HistoryTest, WeekNumberWidthFollowsTheBuild) {
    SetToday(2023, 1, 1);
    test::WriteFileBytes("units/history.txt", test::LineFileBytes(BlockLines(u"#4294967303")));
    ASSERT_TRUE(LoadHistory());
    if constexpr (sizeof(WholeNumber) == 8) {
        EXPECT_EQ(WeekNumbers(doc), std::vector<WholeNumber>{static_cast<WholeNumber>(4294967303)});
    } else {
        // 2^32 + 7 keeps its low 32 bits, 7, which the catch-up then starts from.
        EXPECT_EQ(doc.history.front().weekNumber, 7);
    }
}

TEST_F(HistoryTest, LongDayTextLoadsAndSavesInLinearTime) {
    SetToday(2023, 1, 1);
    std::array<std::u16string, 7> days;
    days[3] = std::u16string(2000000, u'x') + u"\\end";
    test::WriteFileBytes("units/history.txt", test::LineFileBytes(BlockLines(u"#9", days)));
    Bytes original = test::ReadFileBytes("units/history.txt");
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(LoadHistory());
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0);
    EXPECT_EQ(doc.history[0].days[3].size(), days[3].size());
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"), original);
}

}  // namespace
