// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-16 line files: sized, opened, read line by line and written through a buffer of up
// to 64 KiB. Reading honours a byte order mark (UTF-8, UTF-16 big- or little-endian);
// writing is always UTF-16 little-endian, every line ended by CR LF, without a mark unless
// the first line's own bytes would read back as one.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/content_hash.h"
#include "platform/os_file.h"
#include "platform/unset_buffer.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Large enough that reading or writing a big file costs few calls to the system. The buffer
// grows to this size from FileBufferStartBytes.
inline constexpr std::size_t LineFileBufferBytes = 64 * 1024;

struct LineFile {
    enum class Encoding { Utf16Le, Utf16Be, Utf8 };
    OsFile file;
    bool forWriting = false;
    Encoding encoding = Encoding::Utf16Le;
    UnsetBuffer<std::uint8_t> buffer;  // 4 to 64 KiB
    std::size_t position = 0;          // next unread byte (reading)
    std::size_t length = 0;            // valid bytes (reading) / pending bytes (writing)
    bool endOfFile = false;
    bool failed = false;        // a write, flush or close failed
    bool readFailed = false;    // a read failed (taken as the end of the file)
    bool startWritten = false;  // writing: the first line has gone into the buffer
    // When set, every byte read from or written to the file passes through it, in order.
    ContentHasher* hasher = nullptr;
    bool fromMemory = false;  // OpenBytesForReading: the buffer holds the whole content
    std::string utf8Line;     // reading UTF-8: the bytes of the line, their room reused
};

std::int64_t FileSizeOf(const std::u16string& path);
bool OpenForReading(LineFile& file, const std::u16string& path);
bool CreateForWriting(LineFile& file, const std::u16string& path);
// Writes lines into a file already created and open, until StopWriting hands it back.
void StartWriting(LineFile& file, OsFile opened);
// Writes out the buffer and hands the still open file back to `opened`. False when any write
// failed.
bool StopWriting(LineFile& file, OsFile& opened);
void SkipByteOrderMark(LineFile& file);
// Reads from these bytes instead of a file (Close then reports success); the view must
// outlive the reading.
void OpenBytesForReading(LineFile& file, std::string_view bytes);
// The next line without its end (LF, CR, CR LF or a 0000 code unit), "" at the end, into a
// text kept by the caller, whose room is reused from line to line.
void ReadLineInto(LineFile& file, std::u16string& line);
bool AtEnd(LineFile& file);
void WriteLine(LineFile& file, std::u16string_view text);
// One line made of these parts, written without joining them first.
void WriteLine(LineFile& file, std::span<const std::u16string_view> parts);
void WriteLine(LineFile& file, std::initializer_list<std::u16string_view> parts);
// LF, CR and 0000 end a line.
inline bool IsLineEndUnit(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == 0;
}

#ifdef __SSE2__
// Eight host-order code units tested at once: a lane of ones where the unit ends a line.
inline __m128i LineEndLanes(const char16_t* units) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(block, _mm_setzero_si128()),
                                     _mm_cmpeq_epi16(block, _mm_set1_epi16(0x0A))),
                        _mm_cmpeq_epi16(block, _mm_set1_epi16(0x0D)));
}
#endif

// The number of host-order code units before the first line end among `count`, `count` when
// there is none; eight units are tested at a time where the processor can. Inline: the
// line-by-line reader asks it once or more for every line.
inline std::size_t UnitsBeforeLineEnd(const char16_t* units, std::size_t count) {
    std::size_t at = 0;
#ifdef __SSE2__
    for (; at + 8 <= count; at += 8) {
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(LineEndLanes(units + at)));
        if (mask != 0) return at + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
    }
#else
    // Four units per word: the test flags every unit below 000E (and, after a borrow,
    // perhaps its neighbour), so only flagged words are looked at unit by unit.
    for (; at + 4 <= count; at += 4) {
        std::uint64_t word;
        std::memcpy(&word, units + at, sizeof word);
        if (((word - 0x000E000E000E000Eull) & ~word & 0x8000800080008000ull) == 0) continue;
        for (std::size_t k = at; k < at + 4; ++k)
            if (IsLineEndUnit(units[k])) return k;
    }
#endif
    for (; at < count; ++at)
        if (IsLineEndUnit(units[at])) return at;
    return count;
}

// Writes out the buffer and closes. False when any write, the flush or the close failed,
// or when a read failed.
bool Close(LineFile& file);
