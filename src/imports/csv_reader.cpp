// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting decoded text into CSV rows. The decoded text is kept only until its row is cut:
// a refill drops what came before, so memory follows the longest row, not the file. Runs of
// plain characters are copied at once; only quotes, separators and line ends are looked at
// one by one.
#include "imports/csv_reader.h"

#include <algorithm>

namespace {

constexpr std::size_t ReadChunkBytes = 64 * 1024;
// The first row is looked at whole for its separator; a longer one is judged by this much.
constexpr std::size_t MostSeparatorUnits = 64 * 1024;
constexpr std::size_t FirstFieldRoom = 16;

// Reads one chunk and decodes it after what is kept; false when the source has nothing more.
bool ReadChunk(CsvReader& reader) {
    if (reader.sourceDone) return false;
    // Each read lands in room of its own and only what arrived is appended: growing the bytes
    // by a whole chunk first would set a chunk for every read, also for a source that gives a
    // few bytes at a time. The room grows as reads fill it.
    UnsetBuffer<char>& chunk = reader.chunk;
    if (chunk.size() == 0) ResizeBuffer(chunk, FileBufferStartBytes);
    const std::intptr_t got = reader.source ? reader.source(chunk.data(), chunk.size()) : 0;
    // A source that claims more than it was given room for is taken at its room.
    const std::size_t received = got > 0 ? std::min(std::size_t(got), chunk.size()) : 0;
    reader.bytes.append(chunk.data(), received);
    if (received == chunk.size()) GrowFileBuffer(chunk, ReadChunkBytes, 0);
    if (got <= 0) {
        reader.sourceDone = true;
        reader.readFailed = got < 0;
    }
    const std::size_t used = DecodeCsvBytes(reader.encoding, reader.bytes, reader.sourceDone,
                                            reader.units, reader.badUnits);
    reader.bytes.erase(0, used);
    return true;
}

// Makes units[position] readable, dropping the text already cut; false at the end.
bool EnsureUnits(CsvReader& reader) {
    while (reader.position >= reader.units.size()) {
        reader.units.clear();
        reader.badUnits.clear();
        reader.position = 0;
        reader.nextBad = 0;
        if (!ReadChunk(reader)) return false;
    }
    return true;
}

// The first bytes decide the encoding; the first row decides the separator.
void Begin(CsvReader& reader) {
    reader.started = true;
    while (reader.bytes.size() < 4 && !reader.sourceDone) {
        const std::size_t kept = reader.bytes.size();
        reader.bytes.resize(kept + 4);
        const std::intptr_t got = reader.source ? reader.source(reader.bytes.data() + kept, 4) : 0;
        reader.bytes.resize(kept + (got > 0 ? std::min<std::size_t>(std::size_t(got), 4) : 0));
        if (got <= 0) {
            reader.sourceDone = true;
            reader.readFailed = got < 0;
        }
    }
    std::size_t mark = 0;
    reader.encoding = DetectCsvEncoding(reader.bytes, mark);
    reader.bytes.erase(0, mark);
    const std::size_t used = DecodeCsvBytes(reader.encoding, reader.bytes, reader.sourceDone,
                                            reader.units, reader.badUnits);
    reader.bytes.erase(0, used);

    std::size_t counts[3] = {0, 0, 0};  // comma, semicolon, tab
    bool quoted = false;
    std::size_t at = 0;
    for (;;) {
        if (at >= reader.units.size()) {
            if (at >= MostSeparatorUnits || !ReadChunk(reader)) break;
            continue;
        }
        const char16_t unit = reader.units[at++];
        if (unit == u'"') quoted = !quoted;
        if (quoted) continue;
        if (unit == u'\n' || unit == u'\r') break;
        if (unit == u',') ++counts[0];
        if (unit == u';') ++counts[1];
        if (unit == u'\t') ++counts[2];
    }
    reader.separator = u',';
    if (counts[1] > counts[0] && counts[1] >= counts[2]) reader.separator = u';';
    if (counts[2] > counts[0] && counts[2] > counts[1]) reader.separator = u'\t';
}

struct RowBuilder {
    CsvRow& row;
    std::size_t stored = 0;
    std::u16string* field = nullptr;  // nullptr past MostCsvFields

