// SPDX-License-Identifier: GPL-3.0-or-later
// Block reading of line files: reads land directly in a block of code units (byte-swapped
// only for a file whose byte order is not the host's), line ends are found by line_file's
// scan, and a line longer than the block makes the block grow. UTF-8 files, rare and small,
// are read line by line through line_file.
#include "data/line_blocks.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

std::uint8_t* BytesOf(LineBlockReader& reader) {
    return reinterpret_cast<std::uint8_t*>(reader.units.data());
}

// Moves the units not yet handed out (and an odd byte behind them) to the front, makes room
// when they fill more than half of the block, and reads once behind them.
void Fill(LineBlockReader& reader) {
    LineFile& file = *reader.file;
    const std::size_t keepFrom = reader.start * 2;
    const std::size_t kept = reader.byteEnd - keepFrom;
    if (keepFrom > 0 && kept > 0) std::memmove(BytesOf(reader), BytesOf(reader) + keepFrom, kept);
    reader.start = 0;
    reader.byteEnd = kept;
    if (reader.units.size() * 2 - kept < reader.units.size())
        ResizeBuffer(reader.units, 2 * reader.units.size(), (kept + 1) / 2);
    if (reader.sourceDone) return;
    if (file.file.handle < 0) {
        reader.sourceDone = true;
        return;
    }
    const std::size_t firstNewUnit = reader.byteEnd / 2;
    std::intptr_t got = OsRead(file.file, BytesOf(reader) + reader.byteEnd,
                               reader.units.size() * 2 - reader.byteEnd);
    if (got < 0) file.readFailed = true;  // taken as the end of the file, as ReadLineInto does
    if (got <= 0) {
        reader.sourceDone = true;
        file.endOfFile = true;
        return;
    }
    if (file.hasher) AddToHash(*file.hasher, BytesOf(reader) + reader.byteEnd, std::size_t(got));
    reader.byteEnd += static_cast<std::size_t>(got);
    if (!reader.swapBytes) return;
    for (std::size_t at = firstNewUnit; at < reader.byteEnd / 2; ++at) {
        char16_t unit = reader.units[at];
        reader.units[at] = static_cast<char16_t>((unit >> 8) | (unit << 8));
    }
}

}  // namespace

void StartBlockReading(LineBlockReader& reader, LineFile& file, std::int64_t fileBytes) {
    reader.file = &file;
    reader.start = 0;
    reader.scanned = 0;
    reader.byteEnd = 0;
    reader.utf8Line.clear();
    reader.sourceDone = file.endOfFile || file.file.handle < 0;
    const bool hostLittle = std::endian::native == std::endian::little;
    reader.swapBytes = (file.encoding == LineFile::Encoding::Utf16Be) == hostLittle;
    if (file.encoding == LineFile::Encoding::Utf8) return;
    // The bytes line_file has buffered already (the mark test reads the first block).
    const std::size_t buffered = file.length - file.position;
    // Room for the whole of a small file and the read that finds its end; a larger file
    // goes through the block in turns.
    std::size_t blockUnits = reader.blockUnits;
    if (fileBytes >= 0 && std::uint64_t(fileBytes) / 2 + 2 < blockUnits)
        blockUnits = std::size_t(fileBytes) / 2 + 2;
    ResizeBuffer(reader.units, std::max<std::size_t>({blockUnits, buffered / 2 + 1, 2}));
    std::memcpy(BytesOf(reader), file.buffer.data() + file.position, buffered);
    file.position = file.length;
    reader.byteEnd = buffered;
    if (reader.swapBytes)
        for (std::size_t at = 0; at < buffered / 2; ++at)
            reader.units[at] =
                static_cast<char16_t>((reader.units[at] >> 8) | (reader.units[at] << 8));
}

bool NextLineAfterRead(LineBlockReader& reader, std::u16string_view& line) {
    LineFile& file = *reader.file;
    if (file.encoding == LineFile::Encoding::Utf8) {
        line = {};
        if (AtEnd(file)) return false;
        ReadLineInto(file, reader.utf8Line);
        line = reader.utf8Line;
        return true;
    }
    for (;;) {
        const char16_t* at = reader.units.data() + reader.start;
        const std::size_t available = reader.byteEnd / 2 - reader.start;
        const std::size_t run =
            reader.scanned + UnitsBeforeLineEnd(at + reader.scanned, available - reader.scanned);
        if (run < available) {
            // A CR as the last unit read so far: whether an LF follows decides where the
            // next line starts, so the next read comes first.
            const bool lastIsCr = at[run] == u'\r' && run + 1 == available;
            if (!lastIsCr || reader.sourceDone) {
                TakeLine(reader, run, run + 1 < available, line);
                return true;
            }
        } else if (reader.sourceDone) {
            // The last line has no line end; a single odd byte behind it is ignored.
            line = std::u16string_view(at, available);
            reader.start += available;
            reader.scanned = 0;
            return available > 0;
        }
        reader.scanned = run;
        Fill(reader);
    }
}

void StartBlockReadingBytes(LineBlockReader& reader, LineFile& file, std::string_view bytes) {
    OpenBytesForReading(file, bytes);
    SkipByteOrderMark(file);
    StartBlockReading(reader, file, std::int64_t(bytes.size()));
}
