// SPDX-License-Identifier: GPL-3.0-or-later
// Line files: UTF-16 (or, after its mark, UTF-8) text read line by line and UTF-16
// little-endian lines written, all through a buffer that grows to 64 KiB. Callers report
// failures.
#include "data/line_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/unicode.h"

namespace {

void Reset(LineFile& file, bool forWriting) {
    file.file = OsFile{};
    file.forWriting = forWriting;
    file.encoding = LineFile::Encoding::Utf16Le;
    if (file.buffer.size() < FileBufferStartBytes || file.buffer.size() > LineFileBufferBytes)
        ResizeBuffer(file.buffer, FileBufferStartBytes);
    file.position = 0;
    file.length = 0;
    file.endOfFile = false;
    file.failed = false;
    file.readFailed = false;
    file.startWritten = false;
    file.hasher = nullptr;
    file.fromMemory = false;
}

bool GrowBuffer(LineFile& file, std::size_t keep) {
    return GrowFileBuffer(file.buffer, LineFileBufferBytes, keep);
}

// Keeps the unread bytes, moves them to the front and reads more behind them until at
// least `wanted` bytes are buffered or the file ends. A failed read counts as the end.
void Refill(LineFile& file, std::size_t wanted) {
    std::size_t kept = file.length - file.position;
    if (kept >= wanted || file.endOfFile || file.file.handle < 0) return;
    const bool filled = file.length == file.buffer.size();
    for (std::size_t i = 0; i < kept; ++i) file.buffer[i] = file.buffer[file.position + i];
    if (filled) GrowBuffer(file, kept);
    file.position = 0;
    file.length = kept;
    while (file.length < wanted && !file.endOfFile) {
        std::intptr_t got =
            OsRead(file.file, file.buffer.data() + file.length, file.buffer.size() - file.length);
        if (got < 0) file.readFailed = true;
        if (got <= 0) {
            file.endOfFile = true;
            break;
        }
        if (file.hasher)
            AddToHash(*file.hasher, file.buffer.data() + file.length, std::size_t(got));
        file.length += static_cast<std::size_t>(got);
    }
}

std::size_t UnitSize(const LineFile& file) {
    return file.encoding == LineFile::Encoding::Utf8 ? 1 : 2;
}

// The next code unit (or byte for UTF-8) without consuming it; false at the end.
bool Peek(LineFile& file, char16_t& unit) {
    std::size_t size = UnitSize(file);
    if (file.length - file.position < size) Refill(file, size);
    if (file.length - file.position < size) return false;
    const std::uint8_t* at = file.buffer.data() + file.position;
    switch (file.encoding) {
        case LineFile::Encoding::Utf16Le:
            unit = static_cast<char16_t>(at[0] | (at[1] << 8));
            break;
        case LineFile::Encoding::Utf16Be:
            unit = static_cast<char16_t>((at[0] << 8) | at[1]);
            break;
        case LineFile::Encoding::Utf8:
            unit = at[0];
            break;
    }
    return true;
}

// ReadLineInto for UTF-16 little-endian files: whole runs of code units are copied from the
// buffer instead of one unit at a time. Same line rules as the general loop.
// Appends to line.
void ReadUtf16LeLine(LineFile& file, std::u16string& line) {
    for (;;) {
        if (file.length - file.position < 2) Refill(file, 2);
        std::size_t units = (file.length - file.position) / 2;
        if (units == 0) return;  // the end; a single odd byte is ignored
        const std::uint8_t* at = file.buffer.data() + file.position;
        // The buffer holds host-order code units here: the host is little-endian.
        std::size_t run = UnitsBeforeLineEnd(reinterpret_cast<const char16_t*>(at), units);
        if (run > 0) {
            std::size_t old = line.size();
            line.resize(old + run);
            std::memcpy(line.data() + old, at, run * 2);
        }
        file.position += run * 2;
        if (run == units) continue;  // the buffer ran out inside the line
        char16_t end = static_cast<char16_t>(at[run * 2] | (at[run * 2 + 1] << 8));
        file.position += 2;
        if (end != u'\r') return;
        if (run + 1 < units) {  // the usual case: the LF of CR LF is already buffered
            if (at[run * 2 + 2] == u'\n' && at[run * 2 + 3] == 0) file.position += 2;
            return;
        }
        char16_t next = 0;
        if (Peek(file, next) && next == u'\n') file.position += 2;
        return;
    }
}

bool HostIsLittleEndian() {
    return std::endian::native == std::endian::little;
}

void Flush(LineFile& file) {
    if (file.length == 0) return;
    if (file.hasher) AddToHash(*file.hasher, file.buffer.data(), file.length);
    if (!file.failed && !OsWrite(file.file, file.buffer.data(), file.length)) file.failed = true;
    file.length = 0;
}

void PutUnit(LineFile& file, char16_t unit) {
    if (file.length + 2 > file.buffer.size() && !GrowBuffer(file, file.length)) Flush(file);
    file.buffer[file.length++] = static_cast<std::uint8_t>(unit & 0xFF);
    file.buffer[file.length++] = static_cast<std::uint8_t>(unit >> 8);
}

// The length of the byte order mark at the start of these bytes (0 when there is none),
// tested in the order FF FE, EF BB BF, FE FF, 00 00 FE FF, and the encoding it announces.
// 00 00 FE FF is taken as a UTF-16 little-endian mark too; the rest is decoded as such.
std::size_t ByteOrderMarkLength(const std::uint8_t* at, std::size_t available,
                                LineFile::Encoding& encoding) {
    auto startsWith = [&](std::initializer_list<std::uint8_t> mark) {
        if (available < mark.size()) return false;
        std::size_t i = 0;
        for (std::uint8_t byte : mark)
            if (at[i++] != byte) return false;
        return true;
    };
    encoding = LineFile::Encoding::Utf16Le;
    if (startsWith({0xFF, 0xFE})) return 2;
    if (startsWith({0xEF, 0xBB, 0xBF})) {
        encoding = LineFile::Encoding::Utf8;
        return 3;
    }
    if (startsWith({0xFE, 0xFF})) {
        encoding = LineFile::Encoding::Utf16Be;
        return 2;
    }
    if (startsWith({0x00, 0x00, 0xFE, 0xFF})) return 4;
    return 0;
}

// True when a file starting with this line would be read back as starting with a mark:
// a first code unit FEFF or FFFE, or BBEF followed by a unit whose low byte is BF.
bool WouldReadAsMark(std::u16string_view firstLine) {
    std::uint8_t start[4] = {0x0D, 0x00, 0x0A, 0x00};  // the line end, when the line is short
    for (std::size_t i = 0; i < 2 && i < firstLine.size(); ++i) {
        start[2 * i] = std::uint8_t(firstLine[i] & 0xFF);
        start[2 * i + 1] = std::uint8_t(firstLine[i] >> 8);
    }
    if (firstLine.size() == 1) {
        start[2] = 0x0D;
        start[3] = 0x00;
    }
    LineFile::Encoding ignored;
    return ByteOrderMarkLength(start, sizeof start, ignored) != 0;
}

}  // namespace

