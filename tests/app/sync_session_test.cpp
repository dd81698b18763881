// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions in a folder that something else changes too: a data file replaced between start
// and save (merged, one box, undo keeps what came from elsewhere), between save and the
// window's activation (taken in without a box, or left to the next save while something is
// unsaved), a changed file that cannot be read, conflict copies at start-up, and the
// program's own lock and temporary files arriving from another machine.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/app_test_support.h"
#include "app/context_menu.h"
#include "app/control_ids.h"
#include "platform/os_file.h"

namespace {

namespace fs = std::filesystem;
using apptest::HistoryLines;
using apptest::QueueCheck;
using apptest::WeekSeed;
using test::Bytes;
using test::LineFileBytes;
using test::ReadFileBytes;

const std::u16string MergedTitle = u"Änderungen von anderswo";

Bytes HistoryBytes(const std::vector<WeekSeed>& weeks) {
    return LineFileBytes(HistoryLines(weeks));
}

// As a sync tool puts a file in place: a new file renamed over the old one.
void ReplaceFile(const fs::path& path, const Bytes& bytes) {
    const fs::path incoming = path.string() + ".incoming";
    test::WriteFileBytes(incoming, bytes);
    fs::rename(incoming, path);
}

std::vector<std::u16string> ItemsOf(ScriptedUi& ui, int id) {
    return ui.Control(id).items;
}

class SyncSession : public apptest::SessionTest {
  protected:
    // Week 8 (the fixed clock's), Wednesday (today) shown.
    void SeedWeek(const std::vector<std::u16string>& days,
                  const std::vector<std::u16string>& units = {u"A|1|15|"}) {
        SeedFiles(units, {{8, days}});
    }
};

TEST_F(SyncSession, FileChangedBetweenStartAndSaveIsMergedAndUndoKeepsTheOtherSide) {
    SeedWeek({u"", u"", u""});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);  // A on Wednesday, here
    QueueCheck(ui, [](ScriptedUi&) {
        // Elsewhere: an entry on Tuesday, another on Wednesday, and a new unit.
        ReplaceFile("units/history.txt", HistoryBytes({{8, {u"", u"T|1|1|", u"X|2|2|"}}}));
        ReplaceFile("units/units.txt", LineFileBytes({u"A|1|15|", u"D|3|3|"}));
    });
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(ReadFileBytes("units/history.txt"),
                  HistoryBytes({{8, {u"", u"T|1|1|", u"X|2|2|\\A|1|15|"}}}));
        EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|15|", u"D|3|3|"}));
        // What the program holds is the merge: lists filled again, the same week and day.
        EXPECT_EQ(Rows(current), (std::vector<std::vector<std::u16string>>{
                                     {u"X", u"2 - 2", u""}, {u"A", u"1 - 15", u""}}));
        EXPECT_EQ(current.ShownText(DayCombo), u"Mittwoch");
        EXPECT_EQ(ItemsOf(current, UnitCombo).size(), 2u);
        EXPECT_EQ(current.ShownText(UnitCombo), u"A: 1-15 | ") << "the unit chosen stays chosen";
    });
    ui.QueueKey(-1, UserCommand::Undo);  // takes back only this side's A
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, MergedTitle);
    EXPECT_EQ(ui.messages[0].text,
              u"units/history.txt, units/units.txt wurde seit dem Laden an anderer Stelle "
              u"geändert (auf einem anderen Rechner oder von einem anderen Programm). Diese "
              u"Änderungen wurden behalten und mit deinen zusammengeführt.");
    ASSERT_EQ(ui.pauses.size(), 2u);
    EXPECT_EQ(ui.pauses[0].TextOf(SaveButton), u"Gespeichert!");
    EXPECT_EQ(ReadFileBytes("units/history.txt"), HistoryBytes({{8, {u"", u"T|1|1|", u"X|2|2|"}}}));
}

// Here an import adds a week in front; elsewhere an older week came in front and an entry on
// week 8. After the merge every week stands one place further on: undoing the import takes out
// its own week and entries, never the other machine's week that now stands where the import's
// stood.
TEST_F(SyncSession, ImportUndoneAfterAMergeTakesOutOnlyItsOwnWeeks) {
    SeedFiles({u"A|1|15|"}, {{1, {u"A|1|1|a"}}, {8, {}}});
    test::WriteFileBytes("strong.csv",
                         std::string_view("Date,Workout Name,Duration,Exercise Name,Set Order,"
                                          "Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n"
                                          "2023-12-27 18:00:00,Pull,1h,Row,1,60,12,0,0,,,\n"
                                          "2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n"));
    ScriptedUi ui;
    ui.fileAnswers.push_back(test::ToUtf16((directory.path() / "strong.csv").string()));
    ui.QueueMenu(std::size_t(MenuItemNamed("import")));
    QueueCheck(ui, [](ScriptedUi&) {
        ReplaceFile("units/history.txt",
                    HistoryBytes({{300, {u"X|1|1|"}}, {1, {u"A|1|1|a"}}, {8, {u"M|1|1|"}}}));
    });
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(ReadFileBytes("units/history.txt"),
                  HistoryBytes({{300, {u"X|1|1|"}},
                                {359, {u"", u"", u"Row|1|12|60"}},
                                {1, {u"A|1|1|a"}},
                                {8, {u"M|1|1|", u"Bench|1|10|80"}}}));
        EXPECT_EQ(current.Control(WeekCombo).selected, 3) << "week 8 stays shown";
        EXPECT_EQ(program->selection.week, 3);
    });
    ui.QueueKey(-1, UserCommand::Undo);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(ItemsOf(current, WeekCombo),
                  (std::vector<std::u16string>{u"Woche - 300", u"Woche - 1", u"Woche - 8"}));
        EXPECT_EQ(current.Control(WeekCombo).selected, 2);
    });
    ui.QueueKey(-1, UserCommand::Redo);
    ui.QueueKey(-1, UserCommand::Undo);
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 2u) << "the import's summary, then the merge";
    EXPECT_EQ(ui.messages[1].title, MergedTitle);
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{300, {u"X|1|1|"}}, {1, {u"A|1|1|a"}}, {8, {u"M|1|1|"}}}));
}

