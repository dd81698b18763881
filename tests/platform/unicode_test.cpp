// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between UTF-16, UTF-8 and ISO 8859-1.
#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8Conversion, RoundTripsEveryPlaneAndLoneSurrogates) {
    struct Row {
        const char* name;
        std::u16string text;
        std::string utf8;
    };
    const Row rows[] = {
        {"ascii", u"Fehler", "Fehler"},
        {"umlaut", u"L\u00F6schen", "L\xC3\xB6schen"},
        {"three bytes", u"\u20AC", "\xE2\x82\xAC"},
        {"pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"lone high surrogate", std::u16string(1, char16_t(0xD83D)) + u"x", "\xED\xA0\xBDx"},
        {"lone low surrogate", std::u16string(1, char16_t(0xDE00)), "\xED\xB8\x80"},
        {"reversed pair", std::u16string{char16_t(0xDE00), char16_t(0xD83D)},
         "\xED\xB8\x80\xED\xA0\xBD"},
        {"nul inside", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf16ToUtf8(row.text), row.utf8);
        EXPECT_EQ(Utf8ToUtf16(row.utf8), row.text);
    }
}

TEST(Utf8Conversion, BrokenSequencesBecomeReplacementCharacters) {
    struct Row {
        const char* name;
        std::string utf8;
        std::u16string expected;
    };
    const Row rows[] = {
        {"stray continuation", "a\x80z", u"a\uFFFDz"},
        {"truncated at end", "a\xE2\x82", u"a\uFFFD"},
        {"truncated before ascii", "\xE2(", u"\uFFFD("},
        {"overlong slash", "\xC0\xAF", u"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
        {"invalid lead", "\xFFx", u"\uFFFDx"},
        {"latin-1 byte", "Gr\xFC\xDF", u"Gr\uFFFD\uFFFD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8ToUtf16(row.utf8), row.expected);
    }
}

TEST(Utf8Conversion, Latin1BytesBecomeTheCharactersOfTheSameCode) {
    std::string all;
    std::u16string expected;
    for (int code = 1; code < 256; ++code) {
        all.push_back(char(code));
        expected.push_back(char16_t(code));
    }
    const std::string utf8 = Latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
    EXPECT_EQ(Utf8ToUtf16(utf8), expected);
    EXPECT_EQ(Latin1ToUtf8("\xFC"), "\xC3\xBC");
}

TEST(Utf8Validation, AcceptsWellFormedTextOnly) {
    struct Row {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Row rows[] = {
        {"empty", "", true},
        {"ascii", "Version = 0.1", true},
        {"two bytes", "\xC3\xBC", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"latin-1 u umlaut", "\xFC", false},
        {"truncated", "\xC3", false},
        {"overlong", "\xE0\x80\xAF", false},
        {"encoded surrogate", "\xED\xA0\x80", false},
        {"beyond range", "\xF4\x90\x80\x80", false},
        {"stray continuation", "\xBC", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsValidUtf8(row.bytes), row.valid);
    }
}

}  // namespace
