// SPDX-License-Identifier: GPL-3.0-or-later
// The text table: every visible text by group and key, built from the German built-in
// texts. Lookups ignore letter case. Reading a language file over it is config/'s work.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TextGroup {
    std::u16string name;  // upper-cased
    std::int32_t first = 0;
    std::int32_t last = 0;  // first - 1 for a group without keys
    std::int32_t firstCharIndex[256] = {};
};

struct TextTable {
    std::vector<TextGroup> groups;     // slots 0..groupCount; slot 0 is a placeholder
    std::vector<std::u16string> keys;  // slots 0..stringCount, upper-cased
    std::vector<std::u16string> values;
    std::int32_t groupCount = 0;
    std::int32_t stringCount = 0;
    // The group of the last lookup: texts are mostly asked for group by group.
    mutable std::int32_t cachedGroup = 0;
};

struct BuiltInText {
    const char16_t* first;  // "_GROUP_", "_END_" or a key
    const char16_t* second;
};

inline constexpr char16_t NotFoundText[] = u"##### String not found! #####";

extern const BuiltInText BuiltInTexts[];

// The table of the built-in texts, each group sorted by key and indexed.
TextTable BuildTextTable();
// NotFoundText when the group or the key is not in the table.
std::u16string LookupText(const TextTable& table, std::u16string_view group,
                          std::u16string_view key);
