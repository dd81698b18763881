// The shared scratch folder, file helpers and property failure of the fuzz targets.
// Each target's own properties live in its fuzz_*.cpp.
#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/os_file.h"
#include "platform/unicode.h"

namespace fuzz {

namespace {

std::filesystem::path scratch;

void RemoveScratch() {
    if (scratch.empty()) return;
    std::error_code ignored;
    std::filesystem::current_path(scratch.parent_path(), ignored);
    std::filesystem::remove_all(scratch, ignored);
}

}  // namespace

void EnterScratchDirectory() {
    if (!scratch.empty()) return;
    // Saves flush to the disk; in memory (/dev/shm) that costs nothing, so far more inputs
    // are tried per second.
    std::filesystem::path base = std::filesystem::temp_directory_path();
    if (::access("/dev/shm", W_OK) == 0) base = "/dev/shm";
    std::string pattern = (base / "velmora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("velmora fuzz: cannot create a scratch folder");
        std::abort();
    }
    scratch = pattern;
    std::filesystem::current_path(scratch);
    std::filesystem::create_directory("units");
    std::atexit(RemoveScratch);
}

void WriteFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out) {
        std::fprintf(stderr, "velmora fuzz: cannot write %s\n", path);
        std::abort();
    }
}

void WriteFile(const char* path, const Bytes& bytes) {
    WriteFile(path, bytes.data(), bytes.size());
}

void SetFileDay(const char* path, int year, int month, int day) {
    std::tm noon{};
    noon.tm_year = year - 1900;
    noon.tm_mon = month - 1;
    noon.tm_mday = day;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    const std::time_t moment = std::mktime(&noon);
    const timespec times[2] = {{moment, 0}, {moment, 0}};
    if (moment == std::time_t(-1) || ::utimensat(AT_FDCWD, path, times, 0) != 0) {
        std::fprintf(stderr, "cannot set the time of %s\n", path);
        std::abort();
    }
}

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const char* path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

bool NoTemporaryFileIn(const char* folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        if (IsReplacementName(Utf8ToUtf16(entry.path().filename().string()))) return false;
    return true;
}

Bytes LineFileBytes(const std::vector<std::u16string>& lines) {
    Bytes bytes;
    auto put = [&bytes](char16_t unit) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    };
    for (const std::u16string& line : lines) {
        for (char16_t unit : line) put(unit);
        put(u'\r');
        put(u'\n');
    }
    return bytes;
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
