// SPDX-License-Identifier: GPL-3.0-or-later
// The unit catalogue against real files: the odd lines of the format, byte-exact round
// trips, the width of counts, and the messages for files that cannot be read.
#include "data/unit_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/data_fixture.h"

namespace {

using test::Bytes;
using CatalogueTest = test::DataTest;

void WriteUnitLines(const std::vector<std::u16string>& lines) {
    test::WriteFileBytes("units/units.txt", test::LineFileBytes(lines));
}

TEST_F(CatalogueTest, LoadsTheOddLinesOfTheFormat) {
    struct Row {
        const char* name;
        std::u16string line;
        std::vector<TrainingUnit> units;
    };
    const Row rows[] = {
        {"plain unit", u"Plank|3|60|hold", {{u"Plank", 3, 60, u"hold"}}},
        {"empty line skipped", u"", {}},
        {"spaces only skipped", u"   ", {}},
        {"tab is a name", u"\t", {{u"\t", 0, 0, u""}}},
        {"no separator", u"Run", {{u"Run", 0, 0, u""}}},
        {"space name kept", u" |1|2|", {{u" ", 1, 2, u""}}},
        {"fifth field lost", u"A|x|7b|d|e", {{u"A", 0, 7, u"d"}}},
        {"negative count", u"A|-3| 12abc|", {{u"A", -3, 12, u""}}},
        {"hex and binary counts", u"A|$1F|%101|", {{u"A", 31, 5, u""}}},
        {"spaces around name stay", u"  A |1|2| d ", {{u"  A ", 1, 2, u" d "}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        doc.catalogue.clear();
        WriteUnitLines({row.line});
        EXPECT_TRUE(Kept(LoadUnitCatalogue(doc)));
        ASSERT_EQ(doc.catalogue.size(), row.units.size());
        for (std::size_t i = 0; i < row.units.size(); ++i) {
            EXPECT_EQ(test::ToUtf8(doc.catalogue[i].Name()), test::ToUtf8(row.units[i].Name()));
            EXPECT_EQ(doc.catalogue[i].count1, row.units[i].count1);
            EXPECT_EQ(doc.catalogue[i].count2, row.units[i].count2);
            EXPECT_EQ(test::ToUtf8(doc.catalogue[i].Description()),
                      test::ToUtf8(row.units[i].Description()));
        }
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(CatalogueTest, RoundTripsByteForByte) {
    const std::vector<std::u16string> lines = {u"Plank|3|60|hold", u"Run|1|5|easy",
                                               u"\u00C4rger|-2|0|\u20AC \xD83D\xDE00", u"|0|0|"};
    WriteUnitLines(lines);
    Bytes original = test::ReadFileBytes("units/units.txt");
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    ASSERT_EQ(UnitCount(doc), 4);
    EXPECT_EQ(UnitAt(doc, 1).Name(), u"Run");
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), original);
    EXPECT_TRUE(test::TemporaryFilesIn("units").empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(CatalogueTest, ByteOrderMarkIsDroppedOnSave) {
    Bytes body = test::LineFileBytes({u"A|1|2|x"});
    Bytes withMark = test::WithByteOrderMark(body);
    test::WriteFileBytes("units/units.txt", withMark);
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), body);
}

TEST_F(CatalogueTest, Utf8FileWithMarkIsConvertedToUtf16OnSave) {
    test::WriteFileBytes("units/units.txt", std::string_view("\xEF\xBB\xBF\xC3\x84pfel|1|2|x\r\n"));
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    ASSERT_EQ(UnitCount(doc), 1);
    EXPECT_EQ(UnitAt(doc, 0).Name(), u"\u00C4pfel");
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({u"\u00C4pfel|1|2|x"}));
}

TEST_F(CatalogueTest, DescriptionWithSeparatorIsCutOnReload) {
    AddUnit(doc, u"A", 1, 2, u"x|y");
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({u"A|1|2|x|y"}));
    doc.catalogue.clear();
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    ASSERT_EQ(UnitCount(doc), 1);
    EXPECT_EQ(UnitAt(doc, 0).Description(), u"x");
}

TEST_F(CatalogueTest, EmptyFilesAndEmptyCatalogue) {
    test::WriteFileBytes("units/units.txt", Bytes{});
    EXPECT_TRUE(Kept(LoadUnitCatalogue(doc)));
    EXPECT_EQ(UnitCount(doc), 0);
    test::WriteFileBytes("units/units.txt", Bytes{0xFF, 0xFE});
    EXPECT_TRUE(Kept(LoadUnitCatalogue(doc)));
    EXPECT_EQ(UnitCount(doc), 0);
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt").size(), 0u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(CatalogueTest, CountWidthFollowsTheBuild) {
    AddUnit(doc, u"Big", static_cast<WholeNumber>(ParseInteger(u"4294967301")),
            static_cast<WholeNumber>(ParseInteger(u"-4294967297")), u"");
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    WriteUnitLines({u"Big|4294967301|-4294967297|"});
    doc.catalogue.clear();
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    ASSERT_EQ(UnitCount(doc), 1);
    if constexpr (sizeof(WholeNumber) == 8) {
        EXPECT_EQ(static_cast<std::int64_t>(UnitAt(doc, 0).count1), 4294967301);
        EXPECT_EQ(static_cast<std::int64_t>(UnitAt(doc, 0).count2), -4294967297);
    } else {
        // The low 32 bits of 4294967301 (2^32 + 5) and of -(2^32 + 1), as signed values.
        EXPECT_EQ(UnitAt(doc, 0).count1, 5);
        EXPECT_EQ(UnitAt(doc, 0).count2, -1);
    }
    ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
    std::u16string expected =
        sizeof(WholeNumber) == 8 ? u"Big|4294967301|-4294967297|" : u"Big|5|-1|";
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({expected}));
}

