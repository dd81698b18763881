// SPDX-License-Identifier: GPL-3.0-or-later
// The preference document: loading a file, finding and setting values, writing it back.
// Parsing the bytes is left to preference_text.cpp, the file services and the replacement of
// a file to platform/os_file.
#include "config/preference_file.h"

#include "platform/unicode.h"

namespace {

// Index of the first entry of the current section and one past its last.
void CurrentSection(const PreferenceFile& document, std::size_t& begin, std::size_t& end) {
    begin = document.currentGroup < 0 ? 0 : std::size_t(document.currentGroup) + 1;
    end = begin;
    while (end < document.entries.size() &&
           document.entries[end].kind != PreferenceEntry::Kind::GroupHeader) {
        ++end;
    }
}

// Index of the key's entry in the current section, or -1.
long FindKey(const PreferenceFile& document, const std::string& key) {
    std::size_t begin = 0;
    std::size_t end = 0;
    CurrentSection(document, begin, end);
    for (std::size_t i = begin; i < end; ++i) {
        const PreferenceEntry& entry = document.entries[i];
        if (entry.kind == PreferenceEntry::Kind::KeyValue &&
            PreferenceNamesEqual(entry.name, key)) {
            return long(i);
        }
    }
    return -1;
}

std::string BuildFileContent(const PreferenceFile& document) {
    std::string out;
    if (document.utf8Output) out += "\xEF\xBB\xBF\r\n";
    for (const PreferenceEntry& entry : document.entries) {
        switch (entry.kind) {
            case PreferenceEntry::Kind::GroupHeader:
                out += "[" + entry.name + "]";
                break;
            case PreferenceEntry::Kind::Comment:
                out += "; " + entry.name;
                break;
            case PreferenceEntry::Kind::KeyValue:
                out += entry.name + " = " + entry.value;
                break;
        }
        out += "\r\n";
    }
    return out;
}

void Discard(PreferenceFile& document) {
    document.isOpen = false;
    document.path.clear();
    document.file = OsFile{};
    document.replacement = OsReplacement{};
    document.entries.clear();
    document.currentGroup = -1;
    document.groupMissing = false;
    document.missingGroup.clear();
    document.modified = false;
    document.utf8Output = false;
}

}  // namespace

bool PreferenceFile::Load(const std::u16string& path) {
    Close();
    if (!OsOpenReadWrite(path, file) && !OsOpenRead(path, file)) return false;
    this->path = path;
    std::string bytes;
    const std::int64_t size = OsFileSize(path);
    if (size > 0) bytes.reserve(std::size_t(size));
    if (!OsReadRest(file, bytes, std::string().max_size())) {
        OsClose(file);
        return false;
    }
    entries = ParsePreferenceText(bytes);
    isOpen = true;
    // Whatever the file's encoding was, the entries are UTF-8 now; should the document ever
    // be rewritten, the mark keeps it from being read back as ISO 8859-1.
    utf8Output = true;
    return true;
}

bool PreferenceFile::StartNew(const std::u16string& path) {
    Close();
    if (!OsBeginReplacement(path, replacement)) return false;
    this->path = path;
    isOpen = true;
    utf8Output = true;
    return true;
}

bool PreferenceFile::SelectGroup(const std::u16string& name) {
    groupMissing = false;
    missingGroup.clear();
    if (name.empty()) {
        currentGroup = -1;
        return true;
    }
    const std::string wanted = Utf16ToUtf8(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == PreferenceEntry::Kind::GroupHeader &&
            PreferenceNamesEqual(entries[i].name, wanted)) {
            currentGroup = long(i);
            return true;
        }
    }
    groupMissing = true;
    missingGroup = wanted;
    return false;
}

std::u16string PreferenceFile::GetValue(const std::u16string& key,
                                        const std::u16string& defaultValue) {
    if (groupMissing) return defaultValue;
    const long found = FindKey(*this, Utf16ToUtf8(key));
    if (found < 0) return defaultValue;
    return Utf8ToUtf16(entries[std::size_t(found)].value);
}

void PreferenceFile::SetValue(const std::u16string& key, const std::u16string& value) {
    if (groupMissing) {
        // Setting a value in a group the document lacks opens that group at its end, so the
        // value is not written into whatever section happened to be current.
        entries.push_back({PreferenceEntry::Kind::GroupHeader, missingGroup, {}});
        currentGroup = long(entries.size()) - 1;
        groupMissing = false;
        missingGroup.clear();
    }
    const std::string keyText = Utf16ToUtf8(key);
    const long found = FindKey(*this, keyText);
    if (found >= 0) {
        entries[std::size_t(found)].value = Utf16ToUtf8(value);
    } else {
        std::size_t begin = 0;
        std::size_t end = 0;
        CurrentSection(*this, begin, end);
        entries.insert(entries.begin() + long(end),
                       {PreferenceEntry::Kind::KeyValue, keyText, Utf16ToUtf8(value)});
    }
    modified = true;
}

bool PreferenceFile::Close() {
    if (!isOpen) return true;
    const bool started = !replacement.temporary.empty();
    // Closing a document that was only read cannot lose anything. The file it was read from
    // is closed before a rewrite takes its place, which Windows would refuse while it is open.
    if (file.handle != -1) OsClose(file);
    if (!started && !modified) {
        Discard(*this);
        return true;
    }
    // A new or changed document goes to a temporary file first: the old file stays whole
    // until the new one is complete, and a failure leaves no half file behind.
    const std::string content = modified ? BuildFileContent(*this) : std::string();
    const auto write = [&content](OsFile& temporary) {
        return content.empty() || OsWrite(temporary, content.data(), content.size());
    };
    const bool written =
        started ? OsFinishReplacement(replacement, write) : OsReplaceFileWith(path, write);
    Discard(*this);
    return written;
}
