// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder substitution and the texts of the boxes that report failures; which box is
// shown when, and what a fatal one ends, is app/'s business.
#include "text/messages.h"

namespace {

char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// Is `pattern` (given in capitals) at `position` of `text`, ignoring the case of ASCII letters?
bool MatchesAt(const std::u16string& text, std::size_t position, std::u16string_view pattern) {
    if (text.size() - position < pattern.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (AsciiUpper(text[position + i]) != pattern[i]) return false;
    }
    return true;
}

// Left to right, non-overlapping; the inserted text is not searched again.
std::u16string ReplaceAll(const std::u16string& text, std::u16string_view pattern,
                          const std::u16string& replacement) {
    if (replacement.empty()) return text;
    std::u16string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        if (MatchesAt(text, position, pattern)) {
            out += replacement;
            position += pattern.size();
        } else {
            out.push_back(text[position]);
            ++position;
        }
    }
    return out;
}

constexpr char16_t FirstPlaceholder[] = u"{REPLACE}";
constexpr char16_t SecondPlaceholder[] = u"{REPLACE2}";

}  // namespace

std::u16string SubstitutePlaceholders(std::u16string text, const std::u16string& replacement1,
                                      const std::u16string& replacement2) {
    text = ReplaceAll(text, FirstPlaceholder, replacement1);
    return ReplaceAll(text, SecondPlaceholder, replacement2);
}

BoxText ErrorBoxText(const TextTable& texts, std::u16string_view key, const std::u16string& file) {
    // The title is substituted too: a language file may well put the file name there.
    return {SubstitutePlaceholders(LookupText(texts, u"Errors", u"Title"), file, u""),
            SubstitutePlaceholders(LookupText(texts, u"Errors", key), file, u"")};
}
