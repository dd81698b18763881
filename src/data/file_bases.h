// SPDX-License-Identifier: GPL-3.0-or-later
// What each data file held when the program last read or wrote it, the base of a three-way
// merge with the file on disk: the file's identity and content hash, the catalogue's length,
// and the history's week numbers with the first text of every day changed since. The texts of
// the days not changed since are the history's own. Merging is merge_*.h's.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/content_hash.h"
#include "platform/os_file.h"
#include "text/text_helpers.h"

struct FileBase {
    OsFileIdentity identity;  // exists false: there was no file
    ContentHash hash;
};

// The catalogue only ever grows at its end: its base is its first `units` units.
struct CatalogueBase {
    FileBase file;
    std::size_t units = 0;
};

// The history's base: the file's weeks by number, which stand as one run somewhere in the
// weeks held (the catch-up appends weeks, an import may put older ones before them), and the
// text each day had in the file, for the days changed since.
struct HistoryBase {
    FileBase file;
    std::vector<WholeNumber> weekNumbers;
    std::map<std::size_t, std::u16string> originals;  // key: base week * 7 + day
    // Where the run stood when the history held `heldWeeks` weeks; looked up again when
    // its length has changed.
    std::size_t offset = 0;
    std::size_t heldWeeks = 0;
    bool found = true;  // false: the run is no longer among the weeks held
};

// Where `run` stands as one contiguous run inside `numbers`, every place, leftmost first, at
// most `most` of them; linear in the lengths. An empty run stands nowhere.
std::vector<std::size_t> PlacesOfRun(const std::vector<WholeNumber>& numbers,
                                     const std::vector<WholeNumber>& run, std::size_t most);
