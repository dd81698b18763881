// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the text table from the built-in texts and finds a text by group and key.
// Reading a language file over the finished table is left to config/language_file.cpp.
#include "text/text_table.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "text/upper_case.h"

namespace {

constexpr char16_t GroupMarker[] = u"_GROUP_";
constexpr char16_t EndMarker[] = u"_END_";

// Character codes the first-character index covers; keys are ASCII, so this is never short.
constexpr std::size_t IndexSize = 256;

void CountBuiltInTexts(std::int32_t& groupCount, std::int32_t& stringCount) {
    groupCount = 0;
    stringCount = 0;
    for (const BuiltInText* pair = BuiltInTexts;; ++pair) {
        const std::u16string first = UpperCase(pair->first);
        if (first == EndMarker) return;
        if (first == GroupMarker) {
            ++groupCount;
        } else {
            ++stringCount;
        }
    }
}

void FillFromBuiltInTexts(TextTable& table) {
    std::int32_t placed = 0;  // keys placed so far
    std::int32_t opened = 0;  // groups opened so far
    for (const BuiltInText* pair = BuiltInTexts;; ++pair) {
        const std::u16string first = UpperCase(pair->first);
        if (first == EndMarker) break;
        if (first == GroupMarker) {
            table.groups[opened].last = placed;
            ++opened;
            TextGroup& group = table.groups[opened];
            group.name = UpperCase(pair->second);
            group.first = placed + 1;
            std::fill(std::begin(group.firstCharIndex), std::end(group.firstCharIndex), 0);
            continue;
        }
        assert(opened > 0 && "every built-in text must follow a group marker");
        ++placed;
        table.keys[placed] = first;
        table.values[placed] = pair->second;
    }
    table.groups[opened].last = placed;
}

// Sorts one group's slots by key, then by text, and builds its first-character index.
void SortAndIndexGroup(TextTable& table, TextGroup& group) {
    if (group.first > group.last) return;
    std::vector<std::pair<std::u16string, std::u16string>> entries;
    entries.reserve(std::size_t(group.last - group.first + 1));
    for (std::int32_t slot = group.first; slot <= group.last; ++slot) {
        entries.emplace_back(std::move(table.keys[slot]), std::move(table.values[slot]));
    }
    // std::u16string compares code units as unsigned numbers, a prefix first: ordinal order.
    std::sort(entries.begin(), entries.end());
    std::int32_t slot = group.first;
    for (auto& entry : entries) {
        table.keys[slot] = std::move(entry.first);
        table.values[slot] = std::move(entry.second);
        ++slot;
    }

    char16_t previous = 0;
    for (slot = group.first; slot <= group.last; ++slot) {
        const std::u16string& key = table.keys[slot];
        const char16_t c = key.empty() ? char16_t(0) : key[0];
        if (c == previous || c >= IndexSize) continue;
        group.firstCharIndex[c] = slot;
        previous = c;
    }
}

}  // namespace

TextTable BuildTextTable() {
    std::int32_t groupCount = 0;
    std::int32_t stringCount = 0;
    CountBuiltInTexts(groupCount, stringCount);

    TextTable table;
    table.groupCount = groupCount;
    table.stringCount = stringCount;
    table.groups.resize(std::size_t(groupCount) + 1);
    table.keys.resize(std::size_t(stringCount) + 1);
    table.values.resize(std::size_t(stringCount) + 1);
    FillFromBuiltInTexts(table);
    for (std::int32_t g = 1; g <= groupCount; ++g) SortAndIndexGroup(table, table.groups[g]);
    return table;
}

std::u16string LookupText(const TextTable& table, std::u16string_view group,
                          std::u16string_view key) {
    const std::u16string wantedGroup = UpperCase(group);
    const std::u16string wantedKey = UpperCase(key);
    if (table.groups.empty()) return NotFoundText;

    std::int32_t& cached = table.cachedGroup;
    const bool cacheValid = cached >= 0 && cached <= table.groupCount;
    if (!cacheValid || table.groups[cached].name != wantedGroup) {
        cached = 1;
        while (cached <= table.groupCount && table.groups[cached].name != wantedGroup) ++cached;
        if (cached > table.groupCount) cached = 0;
    }
    if (cached == 0) return NotFoundText;

    const TextGroup& found = table.groups[cached];
    const char16_t c = wantedKey.empty() ? char16_t(0) : wantedKey[0];
    if (c >= IndexSize) return NotFoundText;
    for (std::int32_t slot = found.firstCharIndex[c]; slot != 0 && slot <= found.last; ++slot) {
        const int order = wantedKey.compare(table.keys[slot]);
        if (order == 0) return table.values[slot];
        if (order < 0) break;
    }
    return NotFoundText;
}
