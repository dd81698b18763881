// SPDX-License-Identifier: GPL-3.0-or-later
// The day-text operations on arbitrary texts, week positions, day indices and entry
// positions: RemoveDayEntry must act as the plain field-by-field removal does and never
// leave more entry-list rows than before, AppendDayEntry must add exactly one entry, the
// entry-list rows must follow the plain fill rules, and out-of-range positions change nothing.
#include <string>
#include <vector>

#include "app/list_rows.h"
#include "data/day_entries.h"
#include "data/week_history.h"
#include "fuzz_support.h"
#include "reference_text.h"

namespace {

using reference::CountOf;
using reference::EntryRows;
using reference::FieldOf;
using reference::FieldsOf;

constexpr std::size_t MostTextUnits = 2048;

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    WholeNumber Number() {
        std::uint8_t kind = Byte();
        if (kind < 200) return WholeNumber(kind % 12) - 2;  // mostly near the valid range
        std::uint64_t raw = 0;
        for (int i = 0; i < 8; ++i) raw = raw << 8 | Byte();
        return WholeNumber(std::int64_t(raw));
    }
    // Bytes below 80 are ASCII ("\", "|" and " " among them); the rest become non-ASCII
    // units, lone surrogates included.
    std::u16string Text(std::size_t most) {
        std::u16string text;
        while (size > 0 && text.size() < most) {
            std::uint8_t byte = Byte();
            if (byte == 0xFF) break;  // ends this text
            text.push_back(byte < 0x80 ? char16_t(byte)
                                       : char16_t((byte & 1 ? 0xD800 : 0x0100) | byte));
        }
        return text;
    }
};

// The removal as the day-text rules state it: every entry but the removed one, each followed
// by "\", without the final "\".
std::u16string ReferenceRemove(const std::u16string& text, WholeNumber position) {
    const std::vector<std::u16string> entries = FieldsOf(text, u"\\");
    if (entries.size() == 1) return u"";
    std::u16string result;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (WholeNumber(i) == position) continue;  // a position may be the largest
        result += entries[i];
        result += u'\\';
    }
    if (!result.empty() && result.back() == u'\\') result.pop_back();
    return result;
}

// The entry list as the fill rules state it.
std::vector<std::u16string> ReferenceRows(const std::u16string& dayText) {
    std::u16string trimmed(TrimSpaces(dayText));
    std::vector<std::u16string> rows;
    if (trimmed.empty()) return rows;
    for (const std::u16string& entry : FieldsOf(trimmed, u"\\")) {
        rows.push_back(FieldOf(entry, 1, u"|") + u'\n' + FieldOf(entry, 2, u"|") + u" - " +
                       FieldOf(entry, 3, u"|") + u'\n' + FieldOf(entry, 4, u"|"));
    }
    return rows;
}

bool InRange(const Document& doc, WholeNumber week, WholeNumber day) {
    return week >= 0 && std::size_t(week) < doc.history.size() && day >= 0 && day <= 6;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in{data, size};
    const WholeNumber week = WholeNumber(in.Byte() % 4) - 1;  // -1 .. 2 with weeks 0 and 1
    const WholeNumber day = WholeNumber(in.Byte() % 10) - 2;  // -2 .. 7
    const WholeNumber position = in.Number();
    // Read in this order, so that the seeds keep meaning what they meant.
    const std::u16string name = in.Text(64);
    const WholeNumber count1 = in.Number();
    const WholeNumber count2 = in.Number();
    const TrainingUnit unit(name, count1, count2, in.Text(64));
    const std::u16string text = in.Text(MostTextUnits);

    Document doc;
    AddWeek(doc.history, 1);
    AddWeek(doc.history, 8);
    for (WholeNumber w = 0; w < 2; ++w)
        for (WholeNumber d = 0; d < 7; ++d) SetDayText(doc, w, d, text);
    const bool valid = InRange(doc, week, day);
    FUZZ_CHECK(GetDayText(doc, week, day) == (valid ? std::u16string_view(text) : u""),
               "GetDayText");
    const std::vector<std::u16string> rowsBefore = EntryRows(text);
    FUZZ_CHECK(rowsBefore == ReferenceRows(text), "EntryRows follows the fill rules");

    RemoveDayEntry(doc, week, day, position);
    const std::u16string removed = valid ? ReferenceRemove(text, position) : text;
    for (WholeNumber w = 0; w < 2; ++w) {
        for (WholeNumber d = 0; d < 7; ++d) {
            const bool target = valid && w == week && d == day;
            FUZZ_CHECK(GetDayText(doc, w, d) == std::u16string_view(target ? removed : text),
                       "RemoveDayEntry changes only its own day, as the plain removal does");
        }
    }
    if (valid) {
        const std::vector<std::u16string> rowsAfter = EntryRows(GetDayText(doc, week, day));
        FUZZ_CHECK(rowsAfter.size() <= rowsBefore.size(), "a removal never adds rows");
    }

    SetDayText(doc, week, day, text);
    AppendDayEntry(doc, week, day, unit);
    if (valid) {
        const std::u16string appended(GetDayText(doc, week, day));
        const std::u16string expected = text + (text.empty() ? u"" : u"\\") + DayEntryOf(unit);
        FUZZ_CHECK(appended == expected, "AppendDayEntry joins with one \\");
        WholeNumber entriesBefore = text.empty() ? 0 : CountOf(text, u"\\") + 1;
        WholeNumber unitSeparators = CountOf(DayEntryOf(unit), u"\\");
        FUZZ_CHECK(CountOf(appended, u"\\") + 1 == entriesBefore + 1 + unitSeparators,
                   "one entry more, or as many more as the unit's own separators make");
    }
    return 0;
}
