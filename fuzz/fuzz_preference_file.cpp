// SPDX-License-Identifier: GPL-3.0-or-later
// The preference format on arbitrary bytes, in both encodings: ParsePreferenceText must
// follow the line rules, agree with itself across the two encodings, and PreferenceFile
// Load/SelectGroup/GetValue on a real file must give what a plain search of the entries
// gives, without ever writing the file back.
#include <string>
#include <string_view>

#include "config/preference_file.h"
#include "fuzz_support.h"
#include "platform/unicode.h"

namespace {

const std::u16string PreferencePath = u"fuzz.ini";
constexpr std::string_view Mark = "\xEF\xBB\xBF";
constexpr std::size_t MostLookups = 64;

bool SameEntries(const std::vector<PreferenceEntry>& a, const std::vector<PreferenceEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].name != b[i].name || a[i].value != b[i].value)
            return false;
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void CheckLineRules(const std::vector<PreferenceEntry>& entries) {
    for (const PreferenceEntry& entry : entries) {
        for (const std::string* text : {&entry.name, &entry.value}) {
            FUZZ_CHECK(text->find_first_of("\r\n") == std::string::npos, "no line end inside");
        }
        switch (entry.kind) {
            case PreferenceEntry::Kind::GroupHeader:
                FUZZ_CHECK(entry.name.find(']') == std::string::npos, "header ends at ']'");
                FUZZ_CHECK(entry.value.empty(), "a header has no value");
                break;
            case PreferenceEntry::Kind::Comment:
                FUZZ_CHECK(entry.value.empty(), "a comment has no value");
                break;
            case PreferenceEntry::Kind::KeyValue:
                FUZZ_CHECK(entry.name.find('=') == std::string::npos, "key ends at '='");
                FUZZ_CHECK(entry.name.empty() || !IsBlank(entry.name.back()), "key trimmed");
                FUZZ_CHECK(entry.value.empty() || !IsBlank(entry.value.front()), "value trimmed");
                break;
        }
    }
}

// The same text with the byte order mark gives the same entries: UTF-8 text as it stands,
// anything else as ISO 8859-1 converted to UTF-8.
void CheckEncodingsAgree(std::string_view bytes, const std::vector<PreferenceEntry>& entries) {
    if (bytes.substr(0, 3) == Mark) return;
    bool ascii = true;
    for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    std::string marked(Mark);
    if (ascii || IsValidUtf8(bytes)) {
        marked += bytes;
    } else {
        marked += Latin1ToUtf8(bytes);
    }
    FUZZ_CHECK(SameEntries(ParsePreferenceText(marked), entries), "both encodings agree");
}

// Names that survive the trip to UTF-16 and back can be asked for through the interface.
bool Reachable(const std::string& utf8) {
    return Utf16ToUtf8(Utf8ToUtf16(utf8)) == utf8;
}

// A plain search: the first header with the name, then the first key in its section.
const PreferenceEntry* ReferenceLookup(const std::vector<PreferenceEntry>& entries,
                                       const std::string& group, const std::string& key,
                                       bool& groupFound) {
    std::size_t start = 0;
    groupFound = group.empty();
    if (!group.empty()) {
        for (std::size_t i = 0; i < entries.size() && !groupFound; ++i) {
            if (entries[i].kind == PreferenceEntry::Kind::GroupHeader &&
                PreferenceNamesEqual(entries[i].name, group)) {
                groupFound = true;
                start = i + 1;
            }
        }
        if (!groupFound) return nullptr;
    }
    for (std::size_t i = start; i < entries.size(); ++i) {
        if (entries[i].kind == PreferenceEntry::Kind::GroupHeader) break;
        if (entries[i].kind == PreferenceEntry::Kind::KeyValue &&
            PreferenceNamesEqual(entries[i].name, key))
            return &entries[i];
    }
    return nullptr;
}

void CheckLookups(PreferenceFile& file, const std::vector<PreferenceEntry>& entries) {
    const std::u16string fallback = u"\uFFFF default";
    std::string group;
    std::size_t lookups = 0;
    for (std::size_t i = 0; i < entries.size() && lookups < MostLookups; ++i) {
        const PreferenceEntry& entry = entries[i];
        if (entry.kind == PreferenceEntry::Kind::GroupHeader) group = entry.name;
        if (!Reachable(group) || !Reachable(entry.name)) continue;
        ++lookups;
        // Ask for the header name (or the key) in swapped letter case, as a group and as a key.
        std::string asked = entry.name;
        for (char& c : asked) {
            if (c >= 'a' && c <= 'z')
                c = char(c - 32);
            else if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        }
        for (const std::string& key : {entry.name, asked}) {
            bool groupFound = false;
            const PreferenceEntry* expected = ReferenceLookup(entries, group, key, groupFound);
            FUZZ_CHECK(file.SelectGroup(Utf8ToUtf16(group)) == groupFound, "SelectGroup result");
            std::u16string got = file.GetValue(Utf8ToUtf16(key), fallback);
            std::u16string want = expected ? Utf8ToUtf16(expected->value) : fallback;
            FUZZ_CHECK(got == want, "GetValue gives the first key of the first matching section");
        }
    }
    // A group that is not there gives the default for every key.
    if (!file.SelectGroup(u"\x01 no such group \x02")) {
        FUZZ_CHECK(file.GetValue(u"", fallback) == fallback, "missing group gives the default");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<PreferenceEntry> entries = ParsePreferenceText(bytes);
    CheckLineRules(entries);
    CheckEncodingsAgree(bytes, entries);

    fuzz::WriteFile(PreferencePath, data, size);
    PreferenceFile file;
    FUZZ_CHECK(file.Load(PreferencePath), "an existing file loads");
    FUZZ_CHECK(SameEntries(file.entries, entries), "Load parses like ParsePreferenceText");
    CheckLookups(file, entries);
    FUZZ_CHECK(file.Close(), "closing a document that was only read succeeds");
    fuzz::Bytes after = fuzz::ReadFile(PreferencePath);
    FUZZ_CHECK(after == fuzz::Bytes(data, data + size), "a document only read is never rewritten");
    return 0;
}
