// SPDX-License-Identifier: GPL-3.0-or-later
// Saving onto a full disk for real: a small tmpfs is mounted over the units folder (only
// possible as root; otherwise the test says so and skips), each file's save runs out of
// room, and once the file system is grown the same data saves completely.
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/data_fixture.h"
#include "data/day_entries.h"
#include "reliability/reliability_support.h"

namespace {

using test::Bytes;
namespace fs = std::filesystem;

// A tmpfs of the given size over a folder, unmounted when the scope ends.
class SmallDisk {
  public:
    SmallDisk(const fs::path& folder, const std::string& size) : folder_(fs::absolute(folder)) {
        const std::string options = "size=" + size + ",mode=0755";
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    bool Grow(const std::string& size) {
        const std::string options = "size=" + size;
        return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT, options.c_str()) == 0;
    }

  private:
    fs::path folder_;
    bool mounted_ = false;
};

using FullDiskTest = test::DataTest;

TEST_F(FullDiskTest, SaveThatRunsOutOfRoomKeepsTheOldFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "full disk not tried: mounting a tmpfs needs root";
    SetToday(2024, 1, 10);

    struct Row {
        const char* name;
        const char* path;
        const char16_t* messageKey;
        SaveOutcome (*save)(const Document&, const DailyBackup&);
        std::vector<std::u16string> (*lines)(const Document&);
    };
    const Row rows[] = {
        {"catalogue", "units/units.txt", u"SaveUnits", SaveUnitCatalogue,
         reliability::CatalogueLines},
        {"history", "units/history.txt", u"SaveHistory", SaveWeekHistory,
         reliability::HistoryFileLines},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SmallDisk disk("units", "64k");
        if (!disk.Mounted()) GTEST_SKIP() << "full disk not tried: this machine refused a tmpfs";
        doc.catalogue.clear();
        doc.history.clear();
        AddUnit(doc, u"Plank", 3, 60, u"hold");
        AddWeek(doc.history, 8);
        InjectedFileFaults = FileFaults();
        ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
        ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
        const Bytes oldBytes = test::ReadFileBytes(row.path);

        // About 300 KB for each file: far more than the disk holds.
        for (int i = 0; i < 2000; ++i) {
            AddUnit(doc, u"Unit " + FormatInteger(i), i, i, std::u16string(60, u'x'));
            AppendDayEntry(doc, 0, i % 7, doc.catalogue.back());
        }
        const reliability::DataSnapshot before = reliability::TakeSnapshot(doc);
        reports.clear();
        EXPECT_FALSE(Kept(row.save(doc, {})));
        ExpectOnlyMessage(row.messageKey, test::ToUtf16(row.path));
        EXPECT_EQ(test::ReadFileBytes(row.path), oldBytes) << "the old file is kept";
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
        EXPECT_TRUE(reliability::SameSnapshot(reliability::TakeSnapshot(doc), before));

        ASSERT_TRUE(disk.Grow("8m"));
        reports.clear();
        EXPECT_TRUE(Kept(row.save(doc, {})));
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(test::ReadFileBytes(row.path), test::LineFileBytes(row.lines(doc)));
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    }
}

}  // namespace
