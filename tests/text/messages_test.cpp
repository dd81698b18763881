// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder substitution and the texts of the boxes that report failures.
#include "text/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_table.h"

namespace {

TEST(SubstitutePlaceholders, FollowsTheReplacementRules) {
    struct Row {
        const char* name;
        std::u16string text;
        std::u16string replacement1;
        std::u16string replacement2;
        std::u16string expected;
    };
    const Row rows[] = {
        {"single", u"Datei {replace}!", u"ini.ini", u"", u"Datei ini.ini!"},
        {"twice", u"{replace} und {replace}", u"a", u"", u"a und a"},
        {"mixed case", u"{RePlAcE}/{REPLACE}", u"x", u"", u"x/x"},
        {"empty replacement 1 keeps it", u"Datei {replace}", u"", u"y", u"Datei {replace}"},
        {"second only, small letters", u"A {replace2} B", u"one", u"two", u"A two B"},
        {"first does not match inside second", u"{replace2}{replace}", u"1", u"2", u"21"},
        {"empty replacement 2 keeps it", u"{replace2}", u"1", u"", u"{replace2}"},
        {"replacement 1 holds the second", u"<{replace}>", u"{REPLACE2}", u"two", u"<two>"},
        {"inserted text is not searched again", u"{replace}", u"{replace}{replace}", u"",
         u"{replace}{replace}"},
        {"adjacent occurrences", u"{replace}{replace}", u"ab", u"", u"abab"},
        {"unclosed placeholder", u"{replace", u"x", u"", u"{replace"},
        {"placeholder with a blank", u"{ replace}", u"x", u"", u"{ replace}"},
        {"empty text", u"", u"x", u"y", u""},
        {"non-ascii look-alike", u"{REPLAC\u0112}", u"x", u"", u"{REPLAC\u0112}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SubstitutePlaceholders(row.text, row.replacement1, row.replacement2),
                  row.expected);
    }
}

TEST(ErrorBoxText, TakesTitleAndTextFromTheErrorsGroup) {
    const TextTable texts = BuildTextTable();
    struct Row {
        const char* name;
        const char16_t* key;
        std::u16string file;
        std::u16string text;
    };
    const Row rows[] = {
        {"file in place of the placeholder", u"Config1", u"ini.ini",
         u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!"},
        {"text without placeholder ignores the empty file", u"AddButton", u"",
         u"Es ist keine Trainigseinheit vorhanden!"},
        {"unknown key", u"NoSuchKey", u"x", NotFoundText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BoxText box = ErrorBoxText(texts, row.key, row.file);
        EXPECT_EQ(box.title, u"Fehler");
        EXPECT_EQ(box.text, row.text);
    }
}

}  // namespace
