// SPDX-License-Identifier: GPL-3.0-or-later
// The text block of a load: texts that fit, texts that do not, and a block that serves the
// next load only once its last text is gone.
#include "data/text_block.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

TEST(TextBlockTest, TextsOfAnySizeStayWholeAndTheBlockIsReusedOnlyWhenEmpty) {
    std::pmr::memory_resource* block = StartTextBlock(64);
    struct Row {
        const char* name;
        std::u16string_view text;
    };
    const Row rows[] = {
        {"empty", u""},
        {"short, kept inside the string", u"Plank"},
        {"fits in the block", u"Ausfallschritte links"},
        {"larger than the block", u"Ausfallschritte links und rechts, langsam im Wechsel"},
        {"fits in what is left", u"Rudern am Band"},
    };
    std::vector<std::pmr::u16string> texts;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        texts.emplace_back(row.text, block);
        EXPECT_EQ(texts.back(), row.text);
    }
    ReleaseTextBlock(block);

    // Blocks of other loads may be idle too: the block in question is among the idle ones
    // taken by as many loads as there can be blocks, or it was never given back.
    const auto servesAgain = [block] {
        std::vector<std::pmr::memory_resource*> taken;
        bool found = false;
        for (int i = 0; i < 1000 && !found; ++i) {
            taken.push_back(StartTextBlock(64));
            found = taken.back() == block;
        }
        for (std::pmr::memory_resource* each : taken) ReleaseTextBlock(each);
        return found;
    };
    EXPECT_FALSE(servesAgain()) << "a block that still holds texts serves no other load";
    texts[2] += u" und rechts";  // grown out of the block, which holds no text any more
    EXPECT_EQ(texts[2], u"Ausfallschritte links und rechts");
    EXPECT_TRUE(servesAgain()) << "an emptied block serves the next load";
    texts[2] += u", langsam";  // a string that held a piece still reaches its block
    EXPECT_EQ(texts[2], u"Ausfallschritte links und rechts, langsam");
    texts.clear();
    EXPECT_TRUE(servesAgain()) << "an emptied block serves the next load";

    std::pmr::memory_resource* empty = StartTextBlock(0);
    std::pmr::u16string alone(u"Seilspringen im Wechsel", empty);
    EXPECT_EQ(alone, u"Seilspringen im Wechsel");
    ReleaseTextBlock(empty);
}

}  // namespace
