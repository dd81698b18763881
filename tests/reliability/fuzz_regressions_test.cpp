// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs the fuzz targets broke the program with, each kept as a regression test: a first
// unit name whose UTF-16 bytes read back as a byte order mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/data_fixture.h"
#include "data/line_file.h"
#include "data/unit_catalogue.h"
#include "reference_text.h"

namespace {

using test::Bytes;
using FuzzRegressions = test::DataTest;

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

// A catalogue saved with this first line used to come back changed: FF FE lost the unit's
// first character, EF BB BF turned the file into UTF-8, FE FF into big-endian text.
TEST_F(FuzzRegressions, FirstUnitNameThatLooksLikeAMarkSurvivesSaveAndLoad) {
    const Bytes mark = {0xFF, 0xFE};
    struct Row {
        const char* name;
        std::u16string firstLine;
        bool needsMark;
    };
    const Row rows[] = {
        {"starts with FEFF (bytes FF FE)", u"\uFEFFName|1|2|d", true},
        {"is only FEFF", u"\uFEFF|0|0|", true},
        {"starts with FFFE (bytes FE FF)", u"\uFFFEName|1|2|d", true},
        {"starts with BBEF BF (bytes EF BB BF)", u"\uBBEF\u00BFx|3|4|y", true},
        {"BBEF followed by another low byte", u"\uBBEF\u00C0x|3|4|y", false},
        {"BBEF right before the line end", u"\uBBEF|3|4|", false},
        {"FEFF later in the line", u"x\uFEFF|1|2|", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<std::u16string> lines = {row.firstLine, u"Run|1|5|easy"};
        test::WriteFileBytes("units/units.txt", Concat(mark, test::LineFileBytes(lines)));
        doc.catalogue.clear();
        ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
        ASSERT_EQ(doc.catalogue.size(), 2u);
        const std::vector<TrainingUnit> loaded = doc.catalogue;

        ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
        const Bytes saved = test::ReadFileBytes("units/units.txt");
        EXPECT_EQ(saved, row.needsMark ? Concat(mark, test::LineFileBytes(lines))
                                       : test::LineFileBytes(lines));

        doc.catalogue.clear();
        ASSERT_TRUE(Kept(LoadUnitCatalogue(doc)));
        ASSERT_EQ(doc.catalogue.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(doc.catalogue[i].Name(), loaded[i].Name());
            EXPECT_EQ(doc.catalogue[i].count1, loaded[i].count1);
            EXPECT_EQ(doc.catalogue[i].count2, loaded[i].count2);
            EXPECT_EQ(doc.catalogue[i].Description(), loaded[i].Description());
        }
        ASSERT_TRUE(Kept(SaveUnitCatalogue(doc)));
        EXPECT_EQ(test::ReadFileBytes("units/units.txt"), saved);
    }
    EXPECT_TRUE(reports.empty());
}

// The line file layer itself: whatever the first line, it reads back as written.
TEST_F(FuzzRegressions, FirstLineReadsBackWhateverItsFirstUnits) {
    const std::u16string firstLines[] = {u"\uFEFFA", u"\uFFFE", u"\uBBEF\uFFBF", u"\uFEFF", u""};
    for (const std::u16string& first : firstLines) {
        SCOPED_TRACE(test::ToUtf8(first));
        LineFile out;
        ASSERT_TRUE(CreateForWriting(out, u"lines.txt"));
        WriteLine(out, first);
        WriteLine(out, u"\uFEFF second");
        ASSERT_TRUE(Close(out));
        LineFile in;
        ASSERT_TRUE(OpenForReading(in, u"lines.txt"));
        SkipByteOrderMark(in);
        EXPECT_EQ(reference::ReadLine(in), first);
        EXPECT_EQ(reference::ReadLine(in), u"\uFEFF second");
        EXPECT_TRUE(AtEnd(in));
        EXPECT_TRUE(Close(in));
    }
}

}  // namespace
