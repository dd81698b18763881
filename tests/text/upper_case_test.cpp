// SPDX-License-Identifier: GPL-3.0-or-later
// The simple upper-case mapping that case-insensitive keys and placeholders use.
#include "text/upper_case.h"

#include <gtest/gtest.h>

namespace {

TEST(UpperCaseMapping, MapsLettersOfTheCommonScripts) {
    struct Row {
        const char* name;
        char16_t small;
        char16_t capital;
    };
    const Row rows[] = {
        {"ascii a", u'a', u'A'},
        {"ascii z", u'z', u'Z'},
        {"digit", u'7', u'7'},
        {"bracket", u'{', u'{'},
        {"a umlaut", 0x00E4, 0x00C4},
        {"thorn", 0x00FE, 0x00DE},
        {"y diaeresis", 0x00FF, 0x0178},
        {"division sign", 0x00F7, 0x00F7},
        {"sharp s stays", 0x00DF, 0x00DF},
        {"micro sign", 0x00B5, 0x039C},
        {"a macron", 0x0101, 0x0100},
        {"dotless i", 0x0131, u'I'},
        {"l with stroke", 0x0142, 0x0141},
        {"z caron", 0x017E, 0x017D},
        {"long s", 0x017F, u'S'},
        {"capital stays", 0x0141, 0x0141},
        {"greek alpha", 0x03B1, 0x0391},
        {"greek final sigma", 0x03C2, 0x03A3},
        {"greek omega tonos", 0x03CE, 0x038F},
        {"cyrillic a", 0x0430, 0x0410},
        {"cyrillic ya", 0x044F, 0x042F},
        {"cyrillic io", 0x0451, 0x0401},
        {"cyrillic ghe upturn", 0x0491, 0x0490},
        {"fullwidth a", 0xFF41, 0xFF21},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(int(UpperCaseOf(row.small)), int(row.capital));
    }
    EXPECT_EQ(UpperCase(u"imageToolTipp \u00FC\u00DF"), u"IMAGETOOLTIPP \u00DC\u00DF");
}

}  // namespace
