// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader of the imports: bytes from any source in UTF-8 (with or without a byte order
// mark) or UTF-16 (either byte order, told by its mark or by the zero bytes of its first
// characters), cut into rows of fields as RFC 4180 has it, one row at a time, so that a file
// of any size needs the room of its longest row only. What the rows mean is left to
// import_formats.h; reading a file is training_file.h's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unset_buffer.h"
#include "text/text_helpers.h"

enum class CsvEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

// Up to `size` bytes into `buffer`: the number read, 0 at the end, below 0 on failure.
using CsvByteSource = std::function<std::intptr_t(char* buffer, std::size_t size)>;

// Fields past this many are read over and dropped.
inline constexpr std::size_t MostCsvFields = 64;
// A row holds at most this many code units of fields (4 MB); the rest is read over.
inline constexpr std::size_t MostCsvRowUnits = std::size_t(1) << 21;

struct CsvRow {
    // fields[0 .. fieldCount) are the row's; the strings beyond keep their room for later rows.
    std::vector<std::u16string> fields;
    std::vector<unsigned char> quoted;  // per field: it began with a quote
    std::size_t fieldCount = 0;
    WholeNumber line = 0;   // the line the row starts on, 1 = the first
    bool badBytes = false;  // bytes that are neither UTF-8 nor UTF-16 (each kept as U+FFFD)
    bool tooLong = false;   // more than MostCsvRowUnits: the fields stop there

    // "" past the last field.
    std::u16string_view Field(std::size_t index) const;
};

struct CsvReader {
    CsvByteSource source;
    CsvEncoding encoding = CsvEncoding::Utf8;
    char16_t separator = u',';
    bool started = false;
    bool sourceDone = false;  // the source said end or failed: nothing more comes from it
    bool readFailed = false;  // a read failed: the rows so far are all there is
    std::string bytes;        // read and not yet decoded (an unfinished character at most)
    UnsetBuffer<char> chunk;  // the room each read lands in, never set beforehand
    std::u16string units;     // decoded; units[position ..) not yet cut into rows
    std::size_t position = 0;
    // Positions in `units` of the U+FFFD that stand for bad bytes, ascending; nextBad is the
    // first not yet passed.
    std::vector<std::size_t> badUnits;
    std::size_t nextBad = 0;
    WholeNumber line = 1;  // the line of units[position]
};

// The reader takes its bytes from `source` only; it never throws.
void StartCsvReader(CsvReader& reader, CsvByteSource source);
// The next row: fields separated by the separator, "..." quoting (a doubled quote inside is
// one quote, line breaks inside are kept, text after the closing quote is kept too), CR LF,
// LF or CR ending the row; an empty line is a row of one empty field. The separator is the
// one of comma, semicolon and tab that the first row holds most of outside quotes (a comma
// when none). False at the end of the input.
bool NextCsvRow(CsvReader& reader, CsvRow& row);

// The encoding the first bytes of a file tell, and the length of its byte order mark: a
// UTF-8 or UTF-16 mark, else UTF-16 when one of the first two bytes is zero and the other is
// not, else UTF-8.
CsvEncoding DetectCsvEncoding(std::string_view firstBytes, std::size_t& markLength);
// Appends the UTF-16 of `bytes` to `units` and the positions (in `units`) of every U+FFFD
// that stands for bytes the encoding cannot hold to `bad`. Returns the number of bytes
// used: an unfinished character at the end stays unless `final`, which makes it bad too.
std::size_t DecodeCsvBytes(CsvEncoding encoding, std::string_view bytes, bool final,
                           std::u16string& units, std::vector<std::size_t>& bad);