TEST_F(SyncSession, SaveWithoutOutsideChangeWritesAsAlwaysAndShowsNoBox) {
    SeedWeek({u"", u"", u"W|1|1|"});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    // Vanished since the save: written anew by the next one.
    QueueCheck(ui, [](ScriptedUi&) { fs::remove("units/history.txt"); });
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.pauses.size(), 2u);
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{8, {u"", u"", u"W|1|1|\\A|1|15|"}}}));
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|15|"}));
}

TEST_F(SyncSession, ChangeBetweenSaveAndActivationIsTakenInUnlessSomethingIsUnsaved) {
    SeedWeek({u"", u"", u""});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [](ScriptedUi&) {
        ReplaceFile("units/history.txt",
                    HistoryBytes({{1, {u"Old|1|1|"}}, {8, {u"", u"", u"A|1|15|\\Y|1|1|"}}}));
    });
    ui.QueueActivate();
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(ItemsOf(current, WeekCombo),
                  (std::vector<std::u16string>{u"Woche - 1", u"Woche - 8"}));
        EXPECT_EQ(current.ShownText(WeekCombo), u"Woche - 8") << "the same week, moved down";
        EXPECT_EQ(Rows(current).size(), 2u);
    });
    ui.QueueClick(AddEntryButton);  // unsaved now
    QueueCheck(ui, [](ScriptedUi&) {
        ReplaceFile("units/history.txt",
                    HistoryBytes({{1, {u"Old|1|1|"}}, {8, {u"Z|1|1|", u"", u"A|1|15|\\Y|1|1|"}}}));
    });
    ui.QueueActivate();
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(Rows(current).size(), 3u) << "the change waits for the save";
        EXPECT_EQ(ReadFileBytes("units/history.txt"),
                  HistoryBytes({{1, {u"Old|1|1|"}}, {8, {u"Z|1|1|", u"", u"A|1|15|\\Y|1|1|"}}}));
    });
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u) << "taking a file in says nothing; the merge says so once";
    EXPECT_EQ(ui.messages[0].title, MergedTitle);
    EXPECT_EQ(
        ReadFileBytes("units/history.txt"),
        HistoryBytes({{1, {u"Old|1|1|"}}, {8, {u"Z|1|1|", u"", u"A|1|15|\\Y|1|1|\\A|1|15|"}}}));
}

TEST_F(SyncSession, ChangedFileThatCannotBeReadIsNeverSavedOver) {
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"binary", std::string("\x00\x01\x02\x03PK\x05\x06", 8)},
        {"odd length", std::string("#\x00"
                                   "8\x00\r",
                                   5)},
        {"UTF-8 without a mark", "#8\r\n=Monday\r\n\r\n"},
        {"history cut short", std::string("#\x00"
                                          "8\x00\r\x00\n\x00=\x00M\x00\r\x00\n\x00",
                                          16)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SeedWeek({u"", u"", u""});
        ScriptedUi ui;
        ui.QueueClick(AddEntryButton);
        QueueCheck(ui, [&row](ScriptedUi&) {
            ReplaceFile("units/history.txt", Bytes(row.bytes.begin(), row.bytes.end()));
        });
        ui.QueueClick(SaveButton);
        ui.QueueActivate();  // the same version again: not named a second time
        Run(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, u"Fehler");
        EXPECT_NE(ui.messages[0].text.find(u"units/history.txt"), std::u16string::npos);
        EXPECT_TRUE(ui.pauses.empty()) << "no \"Saved!\" while a file was not saved";
        EXPECT_EQ(ReadFileBytes("units/history.txt"), Bytes(row.bytes.begin(), row.bytes.end()));
        EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|15|"}));
    }
}

