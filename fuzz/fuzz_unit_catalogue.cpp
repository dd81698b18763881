// SPDX-License-Identifier: GPL-3.0-or-later
// LoadUnitCatalogue on arbitrary file bytes: the load never fails on an existing file, and
// a catalogue that was loaded and saved loads back to the same records and saves to the
// same bytes, without leaving the temporary file behind.
#include <vector>

#include "data/unit_catalogue.h"
#include "fuzz_support.h"

namespace {

const std::u16string UnitFile = UnitFilePath;
bool SameUnits(const std::vector<TrainingUnit>& a, const std::vector<TrainingUnit>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Name() != b[i].Name() || a[i].count1 != b[i].count1 ||
            a[i].count2 != b[i].count2 || a[i].Description() != b[i].Description())
            return false;
    }
    return true;
}

void SaveAndCheck(const Document& doc) {
    FUZZ_CHECK(SaveUnitCatalogue(doc).report.ok(), "the catalogue saves");
    FUZZ_CHECK(fuzz::NoTemporaryFileIn(fuzz::UnitsFolder), "no temporary file is left");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Document loaded;
    fuzz::WriteFile(UnitFile, data, size);

    FUZZ_CHECK(LoadUnitCatalogue(loaded).ok(), "an existing file loads without a report");
    FUZZ_CHECK(loaded.catalogue.size() <= size / 2 + 1, "at most one unit per line");
    SaveAndCheck(loaded);
    const fuzz::Bytes saved = fuzz::ReadFile(UnitFile);

    // Loaded beside the first load, which stays as it was: no unit is copied to compare.
    Document reloaded;
    FUZZ_CHECK(LoadUnitCatalogue(reloaded).ok(), "the saved file loads");
    FUZZ_CHECK(SameUnits(reloaded.catalogue, loaded.catalogue),
               "the saved catalogue loads as the same units");
    SaveAndCheck(reloaded);
    FUZZ_CHECK(fuzz::ReadFile(UnitFile) == saved, "saving again gives the same bytes");
    return 0;
}
