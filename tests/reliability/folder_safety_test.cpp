// SPDX-License-Identifier: GPL-3.0-or-later
// Whole sessions on a folder a user really has: a second program on the same folder, a folder
// where no lock can be made, the daily backups of the data files with their setting (read
// strictly), their pruning (backups dated after today among them), a data file behind a
// link, and a backup that cannot be made.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "data/backups.h"
#include "platform/clock.h"
#include "platform/os_file.h"

namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFileBytes;

const std::u16string RunningText =
    u"Velmora läuft in diesem Ordner bereits. Bitte verwende das offene Fenster.";
const std::u16string BackupText =
    u"Die Sicherung units/backup/history-2024-01-10.txt konnte nicht angelegt werden. Die "
    u"Daten wurden trotzdem gespeichert.";

class FolderSafety : public apptest::SessionTest {
  protected:
    // ini.ini with the given Backups line ("" for none), a catalogue and week 8.
    void Seed(const std::string& backupsLine = "") {
        test::WriteFileBytes(
            "ini.ini", "\xEF\xBB\xBF\r\nVersion = 0.1\r\nLanguage = English\r\n" + backupsLine);
        apptest::WriteUnits({u"Plank|3|60|hold"});
        apptest::WriteHistory({{8, {}}});
    }
    // Adds the first unit to the shown day and saves, `saves` times.
    void AddAndSave(int saves) {
        ScriptedUi ui;
        for (int i = 0; i < saves; ++i) {
            ui.QueueClick(AddEntryButton);
            ui.QueueClick(SaveButton);
        }
        Run(ui);
        messages = MessageTexts(ui);
    }
    static std::vector<std::string> Backups() {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator("units/backup", ignored))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static void SetToday(int year, int month, int day) {
        SetClock([=] { return DateOf(year, month, day); });
    }
    // The history backups left, oldest first.
    static std::vector<std::string> HistoryBackups() {
        std::vector<std::string> left;
        for (const std::string& name : Backups())
            if (name.rfind("history-", 0) == 0 && name.size() == 22) left.push_back(name);
        return left;
    }
    static void WriteHistoryBackups(int year, int month, int firstDay, int lastDay) {
        char name[64];
        for (int day = firstDay; day <= lastDay; ++day) {
            std::snprintf(name, sizeof name, "units/backup/history-%04d-%02d-%02d.txt", year, month,
                          day);
            test::WriteFileBytes(name, "old");
        }
    }

    std::vector<std::u16string> messages;
};

TEST_F(FolderSafety, SecondStartOnAFolderInUseShowsRunningAndReadsNoData) {
    struct Row {
        const char* name;
        std::string language;
        std::u16string title;
        std::u16string text;
    };
    const Row rows[] = {
        {"built-in texts", "Deutsch", u"Fehler", RunningText},
        {"English file", "English", u"Error",
         u"Velmora is already running in this folder. Please use the open window."},
    };
    fs::create_directory("lang");
    fs::copy_file(VELMORA_DEFAULT_FOLDER "/lang/English.txt", "lang/English.txt");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        apptest::WriteIni(row.language);
        // No data files: had the start read them, their boxes would follow.
        fs::remove_all("units");
        OsFile held;
        ASSERT_EQ(OsLockFile(u".velmora.lock", held), OsLockResult::Held);
        ScriptedUi second;
        Run(second);
        ASSERT_EQ(second.messages.size(), 1u);
        EXPECT_EQ(second.messages[0].title, row.title);
        EXPECT_EQ(second.messages[0].text, row.text);
        EXPECT_TRUE(second.messages[0].fatal);
        EXPECT_FALSE(second.windowOpen);
        EXPECT_TRUE(second.controls.empty()) << "no window was built";
        EXPECT_FALSE(fs::exists("units"));
        OsClose(held);
    }
    // Once the other program has ended, its lock file stands in the way of nobody.
    fs::create_directory("units");
    Seed();
    ScriptedUi third;
    Run(third);
    EXPECT_TRUE(third.messages.empty());
    EXPECT_TRUE(fs::exists(".velmora.lock"));
}

TEST_F(FolderSafety, TheProgramHoldsTheLockWhileItRunsAndReleasesItAtTheEnd) {
    Seed();
    ScriptedUi ui;
    OsLockResult whileRunning = OsLockResult::Held;
    apptest::QueueCheck(ui, [&](ScriptedUi&) {
        OsFile other;
        whileRunning = OsLockFile(u".velmora.lock", other);
        if (whileRunning == OsLockResult::Held) OsClose(other);
    });
    Run(ui);
    EXPECT_EQ(whileRunning, OsLockResult::HeldElsewhere);
    OsFile after;
    EXPECT_EQ(OsLockFile(u".velmora.lock", after), OsLockResult::Held);
    OsClose(after);
}

TEST_F(FolderSafety, FolderWhereNoLockCanBeMadeIsUsedAsAlways) {
    Seed();
    fs::create_directory(".velmora.lock");  // a lock file can neither be made nor opened
    AddAndSave(1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              test::LineFileBytes(apptest::HistoryLines({{8, {u"", u"", u"Plank|3|60|hold"}}})));
}

