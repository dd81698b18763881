// SPDX-License-Identifier: GPL-3.0-or-later
// Block reading against line-by-line reading: for random files (every line end, byte order
// marks, odd last bytes, lines longer than a block) NextLine must give exactly the lines
// that ReadLine gives until AtEnd.
#include "data/line_blocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "reference_text.h"
#include "test_support.h"

namespace {

using test::Bytes;

struct ReadResult {
    std::vector<std::u16string> lines;
    bool closed = false;
};

ReadResult ReadWithReadLine(const std::u16string& path) {
    ReadResult result;
    LineFile file;
    EXPECT_TRUE(OpenForReading(file, path));
    SkipByteOrderMark(file);
    while (!AtEnd(file)) result.lines.push_back(reference::ReadLine(file));
    result.closed = Close(file);
    return result;
}

ReadResult ReadWithBlocks(const std::u16string& path, std::size_t blockUnits) {
    ReadResult result;
    LineFile file;
    EXPECT_TRUE(OpenForReading(file, path));
    SkipByteOrderMark(file);
    LineBlockReader reader;
    reader.blockUnits = blockUnits;
    StartBlockReading(reader, file);
    std::u16string_view line;
    while (NextLine(reader, line)) result.lines.emplace_back(line);
    // Past the end it stays at the end, with the empty text.
    for (int again = 0; again < 2; ++again) {
        EXPECT_FALSE(NextLine(reader, line));
        EXPECT_TRUE(line.empty());
    }
    result.closed = Close(file);
    return result;
}

// Bytes from a small alphabet rich in line ends, so that CR LF pairs, lone CRs, NULs and
// empty lines all fall on block edges somewhere.
Bytes RandomBody(std::mt19937& random, std::size_t units, bool utf8) {
    static const char16_t Alphabet[] = {u'a', u'b',  u'|',  u'\\',  u' ',   u'\r',  u'\n',
                                        0,    u'\r', u'\n', 0x00E4, 0x20AC, 0xD83D, 0x0D0A};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(Alphabet) - 1);
    std::u16string text;
    for (std::size_t i = 0; i < units; ++i) text.push_back(Alphabet[pick(random)]);
    if (!utf8) return test::Utf16Le(text);
    Bytes bytes;
    for (char16_t unit : text) {
        // Line ends and NUL as single bytes; the rest as some UTF-8, broken or not.
        if (unit < 0x80) {
            bytes.push_back(static_cast<std::uint8_t>(unit));
        } else {
            bytes.push_back(static_cast<std::uint8_t>(0xC0 | (unit >> 12)));
            bytes.push_back(static_cast<std::uint8_t>(0x80 | (unit & 0x3F)));
        }
    }
    return bytes;
}

TEST(LineBlockReading, GivesTheLinesOfReadLineForRandomFiles) {
    struct Mark {
        const char* name;
        Bytes bytes;
        bool utf8;
    };
    const Mark marks[] = {
        {"no mark", {}, false},
        {"UTF-16 LE mark", {0xFF, 0xFE}, false},
        {"UTF-16 BE mark", {0xFE, 0xFF}, false},
        {"UTF-32 LE-looking mark", {0x00, 0x00, 0xFE, 0xFF}, false},
        {"UTF-8 mark", {0xEF, 0xBB, 0xBF}, true},
    };
    // Small files are read from line_file's first buffer alone; large ones go through many
    // reads, with blocks of a few units up to the real size.
    const std::size_t sizes[] = {0, 1, 7, 300, 70000, 140000};
    const std::size_t blocks[] = {2, 3, 16, 1000, LineBlockReader{}.blockUnits};
    std::mt19937 random(20240611);
    test::TempWorkingDirectory directory;
    for (const Mark& mark : marks) {
        for (std::size_t units : sizes) {
            for (bool oddByte : {false, true}) {
                Bytes bytes = mark.bytes;
                Bytes body = RandomBody(random, units, mark.utf8);
                bytes.insert(bytes.end(), body.begin(), body.end());
                if (oddByte) bytes.push_back(0x41);
                test::WriteFileBytes("in.txt", bytes);
                const ReadResult expected = ReadWithReadLine(u"in.txt");
                for (std::size_t block : blocks) {
                    if (block < 16 && units > 70000) continue;  // one read per few units: slow
                    SCOPED_TRACE(std::string(mark.name) + ", " + std::to_string(units) +
                                 " units, odd byte " + std::to_string(oddByte) + ", block " +
                                 std::to_string(block));
                    const ReadResult got = ReadWithBlocks(u"in.txt", block);
                    ASSERT_EQ(got.lines.size(), expected.lines.size());
                    EXPECT_TRUE(got.lines == expected.lines);
                    EXPECT_EQ(got.closed, expected.closed);
                }
            }
        }
    }
}

TEST(LineBlockReading, LineEndsOnBlockEdges) {
    struct Row {
        const char* name;
        std::u16string content;
        std::size_t blockUnits;
        std::vector<std::u16string> lines;
    };
    // 70 000 units of 'q' push everything after them past line_file's first 64 KiB buffer.
    const std::u16string pad(70000, u'q');
    // 32 767 units put a CR as the last unit of that first buffer.
    const std::u16string edge(32767, u'e');
    const Row rows[] = {
        {"CR last in the first buffer, LF first in the next read",
         edge + u"\r\nb",
         4,
         {edge, u"b"}},
        {"lone CR last in the first buffer", edge + u"\rb", 4, {edge, u"b"}},
        {"CR last in a block, LF first in the next", pad + u"\r\nb", 4, {pad, u"b"}},
        {"CR last in the file", pad + u"a\r", 4, {pad + u"a"}},
        {"CR CR LF across blocks", pad + u"\r\r\nb", 2, {pad, u"", u"b"}},
        {"line end at the very end", pad + u"\n", 3, {pad}},
        {"NUL after a block edge", pad + std::u16string(u"\0x", 2), 5, {pad, u"x"}},
        {"many short lines", pad + u"\n\n\n", 2, {pad, u"", u""}},
        {"line much longer than a block", u"a\r\n" + pad + pad, 16, {u"a", pad + pad}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempWorkingDirectory directory;
        test::WriteFileBytes("in.txt", test::Utf16Le(row.content));
        const ReadResult got = ReadWithBlocks(u"in.txt", row.blockUnits);
        ASSERT_EQ(got.lines.size(), row.lines.size());
        EXPECT_TRUE(got.lines == row.lines);
        EXPECT_TRUE(got.closed);
    }
}

}  // namespace
