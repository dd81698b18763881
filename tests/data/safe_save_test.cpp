// SPDX-License-Identifier: GPL-3.0-or-later
// Both saves under every failure: each injected file fault, a read-only file, a missing
// folder, a folder in place of the file, and a file that could not be read at start-up.
// The old file must stay byte-identical, no temporary file may remain, memory is kept.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
         [] { InjectedFileFaults.failWriteAfterBytes = LineFileBufferBytes + 10; }},
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
    std::function<void(Document&)> fill;
    std::function<SaveOutcome(const Document&)> save;
    std::function<std::vector<std::u16string>(const Document&)> snapshot;
};

std::vector<SavedFile> SavedFiles() {
    return {
        {"units", UnitFilePath, u"SaveUnits",
         [](Document& doc) {
             doc.catalogue.clear();
             // Every line takes more than 16 bytes: enough to fill the buffer a few times.
             for (WholeNumber i = 0; i < WholeNumber(3 * LineFileBufferBytes / 16); ++i)
                 AddUnit(doc, u"Unit " + FormatInteger(i), i, -i, u"desc");
         },
         [](const Document& doc) { return SaveUnitCatalogue(doc); },
         [](const Document& doc) {
             std::vector<std::u16string> rows;
             for (const TrainingUnit& unit : doc.catalogue) rows.push_back(DayEntryOf(unit));
             return rows;
         }},
        {"history", HistoryFilePath, u"SaveHistory",
         [](Document& doc) {
             doc.history.clear();
             // Every week takes more than the smallest block: the buffer fills a few times.
             for (WholeNumber i = 0;
                  i < WholeNumber(3 * LineFileBufferBytes / MinimumHistoryFileSize); ++i) {
                 AddWeek(doc.history, 7 * i + 1);
                 doc.history.back().days[2] = u"Run|1|5|easy\\Plank|3|60|hold";
             }
         },
         [](const Document& doc) { return SaveWeekHistory(doc); },
         [](const Document& doc) {
             std::vector<std::u16string> rows;
             for (const TrainingWeek& week : doc.history) {
                 rows.push_back(FormatInteger(week.weekNumber));
                 for (const auto& day : week.days) rows.push_back(day);
             }
             return rows;
         }},
    };
}

const Bytes OldContent = test::LineFileBytes({u"old|1|2|content"});

TEST_F(SafeSaveTest, EveryInjectedFaultKeepsTheOldFile) {
    for (const SavedFile& file : SavedFiles()) {
        for (const FaultRow& fault : FaultRows()) {
            SCOPED_TRACE(std::string(file.name) + ": " + fault.name);
            reports.clear();
            test::WriteFileBytes(test::ToUtf8(file.path), OldContent);
            file.fill(doc);
            std::vector<std::u16string> before = file.snapshot(doc);

            fault.arm();
            EXPECT_FALSE(Kept(file.save(doc)));
            ExpectOnlyMessage(file.messageKey, file.path);
            EXPECT_EQ(test::ReadFileBytes(test::ToUtf8(file.path)), OldContent);
            EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
            EXPECT_EQ(file.snapshot(doc), before);

            // The fault fired once; the next save goes through.
            EXPECT_TRUE(Kept(file.save(doc)));
            EXPECT_EQ(reports.size(), 1u);
            EXPECT_NE(test::ReadFileBytes(test::ToUtf8(file.path)), OldContent);
            EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
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
            reports.clear();
            std::filesystem::remove_all("units");
            std::filesystem::create_directory("units");
            std::string path = test::ToUtf8(file.path);
            place.prepare(path);
            file.fill(doc);
            EXPECT_FALSE(Kept(file.save(doc)));
            ExpectOnlyMessage(file.messageKey, file.path);
            if (place.oldFileStays) {
                EXPECT_EQ(test::ReadFileBytes(path), OldContent);
                std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::add);
            }
            EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
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
        {"units", UnitFilePath, u"UnitFile", u"SaveUnits",
         [this] { return Kept(LoadUnitCatalogue(doc)); },
         [this] { return Kept(SaveUnitCatalogue(doc)); }, &doc.unitFileUnreadable},
        {"history", HistoryFilePath, u"HistoryFile", u"SaveHistory",
         [this] { return LoadHistory(); }, [this] { return Kept(SaveWeekHistory(doc)); },
         &doc.historyFileUnreadable},
    };
    for (const Loader& loader : loaders) {
        SCOPED_TRACE(loader.name);
        reports.clear();
        std::string path = test::ToUtf8(loader.path);
        // A folder cannot be opened as a file: the load fails although something is there.
        std::filesystem::create_directory(path);
        EXPECT_FALSE(loader.load());
        ExpectOnlyMessage(loader.loadKey, loader.path);
        EXPECT_TRUE(*loader.unreadable);

        // Even once the path holds a writable file, the save refuses to replace it.
        std::filesystem::remove(path);
        test::WriteFileBytes(path, OldContent);
        reports.clear();
        EXPECT_FALSE(loader.save());
        ExpectOnlyMessage(loader.saveKey, loader.path);
        EXPECT_EQ(test::ReadFileBytes(path), OldContent);
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    }
}

