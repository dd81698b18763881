// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding and escaping for the export files. Everything passes through one code point
// walk, so a surrogate pair is never split and a lone surrogate never reaches a file.
#include "reports/export_text.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

void PutCodePoint(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Calls take(point) for every code point; lone surrogates arrive as U+FFFD.
template <typename Take>
void ForEachCodePoint(std::u16string_view text, Take take) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            take(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[at + 1]) - 0xDC00));
            ++at;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            take(Replacement);
        } else {
            take(char32_t(unit));
        }
    }
}

bool IsControl(char32_t point) {
    return point < 0x20 || point == 0x7F;
}

bool NeedsCsvQuotes(std::u16string_view text) {
    if (text.find_first_of(u",;\"\r\n") != std::u16string_view::npos) return true;
    const char16_t first = text.front();
    const char16_t last = text.back();
    return first == u' ' || first == u'\t' || last == u' ' || last == u'\t';
}

bool LooksLikeFormula(std::u16string_view text) {
    const char16_t first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
           first == u'\r';
}

// Octets of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

void AppendUtf8(std::string& out, std::u16string_view text) {
    ForEachCodePoint(text, [&out](char32_t point) { PutCodePoint(out, point); });
}

std::string ExportUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf8(out, text);
    return out;
}

void AppendHtmlText(std::string& out, std::u16string_view text) {
    ForEachCodePoint(text, [&out](char32_t point) {
        switch (point) {
            case '&':
                out += "&amp;";
                return;
            case '<':
                out += "&lt;";
                return;
            case '>':
                out += "&gt;";
                return;
            case '"':
                out += "&quot;";
                return;
            case '\'':
                out += "&#39;";
                return;
            case '\t':
            case '\n':
            case '\r':
                out += static_cast<char>(point);
                return;
            default:
                break;
        }
        const bool forbidden = IsControl(point) || point == 0xFFFE || point == 0xFFFF;
        PutCodePoint(out, forbidden ? Replacement : point);
    });
}

std::string HtmlText(std::u16string_view text) {
    std::string out;
    AppendHtmlText(out, text);
    return out;
}

std::string CsvTextField(std::u16string_view text) {
    if (text.empty()) return {};
    const bool formula = LooksLikeFormula(text);
    if (!formula && !NeedsCsvQuotes(text)) return ExportUtf8(text);
    std::string out = "\"";
    if (formula) out += '\'';
    ForEachCodePoint(text, [&out](char32_t point) {
        if (point == '"') out += '"';
        PutCodePoint(out, point);
    });
    out += '"';
    return out;
}

std::string IcsText(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    bool afterCarriageReturn = false;
    ForEachCodePoint(text, [&](char32_t point) {
        const bool lineFeedOfPair = afterCarriageReturn && point == '\n';
        afterCarriageReturn = point == '\r';
        if (lineFeedOfPair) return;
        switch (point) {
            case '\\':
                out += "\\\\";
                return;
            case ';':
                out += "\\;";
                return;
            case ',':
                out += "\\,";
                return;
            case '\r':
            case '\n':
                out += "\\n";
                return;
            case '\t':
                out += '\t';
                return;
            default:
                break;
        }
        PutCodePoint(out, IsControl(point) ? Replacement : point);
    });
    return out;
}

void AppendIcsLine(std::string& out, std::string_view line) {
    constexpr std::size_t FirstLineOctets = 75;
    constexpr std::size_t ContinuationOctets = 74;  // after the leading space
    std::size_t room = FirstLineOctets;
    while (line.size() > room) {
        // The longest run of whole UTF-8 sequences that fits; a stray continuation octet
        // (never produced here) counts as a sequence of one.
        std::size_t take = 0;
        while (take < line.size()) {
            const std::size_t length = SequenceLength(static_cast<unsigned char>(line[take]));
            if (take + length > room) break;
            take += length;
        }
        if (take == 0) take = room;
        out.append(line.substr(0, take));
        out += "\r\n ";
        line.remove_prefix(take);
        room = ContinuationOctets;
    }
    out.append(line);
    out += "\r\n";
}
