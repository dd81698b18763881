// SPDX-License-Identifier: GPL-3.0-or-later
// The text block of a load and the unit texts it holds: pieces that fit, pieces that do not,
// pieces moved and copied, and a block that serves the next load only once it is empty.
#include "data/text_block.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/unit_texts.h"

namespace {

// Blocks of other loads may be idle too: the block in question is among the idle ones taken
// by as many loads as there can be blocks, or it was never given back.
bool ServesAgain(TextBlock* block) {
    std::vector<TextBlock*> taken;
    bool found = false;
    for (int i = 0; i < 1000 && !found; ++i) {
        taken.push_back(StartTextBlock(64, 2));
        found = taken.back() == block;
    }
    for (TextBlock* each : taken) ReleaseTextBlock(each);
    return found;
}

TEST(TextBlockTest, TextsOfAnySizeStayWholeAndTheBlockIsReusedOnlyWhenEmpty) {
    TextBlock* block = StartTextBlock(64, 2);
    struct Row {
        const char* name;
        std::u16string_view unitName;
        std::u16string_view description;
    };
    const Row rows[] = {
        {"empty, no piece at all", u"", u""},
        {"fits in the block", u"Plank", u"hold"},
        {"larger than the block", u"Ausfallschritte links und rechts", u"langsam im Wechsel"},
        {"fits in what is left", u"Rudern", u""},
        {"a description only", u"", u"x"},
    };
    std::vector<UnitTexts> texts;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        texts.emplace_back(row.unitName, row.description, block);
        EXPECT_EQ(texts.back().Name(), row.unitName);
        EXPECT_EQ(texts.back().Description(), row.description);
    }
    ReleaseTextBlock(block);
    EXPECT_FALSE(ServesAgain(block)) << "a block that still holds texts serves no other load";

    UnitTexts moved = std::move(texts[1]);
    texts.clear();
    EXPECT_FALSE(ServesAgain(block)) << "a moved text keeps its piece in the block";
    const UnitTexts copied = moved;  // memory of its own, which holds no block
    moved = UnitTexts(u"Plank", u"hold longer");
    EXPECT_TRUE(ServesAgain(block)) << "an emptied block serves the next load";

    TextBlock* empty = StartTextBlock(0, 0);
    const UnitTexts alone(u"Seilspringen", u"im Wechsel", empty);
    EXPECT_EQ(alone.Name(), u"Seilspringen");
    EXPECT_EQ(alone.Description(), u"im Wechsel");
    ReleaseTextBlock(empty);
}

}  // namespace
