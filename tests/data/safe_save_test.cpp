// Both saves under every failure: each injected file fault, a read-only file, a missing
// folder, a folder in place of the file, and a file that could not be read at start-up.
// The old file must stay byte-identical, no temporary file may remain, memory is kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/data_fixture.h"
#include "data/day_entries.h"
#include "data/safe_save.h"

namespace {

using test::Bytes;
using SafeSaveTest = test::DataTest;

struct FaultRow {
    const char* name;
    std::function<void()> arm;
};

std::vector<FaultRow> FaultRows() {
    return {
        {"create fails", [] { InjectedFileFaults.failCreate = true; }},
        {"first write fails", [] { InjectedFileFaults.failWriteAfterBytes = 0; }},
        {"write fails after 10 bytes", [] { InjectedFileFaults.failWriteAfterBytes = 10; }},
        {"write fails after the first buffer",
         [] { InjectedFileFaults.failWriteAfterBytes = 5000; }},
        {"close fails", [] { InjectedFileFaults.failClose = true; }},
        {"replace fails", [] { InjectedFileFaults.failReplace = true; }},
    };
}

// One save of either file: its path, its message key, how to fill memory, how to save
// and a snapshot of memory to compare before and after.
struct SavedFile {
    const char* name;
    std::u16string path;
    const char16_t* messageKey;
    std::function<void()> fill;
    std::function<bool()> save;
    std::function<std::vector<std::u16string>()> snapshot;
};

std::vector<SavedFile> SavedFiles() {
    return {
        {"units", UnitFilePath, u"SaveUnits",
         [] {
             UnitCatalogue.clear();
             // Long enough to need several buffer fills.
             for (int i = 0; i < 400; ++i) AddUnit(u"Unit " + FormatInteger(i), i, -i, u"desc");
         },
         SaveUnitCatalogue,
         [] {
             std::vector<std::u16string> rows;
             for (const TrainingUnit& unit : UnitCatalogue) rows.push_back(DayEntryOf(unit));
             return rows;
         }},
        {"history", HistoryFilePath, u"SaveHistory",
         [] {
             WeekHistory.clear();
             for (int i = 0; i < 40; ++i) {
                 AddWeek(7 * i + 1);
                 WeekHistory.back().days[2] = u"Run|1|5|easy\\Plank|3|60|hold";
             }
         },
         SaveWeekHistory,
         [] {
             std::vector<std::u16string> rows;
             for (const TrainingWeek& week : WeekHistory) {
                 rows.push_back(FormatInteger(week.weekNumber));
                 for (const auto& day : week.days) rows.push_back(day);
             }
             return rows;
         }},
    };
}

const Bytes OldContent = test::LineFileBytes({u"old|1|2|content"});

std::u16string TemporaryOf(const std::u16string& path) {
    return path + TemporarySuffix;
}

TEST_F(SafeSaveTest, EveryInjectedFaultKeepsTheOldFile) {
    for (const SavedFile& file : SavedFiles()) {
        for (const FaultRow& fault : FaultRows()) {
            SCOPED_TRACE(std::string(file.name) + ": " + fault.name);
            ui.messages.clear();
            test::WriteFileBytes(test::ToUtf8(file.path), OldContent);
            file.fill();
            std::vector<std::u16string> before = file.snapshot();

            fault.arm();
            EXPECT_FALSE(file.save());
            ExpectOnlyMessage(file.messageKey, file.path);
            EXPECT_EQ(test::ReadFileBytes(test::ToUtf8(file.path)), OldContent);
            EXPECT_FALSE(test::FileExists(test::ToUtf8(TemporaryOf(file.path))));
            EXPECT_EQ(file.snapshot(), before);

            // The fault fired once; the next save goes through.
            EXPECT_TRUE(file.save());
            EXPECT_EQ(ui.messages.size(), 1u);
            EXPECT_NE(test::ReadFileBytes(test::ToUtf8(file.path)), OldContent);
            EXPECT_FALSE(test::FileExists(test::ToUtf8(TemporaryOf(file.path))));
        }
    }
}

TEST_F(SafeSaveTest, UnwritablePlacesFailWithTheFileMessage) {
    struct Place {
        const char* name;
        std::function<void(const std::string&)> prepare;
        bool oldFileStays;
    };
    const Place places[] = {
        {"read-only file",
         [](const std::string& path) {
             test::WriteFileBytes(path, OldContent);
             std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::group_read |
                                                    std::filesystem::perms::others_read);
         },
         true},
        {"folder in place of the file",
         [](const std::string& path) { std::filesystem::create_directory(path); }, false},
        {"missing units folder", [](const std::string&) { std::filesystem::remove_all("units"); },
         false},
    };
    for (const SavedFile& file : SavedFiles()) {
        for (const Place& place : places) {
            SCOPED_TRACE(std::string(file.name) + ": " + place.name);
            ui.messages.clear();
            std::filesystem::remove_all("units");
            std::filesystem::create_directory("units");
            std::string path = test::ToUtf8(file.path);
            place.prepare(path);
            file.fill();
            EXPECT_FALSE(file.save());
            ExpectOnlyMessage(file.messageKey, file.path);
            if (place.oldFileStays) {
                EXPECT_EQ(test::ReadFileBytes(path), OldContent);
                std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::add);
            }
            EXPECT_FALSE(test::FileExists(test::ToUtf8(TemporaryOf(file.path))));
        }
    }
}

TEST_F(SafeSaveTest, FileUnreadableAtStartUpIsNeverReplaced) {
    struct Loader {
        const char* name;
        std::u16string path;
        const char16_t* loadKey;
        const char16_t* saveKey;
        std::function<bool()> load;
        std::function<bool()> save;
        bool* unreadable;
    };
    const Loader loaders[] = {
        {"units", UnitFilePath, u"UnitFile", u"SaveUnits", LoadUnitCatalogue, SaveUnitCatalogue,
         &UnitFileUnreadable},
        {"history", HistoryFilePath, u"HistoryFile", u"SaveHistory", LoadWeekHistory,
         SaveWeekHistory, &HistoryFileUnreadable},
    };
    for (const Loader& loader : loaders) {
        SCOPED_TRACE(loader.name);
        ui.messages.clear();
        std::string path = test::ToUtf8(loader.path);
        // A folder cannot be opened as a file: the load fails although something is there.
        std::filesystem::create_directory(path);
        EXPECT_FALSE(loader.load());
        ExpectOnlyMessage(loader.loadKey, loader.path);
        EXPECT_TRUE(*loader.unreadable);

        // Even once the path holds a writable file, the save refuses to replace it.
        std::filesystem::remove(path);
        test::WriteFileBytes(path, OldContent);
        ui.messages.clear();
        EXPECT_FALSE(loader.save());
        ExpectOnlyMessage(loader.saveKey, loader.path);
        EXPECT_EQ(test::ReadFileBytes(path), OldContent);
        EXPECT_FALSE(test::FileExists(test::ToUtf8(TemporaryOf(loader.path))));
    }
}

TEST_F(SafeSaveTest, StaleTemporaryFileIsOverwritten) {
    test::WriteFileBytes("units/units.txt.new", std::string_view("leftover from a crash"));
    AddUnit(u"A", 1, 2, u"x");
    ASSERT_TRUE(SaveUnitCatalogue());
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({u"A|1|2|x"}));
    EXPECT_FALSE(test::FileExists("units/units.txt.new"));
}

}  // namespace
