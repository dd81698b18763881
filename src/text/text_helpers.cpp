// Fields, integers and trimming for every line format of the program.
// Nothing here throws or fails: malformed input gives "" or 0 as each helper describes.
#include "text/text_helpers.h"

#include <bit>
#include <cassert>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define VELMORA_FIELD_SCAN_SSE2 1
#endif

void CutFields(std::u16string_view text, char16_t separator, std::u16string_view* fields,
               std::size_t count) {
    assert(count <= MostCutFields && "CutFields cuts at most MostCutFields fields");
    std::size_t start = 0;
    std::size_t field = 0;
#ifdef VELMORA_FIELD_SCAN_SSE2
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

std::u16string_view FormatIntegerInto(std::int64_t value, IntegerDigits& digits) {
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
