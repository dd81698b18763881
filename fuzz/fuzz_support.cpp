// SPDX-License-Identifier: GPL-3.0-or-later
// The files in memory, the file helpers and the property failure of the fuzz targets.
// Each target's own properties live in its fuzz_*.cpp.
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "local_noon.h"
#include "platform/os_file.h"
#include "platform/os_file_memory.h"

namespace fuzz {

void StartMemoryFiles() {
    // Without TZ the library looks at the zone file again on every conversion to a time (three
    // per history input); naming the file it reads anyway spares those looks.
    setenv("TZ", ":/etc/localtime", 0);
    ResetMemoryFiles();
    if (!OsMakeFolder(UnitsFolder)) {
        std::fprintf(stderr, "velmora fuzz: cannot make the units folder\n");
        std::abort();
    }
}

void WriteFile(const std::u16string& path, const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!PutMemoryFile(path, bytes)) {
        std::fprintf(stderr, "velmora fuzz: cannot write %s\n", Printable(path).c_str());
        std::abort();
    }
}

void WriteFile(const std::u16string& path, const Bytes& bytes) {
    WriteFile(path, bytes.data(), bytes.size());
}

void SetFileDay(const std::u16string& path, int year, int month, int day) {
    const std::time_t moment = LocalNoonOf(year, month, day);
    if (moment == std::time_t(-1) || !SetMemoryFileTime(path, moment)) {
        std::fprintf(stderr, "velmora fuzz: cannot set the time of %s\n", Printable(path).c_str());
        std::abort();
    }
}

Bytes ReadFile(const std::u16string& path) {
    // Room kept from read to read: the bytes are copied out once, into what is handed back.
    static std::string bytes;
    if (!MemoryFileBytes(path, bytes)) return {};
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Bytes(first, first + bytes.size());
}

bool NoTemporaryFileIn(const std::u16string& folder) {
    for (const std::u16string& name : OsFolderFiles(folder))
        if (IsReplacementName(name)) return false;
    return true;
}

Bytes LineFileBytes(const std::vector<std::u16string>& lines) {
    std::size_t units = 0;
    for (const std::u16string& line : lines) units += line.size() + 2;
    Bytes bytes(2 * units);
    std::uint8_t* out = bytes.data();
    auto put = [&out](char16_t unit) {
        *out++ = std::uint8_t(unit & 0xFF);
        *out++ = std::uint8_t(unit >> 8);
    };
    for (const std::u16string& line : lines) {
        for (char16_t unit : line) put(unit);
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

bool SameWeeks(const std::vector<TrainingWeek>& a, const std::vector<TrainingWeek>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].weekNumber != b[i].weekNumber || a[i].days != b[i].days) return false;
    return true;
}

std::string Printable(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out.push_back(char(unit));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(unit));
            out += escaped;
        }
    }
    return out;
}

void PropertyFailed(const char* property, const char* file, int line) {
    std::fprintf(stderr, "velmora fuzz: property broken at %s:%d: %s\n", file, line, property);
    std::abort();
}

}  // namespace fuzz
