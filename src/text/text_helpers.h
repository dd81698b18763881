// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers shared by every line format: fields, integers, trimming.
// Positions and counts are in UTF-16 code units.
#pragma once

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Whole numbers of the program: 64-bit in a 64-bit build, 32-bit in a 32-bit build.
using WholeNumber = std::intptr_t;

// Fields 1 .. count (at most MostCutFields) of `text` between the separators, as views: field
// n ends at separator n, the last field found runs to the end of the text, and fields past it
// are "". Cut in one pass: separators are found eight code units at a time. Inline: the loads
// cut every line, each caller with its own count and separator.
inline constexpr std::size_t MostCutFields = 16;
inline void CutFields(std::u16string_view text, char16_t separator, std::u16string_view* fields,
                      std::size_t count) {
    assert(count <= MostCutFields && "CutFields cuts at most MostCutFields fields");
    std::size_t start = 0;
    std::size_t field = 0;
#ifdef __SSE2__
    if (text.size() >= 8 && text.size() <= 64) {
        // The usual line: one bit per code unit in a 64-bit mask, eight units per compare,
        // the last eight loaded from the end (overlapping, never past it); then each field
        // ends at the next bit, with no search.
        const __m128i wanted = _mm_set1_epi16(static_cast<short>(separator));
        const __m128i zero = _mm_setzero_si128();
        auto matchBits = [&](std::size_t at) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
            __m128i bytes = _mm_packs_epi16(_mm_cmpeq_epi16(block, wanted), zero);
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(bytes)))
                   << at;
        };
        std::uint64_t mask = matchBits(text.size() - 8);
        for (std::size_t at = 0; at + 8 < text.size(); at += 8) mask |= matchBits(at);
        for (; field < count && mask != 0; ++field, mask &= mask - 1) {
            const std::size_t end = static_cast<std::size_t>(std::countr_zero(mask));
            fields[field] = std::u16string_view(text.data() + start, end - start);
            start = end + 1;
        }
    } else
#endif
    {
        // Field n ends at separator n: `count` separators are all that is looked for.
        for (; field < count; ++field) {
            const std::size_t end = text.find(separator, start);
            if (end == std::u16string_view::npos) break;
            fields[field] = std::u16string_view(text.data() + start, end - start);
            start = end + 1;
        }
    }
    // The last field found runs to the end of the text; the fields past it are "".
    if (field < count) fields[field++] = text.substr(start);
    for (; field < count; ++field) fields[field] = {};
}
// Leading blanks/tabs, sign, then "$" hex, "%" binary or decimal digits; wraps in 64 bits.
std::int64_t ParseInteger(std::u16string_view text);
std::u16string FormatInteger(std::int64_t value);
// The same digits written into a caller's buffer (for the savers' hot loops, hence inline);
// the view points into `digits`.
using IntegerDigits = std::array<char16_t, 20>;
inline std::u16string_view FormatIntegerInto(std::int64_t value, IntegerDigits& digits) {
    // The magnitude as unsigned, so that the most negative value needs no special case.
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) magnitude = 0 - magnitude;
    std::size_t start = digits.size();
    do {
        digits[--start] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--start] = u'-';
    return std::u16string_view(digits.data() + start, digits.size() - start);
}
// True when the text holds a control character below U+0020 other than the tab: a line
// break or NUL would split or cut the line formats' records.
bool HoldsControlCharacter(std::u16string_view text);
// Without leading and trailing U+0020 only.
std::u16string_view TrimSpaces(std::u16string_view text);
