// The text table: every visible text by group and key, built from the German built-in
// texts and optionally overridden by a language file. Lookups ignore letter case.
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

struct TextTableData {
    std::vector<TextGroup> groups;     // slots 0..groupCount; slot 0 is a placeholder
    std::vector<std::u16string> keys;  // slots 0..stringCount, upper-cased
    std::vector<std::u16string> values;
    std::int32_t groupCount = 0;
    std::int32_t stringCount = 0;
};

struct BuiltInText {
    const char16_t* first;  // "_GROUP_", "_END_" or a key
    const char16_t* second;
};

inline constexpr char16_t NotFoundText[] = u"##### String not found! #####";

extern TextTableData TextTable;
extern std::int32_t CachedGroup;
extern const BuiltInText BuiltInTexts[];

// Rebuilds the table from BuiltInTexts, then applies the language file when the path is not "".
void BuildTextTable(const std::u16string& languageFilePath);
std::u16string LookupText(std::u16string_view group, std::u16string_view key);
// Forwarding overload until the table is passed everywhere.
inline std::u16string LookupText(const TextTableData&, std::u16string_view group,
                                 std::u16string_view key) {
    return LookupText(group, key);
}
// Silent when the file is missing or unreadable.
void ApplyLanguageFile(const std::u16string& path);
