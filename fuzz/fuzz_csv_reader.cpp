// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader on arbitrary bytes, handed over in pieces whose sizes the first input byte
// chooses (the second puts a header of one of the three programs in front): the reader never
// asks for bytes after the end and never reads beyond what it was given, its rows are the
// plain rules' rows of the whole decoded text, decoding in pieces equals decoding at once,
// and bad bytes mark rows only where there are any. The import of the same inputs is
// fuzz_training_import's.
#include <algorithm>
#include <string>
#include <vector>

#include "csv_input.h"
#include "fuzz_support.h"
#include "imports/csv_reader.h"
#include "reference_text.h"

namespace {

// Hands out the bytes in pieces of 1 .. 64 or whole chunks, and watches how it is asked.
struct PieceSource {
    const std::string* bytes = nullptr;
    std::size_t at = 0;
    std::size_t piece = 1;
    bool ended = false;

    std::intptr_t Read(char* buffer, std::size_t size) {
        FUZZ_CHECK(!ended, "no read after the end was told");
        FUZZ_CHECK(size > 0, "a read asks for at least one byte");
        const std::size_t count = std::min({size, piece, bytes->size() - at});
        std::copy_n(bytes->data() + at, count, buffer);
        at += count;
        ended = count == 0;
        return std::intptr_t(count);
    }
};

CsvByteSource SourceOf(PieceSource& state) {
    return [&state](char* buffer, std::size_t size) { return state.Read(buffer, size); };
}

void CheckRows(const std::string& bytes, std::size_t piece) {
    PieceSource state{&bytes, 0, piece};
    CsvReader reader;
    StartCsvReader(reader, SourceOf(state));
    std::vector<std::vector<std::u16string>> rows;
    bool cut = false;
    bool anyBad = false;
    WholeNumber line = 0;
    CsvRow row;
    while (NextCsvRow(reader, row)) {
        FUZZ_CHECK(row.fieldCount >= 1 && row.fieldCount <= MostCsvFields, "field count");
        FUZZ_CHECK(row.line > line, "rows start on later lines");
        line = row.line;
        cut = cut || row.tooLong || row.fieldCount == MostCsvFields;
        anyBad = anyBad || row.badBytes;
        rows.emplace_back(row.fields.begin(), row.fields.begin() + row.fieldCount);
    }
    FUZZ_CHECK(state.at == bytes.size(), "every byte was read");
    FUZZ_CHECK(!reader.readFailed, "the source never failed");

    std::size_t mark = 0;
    const CsvEncoding encoding = DetectCsvEncoding(bytes, mark);
    FUZZ_CHECK(encoding == reader.encoding, "the encoding the first bytes tell");
    std::u16string whole;
    std::vector<std::size_t> bad;
    DecodeCsvBytes(encoding, std::string_view(bytes).substr(mark), true, whole, bad);
    FUZZ_CHECK(anyBad == !bad.empty(), "bad bytes mark a row exactly when there are some");
    if (!cut) {
        FUZZ_CHECK(rows == reference::CsvRows(whole, reader.separator),
                   "the rows of the plain rules");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fuzz::CsvPrefixBytes) return 0;
    const std::size_t piece = data[0] < 200 ? 1 + data[0] % 64 : std::size_t(1) << 16;
    CheckRows(fuzz::CsvFileBytes(data, size), piece);
    return 0;
}
