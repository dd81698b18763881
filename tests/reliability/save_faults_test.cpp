// SPDX-License-Identifier: GPL-3.0-or-later
// Saving each data file under every injected fault of the safe save: the file's own box,
// the old file byte for byte, no temporary file, the data in memory unchanged, and the
// next save succeeding once the fault has cleared.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/data_fixture.h"
#include "data/day_entries.h"
#include "data/safe_save.h"
#include "reliability/reliability_support.h"

namespace {

using test::Bytes;
namespace fs = std::filesystem;

// One of the two data files, with its save and the message key of its failure.
struct DataFile {
    const char* name;
    std::u16string path;
    const char16_t* messageKey;
    std::function<SaveOutcome(const Document&)> save;
    std::function<std::vector<std::u16string>(const Document&)> lines;
};

std::vector<DataFile> DataFiles() {
    return {
        {"catalogue", UnitFilePath, u"SaveUnits",
         [](const Document& doc) { return SaveUnitCatalogue(doc); }, reliability::CatalogueLines},
        {"history", HistoryFilePath, u"SaveHistory",
         [](const Document& doc) { return SaveWeekHistory(doc); }, reliability::HistoryFileLines},
    };
}

std::string Native(const std::u16string& path) {
    return test::ToUtf8(path);
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SaveFaultTest : public test::DataTest {
  protected:
    // Both files on disk and loaded, then changed in memory: a new content of several
    // line-file buffers, so a write can fail in the middle of it.
    void LoadAndChange() {
        SetToday(2024, 1, 10);  // week 8: the stored weeks need no catch-up
        doc.catalogue.clear();
        doc.history.clear();
        test::WriteFileBytes("units/units.txt",
                             test::LineFileBytes({u"Plank|3|60|hold", u"Run|1|5|easy"}));
        // Week 1 with one entry on every day, week 8 empty.
        std::vector<std::u16string> history;
        for (const char16_t* header : {u"#1", u"#8"}) {
            history.push_back(header);
            for (const char16_t* key : {u"=Monday", u"=Tuesday", u"=Wednesday", u"=Thursday",
                                        u"=Friday", u"=Saturday", u"=Sunday"}) {
                history.push_back(key);
                history.push_back(history.front() == header ? u"Plank|3|60|hold" : u"");
            }
        }
        test::WriteFileBytes("units/history.txt", test::LineFileBytes(history));
        ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
        ASSERT_TRUE(LoadHistory());
        ASSERT_EQ(doc.history.size(), 2u);
        // Each unit line and entry takes more than 100 bytes.
        for (WholeNumber i = 0; i < WholeNumber(3 * LineFileBufferBytes / 100); ++i) {
            AddUnit(doc, u"Unit " + FormatInteger(i), i, -i, std::u16string(40, u'd'));
            AppendDayEntry(doc, 1, i % 7, doc.catalogue.back());
        }
        reports.clear();
    }

    void ExpectUntouched(const DataFile& file, const Bytes& oldBytes,
                         const reliability::DataSnapshot& before) {
        EXPECT_EQ(test::ReadFileBytes(Native(file.path)), oldBytes) << "the old file is kept";
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
        EXPECT_EQ(FilesIn("units"), (std::vector<std::string>{"history.txt", "units.txt"}));
        EXPECT_TRUE(reliability::SameSnapshot(reliability::TakeSnapshot(doc), before))
            << "the data in memory is unchanged";
    }

    void ExpectSecondSaveSucceeds(const DataFile& file) {
        reports.clear();
        InjectedFileFaults = FileFaults();
        EXPECT_TRUE(Kept(file.save(doc)));
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(test::ReadFileBytes(Native(file.path)), test::LineFileBytes(file.lines(doc)));
        EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    }
};

TEST_F(SaveFaultTest, EveryInjectedFaultKeepsTheOldFileAndTheData) {
    for (const DataFile& file : DataFiles()) {
        for (const reliability::SaveFaultRow& row : reliability::SaveFaultRows) {
            SCOPED_TRACE(std::string(file.name) + ": " + row.name);
            LoadAndChange();
            const Bytes oldBytes = test::ReadFileBytes(Native(file.path));
            const reliability::DataSnapshot before = reliability::TakeSnapshot(doc);
            const Bytes newBytes = test::LineFileBytes(file.lines(doc));
            ASSERT_GT(newBytes.size(), 3 * LineFileBufferBytes);

            reliability::ArmSaveFault(row.fault, std::int64_t(newBytes.size()));
            EXPECT_FALSE(Kept(file.save(doc)));
            EXPECT_TRUE(reliability::SaveFaultFired()) << "the fault was reached";
            ExpectOnlyMessage(file.messageKey, file.path);
            ExpectUntouched(file, oldBytes, before);
            ExpectSecondSaveSucceeds(file);
        }
    }
}

// Faults of the file system itself rather than injected ones.
TEST_F(SaveFaultTest, ReadOnlyMissingFolderAndFolderInPlaceRefuseTheSave) {
    struct Condition {
        const char* name;
        std::function<void(const fs::path&)> make;
        std::function<void(const fs::path&)> clear;
    };
    const Condition conditions[] = {
        {"read-only data file",
         [](const fs::path& path) { fs::permissions(path, fs::perms::owner_read); },
         [](const fs::path& path) {
             fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"folder in place of the data file",
         [](const fs::path& path) {
             fs::remove(path);
             fs::create_directory(path);
         },
         [](const fs::path& path) { fs::remove(path); }},
    };
    for (const DataFile& file : DataFiles()) {
        for (const Condition& condition : conditions) {
            SCOPED_TRACE(std::string(file.name) + ": " + condition.name);
            LoadAndChange();
            const fs::path path = Native(file.path);
            condition.make(path);
            const Bytes oldBytes = fs::is_directory(path) ? Bytes() : test::ReadFileBytes(path);
            const reliability::DataSnapshot before = reliability::TakeSnapshot(doc);
            EXPECT_FALSE(Kept(file.save(doc)));
            ExpectOnlyMessage(file.messageKey, file.path);
            if (fs::is_directory(path)) {
                EXPECT_TRUE(fs::is_empty(path)) << "nothing is written into the folder";
            } else {
                EXPECT_EQ(test::ReadFileBytes(path), oldBytes);
            }
            EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
            EXPECT_TRUE(reliability::SameSnapshot(reliability::TakeSnapshot(doc), before));
            condition.clear(path);
            ExpectSecondSaveSucceeds(file);
        }
    }
}

TEST_F(SaveFaultTest, MissingUnitsFolderIsNotCreated) {
    for (const DataFile& file : DataFiles()) {
        SCOPED_TRACE(file.name);
        LoadAndChange();
        fs::remove_all("units");
        const reliability::DataSnapshot before = reliability::TakeSnapshot(doc);
        EXPECT_FALSE(Kept(file.save(doc)));
        ExpectOnlyMessage(file.messageKey, file.path);
        EXPECT_FALSE(test::FileExists("units")) << "the program never creates the folder";
        EXPECT_TRUE(reliability::SameSnapshot(reliability::TakeSnapshot(doc), before));
        fs::create_directory("units");
        ExpectSecondSaveSucceeds(file);
    }
}

}  // namespace