TEST_F(SafeSaveTest, TheUsersFilesNamedLikeATemporaryFileAreLeftAlone) {
    // The names every save used to write before it took names of its own.
    test::WriteFileBytes("units/units.txt.new", std::string_view("the user's own notes"));
    std::filesystem::create_directory("units/history.txt.new");
    AddUnit(doc, u"A", 1, 2, u"x");
    AddWeek(doc.history, 8);
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({u"A|1|2|x"}));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt.new"),
              test::Bytes(std::string_view("the user's own notes").begin(),
                          std::string_view("the user's own notes").end()));
    EXPECT_TRUE(std::filesystem::is_directory("units/history.txt.new"));
    EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
}

}  // namespace

namespace {

namespace fs = std::filesystem;

// What a user may have set up for a data file: a link (into another folder, a chain, one
// relative to its own folder), a mode, an owner. A save must keep it all.
TEST_F(SafeSaveTest, LinksModesAndOwnersOfTheDataFileAreKept) {
    struct Row {
        const char* name;
        std::function<void()> prepare;  // leaves units/units.txt in the state to keep
        const char* target;             // the file that must receive the new content
        fs::perms mode;
    };
    const fs::perms privateMode = fs::perms::owner_read | fs::perms::owner_write;
    const fs::perms groupMode = privateMode | fs::perms::group_read;
    const fs::perms usualMode = groupMode | fs::perms::others_read;
    const Row rows[] = {
        {"link beside the file",
         [] {
             test::WriteFileBytes("units/real.txt", OldContent);
             fs::create_symlink("real.txt", "units/units.txt");
         },
         "units/real.txt", usualMode},
        {"link into a synced folder",
         [] {
             fs::create_directory("synced");
             test::WriteFileBytes("synced/units.txt", OldContent);
             fs::create_symlink("../synced/units.txt", "units/units.txt");
         },
         "synced/units.txt", usualMode},
        {"chain of an absolute and a relative link",
         [] {
             fs::create_directory("synced");
             test::WriteFileBytes("synced/real.txt", OldContent);
             fs::create_symlink("real.txt", "synced/middle.txt");
             fs::create_symlink(fs::absolute("synced/middle.txt"), "units/units.txt");
         },
         "synced/real.txt", usualMode},
        {"link to a file not there yet",
         [] {
             fs::create_directory("synced");
             fs::create_symlink("../synced/units.txt", "units/units.txt");
         },
         "synced/units.txt", usualMode},
        {"private file",
         [&] {
             test::WriteFileBytes("units/units.txt", OldContent);
             fs::permissions("units/units.txt", privateMode);
         },
         "units/units.txt", privateMode},
        {"group-readable file behind a link",
         [&] {
             test::WriteFileBytes("units/real.txt", OldContent);
             fs::permissions("units/real.txt", groupMode);
             fs::create_symlink("real.txt", "units/units.txt");
         },
         "units/real.txt", groupMode},
    };
    const mode_t oldMask = ::umask(022);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("units");
        fs::remove_all("synced");
        fs::create_directory("units");
        row.prepare();
        const bool wasLink = fs::is_symlink("units/units.txt");
        doc.catalogue = {{u"New", 1, 2, u"content"}};
        EXPECT_TRUE(Kept(SaveUnitCatalogue(doc)));
        EXPECT_EQ(fs::is_symlink("units/units.txt"), wasLink) << "a link stays a link";
        EXPECT_EQ(test::ReadFileBytes(row.target), test::LineFileBytes({u"New|1|2|content"}));
        EXPECT_EQ(fs::status(row.target).permissions() & fs::perms::all, row.mode);
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
        if (fs::exists("synced")) {
            EXPECT_TRUE(test::TemporaryFilesIn("synced").empty());
        }
    }
    ::umask(oldMask);
    EXPECT_TRUE(reports.empty());
}

TEST_F(SafeSaveTest, OwnerOfTheDataFileIsKeptWhereTheProgramMayGiveFilesAway) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may keep another user's ownership";
    test::WriteFileBytes("units/history.txt", OldContent);
    ASSERT_EQ(::chown("units/history.txt", 65534, 65534), 0);
    AddWeek(doc.history, 8);
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    struct stat info {};
    ASSERT_EQ(::stat("units/history.txt", &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(SafeSaveTest, EachReplacementHasATemporaryFileOfItsOwn) {
    test::WriteFileBytes("units/units.txt", OldContent);
    OsReplacement first;
    OsReplacement second;
    ASSERT_TRUE(OsBeginReplacement(u"units/units.txt", first));
    ASSERT_TRUE(OsBeginReplacement(u"units/units.txt", second));
    EXPECT_NE(first.temporary, second.temporary);
    EXPECT_EQ(test::TemporaryFilesIn("units").size(), 2u);
    for (const std::u16string& name : {first.temporary, second.temporary}) {
        SCOPED_TRACE(test::ToUtf8(name));
        EXPECT_EQ(name.rfind(u"units/units.txt.velmora-", 0), 0u);
        EXPECT_TRUE(IsReplacementName(name));
    }
    OsCancelReplacement(first);
    OsCancelReplacement(second);
    EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), OldContent);
    EXPECT_FALSE(IsReplacementName(u"units.txt.new"));
    EXPECT_FALSE(IsReplacementName(u"units.txt.velmora-abc.tmp"));
}

}  // namespace
