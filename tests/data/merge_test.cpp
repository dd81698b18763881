// SPDX-License-Identifier: GPL-3.0-or-later
// The merge rules as tables of base, disk and held versions and the result: day texts, week
// lists (weeks added at the front and the end on either side, a base found twice, no base),
// the catalogue, and the run search both sides are matched with; the bases that loads and saves
// record, which files a merge takes in, the conflict copies' names and moves.
#include <gtest/gtest.h>

#include "data/conflict_copies.h"
#include "data/data_fixture.h"
#include "data/day_entries.h"
#include "data/disk_version.h"
#include "data/file_bases.h"
#include "data/merge_base.h"
#include "data/merge_days.h"
#include "data/merge_history.h"
#include "data/merge_units.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "test_support.h"

namespace {

using test::ToUtf8;

TEST(MergeDays, TableOfBaseDiskHeld) {
    struct Row {
        const char* name;
        std::u16string base, disk, held, merged;
    };
    const Row rows[] = {
        {"nothing changed", u"A|1|1|", u"A|1|1|", u"A|1|1|", u"A|1|1|"},
        {"only the disk changed", u"A|1|1|", u"A|1|1|\\B|2|2|", u"A|1|1|", u"A|1|1|\\B|2|2|"},
        {"only here changed", u"A|1|1|", u"A|1|1|", u"", u""},
        {"both changed alike", u"A|1|1|", u"A|1|1|\\C|3|3|", u"A|1|1|\\C|3|3|", u"A|1|1|\\C|3|3|"},
        {"both added: the disk's first", u"A|1|1|", u"A|1|1|\\B|2|2|", u"A|1|1|\\C|3|3|",
         u"A|1|1|\\B|2|2|\\C|3|3|"},
        {"same addition kept once", u"A|1|1|", u"A|1|1|\\B|2|2|\\X|9|9|", u"A|1|1|\\X|9|9|\\C|3|3|",
         u"A|1|1|\\B|2|2|\\X|9|9|\\C|3|3|"},
        {"deleted on disk, added here", u"A|1|1|\\B|2|2|", u"B|2|2|", u"A|1|1|\\B|2|2|\\C|3|3|",
         u"B|2|2|\\C|3|3|"},
        {"deleted here, added on disk", u"A|1|1|\\B|2|2|", u"A|1|1|\\B|2|2|\\D|4|4|", u"A|1|1|",
         u"A|1|1|\\D|4|4|"},
        {"deleted on both sides", u"A|1|1|\\B|2|2|\\C|3|3|", u"A|1|1|\\C|3|3|\\E|5|5|",
         u"A|1|1|\\B|2|2|\\F|6|6|", u"A|1|1|\\E|5|5|\\F|6|6|"},
        {"one of two equal entries deleted", u"A|1|1|\\A|1|1|", u"A|1|1|",
         u"A|1|1|\\A|1|1|\\B|2|2|", u"A|1|1|\\B|2|2|"},
        {"every entry deleted on disk", u"A|1|1|", u"", u"A|1|1|\\B|2|2|", u"B|2|2|"},
        {"empty base: both united", u"", u"A|1|1|\\B|2|2|", u"B|2|2|\\C|3|3|",
         u"A|1|1|\\B|2|2|\\C|3|3|"},
        {"added twice here, once on disk", u"A|1|1|", u"A|1|1|\\X|1|1|", u"A|1|1|\\X|1|1|\\X|1|1|",
         u"A|1|1|\\X|1|1|\\X|1|1|"},
        {"outer spaces of the day text", u" A|1|1| ", u" A|1|1|\\B|2|2| ", u"A|1|1|\\C|3|3|",
         u"A|1|1|\\B|2|2|\\C|3|3|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ToUtf8(MergeDayText(row.base, row.disk, row.held)), ToUtf8(row.merged));
    }
}

TrainingWeek Week(WholeNumber number, std::u16string monday = u"", std::u16string tuesday = u"") {
    TrainingWeek week;
    week.weekNumber = number;
    week.days[0] = std::move(monday);
    week.days[1] = std::move(tuesday);
    return week;
}

// "8:A|1|1|/" for week 8 with Monday "A|1|1|" and Tuesday empty.
std::string Describe(const std::vector<TrainingWeek>& weeks) {
    std::string text;
    for (const TrainingWeek& week : weeks) {
        if (!text.empty()) text += " ";
        text += std::to_string(week.weekNumber) + ":" + ToUtf8(week.days[0]) + "/" +
                ToUtf8(week.days[1]);
    }
    return text;
}

TEST(MergeHistory, TableOfBaseDiskHeld) {
    struct Row {
        const char* name;
        std::vector<TrainingWeek> base, disk, held;
        std::string merged;
        std::vector<std::size_t> heldPositions;
        bool threeWay;
    };
    const Row rows[] = {
        {"a day changed on each side",
         {Week(1), Week(8)},
         {Week(1, u"M|1|1|"), Week(8)},
         {Week(1), Week(8, u"", u"T|2|2|")},
         "1:M|1|1|/ 8:/T|2|2|",
         {0, 1},
         true},
        {"the same day on both sides",
         {Week(8, u"A|1|1|")},
         {Week(8, u"A|1|1|\\B|2|2|")},
         {Week(8, u"A|1|1|\\C|3|3|")},
         "8:A|1|1|\\B|2|2|\\C|3|3|/",
         {0},
         true},
        {"weeks appended on both sides, one alike",
         {Week(1)},
         {Week(1), Week(8, u"D|1|1|"), Week(15)},
         {Week(1), Week(8, u"H|1|1|")},
         "1:/ 8:D|1|1|\\H|1|1|/ 15:/",
         {0, 1},
         true},
        {"older weeks put in front on disk",
         {Week(8), Week(15, u"A|1|1|")},
         {Week(358, u"Old|1|1|"), Week(365), Week(8), Week(15, u"A|1|1|")},
         {Week(8), Week(15, u"A|1|1|\\B|2|2|"), Week(22)},
         "358:Old|1|1|/ 365:/ 8:/ 15:A|1|1|\\B|2|2|/ 22:/",
         {2, 3, 4},
         true},
        {"older weeks put in front here",
         {Week(8, u"A|1|1|")},
         {Week(8, u""), Week(15)},
         {Week(1, u"Imp|1|1|"), Week(8, u"A|1|1|")},
         "1:Imp|1|1|/ 8:/ 15:/",
         {0, 1},
         true},
        {"front weeks on both sides",
         {Week(15)},
         {Week(1, u"D|1|1|"), Week(8), Week(15)},
         {Week(1, u"H|1|1|"), Week(15)},
         "1:D|1|1|\\H|1|1|/ 8:/ 15:/",
         {0, 2},
         true},
        {"the base's weeks twice on disk: the place that agrees wins",
         {Week(8, u"Base|1|1|", u"T|1|1|")},
         {Week(8, u"Older|1|1|"), Week(15), Week(8, u"Base|1|1|\\New|1|1|", u"T|1|1|")},
         {Week(8, u"Base|1|1|", u"T|1|1|")},
         "8:Older|1|1|/ 15:/ 8:Base|1|1|\\New|1|1|/T|1|1|",
         {2},
         true},
        {"no base: both united by number",
         {},
         {Week(1, u"A|1|1|"), Week(8)},
         {Week(1, u"B|1|1|"), Week(15)},
         "1:A|1|1|\\B|1|1|/ 8:/ 15:/",
         {0, 2},
         false},
        {"base weeks renumbered on disk by hand: united",
         {Week(1, u"A|1|1|"), Week(8)},
         {Week(2, u"A|1|1|"), Week(8)},
         {Week(1), Week(8, u"B|1|1|")},
         "2:A|1|1|/ 1:/ 8:B|1|1|/",
         {1, 2},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HistoryBaseView base = BaseOfWeeks(row.base);
        const HistoryMerge merge = MergeHistories(base, row.disk, row.held);
        EXPECT_EQ(Describe(merge.weeks), row.merged);
        EXPECT_EQ(merge.heldPositions, row.heldPositions);
        EXPECT_EQ(merge.threeWay, row.threeWay);
    }
}

TrainingUnit Unit(std::u16string name, WholeNumber count1 = 1) {
    return {name, count1, 1, u""};
}

std::string Names(const std::vector<TrainingUnit>& units) {
    std::string text;
    for (const TrainingUnit& unit : units)
        text += ToUtf8(unit.Name()) + std::to_string(unit.count1) + " ";
    return text;
}

TEST(MergeUnits, TableOfBaseDiskHeld) {
    struct Row {
        const char* name;
        std::vector<TrainingUnit> base, disk, held;
        std::string merged;
    };
    const Row rows[] = {
        {"a unit created on each side",
         {Unit(u"A")},
         {Unit(u"A"), Unit(u"D")},
         {Unit(u"A"), Unit(u"H")},
         "A1 D1 H1 "},
        {"the same unit created on both sides",
         {Unit(u"A")},
         {Unit(u"A"), Unit(u"X")},
         {Unit(u"A"), Unit(u"X"), Unit(u"H")},
         "A1 X1 H1 "},
        {"a unit removed on disk by hand stays",
         {Unit(u"A"), Unit(u"B")},
         {Unit(u"B")},
         {Unit(u"A"), Unit(u"B")},
         "A1 B1 "},
        {"a line changed on disk is a new unit",
         {Unit(u"A")},
         {Unit(u"A", 5)},
         {Unit(u"A")},
         "A1 A5 "},
        {"no base: united", {}, {Unit(u"A"), Unit(u"B")}, {Unit(u"B"), Unit(u"C")}, "A1 B1 C1 "},
        {"equal units twice in the base",
         {Unit(u"A"), Unit(u"A")},
         {Unit(u"A"), Unit(u"A"), Unit(u"A")},
         {Unit(u"A"), Unit(u"A")},
         "A1 A1 A1 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<TrainingUnit> held = row.held;
        EXPECT_EQ(Names(MergeCatalogues(std::span<const TrainingUnit>(held).first(row.base.size()),
                                        row.disk, held)),
                  row.merged);
    }
}

TEST(MergeBase, RunPlaces) {
    struct Row {
        const char* name;
        std::vector<WholeNumber> numbers, run;
        std::vector<std::size_t> places;
    };
    const Row rows[] = {
        {"at the start", {1, 8, 15}, {1, 8}, {0}},
        {"after front weeks", {358, 365, 1, 8}, {1, 8}, {2}},
        {"twice", {8, 15, 8, 15}, {8, 15}, {0, 2}},
        {"overlapping equal numbers", {0, 0, 0}, {0, 0}, {0, 1}},
        {"absent", {1, 8}, {8, 1}, {}},
        {"empty run", {1}, {}, {}},
        {"longer than the list", {1}, {1, 8}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PlacesOfRun(row.numbers, row.run, 16), row.places);
    }
}

}  // namespace

namespace {

using MergeFiles = test::DataTest;

TEST_F(MergeFiles, LoadAndSaveRecordTheFilesIdentityAndHash) {
    AddUnit(doc, u"Plank", 3, 60, u"hold");
    AddWeek(doc.history, 8);
    const SaveOutcome saved = SaveWeekHistoryRecorded(doc, {});
    ASSERT_TRUE(Kept(saved));
    const test::Bytes bytes = test::ReadFileBytes("units/history.txt");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_TRUE(SameFileIdentity(saved.written.identity, OsIdentityOf(HistoryFilePath)));
    EXPECT_EQ(saved.written.hash, HashOfBytes(text));
    EXPECT_FALSE(SaveWeekHistory(doc).written.identity.exists) << "the plain save records nothing";
    Document loaded;
    LoadWeekHistory(loaded);
    EXPECT_EQ(loaded.historyBase.file.hash, HashOfBytes(text));
    EXPECT_TRUE(SameFileIdentity(loaded.historyBase.file.identity, OsIdentityOf(HistoryFilePath)));
    EXPECT_EQ(loaded.historyBase.weekNumbers, std::vector<WholeNumber>{8});
    EXPECT_FALSE(HoldsUnsavedChanges(loaded));
    AppendDayEntry(loaded, 0, 2, UnitAt(doc, 0));
    EXPECT_TRUE(HoldsUnsavedChanges(loaded));
    EXPECT_EQ(ToUtf8(BaseDayText(loaded, 0, 0, 2)), "") << "the first text is kept";
    RemoveDayEntry(loaded, 0, 2, 0);
    EXPECT_FALSE(HoldsUnsavedChanges(loaded)) << "back to what the file holds";
}

TEST_F(MergeFiles, OnlyIntactDataFilesAreMerged) {
    struct Row {
        const char* name;
        std::string bytes;
        DataFileKind kind;
        bool intact;
    };
    const auto utf16 = [](std::u16string_view text) {
        const test::Bytes bytes = test::Utf16Le(text);
        return std::string(bytes.begin(), bytes.end());
    };
    const std::u16string week =
        u"#8\r\n=Monday\r\n\r\n=Tuesday\r\n\r\n=Wednesday\r\nA|1|1|\r\n=Thursday\r\n\r\n"
        u"=Friday\r\n\r\n=Saturday\r\n\r\n=Sunday\r\n\r\n";
    const Row rows[] = {
        {"empty", "", DataFileKind::History, true},
        {"a week", utf16(week), DataFileKind::History, true},
        {"a week behind the mark", "\xFF\xFE" + utf16(week), DataFileKind::History, true},
        {"two weeks and a blank line", utf16(week + u"\r\n" + week), DataFileKind::History, true},
        {"a week cut short", utf16(week.substr(0, 40)), DataFileKind::History, false},
        {"odd byte count", utf16(u"Plank|3|60|hold\r\n") + "x", DataFileKind::Catalogue, false},
        {"NUL inside", utf16(std::u16string(u"Pl\0nk\r\n", 7)), DataFileKind::Catalogue, false},
        {"a control character", utf16(u"Pl\u0001nk\r\n"), DataFileKind::Catalogue, false},
        {"UTF-8 without its mark", "Plank|3|60|hold\r\nRun|1|1|\r\n", DataFileKind::Catalogue,
         false},
        {"UTF-8 behind its mark", "\xEF\xBB\xBFPlank|3|60|hold\r\n", DataFileKind::Catalogue, true},
        {"a catalogue", utf16(u"Plank|3|60|hold\r\nRun|1|1|\r\n"), DataFileKind::Catalogue, true},
        {"a catalogue is no history", utf16(u"Plank|3|60|hold\r\n"), DataFileKind::History, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsIntactDataFile(row.bytes, row.kind), row.intact);
    }
}

TEST_F(MergeFiles, ConflictCopyNames) {
    struct Row {
        const char* name;
        std::u16string file;
        std::optional<DataFileKind> kind;
    };
    const Row rows[] = {
        {"Syncthing", u"history.sync-conflict-20261208-101500-ABCDEFG.txt", DataFileKind::History},
        {"Dropbox", u"history (Anna's conflicted copy 2026-12-08).txt", DataFileKind::History},
        {"Dropbox, numbered", u"units (Anna's conflicted copy 2026-12-08 (1)).txt",
         DataFileKind::Catalogue},
        {"Nextcloud", u"history (conflicted copy 2026-12-08 101500).txt", DataFileKind::History},
        {"ownCloud, older", u"units_conflict-20261208-101500.txt", DataFileKind::Catalogue},
        {"OneDrive", u"history-LAPTOP-7.txt", DataFileKind::History},
        {"Google Drive", u"units (1).txt", DataFileKind::Catalogue},
        {"the data file itself", u"history.txt", std::nullopt},
        {"a backup's name", u"history-2026-12-08.txt", std::nullopt},
        {"the program's temporary file", u"history.txt.velmora-abcdefgh.tmp", std::nullopt},
        {"a temporary file's conflict copy",
         u"history.velmora-abcdefgh.sync-conflict-20261208-101500-ABCDEFG.txt", std::nullopt},
        {"another file", u"notes (1).txt", std::nullopt},
        {"Syncthing without a device", u"history.sync-conflict-20261208-101500-.txt", std::nullopt},
        {"another extension", u"history (1).csv", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ConflictCopyKind(row.file), row.kind);
    }
}

TEST_F(MergeFiles, MovesNeverReplaceAFile) {
    test::WriteFileBytes("units/copy.txt", "copy");
    test::WriteFileBytes("units/taken.txt", "taken");
    EXPECT_FALSE(OsMoveFileNoReplace(u"units/copy.txt", u"units/taken.txt"));
    EXPECT_EQ(test::ReadFileBytes("units/taken.txt"), test::Bytes({'t', 'a', 'k', 'e', 'n'}));
    EXPECT_TRUE(OsMoveFileNoReplace(u"units/copy.txt", u"units/moved.txt"));
    EXPECT_FALSE(test::FileExists("units/copy.txt"));
    // A second copy of one name gets a number in the merged folder.
    for (const char* content : {"one", "two"}) {
        test::WriteFileBytes("units/history (1).txt", content);
        EXPECT_TRUE(
            MoveMergedCopy({u"units/history (1).txt", u"history (1).txt", DataFileKind::History}));
    }
    EXPECT_TRUE(test::FileExists("units/backup/merged/history (1).txt"));
    EXPECT_EQ(test::ReadFileBytes("units/backup/merged/history (1) (2).txt"),
              test::Bytes({'t', 'w', 'o'}));
}

}  // namespace
