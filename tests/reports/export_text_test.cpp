// SPDX-License-Identifier: GPL-3.0-or-later
// Encodings of the export files: CSV fields, HTML/XML text, iCalendar text values and the
// folding of iCalendar lines at 75 octets, with odd names, non-Latin letters and emoji.
#include "reports/export_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/unicode.h"

namespace {

// An emoji as a surrogate pair and its UTF-8 bytes.
constexpr char16_t Emoji[] = u"\U0001F4AA";
constexpr char EmojiUtf8[] = "\xF0\x9F\x92\xAA";
constexpr char ReplacementUtf8[] = "\xEF\xBF\xBD";

TEST(ExportText, CsvFields) {
    struct Row {
        const char* name;
        std::u16string text;
        std::string field;
    };
    const Row rows[] = {
        {"empty", u"", ""},
        {"plain", u"Laufen", "Laufen"},
        {"comma", u"Liegestütze, breit", "\"Liegest\xC3\xBCtze, breit\""},
        {"semicolon", u"links; rechts", "\"links; rechts\""},
        {"quotes doubled", u"Plank \"hold\"", "\"Plank \"\"hold\"\"\""},
        {"line feed", u"a\nb", "\"a\nb\""},
        {"carriage return", u"a\rb", "\"a\rb\""},
        {"leading space", u" Rad", "\" Rad\""},
        {"trailing tab", u"Rad\t", "\"Rad\t\""},
        {"inner spaces only", u"a b", "a b"},
        {"angle brackets and ampersand", u"<b>&", "<b>&"},
        {"formula", u"=SUM(A1)", "\"'=SUM(A1)\""},
        {"plus", u"+2 Sätze", "\"'+2 S\xC3\xA4tze\""},
        {"minus", u"-3 kg", "\"'-3 kg\""},
        {"at", u"@home", "\"'@home\""},
        {"formula with quote", u"=\"x\"", "\"'=\"\"x\"\"\""},
        {"equals later is fine", u"a=b", "a=b"},
        {"Cyrillic", u"Приседания",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD1\x81\xD0\xB5\xD0\xB4\xD0\xB0\xD0"
         "\xBD\xD0\xB8\xD1\x8F"},
        {"emoji", Emoji, EmojiUtf8},
        {"lone surrogate",
         u"a\xD800"
         u"b",
         std::string("a") + ReplacementUtf8 + "b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CsvTextField(row.text), row.field);
    }
}

TEST(ExportText, HtmlText) {
    struct Row {
        const char* name;
        std::u16string text;
        std::string html;
    };
    const Row rows[] = {
        {"markup", u"<b>Sprint</b> & \"Co\" 'x'",
         "&lt;b&gt;Sprint&lt;/b&gt; &amp; &quot;Co&quot; &#39;x&#39;"},
        {"already escaped stays visible", u"&amp;", "&amp;amp;"},
        {"controls",
         u"a\x01"
         u"b\x7F"
         u"c\td",
         std::string("a") + ReplacementUtf8 + "b" + ReplacementUtf8 + "c\td"},
        {"nul", std::u16string(1, u'\0'), ReplacementUtf8},
        {"noncharacters", u"\xFFFE\xFFFF", std::string(ReplacementUtf8) + ReplacementUtf8},
        {"emoji", Emoji, EmojiUtf8},
        {"reversed pair", u"\xDCAA\xD83D", std::string(ReplacementUtf8) + ReplacementUtf8},
        {"Japanese", u"腕立て伏せ", "\xE8\x85\x95\xE7\xAB\x8B\xE3\x81\xA6\xE4\xBC\x8F\xE3\x81\x9B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(HtmlText(row.text), row.html);
    }
}

TEST(ExportText, IcsTextValues) {
    struct Row {
        const char* name;
        std::u16string text;
        std::string value;
    };
    const Row rows[] = {
        {"plain", u"Plank 3 x 60", "Plank 3 x 60"},
        {"separators", u"a,b;c\\d", "a\\,b\\;c\\\\d"},
        {"line ends", u"x\r\ny\nz\rw", "x\\ny\\nz\\nw"},
        {"two line feeds", u"x\n\ny", "x\\n\\ny"},
        {"colon and quote stay", u"a:\"b\"", "a:\"b\""},
        {"tab stays", u"a\tb", "a\tb"},
        {"control",
         u"a\x1B"
         u"b",
         std::string("a") + ReplacementUtf8 + "b"},
        {"emoji", Emoji, EmojiUtf8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IcsText(row.text), row.value);
    }
}

std::string Folded(const std::string& line) {
    std::string out;
    AppendIcsLine(out, line);
    return out;
}

// Every physical line at most 75 octets, valid UTF-8 on its own, and the unfolded text the
// original line.
void ExpectProperlyFolded(const std::string& line) {
    const std::string folded = Folded(line);
    ASSERT_GE(folded.size(), 2u);
    ASSERT_EQ(folded.substr(folded.size() - 2), "\r\n");
    std::string unfolded;
    std::size_t start = 0;
    while (start < folded.size()) {
        const std::size_t end = folded.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        std::string physical = folded.substr(start, end - start);
        EXPECT_LE(physical.size(), 75u);
        EXPECT_TRUE(IsValidUtf8(physical)) << physical;
        if (start > 0) {
            ASSERT_EQ(physical[0], ' ');
            physical.erase(0, 1);
        }
        unfolded += physical;
        start = end + 2;
    }
    EXPECT_EQ(unfolded, line);
}

TEST(ExportText, IcsLinesFoldAt75OctetsWithoutSplittingCharacters) {
    const std::string a74(74, 'a');
    EXPECT_EQ(Folded(a74 + "b"), a74 + "b\r\n");
    EXPECT_EQ(Folded(a74 + "bc"), a74 + "b\r\n c\r\n");
    // "ä" would take octets 75 and 76: it moves whole to the next line.
    EXPECT_EQ(Folded(a74 + "\xC3\xA4" + "z"), a74 + "\r\n \xC3\xA4z\r\n");
    // An emoji at the fold of a continuation line (74 octets after its space).
    const std::string second = std::string(72, 'c') + EmojiUtf8;
    EXPECT_EQ(Folded(std::string(75, 'b') + second),
              std::string(75, 'b') + "\r\n " + std::string(72, 'c') + "\r\n " + EmojiUtf8 + "\r\n");
    EXPECT_EQ(Folded(""), "\r\n");

    std::string mixed;
    for (int i = 0; i < 60; ++i) mixed += std::string("x\xC3\xA9\xE8\x85\x95") + EmojiUtf8;
    ExpectProperlyFolded(mixed);
    ExpectProperlyFolded(std::string(1000, 'q'));
    ExpectProperlyFolded("DESCRIPTION:" + IcsText(std::u16string(200, u'Ж')));
}

}  // namespace
