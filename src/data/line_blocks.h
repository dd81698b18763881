// SPDX-License-Identifier: GPL-3.0-or-later
// Block reading of line files for the two large loads: the same lines that ReadLineInto and
// AtEnd give, handed out as views into large blocks of decoded code units, so that a line
// costs no copy and no allocation of its own. Opening, the mark and closing stay line_file's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/line_file.h"

struct LineBlockReader {
    // Code units per block: large enough that a read costs little next to the lines it
    // brings (64 KiB, as line_file's buffer), small enough that the block stays in the
    // processor's cache while its lines are copied out and that few pages are touched. A
    // smaller file gets a block of its own size. Tests make it tiny to cross many block edges.
    std::size_t blockUnits = 32 * 1024;
    LineFile* file = nullptr;
    UnsetBuffer<char16_t> units;  // decoded code units; the bytes of a read land here first
    std::size_t start = 0;        // first code unit not yet handed out
    std::size_t byteEnd = 0;      // bytes filled in `units`, counted from its beginning
    std::size_t scanned = 0;      // units after `start` already known to hold no line end
    bool swapBytes = false;       // the file's byte order is not the host's
    bool sourceDone = false;      // the file has no more bytes
    std::u16string utf8Line;      // UTF-8 files go line by line through ReadLineInto
};

// Takes over `file` after SkipByteOrderMark, including the bytes it has already buffered.
// From then on only NextLine and finally Close may be used on the file. `fileBytes`, the
// file's size when it was opened (-1 when unknown), only sizes the block: a file that has
// grown since is still read to its end.
void StartBlockReading(LineBlockReader& reader, LineFile& file, std::int64_t fileBytes = -1);
// Reads these bytes, a line file's whole content with its mark, as the lines of `file`; the
// view must outlive the reading.
void StartBlockReadingBytes(LineBlockReader& reader, LineFile& file, std::string_view bytes);
// Steps over the line of `run` units at `start` and its line end (CR LF as one when the unit
// after a CR has been read: `nextRead`), and hands the line out.
inline void TakeLine(LineBlockReader& reader, std::size_t run, bool nextRead,
                     std::u16string_view& line) {
    const char16_t* at = reader.units.data() + reader.start;
    std::size_t used = run + 1;
    if (nextRead && at[run] == u'\r' && at[run + 1] == u'\n') ++used;
    line = std::u16string_view(at, run);
    reader.start += used;
    reader.scanned = 0;
}
// NextLine for all that its inline part leaves: the next read, the last line, UTF-8 files.
bool NextLineAfterRead(LineBlockReader& reader, std::u16string_view& line);
// The next line without its end, by the rules of ReadLineInto; the view stays valid until the
// next call. False, with an empty view, where AtEnd would be true. Inline for the usual line,
// whose end and the unit after it are already read (a UTF-8 file never has units here).
inline bool NextLine(LineBlockReader& reader, std::u16string_view& line) {
    const char16_t* at = reader.units.data() + reader.start;
    const std::size_t available = reader.byteEnd / 2 - reader.start;
    const std::size_t run =
        reader.scanned + UnitsBeforeLineEnd(at + reader.scanned, available - reader.scanned);
    if (run + 1 < available) {
        TakeLine(reader, run, true, line);
        return true;
    }
    reader.scanned = run;
    return NextLineAfterRead(reader, line);
}