TEST_F(FolderSafety, FirstSaveOfEachDayKeepsTheVersionThatStoodAtItsStart) {
    Seed();
    const Bytes startHistory = ReadFileBytes("units/history.txt");
    const Bytes startUnits = ReadFileBytes("units/units.txt");
    AddAndSave(2);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Backups(),
              (std::vector<std::string>{"history-2024-01-10.txt", "units-2024-01-10.txt"}));
    EXPECT_EQ(ReadFileBytes("units/backup/history-2024-01-10.txt"), startHistory)
        << "the second save of the day leaves the first one's backup";
    EXPECT_EQ(ReadFileBytes("units/backup/units-2024-01-10.txt"), startUnits);
    const Bytes endOfDay = ReadFileBytes("units/history.txt");

    SetToday(2024, 1, 11);
    AddAndSave(1);
    EXPECT_EQ(ReadFileBytes("units/backup/history-2024-01-11.txt"), endOfDay);
    EXPECT_EQ(ReadFileBytes("units/backup/history-2024-01-10.txt"), startHistory);
    EXPECT_EQ(Backups().size(), 4u);
}

TEST_F(FolderSafety, OnlyTheNewestDaysAreKeptAsTheSettingSays) {
    struct Row {
        const char* name;
        std::string setting;
        std::vector<std::string> history;  // the history backups left, oldest first
    };
    const Row rows[] = {
        {"three days",
         "Backups = 3\r\n",
         {"history-2024-01-07.txt", "history-2024-01-08.txt", "history-2024-01-10.txt",
          "history-2024-01-01.txt.bak"}},
        {"fourteen days without the key",
         "",
         {"history-2023-12-27.txt", "history-2023-12-28.txt", "history-2023-12-29.txt",
          "history-2023-12-30.txt", "history-2023-12-31.txt", "history-2024-01-01.txt",
          "history-2024-01-02.txt", "history-2024-01-03.txt", "history-2024-01-04.txt",
          "history-2024-01-05.txt", "history-2024-01-06.txt", "history-2024-01-07.txt",
          "history-2024-01-08.txt", "history-2024-01-10.txt", "history-2024-01-01.txt.bak"}},
        {"turned off", "Backups = 0\r\n", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("units");
        fs::create_directories("units/backup");
        Seed(row.setting);
        // Sixteen older days of history backups, and files that only look like backups.
        for (int day = 16; day <= 31; ++day)
            test::WriteFileBytes("units/backup/history-2023-12-" + std::to_string(day) + ".txt",
                                 "old");
        for (int day = 1; day <= 8; ++day)
            test::WriteFileBytes("units/backup/history-2024-01-0" + std::to_string(day) + ".txt",
                                 "old");
        test::WriteFileBytes("units/backup/history-2024-01-01.txt.bak", "mine");
        test::WriteFileBytes("units/backup/notes.txt", "mine");
        AddAndSave(1);
        EXPECT_TRUE(messages.empty());
        std::vector<std::string> left;
        for (const std::string& name : Backups())
            if (name.rfind("history-", 0) == 0) left.push_back(name);
        std::vector<std::string> expected = row.history;
        if (row.setting == "Backups = 0\r\n") {
            // Nothing is made, and nothing of the old ones is removed either.
            EXPECT_FALSE(fs::exists("units/backup/history-2024-01-10.txt"));
            EXPECT_FALSE(fs::exists("units/backup/units-2024-01-10.txt"));
            EXPECT_EQ(left.size(), 25u);
            continue;
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(left, expected);
        EXPECT_TRUE(fs::exists("units/backup/notes.txt"));
        EXPECT_TRUE(fs::exists("units/backup/units-2024-01-10.txt"));
    }
}

TEST_F(FolderSafety, DataFileBehindALinkIsBackedUpAndStaysALink) {
    Seed();
    fs::create_directory("synced");
    fs::rename("units/history.txt", "synced/history.txt");
    fs::create_symlink("../synced/history.txt", "units/history.txt");
    const Bytes start = ReadFileBytes("synced/history.txt");
    AddAndSave(1);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(fs::is_symlink("units/history.txt"));
    EXPECT_EQ(ReadFileBytes("units/backup/history-2024-01-10.txt"), start);
    EXPECT_NE(ReadFileBytes("synced/history.txt"), start) << "the synced copy got the save";
    EXPECT_TRUE(test::TemporaryFilesIn("synced").empty());
}

TEST_F(FolderSafety, BackupThatCannotBeMadeIsReportedOnceAndNeverStopsTheSave) {
    Seed();
    test::WriteFileBytes("units/backup", "a file where the folder would go");
    AddAndSave(2);
    EXPECT_EQ(messages, std::vector<std::u16string>{BackupText});
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              test::LineFileBytes(
                  apptest::HistoryLines({{8, {u"", u"", u"Plank|3|60|hold\\Plank|3|60|hold"}}})));
    EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
}

// The values the sessions below do not try: blanks, zeros, word sizes, signs.
TEST(BackupSetting, OnlyPlainDecimalDigitsBetweenBlanksAreANumber) {
    constexpr WholeNumber Most = std::numeric_limits<WholeNumber>::max();
    struct Row {
        const char* name;
        std::u16string text;
        WholeNumber days;
        bool valid;
    };
    const Row rows[] = {
        {"plain", u"30", 30, true},
        {"blanks and tabs around", u" \t3\t ", 3, true},
        {"leading zeros", u"007", 7, true},
        {"zero", u"0", 0, true},
        {"largest 32-bit number", u"2147483647", 2147483647, true},
        {"twenty digits", u"99999999999999999999", Most, true},
        {"only blanks", u"  ", 14, false},
        {"binary", u"%11", 14, false},
        {"sign", u"+5", 14, false},
        {"negative", u"-1", 14, false},
        {"fraction", u"2.5", 14, false},
        {"full-width digits", u"\uFF13", 14, false},
        {"digits then text", u"10 days", 14, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BackupSetting setting = ReadBackupSetting(row.text);
        EXPECT_EQ(setting.days, row.days);
        EXPECT_EQ(setting.valid, row.valid);
    }
}

TEST_F(FolderSafety, BackupsValueThatIsNoPlainNumberKeepsFourteenDaysAndSaysSoOnce) {
    const std::u16string Shown = u"Die Einstellung \u201EBackups = ";
    const std::u16string Kept =
        u"\u201C in ini.ini nennt keine Zahl von Tagen. Es werden die Sicherungen der letzten 14 "
        u"Tage behalten.";
    std::vector<std::string> fourteen;
    for (int day = 27; day <= 31; ++day)
        fourteen.push_back("history-2023-12-" + std::to_string(day) + ".txt");
    for (int day = 1; day <= 8; ++day)
        fourteen.push_back("history-2024-01-0" + std::to_string(day) + ".txt");
    fourteen.push_back("history-2024-01-10.txt");
    std::vector<std::string> every = fourteen;
    for (int day = 16; day <= 26; ++day)
        every.push_back("history-2023-12-" + std::to_string(day) + ".txt");
    std::sort(every.begin(), every.end());
    struct Row {
        const char* name;
        std::string value;
        std::u16string shown;  // the value the box names; none: no box
        std::vector<std::string> left;
    };
    const std::string digits(100000, '9');
    const Row rows[] = {
        {"thousands comma", "1,000", u"1,000", fourteen},
        {"thousands blank", "1 000", u"1 000", fourteen},
        {"exponent", "1e2", u"1e2", fourteen},
        {"word", "unlimited", u"unlimited", fourteen},
        {"yes", "yes", u"yes", fourteen},
        {"empty", "", u"", fourteen},
        {"hexadecimal", "$A", u"$A", fourteen},
        {"a long damaged value, shortened", digits + "x", std::u16string(40, u'9') + u"\u2026",
         fourteen},
        {"twenty digits keep every backup", "9999999999999999999", u"", every},
        {"a hundred thousand digits keep every backup", digits, u"", every},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("units");
        fs::create_directories("units/backup");
        Seed("Backups = " + row.value + "\r\n");
        WriteHistoryBackups(2023, 12, 16, 31);
        WriteHistoryBackups(2024, 1, 1, 8);
        AddAndSave(2);
        if (row.left == every) {
            EXPECT_TRUE(messages.empty());
        } else {
            EXPECT_EQ(messages, std::vector<std::u16string>{Shown + row.shown + Kept})
                << "one box for two saves";
        }
        EXPECT_EQ(HistoryBackups(), row.left);
    }
}

// A clock once set ahead, or a folder copied from such a machine, leaves backups dated after
// today: they stay, and today's backup, the only copy of what the save replaced, stays too.
TEST_F(FolderSafety, BackupsDatedAfterTodayAreKeptAndNotCounted) {
    struct Row {
        const char* name;
        int firstJanuaryDay;  // older backups from this day of January to the 21st; 0: none
        std::vector<std::string> left;
    };
    const Row rows[] = {
        {"three February backups",
         0,
         {"history-2024-01-22.txt", "history-2024-02-01.txt", "history-2024-02-02.txt",
          "history-2024-02-03.txt"}},
        {"older ones are still pruned",
         17,
         {"history-2024-01-20.txt", "history-2024-01-21.txt", "history-2024-01-22.txt",
          "history-2024-02-01.txt", "history-2024-02-02.txt", "history-2024-02-03.txt"}},
    };
    SetToday(2024, 1, 22);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("units");
        fs::create_directories("units/backup");
        Seed("Backups = 3\r\n");
        if (row.firstJanuaryDay > 0) WriteHistoryBackups(2024, 1, row.firstJanuaryDay, 21);
        WriteHistoryBackups(2024, 2, 1, 3);
        const Bytes before = ReadFileBytes("units/history.txt");
        AddAndSave(1);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(HistoryBackups(), row.left);
        EXPECT_EQ(ReadFileBytes("units/backup/history-2024-01-22.txt"), before);
        EXPECT_TRUE(fs::exists("units/backup/units-2024-01-22.txt"));
    }
}

}  // namespace