// A load takes its texts from one block: units moved or copied out of the catalogue, texts
// grown past the block and units added after it stay whole through reloads (and the
// sanitizer build sees any text read after its memory went).
TEST_F(CatalogueTest, LoadedTextsOutliveTheirCatalogue) {
    const std::u16string_view longName = u"Ausfallschritte mit Kurzhantel";
    WriteUnitLines(
        {std::u16string(longName) + u"|3|12|langsam ausfuehren", u"Seilspringen im Wechsel|1|9|"});
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    TrainingUnit moved = std::move(doc.catalogue[0]);
    const TrainingUnit copied = doc.catalogue[1];
    const std::u16string grownText(20000, u'x');
    const std::u16string_view grown = grownText;
    doc.catalogue[1].texts = UnitTexts(doc.catalogue[1].Name(), grown);
    for (int i = 0; i < 40; ++i) AddUnit(doc, u"Hinzugefuegt nach dem Laden", i, 1, u"");
    EXPECT_EQ(doc.catalogue[1].Description(), grown);
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    doc.catalogue.clear();
    ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
    EXPECT_EQ(moved.Name(), longName);
    EXPECT_EQ(moved.Description(), u"langsam ausfuehren");
    EXPECT_EQ(copied.Name(), u"Seilspringen im Wechsel");
    moved.SetName(std::u16string(moved.Name()) + u" und Sprung");
    EXPECT_EQ(std::u16string(moved.Name()), std::u16string(longName) + u" und Sprung");
    ASSERT_EQ(UnitCount(doc), 2);
    EXPECT_EQ(UnitAt(doc, 0).Name(), longName);
}

TEST_F(CatalogueTest, MissingFileReportsAndLeavesCatalogueEmpty) {
    EXPECT_FALSE(Kept(LoadUnitCatalogue(doc)));
    EXPECT_EQ(UnitCount(doc), 0);
    ExpectOnlyMessage(u"UnitFile", u"units/units.txt");
    EXPECT_FALSE(doc.unitFileUnreadable) << "a missing file may be created by a save";
    AddUnit(doc, u"New", 1, 1, u"");
    EXPECT_TRUE(Kept(SaveUnitCatalogue(doc)));
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"), test::LineFileBytes({u"New|1|1|"}));
}

}  // namespace
