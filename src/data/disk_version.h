// SPDX-License-Identifier: GPL-3.0-or-later
// A data file as it stands on disk now, read whole for a merge (a file changed since the
// program last read or wrote it, or a sync tool's conflict copy), and the check that its
// bytes are a data file at all: UTF-16 text (or UTF-8 behind its mark) without NUL or other
// control characters, not cut short. Parsing the bytes is week_history.h's and
// unit_catalogue.h's.
#pragma once

#include <string>
#include <string_view>

#include "data/file_bases.h"

struct DiskVersion {
    enum class State { Missing, Unreadable, Read };
    State state = State::Missing;
    FileBase file;      // identity as opened, hash of the bytes read
    std::string bytes;  // the whole file, for State::Read
};

// Reads the whole file (a link's target). Unreadable when it exists but cannot be opened or
// read to its end.
DiskVersion ReadDiskVersion(const std::u16string& path);

enum class DataFileKind { Catalogue, History };
// True for bytes the program can merge: empty, or text as described above whose lines a
// history file holds in whole blocks of 15 ("#number", then "=Day" and the day's text for
// seven days; blank lines between blocks are allowed).
bool IsIntactDataFile(std::string_view bytes, DataFileKind kind);
