// The unit catalogue in memory and its file units/units.txt, one unit per line as
// name|count1|count2|description. Messages come from text/; the line rules from line_file.
#include "data/unit_catalogue.h"

#include <cassert>

#include "data/line_file.h"
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
    SkipByteOrderMark(file);
    do {
        std::u16string line = ReadLine(file);
        if (TrimSpaces(line).empty()) continue;
        // Counts are parsed in 64 bits and kept in the word width of the build.
        AddUnit(
            FieldOf(line, 1, u"|"), static_cast<WholeNumber>(ParseInteger(FieldOf(line, 2, u"|"))),
            static_cast<WholeNumber>(ParseInteger(FieldOf(line, 3, u"|"))), FieldOf(line, 4, u"|"));
    } while (!AtEnd(file));
    if (!Close(file)) {
        // Only part of the file may have arrived: keep what was read, protect the file.
        UnitFileUnreadable = true;
        ShowError(u"UnitFile", path);
        return false;
    }
    return true;
}

bool SaveUnitCatalogue() {
    const std::u16string path = UnitFilePath;
    SafeSave save;
    if (UnitFileUnreadable || !BeginSafeSave(save, path)) {
        ShowError(u"SaveUnits", path);
        return false;
    }
    std::u16string line;
    for (const TrainingUnit& unit : UnitCatalogue) {
        line = unit.name;
        line += u'|';
        line += FormatInteger(unit.count1);
        line += u'|';
        line += FormatInteger(unit.count2);
        line += u'|';
        line += unit.description;
        WriteLine(save.file, line);
    }
    if (!FinishSafeSave(save)) {
        ShowError(u"SaveUnits", path);
        return false;
    }
    return true;
}
