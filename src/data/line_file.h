// UTF-16 line files: sized, opened, read line by line and written through a 64 KiB
// buffer. Reading honours a byte order mark (UTF-8, UTF-16 big- or little-endian);
// writing is always UTF-16 little-endian, every line ended by CR LF, without a mark unless
// the first line's own bytes would read back as one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/content_hash.h"
#include "platform/os_file.h"

// Large enough that reading or writing a big file costs few calls to the system.
inline constexpr std::size_t LineFileBufferBytes = 64 * 1024;

struct LineFile {
    enum class Encoding { Utf16Le, Utf16Be, Utf8 };
    OsFile file;
    bool forWriting = false;
    Encoding encoding = Encoding::Utf16Le;
    std::vector<std::uint8_t> buffer;  // 64 KiB
    std::size_t position = 0;          // next unread byte (reading)
    std::size_t length = 0;            // valid bytes (reading) / pending bytes (writing)
    bool endOfFile = false;
    bool failed = false;        // a write, flush or close failed
    bool readFailed = false;    // a read failed (taken as the end of the file)
    bool startWritten = false;  // writing: the first line has gone into the buffer
    // When set, every byte read from or written to the file passes through it, in order.
    ContentHasher* hasher = nullptr;
    bool fromMemory = false;  // OpenBytesForReading: the buffer holds the whole content
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
// The number of host-order code units before the first LF, CR or 0000 among `count`,
// `count` when there is none; eight units are tested at a time where the processor can.
std::size_t UnitsBeforeLineEnd(const char16_t* units, std::size_t count);
// Writes out the buffer and closes. False when any write, the flush or the close failed,
// or when a read failed.
bool Close(LineFile& file);
