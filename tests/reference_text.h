// SPDX-License-Identifier: GPL-3.0-or-later
// Field-by-field definitions of the line rules, written plainly as reference for the one-pass
// code of the program, shared by the tests and the fuzz targets; the CSV rows of a whole
// decoded text, one character at a time; and small readers that gather what the program hands
// out piece by piece.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/list_rows.h"
#include "data/line_file.h"
#include "text/text_helpers.h"

namespace reference {

// Field n (from 1; below 1 counts as 1) between the first character of `separator`;
// "" past the last field; the whole text with an empty separator.
inline std::u16string FieldOf(std::u16string_view text, WholeNumber n,
                              std::u16string_view separator) {
    if (n < 1) n = 1;
    if (separator.empty()) return n == 1 ? std::u16string(text) : std::u16string();
    const char16_t mark = separator.front();
    std::size_t start = 0;
    for (WholeNumber field = 1; field < n; ++field) {
        std::size_t next = text.find(mark, start);
        if (next == std::u16string_view::npos) return {};
        start = next + 1;
    }
    std::size_t end = text.find(mark, start);
    if (end == std::u16string_view::npos) end = text.size();
    return std::u16string(text.substr(start, end - start));
}

// Every field between the marks (the first character of `separator`), in order:
// FieldOf(text, n, separator) for n from 1 to one more than the marks, in one pass.
inline std::vector<std::u16string> FieldsOf(std::u16string_view text,
                                            std::u16string_view separator) {
    if (separator.empty()) return {std::u16string(text)};
    std::vector<std::u16string> fields(1);
    for (char16_t unit : text) {
        if (unit == separator.front())
            fields.emplace_back();
        else
            fields.back() += unit;
    }
    return fields;
}

// Non-overlapping occurrences from left to right; 0 for an empty part.
inline WholeNumber CountOf(std::u16string_view text, std::u16string_view part) {
    if (part.empty()) return 0;
    WholeNumber count = 0;
    std::size_t at = text.find(part);
    while (at != std::u16string_view::npos) {
        ++count;
        at = text.find(part, at + part.size());
    }
    return count;
}

// The next line of a line file as a text of its own.
inline std::u16string ReadLine(LineFile& file) {
    std::u16string line;
    ReadLineInto(file, line);
    return line;
}

// Every row of a day text at once.
inline std::vector<std::u16string> EntryRows(std::u16string_view dayText) {
    std::vector<std::u16string> rows;
    DayEntryWalk walk = StartDayEntries(dayText);
    std::u16string row;
    while (NextEntryRow(walk, row)) rows.push_back(row);
    return rows;
}

// The rows of a whole CSV text as RFC 4180 reads them, one character at a time: a field that
// begins with a quote runs to the next lone quote ("" is a quote), text after it up to the
// separator belongs to the field; CR LF, CR or LF end a row outside quotes; an empty text has
// no row and a line end at the very end starts none.
inline std::vector<std::vector<std::u16string>> CsvRows(std::u16string_view text,
                                                        char16_t separator) {
    std::vector<std::vector<std::u16string>> rows;
    if (text.empty()) return rows;
    std::vector<std::u16string> row(1);
    bool quoted = false;
    bool fieldStart = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (quoted) {
            if (unit != u'"') {
                row.back() += unit;
            } else if (at + 1 < text.size() && text[at + 1] == u'"') {
                row.back() += u'"';
                ++at;
            } else {
                quoted = false;
            }
            continue;
        }
        if (fieldStart && unit == u'"') {
            quoted = true;
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        if (unit == separator) {
            row.emplace_back();
            fieldStart = true;
        } else if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
            rows.push_back(row);
            row.assign(1, std::u16string());
            fieldStart = true;
            if (at + 1 == text.size()) return rows;
        } else {
            row.back() += unit;
        }
    }
    rows.push_back(row);
    return rows;
}

}  // namespace reference
