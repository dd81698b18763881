// SPDX-License-Identifier: GPL-3.0-or-later
// Fields, integers and trimming for every line format of the program.
// Nothing here throws or fails: malformed input gives "" or 0 as each helper describes.
#include "text/text_helpers.h"

#include <cstdint>

namespace {

int DigitValue(char16_t c, unsigned base) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

}  // namespace

std::int64_t ParseInteger(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    unsigned base = 10;
    if (at < text.size() && text[at] == u'$') {
        base = 16;
        ++at;
    } else if (at < text.size() && text[at] == u'%') {
        base = 2;
        ++at;
    }
    // Unsigned arithmetic wraps by definition, which gives the two's complement result.
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        int digit = DigitValue(text[at], base);
        if (digit < 0) break;
        value = value * base + static_cast<std::uint64_t>(digit);
    }
    if (negative) value = 0 - value;
    return static_cast<std::int64_t>(value);
}

std::u16string FormatInteger(std::int64_t value) {
    IntegerDigits digits;
    return std::u16string(FormatIntegerInto(value, digits));
}

bool HoldsControlCharacter(std::u16string_view text) {
    for (char16_t unit : text)
        if (unit < 0x20 && unit != u'\t') return true;
    return false;
}

std::u16string_view TrimSpaces(std::u16string_view text) {
    std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}