TEST_F(SyncSession, ConflictCopiesAreMergedAtStartAndMovedOnlyBySaving) {
    SeedWeek({u"", u"", u"A|1|15|"});
    const Bytes theirs = HistoryBytes({{8, {u"", u"", u"A|1|15|\\B|2|2|"}}, {15, {u"N|1|1|"}}});
    test::WriteFileBytes("units/history.sync-conflict-20240110-101500-ABCDEFG.txt", theirs);
    test::WriteFileBytes("units/units (Anna's conflicted copy 2024-01-10).txt",
                         LineFileBytes({u"A|1|15|", u"Z|9|9|"}));
    const std::string broken(
        "\xFF\xFE#\x00"
        "8",
        5);
    test::WriteFileBytes("units/history (conflicted copy 2024-01-10 101500).txt", broken);
    // The program's own temporary file from the other machine: neither data nor a copy.
    test::WriteFileBytes("units/history.txt.velmora-abcdefgh.tmp", theirs);
    ScriptedUi closeOnly;
    Run(closeOnly);
    ASSERT_EQ(closeOnly.messages.size(), 2u);
    EXPECT_EQ(closeOnly.messages[0].title, u"Fehler");
    EXPECT_NE(
        closeOnly.messages[0].text.find(u"units/history (conflicted copy 2024-01-10 101500).txt"),
        std::u16string::npos);
    EXPECT_EQ(closeOnly.messages[1].title, MergedTitle);
    EXPECT_NE(closeOnly.messages[1].text.find(
                  u"units/history.sync-conflict-20240110-101500-ABCDEFG.txt, units/units "
                  u"(Anna's conflicted copy 2024-01-10).txt"),
              std::u16string::npos);
    EXPECT_EQ(ItemsOf(closeOnly, WeekCombo),
              (std::vector<std::u16string>{u"Woche - 8", u"Woche - 15"}));
    EXPECT_EQ(ItemsOf(closeOnly, UnitCombo).size(), 2u);
    // Closed without saving: everything stays as it was.
    EXPECT_TRUE(fs::exists("units/history.sync-conflict-20240110-101500-ABCDEFG.txt"));
    EXPECT_FALSE(fs::exists("units/backup/merged"));

    ScriptedUi ui;
    ui.QueueSelect(WeekCombo, 0);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_EQ(Rows(ui), (std::vector<std::vector<std::u16string>>{{u"A", u"1 - 15", u""},
                                                                  {u"B", u"2 - 2", u""}}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"), theirs);
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|15|", u"Z|9|9|"}));
    EXPECT_FALSE(fs::exists("units/history.sync-conflict-20240110-101500-ABCDEFG.txt"));
    EXPECT_EQ(
        ReadFileBytes("units/backup/merged/history.sync-conflict-20240110-101500-ABCDEFG.txt"),
        theirs);
    EXPECT_TRUE(fs::exists("units/backup/merged/units (Anna's conflicted copy 2024-01-10).txt"));
    EXPECT_EQ(ReadFileBytes("units/history (conflicted copy 2024-01-10 101500).txt"),
              Bytes(broken.begin(), broken.end()));
    EXPECT_TRUE(fs::exists("units/history.txt.velmora-abcdefgh.tmp"));
}

TEST_F(SyncSession, ConflictCopyMergesThreeWaysWithTheOldestBackupBothGrewFrom) {
    // The backup both grew from holds A; the copy deleted it and added C, this side added B.
    SeedWeek({u"", u"", u"A|1|1|\\B|1|1|"});
    fs::create_directories("units/backup");
    test::WriteFileBytes("units/backup/history-2024-01-08.txt",
                         HistoryBytes({{8, {u"", u"", u"A|1|1|"}}}));
    test::WriteFileBytes("units/backup/history-2024-01-09.txt",
                         HistoryBytes({{8, {u"", u"", u"A|1|1|\\B|1|1|"}}}));
    test::WriteFileBytes("units/history-LAPTOP.txt", HistoryBytes({{8, {u"", u"", u"C|1|1|"}}}));
    ScriptedUi ui;
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{8, {u"", u"", u"C|1|1|\\B|1|1|"}}}));
    EXPECT_TRUE(fs::exists("units/backup/merged/history-LAPTOP.txt"));
}

TEST_F(SyncSession, LockFileWithNoLiveLockNeverBlocksAStart) {
    SeedWeek({u""});
    // A lock file that came from the other machine, read-only and with its own bytes.
    test::WriteFileBytes(".velmora.lock", "from the laptop");
    fs::permissions(".velmora.lock", fs::perms::owner_read | fs::perms::group_read);
    ScriptedUi first;
    Run(first);
    EXPECT_TRUE(first.messages.empty());
    EXPECT_TRUE(first.windowClosed);
    // Held for a moment only (a sync tool copying it): the start waits and goes on.
    fs::permissions(".velmora.lock", fs::perms::owner_all);
    OsFile held;
    ASSERT_EQ(OsLockFile(u".velmora.lock", held), OsLockResult::Held);
    std::thread release([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        OsClose(held);
    });
    ScriptedUi second;
    Run(second);
    release.join();
    EXPECT_TRUE(second.messages.empty());
    EXPECT_TRUE(second.windowClosed);
}

}  // namespace
