// SPDX-License-Identifier: GPL-3.0-or-later
// The file services in memory, the seam the fuzz targets run on: the calls the loaders and
// savers make, the replacement, the listing, links and the lock behave as the system's do.
// Built as its own test program, since every program links exactly one file seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "data/backups.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/os_file.h"
#include "platform/os_file_memory.h"

namespace {

std::string BytesOf(const std::u16string& path) {
    std::string bytes;
    EXPECT_TRUE(MemoryFileBytes(path, bytes)) << "no file";
    return bytes;
}

std::string ReadAll(const std::u16string& path) {
    OsFile file;
    std::string bytes;
    if (!OsOpenRead(path, file)) return "(not opened)";
    EXPECT_TRUE(OsReadRest(file, bytes, 1 << 20));
    EXPECT_TRUE(OsClose(file));
    return bytes;
}

std::vector<std::u16string> Listing(const std::u16string& folder) {
    std::vector<std::u16string> names = OsFolderFiles(folder);
    std::sort(names.begin(), names.end());
    return names;
}

bool WriteWith(const std::u16string& path, const std::string& bytes) {
    return OsReplaceFileWith(
        path, [&bytes](OsFile& file) { return OsWrite(file, bytes.data(), bytes.size()); });
}

struct Row {
    const char* name;
    std::function<void()> steps;
};

const Row Rows[] = {
    {"a file written in pieces reads back in pieces, sized",
     [] {
         OsFile file;
         ASSERT_TRUE(OsCreateWrite(u"units/a.txt", file));
         EXPECT_TRUE(file.changed);
         EXPECT_TRUE(OsWrite(file, "abc", 3));
         EXPECT_TRUE(OsWrite(file, "def", 3));
         EXPECT_TRUE(OsClose(file));
         EXPECT_EQ(OsFileSize(u"units/a.txt"), 6);
         ASSERT_TRUE(OsOpenRead(u"units/./a.txt", file));
         char buffer[4];
         EXPECT_EQ(OsRead(file, buffer, 4), 4);
         EXPECT_EQ(std::string(buffer, 4), "abcd");
         EXPECT_EQ(OsRead(file, buffer, 4), 2);
         EXPECT_EQ(OsRead(file, buffer, 4), 0);
         EXPECT_FALSE(OsWrite(file, "x", 1)) << "opened for reading only";
         EXPECT_TRUE(OsClose(file));
         EXPECT_FALSE(OsClose(file)) << "closed twice";
         ASSERT_TRUE(OsCreateWrite(u"units/a.txt", file));
         EXPECT_TRUE(OsClose(file));
         EXPECT_EQ(OsFileSize(u"units/a.txt"), 0) << "a create truncates";
     }},
    {"files open at once keep their own positions, closed in any order",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "abcdef"));
         ASSERT_TRUE(PutMemoryFile(u"units/b.txt", "uvwxyz"));
         OsFile first;
         OsFile second;
         OsFile third;
         ASSERT_TRUE(OsOpenRead(u"units/a.txt", first));
         ASSERT_TRUE(OsOpenRead(u"units/b.txt", second));
         ASSERT_TRUE(OsOpenRead(u"units/a.txt", third));
         char buffer[2];
         EXPECT_EQ(OsRead(first, buffer, 2), 2);
         EXPECT_EQ(OsRead(second, buffer, 1), 1);
         EXPECT_TRUE(OsClose(first)) << "the first of three, not the last";
         EXPECT_EQ(OpenMemoryFiles(), 2u);
         EXPECT_EQ(OsRead(second, buffer, 2), 2);
         EXPECT_EQ(std::string(buffer, 2), "vw");
         EXPECT_EQ(OsRead(third, buffer, 2), 2);
         EXPECT_EQ(std::string(buffer, 2), "ab");
         EXPECT_EQ(OsRead(first, buffer, 2), -1) << "a closed handle reads nothing";
         EXPECT_TRUE(OsClose(third));
         EXPECT_TRUE(OsClose(second));
         EXPECT_EQ(OpenMemoryFiles(), 0u);
     }},
    {"the rest of a file larger than any one read comes whole, up to the most asked for",
     [] {
         std::string big(200'000, 'x');
         for (std::size_t at = 0; at < big.size(); at += 997) big[at] = char('a' + at % 26);
         ASSERT_TRUE(PutMemoryFile(u"units/big.txt", big));
         EXPECT_EQ(ReadAll(u"units/big.txt"), big);
         OsFile file;
         ASSERT_TRUE(OsOpenRead(u"units/big.txt", file));
         std::string bytes;
         EXPECT_FALSE(OsReadRest(file, bytes, big.size() - 1)) << "one byte too many";
         EXPECT_TRUE(OsClose(file));
     }},
    {"what is missing or a folder does not open",
     [] {
         OsFile file;
         EXPECT_FALSE(OsOpenRead(u"units/none.txt", file));
         EXPECT_EQ(file.handle, -1);
         EXPECT_FALSE(OsCreateWrite(u"none/a.txt", file)) << "no such folder";
         EXPECT_FALSE(OsOpenRead(u"units", file));
         EXPECT_FALSE(OsCreateWrite(u"units", file));
         EXPECT_EQ(OsFileSize(u"units/none.txt"), -1);
         EXPECT_EQ(OsFileSize(u""), -1);
         EXPECT_EQ(OsFileSize(u"units"), -2);
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "abc"));
         EXPECT_FALSE(OsCreateNew(u"units/a.txt", file)) << "an exclusive create opens nothing";
         EXPECT_EQ(BytesOf(u"units/a.txt"), "abc");
         ASSERT_TRUE(SetMemoryFileMode(u"units/a.txt", 0444));
         EXPECT_TRUE(OsIsReadOnly(u"units/a.txt"));
         EXPECT_FALSE(OsOpenReadWrite(u"units/a.txt", file));
         EXPECT_FALSE(OsCreateWrite(u"units/a.txt", file));
         EXPECT_EQ(ReadAll(u"units/a.txt"), "abc");
     }},
    {"a replacement puts the new bytes in place and leaves no temporary file",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/units.txt", "old"));
         OsFile reader;
         ASSERT_TRUE(OsOpenRead(u"units/units.txt", reader));
         EXPECT_TRUE(WriteWith(u"units/units.txt", "new bytes"));
         EXPECT_EQ(BytesOf(u"units/units.txt"), "new bytes");
         std::string old;
         EXPECT_TRUE(OsReadRest(reader, old, 100));
         EXPECT_EQ(old, "old") << "an open file keeps what it opened";
         EXPECT_TRUE(OsClose(reader));
         EXPECT_FALSE(OsReplaceFileWith(u"units/units.txt", [](OsFile&) { return false; }));
         EXPECT_EQ(BytesOf(u"units/units.txt"), "new bytes") << "a failed writer changes nothing";
         EXPECT_EQ(Listing(u"units"), std::vector<std::u16string>{u"units.txt"});
         ASSERT_TRUE(SetMemoryFileMode(u"units/units.txt", 0444));
         EXPECT_FALSE(WriteWith(u"units/units.txt", "refused"));
         EXPECT_FALSE(WriteWith(u"units", "refused")) << "a folder never gives way";
         EXPECT_EQ(Listing(u"units"), std::vector<std::u16string>{u"units.txt"});
     }},
    {"a rename replaces a file but no folder, and the temporary file takes the mode",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "a"));
         ASSERT_TRUE(PutMemoryFile(u"units/b.txt", "b"));
         ASSERT_TRUE(OsMakeFolder(u"units/sub"));
         EXPECT_TRUE(OsReplaceFile(u"units/a.txt", u"units/b.txt"));
         EXPECT_EQ(OsFileSize(u"units/a.txt"), -1);
         EXPECT_EQ(BytesOf(u"units/b.txt"), "a");
         EXPECT_FALSE(OsReplaceFile(u"units/b.txt", u"units/sub"));
         EXPECT_FALSE(OsReplaceFile(u"units/none.txt", u"units/c.txt"));
         ASSERT_TRUE(SetMemoryFileMode(u"units/b.txt", 0444));
         OsFile file;
         ASSERT_TRUE(OsCreateNew(u"units/c.txt", file));
         EXPECT_TRUE(OsTakeFileMode(file, u"units/b.txt"));
         EXPECT_TRUE(OsWrite(file, "c", 1)) << "the handle keeps its access";
         EXPECT_TRUE(OsClose(file));
         EXPECT_TRUE(OsIsReadOnly(u"units/c.txt"));
     }},
    {"a listing names the files of one folder, not its folders or links",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/b.txt", ""));
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", ""));
         ASSERT_TRUE(OsMakeFolder(u"units/backup"));
         ASSERT_TRUE(PutMemoryFile(u"units/backup/c.txt", ""));
         ASSERT_TRUE(PutMemoryLink(u"units/l.txt", u"a.txt"));
         ASSERT_TRUE(PutMemoryFile(u"top.txt", ""));
         EXPECT_EQ(Listing(u"units"), (std::vector<std::u16string>{u"a.txt", u"b.txt"}));
         EXPECT_EQ(Listing(u"units/backup"), std::vector<std::u16string>{u"c.txt"});
         EXPECT_EQ(Listing(u"."), std::vector<std::u16string>{u"top.txt"});
         EXPECT_TRUE(Listing(u"none").empty());
         EXPECT_TRUE(OsRemoveFile(u"units/l.txt"));
         EXPECT_FALSE(OsRemoveFile(u"units/l.txt"));
         EXPECT_FALSE(OsRemoveFile(u"units/backup"));
         EXPECT_EQ(OsFileSize(u"units/a.txt"), 0) << "removing a link leaves its file";
     }},
    {"a link stays a link and its target gets the new bytes",
     [] {
         ASSERT_TRUE(OsMakeFolder(u"synced"));
         ASSERT_TRUE(PutMemoryFile(u"synced/units.txt", "old"));
         ASSERT_TRUE(PutMemoryLink(u"units/units.txt", u"../synced/units.txt"));
         EXPECT_EQ(OsLinkTarget(u"units/units.txt"), u"units/../synced/units.txt");
         EXPECT_EQ(OsFileSize(u"units/units.txt"), 3);
         EXPECT_TRUE(WriteWith(u"units/units.txt", "new"));
         EXPECT_EQ(BytesOf(u"synced/units.txt"), "new");
         EXPECT_EQ(OsLinkTarget(u"units/units.txt"), u"units/../synced/units.txt");
         OsFile file;
         EXPECT_FALSE(OsCreateNew(u"units/units.txt", file)) << "a link is something there";
         ASSERT_TRUE(PutMemoryLink(u"units/loop.txt", u"loop.txt"));
         EXPECT_EQ(OsFileSize(u"units/loop.txt"), -1);
     }},
    {"a second name keeps the old bytes when the file is replaced",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/history.txt", "monday"));
         ASSERT_TRUE(OsMakeFolder(u"units/backup"));
         EXPECT_TRUE(OsMakeFolder(u"units/backup")) << "a folder that is there";
         EXPECT_FALSE(OsMakeFolder(u"units/history.txt"));
         EXPECT_FALSE(OsMakeFolder(u"none/backup"));
         EXPECT_TRUE(OsHardLink(u"units/history.txt", u"units/backup/history.txt"));
         EXPECT_FALSE(OsHardLink(u"units/history.txt", u"units/backup/history.txt"));
         EXPECT_TRUE(WriteWith(u"units/history.txt", "tuesday"));
         EXPECT_EQ(BytesOf(u"units/backup/history.txt"), "monday");
         EXPECT_TRUE(OsCopyFile(u"units/history.txt", u"units/copy.txt"));
         EXPECT_EQ(BytesOf(u"units/copy.txt"), "tuesday");
     }},
    {"the lock is held once until its handle closes",
     [] {
         OsFile first;
         OsFile second;
         EXPECT_EQ(OsLockFile(u".velmora.lock", first), OsLockResult::Held);
         EXPECT_EQ(OsLockFile(u".velmora.lock", second), OsLockResult::HeldElsewhere);
         EXPECT_EQ(second.handle, -1);
         EXPECT_TRUE(OsClose(first));
         EXPECT_EQ(OsLockFile(u".velmora.lock", second), OsLockResult::Held);
         EXPECT_TRUE(OsClose(second));
         ASSERT_TRUE(SetMemoryFileMode(u"units", 0555));
         EXPECT_EQ(OsLockFile(u"units/.velmora.lock", first), OsLockResult::Unavailable);
         EXPECT_FALSE(WriteWith(u"units/units.txt", "x")) << "a read-only folder";
     }},
    {"the catalogue and the history save and load back, with the day's backup",
     [] {
         Document saved;
         AddUnit(saved, u"Plank", 3, 60, u"hold");
         AddUnit(saved, u"Laufen", 1, 5, u"");
         AddWeek(saved.history, 8);
         saved.history[0].days[2] = u"Plank|3|60|hold";
         const LocalDate today = DateOf(2026, 2, 9);
         ASSERT_TRUE(SaveUnitCatalogue(saved).report.ok());
         ASSERT_TRUE(SaveWeekHistory(saved).report.ok());
         const SaveOutcome again = SaveWeekHistory(saved, DailyBackup{14, today});
         EXPECT_TRUE(again.report.ok());
         EXPECT_TRUE(again.backup.ok());
         EXPECT_EQ(BytesOf(DailyBackupPath(HistoryFilePath, today)), BytesOf(HistoryFilePath));
         Document loaded;
         EXPECT_TRUE(LoadUnitCatalogue(loaded).ok());
         EXPECT_TRUE(LoadWeekHistory(loaded).report.ok());
         ASSERT_EQ(loaded.catalogue.size(), 2u);
         EXPECT_EQ(loaded.catalogue[1].Name(), u"Laufen");
         EXPECT_EQ(loaded.catalogue[0].count2, 60);
         ASSERT_EQ(loaded.history.size(), 1u);
         EXPECT_EQ(loaded.history[0].weekNumber, 8);
         EXPECT_EQ(loaded.history[0].days, saved.history[0].days);
         EXPECT_EQ(Listing(u"units"), (std::vector<std::u16string>{u"history.txt", u"units.txt"}));
     }},
    {"a file keeps no time until one is set; the history's load reports the time set",
     [] {
         std::int64_t seconds = 0;
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "a"));
         EXPECT_FALSE(OsModificationTime(u"units/a.txt", seconds));
         ASSERT_TRUE(SetMemoryFileTime(u"units/a.txt", 1'700'000'000));
         ASSERT_TRUE(OsModificationTime(u"units/a.txt", seconds));
         EXPECT_EQ(seconds, 1'700'000'000);
         ASSERT_TRUE(WriteWith(u"units/a.txt", "b")) << "a save: a new file, a later time";
         ASSERT_TRUE(OsModificationTime(u"units/a.txt", seconds));
         EXPECT_EQ(seconds, 1'700'000'000);
         ASSERT_TRUE(SetMemoryFileTime(u"units/a.txt", -90));
         ASSERT_TRUE(OsModificationTime(u"units/a.txt", seconds));
         EXPECT_EQ(seconds, -90);
         EXPECT_FALSE(OsModificationTime(u"units/none.txt", seconds));
         Document saved;
         AddWeek(saved.history, 8);
         ASSERT_TRUE(SaveWeekHistory(saved).report.ok());
         ASSERT_TRUE(SetMemoryFileTime(HistoryFilePath, 1'771'000'000));
         Document loaded;
         EXPECT_EQ(LoadWeekHistory(loaded).changedAt, std::optional<std::int64_t>(1'771'000'000));
     }},
    {"a file's identity changes with each write and each replacement; a move never replaces",
     [] {
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "ab"));
         const OsFileIdentity first = OsIdentityOf(u"units/a.txt");
         ASSERT_TRUE(first.exists);
         EXPECT_EQ(first.size, 2);
         EXPECT_TRUE(SameFileIdentity(first, OsIdentityOf(u"units/./a.txt")));
         ASSERT_TRUE(PutMemoryFile(u"units/a.txt", "cd")) << "the same size, written in place";
         const OsFileIdentity second = OsIdentityOf(u"units/a.txt");
         EXPECT_FALSE(SameFileIdentity(first, second));
         ASSERT_TRUE(WriteWith(u"units/a.txt", "cd"));
         EXPECT_NE(OsIdentityOf(u"units/a.txt").number, second.number) << "a new file";
         OsFile file;
         ASSERT_TRUE(OsOpenRead(u"units/a.txt", file));
         EXPECT_TRUE(SameFileIdentity(OsIdentityOfOpen(file), OsIdentityOf(u"units/a.txt")));
         EXPECT_TRUE(OsClose(file));
         EXPECT_FALSE(OsIdentityOf(u"units").exists) << "a folder";
         ASSERT_TRUE(PutMemoryFile(u"units/b.txt", "b"));
         EXPECT_FALSE(OsMoveFileNoReplace(u"units/b.txt", u"units/a.txt"));
         EXPECT_EQ(BytesOf(u"units/a.txt"), "cd");
         EXPECT_TRUE(OsMoveFileNoReplace(u"units/b.txt", u"units/c.txt"));
         EXPECT_EQ(BytesOf(u"units/c.txt"), "b");
         EXPECT_FALSE(OsIdentityOf(u"units/b.txt").exists);
     }},
};

TEST(MemoryFiles, BehaveAsTheSystemFilesDo) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        ResetMemoryFiles();
        ASSERT_TRUE(OsMakeFolder(u"units"));
        row.steps();
        EXPECT_EQ(OpenMemoryFiles(), 0u) << "every handle is closed again";
    }
}

}  // namespace