std::int64_t FileSizeOf(const std::u16string& path) {
    return OsFileSize(path);
}

bool OpenForReading(LineFile& file, const std::u16string& path) {
    Reset(file, false);
    return OsOpenRead(path, file.file);
}

bool CreateForWriting(LineFile& file, const std::u16string& path) {
    Reset(file, true);
    return OsCreateWrite(path, file.file);
}

void StartWriting(LineFile& file, OsFile opened) {
    Reset(file, true);
    file.file = opened;
}

bool StopWriting(LineFile& file, OsFile& opened) {
    Flush(file);
    opened = file.file;
    file.file = OsFile{};
    return !file.failed;
}

void SkipByteOrderMark(LineFile& file) {
    Refill(file, 4);
    LineFile::Encoding encoding = LineFile::Encoding::Utf16Le;
    file.position += ByteOrderMarkLength(file.buffer.data() + file.position,
                                         file.length - file.position, encoding);
    file.encoding = encoding;
}

void OpenBytesForReading(LineFile& file, std::string_view bytes) {
    Reset(file, false);
    ResizeBuffer(file.buffer, bytes.size());
    if (!bytes.empty()) std::memcpy(file.buffer.data(), bytes.data(), bytes.size());
    file.length = bytes.size();
    file.endOfFile = true;
    file.fromMemory = true;
}

void ReadLineInto(LineFile& file, std::u16string& line) {
    line.clear();
    if (file.encoding == LineFile::Encoding::Utf16Le && HostIsLittleEndian()) {
        ReadUtf16LeLine(file, line);
        return;
    }
    const std::size_t size = UnitSize(file);
    // UTF-8 bytes; line ends never occur inside a multi-byte sequence.
    std::string& utf8Line = file.utf8Line;
    utf8Line.clear();
    char16_t unit = 0;
    while (Peek(file, unit)) {
        file.position += size;
        if (unit == u'\n' || unit == 0) break;
        if (unit == u'\r') {
            char16_t next = 0;
            if (Peek(file, next) && next == u'\n') file.position += size;
            break;
        }
        if (file.encoding == LineFile::Encoding::Utf8) {
            utf8Line.push_back(static_cast<char>(unit));
        } else {
            line.push_back(unit);
        }
    }
    if (file.encoding == LineFile::Encoding::Utf8) AppendUtf8AsUtf16(utf8Line, line);
}

bool AtEnd(LineFile& file) {
    char16_t unit = 0;
    return !Peek(file, unit);
}

