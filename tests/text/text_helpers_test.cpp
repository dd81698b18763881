// SPDX-License-Identifier: GPL-3.0-or-later
// The text helpers as tables of accepted and broken inputs: fields, counts, integer
// parsing with its wrap-around, integer formatting at the limits, trimming.
#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "reference_text.h"
#include "test_support.h"

namespace {

TEST(FieldOf, CutsFieldsAtTheFirstSeparatorCharacter) {
    struct Row {
        const char* name;
        std::u16string text;
        WholeNumber n;
        std::u16string separator;
        std::u16string expected;
    };
    const Row rows[] = {
        {"first field", u"a|b|c", 1, u"|", u"a"},
        {"middle field", u"a|b|c", 2, u"|", u"b"},
        {"last field", u"a|b|c", 3, u"|", u"c"},
        {"past the last field", u"a|b", 3, u"|", u""},
        {"empty field between separators", u"a||b", 2, u"|", u""},
        {"field zero counts as one", u"a|b", 0, u"|", u"a"},
        {"negative counts as one", u"a|b", -7, u"|", u"a"},
        {"only the first separator character", u"a|xb|c", 2, u"|x", u"xb"},
        {"empty separator gives the whole text", u"a|b", 1, u"", u"a|b"},
        {"empty separator, field two", u"a|b", 2, u"", u""},
        {"empty text", u"", 1, u"|", u""},
        {"trailing separator gives an empty field", u"a\\", 2, u"\\", u""},
        {"no separator in text", u"whole", 1, u"\\", u"whole"},
        {"huge field number", u"a|b", std::numeric_limits<WholeNumber>::max(), u"|", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(test::ToUtf8(reference::FieldOf(row.text, row.n, row.separator)),
                  test::ToUtf8(row.expected));
    }
}

TEST(CutFields, GivesTheFieldsOfFieldOf) {
    struct Row {
        const char* name;
        std::u16string text;
    };
    const Row rows[] = {
        {"no separator", u"abcdefghijklmnop"},
        {"empty text", u""},
        {"catalogue line", u"Plank|3|60|hold"},
        {"more fields than cut", u"a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r"},
        {"separators only", u"||||||||||"},
        {"separators on both sides of eight units", u"1234567|89|"},
        {"separator only in the tail", u"abcdefgh|x"},
        {"empty fields", u"|a||b|"},
        {"units sharing a byte with the separator", u"\u7C7C\u017C|\u7C00x|\u007C"},
        {"long text of look-alike units", u"\u7C7C\u017C|\u7C00x|\u007Cabcdef\u7C7C|\u017C|"},
        {"exactly eight units", u"a|b|c|d|"},
        {"separators at both ends of 64 units", u"|" + std::u16string(62, u'x') + u"|"},
        {"65 units", std::u16string(64, u'x') + u"|y"},
        {"separator on the last unit of 40", std::u16string(39, u'x') + u"|"},
    };
    for (const Row& row : rows) {
        for (std::size_t count : {std::size_t(0), std::size_t(1), std::size_t(4), MostCutFields}) {
            SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(count) + " fields");
            std::u16string_view fields[MostCutFields];
            CutFields(row.text, u'|', fields, count);
            for (std::size_t n = 1; n <= count; ++n)
                EXPECT_EQ(
                    test::ToUtf8(fields[n - 1]),
                    test::ToUtf8(reference::FieldOf(row.text, static_cast<WholeNumber>(n), u"|")))
                    << "field " << n;
        }
    }
}

TEST(CountOf, CountsWithoutOverlap) {
    struct Row {
        const char* name;
        std::u16string text;
        std::u16string part;
        WholeNumber expected;
    };
    const Row rows[] = {
        {"separators", u"a\\b\\c", u"\\", 2}, {"no overlap", u"aaaa", u"aa", 2},
        {"odd run", u"aaa", u"aa", 1},        {"empty part", u"abc", u"", 0},
        {"empty text", u"", u"a", 0},         {"part longer than text", u"a", u"ab", 0},
        {"whole text", u"ab", u"ab", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(reference::CountOf(row.text, row.part), row.expected);
    }
}

TEST(ParseInteger, AcceptedForms) {
    struct Row {
        const char* name;
        std::u16string text;
        std::int64_t expected;
    };
    const Row rows[] = {
        {"plain", u"42", 42},
        {"spaces and minus with trailing text", u"  -12x", -12},
        {"plus sign", u"+7", 7},
        {"hexadecimal lower", u"$ff", 255},
        {"hexadecimal upper", u"$1F", 31},
        {"binary stops at 2", u"%1012", 5},
        {"tab before digits", u"\t8", 8},
        {"leading zeros", u"007", 7},
        {"negative hexadecimal", u"-$10", -16},
        {"largest", u"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"smallest", u"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"one past the largest wraps", u"9223372036854775808",
         std::numeric_limits<std::int64_t>::min()},
        {"2^64 wraps to zero", u"18446744073709551616", 0},
        {"all ones in hex", u"$FFFFFFFFFFFFFFFF", -1},
        {"beyond 32 bits", u"4294967296", 4294967296},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseInteger(row.text), row.expected);
    }
}

TEST(ParseInteger, BrokenInputsGiveTheirLeadingNumberOrZero) {
    struct Row {
        const char* name;
        std::u16string text;
        std::int64_t expected;
    };
    const Row rows[] = {
        {"empty", u"", 0},
        {"C-style hex", u"0x10", 0},
        {"space after minus", u"- 5", 0},
        {"letters", u"abc", 0},
        {"dollar without digits", u"$", 0},
        {"percent without digits", u"%2", 0},
        {"two signs", u"+-3", 0},
        {"leading blank other than space or tab", u"\n5", 0},
        {"hex digit in decimal", u"12abc", 12},
        {"hex stops at g", u"$fg", 15},
        {"full-width digit", u"\uFF11", 0},
        {"only spaces", u"   ", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseInteger(row.text), row.expected);
    }
}

TEST(FormatInteger, WritesPlainDecimal) {
    struct Row {
        const char* name;
        std::int64_t value;
        std::u16string expected;
    };
    const Row rows[] = {
        {"zero", 0, u"0"},
        {"negative", -45, u"-45"},
        {"positive", 1234567, u"1234567"},
        {"largest", std::numeric_limits<std::int64_t>::max(), u"9223372036854775807"},
        {"smallest", std::numeric_limits<std::int64_t>::min(), u"-9223372036854775808"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(test::ToUtf8(FormatInteger(row.value)), test::ToUtf8(row.expected));
        EXPECT_EQ(ParseInteger(FormatInteger(row.value)), row.value) << "round trip";
    }
}

TEST(HoldsControlCharacter, FindsEveryControlCharacterButTheTab) {
    struct Row {
        const char* name;
        std::u16string text;
        bool expected;
    };
    const Row rows[] = {
        {"plain", u"Push-ups", false},
        {"tab", u"a\tb", false},
        {"space and no-break space", u" \u00A0", false},
        {"line feed", u"a\n", true},
        {"carriage return", u"\ra", true},
        {"NUL", std::u16string(u"a\0", 2), true},
        {"unit separator", u"\x1F", true},
        {"delete is no control below U+0020", u"\x7F", false},
        {"empty", u"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(HoldsControlCharacter(row.text), row.expected);
    }
}

TEST(TrimSpaces, RemovesOnlyOuterSpaces) {
    struct Row {
        const char* name;
        std::u16string text;
        std::u16string expected;
    };
    const Row rows[] = {
        {"spaces only", u"    ", u""},
        {"tab stays", u"\t", u"\t"},
        {"both ends", u"  a b  ", u"a b"},
        {"tab inside spaces", u" \ta\t ", u"\ta\t"},
        {"no-break space stays", u"\u00A0x", u"\u00A0x"},
        {"empty", u"", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(test::ToUtf8(TrimSpaces(row.text)), test::ToUtf8(row.expected));
    }
}

}  // namespace
