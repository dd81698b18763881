// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the bytes of a preference file into entries: the encoding decision, the line rules,
// and the letter-case rule for names and keys. Files are left to preference_file.cpp.
#include "config/preference_file.h"

#include "platform/unicode.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// The text of the file as UTF-8. With the mark the rest is UTF-8 as it stands. Without it,
// a text that is valid UTF-8 and holds a byte above 7F can only sensibly be UTF-8 (such
// byte pairs are rare in ISO 8859-1 text); anything else is ISO 8859-1.
std::string DecodeFileBytes(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return std::string(bytes.substr(3));
    bool hasHighByte = false;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7F) {
            hasHighByte = true;
            break;
        }
    }
    if (hasHighByte && IsValidUtf8(bytes)) return std::string(bytes);
    return Latin1ToUtf8(bytes);
}

// One line, without its line end and with its leading blanks already skipped.
void ParseLine(std::string_view line, std::vector<PreferenceEntry>& entries) {
    PreferenceEntry entry;
    if (line.front() == ';') {
        entry.kind = PreferenceEntry::Kind::Comment;
        std::string_view text = line.substr(1);
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        entry.name = std::string(text);
    } else if (line.front() == '[') {
        entry.kind = PreferenceEntry::Kind::GroupHeader;
        std::string_view name = line.substr(1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        entry.name = std::string(name);
    } else {
        entry.kind = PreferenceEntry::Kind::KeyValue;
        const std::size_t equals = line.find('=');
        std::string_view key = line.substr(0, equals);
        while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
        entry.name = std::string(key);
        if (equals != std::string_view::npos) {
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
            entry.value = std::string(value);
        }
    }
    entries.push_back(std::move(entry));
}

}  // namespace

bool PreferenceNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

std::vector<PreferenceEntry> ParsePreferenceText(std::string_view fileBytes) {
    const std::string text = DecodeFileBytes(fileBytes);
    const std::string_view rest(text);
    std::vector<PreferenceEntry> entries;
    std::size_t position = 0;
    while (position < rest.size()) {
        // Any run of CR and LF is one line break, so empty lines vanish here.
        while (position < rest.size() && IsLineEnd(rest[position])) ++position;
        std::size_t end = position;
        while (end < rest.size() && !IsLineEnd(rest[end])) ++end;
        std::string_view line = rest.substr(position, end - position);
        position = end;
        while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
        if (!line.empty()) ParseLine(line, entries);
    }
    return entries;
}
