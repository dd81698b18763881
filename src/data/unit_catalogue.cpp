// SPDX-License-Identifier: GPL-3.0-or-later
// The unit catalogue in memory and its file units/units.txt, one unit per line in the form of
// a day entry (day_entries.h). The line rules are line_file's; reporting is the caller's.
#include "data/unit_catalogue.h"

#include <algorithm>
#include <cassert>

#include "data/day_entries.h"
#include "data/line_blocks.h"
#include "data/line_file.h"
#include "data/merge_base.h"
#include "data/safe_save.h"
#include "data/text_block.h"
#include "platform/os_memory.h"

void AddUnit(Document& document, std::u16string_view name, WholeNumber count1, WholeNumber count2,
             std::u16string_view description) {
    document.catalogue.push_back({name, count1, count2, description});
}

WholeNumber UnitCount(const Document& document) {
    return static_cast<WholeNumber>(document.catalogue.size());
}

const TrainingUnit& UnitAt(const Document& document, WholeNumber position) {
    assert(position >= 0 && position < UnitCount(document) &&
           "UnitAt needs a position in the catalogue");
    return document.catalogue[static_cast<std::size_t>(position)];
}

namespace {

// A line such as "Plank|3|60|hold" with its line end takes about 36 bytes.
constexpr std::int64_t TypicalUnitLineBytes = 32;
constexpr std::int64_t MostReservedUnits = 1 << 22;

// A line of spaces only (or nothing) holds no unit; tested without copying the line.
bool IsBlank(std::u16string_view line) {
    return line.find_first_not_of(u' ') == std::u16string_view::npos;
}

// A catalogue line is an entry of its own.
TrainingUnit UnitOfLine(std::u16string_view line, TextBlock* texts = nullptr) {
    return UnitOfEntry(CutDayEntry(line), texts);
}

// Made where the catalogue puts it (the unit is the conversion's result, which is never
// copied): no unit is moved after it is read.
struct UnitInPlace {
    std::u16string_view line;
    TextBlock* texts;
    operator TrainingUnit() const { return UnitOfLine(line, texts); }
};

}  // namespace

bool ReadUnitLine(std::u16string_view line, TrainingUnit& unit) {
    if (IsBlank(line)) return false;
    unit = UnitOfLine(line);
    return true;
}

Report LoadUnitCatalogue(Document& document) {
    const std::u16string path = UnitFilePath;
    document.unitFileUnreadable = false;
    LineFile file;
    if (!OpenForReading(file, path)) {
        // Something is there that could not be read: a later save must not replace it.
        document.unitFileUnreadable = FileSizeOf(path) != -1;
        SetCatalogueBase(document, {OsIdentityOf(path), {}}, document.catalogue.size());
        return {u"UnitFile", path};
    }
    // The base of the next merge: this version of the file, as it was opened, and its bytes.
    const OsFileIdentity identity = OsIdentityOfOpen(file.file);
    ContentHasher hasher;
    file.hasher = &hasher;
    std::vector<TrainingUnit>& catalogue = document.catalogue;
    catalogue.clear();
    // Room for the units of a file of typical lines, so that a large catalogue is not
    // moved again and again while it grows; unused room is never touched.
    std::int64_t size = FileSizeOf(path);
    if (size > 0)
        catalogue.reserve(static_cast<std::size_t>(
            std::min<std::int64_t>(size / TypicalUnitLineBytes + 1, MostReservedUnits)));
    OsPreferLargePages(catalogue.data(), catalogue.capacity() * sizeof(TrainingUnit));
    SkipByteOrderMark(file);
    // The texts go into one block, which holds them all: a large catalogue would otherwise
    // spend most of its load allocating names and descriptions one by one. A UTF-8 byte may
    // become a code unit of two bytes; every unit but the last takes a line of two bytes or more.
    const auto fileBytes = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
    const std::size_t textBytes =
        file.encoding == LineFile::Encoding::Utf8 ? 2 * fileBytes : fileBytes;
    TextBlock* texts = StartTextBlock(textBytes, fileBytes / 2 + 1);
    LineBlockReader reader;
    StartBlockReading(reader, file, size);
    // An empty file still gives one (blank) line to ReadLineInto; skipping it or never reading
    // it leaves the same catalogue.
    std::u16string_view line;
    while (NextLine(reader, line))
        if (!IsBlank(line)) catalogue.emplace_back(UnitInPlace{line, texts});
    ReleaseTextBlock(texts);
    const bool closed = Close(file);
    SetCatalogueBase(document, {identity, HashResult(hasher)}, catalogue.size());
    if (!closed) {
        // Only part of the file may have arrived: keep what was read, protect the file.
        document.unitFileUnreadable = true;
        return {u"UnitFile", path};
    }
    return {};
}

std::vector<TrainingUnit> UnitsOfBytes(std::string_view bytes) {
    std::vector<TrainingUnit> units;
    LineFile file;
    LineBlockReader reader;
    StartBlockReadingBytes(reader, file, bytes);
    std::u16string_view line;
    while (NextLine(reader, line))
        if (!IsBlank(line)) units.push_back(UnitOfLine(line));
    return units;
}

namespace {

SaveOutcome SaveCatalogue(const Document& document, const DailyBackup& backup, bool recordWritten) {
    return SaveDataFile(
        UnitFilePath, document.unitFileUnreadable, u"SaveUnits", backup,
        [&document](LineFile& file) {
            IntegerDigits digits1;
            IntegerDigits digits2;
            for (const TrainingUnit& unit : document.catalogue)
                WriteLine(file, DayEntryPartsOf(unit, digits1, digits2));
        },
        recordWritten);
}

}  // namespace

SaveOutcome SaveUnitCatalogue(const Document& document, const DailyBackup& backup) {
    return SaveCatalogue(document, backup, false);
}

SaveOutcome SaveUnitCatalogueRecorded(const Document& document, const DailyBackup& backup) {
    return SaveCatalogue(document, backup, true);
}