namespace {

constexpr std::uint8_t LineEndBytes[4] = {0x0D, 0x00, 0x0A, 0x00};  // CR LF

// Copies a few bytes as a library copy would, without its call: the lines of the data files
// are written as many parts of a few code units each. Short runs are copied as two
// overlapping words, each load and store inside the runs.
inline void CopyBytes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytes) {
    auto copyWords = [&]<typename Word>(Word) {
        Word first;
        Word last;
        std::memcpy(&first, in, sizeof(Word));
        std::memcpy(&last, in + bytes - sizeof(Word), sizeof(Word));
        std::memcpy(out, &first, sizeof(Word));
        std::memcpy(out + bytes - sizeof(Word), &last, sizeof(Word));
    };
    // Smallest first: separators, short names and empty day texts are the most common parts.
    if (bytes < 8) {
        if (bytes >= 4) {
            copyWords(std::uint32_t{});
        } else if (bytes >= 2) {
            copyWords(std::uint16_t{});
        } else if (bytes == 1) {
            *out = *in;
        }
    } else if (bytes <= 16) {
        copyWords(std::uint64_t{});
    } else if (bytes <= 64) {
        for (std::size_t at = 0; at + 16 < bytes; at += 16) std::memcpy(out + at, in + at, 16);
        std::memcpy(out + bytes - 16, in + bytes - 16, 16);
    } else {
        std::memcpy(out, in, bytes);
    }
}

const std::uint8_t* BytesOf(std::u16string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

// Where a line of this many bytes goes when it fits into the buffer as it stands and the
// text's own bytes are already UTF-16 little-endian (the usual case); null otherwise.
std::uint8_t* RoomInBuffer(LineFile& file, std::size_t bytes) {
    if (!HostIsLittleEndian()) return nullptr;
    while (file.length + bytes > file.buffer.size())
        if (!GrowBuffer(file, file.length)) return nullptr;
    std::uint8_t* out = file.buffer.data() + file.length;
    file.length += bytes;
    return out;
}

void PutText(LineFile& file, std::u16string_view text) {
    if (!HostIsLittleEndian()) {
        for (char16_t unit : text) PutUnit(file, unit);
        return;
    }
    // The text's own bytes are already UTF-16 little-endian: copy them in runs.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t remaining = text.size() * 2;
    while (remaining > 0) {
        if (file.length == file.buffer.size() && !GrowBuffer(file, file.length)) Flush(file);
        std::size_t run = std::min(remaining, file.buffer.size() - file.length);
        std::memcpy(file.buffer.data() + file.length, bytes, run);
        file.length += run;
        bytes += run;
        remaining -= run;
    }
}

}  // namespace

void WriteLine(LineFile& file, std::u16string_view text) {
    // Such a first line would lose its first units on reading, or turn the whole file into
    // UTF-8 or big-endian text: a real mark in front keeps it as it is.
    if (!file.startWritten) {
        file.startWritten = true;
        if (WouldReadAsMark(text)) PutUnit(file, 0xFEFF);
    }
    const std::size_t textBytes = text.size() * 2;
    if (std::uint8_t* out = RoomInBuffer(file, textBytes + sizeof LineEndBytes)) {
        CopyBytes(out, BytesOf(text), textBytes);
        std::memcpy(out + textBytes, LineEndBytes, sizeof LineEndBytes);
        return;
    }
    PutText(file, text);
    PutUnit(file, u'\r');
    PutUnit(file, u'\n');
}

void WriteLine(LineFile& file, std::initializer_list<std::u16string_view> parts) {
    WriteLine(file, std::span<const std::u16string_view>(parts.begin(), parts.size()));
}

void WriteLine(LineFile& file, std::span<const std::u16string_view> parts) {
    if (!file.startWritten) {
        // The first line is checked whole for a look-alike byte order mark.
        std::u16string line;
        for (std::u16string_view part : parts) line += part;
        WriteLine(file, line);
        return;
    }
    std::size_t bytes = sizeof LineEndBytes;
    for (std::u16string_view part : parts) bytes += part.size() * 2;
    std::uint8_t* out = RoomInBuffer(file, bytes);
    if (out == nullptr) {
        for (std::u16string_view part : parts) PutText(file, part);
        PutUnit(file, u'\r');
        PutUnit(file, u'\n');
        return;
    }
    for (std::u16string_view part : parts) {
        CopyBytes(out, BytesOf(part), part.size() * 2);
        out += part.size() * 2;
    }
    std::memcpy(out, LineEndBytes, sizeof LineEndBytes);
}

bool Close(LineFile& file) {
    if (file.forWriting) Flush(file);
    // Bytes read from memory: nothing to close, nothing that could fail.
    if (file.fromMemory) return true;
    bool closed = file.file.handle >= 0 && OsClose(file.file);
    file.file.handle = -1;
    return closed && !file.failed && !file.readFailed;
}
