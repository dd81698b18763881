// SPDX-License-Identifier: GPL-3.0-or-later
// Line files on real files: the written bytes, every line-end rule, byte order marks and
// the encodings they announce, long lines and buffer boundaries.
#include "data/line_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os_file_faults.h"
#include "reference_text.h"
#include "test_support.h"

namespace {

using test::Bytes;

std::vector<std::u16string> ReadAllLines(const std::u16string& path) {
    LineFile file;
    EXPECT_TRUE(OpenForReading(file, path));
    SkipByteOrderMark(file);
    std::vector<std::u16string> lines;
    while (!AtEnd(file)) lines.push_back(reference::ReadLine(file));
    EXPECT_TRUE(Close(file));
    return lines;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(LineFileWriting, WritesUtf16LittleEndianLinesWithCrLf) {
    test::TempWorkingDirectory directory;
    LineFile file;
    ASSERT_TRUE(CreateForWriting(file, u"out.txt"));
    WriteLine(file, u"A");
    WriteLine(file, u"");
    ASSERT_TRUE(Close(file));
    EXPECT_EQ(test::ReadFileBytes("out.txt"),
              (Bytes{0x41, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x0D, 0x00, 0x0A, 0x00}));
}

TEST(LineFileWriting, KeepsLoneSurrogatesAndNonAsciiUnits) {
    test::TempWorkingDirectory directory;
    const std::u16string text = u"\xD800x\xDC01\u00E4\u20AC";
    LineFile file;
    ASSERT_TRUE(CreateForWriting(file, u"out.txt"));
    WriteLine(file, text);
    ASSERT_TRUE(Close(file));
    EXPECT_EQ(test::ReadFileBytes("out.txt"), test::LineFileBytes({text}));
    EXPECT_EQ(ReadAllLines(u"out.txt"), std::vector<std::u16string>{text});
}

TEST(LineFileWriting, LinesLongerThanTheBufferRoundTrip) {
    test::TempWorkingDirectory directory;
    std::vector<std::u16string> lines = {std::u16string(5000, u'x'), u"short",
                                         std::u16string(2047, u'y'), std::u16string(9000, u'z')};
    LineFile file;
    ASSERT_TRUE(CreateForWriting(file, u"out.txt"));
    for (const auto& line : lines) WriteLine(file, line);
    ASSERT_TRUE(Close(file));
    EXPECT_EQ(test::ReadFileBytes("out.txt"), test::LineFileBytes(lines));
    EXPECT_EQ(ReadAllLines(u"out.txt"), lines);
}

TEST(LineFileWriting, CreateFailsWithoutTheFolderAndTruncatesAnExistingFile) {
    test::TempWorkingDirectory directory;
    LineFile file;
    EXPECT_FALSE(CreateForWriting(file, u"missing/out.txt"));
    test::WriteFileBytes("old.txt", Bytes(100, 0x41));
    ASSERT_TRUE(CreateForWriting(file, u"old.txt"));
    WriteLine(file, u"B");
    ASSERT_TRUE(Close(file));
    EXPECT_EQ(test::ReadFileBytes("old.txt"), test::LineFileBytes({u"B"}));
}

TEST(LineFileReading, LineEndRules) {
    struct Row {
        const char* name;
        std::u16string content;
        std::vector<std::u16string> lines;
    };
    const Row rows[] = {
        {"CR LF", u"a\r\nb\r\n", {u"a", u"b"}},
        {"LF only", u"a\nb\n", {u"a", u"b"}},
        {"CR only", u"a\rb\r", {u"a", u"b"}},
        {"CR CR LF gives an empty line", u"a\r\r\nb", {u"a", u"", u"b"}},
        {"NUL splits a line", std::u16string(u"ab\0cd", 5), {u"ab", u"cd"}},
        {"lone CR at the end", u"a\r", {u"a"}},
        {"last line without end", u"a\r\nlast", {u"a", u"last"}},
        {"empty lines kept", u"\r\n\r\nx\r\n", {u"", u"", u"x"}},
        {"LF CR is two ends", u"a\n\rb", {u"a", u"", u"b"}},
        {"empty file", u"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempWorkingDirectory directory;
        test::WriteFileBytes("in.txt", test::Utf16Le(row.content));
        EXPECT_EQ(ReadAllLines(u"in.txt"), row.lines);
    }
}

TEST(LineFileReading, EmptyFileIsAtEndAndReadsEmpty) {
    test::TempWorkingDirectory directory;
    test::WriteFileBytes("in.txt", Bytes{});
    LineFile file;
    ASSERT_TRUE(OpenForReading(file, u"in.txt"));
    SkipByteOrderMark(file);
    EXPECT_TRUE(AtEnd(file));
    EXPECT_EQ(reference::ReadLine(file), u"");
    EXPECT_TRUE(Close(file));
}

TEST(LineFileReading, AtEndDoesNotMoveAndReadPastEndGivesEmpty) {
    test::TempWorkingDirectory directory;
    test::WriteFileBytes("in.txt", test::Utf16Le(u"ab\r\n"));
    LineFile file;
    ASSERT_TRUE(OpenForReading(file, u"in.txt"));
    EXPECT_FALSE(AtEnd(file));
    EXPECT_FALSE(AtEnd(file));
    EXPECT_EQ(reference::ReadLine(file), u"ab");
    EXPECT_TRUE(AtEnd(file));
    EXPECT_EQ(reference::ReadLine(file), u"");
    EXPECT_EQ(reference::ReadLine(file), u"");
    EXPECT_TRUE(Close(file));
}

TEST(LineFileReading, OddLastByteIsIgnored) {
    test::TempWorkingDirectory directory;
    test::WriteFileBytes("in.txt", Concat({test::Utf16Le(u"ab"), Bytes{0x43}}));
    EXPECT_EQ(ReadAllLines(u"in.txt"), std::vector<std::u16string>{u"ab"});
}

TEST(LineFileReading, CrLfSplitAcrossTheBufferBoundary) {
    // The buffer starts small and doubles with each fill up to its full size: the CR is the
    // last unit of a fill, its LF the first of the next.
    constexpr std::size_t Start = FileBufferStartBytes;
    const struct Row {
        const char* name;
        std::size_t bytesBeforeLf;
    } rows[] = {
        {"first fill", Start},
        {"fill after the first doubling", Start + 2 * Start},
        {"fill of the full buffer", 15 * Start + LineFileBufferBytes},
    };
    static_assert(16 * FileBufferStartBytes == LineFileBufferBytes, "four doublings to full size");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempWorkingDirectory directory;
        const std::u16string first(row.bytesBeforeLf / 2 - 1, u'q');
        test::WriteFileBytes("in.txt", test::Utf16Le(first + u"\r\nsecond"));
        EXPECT_EQ(ReadAllLines(u"in.txt"), (std::vector<std::u16string>{first, u"second"}));
    }
}

TEST(LineFileReading, ByteOrderMarksSelectTheDecoding) {
    struct Row {
        const char* name;
        Bytes bytes;
        std::vector<std::u16string> lines;
    };
    const Row rows[] = {
        {"UTF-16 LE mark",
         Concat({Bytes{0xFF, 0xFE}, test::Utf16Le(u"\u00E4b\r\nc")}),
         {u"\u00E4b", u"c"}},
        {"UTF-16 LE mark then 00 00 is taken as FF FE",
         Bytes{0xFF, 0xFE, 0x00, 0x00, 0x41, 0x00},
         {u"", u"A"}},
        {"UTF-8 mark",
         Bytes{0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA4, '\r', '\n', 0xE2, 0x82, 0xAC, '\n'},
         {u"a\u00E4", u"\u20AC"}},
        {"UTF-8 line ends and NUL",
         Bytes{0xEF, 0xBB, 0xBF, 'x', '\r', 'y', 0x00, 'z'},
         {u"x", u"y", u"z"}},
        {"UTF-16 BE mark",
         Bytes{0xFE, 0xFF, 0x00, 'H', 0x20, 0xAC, 0x00, '\r', 0x00, '\n', 0x00, 'i'},
         {u"H\u20AC", u"i"}},
        {"UTF-32 LE-looking mark", Bytes{0x00, 0x00, 0xFE, 0xFF, 0x41, 0x00}, {u"A"}},
        {"no mark", test::Utf16Le(u"plain"), {u"plain"}},
        {"mark only", Bytes{0xFF, 0xFE}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempWorkingDirectory directory;
        test::WriteFileBytes("in.txt", row.bytes);
        EXPECT_EQ(ReadAllLines(u"in.txt"), row.lines);
    }
}

TEST(LineFileReading, OpenFailsForMissingFilesAndFolders) {
    test::TempWorkingDirectory directory;
    std::filesystem::create_directory("folder");
    LineFile file;
    EXPECT_FALSE(OpenForReading(file, u"nothing.txt"));
    EXPECT_FALSE(OpenForReading(file, u"folder"));
    EXPECT_FALSE(OpenForReading(file, u""));
}

TEST(FileSizeOf, ReportsSizeMissingAndFolder) {
    test::TempWorkingDirectory directory;
    std::filesystem::create_directory("folder");
    test::WriteFileBytes("five.txt", std::string_view("12345"));
    test::WriteFileBytes("\xC3\xA4.txt", std::string_view("12"));
    EXPECT_EQ(FileSizeOf(u"five.txt"), 5);
    EXPECT_EQ(FileSizeOf(u"\u00E4.txt"), 2);
    EXPECT_EQ(FileSizeOf(u"nothing.txt"), -1);
    EXPECT_EQ(FileSizeOf(u""), -1);
    EXPECT_EQ(FileSizeOf(u"folder"), -2);
}

TEST(LineFileWriting, ReportsInjectedWriteAndCloseFaults) {
    test::TempWorkingDirectory directory;
    LineFile file;
    InjectedFileFaults.failWriteAfterBytes = 3;
    ASSERT_TRUE(CreateForWriting(file, u"out.txt"));
    WriteLine(file, u"long enough");
    EXPECT_FALSE(Close(file));
    EXPECT_EQ(InjectedFileFaults.failWriteAfterBytes, -1) << "the fault clears itself";

    InjectedFileFaults.failClose = true;
    ASSERT_TRUE(CreateForWriting(file, u"out.txt"));
    WriteLine(file, u"x");
    EXPECT_FALSE(Close(file));
    EXPECT_FALSE(InjectedFileFaults.failClose);

    InjectedFileFaults.failCreate = true;
    EXPECT_FALSE(CreateForWriting(file, u"out.txt"));
    EXPECT_TRUE(CreateForWriting(file, u"out.txt"));
    EXPECT_TRUE(Close(file));
}

}  // namespace
