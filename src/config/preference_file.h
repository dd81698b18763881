// SPDX-License-Identifier: GPL-3.0-or-later
// Reader and writer of the group/key/value preference format shared by ini.ini and the
// language files. One document at a time; text is UTF-8 inside, UTF-16 at the interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/os_file.h"

struct PreferenceEntry {
    enum class Kind { GroupHeader, Comment, KeyValue };
    Kind kind = Kind::KeyValue;
    std::string name;   // header name, comment text or key (UTF-8)
    std::string value;  // key/value only (UTF-8)
};

struct PreferenceFile {
    // Opens (reading and writing, else reading only) and parses the whole file.
    bool Load(const std::u16string& path);
    // Starts an empty document (written with a byte order mark) that Close puts in place of
    // whatever the path holds; false when no file can be created there.
    bool StartNew(const std::u16string& path);
    bool SelectGroup(const std::u16string& name);
    std::u16string GetValue(const std::u16string& key, const std::u16string& defaultValue);
    void SetValue(const std::u16string& key, const std::u16string& value);
    // Puts a new document, or a loaded one that was modified, in place of the file in one
    // step; closes the file and discards the document. False when writing failed: the file
    // is then as it was (a new one not there at all).
    bool Close();

    std::u16string path;
    OsFile file;                // open on a loaded file
    OsReplacement replacement;  // a new document's temporary file
    bool isOpen = false;
    std::vector<PreferenceEntry> entries;
    long currentGroup = -1;  // index into entries, -1 = the section before the first header
    bool groupMissing = false;
    std::string missingGroup;  // UTF-8 name of the group SelectGroup did not find
    bool modified = false;
    bool utf8Output = false;
};

// Names and keys match when equal apart from the case of the ASCII letters A to Z.
bool PreferenceNamesEqual(std::string_view a, std::string_view b);
// Parses file bytes (encoding decided as Load does) into entries; exposed for tests and fuzzing.
std::vector<PreferenceEntry> ParsePreferenceText(std::string_view fileBytes);
