// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader: quoting, line ends, separators, encodings and bad bytes as a table of named
// inputs, each read whole and one byte at a time; the limits of a row; and a source that fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports/csv_reader.h"
#include "reference_text.h"
#include "test_support.h"

namespace {

using Rows = std::vector<std::vector<std::u16string>>;

// Hands out `bytes` in pieces of at most `piece` bytes.
CsvByteSource SourceOf(const std::string& bytes, std::size_t piece) {
    auto at = std::make_shared<std::size_t>(0);
    return [bytes, piece, at](char* buffer, std::size_t size) -> std::intptr_t {
        const std::size_t count = std::min({size, piece, bytes.size() - *at});
        bytes.copy(buffer, count, *at);
        *at += count;
        return std::intptr_t(count);
    };
}

struct ReadBack {
    Rows rows;
    std::vector<WholeNumber> lines;
    std::vector<bool> bad;
    char16_t separator = 0;
};

ReadBack ReadAll(const std::string& bytes, std::size_t piece) {
    CsvReader reader;
    StartCsvReader(reader, SourceOf(bytes, piece));
    CsvRow row;
    ReadBack read;
    while (NextCsvRow(reader, row)) {
        read.rows.emplace_back(row.fields.begin(), row.fields.begin() + row.fieldCount);
        read.lines.push_back(row.line);
        read.bad.push_back(row.badBytes);
    }
    read.separator = reader.separator;
    return read;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : text) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(CsvReader, RowsOfEveryQuotingLineEndSeparatorAndEncoding) {
    struct Row {
        const char* name;
        std::string bytes;
        Rows rows;
        std::vector<WholeNumber> lines;
        char16_t separator = u',';
        std::vector<bool> bad = {};
    };
    const Row rows[] = {
        {"plain fields, LF", "a,b\nc,d\n", {{u"a", u"b"}, {u"c", u"d"}}, {1, 2}},
        {"CR LF and no line end at the end", "a,b\r\nc,d", {{u"a", u"b"}, {u"c", u"d"}}, {1, 2}},
        {"a lone CR ends a row", "a\rb\r", {{u"a"}, {u"b"}}, {1, 2}},
        {"an empty line is a row of one empty field",
         "a\n\nb\n",
         {{u"a"}, {u""}, {u"b"}},
         {1, 2, 3}},
        {"empty fields", ",,\n", {{u"", u"", u""}}, {1}},
        {"a quoted separator, quote and line break",
         "\"x,y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\nnext\n",
         {{u"x,y", u"say \"hi\"", u"two\r\nlines"}, {u"next"}},
         {1, 3}},
        {"text after the closing quote stays", "\"ab\"cd,e\n", {{u"abcd", u"e"}}, {1}},
        {"a quote inside a plain field is a quote", "a\"b,c\n", {{u"a\"b", u"c"}}, {1}},
        {"an unclosed quote runs to the end", "\"abc\nd,e", {{u"abc\nd,e"}}, {1}},
        {"blanks are kept", " a , b \n", {{u" a ", u" b "}}, {1}},
        {"semicolons when the first row holds more of them",
         "a;b,c;d\n1;2,5;3\n",
         {{u"a", u"b,c", u"d"}, {u"1", u"2,5", u"3"}},
         {1, 2},
         u';'},
        {"tabs", "a\tb\n", {{u"a", u"b"}}, {1}, u'\t'},
        {"separators inside quotes do not count", "\"a;b;c\",d\n", {{u"a;b;c", u"d"}}, {1}},
        {"a UTF-8 byte order mark is dropped",
         "\xEF\xBB\xBFWoche,\xC3\x9C"
         "bung\n",
         {{u"Woche", u"\u00DCbung"}},
         {1}},
        {"UTF-16 little-endian with its mark",
         "\xFF\xFE" + Utf16Bytes(u"a,\u00DF\n", false),
         {{u"a", u"\u00DF"}},
         {1}},
        {"UTF-16 big-endian with its mark",
         "\xFE\xFF" + Utf16Bytes(u"a,\U0001F3C3\n", true),
         {{u"a", u"\U0001F3C3"}},
         {1}},
        {"UTF-16 little-endian without a mark",
         Utf16Bytes(u"Date,x\r\n", false),
         {{u"Date", u"x"}},
         {1}},
        {"UTF-16 big-endian without a mark", Utf16Bytes(u"Date\n", true), {{u"Date"}}, {1}},
        {"bytes that are no UTF-8 mark their row",
         "a,b\nS\xFC\xDF,x\nc\n",
         {{u"a", u"b"}, {u"S\uFFFD\uFFFD", u"x"}, {u"c"}},
         {1, 2, 3},
         u',',
         {false, true, false}},
        {"a lone surrogate in UTF-16 marks its row",
         "\xFF\xFE" + Utf16Bytes(u"a\n", false) + std::string("\x00\xD8", 2) +
             Utf16Bytes(u"b\n", false),
         {{u"a"}, {u"\uFFFDb"}},
         {1, 2},
         u',',
         {false, true}},
        {"an odd last byte of UTF-16",
         "\xFF\xFE" + Utf16Bytes(u"a", false) + "b",
         {{u"a\uFFFD"}},
         {1},
         u',',
         {true}},
        {"an unfinished UTF-8 character at the end",
         "ab\xE2\x82",
         {{u"ab\uFFFD\uFFFD"}},
         {1},
         u',',
         {true}},
        {"overlong and surrogate UTF-8 forms are bad",
         "\xC0\xAF\xED\xA0\x80",
         {{u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}},
         {1},
         u',',
         {true}},
        {"nothing at all", "", {}, {}},
        {"only a byte order mark", "\xEF\xBB\xBF", {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(1) << 20}) {
            SCOPED_TRACE(piece);
            const ReadBack read = ReadAll(row.bytes, piece);
            EXPECT_EQ(read.rows, row.rows);
            EXPECT_EQ(read.lines, row.lines);
            EXPECT_EQ(read.separator, row.separator);
            std::vector<bool> bad = row.bad;
            if (bad.empty()) bad.assign(row.rows.size(), false);
            EXPECT_EQ(read.bad, bad);
        }
    }
}

TEST(CsvReader, AgreesWithThePlainRulesAcrossTheReadChunks) {
    // Rows long enough to cross the chunks as they grow to 64 KiB, with quotes and line ends
    // at the edges.
    std::string bytes = "h1,h2,h3\r\n";
    for (int row = 0; bytes.size() < 300000; ++row) {
        bytes += "\"q" + std::to_string(row) + ",\"\"x\"\"\r\ny\"," + std::string(row % 97, 'p') +
                 ",\xC3\xA4" + std::to_string(row) + (row % 3 == 0 ? "\n" : "\r\n");
    }
    const std::u16string text = test::ToUtf16(bytes);
    const Rows expected = reference::CsvRows(text, u',');
    for (std::size_t piece : {std::size_t(7), std::size_t(4096), std::size_t(1) << 20}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(ReadAll(bytes, piece).rows, expected);
    }
}

TEST(CsvReader, LongRowsAndManyFieldsAreCutAndMarked) {
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t fields;
        bool tooLong;
        bool swallowsTheRest = false;
    };
    const std::string beyond(MostCsvRowUnits + 10, 'x');
    std::string manyFields;
    for (std::size_t field = 0; field < MostCsvFields + 5; ++field) manyFields += "f,";
    const Row rows[] = {
        {"a 1 MB line is read whole", std::string(1 << 20, 'x') + "\nnext\n", 1, false},
        {"a line past the limit", beyond + ",y\nnext\n", 2, true},
        {"an unclosed quote past the limit", "\"" + beyond + "\nnext\n", 1, true, true},
        {"fields past the most kept", manyFields + "\nnext\n", MostCsvFields, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CsvReader reader;
        StartCsvReader(reader, SourceOf(row.bytes, 1 << 16));
        CsvRow first;
        ASSERT_TRUE(NextCsvRow(reader, first));
        EXPECT_EQ(first.fieldCount, row.fields);
        EXPECT_EQ(first.tooLong, row.tooLong);
        std::size_t units = 0;
        for (std::size_t field = 0; field < first.fieldCount; ++field)
            units += first.fields[field].size();
        EXPECT_LE(units, MostCsvRowUnits);
        CsvRow next;
        if (row.swallowsTheRest) {
            EXPECT_FALSE(NextCsvRow(reader, next)) << "the quote swallowed the rest";
        } else {
            ASSERT_TRUE(NextCsvRow(reader, next));
            EXPECT_EQ(next.Field(0), u"next");
            EXPECT_FALSE(next.tooLong);
        }
    }
}

TEST(CsvReader, AFailingSourceEndsTheRowsAndSaysSo) {
    int calls = 0;
    CsvReader reader;
    StartCsvReader(reader, [&calls](char* buffer, std::size_t size) -> std::intptr_t {
        if (++calls > 2) return -1;
        // More than the room given is never taken.
        (void)size;
        buffer[0] = calls == 1 ? 'a' : ',';
        return 1;
    });
    CsvRow row;
    ASSERT_TRUE(NextCsvRow(reader, row));
    EXPECT_EQ(row.Field(0), u"a");
    EXPECT_TRUE(reader.readFailed);
    EXPECT_FALSE(NextCsvRow(reader, row));

    CsvReader empty;
    StartCsvReader(empty, nullptr);
    EXPECT_FALSE(NextCsvRow(empty, row)) << "no source reads as an empty file";
    EXPECT_FALSE(empty.readFailed);
}

}  // namespace
