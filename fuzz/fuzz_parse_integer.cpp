// SPDX-License-Identifier: GPL-3.0-or-later
// ParseInteger on arbitrary text: it must agree with a plain reference reading of the number
// rules, and FormatInteger's output must read back as the same value.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "text/text_helpers.h"

namespace {

// Bytes above 7F stand for code units that look like digits, signs or blanks elsewhere in
// Unicode, so a parser that accepted them would be caught.
constexpr char16_t LookAlikes[] = {u'\uFF10', u'\u0660', u'\u00A0', u'\u2212', u'\uFF0B',
                                   u'\u3000', u'\uFF04', u'\u0966', u'\xD800', u'\xDC00',
                                   u'\u0130', u'\u00B2', u'\u2009', u'\uFF05', u'\u0000'};

std::u16string TextOf(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        std::uint8_t byte = data[i];
        text.push_back(byte < 0x80 ? char16_t(byte)
                                   : LookAlikes[byte % (sizeof LookAlikes / sizeof(char16_t))]);
    }
    return text;
}

bool IsDigitOf(char16_t unit, int base) {
    if (base == 2) return unit == u'0' || unit == u'1';
    if (unit >= u'0' && unit <= u'9') return true;
    return base == 16 && ((unit >= u'a' && unit <= u'f') || (unit >= u'A' && unit <= u'F'));
}

// Reads the digits with the C library where they fit, and by hand modulo 2^64 where they do
// not: a different road to the same number.
std::int64_t ReferenceParse(const std::u16string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    int base = 10;
    if (at < text.size() && text[at] == u'$') {
        base = 16;
        ++at;
    } else if (at < text.size() && text[at] == u'%') {
        base = 2;
        ++at;
    }
    std::string digits;
    while (at < text.size() && IsDigitOf(text[at], base)) digits.push_back(char(text[at++]));
    if (digits.empty()) return 0;
    errno = 0;
    unsigned long long value = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE) {
        value = 0;
        for (char digit : digits) {
            unsigned long long d =
                digit <= '9' ? unsigned(digit - '0') : unsigned((digit | 0x20) - 'a' + 10);
            value = value * unsigned(base) + d;  // wraps modulo 2^64
        }
    }
    if (negative) value = ~value + 1;
    return static_cast<std::int64_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return -1;
    const std::u16string text = TextOf(data, size);
    const std::int64_t parsed = ParseInteger(text);
    FUZZ_CHECK(parsed == ReferenceParse(text), "ParseInteger agrees with the reference");

    // Any 64-bit value written by FormatInteger reads back unchanged, also behind blanks.
    std::int64_t value = 0;
    for (std::size_t i = 0; i < size && i < 8; ++i)
        value = std::int64_t(std::uint64_t(value) << 8 | data[i]);
    const std::u16string written = FormatInteger(value);
    FUZZ_CHECK(ParseInteger(written) == value, "FormatInteger reads back");
    FUZZ_CHECK(ParseInteger(u" \t" + written + u"x") == value, "leading blanks and trailing text");
    FUZZ_CHECK(FormatInteger(parsed) == FormatInteger(ParseInteger(FormatInteger(parsed))),
               "formatting is stable");
    return 0;
}