    void StartField() {
        if (row.fieldCount >= MostCsvFields) {
            field = nullptr;
            return;
        }
        // The tables read have up to 14 columns: room for them at once, not in four steps.
        if (row.fields.capacity() == 0) {
            row.fields.reserve(FirstFieldRoom);
            row.quoted.reserve(FirstFieldRoom);
        }
        if (row.fields.size() <= row.fieldCount) row.fields.emplace_back();
        if (row.quoted.size() <= row.fieldCount) row.quoted.push_back(0);
        row.quoted[row.fieldCount] = 0;
        field = &row.fields[row.fieldCount++];
        field->clear();
    }
    void Append(const char16_t* text, std::size_t count) {
        if (count > MostCsvRowUnits - stored) {
            count = MostCsvRowUnits - stored;
            row.tooLong = true;
        }
        if (field != nullptr) field->append(text, count);
        stored += count;
    }
    void Append(char16_t unit) { Append(&unit, 1); }
};

// Copies units[position .. stop) into the field, noting any bad bytes among them.
void TakeRun(CsvReader& reader, RowBuilder& builder, std::size_t stop) {
    builder.Append(reader.units.data() + reader.position, stop - reader.position);
    while (reader.nextBad < reader.badUnits.size() && reader.badUnits[reader.nextBad] < stop) {
        builder.row.badBytes = true;
        ++reader.nextBad;
    }
    reader.position = stop;
}

// Passes a CR, LF or CR LF at the position.
void PassLineEnd(CsvReader& reader) {
    const char16_t first = reader.units[reader.position++];
    ++reader.line;
    if (first == u'\r' && EnsureUnits(reader) && reader.units[reader.position] == u'\n')
        ++reader.position;
}

}  // namespace

std::u16string_view CsvRow::Field(std::size_t index) const {
    return index < fieldCount ? std::u16string_view(fields[index]) : std::u16string_view();
}

void StartCsvReader(CsvReader& reader, CsvByteSource source) {
    reader = CsvReader{};
    reader.source = std::move(source);
}

bool NextCsvRow(CsvReader& reader, CsvRow& row) {
    if (!reader.started) Begin(reader);
    row.fieldCount = 0;
    row.badBytes = false;
    row.tooLong = false;
    row.line = reader.line;
    if (!EnsureUnits(reader)) return false;
    RowBuilder builder{row};
    builder.StartField();
    enum class State { FieldStart, Plain, Quoted };
    State state = State::FieldStart;
    const char16_t separator = reader.separator;
    while (EnsureUnits(reader)) {
        const char16_t* units = reader.units.data();
        const std::size_t end = reader.units.size();
        const std::size_t at = reader.position;
        if (state == State::FieldStart) {
            if (units[at] == u'"') {
                ++reader.position;
                if (builder.field != nullptr) row.quoted[row.fieldCount - 1] = 1;
                state = State::Quoted;
            } else {
                state = State::Plain;
            }
            continue;
        }
        if (state == State::Plain) {
            std::size_t stop = at;
            while (stop < end && units[stop] != separator && units[stop] != u'\n' &&
                   units[stop] != u'\r')
                ++stop;
            TakeRun(reader, builder, stop);
            if (stop == end) continue;
            if (units[stop] != separator) {
                PassLineEnd(reader);
                return true;
            }
            ++reader.position;
            builder.StartField();
            state = State::FieldStart;
            continue;
        }
        // Quoted: everything up to the closing quote, line ends included.
        std::size_t stop = at;
        while (stop < end && units[stop] != u'"' && units[stop] != u'\n' && units[stop] != u'\r')
            ++stop;
        TakeRun(reader, builder, stop);
        if (stop == end) continue;
        if (units[stop] == u'"') {
            ++reader.position;
            if (EnsureUnits(reader) && reader.units[reader.position] == u'"') {
                builder.Append(u'"');
                ++reader.position;
            } else {
                state = State::Plain;  // closed; what follows up to the separator is kept too
            }
            continue;
        }
        const char16_t first = units[stop];
        builder.Append(first);
        ++reader.position;
        ++reader.line;
        if (first == u'\r' && EnsureUnits(reader) && reader.units[reader.position] == u'\n') {
            builder.Append(u'\n');
            ++reader.position;
        }
    }
    return true;  // the input ended inside the row
}
