// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the reliability tests: the faults a save can meet, armed through the injected
// file faults, and a snapshot of the data in memory to prove a failed save changed nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/document.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/os_file_faults.h"

namespace reliability {

enum class SaveFault {
    CreateTemporary,  // the temporary file cannot be created
    WriteMiddle,      // a write fails half-way through the new content
    FlushOrClose,     // flushing or closing the temporary file fails
    CheckOldFile,     // closing the check that the old file may be replaced fails
    Rename,           // putting the temporary file in place fails
};

struct SaveFaultRow {
    const char* name;
    SaveFault fault;
};

inline const SaveFaultRow SaveFaultRows[] = {
    {"temporary file cannot be created", SaveFault::CreateTemporary},
    {"write fails in the middle", SaveFault::WriteMiddle},
    {"flush or close fails", SaveFault::FlushOrClose},
    {"check of the old file fails", SaveFault::CheckOldFile},
    {"rename fails", SaveFault::Rename},
};

// How many operations the saves before the target file use: creates, closes, replaces
// and bytes written (a save of an existing file closes twice: the new file and the check).
struct EarlierSaves {
    int creates = 0;
    int closes = 0;
    int replaces = 0;
    std::int64_t bytes = 0;
};

// Arms the fault so that it hits the save that writes newSize bytes after `earlier`.
inline void ArmSaveFault(SaveFault fault, std::int64_t newSize, const EarlierSaves& earlier = {}) {
    InjectedFileFaults = FileFaults();
    switch (fault) {
        case SaveFault::CreateTemporary:
            InjectedFileFaults.failCreate = true;
            InjectedFileFaults.passBeforeFault = earlier.creates;
            break;
        case SaveFault::WriteMiddle:
            InjectedFileFaults.failWriteAfterBytes = earlier.bytes + newSize / 2;
            break;
        case SaveFault::FlushOrClose:
            InjectedFileFaults.failClose = true;
            InjectedFileFaults.passBeforeFault = earlier.closes;
            break;
        case SaveFault::CheckOldFile:
            InjectedFileFaults.failClose = true;
            InjectedFileFaults.passBeforeFault = earlier.closes + 1;
            break;
        case SaveFault::Rename:
            InjectedFileFaults.failReplace = true;
            InjectedFileFaults.passBeforeFault = earlier.replaces;
            break;
    }
}

// True once the armed fault has fired (each fault disarms itself when it fires).
inline bool SaveFaultFired() {
    return !InjectedFileFaults.failCreate && InjectedFileFaults.failWriteAfterBytes == -1 &&
           !InjectedFileFaults.failClose && !InjectedFileFaults.failReplace;
}

struct DataSnapshot {
    std::vector<TrainingUnit> units;
    std::vector<TrainingWeek> weeks;
};

inline DataSnapshot TakeSnapshot(const Document& doc) {
    return {doc.catalogue, doc.history};
}

inline bool SameUnit(const TrainingUnit& a, const TrainingUnit& b) {
    return a.Name() == b.Name() && a.count1 == b.count1 && a.count2 == b.count2 &&
           a.Description() == b.Description();
}

inline bool SameSnapshot(const DataSnapshot& a, const DataSnapshot& b) {
    if (a.units.size() != b.units.size() || a.weeks.size() != b.weeks.size()) return false;
    for (std::size_t i = 0; i < a.units.size(); ++i)
        if (!SameUnit(a.units[i], b.units[i])) return false;
    for (std::size_t i = 0; i < a.weeks.size(); ++i) {
        if (a.weeks[i].weekNumber != b.weeks[i].weekNumber || a.weeks[i].days != b.weeks[i].days)
            return false;
    }
    return true;
}

}  // namespace reliability

namespace reliability {

// The lines the two data files must hold for the data in memory.
inline std::vector<std::u16string> CatalogueLines(const Document& doc) {
    std::vector<std::u16string> lines;
    for (const TrainingUnit& unit : doc.catalogue) {
        lines.push_back(std::u16string(unit.Name()) + u"|" + FormatInteger(unit.count1) + u"|" +
                        FormatInteger(unit.count2) + u"|" + std::u16string(unit.Description()));
    }
    return lines;
}

inline std::vector<std::u16string> HistoryFileLines(const Document& doc) {
    static const char16_t* const keys[] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                           u"Friday", u"Saturday", u"Sunday"};
    std::vector<std::u16string> lines;
    for (const TrainingWeek& week : doc.history) {
        lines.push_back(u"#" + FormatInteger(week.weekNumber));
        for (std::size_t day = 0; day < 7; ++day) {
            lines.push_back(std::u16string(u"=") + keys[day]);
            lines.push_back(week.days[day]);
        }
    }
    return lines;
}

}  // namespace reliability

namespace reliability {

// Starts a new measurement of the process's peak resident memory; false where the system
// offers no way to (the callers then skip their memory checks and say so).
bool ResetPeakMemory();
// The peak resident memory in bytes since the last reset, or -1 when unknown.
std::int64_t PeakMemoryBytes();
// Resident memory now, in bytes, or -1 when unknown.
std::int64_t CurrentMemoryBytes();

// True in builds with AddressSanitizer, where large inputs take many times longer.
constexpr bool SanitizerBuild() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

}  // namespace reliability
