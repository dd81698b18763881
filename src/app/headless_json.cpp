// SPDX-License-Identifier: GPL-3.0-or-later
// JSON of the headless driver: escaped strings, message and pause lines, the dump of the
// window with every control's state, the clipboard and the colours, and the string literals it
// reads.
#include <cstdio>

#include "app/headless_protocol.h"
#include "app/main_window.h"
#include "platform/unicode.h"
#include "text/text_helpers.h"

namespace {

void AppendEscape(std::string& out, char16_t unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(unit));
    out += buffer;
}

// The one-letter escapes of a JSON string and the code units they stand for.
constexpr std::string_view EscapeLetters = "\"\\/bfnrt";
constexpr char16_t EscapeMeanings[] = u"\"\\/\b\f\n\r\t";

int HexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}
std::string Number(long long value) {
    return std::to_string(value);
}

const char* AlignmentName(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return "Left";
        case Alignment::Centre:
            return "Centre";
        case Alignment::Right:
            return "Right";
    }
    return "Left";
}

std::string ItemsJson(const ScriptedControl& control) {
    std::string out = "[";
    bool report = control.kind == ControlKind::ReportList;
    const std::vector<std::vector<std::u16string>> cells = control.cells();
    std::size_t count = control.items.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) out += ",";
        if (!report) {
            out += JsonString(control.items[i]);
            continue;
        }
        out += "[";
        for (std::size_t c = 0; c < cells[i].size(); ++c) {
            if (c != 0) out += ",";
            out += JsonString(cells[i][c]);
        }
        out += "]";
    }
    return out + "]";
}

std::string ControlJson(ScriptedUi& ui, const ScriptedControl& control) {
    bool dropDown = control.kind == ControlKind::DropDownList;
    std::string out = "{\"id\":" + Number(control.id);
    out += ",\"name\":" + JsonString(ControlNameOf(control.id));
    out += ",\"kind\":\"" + std::string(ControlKindName(control.kind)) + "\"";
    out += ",\"parent\":" + Number(control.parent);
    out += ",\"x\":" + Number(control.x) + ",\"y\":" + Number(control.y);
    out += ",\"width\":" + Number(control.width) + ",\"height\":" + Number(control.height);
    out += ",\"text\":" + JsonString(dropDown ? ui.ShownText(control.id) : control.text);
    out += ",\"enabled\":" + Bool(control.enabled);
    out += ",\"items\":" + ItemsJson(control);
    out += ",\"selected\":" + Number(control.selected);
    out += ",\"accessibleName\":" + JsonString(control.accessibleName);
    out += ",\"accessibleDescription\":" + JsonString(control.accessibleDescription);
    if (control.kind == ControlKind::Label) {
        out += ",\"alignment\":\"" + std::string(AlignmentName(control.alignment)) + "\"";
    }
    if (control.kind == ControlKind::ReportList) {
        out += ",\"columns\":[";
        for (std::size_t c = 0; c < control.columns.size(); ++c) {
            if (c != 0) out += ",";
            out += "{\"header\":" + JsonString(control.columns[c].first) +
                   ",\"width\":" + Number(control.columns[c].second) + "}";
        }
        out += "]";
    }
    if (control.kind == ControlKind::Picture) {
        out += ",\"tooltip\":" + JsonString(control.tooltip);
        out += ",\"picture\":{\"width\":" + Number(control.pictureWidth) +
               ",\"height\":" + Number(control.pictureHeight) +
               ",\"bitsPerPixel\":" + Number(control.pictureBits) + "}";
    }
    return out + "}";
}

}  // namespace

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            char32_t point = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            AppendUtf8(out, point);
            ++i;
        } else if (high || low || unit < 0x20) {
            // Lone surrogates have no UTF-8 form; the escape keeps the output valid JSON.
            AppendEscape(out, unit);
        } else if (unit == u'"') {
            out += "\\\"";
        } else if (unit == u'\\') {
            out += "\\\\";
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out + "\"";
}

std::string MessageJson(const RecordedMessage& message) {
    return "{\"message\":{\"title\":" + JsonString(message.title) +
           ",\"text\":" + JsonString(message.text) + ",\"fatal\":" + Bool(message.fatal) + "}}";
}

std::string PauseJson(int milliseconds, std::u16string_view saveButtonText) {
    return "{\"pause\":{\"ms\":" + Number(milliseconds) +
           ",\"saveButton\":" + JsonString(saveButtonText) + "}}";
}

std::string ErrorJson(std::string_view text) {
    // The text may quote the input line, whose bytes need not be valid UTF-8.
    return "{\"error\":" + JsonString(Utf8ToUtf16(text)) + "}";
}

std::string DumpJson(ScriptedUi& ui) {
    std::string out = "{\"title\":" + JsonString(ui.title);
    out += ",\"wordBits\":" + Number(static_cast<long long>(sizeof(WholeNumber) * 8));
    out += ",\"controls\":[";
    bool first = true;
    for (auto& [id, control] : ui.controls) {
        if (!first) out += ",";
        first = false;
        out += ControlJson(ui, control);
    }
    out += "],\"clipboard\":" + JsonString(ui.clipboard);
    return out +
           ",\"theme\":" + (ui.colourScheme == ColourScheme::Dark ? "\"dark\"}" : "\"light\"}");
}

bool ParseJsonString(std::string_view literal, std::u16string& text, std::string& error) {
    text.clear();
    if (literal.empty() || literal[0] != '"') {
        error = "a JSON string must start with a quote";
        return false;
    }
    std::string raw;  // UTF-8 bytes not yet converted
    auto flush = [&]() {
        if (!IsValidUtf8(raw)) return false;
        text += Utf8ToUtf16(raw);
        raw.clear();
        return true;
    };
    for (std::size_t i = 1; i < literal.size(); ++i) {
        const char c = literal[i];
        if (static_cast<unsigned char>(c) < 0x20) {
            error = "control character in a JSON string";
            return false;
        }
        if (c == '"' || c == '\\') {
            if (!flush()) {
                error = "invalid UTF-8 in a JSON string";
                return false;
            }
        }
        if (c == '"') {
            if (i + 1 == literal.size()) return true;
            error = "text after the closing quote";
            return false;
        }
        if (c != '\\') {
            raw += c;
            continue;
        }
        if (++i == literal.size()) break;
        const char escape = literal[i];
        const std::size_t simple = EscapeLetters.find(escape);
        if (simple != std::string_view::npos) {
            text += EscapeMeanings[simple];
            continue;
        }
        if (escape != 'u') {
            error = std::string("unknown escape \\") + escape + " in a JSON string";
            return false;
        }
        unsigned value = 0;
        for (std::size_t digit = 1; digit <= 4; ++digit) {
            const int v = i + digit < literal.size() ? HexDigitValue(literal[i + digit]) : -1;
            if (v < 0) {
                error = "\\u needs four hexadecimal digits";
                return false;
            }
            value = value * 16 + unsigned(v);
        }
        text += char16_t(value);
        i += 4;
    }
    error = "unterminated JSON string";
    return false;
}
