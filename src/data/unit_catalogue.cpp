// The unit catalogue in memory and its file units/units.txt, one unit per line as
// name|count1|count2|description. Messages come from text/; the line rules from line_file.
#include "data/unit_catalogue.h"

#include <algorithm>
#include <cassert>

#include "data/line_blocks.h"
#include "data/line_file.h"
#include "data/os_memory.h"
#include "data/safe_save.h"
#include "text/messages.h"

std::vector<TrainingUnit> UnitCatalogue;
bool UnitFileUnreadable = false;

void AddUnit(std::u16string name, WholeNumber count1, WholeNumber count2,
             std::u16string description) {
    UnitCatalogue.push_back({std::move(name), count1, count2, std::move(description)});
}

WholeNumber UnitCount() {
    return static_cast<WholeNumber>(UnitCatalogue.size());
}

const TrainingUnit& UnitAt(WholeNumber position) {
    assert(position >= 0 && position < UnitCount() && "UnitAt needs a position in the catalogue");
    return UnitCatalogue[static_cast<std::size_t>(position)];
}

namespace {

// A line such as "Plank|3|60|hold" with its line end takes about 36 bytes.
constexpr std::int64_t TypicalUnitLineBytes = 32;
constexpr std::int64_t MostReservedUnits = 1 << 22;

// A line of spaces only (or nothing) holds no unit; tested without copying the line.
bool IsBlank(std::u16string_view line) {
    return line.find_first_not_of(u' ') == std::u16string_view::npos;
}

// ParseInteger of a count; the counts the program writes itself (plain decimal digits, no
// sign) are parsed here directly, anything else by the general rules.
std::int64_t ParseCount(std::u16string_view text) {
    // 18 digits cannot overflow 64 bits, so no wrap-around needs imitating.
    if (text.empty() || text.size() > 18) return ParseInteger(text);
    std::int64_t value = 0;
    for (char16_t unit : text) {
        const unsigned digit = static_cast<unsigned>(unit) - u'0';
        if (digit > 9) return ParseInteger(text);
        value = value * 10 + static_cast<std::int64_t>(digit);
    }
    return value;
}

}  // namespace

bool LoadUnitCatalogue() {
    const std::u16string path = UnitFilePath;
    UnitFileUnreadable = false;
    LineFile file;
    if (!OpenForReading(file, path)) {
        // Something is there that could not be read: a later save must not replace it.
        UnitFileUnreadable = FileSizeOf(path) != -1;
        ShowError(u"UnitFile", path);
        return false;
    }
    UnitCatalogue.clear();
    // Room for the units of a file of typical lines, so that a large catalogue is not
    // moved again and again while it grows; unused room is never touched.
    std::int64_t size = FileSizeOf(path);
    if (size > 0)
        UnitCatalogue.reserve(static_cast<std::size_t>(
            std::min<std::int64_t>(size / TypicalUnitLineBytes + 1, MostReservedUnits)));
    OsPreferLargePages(UnitCatalogue.data(), UnitCatalogue.capacity() * sizeof(TrainingUnit));
    SkipByteOrderMark(file);
    LineBlockReader reader;
    StartBlockReading(reader, file);
    // An empty file still gives one (blank) line to ReadLine; skipping it or never reading
    // it leaves the same catalogue.
    std::u16string_view line;
    while (NextLine(reader, line)) {
        if (IsBlank(line)) continue;
        std::u16string_view fields[4];
        CutFields(line, u'|', fields, 4);
        // AddUnit's work, built in place: each text allocated once, at its exact size.
        TrainingUnit& unit = UnitCatalogue.emplace_back();
        if (fields[0].size() > 0) unit.name = std::u16string(fields[0]);
        // Counts are parsed in 64 bits and kept in the word width of the build.
        unit.count1 = static_cast<WholeNumber>(ParseCount(fields[1]));
        unit.count2 = static_cast<WholeNumber>(ParseCount(fields[2]));
        if (fields[3].size() > 0) unit.description = std::u16string(fields[3]);
    }
    if (!Close(file)) {
        // Only part of the file may have arrived: keep what was read, protect the file.
        UnitFileUnreadable = true;
        ShowError(u"UnitFile", path);
        return false;
    }
    return true;
}

bool SaveUnitCatalogue() {
    return SaveDataFile(UnitFilePath, UnitFileUnreadable, u"SaveUnits", [](LineFile& file) {
        IntegerDigits digits1;
        IntegerDigits digits2;
        for (const TrainingUnit& unit : UnitCatalogue) {
            WriteLine(file, {unit.name, u"|", FormatIntegerInto(unit.count1, digits1), u"|",
                             FormatIntegerInto(unit.count2, digits2), u"|", unit.description});
        }
    });
}
