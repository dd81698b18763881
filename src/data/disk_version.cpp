// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a data file whole and checking its bytes. The check runs only on the files a merge
// takes in, never at start-up, so a normal load costs nothing more.
#include "data/disk_version.h"

#include "data/line_blocks.h"
#include "data/line_file.h"

namespace {

// A file bigger than this is no data file of this program's making.
constexpr std::size_t MostDiskVersionBytes = std::size_t(1) << 31;

bool IsControlUnit(char16_t unit) {
    return unit < 0x20 && unit != u'\t' && unit != u'\r' && unit != u'\n';
}

// The code units after the mark: none may be NUL or a control character but tab, CR and LF,
// and text that has CR or LF bytes but no CR or LF unit is 8-bit text read as UTF-16.
bool IsCleanUtf16(std::string_view body, bool bigEndian) {
    if (body.size() % 2 != 0) return false;  // cut short inside a code unit
    bool lineEnd = false;
    bool lineEndByte = false;
    for (std::size_t at = 0; at < body.size(); at += 2) {
        const auto first = static_cast<unsigned char>(body[at]);
        const auto second = static_cast<unsigned char>(body[at + 1]);
        const char16_t unit =
            bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
        if (unit == 0 || IsControlUnit(unit)) return false;
        lineEnd = lineEnd || unit == u'\r' || unit == u'\n';
        lineEndByte =
            lineEndByte || first == '\r' || first == '\n' || second == '\r' || second == '\n';
    }
    return lineEnd || !lineEndByte;
}

bool IsCleanUtf8(std::string_view body) {
    for (char byte : body) {
        const auto unit = static_cast<unsigned char>(byte);
        if (unit == 0 || IsControlUnit(unit)) return false;
    }
    return true;
}

bool IsBlank(std::u16string_view line) {
    return line.find_first_not_of(u' ') == std::u16string_view::npos;
}

// Whole blocks: a "#" line, then seven pairs of a "=" line and a day text.
bool HoldsWholeWeeks(std::string_view bytes) {
    LineFile file;
    LineBlockReader reader;
    StartBlockReadingBytes(reader, file, bytes);
    std::u16string_view line;
    while (NextLine(reader, line)) {
        if (IsBlank(line)) continue;
        if (line.front() != u'#') return false;
        for (int pair = 0; pair < 7; ++pair) {
            if (!NextLine(reader, line) || line.empty() || line.front() != u'=') return false;
            // A day text may be empty, so only its presence counts; the last one may lack
            // its line end.
            if (!NextLine(reader, line) && pair < 6) return false;
        }
    }
    return true;
}

}  // namespace

DiskVersion ReadDiskVersion(const std::u16string& path) {
    DiskVersion version;
    OsFile file;
    if (!OsOpenRead(path, file)) {
        if (OsFileSize(path) != -1) version.state = DiskVersion::State::Unreadable;
        return version;
    }
    version.file.identity = OsIdentityOfOpen(file);
    const bool read = OsReadRest(file, version.bytes, MostDiskVersionBytes);
    OsClose(file);
    if (!read) {
        version.state = DiskVersion::State::Unreadable;
        version.bytes.clear();
        return version;
    }
    version.file.hash = HashOfBytes(version.bytes);
    version.state = DiskVersion::State::Read;
    return version;
}

bool IsIntactDataFile(std::string_view bytes, DataFileKind kind) {
    if (bytes.empty()) return true;
    const auto starts = [bytes](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    bool clean = false;
    if (starts("\xEF\xBB\xBF")) {
        clean = IsCleanUtf8(bytes.substr(3));
    } else if (starts("\xFE\xFF")) {
        clean = IsCleanUtf16(bytes.substr(2), true);
    } else if (starts("\xFF\xFE")) {
        clean = IsCleanUtf16(bytes.substr(2), false);
    } else {
        clean = IsCleanUtf16(bytes, false);
    }
    if (!clean) return false;
    return kind == DataFileKind::Catalogue || HoldsWholeWeeks(bytes);
}
