// SPDX-License-Identifier: GPL-3.0-or-later
// Faults that tests arm in the file services, so that a save can be made to fail at each of
// its steps. Only the tests' build of the seam (VELMORA_FILE_FAULTS) holds them; in the
// program the hooks below are constants that the compiler removes.
#pragma once

#include <cstddef>
#include <cstdint>

enum class FileFault { Create, Close, Replace };

#ifdef VELMORA_FILE_FAULTS

// Each armed fault fires once, counted across all files.
struct FileFaults {
    bool failCreate = false;                // OsCreateWrite fails
    std::int64_t failWriteAfterBytes = -1;  // OsWrite fails once this many bytes were written
    bool failClose = false;                 // OsClose reports failure (flush or close)
    bool failReplace = false;               // OsReplaceFile fails
    // An armed create, close or replace fault first lets this many calls of its kind pass,
    // so that the second file of a save can be made to fail.
    int passBeforeFault = 0;
};
extern FileFaults InjectedFileFaults;

// True when this armed fault fires now (it then disarms itself).
bool TakeFileFault(FileFault fault);
// How many of `size` bytes a write may pass; `fail` tells that the write must then fail.
std::size_t BytesAllowedBeforeWriteFault(std::size_t size, bool& fail);
// Books the bytes a write passed; after a failing write the fault is disarmed.
void CountWrittenBytes(std::size_t done, bool failed);

#else

inline bool TakeFileFault(FileFault) {
    return false;
}
inline std::size_t BytesAllowedBeforeWriteFault(std::size_t size, bool& fail) {
    fail = false;
    return size;
}
inline void CountWrittenBytes(std::size_t, bool) {}

#endif
