// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file services: sizes, modification times, byte-exact writes, the read-sharing
// rules, the read-only attribute, the one-step replace and the injected faults of the saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/os_file.h"
#include "platform/os_file_faults.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Each test runs in a fresh folder that is its working directory, so paths stay relative.
class OsFileWin : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() /
                  ("velmora-win-" + std::to_string(GetCurrentProcessId()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "units");
        std::filesystem::current_path(folder_);
        InjectedFileFaults = FileFaults{};
    }
    void TearDown() override {
        InjectedFileFaults = FileFaults{};
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        for (auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool WriteFile(const std::u16string& path, const Bytes& bytes) {
    OsFile file;
    if (!OsCreateWrite(path, file)) return false;
    bool written = OsWrite(file, bytes.data(), bytes.size());
    return OsClose(file) && written;
}

const Bytes LineBytes = {0x41, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x0D, 0x00, 0x0A, 0x00};

TEST_F(OsFileWin, SizeTellsMissingFolderAndFileApart) {
    WriteAll("units/units.txt", LineBytes);
    struct Row {
        const char* name;
        std::u16string path;
        std::int64_t size;
    };
    const Row rows[] = {
        {"empty path", u"", -1},
        {"missing file", u"units/none.txt", -1},
        {"missing folder", u"nothing/units.txt", -1},
        {"folder", u"units", -2},
        {"file with slash", u"units/units.txt", 10},
        {"file with backslash", u"units\\units.txt", 10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(OsFileSize(row.path), row.size);
    }
}

// The time the file system keeps, set through SetFileTime, read back as seconds since 1970.
TEST_F(OsFileWin, ModificationTimeIsTheFileSystemsInSecondsSince1970) {
    WriteAll("units/history.txt", LineBytes);
    struct Row {
        const char* name;
        std::int64_t seconds;
    };
    const Row rows[] = {
        {"noon UTC, 22 January 2024", 1705924800},
        {"past January 2038", 2159006400},
        {"before 1970", -86400},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::uint64_t steps =
            static_cast<std::uint64_t>(row.seconds + 11644473600) * 10000000u + 4999999u;
        FILETIME written{static_cast<DWORD>(steps & 0xFFFFFFFFu), static_cast<DWORD>(steps >> 32)};
        HANDLE handle = CreateFileW(L"units/history.txt", FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &written));
        CloseHandle(handle);
        std::int64_t seconds = 0;
        ASSERT_TRUE(OsModificationTime(u"units/history.txt", seconds));
        EXPECT_EQ(seconds, row.seconds) << "rounded down to the whole second";
    }
    std::int64_t seconds = 0;
    EXPECT_FALSE(OsModificationTime(u"units/none.txt", seconds));
    EXPECT_FALSE(OsModificationTime(u"", seconds));
}

TEST_F(OsFileWin, CreateWriteReadGivesTheSameBytes) {
    ASSERT_TRUE(WriteFile(u"units/history.txt", LineBytes));
    EXPECT_EQ(ReadAll("units/history.txt"), LineBytes);

    OsFile file;
    ASSERT_TRUE(OsOpenRead(u"units/history.txt", file));
    Bytes buffer(64);
    EXPECT_EQ(OsRead(file, buffer.data(), buffer.size()), 10);
    EXPECT_EQ(OsRead(file, buffer.data(), buffer.size()), 0) << "a read at the end gives 0";
    EXPECT_TRUE(OsClose(file)) << "closing a file opened for reading is no failure";
    buffer.resize(10);
    EXPECT_EQ(buffer, LineBytes);
}

TEST_F(OsFileWin, CreateEmptiesAnExistingFile) {
    WriteAll("units/units.txt", Bytes(300, 0x55));
    ASSERT_TRUE(WriteFile(u"units/units.txt", LineBytes));
    EXPECT_EQ(ReadAll("units/units.txt"), LineBytes);
}

TEST_F(OsFileWin, OpeningFailsForMissingFilesAndFolders) {
    OsFile file;
    EXPECT_FALSE(OsOpenRead(u"units/none.txt", file));
    EXPECT_EQ(file.handle, -1);
    EXPECT_FALSE(OsOpenRead(u"units", file)) << "a folder is no file";
    EXPECT_FALSE(OsOpenRead(u"", file));
    EXPECT_FALSE(OsCreateWrite(u"nothing/units.txt", file)) << "folders are never created";
    EXPECT_FALSE(std::filesystem::exists("nothing"));
}

TEST_F(OsFileWin, OthersMayReadButNotWriteAnOpenFile) {
    WriteAll("units/units.txt", LineBytes);
    OsFile reader;
    ASSERT_TRUE(OsOpenRead(u"units/units.txt", reader));
    OsFile second;
    EXPECT_TRUE(OsOpenRead(u"units/units.txt", second)) << "reading is shared";
    OsClose(second);
    EXPECT_FALSE(OsCreateWrite(u"units/units.txt", second)) << "writing is not shared";
    OsClose(reader);
    EXPECT_EQ(ReadAll("units/units.txt"), LineBytes) << "the failed create left the bytes";

    OsFile writer;
    ASSERT_TRUE(OsCreateWrite(u"units/units.txt", writer));
    // Another program that allows writers may read along; the program itself may not.
    HANDLE other = CreateFileW(L"units/units.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE) << "a file being written may be read";
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    other = CreateFileW(L"units/units.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE) << "nobody else may write it";
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_FALSE(OsOpenRead(u"units/units.txt", second))
        << "the program cannot read a file another holds open for writing";
    OsClose(writer);
}

TEST_F(OsFileWin, ReadOnlyFilesAreReadButNeverWritten) {
    WriteAll("units/units.txt", LineBytes);
    ASSERT_TRUE(SetFileAttributesW(L"units/units.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(OsIsReadOnly(u"units/units.txt"));
    EXPECT_FALSE(OsIsReadOnly(u"units/none.txt"));
    OsFile file;
    EXPECT_TRUE(OsOpenRead(u"units/units.txt", file));
    OsClose(file);
    EXPECT_FALSE(OsCreateWrite(u"units/units.txt", file)) << "both attempts must fail";
    EXPECT_FALSE(OsOpenReadWrite(u"units/units.txt", file));
    EXPECT_EQ(ReadAll("units/units.txt"), LineBytes);
}

TEST_F(OsFileWin, ReplaceSwapsInTheNewFileInOneStep) {
    WriteAll("units/units.txt", Bytes(50, 0x11));
    ASSERT_TRUE(WriteFile(u"units/units.txt.new", LineBytes));
    ASSERT_TRUE(OsReplaceFile(u"units/units.txt.new", u"units/units.txt"));
    EXPECT_EQ(ReadAll("units/units.txt"), LineBytes);
    EXPECT_FALSE(std::filesystem::exists("units/units.txt.new"));
    ASSERT_TRUE(WriteFile(u"units/fresh.new", LineBytes));
    EXPECT_TRUE(OsReplaceFile(u"units/fresh.new", u"units/fresh.txt")) << "no old file needed";
    EXPECT_TRUE(OsRemoveFile(u"units/fresh.txt"));
    EXPECT_FALSE(OsRemoveFile(u"units/fresh.txt"));
}

TEST_F(OsFileWin, ReplacementKeepsTheAttributesAndLeavesOtherFilesAlone) {
    WriteAll("units/history.txt", Bytes(40, 0x20));
    WriteAll("units/history.txt.new", Bytes(3, 0x41));  // the user's own file of that name
    ASSERT_TRUE(
        SetFileAttributesW(L"units/history.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    OsReplacement replacement;
    ASSERT_TRUE(OsBeginReplacement(u"units/history.txt", replacement));
    EXPECT_TRUE(IsReplacementName(replacement.temporary.substr(6)));
    OsFile duplicate;
    EXPECT_FALSE(OsCreateNew(replacement.temporary, duplicate)) << "created for this save alone";
    ASSERT_TRUE(OsWrite(replacement.file, LineBytes.data(), LineBytes.size()));
    ASSERT_TRUE(OsClose(replacement.file));
    ASSERT_TRUE(OsCompleteReplacement(replacement));
    EXPECT_EQ(ReadAll("units/history.txt"), LineBytes);
    const DWORD attributes = GetFileAttributesW(L"units/history.txt");
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u) << "the hidden attribute is kept";
    EXPECT_EQ(ReadAll("units/history.txt.new"), Bytes(3, 0x41));
    const std::vector<std::u16string> files = OsFolderFiles(u"units");
    EXPECT_EQ(files.size(), 2u) << "no temporary file is left";
}

TEST_F(OsFileWin, SecondLockIsRefusedUntilTheFirstIsClosed) {
    OsFile first;
    OsFile second;
    ASSERT_EQ(OsLockFile(u".velmora.lock", first), OsLockResult::Held);
    EXPECT_NE(GetFileAttributesW(L".velmora.lock") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(OsLockFile(u".velmora.lock", second), OsLockResult::HeldElsewhere);
    OsClose(first);
    EXPECT_EQ(OsLockFile(u".velmora.lock", second), OsLockResult::Held) << "the file may stay";
    OsClose(second);
    EXPECT_EQ(OsLockFile(u"missing/.velmora.lock", first), OsLockResult::Unavailable);
}

TEST_F(OsFileWin, LockFileFromAnotherMachineBlocksNothing) {
    struct Row {
        const char* name;
        DWORD attributes;
    };
    const Row rows[] = {{"plain", FILE_ATTRIBUTE_NORMAL}, {"read-only", FILE_ATTRIBUTE_READONLY}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetFileAttributesW(L".velmora.lock", FILE_ATTRIBUTE_NORMAL);
        WriteAll(".velmora.lock", Bytes(15, 0x61));  // as the sync tool brought it
        ASSERT_TRUE(SetFileAttributesW(L".velmora.lock", row.attributes));
        OsFile lock;
        EXPECT_NE(OsLockFile(u".velmora.lock", lock), OsLockResult::HeldElsewhere);
        if (lock.handle != -1) OsClose(lock);
    }
}

TEST_F(OsFileWin, IdentityTellsVersionsApartAndMovesNeverReplace) {
    WriteAll("units/history.txt", LineBytes);
    const OsFileIdentity first = OsIdentityOf(u"units/history.txt");
    ASSERT_TRUE(first.exists);
    EXPECT_EQ(first.size, std::int64_t(LineBytes.size()));
    EXPECT_TRUE(SameFileIdentity(first, OsIdentityOf(u"units/history.txt")));
    OsFile open;
    ASSERT_TRUE(OsOpenRead(u"units/history.txt", open));
    EXPECT_TRUE(SameFileIdentity(first, OsIdentityOfOpen(open)));
    OsClose(open);
    // Replaced by a rename, the way sync tools put a file in place: a new file number.
    ASSERT_TRUE(WriteFile(u"units/history.new", LineBytes));
    ASSERT_TRUE(OsReplaceFile(u"units/history.new", u"units/history.txt"));
    EXPECT_FALSE(SameFileIdentity(first, OsIdentityOf(u"units/history.txt")));
    EXPECT_FALSE(OsIdentityOf(u"units/missing.txt").exists);
    WriteAll("units/copy.txt", Bytes(3, 0x41));
    WriteAll("units/taken.txt", Bytes(2, 0x42));
    EXPECT_FALSE(OsMoveFileNoReplace(u"units/copy.txt", u"units/taken.txt"));
    EXPECT_EQ(ReadAll("units/taken.txt"), Bytes(2, 0x42));
    ASSERT_TRUE(OsMakeFolder(u"units/merged"));
    EXPECT_TRUE(OsMoveFileNoReplace(u"units/copy.txt", u"units/merged/copy.txt"));
    EXPECT_EQ(ReadAll("units/merged/copy.txt"), Bytes(3, 0x41));
    EXPECT_FALSE(std::filesystem::exists("units/copy.txt"));
}

TEST_F(OsFileWin, HardLinkKeepsTheOldContentWhenTheNameIsReplaced) {
    WriteAll("units/units.txt", LineBytes);
    ASSERT_TRUE(OsMakeFolder(u"units/backup"));
    EXPECT_TRUE(OsMakeFolder(u"units/backup")) << "an existing folder is fine";
    ASSERT_TRUE(OsHardLink(u"units/units.txt", u"units/backup/units-2026-12-07.txt"));
    ASSERT_TRUE(WriteFile(u"units/next.txt", Bytes(4, 0x42)));
    ASSERT_TRUE(OsReplaceFile(u"units/next.txt", u"units/units.txt"));
    EXPECT_EQ(ReadAll("units/backup/units-2026-12-07.txt"), LineBytes);
    EXPECT_EQ(OsFolderFiles(u"units/backup"), std::vector<std::u16string>{u"units-2026-12-07.txt"});
}

TEST_F(OsFileWin, InjectedFaultsFireOnceEach) {
    InjectedFileFaults.failCreate = true;
    OsFile file;
    EXPECT_FALSE(OsCreateWrite(u"units/units.txt", file));
    EXPECT_FALSE(InjectedFileFaults.failCreate) << "disarmed after firing";

    InjectedFileFaults.failWriteAfterBytes = 4;
    ASSERT_TRUE(OsCreateWrite(u"units/units.txt", file));
    EXPECT_FALSE(OsWrite(file, LineBytes.data(), LineBytes.size()));
    EXPECT_TRUE(OsWrite(file, LineBytes.data(), 2)) << "the next write works again";
    EXPECT_TRUE(OsClose(file));
    EXPECT_EQ(ReadAll("units/units.txt"), (Bytes{0x41, 0x00, 0x0D, 0x00, 0x41, 0x00}))
        << "the failing write stops after the allowed bytes";

    InjectedFileFaults.failClose = true;
    ASSERT_TRUE(OsCreateWrite(u"units/units.txt", file));
    EXPECT_FALSE(OsClose(file));
    EXPECT_EQ(file.handle, -1) << "the handle is closed all the same";
    EXPECT_TRUE(WriteFile(u"units/units.txt", LineBytes)) << "the file is not left locked";

    InjectedFileFaults.failReplace = true;
    ASSERT_TRUE(WriteFile(u"units/units.new", LineBytes));
    EXPECT_FALSE(OsReplaceFile(u"units/units.new", u"units/history.txt"));
    EXPECT_TRUE(OsReplaceFile(u"units/units.new", u"units/history.txt"));
}

TEST_F(OsFileWin, NonAsciiPathsWork) {
    const std::u16string path = u"units/\u00dcbung \u65e5.txt";
    ASSERT_TRUE(WriteFile(path, LineBytes));
    EXPECT_EQ(OsFileSize(path), 10);
    EXPECT_EQ(ReadAll(std::filesystem::path(L"units/\u00dcbung \u65e5.txt")), LineBytes);
}

}  // namespace
