// SPDX-License-Identifier: GPL-3.0-or-later
// Dates, decimals and counts of imported rows, each parsed character by character within its
// field. Numbers stay decimal text: a weight of 82.5 is written back as 82.5, never as the
// nearest binary fraction.
#include "imports/import_values.h"

#include <limits>

#include "platform/clock.h"

namespace {

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// Exactly `count` digits at `at`; `at` moves past them.
bool ReadDigits(std::u16string_view text, std::size_t& at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t end = at + count; at < end; ++at) {
        if (!IsDigit(text[at])) return false;
        value = value * 10 + (text[at] - u'0');
    }
    return true;
}

int DaysInMonth(int year, int month) {
    constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

bool DayOf(int year, int month, int dayOfMonth, long long& day) {
    if (year < FirstImportYear || year > LastImportYear || month < 1 || month > 12) return false;
    if (dayOfMonth < 1 || dayOfMonth > DaysInMonth(year, month)) return false;
    day = DayNumberOf(CivilDate{year, month, dayOfMonth});
    return true;
}

// 1 .. 12 for "jan" .. "dec" in any case, 0 for anything else.
int MonthOfName(std::u16string_view name) {
    constexpr std::u16string_view Names[12] = {u"jan", u"feb", u"mar", u"apr", u"may", u"jun",
                                               u"jul", u"aug", u"sep", u"oct", u"nov", u"dec"};
    for (int month = 0; month < 12; ++month)
        if (SameIgnoringCase(name, Names[month])) return month + 1;
    return 0;
}

constexpr std::size_t MostWholeDigits = 15;
constexpr std::size_t MostFractionDigits = 6;

// The parts of a decimal field: sign, the digits before and after the point.
struct DecimalParts {
    bool negative = false;
    std::u16string_view whole;
    std::u16string_view fraction;
    bool blank = false;
};

bool CutDecimal(std::u16string_view field, DecimalParts& parts) {
    field = TrimBlanks(field);
    if (field.empty()) {
        parts.blank = true;
        return true;
    }
    std::size_t at = 0;
    if (field[0] == u'-') {
        parts.negative = true;
        ++at;
    }
    const std::size_t wholeStart = at;
    while (at < field.size() && IsDigit(field[at])) ++at;
    parts.whole = field.substr(wholeStart, at - wholeStart);
    if (at < field.size() && (field[at] == u'.' || field[at] == u',')) {
        const std::size_t fractionStart = ++at;
        while (at < field.size() && IsDigit(field[at])) ++at;
        parts.fraction = field.substr(fractionStart, at - fractionStart);
        if (parts.fraction.empty()) return false;
    }
    if (at != field.size() || parts.whole.empty()) return false;
    while (parts.whole.size() > 1 && parts.whole.front() == u'0') parts.whole.remove_prefix(1);
    while (!parts.fraction.empty() && parts.fraction.back() == u'0')
        parts.fraction.remove_suffix(1);
    return parts.whole.size() <= MostWholeDigits && parts.fraction.size() <= MostFractionDigits;
}

}  // namespace

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

bool SameIgnoringCase(std::u16string_view left, std::u16string_view right) {
    const auto lower = [](char16_t unit) {
        return unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit;
    };
    if (left.size() != right.size()) return false;
    for (std::size_t index = 0; index < left.size(); ++index)
        if (lower(left[index]) != lower(right[index])) return false;
    return true;
}

bool ParseIsoDay(std::u16string_view text, long long& day) {
    text = TrimBlanks(text);
    std::size_t at = 0;
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    if (!ReadDigits(text, at, 4, year) || at >= text.size() || text[at++] != u'-') return false;
    if (!ReadDigits(text, at, 2, month) || at >= text.size() || text[at++] != u'-') return false;
    if (!ReadDigits(text, at, 2, dayOfMonth)) return false;
    if (at < text.size() && text[at] != u' ' && text[at] != u'T') return false;
    return DayOf(year, month, dayOfMonth, day);
}

bool ParseDayMonthYear(std::u16string_view text, long long& day) {
    text = TrimBlanks(text);
    std::size_t at = 0;
    int dayOfMonth = 0;
    while (at < text.size() && at < 2 && IsDigit(text[at])) {
        dayOfMonth = dayOfMonth * 10 + (text[at] - u'0');
        ++at;
    }
    if (at == 0 || at >= text.size() || text[at] != u' ') return ParseIsoDay(text, day);
    const std::size_t nameStart = ++at;
    while (at < text.size() && text[at] != u' ') ++at;
    const int month = MonthOfName(text.substr(nameStart, at - nameStart));
    int year = 0;
    if (month == 0 || at >= text.size() || !ReadDigits(text, ++at, 4, year)) return false;
    if (at < text.size() && text[at] != u',' && text[at] != u' ') return false;
    return DayOf(year, month, dayOfMonth, day);
}

bool ParseDecimal(std::u16string_view field, std::u16string& text) {
    text.clear();
    DecimalParts parts;
    if (!CutDecimal(field, parts)) return false;
    if (parts.blank) return true;
    const bool zero = parts.whole == u"0" && parts.fraction.empty();
    if (parts.negative && !zero) text += u'-';
    text += parts.whole;
    if (!parts.fraction.empty()) {
        text += u'.';
        text += parts.fraction;
    }
    return true;
}

bool ParseRepetitions(std::u16string_view field, WholeNumber& value) {
    value = 0;
    DecimalParts parts;
    if (!CutDecimal(field, parts)) return false;
    if (parts.blank) return true;
    if (!parts.fraction.empty()) return false;
    if (parts.negative && parts.whole != u"0") return false;
    std::int64_t count = 0;
    for (char16_t unit : parts.whole) count = count * 10 + (unit - u'0');  // at most 15 digits
    if (count > std::numeric_limits<WholeNumber>::max()) return false;
    value = WholeNumber(count);
    return true;
}

bool ParseWrittenCount(std::u16string_view field, WholeNumber& value) {
    value = 0;
    field = TrimBlanks(field);
    const bool negative = !field.empty() && field[0] == u'-';
    if (negative) field.remove_prefix(1);
    if (field.empty() || field.size() > 20) return false;
    // Built negative, so that the smallest number fits too.
    constexpr std::int64_t Lowest = std::numeric_limits<WholeNumber>::min();
    std::int64_t count = 0;
    for (char16_t unit : field) {
        if (!IsDigit(unit)) return false;
        const int digit = unit - u'0';
        if (count < (Lowest + digit) / 10) return false;
        count = count * 10 - digit;
    }
    if (!negative && count < -std::int64_t(std::numeric_limits<WholeNumber>::max())) return false;
    value = WholeNumber(negative ? count : -count);
    return true;
}
